"""How soon the board shows in a browser: from opening the page to the first frame that has the board,
over several loads of the packed site from 127.0.0.1. First visits keep nothing (no cache, no service
worker); return visits are served by the site's service worker. Measured in headless Chromium and
Firefox ESR on the desktop, and in Chromium as a phone (390 x 664, device pixel ratio 3) over its
"Slow 4G" (1.6 Mbps, 150 ms, the processor 4 times slower), sent as the site's gzip copies and as its
brotli copies, as a host that serves them sends them. Prints each load and the medians against their
targets: 2 s for desktop Chromium's first visits; on the phone 15 s for a first visit with gzip, 12 s
with brotli, 2 s for a return visit.

Usage: python3 bench/web_start.py dist/krestiki-noliki-VERSION-web.zip [LOADS]
Needs Debian's chromium, chromium-driver, python3-selenium, firefox-esr and nodejs, and puppeteer-core
in tests/web (npm ci there)."""

import pathlib
import statistics
import sys
import tempfile
import zipfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests"))
import harness  # noqa: E402

TARGET_MS = 2000
PHONE_GZIP_MS, PHONE_BROTLI_MS, PHONE_RETURN_MS = 15000, 12000, 2000
# Watches every frame for the game's window with its grid drawn: the board picture's first column
# line, beside the first cell's middle, is black and opaque, that middle white. The time is from the
# start of the navigation.
WATCH = """
(function watch() {
  const screen = document.getElementById("qt-shadow-container")?.shadowRoot;
  for (const canvas of screen ? screen.querySelectorAll("canvas.qt-window-content") : []) {
    const ratio = devicePixelRatio;
    if (canvas.width < 200 * ratio || canvas.height < 200 * ratio) continue;
    const context = canvas.getContext("2d");
    const [r, g, b, a] = context.getImageData(%d * ratio, %d * ratio, 1, 1).data;
    const [wr, wg, wb] = context.getImageData(%d * ratio, %d * ratio, 1, 1).data;
    if (a === 255 && r < 60 && g < 60 && b < 60 && wr > 240 && wg > 240 && wb > 240) {
      window.boardShownAt = performance.now();
      return;
    }
  }
  requestAnimationFrame(watch);
})();
""" % (harness.cell_at(3)[0], harness.centre(0)[1], *harness.centre(0))


KEPT = "return navigator.serviceWorker.controller !== null && caches.keys().then(names => names.length > 0)"
SLOW_4G = {"offline": False, "latency": 150, "downloadThroughput": 1_600_000 / 8, "uploadThroughput": 750_000 / 8}


def board_shown(driver, url, watch_after_load):
    driver.get("about:blank")
    driver.get(url)
    if watch_after_load:  # a browser without a script for new documents: it starts before the program does
        driver.execute_script(WATCH)
    return harness.wait(f"the board of {url}", lambda: driver.execute_script("return window.boardShownAt ?? null"),
                        180, every=0.02)


def report(name, times, target=None):
    for load, shown in enumerate(times, 1):
        print(f"web-start: {name}, load {load}: board shown at {shown:.0f} ms")
    median = statistics.median(times)
    verdict = f"; target at most {target} ms: {'met' if median <= target else 'NOT met'}" if target else ""
    print(f"web-start: {name}: median {median:.0f} ms over {len(times)} loads "
          f"(spread {min(times):.0f}-{max(times):.0f} ms){verdict}")


def chromium(url, loads, phone=False):
    """First and return visits in one Chromium; the first load of each kind warms the server and the
    browser's process, and is not counted."""
    with harness.chromium() as driver:
        driver.execute_cdp_cmd("Network.enable", {})
        if phone:
            harness.phone(driver, 390, 664, 3)
            driver.execute_cdp_cmd("Network.emulateNetworkConditions", SLOW_4G)
            driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 4})
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": WATCH})
        driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})
        first = [board_shown(driver, url, False) for _ in range(loads + 1)][1:]
        driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": False})
        board_shown(driver, url, False)
        wait_kept(driver)
        again = [board_shown(driver, url, False) for _ in range(loads + 1)][1:]
    return first, again


def firefox(url, loads):
    """First visits each in a new Firefox with a new profile; return visits in the last of them."""
    first = []
    for _ in range(loads):
        with harness.firefox() as driver:
            first.append(board_shown(driver, url, True))
            if len(first) == loads:
                wait_kept(driver)
                again = [board_shown(driver, url, True) for _ in range(loads)]
    return first, again


def wait_kept(driver):
    harness.wait("the service worker to keep the site", lambda: driver.execute_script(KEPT), 180, every=0.2)


def main():
    site_zip = pathlib.Path(sys.argv[1])
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    with tempfile.TemporaryDirectory() as www, zipfile.ZipFile(site_zip) as archive:
        archive.extractall(www)
        with harness.served(www) as address:
            first, again = chromium(address + site_zip.stem + "/", loads)
            report("Chromium, first visits", first, TARGET_MS)
            report("Chromium, return visits", again)
        with harness.served(www) as address:
            first, again = firefox(address + site_zip.stem + "/", max(3, loads // 3))
            report("Firefox ESR, first visits", first, TARGET_MS)
            report("Firefox ESR, return visits", again)
        for encoding, name, target in (("gzip", "gzip", PHONE_GZIP_MS), ("br", "brotli", PHONE_BROTLI_MS)):
            with harness.served(www, handler=harness.precompressed(encoding)) as address:
                first, again = chromium(address + site_zip.stem + "/", 3, phone=True)
                report(f"phone over Slow 4G, first visits with {name}", first, target)
        report("phone over Slow 4G, return visits", again, PHONE_RETURN_MS)


if __name__ == "__main__":
    harness.command("web-start", main)
