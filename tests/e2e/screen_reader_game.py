#!/usr/bin/env python3
"""Novagrid as a screen reader meets it, read and played through AT-SPI.

The game runs on an Xvfb server of its own (novagrid_desktop), on a private
session bus with an AT-SPI bus of its own (at-spi-bus-launcher, which brings
the AT-SPI registry with it), with Qt's accessibility bridge switched on.
This script is the assistive client: pyatspi, on the same buses, reads what
the game tells a screen reader, and xdotool types the keys a blind player
would.

The game is run twice, once in English and once in German (the language
stored in its settings beforehand, so it does not ask), and each time the
client finds the application and its main window, prints the tree it read
and checks what a screen reader needs: the tool bar buttons by name, role
and tool tip, the sound button's checked state flipping with M, the board
as a 9 x 9 table of cells, the waiting piece, level, score and time left,
the announcements, and no pause text showing while the game runs. Then a
piece is played by keys (Ctrl+N, Enter, Enter: it lands in the middle of
the board), and the client must read the changed cells, the score and an
announcement of the placed piece. The game is left with Ctrl+Q, Enter on
the give-up question and Esc on the highscore table, and must end with
exit status 0.

Usage: screen_reader_game.py --program <novagrid>
Exits 0 when a screen reader can follow the game, 1 with the step that
failed and what was read instead; the work folder with the game's output
and the buses' logs is kept for a failed run.
"""

import argparse
import contextlib
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

# pyatspi finds the AT-SPI bus when it is first used, not when imported: by
# then this script's environment names the private buses (Buses below).
import pyatspi
from gi.repository import GLib

from novagrid_desktop import CAPTION, CLIENT, SEED, Desktop, Failure, stop

PROGRAM_NAME = "novagrid"
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

NAME_CHANGED = "object:property-change:accessible-name"

# What the game tells a screen reader, in each language. A tool bar button
# is (name, role, tool tip).
ENGLISH = {
    "language": "English",
    "tongue": 0,
    "buttons": [
        ("New game", "push button", "I start again."),
        ("Pause", "push button", "I need a break."),
        ("Sound", "check box", "I dont like the sound always."),
        ("Highscore table", "push button", "Who are the best?"),
        ("Quit", "push button", "I have enough!"),
        ("Language", "push button", "Ich spreche nicht englisch."),
        ("Rules", "push button", "What's to do here?"),
        ("Info", "push button", "Who did these BLUMO GAME?"),
        ("Maker's web site", "push button", "Hurrah, there are more BLUMO GAMES."),
    ],
    "sound": "Sound",
    "playfield": "Playfield",
    "board": "Board",
    "cell": r"row {row}, column {column}, (?:(empty)|1 layer|[2-4] layers)",
    "waiting": "Waiting piece:",
    "carried": r"Carried piece: over row [1-9], column [1-9]\b",
    "level": r"Level \d+",
    "score": r"Score (\d+)",
    "time left": "Time left",
    "announcements": "Announcements",
    "piece placed": "Piece placed",
    "highscore caption": "Novagrid - Highscore",
    "rules keys": "Key\nDoes\nCtrl+N\nNew game, like the bomb button.\nP or Pause\n",
}

GERMAN = {
    "language": "German",
    "tongue": 1,
    "buttons": [
        ("Neues Spiel", "push button", "Ich fang neu an."),
        ("Pause", "push button", "Ich brauch eine kurze Pause."),
        ("Geräusche", "check box", "Die Geräusche mag ich nicht immer."),
        ("Bestenliste", "push button", "Wer sind die Besten?"),
        ("Beenden", "push button", "Ich hab genug!"),
        ("Sprache", "push button", "I don't speak german."),
        ("Spielregeln", "push button", "Worum geht's da eigentlich?"),
        ("Info", "push button", "Wer hat diese Spiele nur verbrochen?"),
        ("Webseite des Herstellers", "push button", "Hurra, es gibt noch mehr Blumo Games."),
    ],
    "sound": "Geräusche",
    "playfield": "Spielfeld",
    "board": "Spielbrett",
    "cell": r"Reihe {row}, Spalte {column}, (?:(leer)|1 Schicht|[2-4] Schichten)",
    "waiting": "Wartender Stein:",
    "carried": r"Getragener Stein: über Reihe [1-9], Spalte [1-9]\b",
    "level": r"Stufe \d+",
    "score": r"Punkte (\d+)",
    "time left": "Restzeit",
    "announcements": "Ansagen",
    "piece placed": "Stein gelegt",
    "highscore caption": "Novagrid - Bestenliste",
    "rules keys": "Taste\nTut\nStrg+N\nNeues Spiel, wie der Knopf mit der Bombe.\nP oder Pause\n",
}

