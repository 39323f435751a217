#!/usr/bin/env python3
"""A game of Novagrid on Wayland, played with the keyboard alone.

Starts weston with its headless backend (no X server anywhere) and the test
seat module, which gives the compositor a keyboard that this test types on:
each key goes through weston's own input path and reaches the game as a
wl_keyboard event, the way a real keyboard's does. The seat also tells which
window holds the keyboard focus, so every key is typed into the window meant
for it.

weston runs with its defaults (no weston.ini: windows fade out as they
close), and the test types at a player's speed: nothing waits for the
compositor between a key that closes a dialog and the next key.

The game starts with a config folder that holds only the window's place from
an earlier run on X11, which must survive; the splash goes by itself and
the language question is answered by keys (Tab to German, Enter). Then a
piece is played (Ctrl+N, Enter, arrows, Space, Enter), the highscore table
opened with Ctrl+H, closed with Esc and the sound switched off with M at
once. Ctrl+N brings the give-up question, answered No with Esc, and Enter
at once picks the next piece up. The window's maximise box is clicked (the
game must live on at its size). F1 opens the rules twice, a click on the
game between: each time they come up with the keyboard focus and the game
pauses under them, its window still for a while; Esc puts them away and a
click on the pause text goes on with the game. Then the caption strip of a
question is clicked where a window's maximise and minimise boxes would be,
and the window's minimise box while a question is open (weston's Super+Tab brings it back, the
question still waiting). The game is left with Ctrl+Q, Enter on the quit
question and Enter on the highscore table that the score brings up.

A second weston shows a small screen (800 x 600 logical pixels) at scale 2:
the rules opened there with F1 must be no taller than the screen, and the
game must end in order on SIGTERM.

The game must end with exit status 0 and write nothing at all to stderr, and
its settings must show what the keys did: German, sound off, one game played
with a score, and the window's place kept as it was.

Usage: wayland_game.py --program <novagrid> --test-seat <novagrid-test-seat.so>
Exits 0 when the game behaved, 1 with the step that failed otherwise; the
work folder with weston's log and the game's output is kept for a failed run.
"""

import argparse
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

from novagrid_desktop import CAPTION, SEED, Failure, read_settings, stop

# Linux input key codes (linux/input-event-codes.h) of the keys the test types.
KEY_CODES = {
    "esc": 1, "tab": 15, "q": 16, "enter": 28, "ctrl": 29, "h": 35, "n": 49, "m": 50, "space": 57,
    "f1": 59, "left": 105, "down": 108, "super": 125,
}
BUTTON_LEFT = 272

# Where Qt's own window decorations put the boxes of the title bar: centres,
# from the right edge and the top of the window.
MAXIMISE_BOX = (40, 15)
MINIMISE_BOX = (63, 15)
# The game's client area inside those decorations, and the preview box on it.
CLIENT_OFFSET = (3, 30)
# Where the game says it is paused; a click there goes on with the game.
PAUSE_TEXT = (76, 33 + 144, 181, 77)
PREVIEW_BOX = (321, 33 + 53, 75, 75)

SCREEN = (1280, 1024)
# A small screen in logical pixels, shown at scale 2.
SMALL_SCREEN = (800, 600)
NARROW_SCREEN = (640, 600)  # weston places the game near its left; the tool bar's right end is far right
BUTTON_RIGHT = 273
# The window's place as an X11 run stored it.
STORED_PLACE = "200,0,1,100,50,600,400"



class Window:
    """A window as the compositor has it mapped."""

    def __init__(self, line):
        ident, x, y, width, height, focused, title = line.split("\t", 6)
        self.ident = ident
        self.place = (int(x), int(y), int(width), int(height))
        self.focused = focused == "1"
        self.title = title

    def __repr__(self):
        return f"'{self.title}' at {self.place}{' (keyboard focus)' if self.focused else ''}"


