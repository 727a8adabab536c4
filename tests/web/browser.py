"""Headless Chromium driven through chromedriver, and a static server on 127.0.0.1, for the tests and
the benchmark of the web build. Every process started here is stopped by its id; one that outlives
its stop fails the run."""

import contextlib
import functools
import http.server
import os
import shutil
import signal
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript", ".svg": "image/svg+xml"}

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def served(folder, pages=None):
    """Serves FOLDER on a free port of 127.0.0.1, and PAGES (path -> html) from memory; yields the
    address of the folder."""
    pages = pages or {}

    class Handler(_QuietHandler):
        def do_GET(self):
            page = pages.get(self.path.split("?")[0])
            if page is None:
                return super().do_GET()
            body = page.encode()
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(Handler, directory=str(folder)))
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{server.server_address[1]}/"
    finally:
        server.shutdown()
        server.server_close()
        thread.join()


def _descendants(pid):
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as stat:
                    parent = int(stat.read().rsplit(")", 1)[1].split()[1])
            except OSError:
                continue
            children.setdefault(parent, []).append(int(entry))
    found, queue = [], [pid]
    while queue:
        for child in children.get(queue.pop(), []):
            found.append(child)
            queue.append(child)
    return found


def _alive(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


@contextlib.contextmanager
def chromium(width=1280, height=960):
    """A headless Chromium that keeps the page's console, at the given window size."""
    profile = tempfile.mkdtemp(prefix="kn-chromium.")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--disable-dev-shm-usage", f"--window-size={width},{height}", f"--user-data-dir={profile}"):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    service = Service(executable_path="/usr/bin/chromedriver")
    driver = webdriver.Chrome(service=service, options=options)
    started = [service.process.pid] + _descendants(service.process.pid)
    try:
        yield driver
    finally:
        started += [pid for pid in _descendants(service.process.pid) if pid not in started]
        try:
            driver.quit()
        finally:
            deadline = time.monotonic() + 30
            while any(_alive(pid) for pid in started) and time.monotonic() < deadline:
                time.sleep(0.1)
            left = [pid for pid in started if _alive(pid)]
            for pid in left:
                with contextlib.suppress(ProcessLookupError):
                    os.kill(pid, signal.SIGKILL)
            for pid in started:
                with contextlib.suppress(ChildProcessError):
                    os.waitpid(pid, os.WNOHANG)
            shutil.rmtree(profile, ignore_errors=True)
            if left:
                raise RuntimeError(f"left running after the browser's stop: {left}")


def console_errors(driver):
    """The page's console entries at the level of errors since the last call."""
    return [entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