# Words of the pause text ("... to continue", "... zum weitermachen").
PAUSE_WORDS = ("continue", "weiter")

# Enter brings the piece's 3 x 3 frame onto the middle of the board: rows
# and columns 4 to 6, counted from 1.
MIDDLE = range(4, 7)


@contextlib.contextmanager
def step(name):
    """Names the step in the log and in any failure within it."""
    print(f"-- {name}", flush=True)
    try:
        yield
    except Failure as failure:
        raise Failure(f"{name}: {failure}") from None
    except GLib.Error as error:
        raise Failure(f"{name}: an AT-SPI call failed: {error.message}") from None


class Buses:
    """A private session bus and the AT-SPI bus on it, for the X server given.

    This process joins them: its environment names them from here on, so
    the pyatspi client and every program started with os.environ use them."""

    def __init__(self, work, display):
        self.work = work
        self.runtime = os.path.join(work, "runtime")
        os.mkdir(self.runtime, 0o700)
        self.log = open(os.path.join(work, "buses.log"), "w")
        self.session = None
        self.launcher = None
        try:
            self.start(display)
        except Failure:
            self.close()
            raise

    def start(self, display):
        read_end, write_end = os.pipe()
        self.session = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", f"--print-address={write_end}"],
            pass_fds=(write_end,), stdout=self.log, stderr=subprocess.STDOUT)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            address = pipe.readline().strip()
        if not address:
            raise Failure("the private session bus (dbus-daemon --session) did not start; see buses.log")
        for inherited in ("AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "WAYLAND_SOCKET"):
            os.environ.pop(inherited, None)
        os.environ.update(DISPLAY=display, DBUS_SESSION_BUS_ADDRESS=address, XDG_RUNTIME_DIR=self.runtime)
        # The launcher starts the AT-SPI bus at once and tells where it is on
        # the session bus and on the X server's root window; the registry is
        # started on it when the first client asks.
        self.launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"],
                                         stdout=self.log, stderr=subprocess.STDOUT)
        self.wait_for_accessibility_bus(address)

    def wait_for_accessibility_bus(self, address):
        """Waits for the launcher to own its name on the session bus (asking
        the bus itself, which starts nothing on its own)."""
        deadline = time.monotonic() + 10
        while True:
            asked = subprocess.run(
                ["dbus-send", f"--bus={address}", "--print-reply", "--dest=org.freedesktop.DBus", "/",
                 "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
                capture_output=True, text=True, timeout=10)
            if asked.returncode == 0 and "boolean true" in asked.stdout:
                return
            if self.launcher.poll() is not None:
                raise Failure(f"{BUS_LAUNCHER} ended (exit code {self.launcher.returncode}); see buses.log")
            if time.monotonic() > deadline:
                raise Failure("the AT-SPI bus launcher took no name on the session bus within 10 s: "
                              f"{(asked.stdout + asked.stderr).strip()}")
            time.sleep(0.05)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def close(self):
        stop(self.launcher)
        stop(self.session)
        self.log.close()


# ---- Reading the tree --------------------------------------------------------------

def children(accessible):
    return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]


def descendants(accessible, depth=0):
    for child in children(accessible):
        yield child
        if depth < 30:
            yield from descendants(child, depth + 1)


def role(accessible):
    return accessible.getRoleName()


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def checked(accessible):
    return accessible.getState().contains(pyatspi.STATE_CHECKED)


def table_of(accessible):
    try:
        return accessible.queryTable()
    except NotImplementedError:
        return None


def value_of(accessible):
    try:
        return accessible.queryValue()
    except NotImplementedError:
        return None