class Weston:
    """A headless weston of our own with the test seat, and the game on it."""

    def __init__(self, work, test_seat, screen=SCREEN, scale=1):
        self.work = work
        self.runtime = os.path.join(work, "runtime")
        os.mkdir(self.runtime, 0o700)
        self.display = f"wayland-novagrid-{os.getpid()}"
        seat_path = os.path.join(self.runtime, "test-seat")
        env = {key: value for key, value in os.environ.items()
               if key not in ("DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET") and not key.startswith("XKB_")}
        env.update(XDG_RUNTIME_DIR=self.runtime, NOVAGRID_TEST_SEAT=seat_path)
        self.environment = env
        with open(os.path.join(work, "weston.out"), "w") as output:
            self.server = subprocess.Popen(
                ["weston", "--backend=headless-backend.so", f"--socket={self.display}",
                 f"--width={screen[0]}", f"--height={screen[1]}", f"--scale={scale}", "--use-pixman", "--no-config",
                 f"--modules={test_seat}", f"--log={os.path.join(work, 'weston.log')}"],
                env=env, stdout=output, stderr=subprocess.STDOUT)
        self.game = None
        self.seat = None
        try:
            self.connect(seat_path)
        except Failure:
            self.close()
            raise

    def connect(self, seat_path):
        deadline = time.monotonic() + 10
        while self.seat is None:
            if self.server.poll() is not None:
                raise Failure(f"weston ended at start-up (exit code {self.server.returncode}); see weston.log")
            if time.monotonic() > deadline:
                raise Failure("weston's test seat did not come up within 10 s; see weston.log")
            try:
                self.seat = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
                self.seat.connect(seat_path)
            except OSError:
                self.seat.close()
                self.seat = None
                time.sleep(0.05)
        self.replies = self.seat.makefile("r", encoding="utf-8")
        if not os.path.exists(os.path.join(self.runtime, self.display)):
            raise Failure("weston has a seat but no Wayland socket")

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def close(self):
        if self.game is not None and self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        if self.seat is not None:
            self.replies.close()
            self.seat.close()
        stop(self.server)

    def start(self, program):
        """Starts the game on Wayland with a config folder that holds only the
        window's place from an earlier run on X11; returns that folder."""
        config = os.path.join(self.work, "config")
        store = os.path.join(config, "BlumoGames", "Novagrid")
        os.makedirs(store)
        with open(os.path.join(store, "V2.ini"), "w") as ini:
            ini.write(f'[common]\nMainForm="{STORED_PLACE}"\n')
        env = dict(self.environment, WAYLAND_DISPLAY=self.display, QT_QPA_PLATFORM="wayland",
                   XDG_CONFIG_HOME=config)
        del env["NOVAGRID_TEST_SEAT"]
        with open(os.path.join(self.work, "game.out"), "w") as out, \
                open(os.path.join(self.work, "game.err"), "w") as err:
            self.game = subprocess.Popen([program, "--seed", str(SEED)], env=env, cwd=self.work,
                                         stdout=out, stderr=err)
        return config

    def command(self, line):
        """Sends one command to the test seat; returns the lines of its answer."""
        self.seat.sendall((line + "\n").encode())
        answer = []
        for reply in self.replies:
            reply = reply.rstrip("\n")
            if reply == "ok":
                return answer
            if reply.startswith("error"):
                raise Failure(f"the test seat refused '{line}': {reply}")
            answer.append(reply)
        raise Failure(f"weston closed the test seat during '{line}'")

    def windows(self):
        return [Window(line) for line in self.command("windows")]

    def focused(self):
        return next((window for window in self.windows() if window.focused), None)

    def key(self, chord):
        """Types a key, with modifiers held as in "ctrl+n"."""
        codes = [KEY_CODES[name] for name in chord.split("+")]
        for code in codes:
            self.command(f"key {code} press")
        for code in reversed(codes):
            self.command(f"key {code} release")

    def wait_for(self, what, probe, timeout=10.0):
        """Polls probe() until it returns something true, and returns that."""
        deadline = time.monotonic() + timeout
        while True:
            result = probe()
            if result:
                return result
            if self.game.poll() is not None:
                raise Failure(f"the game ended (exit code {self.game.returncode}) while waiting for {what}")
            if time.monotonic() > deadline:
                raise Failure(f"timed out after {timeout:.0f} s waiting for {what}; "
                              f"the windows: {self.windows()}")
            time.sleep(0.05)

    def focus_on(self, what, accept):
        """Waits until the keyboard focus is on a window that accept() takes; returns it."""
        def probe():
            window = self.focused()
            return window if window is not None and accept(window) else None
        return self.wait_for(f"{what} to hold the keyboard focus", probe)

    def click(self, x, y):
        self.command(f"motion {x} {y}")
        self.command(f"button {BUTTON_LEFT} press")
        self.command(f"button {BUTTON_LEFT} release")

    def pixels(self, window):
        """What the window shows now: (width, height, RGB bytes)."""
        path = os.path.join(self.work, "capture.ppm")
        self.command(f"capture {window.ident} {path}")
        with open(path, "rb") as image:
            data = image.read()
        magic, size, depth, rest = data.split(b"\n", 3)
        width, height = map(int, size.split())
        return width, height, rest

    def gone(self, what, window):
        self.wait_for(f"{what} to close", lambda: all(w.ident != window.ident for w in self.windows()))


