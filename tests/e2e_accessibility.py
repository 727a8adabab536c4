# The game as a screen reader and a keyboard-only player meet it, through the real AT-SPI bus:
# the board's nine cells by their rectangles and names, a move by the press action, the change and
# the computer's answer told, the tallies' names, and whole games played with keys alone.
# Run by e2e_accessibility.sh, which starts the buses, the X server and the game.
import subprocess
import sys
import time

import gi

gi.require_version('Atspi', '2.0')
import pyatspi
from gi.repository import GLib

PICTURE_X, PICTURE_Y, CELL = 1, 42, 100
LINES = [(0, 1, 2), (3, 4, 5), (6, 7, 8), (0, 3, 6), (1, 4, 7), (2, 5, 8), (0, 4, 8), (2, 4, 6)]
QUESTION_TITLES = {'Победа!', 'Поражение!', 'Ничья!'}


def fail(message):
    print('e2e-a11y: FAIL: ' + message, file=sys.stderr)
    sys.exit(1)


def say(message):
    print('e2e-a11y: ' + message, flush=True)


def wait_for(what, probe, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = probe()
        if result:
            return result
        pump(0.05)
    fail('waited %g s for %s' % (seconds, what))


def pump(seconds):
    """Lets events in while waiting; the listeners run from GLib's loop."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


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
    return next((w for w in windows(app) if w.name == 'Крестики-нолики'), None)


def question(app):
    return next((w for w in windows(app) if w.name in QUESTION_TITLES), None)


def xdotool(*args):
    subprocess.run(['xdotool', *args], check=True, timeout=10)


class Board:
    """The board found by the rectangles it should have on screen, its cells by what is under their centres."""

    def __init__(self, window):
        wx, wy, _, _ = extents(window)
        self.origin = (wx + PICTURE_X, wy + PICTURE_Y)
        component = window.queryComponent()
        self.cells = []
        for index in range(9):  # index = column * 3 + row, as the game counts
            column, row = divmod(index, 3)
            left, top = self.origin[0] + column * CELL, self.origin[1] + row * CELL
            cell = component.getAccessibleAtPoint(left + CELL // 2, top + CELL // 2, pyatspi.DESKTOP_COORDS)
            if cell is None or cell.getRoleName() != 'table cell':
                fail('no table cell under the centre of cell %d' % index)
            if extents(cell) != (left, top, CELL, CELL):
                fail('cell %d spans %s, expected %s' % (index, extents(cell), (left, top, CELL, CELL)))
            self.cells.append(cell)
        self.table = self.cells[0].parent
        if self.table.getRoleName() != 'table' or self.table.childCount != 9:
            fail('the cells are not the nine children of one table')

    def names(self):
        return [cell.name for cell in self.cells]

    def marks(self):
        marks = []
        for name in self.names():
            mark = name.rsplit(': ', 1)[-1]
            marks.append({'крестик': 'X', 'нолик': 'O', 'пусто': '.'}.get(mark, '?'))
        return marks

    def cursor(self):
        focused = [i for i, cell in enumerate(self.cells) if states(cell).contains(pyatspi.STATE_FOCUSED)]
        return focused[0] if len(focused) == 1 else None


def choose(marks):
    """A winning cell, else a block, else the first free one."""
    for mark in 'XO':
        for line in LINES:
            values = [marks[i] for i in line]
            if values.count(mark) == 2 and values.count('.') == 1:
                return line[values.index('.')]
    return marks.index('.')


def arrows_to(start, target):
    """Keys that take the cursor from one cell to another."""
    (c0, r0), (c1, r1) = divmod(start, 3), divmod(target, 3)
    keys = ['Right' if c1 > c0 else 'Left'] * abs(c1 - c0) + ['Down' if r1 > r0 else 'Up'] * abs(r1 - r0)
    return keys


def keypad_digit(cell):
    column, row = divmod(cell, 3)
    return str((2 - row) * 3 + column + 1)


def play_by_keys(app, board, use_digits):
    """Plays to the question with keys alone, reading the board as a screen reader does."""
    while True:
        marks = board.marks()
        target = choose(marks)
        if use_digits:
            xdotool('key', keypad_digit(target))
        else:
            start = board.cursor()
            if start is None:
                fail('no cell has the focus')
            xdotool('key', *arrows_to(start, target), 'space')
        crosses = marks.count('X')
        wait_for('a cross on cell %d' % target,
                 lambda: question(app) or (board.marks()[target] == 'X' and board.marks().count('X') == crosses + 1))
        box = question(app)
        if box is not None:
            return box


def answer(app, box, key, closes=False):
    focus = subprocess.run(['xdotool', 'getwindowfocus'], capture_output=True, text=True).stdout.strip()
    title = box.name
    found = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', '^%s$' % title],
                           capture_output=True, text=True).stdout.split()
    if found and focus not in found:
        xdotool('windowfocus', '--sync', found[0])
    xdotool('key', key)
    if closes:
        return
    wait_for('the question "%s" to go after %s' % (title, key), lambda: question(app) is None)


def main():
    app = wait_for('the game on the bus', game_app)
    window = wait_for('the window', lambda: main_window(app))
    # A window manager would hand the new window the keyboard; here the test does.
    found = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', '^Крестики-нолики$'],
                           capture_output=True, text=True).stdout.split()
    xdotool('windowfocus', '--sync', found[0])
    board = Board(window)
    names = board.names()
    if names[4] != 'центр: пусто' or names[0] != 'верх, слева: пусто' or len(set(names)) != 9:
        fail('the cells are named %s' % names)
    if not all(name.endswith(': пусто') for name in names):
        fail('a fresh board has a mark: %s' % names)
    if board.cursor() != 4:
        fail('the focus is on cell %s, expected the centre' % board.cursor())
    if not states(board.cells[4]).contains(pyatspi.STATE_ENABLED):
        fail('a free cell is unavailable')
    say('board and nine cells found by their rectangles; cursor on the centre')

    # The top bar reads its tallies left to right, as it shows them.
    top_bar = [child for child in window if child is not None and child.getRoleName() == 'frame'][0]
    tallies = [child.name for child in top_bar if child.name.split(':')[0] in ('Побед', 'Ничья', 'Поражений')]
    if tallies != ['Побед: 0', 'Ничья: 0', 'Поражений: 0']:
        fail('the top bar reads its tallies as %s' % tallies)

    heard = []
    pyatspi.Registry.registerEventListener(lambda e: heard.append((e.type, e.source.name, e.source.description)),
                                           'object:property-change:accessible-name',
                                           'object:property-change:accessible-description')
    pump(0.5)  # the game learns of the listeners over the bus

    board.cells[4].queryAction().doAction(0)
    wait_for('the centre to read as a cross', lambda: board.cells[4].name == 'центр: крестик')
    told = wait_for('the computer\'s move told', lambda: [d for t, n, d in heard if d.startswith('Компьютер: ')])
    place = told[-1][len('Компьютер: '):]
    if board.table.description != told[-1] or board.names().count(place + ': нолик') != 1:
        fail('told "%s", the board describes "%s" and reads %s' % (told[-1], board.table.description, board.names()))
    if not any(t.endswith('accessible-name') and n == 'центр: крестик' for t, n, d in heard):
        fail('no name change was heard for the centre: %s' % heard)
    if states(board.cells[4]).contains(pyatspi.STATE_ENABLED):
        fail('the taken centre is still available')
    say('the press action played the centre; heard "%s"' % told[-1])

    box = play_by_keys(app, board, use_digits=False)
    title = box.name
    say('game 1 by arrows and Space: question "%s"' % title)
    if any(states(cell).contains(pyatspi.STATE_ENABLED) for cell in board.cells):
        fail('a cell is available while the question is open')
    answer(app, box, 'Cyrillic_de')
    wait_for('an empty board after Д', lambda: board.marks() == ['.'] * 9)
    expected = {'Победа!': 'Побед: 1', 'Ничья!': 'Ничья: 1', 'Поражение!': 'Поражений: 1'}[title]
    tallies = [child.name for child in top_bar if child.name.split(':')[0] in ('Побед', 'Ничья', 'Поражений')]
    if expected not in tallies:
        fail('after "%s" the top bar reads %s' % (title, tallies))
    say('Д answered Yes; the tallies read %s' % tallies)

    box = play_by_keys(app, board, use_digits=True)
    say('game 2 by the keypad\'s digits: question "%s"' % box.name)
    answer(app, box, 'Cyrillic_en', closes=True)  # Н: No ends the program
    say('Н answered No')


if __name__ == '__main__':
    main()
