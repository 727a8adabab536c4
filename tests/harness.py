"""What the game's tests share: the bounded wait that says what it waited for, the stop of a started
process by its id, the site's server, headless Chromium and Firefox, and the game as the tests meet it.
The web's packages are imported where used: the desktop's tests lack them. For the shell scripts:
harness.py chromium-flags, or harness.py serve DIR -- COMMAND... (each {} in COMMAND the address)."""

import base64
import contextlib
import functools
import http.server
import json
import os
import pathlib
import re
import signal
import subprocess
import sys
import tempfile
import threading
import time


class Failure(Exception):
    """A check that did not hold or a wait that ran out: the test's command prints it and fails."""


def wait(what, probe, seconds=60, every=0.05, idle=time.sleep):
    """PROBE's first true value, tried every EVERY seconds for at most SECONDS; IDLE(EVERY) spends each
    pause, for a loop that must run meanwhile. A callable WHAT is asked on time-out, to tell what it saw."""
    deadline = time.monotonic() + seconds
    while not (value := probe()):
        if time.monotonic() >= deadline:
            raise Failure(f"waited {seconds:g} s for {what() if callable(what) else what}")
        idle(every)
    return value


def command(name, main):
    """Runs MAIN as a command's body: what it returns is the exit status, a Failure its FAIL line."""
    try:
        sys.exit(main())
    except Failure as failure:
        sys.exit(f"{name}: FAIL: {failure}")


def _stat(pid):
    """The fields of /proc's line on a process after its name, from its state and parent on."""
    with contextlib.suppress(OSError), open(f"/proc/{pid}/stat") as stat:
        return stat.read().rsplit(")", 1)[1].split()


def descendants(pid):
    parents = {int(entry): int(stat[1]) for entry in os.listdir("/proc") if entry.isdigit() and (stat := _stat(entry))}
    found, more = [], [pid]
    while more:
        more = [child for child, parent in parents.items() if parent in more]
        found += more
    return found


def alive(pid):
    return (_stat(pid) or ["Z"])[0] != "Z"


@contextlib.contextmanager
def stopped(name, pid, stop, seconds=30):
    """After the block, stops NAME, started as PID, by STOP; whatever of it and of the processes it
    started is left after SECONDS is killed by its id, and fails the run."""
    started = [pid] + descendants(pid)
    try:
        yield
    finally:
        started += [child for child in descendants(pid) if child not in started]
        try:
            stop()
        finally:
            with contextlib.suppress(Failure):
                wait(f"{name} to stop", lambda: not any(map(alive, started)), seconds, every=0.1)
            left = list(filter(alive, started))
            for pid in left:
                with contextlib.suppress(ProcessLookupError):
                    os.kill(pid, signal.SIGKILL)
            for pid in started:
                with contextlib.suppress(ChildProcessError):
                    os.waitpid(pid, os.WNOHANG)
            if left:
                raise Failure(f"left running after {name}'s stop: {left}")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript", ".svg": "image/svg+xml",
                      ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass


def precompressed(encoding):
    """A server that sends the site's own copies compressed with ENCODING ("gzip" or "br") where it has
    one, as a host serving such copies does. Chromium asks for brotli only over HTTPS, yet decodes it
    over plain HTTP too: the copy is sent whatever the request accepts."""
    suffix = {"gzip": ".gz", "br": ".br"}[encoding]

    class Handler(QuietHandler):
        def do_GET(self):
            path = pathlib.Path(self.translate_path(self.path))
            if path.is_dir():
                path /= "index.html"
            copy = path.with_name(path.name + suffix)
            if not copy.is_file():
                return super().do_GET()
            body = copy.read_bytes()
            self.send_response(200)
            self.send_header("Content-Type", self.guess_type(str(path)))
            self.send_header("Content-Length", str(len(body)))
            self.send_header("Content-Encoding", encoding)
            self.end_headers()
            self.wfile.write(body)
    return Handler