def describe(accessible):
    """One object as a screen reader would list it."""
    text = f"{role(accessible)} {accessible.name!r}"
    if accessible.description:
        text += f" [description {accessible.description!r}]"
    if checked(accessible):
        text += " checked"
    if not showing(accessible):
        text += " (not showing)"
    table = table_of(accessible)
    if table is not None:
        text += f" ({table.nRows} x {table.nColumns})"
    value = value_of(accessible)
    if value is not None:
        text += f" (value {value.currentValue:g} of {value.minimumValue:g} to {value.maximumValue:g})"
    return text


def tree_lines(accessible, depth=0):
    """The tree under `accessible`, indented; the board's cells in one line,
    with those that hold tiles listed by name."""
    lines = ["  " * depth + describe(accessible)]
    if depth >= 30:
        return lines
    kids = children(accessible)
    cells = [kid for kid in kids if role(kid) == "list item"]
    if cells:
        filled = [cell.name for cell in cells if not re.search(r", (empty|leer)$", cell.name)]
        lines.append("  " * (depth + 1) + f"{len(cells)} cells, {len(cells) - len(filled)} of them empty"
                     + (", and:" if filled else ""))
        lines += ["  " * (depth + 2) + repr(name) for name in filled]
    for kid in kids:
        if role(kid) != "list item":
            lines += tree_lines(kid, depth + 1)
    return lines


def print_tree(title, accessible):
    print(f"{title}:\n" + "\n".join(tree_lines(accessible)), flush=True)


def listing(objects):
    return "; ".join(f"{role(o)} {o.name!r}" for o in objects) or "nothing"


# ---- The client --------------------------------------------------------------------

class Client:
    """The assistive client: reads the game's tree and hears its events."""

    def __init__(self, desktop):
        self.desktop = desktop
        self.events = []
        pyatspi.Registry.registerEventListener(self.heard, NAME_CHANGED)
        # No cached names or states: every read asks the game.
        pyatspi.Registry.getDesktop(0).setCacheMask(pyatspi.cache.NONE)

    def heard(self, event):
        """Keeps each name change with the new name. Qt's bridge sends the
        object itself along, not its name: the name is read as it comes."""
        if isinstance(event.any_data, str):
            text = event.any_data
        else:
            try:
                text = event.source.name
            except GLib.Error as error:
                text = f"(unreadable: {error.message})"
        self.events.append((event.source, text))

    def pump(self):
        """Hands the events that have come to the listener."""
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass

    def wait_until(self, what, read, accept, timeout=10.0):
        """Reads until accept() takes what was read, and returns that."""
        deadline = time.monotonic() + timeout
        while True:
            self.pump()
            value = read()
            if accept(value):
                return value
            game = self.desktop.game
            if game.poll() is not None:
                raise Failure(f"the game ended (exit code {game.returncode}) while waiting for {what}; "
                              f"read {value!r}")
            if time.monotonic() > deadline:
                raise Failure(f"no {what} within {timeout:.0f} s; read {value!r} instead")
            time.sleep(0.05)

    def application(self, pid):
        """The game's application object, known by its process id."""
        desktop = pyatspi.Registry.getDesktop(0)

        def find():
            for app in children(desktop):
                try:
                    if app is not None and app.get_process_id() == pid:
                        return app
                except GLib.Error:
                    continue  # an application that has just gone
            return None

        return self.wait_until(f"application of process {pid} on the AT-SPI desktop", find, bool, timeout=20)


def named(objects, name):
    return [o for o in objects if o.name == name]


def one_named(place, objects, name, roles):
    """The one object among `objects` named `name`, of one of `roles`."""
    found = named(objects, name)
    if not found:
        raise Failure(f"no object named {name!r} {place}; read: {listing(objects)}")
    fitting = [o for o in found if role(o) in roles]
    if not fitting:
        raise Failure(f"{name!r} {place} has role {role(found[0])!r}, not {' or '.join(map(repr, roles))}")
    return fitting[0]


def one_of_role(place, objects, wanted, accept, what):
    """The one object among `objects` of role `wanted` whose name accept() takes."""
    of_role = [o for o in objects if role(o) == wanted]
    fitting = [o for o in of_role if accept(o.name)]
    if len(fitting) != 1:
        raise Failure(f"{len(fitting)} objects of role {wanted!r} named {what} {place}, not one; "
                      f"read: {listing(of_role)}")
    return fitting[0]


class Screen:
    """The playfield's parts as the client found them in one run."""

    def __init__(self, texts):
        self.texts = texts


