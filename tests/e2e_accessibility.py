# The game as a screen reader and a keyboard-only player meet it, through the real AT-SPI bus:
# the board's nine cells and the tallies by their names, whole games played with keys, the press action
# and a click; "play" notes what Orca must say after each key, "judge" reads what it said from its log.
# Run by e2e_accessibility.sh, which starts the buses, the X server, Orca and the game.
import datetime
import functools
import json
import re
import subprocess
import sys
import time

import gi

gi.require_version('Atspi', '2.0')
import pyatspi
from gi.repository import GLib

import harness
from harness import CELL, CELL_NAME, QUESTIONS, TALLIES, TITLE, Failure, choose


def say(message):
    print('e2e-a11y: ' + message, flush=True)


def pump(seconds):
    """Lets events in while waiting; the listeners run from GLib's loop."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


wait = functools.partial(harness.wait, seconds=30, idle=pump)


def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def states(accessible):
    accessible.clearCache()
    return accessible.getState()


def game_app():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((app for app in desktop if app is not None and app.name == 'krestiki-noliki'), None)


def windows(app):
    return [child for child in app if child is not None]


def main_window(app):
    return next((w for w in windows(app) if w.name == TITLE), None)


def question(app):
    return next((w for w in windows(app) if w.name in QUESTIONS), None)


def xdotool(*args, check=True):
    """The words xdotool prints; with CHECK its failure fails the test."""
    return subprocess.run(['xdotool', *args], check=check, timeout=60, stdout=subprocess.PIPE, text=True).stdout.split()


def x_windows(title):
    """The shown X windows whose title matches TITLE, a pattern."""
    return xdotool('search', '--onlyvisible', '--name', title, check=False)


class Board:
    """The board found by the rectangles it should have on screen, its cells by what is under their centres."""

    def __init__(self, window):
        wx, wy, _, _ = extents(window)
        component = window.queryComponent()
        self.cells = []
        for index in range(9):
            left, top = harness.cell_at(index, wx, wy)
            cell = component.getAccessibleAtPoint(*harness.centre(index, wx, wy), pyatspi.DESKTOP_COORDS)
            if cell is None or cell.getRoleName() != 'table cell':
                raise Failure('no table cell under the centre of cell %d' % index)
            if extents(cell) != (left, top, CELL, CELL):
                raise Failure('cell %d spans %s, expected %s' % (index, extents(cell), (left, top, CELL, CELL)))
            self.cells.append(cell)
        if any(cell.parent != self.cells[0].parent for cell in self.cells):
            raise Failure('the cells are not the children of one group')

    def names(self):
        # Read afresh: the names change without an event while the question is open.
        for cell in self.cells:
            cell.clearCache()
        return [cell.name for cell in self.cells]

    def marks(self):
        return [harness.MARKS.get(name.rsplit(': ', 1)[-1], '?') for name in self.names()]

    def cursor(self):
        focused = [i for i, cell in enumerate(self.cells) if states(cell).contains(pyatspi.STATE_FOCUSED)]
        return focused[0] if len(focused) == 1 else None


SPEECH = re.compile(r"^(\S+) - SPEECH OUTPUT: '(.*)' ?\{", re.M)


class Heard(list):
    """Each key with what Orca must say after it: phrases in order, and the one cell it names, if any.
    Before the next key, Orca is given the time to say it all, read from its log as it writes it."""

    def __init__(self, first, log):
        super().__init__([first])
        self.log = open(log, errors='replace')
        self.spoken, self.text = [], ''

    def since(self, at):
        """What Orca has said from the time AT on, as lists of words."""
        self.text += self.log.read()
        complete = self.text.rfind('\n') + 1
        self.spoken += SPEECH.findall(self.text[:complete])
        self.text = self.text[complete:]
        return [said_words(text) for when, text in self.spoken if when >= at]

    def settle(self):
        last = self[-1]

        def said_all():
            said = self.since(last['at'])
            return in_order(sum(said, []), last['says']) and (not last['cell'] or words(last['cell']) in said)
        wait(lambda: 'Orca to say %s after %s; it said %s' % (last['says'] + [last['cell'] or ''], last['key'],
                                                             [' '.join(text) for text in self.since(last['at'])]),
             said_all, seconds=60)
        # Then until it has been quiet for half a second, so that nothing it adds is put to the next key.
        first_seen = {}  # each count of utterances, with when it was first seen

        def quiet():
            self.since('~')
            return time.monotonic() - first_seen.setdefault(len(self.spoken), time.monotonic()) >= 0.5
        wait('Orca to be quiet for half a second after %s' % last['key'], quiet, seconds=120)

    def key(self, name, says=(), cell=None, send=True):
        self.settle()
        self.append({'key': name, 'at': datetime.datetime.now().strftime('%H:%M:%S.%f'), 'says': list(says), 'cell': cell})
        if send:
            # A letter not on the server's keyboard is typed on a spare key that xdotool binds to it and
            # unbinds after the delay: a busy program that reads the binding after it is undone gets
            # no letter at all, so the binding is held for seconds.
            xdotool('key', *(['--delay', '4000'] if name.startswith('Cyrillic_') else []), name)
        return self[-1]


def news(board, before):
    """The cross, and the computer's answer by its place: two facts, which Orca may order either way."""
    answered = [i for i, mark in enumerate(board.marks()) if before[i] == '.' and mark == 'O']
    return ['крестик'] + ['Компьютер: ' + board.cells[answered[0]].name.split(':')[0] for _ in answered[:1]]


