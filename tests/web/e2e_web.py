"""The site in a real browser: the page loads with its progress shown, the game plays by real mouse
and key events at page coordinates, a finished game asks, Да or Return starts afresh, Нет ends the
program and the page says so; the console holds no error. As a phone the same game is played by taps
alone, with the window whole on the screen and no text field ever focused; on a phone on its side the
window is scaled to fit, its cells no smaller than 56 px and drawn at the device's pixels. Offline, a
page once visited plays from its service worker.

Usage: e2e_web.py SITE.zip SHOTS_FOLDER [firefox | phone WIDTHxHEIGHTxRATIO | offline]. The site is
served from a folder below the server's root, as a host would put it anywhere; the screenshots are
left in SHOTS_FOLDER to look at."""

import base64
import io
import json
import pathlib
import re
import shutil
import sys
import tempfile
import time
import zipfile

from PIL import Image
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent))
import harness  # noqa: E402
from harness import Failure  # noqa: E402

CLIENT_SIZE = (304, 377)             # the client area the layout was made for
OPEN_CLIENT_HEIGHT = 556 - 34        # the lower area open, at the slide's last step
INFORMATION_BUTTON = (98 + 54, 351 + 10)
RUSSIAN_KEYS = {"д": ("KeyL", 76), "н": ("KeyY", 89)}   # where a Russian layout has them
NEW_GAME, VERY_EASY = (249, 21), (220, 422)    # in the client area
QUESTION_YES, QUESTION_NO = (130, 22), (45, 22)   # from the question's lower right corner
WINDOWS_JS = """
const screen = document.getElementById("qt-shadow-container")?.shadowRoot;
if (!screen) return [];
return [...screen.querySelectorAll(".qt-window")].filter(w => w.style.display !== "none").map(w => {
  const client = w.querySelector(".qt-window-contents").getBoundingClientRect();
  return { title: w.querySelector(".window-name")?.textContent ?? "",
           client: [client.x, client.y, client.width, client.height] };
});
"""


# A text field that holds the focus, or took it since the last call: where a phone shows its keyboard.
# The window's canvas takes keys, but with no keyboard of the phone's (input mode none).
TEXT_FOCUS_JS = """
const text = e => e?.matches?.("input, textarea") || (e?.isContentEditable && e.inputMode !== "none");
if (!window.textFocused) {
  window.textFocused = [];
  document.addEventListener("focusin", e => {
    if (text(e.composedPath()[0])) textFocused.push(e.composedPath()[0].outerHTML.slice(0, 100));
  }, true);
}
let active = document.activeElement;
while (active?.shadowRoot?.activeElement) active = active.shadowRoot.activeElement;
const seen = textFocused.splice(0);
if (text(active)) seen.push(active.outerHTML.slice(0, 100));
return seen.join("; ");
"""
LAYOUT_JS = """
const screen = document.getElementById("qt-shadow-container").shadowRoot;
const window_ = [...screen.querySelectorAll(".qt-window")].find(w => w.querySelector(".window-name")?.textContent === %s);
const box = e => { const r = e.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; };
return { window: box(window_), footer: box(document.querySelector("footer")), screen: [innerWidth, innerHeight],
         screenBottom: document.getElementById("screen").getBoundingClientRect().bottom,
         overflow: Math.max(...[...document.querySelectorAll("footer, .notice")].map(e => e.scrollWidth)),
         canvas: window_.querySelector("canvas").width };
""" % json.dumps(harness.TITLE)