def check_window(app):
    with step("the application's name"):
        if app.name != PROGRAM_NAME:
            raise Failure(f"the application is named {app.name!r}, not {PROGRAM_NAME!r}")
    with step("the main window"):
        window = one_named("among the application's windows", children(app), CAPTION, ("frame",))
    return window


def check_tool_bar(window, texts):
    with step("the tool bar buttons, their roles and tool tips"):
        everything = list(descendants(window))
        buttons = [o for o in everything if role(o) in ("push button", "toggle button", "check box")]
        read = "; ".join(f"{role(b)} {b.name!r} [description {b.description!r}]" for b in buttons)
        for name, wanted, tool_tip in texts["buttons"]:
            found = named(buttons, name)
            if not found:
                raise Failure(f"no button named {name!r}; the buttons read: {read}")
            if role(found[0]) != wanted:
                raise Failure(f"the button {name!r} has role {role(found[0])!r}, not {wanted!r}")
            if found[0].description != tool_tip:
                raise Failure(f"the button {name!r} is described {found[0].description!r}, "
                              f"not by its tool tip {tool_tip!r}")
    return named(buttons, texts["sound"])[0]


def check_sound_button(client, sound, desktop):
    with step("the sound button checked while the sound is on, and M flipping it"):
        if not checked(sound):
            raise Failure(f"the sound is on, the sound button reads {describe(sound)}")
        desktop.key("m")
        client.wait_until("sound button without the checked state after M", lambda: describe(sound),
                          lambda _: not checked(sound))
        desktop.key("m")
        client.wait_until("sound button checked again after a second M", lambda: describe(sound),
                          lambda _: checked(sound))


def check_no_pause_text(app):
    with step("no pause text showing while the game is not paused"):
        shown = [o for o in descendants(app)
                 if any(word in o.name.lower() for word in PAUSE_WORDS) and showing(o)]
        if shown:
            raise Failure(f"showing: {listing(shown)}")


def cell_pattern(texts, row, column):
    return re.compile(texts["cell"].format(row=row, column=column))


def read_board(texts, table):
    """The board's cells by (row, column), counted from 1, read through the
    Table interface; fails unless each is an item named for its place."""
    cells = {}
    for row in range(1, 10):
        for column in range(1, 10):
            cell = table.getAccessibleAt(row - 1, column - 1)
            if cell is None:
                raise Failure(f"the table has no cell at row {row}, column {column}")
            match = cell_pattern(texts, row, column).fullmatch(cell.name)
            if role(cell) != "list item" or match is None:
                raise Failure(f"the cell at row {row}, column {column} reads {role(cell)} {cell.name!r}")
            cells[row, column] = cell.name
    return cells


def empty_cells(texts, cells):
    return {place for place, name in cells.items() if cell_pattern(texts, *place).fullmatch(name).group(1)}


def check_playfield(window, texts):
    screen = Screen(texts)
    with step("the playfield"):
        screen.playfield = one_named("in the main window", list(descendants(window)), texts["playfield"],
                                     ("panel", "filler"))
        parts = children(screen.playfield)
    with step("the board, a 9 x 9 table of 81 cells"):
        board = one_named("in the playfield", parts, texts["board"], ("table",))
        screen.table = board.queryTable()
        if (screen.table.nRows, screen.table.nColumns) != (9, 9):
            raise Failure(f"the table has {screen.table.nRows} rows and {screen.table.nColumns} columns")
        kids = children(board)
        if len(kids) != 81 or any(role(kid) != "list item" for kid in kids):
            raise Failure(f"the table holds {len(kids)} children: {listing(kids[:12])}")
        names = [kid.name for kid in kids]
        places = {(r, c) for r in range(1, 10) for c in range(1, 10)
                  if any(cell_pattern(texts, r, c).fullmatch(name) for name in names)}
        if len(places) != 81:
            raise Failure(f"the cells are named for {len(places)} places, not 81: {names[:12]}")
        cells = read_board(texts, screen.table)
        if empty_cells(texts, cells) != set(cells):
            raise Failure(f"before the first game the board holds {sorted(set(cells) - empty_cells(texts, cells))}")
    with step("the waiting piece, level and score beside the board"):
        screen.waiting = one_of_role("in the playfield", parts, "label",
                                     lambda name: name.startswith(texts["waiting"]), f"{texts['waiting']} ...")
        screen.level = one_of_role("in the playfield", parts, "label",
                                   lambda name: re.fullmatch(texts["level"], name), texts["level"])
        screen.score = one_of_role("in the playfield", parts, "label",
                                   lambda name: re.fullmatch(texts["score"], name), texts["score"])
    with step("the time left, a progress bar with a value"):
        bar = one_named("in the playfield", parts, texts["time left"], ("progress bar",))
        screen.time_left = value_of(bar)
        if screen.time_left is None:
            raise Failure(f"{describe(bar)} offers no Value interface")
    with step("the announcements, a status bar"):
        status_bars = [o for o in descendants(screen.playfield) if role(o) == "status bar"]
        if len(status_bars) != 1:
            raise Failure(f"{len(status_bars)} status bars in the playfield, not one; "
                          f"the playfield holds: {listing(parts)}")
        screen.announcer = status_bars[0]
        if texts["announcements"] not in (screen.announcer.name, screen.announcer.description):
            raise Failure(f"the status bar reads {describe(screen.announcer)}, "
                          f"neither named nor described {texts['announcements']!r}")
    return screen


