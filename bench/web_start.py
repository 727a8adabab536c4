"""How soon the board shows in a browser: from opening the page to the first frame that has the board,
over several loads of the packed site from 127.0.0.1 in headless Chromium, without the browser's
cache. Prints each load and the median against the target.

Usage: python3 bench/web_start.py dist/krestiki-noliki-VERSION-web.zip [LOADS]
Needs Debian's chromium, chromium-driver and python3-selenium."""

import pathlib
import statistics
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "web"))
import browser  # noqa: E402

TARGET_MS = 2000
# Watches every frame for the game's window with its grid drawn: the board picture's first column
# line, at (101, 92) of the client area, is black and opaque, the middle of the first cell white. The
# time is from the start of the navigation.
WATCH = """
(function watch() {
  const screen = document.getElementById("qt-shadow-container")?.shadowRoot;
  for (const canvas of screen ? screen.querySelectorAll("canvas.qt-window-content") : []) {
    if (canvas.width < 200 || canvas.height < 200) continue;
    const context = canvas.getContext("2d");
    const [r, g, b, a] = context.getImageData(101, 92, 1, 1).data;
    const [wr, wg, wb] = context.getImageData(51, 92, 1, 1).data;
    if (a === 255 && r < 60 && g < 60 && b < 60 && wr > 240 && wg > 240 && wb > 240) {
      window.boardShownAt = performance.now();
      return;
    }
  }
  requestAnimationFrame(watch);
})();
"""


def main():
    site_zip = pathlib.Path(sys.argv[1])
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    with tempfile.TemporaryDirectory() as www:
        with zipfile.ZipFile(site_zip) as archive:
            archive.extractall(www)
        with browser.served(www) as address, browser.chromium() as driver:
            driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
            driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": WATCH})
            times = []
            for load in range(loads + 1):
                driver.get("about:blank")
                driver.get(address + site_zip.stem + "/")
                deadline = time.monotonic() + 30
                shown = None
                while shown is None and time.monotonic() < deadline:
                    shown = driver.execute_script("return window.boardShownAt ?? null")
                    time.sleep(0.02)
                if shown is None:
                    sys.exit("web-start: the board did not show within 30 s")
                if load:  # the first load warms the server and the browser's process, and is not counted
                    times.append(shown)
                    print(f"web-start: load {load}: board shown at {shown:.0f} ms")
    median = statistics.median(times)
    print(f"web-start: median {median:.0f} ms over {loads} loads (spread {min(times):.0f}-{max(times):.0f} ms); "
          f"target at most {TARGET_MS} ms: {'met' if median <= TARGET_MS else 'NOT met'}")


if __name__ == "__main__":
    main()