def caption_strip(weston, window):
    """Where a dialog's caption strip shows inside the window, as (left, top,
    run), or None: a run of its dark blue, from its left end on, longer than
    any title leaves it."""
    width, height, rgb = weston.pixels(window)
    for y in range(height):
        run = 0
        for x in range(width):
            r, g, b = rgb[3 * (y * width + x):3 * (y * width + x) + 3]
            run = run + 1 if r < 0x30 and g < 0x60 and 0x78 <= b <= 0xd8 else 0
            if run >= 100:
                return (x - run + 1, y, run)
    return None


def preview_box(weston, window):
    width, _, rgb = weston.pixels(window)
    left, top, w, h = PREVIEW_BOX
    left += CLIENT_OFFSET[0]
    top += CLIENT_OFFSET[1]
    return b"".join(rgb[3 * (row * width + left):3 * (row * width + left + w)] for row in range(top, top + h))


def region(weston, window, place):
    width, _, rgb = weston.pixels(window)
    left, top, w, h = place
    left += CLIENT_OFFSET[0]
    top += CLIENT_OFFSET[1]
    return b"".join(rgb[3 * (row * width + left):3 * (row * width + left + w)] for row in range(top, top + h))


def client_area(weston, window):
    width, height, rgb = weston.pixels(window)
    left, top = CLIENT_OFFSET
    return b"".join(rgb[3 * (row * width + left):3 * (row * width + width - left)] for row in range(top, height - left))


def uncovered_caption_point(game, cover):
    """A point of the game's caption strip that `cover` leaves free, or None."""
    x, y, width, _ = game.place
    cx, cy, cw, ch = cover.place
    for px in range(x + 20, x + width - 80, 20):
        py = y + 10
        if not (cx <= px < cx + cw and cy <= py < cy + ch):
            return px, py
    return None