def play_a_piece(client, desktop, screen):
    """Ctrl+N, Enter, Enter: a piece dealt, carried to the middle and dropped there."""
    texts = screen.texts
    score_of = re.compile(texts["score"])
    with step("Ctrl+N deals a piece"):
        before = screen.waiting.name
        desktop.key("ctrl+n")
        dealt = client.wait_until(f"waiting piece other than {before!r}", lambda: screen.waiting.name,
                                  lambda name: name != before and name.startswith(texts["waiting"]))
        print(f"dealt: {dealt!r}")
        client.wait_until("score of 0 in the new game", lambda: screen.score.name,
                          lambda name: (m := score_of.fullmatch(name)) is not None and m.group(1) == "0")
    with step("Enter carries the piece onto the board"):
        desktop.key("Return")
        carried = client.wait_until(f"carried piece ({texts['carried']} ...)", lambda: screen.waiting.name,
                                    lambda name: re.match(texts["carried"], name))
        print(f"carried: {carried!r}")
        value = screen.time_left
        current, top = value.currentValue, value.maximumValue
        if not 0 < current <= top:
            raise Failure(f"while the turn runs the time left reads {current:g} of {top:g}")
    with step("Enter drops it in the middle of the board"):
        heard_before = len(client.events)
        desktop.key("Return")

        def middle_filled():
            cells = read_board(texts, screen.table)
            return {place: cells[place] for place in cells
                    if place[0] in MIDDLE and place[1] in MIDDLE and place not in empty_cells(texts, cells)}

        client.wait_until("filled cell in rows and columns 4 to 6", middle_filled, bool)
        score = client.wait_until("score above 0", lambda: screen.score.name,
                                  lambda name: (m := score_of.fullmatch(name)) is not None and int(m.group(1)) > 0)
        print(f"score: {score!r}")
        client.wait_until(f"new waiting piece ({texts['waiting']} ...)", lambda: screen.waiting.name,
                          lambda name: name.startswith(texts["waiting"]))
    with step("the placed piece announced"):
        def announced():
            return [text for source, text in client.events[heard_before:]
                    if source is screen.announcer and text.startswith(texts["piece placed"])]

        def heard():
            return [f"{role(source)}: {text!r}" for source, text in client.events[heard_before:]]

        try:
            client.wait_until(f"{NAME_CHANGED} event starting {texts['piece placed']!r}", announced, bool)
        except Failure as failure:
            raise Failure(f"{failure}; the name changes heard: {heard()}") from None
        print(f"announced: {announced()}")


def rules_viewer(app):
    """The rules viewer, a window of the application of its own holding a text, or None."""
    for window in children(app):
        try:
            if window.queryText().characterCount > 0:
                return window
        except NotImplementedError:
            continue
    return None