def arrows_to(start, target):
    """Keys that take the cursor from one cell to another."""
    (c0, r0), (c1, r1) = divmod(start, 3), divmod(target, 3)
    return ['Right' if c1 > c0 else 'Left'] * abs(c1 - c0) + ['Down' if r1 > r0 else 'Up'] * abs(r1 - r0)


def keypad_digit(cell):
    column, row = divmod(cell, 3)
    return str((2 - row) * 3 + column + 1)


def play_by_keys(app, board, heard, use_digits):
    """Plays to the question with keys alone; each arrow is answered by its cell, each move by its news."""
    while True:
        marks = board.marks()
        target = choose(marks)
        if use_digits:
            move = heard.key(keypad_digit(target))
        else:
            # Read once the last key has been answered: a mode change or a move may move the focus.
            heard.settle()
            cursor = wait('a cell with the focus', lambda: [c for c in [board.cursor()] if c is not None], seconds=20)[0]
            for arrow in arrows_to(cursor, target):
                cursor += {'Right': 3, 'Left': -3, 'Down': 1, 'Up': -1}[arrow]
                heard.key(arrow, cell=board.cells[cursor].name)
            move = heard.key('space')
        crosses = marks.count('X')
        wait('a cross on cell %d' % target,
             lambda: question(app) or (board.marks()[target] == 'X' and board.marks().count('X') == crosses + 1))
        box = question(app)
        # The question: its caption and its text, then the default button; the news before the
        # text, and before or after the caption.
        move['says'] = [news(board, marks) + ['alert ' + box.name], QUESTIONS[box.name], 'Да'] if box else [news(board, marks)]
        if box is not None:
            return box


def answer(app, box, key, heard, closes=False):
    focus = ' '.join(xdotool('getwindowfocus', check=False))
    title = box.name
    found = x_windows('^%s$' % title)
    if found and focus not in found:
        xdotool('windowfocus', '--sync', found[0])
    said = heard.key(key)
    if not closes:
        wait('the question "%s" to go after %s' % (title, key), lambda: question(app) is None)
    return said