@contextlib.contextmanager
def served(folder, pages=None, port=0, handler=QuietHandler):
    """Serves FOLDER on PORT (by default a free one) of 127.0.0.1 through HANDLER, and PAGES (address's
    path -> file) from elsewhere; yields the address of the folder."""
    pages = pages or {}

    class Handler(handler):
        def translate_path(self, path):
            return pages.get(path.split("?")[0]) or super().translate_path(path)

    with http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Handler, directory=str(folder))) as server:
        thread = threading.Thread(target=server.serve_forever, daemon=True)
        thread.start()
        try:
            yield f"http://127.0.0.1:{server.server_address[1]}/"
        finally:
            server.shutdown()
            thread.join()


def serve_while(folder, command_line, seconds=900):
    """Serves FOLDER while COMMAND_LINE runs, for at most SECONDS, past the screen reader test's bounds."""
    with served(folder) as address:
        process = subprocess.Popen([arg.replace("{}", address) for arg in command_line])
        with stopped(command_line[0], process.pid, process.terminate):
            wait(f"{' '.join(command_line)} to end", lambda: process.poll() is not None, seconds, every=0.2)
        return process.returncode


# Each Chromium of the tests, headless or with a window: no sandbox (the tests run as root), nothing
# fetched or offered beside the page, and no GPU or shared memory, which a container lacks.
CHROMIUM_FLAGS = ("--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync",
                  "--disable-quic", "--password-store=basic", "--disable-features=Translate")


@contextlib.contextmanager
def chromium(width=1280, height=960):
    """A headless Chromium through chromedriver, at the given window size, keeping the page's console."""
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    with tempfile.TemporaryDirectory(prefix="kn-chromium.", ignore_cleanup_errors=True) as profile:
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless", *CHROMIUM_FLAGS, f"--window-size={width},{height}", f"--user-data-dir={profile}"):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        service = Service(executable_path="/usr/bin/chromedriver")
        driver = webdriver.Chrome(service=service, options=options)
        with stopped("the browser", service.process.pid, driver.quit):
            yield driver


def phone(driver, width, height, ratio):
    """Makes Chromium's page a phone's touch screen: WIDTH x HEIGHT CSS pixels at the device pixel RATIO."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": ratio, "mobile": True})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})


class Firefox:
    """Firefox ESR through tests/web/firefox.mjs, which answers the few calls of Selenium's driver that
    the tests make (get, execute_script, get_screenshot_as_png) and click, key and console_errors."""

    def __init__(self, process):
        self.process = process

    def __getattr__(self, op):
        def ask(*args):
            self.process.stdin.write(json.dumps([op, *args]) + "\n")
            self.process.stdin.flush()
            answer = json.loads(self.process.stdout.readline() or '{"error": "the driver ended"}')
            if "error" in answer:
                raise Failure(f"Firefox, {op}: {answer['error']}")
            return base64.b64decode(answer["value"]) if op == "get_screenshot_as_png" else answer["value"]
        return ask


@contextlib.contextmanager
def firefox(width=1280, height=960):
    """A headless Firefox ESR showing a page of the given size; its driver's output tells a failed start."""
    driver = pathlib.Path(__file__).resolve().parent / "web" / "firefox.mjs"
    with tempfile.TemporaryDirectory(prefix="kn-firefox.", ignore_cleanup_errors=True) as profile, \
            tempfile.TemporaryFile("w+") as log:
        process = subprocess.Popen(["node", str(driver), str(width), str(height), profile + "/profile"],
                                   stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=log, text=True)

        def stop():
            with contextlib.suppress(OSError):
                process.stdin.write('["quit"]\n')
                process.stdin.close()
            with contextlib.suppress(subprocess.TimeoutExpired):
                process.wait(20)

        with stopped("the browser", process.pid, stop):
            if not process.stdout.readline():
                log.seek(0)
                raise Failure("Firefox did not start:\n" + log.read()[-3000:])
            yield Firefox(process)


def console_errors(driver, every_level=False):
    """The page's console errors since the last call, or with EVERY_LEVEL all it said (Firefox's: errors)."""
    if isinstance(driver, Firefox):
        return driver.console_errors()
    return [entry["message"] for entry in driver.get_log("browser") if every_level or entry["level"] == "SEVERE"]


