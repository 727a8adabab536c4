"""Headless Chromium driven through chromedriver, headless Firefox driven over WebDriver BiDi, and a
static server on 127.0.0.1, for the tests and the benchmark of the web build. Every process started
here is stopped by its id; one that outlives its stop fails the run."""

import base64
import contextlib
import functools
import http.server
import json
import os
import pathlib
import shutil
import signal
import subprocess
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript", ".svg": "image/svg+xml",
                      ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def served(folder, pages=None, port=0, handler=QuietHandler):
    """Serves FOLDER on PORT (by default a free one) of 127.0.0.1 through HANDLER, and PAGES
    (path -> html) from memory; yields the address of the folder."""
    pages = pages or {}

    class Handler(handler):
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

    server = http.server.ThreadingHTTPServer(("127.0.0.1", port),
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
    with _stopped_after(service.process.pid, driver.quit, profile):
        yield driver


@contextlib.contextmanager
def _stopped_after(pid, stop, profile):
    """Stops the browser started as PID by STOP, then whatever of its processes is left by its id."""
    started = [pid] + _descendants(pid)
    try:
        yield
    finally:
        started += [child for child in _descendants(pid) if child not in started]
        try:
            stop()
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


def phone(driver, width, height, ratio):
    """Makes Chromium's page a phone's screen: WIDTH x HEIGHT CSS pixels at the device pixel RATIO,
    touch only."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": ratio, "mobile": True})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})


class Firefox:
    """Firefox ESR through tests/web/firefox.mjs, which answers the few calls of Selenium's driver
    that the tests make (get, execute_script, get_screenshot_as_png) and click, key and console_errors."""

    def __init__(self, process):
        self.process = process

    def __getattr__(self, op):
        def ask(*args):
            self.process.stdin.write(json.dumps([op, *args]) + "\n")
            self.process.stdin.flush()
            answer = json.loads(self.process.stdout.readline() or '{"error": "the driver ended"}')
            if "error" in answer:
                raise RuntimeError(f"Firefox, {op}: {answer['error']}")
            return base64.b64decode(answer["value"]) if op == "get_screenshot_as_png" else answer["value"]
        return ask


@contextlib.contextmanager
def firefox(width=1280, height=960):
    """A headless Firefox ESR showing a page of the given size; its driver's output is printed when it
    fails to start."""
    profile = tempfile.mkdtemp(prefix="kn-firefox.")
    here = pathlib.Path(__file__).resolve().parent
    log = tempfile.TemporaryFile("w+")
    process = subprocess.Popen(["node", str(here / "firefox.mjs"), str(width), str(height), profile + "/profile"],
                               stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=log, text=True)

    def stop():
        with contextlib.suppress(OSError):
            process.stdin.write('["quit"]\n')
            process.stdin.close()
        with contextlib.suppress(subprocess.TimeoutExpired):
            process.wait(20)

    with log, _stopped_after(process.pid, stop, profile):
        if not process.stdout.readline():
            log.seek(0)
            raise RuntimeError("Firefox did not start:\n" + log.read()[-3000:])
        yield Firefox(process)


def console_errors(driver):
    """The page's console entries at the level of errors since the last call."""
    if isinstance(driver, Firefox):
        return driver.console_errors()
    return [entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