class Page:
    def __init__(self, driver, shots, touch=False, ratio=1):
        self.driver, self.shots, self.count = driver, shots, 0
        self.touch, self.ratio = touch, ratio
        self.scale = 1  # CSS pixels a pixel of the window's takes

    def at(self, x, y):
        """The page's point at X, Y of the game's client area."""
        left, top = self.game()["client"][:2]
        return left + x * self.scale, top + y * self.scale

    def spans(self, css, pixels):
        """Whether CSS pixels of the page are PIXELS of the window's, as a scaled window rounds them."""
        return abs(css / self.scale - pixels) < (0.5 if self.scale == 1 else 2)

    def shot(self, name):
        self.count += 1
        png = self.driver.get_screenshot_as_png()
        (self.shots / f"{self.count:02d}-{name}.png").write_bytes(png)
        return Image.open(io.BytesIO(png)).convert("RGB")

    def tap(self, x, y, hold=0.0, end="touchEnd"):
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
        time.sleep(hold)
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": end, "touchPoints": []})
        # A phone shows its keyboard for a focused text field, even for a moment.
        focused = self.driver.execute_script(TEXT_FOCUS_JS)
        if focused:
            self.shot("text-field-focused")
            raise Failure(f"a tap at {x}, {y} focused a text field: {focused}")

    def windows(self):
        return self.driver.execute_script(WINDOWS_JS)

    # Bounds far past what a loaded two-core machine takes; a fault still ends the test.
    def wait(self, what, condition, timeout=60):
        try:
            return harness.wait(what, condition, timeout)
        except Failure as failure:
            self.shot("failure")
            console = "".join(f"\n    {line}" for line in harness.console_errors(self.driver, every_level=True)[-10:])
            raise Failure(f"{failure}; the page's console last said:{console or ' nothing'}") from None

    def game(self):
        return next((w for w in self.windows() if w["title"] == harness.TITLE), None)

    def question(self):
        return next((w for w in self.windows() if w["title"] in harness.QUESTIONS), None)

    def click(self, x, y):
        if self.touch:
            return self.tap(x, y)
        if isinstance(self.driver, harness.Firefox):
            return self.driver.click(x, y)
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(int(x), int(y)).click()
        actions.perform()

    def key(self, text):
        if isinstance(self.driver, harness.Firefox):
            return self.driver.key("Enter" if text == Keys.RETURN else text)
        if text not in RUSSIAN_KEYS:
            ActionChains(self.driver).send_keys(text).perform()
            return
        # chromedriver types a letter it has no key for without a key press; the browser is given the
        # key itself, as a Russian layout sends it.
        code, virtual = RUSSIAN_KEYS[text]
        for kind in ("keyDown", "keyUp"):
            self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
                "type": kind, "key": text, "code": code, "windowsVirtualKeyCode": virtual,
                **({"text": text, "unmodifiedText": text} if kind == "keyDown" else {})})

    def click_cell(self, index):
        self.click(*self.at(*harness.centre(index)))

    def board(self, image=None):
        """The nine cells as X, O or '.', and the count of magenta pixels of a result line."""
        image = image or self.shot("board")
        origin = (round(v / self.scale) for v in self.game()["client"][:2])
        return harness.marks_in(image, harness.cell_at(0, *origin), self.ratio * self.scale)

    def play_to_question(self, first_key=None):
        """Plays crosses into free cells (the first by its digit key) until the game asks; while the
        game goes on, each cross is answered by the computer's nought."""
        cells = "." * 9
        for crosses in range(1, 6):
            if crosses == 1 and first_key:
                self.key(first_key)
            else:
                self.click_cell(cells.index("."))

            def answered():
                board = self.board()[0]
                done = board.count("X") == crosses and (board.count("O") == crosses or "." not in board)
                return self.question() or (board if done else None)
            answer = self.wait(f"answer to cross {crosses}", answered)
            if isinstance(answer, dict):  # the question
                return answer
            cells = answer
        raise Failure(f"five crosses and no question: {cells}")


def main():
    site_zip, shots = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    mode = sys.argv[3:] or ["chromium"]
    shots.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as www, zipfile.ZipFile(site_zip) as archive:
        archive.extractall(pathlib.Path(www) / "games")
        url = f"games/{site_zip.stem}/"
        if mode[0] == "offline":
            offline(pathlib.Path(www), url, shots)
        elif mode[0] == "firefox":
            with harness.served(www) as address, harness.firefox() as driver:
                play(Page(driver, shots), address + url)
        elif mode[0] == "phone":
            width, height, ratio = (int(v) for v in mode[1].split("x"))
            with harness.served(www) as address, harness.chromium() as driver:
                harness.phone(driver, width, height, ratio)
                page = Page(driver, shots, touch=True, ratio=ratio)
                play(page, address + url)
        else:
            # Sent as a host that serves the site's gzip copies sends it.
            with harness.served(www, handler=harness.precompressed("gzip")) as address, harness.chromium() as driver:
                page = Page(driver, shots)
                play(page, address + url)
                play_by_tree(Tree(page), address + url)
    print(f"e2e-web: {' '.join(mode)}: passed")