def rules_twice(weston, main, current):
    """F1 twice with a click on the game between: each time the rules come up
    in front with the focus and the running game waits, losing no time. Esc
    puts the rules away, and a click on the pause text goes on with the game."""
    running = region(weston, main, PAUSE_TEXT)
    for which in ("first", "second"):
        weston.key("f1")
        rules = weston.focus_on(f"the rules after the {which} F1", lambda w: w.ident != main.ident)
        weston.wait_for(f"the game to pause under the rules after the {which} F1",
                        lambda: region(weston, main, PAUSE_TEXT) != running)
        # The frame's caption greys as the focus leaves: the game's own area
        # counts. A busy machine may still be drawing the pause; the picture
        # first comes to rest for two of the turn's ticks, which a running
        # time bar never does, and then must stay so.
        def at_rest():
            first = client_area(weston, current())
            time.sleep(0.6)
            return first if client_area(weston, current()) == first else None
        try:
            before = weston.wait_for(f"the game's picture to rest under the {which} rules", at_rest, timeout=5)
        except Failure:
            raise Failure(f"the game went on under the rules after the {which} F1") from None
        time.sleep(1.5)
        if client_area(weston, current()) != before:
            raise Failure(f"the game went on under the rules after the {which} F1")
        if which == "second":
            break
        point = uncovered_caption_point(current(), rules)
        if point is not None:
            weston.click(*point)
        else:
            weston.command(f"key {KEY_CODES['super']} press")
            weston.key("tab")
            weston.command(f"key {KEY_CODES['super']} release")
        weston.focus_on(f"the game after a click on it behind the {which} rules", lambda w: w.ident == main.ident)
    weston.key("esc")
    weston.gone("the rules after Esc", rules)
    weston.focus_on("the game after the rules closed", lambda w: w.ident == main.ident)
    x, y, _, _ = current().place
    paused = region(weston, main, PAUSE_TEXT)
    weston.click(x + CLIENT_OFFSET[0] + PAUSE_TEXT[0] + 20, y + CLIENT_OFFSET[1] + PAUSE_TEXT[1] + 20)
    weston.wait_for("the game to go on after a click on its pause text",
                    lambda: region(weston, main, PAUSE_TEXT) != paused)


def play(weston, program):
    """Plays the game through by keys; returns its config folder."""
    config = weston.start(program)
    main = weston.wait_for("the main window", lambda: next(
        (w for w in weston.windows() if w.title == CAPTION), None), timeout=20)

    def current():
        return next((w for w in weston.windows() if w.ident == main.ident), None)

    def dialog(what):
        return weston.wait_for(f"{what} inside the game's window", lambda: caption_strip(weston, main))

    def no_dialog(what):
        weston.wait_for(f"{what} to close", lambda: caption_strip(weston, main) is None)

    # The splash goes by itself; on a first start the language question follows,
    # its focus on English: Tab and Enter choose German.
    dialog("the language question")
    weston.key("tab")
    weston.key("enter")
    no_dialog("the language question after Enter")
    empty = preview_box(weston, main)

    # A piece: dealt, picked up to the middle of the board, moved, turned, dropped.
    for key in ("ctrl+n", "enter", "left", "down", "space", "enter"):
        weston.key(key)

    weston.key("ctrl+h")
    dialog("the highscore table after Ctrl+H")
    weston.key("esc")
    weston.key("m")

    # The new game's question, No, and at once Enter: the waiting piece leaves the preview box.
    no_dialog("the highscore table after Esc")
    weston.wait_for("the next piece in the preview box", lambda: preview_box(weston, main) != empty)
    weston.key("ctrl+n")
    dialog("the give-up question after Ctrl+N")
    weston.key("esc")
    weston.key("enter")
    weston.wait_for("Enter, typed at once after No, to pick the waiting piece up",
                    lambda: preview_box(weston, main) == empty, timeout=3)
    weston.key("enter")  # and dropped in the middle of the board

    # The maximise box: the game lives on at its size.
    x, y, width, height = current().place
    weston.click(x + width - MAXIMISE_BOX[0], y + MAXIMISE_BOX[1])
    weston.wait_for("the window back at its size after the maximise box",
                    lambda: current() is not None and current().place[2:] == (width, height))

    rules_twice(weston, main, current)

    # A question: where a window's maximise and minimise boxes would be, its
    # caption strip has none; the question stays. The window's minimise box
    # takes game and question away together; Super+Tab brings both back.
    weston.key("ctrl+q")
    left, top, run = dialog("the quit question after Ctrl+Q")
    for box in (MAXIMISE_BOX, MINIMISE_BOX):
        weston.click(x + left + run - box[0] + 20, y + top + 5)
    if caption_strip(weston, main) is None:
        raise Failure("a click on the quit question's caption strip took the question away")
    weston.click(x + width - MINIMISE_BOX[0], y + MINIMISE_BOX[1])
    weston.wait_for("the minimise box to take the game away", lambda: current() is None)
    weston.command(f"key {KEY_CODES['super']} press")
    weston.key("tab")
    weston.command(f"key {KEY_CODES['super']} release")
    weston.focus_on("the game back after Super+Tab", lambda w: w.ident == main.ident)
    dialog("the quit question, still waiting after the minimise")
    weston.key("enter")
    # The table is wider than the question: its caption starts further left.
    weston.wait_for("the highscore table that the score brings up after Enter",
                    lambda: (caption_strip(weston, main) or (left, 0, 0))[0] < left - 20)
    weston.key("enter")
    try:
        weston.game.wait(timeout=10)
    except subprocess.TimeoutExpired:
        raise Failure("the game did not end after Enter on the highscore table")
    return config