def main(log):
    app = wait('the game on the bus', game_app, seconds=60)
    window = wait('the window', lambda: main_window(app))
    # A window manager would hand the new window the keyboard; here the test does.
    xdotool('windowfocus', '--sync', x_windows('^%s$' % TITLE)[0])
    board = Board(window)
    names = board.names()
    if names[4] != 'центр: пусто' or names[0] != 'верх, слева: пусто' or len(set(names)) != 9:
        raise Failure('the cells are named %s' % names)
    if not all(name.endswith(': пусто') for name in names):
        raise Failure('a fresh board has a mark: %s' % names)
    if board.cursor() != 4:
        raise Failure('the focus is on cell %s, expected the centre' % board.cursor())
    if not states(board.cells[4]).contains(pyatspi.STATE_ENABLED):
        raise Failure('a free cell is unavailable')
    say('board and nine cells found by their rectangles; cursor on the centre')

    # The top bar, the one part of the window that holds the tallies, reads them left to right.
    top_bar = next(part for part in window if part is not None and any(child.name.split(':')[0] in TALLIES for child in part))
    tallies = [child.name for child in top_bar if child.name.split(':')[0] in TALLIES]
    if tallies != ['%s: 0' % tally for tally in TALLIES]:
        raise Failure('the top bar reads its tallies as %s' % tallies)

    heard = Heard({'key': 'start', 'at': '', 'says': [TITLE], 'cell': 'центр: пусто'}, log)

    before = board.marks()
    press = heard.key('press', send=False)
    board.cells[4].queryAction().doAction(0)
    wait('the centre to read as a cross', lambda: board.cells[4].name == 'центр: крестик')
    wait('the computer\'s move', lambda: board.marks().count('O') == 1)
    press['says'] = [news(board, before)]
    heard.key('space', says=['занято'])

    box = play_by_keys(app, board, heard, use_digits=False)
    title = box.name
    say('game 1 by arrows and Space: question "%s"' % title)
    if any(states(cell).contains(pyatspi.STATE_ENABLED) for cell in board.cells):
        raise Failure('a cell is available while the question is open')
    yes = answer(app, box, 'Cyrillic_de', heard)
    wait('an empty board after Д', lambda: board.marks() == ['.'] * 9)
    yes.update(says=['Новая игра'], cell=wait('the focus back on the board', lambda: board.cursor() is not None
                                              and board.cells[board.cursor()].name))
    expected = '%s: 1' % next(tally for tally, counted in TALLIES.items() if counted == title)
    tallies = [child.name for child in top_bar if child.name.split(':')[0] in TALLIES]
    if expected not in tallies:
        raise Failure('after "%s" the top bar reads %s' % (title, tallies))
    say('Д answered Yes; the tallies read %s' % tallies)

    # A click tells the move as a key does.
    before = board.marks()
    left, top, _, _ = extents(board.cells[choose(before)])
    click = heard.key('click', send=False)
    xdotool('mousemove', '--sync', str(left + CELL // 2), str(top + CELL // 2), 'click', '1')
    wait('the computer\'s answer to a click', lambda: board.marks().count('O') == 1)
    click['says'] = [news(board, before)]

    box = play_by_keys(app, board, heard, use_digits=True)
    say('game 2 by a click and the keypad\'s digits: question "%s"' % box.name)
    answer(app, box, 'Cyrillic_en', heard, closes=True)  # Н: No ends the program
    say('Н answered No')
    return heard


def words(text):
    """What is said, without the punctuation that Orca versions add or drop."""
    return re.findall(r'\w+', text.lower())


def said_words(text):
    """An utterance's words; a page's button is read with its role in the same breath: "центр: пусто button"."""
    said = words(text)
    return said[:-1] if said[-1:] == ['button'] else said


def in_order(heard, says):
    """Whether each phrase is said, word for word, after the one before it; the phrases of a group
    (a list) in any order among themselves."""
    position = 0
    for group in says:
        end = position
        for phrase in map(words, [group] if isinstance(group, str) else group):
            at = next((i for i in range(position, len(heard)) if heard[i:i + len(phrase)] == phrase), None)
            if at is None:
                return False
            end = max(end, at + len(phrase))
        position = end
    return True


def judge(keys, spoken):
    """Each key's phrases in order, each fact once, no cell but its own and no word on a cell's state,
    among what Orca said before the next key."""
    for key, following in zip(keys, keys[1:] + [{'at': '~'}]):
        said = [said_words(text) for at, text in spoken if key['at'] <= at < following['at']]
        heard = sum(said, [])
        cells = [text for text in said if text and text[0] in (*harness.ROWS, 'центр') and text[-1] in harness.MARKS]
        if (key['cell'] and cells != [words(key['cell'])]) or not in_order(heard, key['says']) \
                or heard.count('крестик') > 1 or heard.count('компьютер') > 1 \
                or {'grayed', 'unavailable', 'dimmed'} & set(heard):
            raise Failure('after %s Orca said %s; expected %s and the cell %s alone'
                          % (key['key'], [' '.join(text) for text in said], key['says'], key['cell']))
    say('Orca said what each of %d keys called for' % (len(keys) - 1))


# The web site in Chromium, read by Orca through the page's tree: the cells are the page's buttons,
# the question its dialog; keys alone play one game to the question, and Нет ends it.
class WebBoard(Board):
    def __init__(self, cells):
        self.cells = cells


class WebPage:
    """The page as the desktop's steps look at the game: its one window the question, once asked."""

    def __init__(self, app):
        self.document = pyatspi.findDescendant(app, lambda a: a is not None and a.getRoleName() == 'document web')

    def __iter__(self):
        box = pyatspi.findDescendant(self.document, lambda a: a is not None and a.name in QUESTIONS
                                     and a.getRoleName() in ('alert', 'dialog'))
        return iter([box] if box else [])


def web_cells(app):
    """The board's nine buttons, in the game's order (down each column) from the page's reading order."""
    found = pyatspi.findAllDescendants(app, lambda a: a is not None and a.getRoleName() in ('push button', 'button')
                                       and CELL_NAME.fullmatch(a.name or ''))
    return [found[(i % 3) * 3 + i // 3] for i in range(9)] if len(found) == 9 else None


def web_main(log):
    desktop = pyatspi.Registry.getDesktop(0)
    # The browser's window has the keyboard while the page loads, as a window manager would give it:
    # Orca then meets the game's focus there, inside the page's application.
    found = wait('Chromium\'s window', lambda: x_windows(TITLE), seconds=60)
    xdotool('windowfocus', '--sync', found[0])
    app = wait('Chromium on the bus', lambda: next((a for a in desktop if a is not None and a.name.lower() == 'chromium'), None), seconds=60)
    board = WebBoard(wait('the nine cells in the page', lambda: web_cells(app), seconds=90))
    wait('the browser\'s focus on the centre', lambda: board.cursor() == 4, seconds=20)
    heard = Heard({'key': 'start', 'at': '', 'says': ['центр: пусто'], 'cell': None}, log)
    # Orca starts reading a page once it has loaded, and goes on in its browse mode, where the arrows
    # are its own; Control stops the reading, as a player does. Orca+A then hands the keys to the game
    # and the focus to what Orca's reading stopped at, wherever that was: the focus is first put on a
    # cell, as a screen reader puts it, and Orca's reading follows. Orca may have gone into focus mode
    # of its own as the focus came into the page's application; Orca+A then toggles twice.
    heard.key('Control_L')
    heard.settle()
    target = 1 if board.cursor() == 4 else 4  # a cell that has not the focus, so that it moves
    heard.key('grab', cell=board.cells[target].name, send=False)
    board.cells[target].queryComponent().grabFocus()
    toggle = heard.key('Insert+a', says=['mode'])
    heard.settle()
    if ['browse', 'mode'] in heard.since(toggle['at']):
        toggle['says'] = ['browse mode']
        heard.key('Insert+a', says=['focus mode'])
    else:
        toggle['says'] = ['focus mode']
    box = play_by_keys(WebPage(app), board, heard, use_digits=False)
    # The news from the live region, and the question's caption, text and default button as the focus
    # lands on it: the page's polite news and the focus's reading may come in either order.
    heard[-1]['says'] = [[p for p in heard[-1]['says'][0] if not p.startswith('alert ')] + [box.name, QUESTIONS[box.name], 'Да']]
    say('a game by arrows and Space in the page: question "%s"' % box.name)
    heard.key('Tab', says=['Нет'])
    heard.key('space', says=['Игра окончена'])
    wait('the page to say the game is over', lambda: pyatspi.findDescendant(
        app, lambda a: a is not None and (a.name or '').startswith('Игра окончена')))
    heard.settle()  # before the browser is stopped
    return heard


def run(task, keys, log):
    if task == 'judge':
        with open(keys) as file, open(log, errors='replace') as spoken:
            return judge(json.load(file), SPEECH.findall(spoken.read()))
    with open(keys, 'w') as file:
        json.dump({'play': main, 'play-web': web_main}[task](log), file)


if __name__ == '__main__':
    harness.command('e2e-a11y', lambda: run(*sys.argv[1:4]))