def load(page, url):
    """Opens the page, over a slow line where the browser can make one, so that it is seen loading."""
    driver = page.driver
    slow = not isinstance(driver, harness.Firefox)
    if slow:
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.emulateNetworkConditions",
                               {"offline": False, "latency": 20, "downloadThroughput": 3_000_000, "uploadThroughput": 1_000_000})
    driver.get(url)
    title, lang = driver.execute_script("return [document.title, document.documentElement.lang]")
    if (title, lang) != (harness.TITLE, "ru"):
        raise Failure(f"the page is titled {title!r} in {lang!r}")
    if slow:
        page.wait("progress shown", lambda: driver.execute_script(
            "return !document.getElementById('loading').hidden && document.getElementById('progress').value > 0"))
        page.shot("loading")
        driver.execute_cdp_cmd("Network.emulateNetworkConditions",
                               {"offline": False, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
    page.wait("game window", lambda: page.game() and driver.execute_script("return document.getElementById('loading').hidden"), 120)
    driver.execute_script(TEXT_FOCUS_JS)
    if page.touch:
        width, height = driver.execute_script("return [innerWidth, innerHeight]")
        client = page.game()["client"][2]
        page.scale = client / CLIENT_SIZE[0]
        if (page.scale != 1 if height > width else harness.CELL * page.scale < 56):
            raise Failure(f"the window is scaled by {page.scale} on a screen of {width} x {height}")
        layout = driver.execute_script(LAYOUT_JS)
        if round(layout["canvas"]) != round(client * page.ratio):
            raise Failure(f"the board is drawn {layout['canvas']} pixels wide, not at the device's {page.ratio}")


def answer(page, yes):
    """Answers the question by a tap on its button, as a phone does."""
    x, y, w, h = page.question()["client"]
    dx, dy = (QUESTION_YES if yes else QUESTION_NO)[0], QUESTION_YES[1]
    page.tap(x + w - dx * page.scale, y + h - dy * page.scale)


def whole_on_screen(page, name):
    """The window, its title bar included, and the licence line are on the screen, apart. Qt's page
    clips a window to the screen element, so the window must end above that element's bottom too."""
    layout = page.driver.execute_script(LAYOUT_JS)
    left, top, right, bottom = layout["window"]
    width, height = layout["screen"]
    f_left, f_top, f_right, f_bottom = layout["footer"]
    overlap = f_left < right and left < f_right and f_top < bottom and top < f_bottom
    if left < 0 or top < 0 or right > width or bottom > layout["screenBottom"] or f_bottom > height or overlap:
        raise Failure(f"{name}: the window {layout['window']} or the licences {layout['footer']} leave the screen {width} x {height}")
    if layout["overflow"] > width:
        raise Failure(f"{name}: the page's texts are {layout['overflow']} px wide on a screen of {width}")


def play(page, url):
    driver = page.driver
    load(page, url)
    game = page.game()
    width, height = driver.execute_script("return [innerWidth, innerHeight]")
    x, y, w, h = game["client"]
    if not (page.spans(w, CLIENT_SIZE[0]) and page.spans(h, CLIENT_SIZE[1])):
        raise Failure(f"the client area is {w} x {h}")
    if not page.touch and (abs(x + w / 2 - width / 2) > 20 or abs(y + h / 2 - height / 2) > 40):
        raise Failure(f"the window is not in the middle of the page: client at {x}, {y}")
    board, _ = page.board(page.shot("start"))
    if board != "." * 9:
        raise Failure(f"the board does not start empty: {board}")
    if page.touch:
        whole_on_screen(page, "at the start")
        taps_are_clicks(page)

    # The keyboard plays from the start: 5 is the centre. Then clicks, to the end of a game.
    question = page.play_to_question(first_key=None if page.touch else "5")
    image = page.shot("question")
    cells, magenta = page.board(image)
    if magenta < harness.RESULT_LINE_MIN:
        raise Failure(f"no result line drawn under the question {question['title']!r}: {cells}")
    # The board takes no move while the question waits.
    free = [i for i, c in enumerate(cells) if c == "."]
    if free:
        page.click_cell(free[0])
        # The click activates the window; the box may then be shown anew to come in front, and a
        # letter typed meanwhile reaches neither.
        time.sleep(1)
        if page.board()[0] != cells:
            raise Failure("the board took a move while the question waited")
    _, qy, _, qh = page.wait("question in front", lambda: page.question())["client"]
    if page.touch and not 0 <= qy <= height - qh:
        raise Failure(f"the question runs off the screen: {qy} to {qy + qh}")
    answer(page, True) if page.touch else page.key("д")
    page.wait("the question's end", lambda: not page.question())
    page.wait("an empty board", lambda: page.board()[0] == "." * 9)

    # The lower area slides open.
    page.click(*page.at(*INFORMATION_BUTTON))
    page.wait("the lower area open", lambda: page.spans(page.game()["client"][3], OPEN_CLIENT_HEIGHT))
    levels = page.shot("information").crop(level_box(page))
    if page.touch:
        whole_on_screen(page, "with the lower area open")
        page.tap(*page.at(*VERY_EASY))
        page.wait("the level chosen by a tap", lambda: page.shot("level").crop(level_box(page)) != levels)

    # A second game: Return answers Да, the default, as on the desktop.
    page.play_to_question()
    page.shot("second-question")
    answer(page, True) if page.touch else page.key(Keys.RETURN)
    page.wait("an empty board after the answer", lambda: page.game() and page.board()[0] == "." * 9)

    # A third, ended by Нет: the program ends, and the page says so.
    page.play_to_question()
    answer(page, False) if page.touch else page.key("н")
    page.wait("the page's end", lambda: driver.execute_script("return !document.getElementById('ended').hidden"))
    if page.windows():
        raise Failure("the game's window stayed on the page after Нет")
    page.shot("ended")
    if errors := harness.console_errors(driver):
        raise Failure("the console holds errors:\n  " + "\n  ".join(errors))


def level_box(page):
    x, y = (round(v * page.ratio) for v in page.game()["client"][:2])
    scale = page.ratio * page.scale
    return (x + round(181 * scale), y + round(390 * scale), x + round(293 * scale), y + round(505 * scale))


def taps_are_clicks(page):
    """A double tap plays a cell once, a long press plays as a tap does, a touch the browser cancels
    breaks nothing; none zooms, selects or writes an error; then Новая игра clears the board."""
    def touch_cell(board, **how):
        cell = page.at(*harness.centre(board.index(".") if board else 4))
        page.tap(*cell, **how)
        if not how:
            time.sleep(0.1)
            page.tap(*cell)

    def moves(count):
        board = page.board()[0]
        return board.count("X") == count and board.count("O") == count and board
    touch_cell(None)
    board = page.wait("one cross and its answer after a double tap", lambda: moves(1))
    touch_cell(board, hold=1.5)
    board = page.wait("a cross and its answer after a long press", lambda: moves(2))
    touch_cell(None, end="touchCancel")  # on the centre, taken: Qt ends a cancelled touch as a release
    time.sleep(1)
    state = page.driver.execute_script("return [visualViewport.scale, String(getSelection())]")
    if page.board()[0] != board or state != [1, ""] or harness.console_errors(page.driver):
        raise Failure(f"a cancelled touch changed the board, or the taps zoomed to {state[0]}, selected {state[1]!r} or wrote errors")
    page.shot("taps")
    page.tap(*page.at(*NEW_GAME))
    page.wait("an empty board after Новая игра", lambda: page.board()[0] == "." * 9)


KEPT_JS = """
return (async () => {
  const kept = {};
  for (const name of await caches.keys())
    kept[name] = (await (await caches.open(name)).keys()).map(request => request.url).sort();
  return navigator.serviceWorker.controller && Object.keys(kept).length ? kept : null;
})();
"""


def offline(www, url, shots):
    """One visit keeps the site's files, and nothing else, and Chromium finds it installable; with the
    server stopped the page loads and plays; a new build replaces the kept one at the next visit."""
    # The compressed copies are a host's to send in place of a file, not files of the site's own.
    files = sorted(str(f.relative_to(www / url)) for f in (www / url).rglob("*")
                   if f.is_file() and f.name != "sw.js" and f.suffix not in (".br", ".gz"))
    with harness.chromium() as driver:
        page = Page(driver, shots)
        with harness.served(www) as address:
            load(page, address + url)
            kept = page.wait("the site kept by its service worker", lambda: driver.execute_script(KEPT_JS), 60)
            if list(kept.values()) != [[address + url + file for file in files]]:
                raise Failure(f"the service worker keeps {kept}, not the site's {len(files)} files")
            errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
            manifest = json.loads(driver.execute_cdp_cmd("Page.getAppManifest", {}).get("data") or "{}")
            icon = driver.execute_cdp_cmd("Page.getManifestIcons", {}).get("primaryIcon")
            if errors or manifest.get("name") != harness.TITLE or not icon:
                raise Failure(f"not installable: {errors}, named {manifest.get('name')!r}, icon {bool(icon)}")
            (shots / "installed-icon.png").write_bytes(base64.b64decode(icon))
        # The server is gone.
        driver.get(address + url)
        page.wait("game window offline", lambda: page.game(), 60)
        page.shot("offline")
        page.play_to_question(first_key="5")
        page.key("д")
        page.wait("an empty board offline", lambda: page.board()[0] == "." * 9)

        # A new build, served at the same address: the visit after it installs it.
        new = www / "new"
        shutil.copytree(www / url, new / url)
        worker = (new / url / "sw.js").read_text()
        (new / url / "sw.js").write_text(re.sub(r'const BUILD = "[^"]*"', 'const BUILD = "new-build"', worker))
        page_html = (new / url / "index.html").read_text()
        (new / url / "index.html").write_text(page_html.replace("<head>", '<head><meta name="build" content="new">'))
        port = int(address.rsplit(":", 1)[1].strip("/"))
        with harness.served(new, port=port):
            driver.get(address + url)

            def new_kept():
                kept = driver.execute_script(KEPT_JS) or {}
                return kept and all(name.endswith(" new-build") for name in kept)
            page.wait("the new build kept in place of the old", new_kept, 60)
            driver.get(address + url)
            if not driver.execute_script("return document.querySelector('meta[name=build]')"):
                raise Failure("the visit after a new build still shows the old one")
            page.wait("game window of the new build", lambda: page.game(), 60)
        if errors := harness.console_errors(driver):
            raise Failure("the console holds errors:\n  " + "\n  ".join(errors))


# The page as a screen reader reads it: Chromium's accessibility tree alone, each control found by its
# role and name and pressed by its element's default action (a click), the news read from the live
# region; no pixel is looked at.
CONTROLS = ("button", "radio", "alertdialog", "group", "application")


class Tree:
    def __init__(self, page):
        self.page, self.cdp = page, page.driver.execute_cdp_cmd

    def nodes(self):
        nodes = self.cdp("Accessibility.getFullAXTree", {})["nodes"]
        return {n["nodeId"]: n for n in nodes if not n.get("ignored")}

    @staticmethod
    def value(node, key):
        return (node.get(key) or {}).get("value", "")

    def find(self, role, name=None, nodes=None):
        return [n for n in (nodes or self.nodes()).values()
                if self.value(n, "role") == role and (name is None or re.fullmatch(name, self.value(n, "name")))]

    def text(self, node, nodes):
        own = [self.value(node, "name")] if self.value(node, "role") == "StaticText" else []
        return " ".join(own + [self.text(nodes[c], nodes) for c in node.get("childIds", []) if c in nodes]).strip()

    def news(self):
        nodes = self.nodes()
        regions = [n for n in nodes.values() if any(p["name"] == "live" and p["value"]["value"] == "polite"
                                                     for p in n.get("properties", []))]
        return self.text(regions[0], nodes) if len(regions) == 1 else None

    def state(self, node, name):
        return next((str(p["value"]["value"]).lower() for p in node.get("properties", []) if p["name"] == name), "")

    def press(self, role, name):
        found = self.page.wait(f"a {role} named {name!r} in the tree", lambda: self.find(role, name))
        if len(found) != 1:
            raise Failure(f"{len(found)} {role}s named {name!r}")
        target = self.cdp("DOM.resolveNode", {"backendNodeId": found[0]["backendDOMNodeId"]})["object"]
        self.cdp("Runtime.callFunctionOn", {"objectId": target["objectId"], "functionDeclaration": "function() { this.click(); }"})

    def focused(self):
        return [self.value(n, "name") for n in self.find("button") if self.state(n, "focused") == "true"]

    def cells(self):
        """The board's buttons in reading order, as marks in the game's order (down each column)."""
        names = [self.value(n, "name") for n in self.find("button", harness.CELL_NAME.pattern)]
        return len(names) == 9 and (names, "".join(harness.MARKS[names[row * 3 + column].split(": ")[1]]
                                                    for column in range(3) for row in range(3)))

    def expect_news(self, what, pattern):
        return self.page.wait(f"the news {what!r} in the live region", lambda: re.fullmatch(pattern, self.news() or ""))


def play_by_tree(tree, url):
    driver = tree.page.driver
    driver.get(url)
    tree.cdp("Accessibility.enable", {})
    tree.cdp("DOM.getDocument", {"depth": -1, "pierce": True})
    names, marks = tree.page.wait("the nine cells as buttons", tree.cells, 60)
    if names[0] != "верх, слева: пусто" or names[4] != "центр: пусто" or marks != "." * 9 or len(set(names)) != 9:
        raise Failure(f"the cells read {names}")
    nodes = tree.nodes()
    if tree.find("button", "Enable Screen Reader", nodes) or tree.find("radio", None, nodes):
        raise Failure("the tree holds the English button or the shut lower area's levels")
    nameless = [tree.value(n, "role") for n in nodes.values() if tree.value(n, "role") in CONTROLS and not tree.value(n, "name")]
    tallies = [tree.value(n, "name") for n in tree.find("StaticText", r"(%s): \d+" % "|".join(harness.TALLIES), nodes)]
    if nameless or tallies != [f"{tally}: 0" for tally in harness.TALLIES] or not tree.find("button", "Новая игра", nodes):
        raise Failure(f"nameless controls {nameless}, tallies {tallies}")
    # The browser's focus follows the keyboard over the board.
    ActionChains(driver).send_keys(Keys.ARROW_RIGHT).perform()
    tree.page.wait("the focus on the cell right of the centre", lambda: tree.focused() == ["середина, справа: пусто"])
    tree.press("button", "Информация")
    levels = tree.page.wait("the four levels", lambda: len(tree.find("radio")) == 4 and tree.find("radio"))
    if [tree.state(n, "checked") for n in levels] != ["false"] * 4:
        raise Failure("a level is checked before one is chosen")
    tree.press("radio", "Тяжело")
    tree.page.wait("Тяжело checked", lambda: [tree.state(n, "checked") for n in tree.find("radio", "Тяжело")] == ["true"])
    for game, answer in enumerate(("Да", "Нет")):
        tree.press("button", "центр: пусто")
        tree.expect_news("the cross and the answer", r"(крестик\. )?Компьютер: [^.]+")
        tree.press("button", "центр: крестик")
        tree.expect_news("занято", "занято")
        while not tree.find("alertdialog"):
            marks = tree.cells()[1]
            target = harness.choose(marks)
            tree.press("button", f"{harness.CELL_NAMES[target]}: пусто")
            tree.page.wait("the cross's answer", lambda: tree.find("alertdialog") or (
                tree.cells() and tree.cells()[1].count("X") == marks.count("X") + 1))
        tree.page.wait("the focus on Да in the question", lambda: tree.focused() == ["Да"])
        if answer == "Нет":  # Tab moves the focus within the question, not out of it
            ActionChains(driver).send_keys(Keys.TAB).perform()
            tree.page.wait("the focus on Нет after Tab", lambda: tree.focused() == ["Нет"])
        dialog = tree.find("alertdialog")[0]
        title = tree.value(dialog, "name")
        text = tree.expect_news("the end's news and its question", r".*[^.]\. .+\?")
        if title not in harness.QUESTIONS or len(tree.find("button", "Да|Нет")) != 2 or text.string.count("Компьютер") > 1:
            raise Failure(f"the question {title!r} reads {text.string!r}")
        tree.press("button", answer)
        if answer == "Да":
            tree.expect_news("a new game", "Новая игра.*")
            tree.page.wait("an empty board", lambda: tree.cells() and tree.cells()[1] == "." * 9)
    tree.page.wait("the page's end", lambda: driver.execute_script("return !document.getElementById('ended').hidden"))


if __name__ == "__main__":
    harness.command("e2e-web", main)