def first_screen(weston, program):
    """Starts the game and answers the language question with Enter;
    returns the main window as it then stands."""
    weston.start(program)
    main = weston.wait_for("the main window", lambda: next(
        (w for w in weston.windows() if w.title == CAPTION), None), timeout=20)
    weston.wait_for("the language question inside the game's window", lambda: caption_strip(weston, main))
    weston.key("enter")
    weston.wait_for("the language question to close", lambda: caption_strip(weston, main) is None)
    return next(w for w in weston.windows() if w.ident == main.ident)


def quit_by_sigterm(weston, where):
    """The session's end quits the game in order; returns its exit code."""
    weston.game.terminate()
    try:
        weston.game.wait(timeout=10)
    except subprocess.TimeoutExpired:
        raise Failure(f"the game did not end after SIGTERM on {where}")
    return weston.game.returncode


def rules_fit(program, test_seat):
    """The rules on a small screen at scale 2 open no taller than the screen."""
    work = tempfile.mkdtemp(prefix="novagrid-wayland-")
    with Weston(work, test_seat, screen=SMALL_SCREEN, scale=2) as weston:
        main = first_screen(weston, program)
        weston.key("f1")
        rules = weston.focus_on("the rules after F1", lambda w: w.ident != main.ident)
        if rules.place[3] > SMALL_SCREEN[1]:
            raise Failure(f"the rules opened {rules.place[3]} px high on a screen {SMALL_SCREEN[1]} px high")
        code = quit_by_sigterm(weston, "the small screen")
    check_exit(work, code)
    shutil.rmtree(work)