TITLE = "Крестики-нолики"
QUESTIONS = {"Победа!": "Вы победили! Хотите заново играть?", "Поражение!": "Вы проиграли? Хотите отыграться?",
             "Ничья!": "Ничья! Заново играть?"}
# The top bar's tallies, left to right, each with the question of the end it counts.
TALLIES = {"Побед": "Победа!", "Ничья": "Ничья!", "Поражений": "Поражение!"}

# A cell's index is column * 3 + row, as the game counts; its name is its place and its mark.
ROWS, COLUMNS = ("верх", "середина", "низ"), ("слева", "посередине", "справа")
CELL_NAMES = ["центр" if i == 4 else f"{ROWS[i % 3]}, {COLUMNS[i // 3]}" for i in range(9)]
MARKS = {"пусто": ".", "крестик": "X", "нолик": "O"}
CELL_NAME = re.compile("(%s): (%s)" % ("|".join(CELL_NAMES), "|".join(MARKS)))
LINES = [(0, 1, 2), (3, 4, 5), (6, 7, 8), (0, 3, 6), (1, 4, 7), (2, 5, 8), (0, 4, 8), (2, 4, 6)]

# The board's picture in the window's client area, and a cell's side, in CSS pixels.
PICTURE_X, PICTURE_Y, CELL = 1, 42, 100


def cell_at(index, x=0, y=0):
    """The top left corner of cell INDEX in a window whose client area is at X, Y."""
    column, row = divmod(index, 3)
    return x + PICTURE_X + column * CELL, y + PICTURE_Y + row * CELL


def centre(index, x=0, y=0):
    left, top = cell_at(index, x, y)
    return left + CELL // 2, top + CELL // 2


def choose(marks):
    """A winning cell, else a block, else the first free one."""
    for mark in "XO":
        for line in LINES:
            values = [marks[i] for i in line]
            if values.count(mark) == 2 and values.count(".") == 1:
                return line[values.index(".")]
    return marks.index(".")


# A mark's colour: its own channels BRIGHT or more, the others DIM or less; a mark has enough pixels.
BRIGHT, DIM, CROSS_MIN, NOUGHT_MIN, RESULT_LINE_MIN = 200, 90, 150, 40, 300


def marks_in(picture, origin, scale=1):
    """The board drawn in PICTURE (a PIL image, or its file), its corner at ORIGIN in whole CSS pixels of
    SCALE device pixels: the nine cells as X, O or '.', and the count of magenta pixels."""
    if not hasattr(picture, "convert"):
        from PIL import Image
        picture = Image.open(picture)
    pixels = picture.convert("RGB").load()
    cells, magenta = [], 0
    for index in range(9):
        column, row = divmod(index, 3)
        red = blue = 0
        # Four pixels in from each side: the grid's lines are no mark's.
        for y in range(origin[1] + row * CELL + 4, origin[1] + row * CELL + CELL - 4):
            for x in range(origin[0] + column * CELL + 4, origin[0] + column * CELL + CELL - 4):
                r, g, b = pixels[int(scale * x), int(scale * y)]
                if r >= BRIGHT and g <= DIM and b <= DIM:
                    red += 1
                elif r >= BRIGHT and b >= BRIGHT and g <= DIM:
                    magenta += 1
                elif b >= BRIGHT and r <= 180 and g <= 180 and b - r >= 60 and (r - g) ** 2 <= 900:
                    blue += 1
        cells.append("X" if red >= CROSS_MIN else "O" if blue >= NOUGHT_MIN else ".")
    return "".join(cells), magenta


if __name__ == "__main__":
    args = sys.argv[1:]
    if args == ["chromium-flags"]:
        print(" ".join(CHROMIUM_FLAGS))
    elif len(args) > 3 and args[0] == "serve" and args[2] == "--":
        command("harness", lambda: serve_while(args[1], args[3:]))
    else:
        sys.exit("usage: harness.py chromium-flags | harness.py serve DIR -- COMMAND...")