def check_rules(client, desktop, app, main, texts):
    """F1: the rules read as a screen reader's say-all gets them, their key table cell by cell."""
    with step("F1 opens the rules, read in order, a table cell by cell"):
        desktop.key("F1")
        viewer = client.wait_until("the rules viewer showing", lambda: rules_viewer(app),
                                   lambda found: found is not None and showing(found), timeout=20)
        read = viewer.queryText().getText(0, -1)
        marks = sorted({f"U+{ord(c):04X}" for c in read if c in "\ufdd0\ufdd1\ufffc"})
        if marks:
            raise Failure(f"the rules' text holds the document's marks {marks}")
        if texts["rules keys"] not in read:
            at = read.find(texts["rules keys"].split("\n")[0])
            raise Failure(f"the rules' key table does not read {texts['rules keys']!r}; read {read[at:at + 200]!r}")
    with step("Esc closes the rules, the game window takes the keys again"):
        desktop.key("Escape")
        client.wait_until("the rules viewer hidden", lambda: showing(viewer), lambda shown: not shown)
        # No window manager here hands the focus back, as a desktop would.
        desktop.xdotool("windowfocus", "--sync", str(main[0]))
        desktop.wait_for("the main window to take the keys", lambda: desktop.focused() == str(main[0]))


def quit_by_keys(desktop, texts):
    with step("Ctrl+Q, Enter on the give-up question, Esc on the highscore table"):
        desktop.give_up_by_keys(texts["highscore caption"], "Escape")


def start_game(desktop, program, work, texts):
    """Starts the game with its language and the sound on stored beforehand."""
    config = os.path.join(work, f"config-{texts['language']}")
    store = os.path.join(config, "BlumoGames", "Novagrid")
    os.makedirs(store)
    with open(os.path.join(store, "V2.ini"), "w") as ini:
        ini.write(f"[common]\ntongue={texts['tongue']}\nsound=1\n")
    env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    # In the sanitized build, LeakSanitizer's stop-the-world tracer can crash
    # on Qt's accessibility D-Bus thread as it winds down at exit; the game's
    # own accessible objects are checked for leaks by the shell tests.
    if "ASAN_OPTIONS" in env:
        env["ASAN_OPTIONS"] += ":detect_leaks=0"
    with open(os.path.join(work, f"game-{texts['language']}.log"), "w") as log:
        desktop.game = subprocess.Popen([program, "--seed", str(SEED)], env=env, cwd=work,
                                        stdout=log, stderr=subprocess.STDOUT)


def run_in(client, desktop, program, work, texts):
    with step("the game started, its splash gone and its window holding the keys"):
        start_game(desktop, program, work, texts)
        main = desktop.wait_for("the main window", lambda: desktop.window(CLIENT, CAPTION), timeout=20)
        desktop.wait_for("the main window to take the keys", lambda: desktop.focused() == str(main[0]))
    with step("the client finds the game"):
        app = client.application(desktop.game.pid)
        print_tree(f"{texts['language']}: the tree as the client read it", app)
    window = check_window(app)
    sound = check_tool_bar(window, texts)
    check_sound_button(client, sound, desktop)
    check_no_pause_text(app)
    screen = check_playfield(window, texts)
    play_a_piece(client, desktop, screen)
    print_tree(f"{texts['language']}: the tree after the piece was dropped", app)
    check_rules(client, desktop, app, main, texts)
    quit_by_keys(desktop, texts)


def test(work, program):
    with Desktop(work) as desktop, Buses(work, desktop.display):
        with step("the client on the AT-SPI bus"):
            client = Client(desktop)
        for texts in (ENGLISH, GERMAN):
            with step(f"in {texts['language']}"):
                run_in(client, desktop, program, work, texts)


def main():
    parser = argparse.ArgumentParser(description="Reads and plays Novagrid through AT-SPI, as a screen reader does.")
    parser.add_argument("--program", required=True, help="the novagrid to read and play")
    arguments = parser.parse_args()
    work = tempfile.mkdtemp(prefix="novagrid-a11y-")
    try:
        test(work, os.path.abspath(arguments.program))
    except Failure as failure:
        print(f"FAIL: {failure}")
        for log in sorted(glob.glob(os.path.join(work, "game-*.log"))):
            with open(log, errors="replace") as output:
                print(f"{os.path.basename(log)}:\n{output.read()}")
        print(f"the games' output, their settings and the buses' log are kept in {work}")
        return 1
    shutil.rmtree(work)
    print("a screen reader read and played the game in English and in German")
    return 0


if __name__ == "__main__":
    sys.exit(main())