def menu_on_screen(program, test_seat):
    """The tool bar's menu, opened at the tool bar's right end on a narrow
    screen, and its zoom submenu both stay on the screen (weston flips no
    popup back)."""
    work = tempfile.mkdtemp(prefix="novagrid-wayland-")
    with Weston(work, test_seat, screen=NARROW_SCREEN) as weston:
        main = first_screen(weston, program)
        left, top = main.place[0], main.place[1]
        weston.command(f"motion {left + main.place[2] - 30} {top + 50}")
        # The button is held until the menu shows, as a player's finger is: a
        # release that comes while the menu is still on its way leaves weston
        # handing the pointer to the game's window instead of the menu.
        weston.command(f"button {BUTTON_RIGHT} press")
        menu = weston.wait_for("the tool bar's menu", lambda: next((w for w in weston.windows() if not w.title), None))
        weston.command(f"button {BUTTON_RIGHT} release")
        # Popups stand where their parent is; the zoom entry is the menu's last.
        menu_left, menu_top = left + menu.place[0], top + menu.place[1]
        if menu_left + menu.place[2] > NARROW_SCREEN[0]:
            raise Failure(f"the tool bar's menu ends at {menu_left + menu.place[2]}, past the screen's "
                          f"{NARROW_SCREEN[0]} px")
        # The pointer glides onto the zoom entry in small steps, as a player's
        # does: a menu takes a hover only after the pointer has moved a little,
        # and then opens the submenu after a short rest. A player whose
        # submenu does not come clicks the entry, which opens it at once.
        zoom_entry = (menu_left + menu.place[2] // 2, menu_top + menu.place[3] - 10)
        attempts = {"next": 0.0, "count": 0}

        def zoom_submenu():
            submenu = next((w for w in weston.windows() if not w.title and w.ident != menu.ident), None)
            if submenu is None and time.monotonic() >= attempts["next"]:
                for step in range(8, -1, -1):
                    weston.command(f"motion {zoom_entry[0] - 3 * step} {zoom_entry[1] - step}")
                if attempts["count"] % 2 == 1:
                    weston.command(f"button {BUTTON_LEFT} press")
                    weston.command(f"button {BUTTON_LEFT} release")
                attempts["count"] += 1
                attempts["next"] = time.monotonic() + 2
            return submenu
        zoom = weston.wait_for("the zoom submenu", zoom_submenu, timeout=30)
        right = menu_left + zoom.place[0] + zoom.place[2]
        if right > NARROW_SCREEN[0]:
            raise Failure(f"the zoom submenu ends at {right}, past the screen's {NARROW_SCREEN[0]} px")
        weston.key("esc")
        weston.key("esc")
        code = quit_by_sigterm(weston, "the narrow screen")
    check_exit(work, code)
    shutil.rmtree(work)


def check_exit(work, code):
    with open(os.path.join(work, "game.err"), errors="replace") as err:
        errors = err.read()
    if code != 0:
        raise Failure(f"the game ended with exit code {code}; its stderr:\n{errors}")
    if errors:
        raise Failure(f"the game wrote to stderr:\n{errors}")


def check(work, code, config):
    check_exit(work, code)
    settings = read_settings(config)
    common, stats = settings.get("common", {}), settings.get("stats", {})
    if common.get("tongue") != "1":
        raise Failure("Tab and Enter on the language question did not choose German: "
                      f"tongue is {common.get('tongue')!r}")
    if stats.get("played") != "1":
        raise Failure(f"the game started with Ctrl+N was not counted: [stats] played is {stats.get('played')!r}")
    if int(stats.get("bestscore", "0")) <= 0:
        raise Failure("the piece played by keys (Enter, arrows, Space, Enter) did not score: "
                      f"[stats] bestscore is {stats.get('bestscore')!r}")
    if common.get("MainForm", "").strip('"').replace(" ", "") != STORED_PLACE:
        raise Failure("Wayland tells the game nothing of where its window is, so the place stored before must "
                      f"stay: MainForm is {common.get('MainForm')!r}, was {STORED_PLACE!r}")
    if common.get("sound") != "0":
        raise Failure("M, typed at once after Esc on the highscore table, did not switch the sound off: "
                      f"sound is {common.get('sound')!r}")


def main():
    parser = argparse.ArgumentParser(description="Plays Novagrid by keys on a headless weston.")
    parser.add_argument("--program", required=True, help="the novagrid to play")
    parser.add_argument("--test-seat", required=True, help="the weston module novagrid-test-seat.so")
    arguments = parser.parse_args()
    work = tempfile.mkdtemp(prefix="novagrid-wayland-")
    try:
        with Weston(work, os.path.abspath(arguments.test_seat)) as weston:
            config = play(weston, arguments.program)
            code = weston.game.returncode
        check(work, code, config)
        rules_fit(arguments.program, os.path.abspath(arguments.test_seat))
        menu_on_screen(arguments.program, os.path.abspath(arguments.test_seat))
    except Failure as failure:
        print(f"FAIL: {failure}")
        print(f"weston's log, the game's output and its settings are kept in {work}")
        return 1
    shutil.rmtree(work)
    print("on Wayland the game took its keys, kept its settings and quit cleanly")
    return 0


if __name__ == "__main__":
    sys.exit(main())
