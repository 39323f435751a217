#!/usr/bin/env python3
"""Plays a short game of the installed Novagrid the way a player meets it.

Installs the game into a fresh prefix, starts it on its own Xvfb server with
an empty config folder and a fixed seed, and drives it with real X pointer and
key input (xdotool): through the splash and the language question (German),
a new game, the piece picked up, carried over the board, turned and dropped,
pause and resume, and the exit with the give-up question and the highscore.
What the player sees is read from screenshots; what the game keeps, from its
settings file.

Usage: play_installed_game.py <cmake> <build dir>
Exits 0 when the game behaved, 1 with the reason otherwise; the screenshots
and the game's output are kept for a failed run.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

SEED = 7
CAPTION = "Novagrid V2.3"
SCREEN = (1024, 768)

# The main window's client area: a tool bar over the playfield.
CLIENT = (500, 366)
TOOL_BAR_HEIGHT = 33
NEW_GAME_BUTTON = (4, 4)  # tool bar buttons are 25 x 25
PAUSE_BUTTON = (32, 4)
SOUND_BUTTON = (60, 4)
EXIT_BUTTON = (116, 4)

# Playfield geometry (relative to the playfield's top left).
CELL = 25
BOARD = (48, 53)
PREVIEW = (321, 53)
GRAB = (35, 38)  # where the carried piece hangs from the pointer
SCORE_DIGITS = (327, 253, 5 * 13 - 2, 20)
TIME_BAR = (303, 151, 111, 27)
PAUSE_TEXT = (76, 144 - TOOL_BAR_HEIGHT, 181, 77)

SPLASH_SIZE = (200, 150)
LANGUAGE_DIALOG_SIZE = (320, 91)
GERMAN_BUTTON = (84 + 221 // 2, 48 + 27 // 2)
QUESTION_SIZE = (261, 103)
QUESTION_CAPTION = "Novagrid"
HIGHSCORE_CAPTION = "Novagrid - Bestenliste"  # in German, as chosen

# Where the piece's 3 x 3 frame goes: columns 2..4, rows 4..6, away from
# every edge so that any turn of any piece fits on the empty board.
TARGET = (2, 4)


class Failure(Exception):
    pass


class Shot:
    """A screenshot of the whole screen, 8-bit RGB."""

    def __init__(self, ppm):
        match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        if not match:
            raise Failure("import did not deliver an 8-bit PPM picture")
        self.width = int(match.group(1))
        self.pixels = ppm[match.end():]

    def region(self, x, y, w, h):
        row = 3 * self.width
        return b"".join(self.pixels[(y + j) * row + 3 * x:(y + j) * row + 3 * (x + w)] for j in range(h))


class Desktop:
    """An Xvfb server of our own and real input to it."""

    def __init__(self, work):
        self.work = work
        read_end, write_end = os.pipe()
        # -displayfd lets the server pick a free display and tell us which.
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.display = f":{number}"
        self.shots = 0
        self.game = None

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        if self.game is not None and self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        self.server.terminate()
        self.server.wait()

    def start(self, program, config):
        """Starts the game with `config` as its config folder."""
        env = dict(os.environ, DISPLAY=self.display, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb")
        with open(os.path.join(self.work, "game.log"), "w") as log:
            self.game = subprocess.Popen([program, "--seed", str(SEED)], env=env, cwd=self.work,
                                         stdout=log, stderr=subprocess.STDOUT)

    def wait_for(self, what, probe, timeout=10.0, interval=0.05):
        """Polls probe() until it returns something true, and returns that."""
        deadline = time.monotonic() + timeout
        while True:
            result = probe()
            if result:
                return result
            if self.game.poll() is not None:
                raise Failure(f"the game ended (exit code {self.game.returncode}) while waiting for {what}")
            if time.monotonic() > deadline:
                raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
            time.sleep(interval)

    def run(self, *args):
        done = subprocess.run(list(args), env=dict(os.environ, DISPLAY=self.display),
                              capture_output=True, text=True, timeout=20)
        return done.stdout

    def xdotool(self, *args):
        return self.run("xdotool", *[str(a) for a in args])

    def windows(self):
        """The mapped top-level windows: (id, name, x, y, width, height)."""
        listing = self.xdotool("search", "--onlyvisible", "--maxdepth", "1", "--name", "",
                               "getwindowgeometry", "--shell", "%@")
        found = []
        for block in re.findall(r"WINDOW=(\d+)\nX=(-?\d+)\nY=(-?\d+)\nWIDTH=(\d+)\nHEIGHT=(\d+)", listing):
            window, x, y, w, h = (int(v) for v in block)
            found.append((window, self.xdotool("getwindowname", window).strip(), x, y, w, h))
        return found

    def window(self, size=None, name=None):
        for window in self.windows():
            if (size is None or window[4:] == size) and (name is None or window[1] == name):
                return window
        return None

    def focused(self):
        return self.xdotool("getwindowfocus").strip()

    def move(self, x, y):
        self.xdotool("mousemove", x, y)

    def click(self, x, y, button=1):
        self.xdotool("mousemove", x, y, "click", button)

    def key(self, name):
        self.xdotool("key", name)

    def shot(self, name):
        ppm = subprocess.run(["import", "-display", self.display, "-window", "root", "-depth", "8", "ppm:-"],
                             capture_output=True, timeout=20).stdout
        self.shots += 1
        with open(os.path.join(self.work, f"{self.shots:02d}-{name}.ppm"), "wb") as kept:
            kept.write(ppm)
        return Shot(ppm)


def settled(desktop, name, region, differs_from=None, timeout=5.0):
    """A screenshot once `region` has stopped changing (and differs from the
    given earlier screenshot, when one is given)."""
    previous = [None]

    def probe():
        shot = desktop.shot(name)
        now = shot.region(*region)
        if differs_from is not None and now == differs_from.region(*region):
            previous[0] = None
            return None
        steady = now == previous[0]
        previous[0] = now
        return shot if steady else None

    return desktop.wait_for(f"the {name} picture", probe, timeout, interval=0.1)


class Game:
    """The main window's places on the screen."""

    def __init__(self, x, y):
        self.x, self.y = x, y

    def tool(self, button):
        return self.x + button[0] + 12, self.y + button[1] + 12

    def playfield(self, x, y):
        return self.x + x, self.y + TOOL_BAR_HEIGHT + y

    def playfield_region(self, x, y, w, h):
        return (*self.playfield(x, y), w, h)

    def board_cell(self, c, r):
        return self.playfield_region(BOARD[0] + CELL * c, BOARD[1] + CELL * r, CELL, CELL)

    def preview_slot(self, i, j):
        return self.playfield_region(PREVIEW[0] + CELL * i, PREVIEW[1] + CELL * j, CELL, CELL)


def holds_tile(now, before):
    """Whether a cell's pixels show a tile where `before` showed none.

    The carried piece's frame brightens its empty slots a little (by at most
    31 a channel), so only a clear difference counts: every tile picture
    differs from every empty cell by more than 48 in over a third of its
    pixels."""
    strong = sum(1 for k in range(0, len(now), 3)
                 if max(abs(now[k] - before[k]), abs(now[k + 1] - before[k + 1]),
                        abs(now[k + 2] - before[k + 2])) > 48)
    return strong > len(now) // 3 // 10


def occupied(shot, reference, cells):
    """The cells (keys of `cells`) that show a tile the reference did not."""
    return {key for key, region in cells.items() if holds_tile(shot.region(*region), reference.region(*region))}


def turned(slots):
    """The slots after a quarter turn clockwise on screen: (i, j) -> (2 - j, i)."""
    return {(2 - j, i) for i, j in slots}


def drive(desktop):
    """Plays the game through; returns where its main window was."""
    main = desktop.wait_for("the main window", lambda: desktop.window(CLIENT, CAPTION), timeout=20)
    where = Game(main[2], main[3])

    # The splash closes on a click (or by itself after three seconds); then
    # the empty config folder makes the game ask for the language.
    def splash_or_question():
        return desktop.window(LANGUAGE_DIALOG_SIZE, CAPTION) or desktop.window(SPLASH_SIZE)

    first = desktop.wait_for("the splash or the language question", splash_or_question)
    if first[4:] == SPLASH_SIZE:
        desktop.click(first[2] + SPLASH_SIZE[0] // 2, first[3] + SPLASH_SIZE[1] // 2)
    question = desktop.wait_for("the language question", lambda: desktop.window(LANGUAGE_DIALOG_SIZE, CAPTION))
    desktop.click(question[2] + GERMAN_BUTTON[0], question[3] + GERMAN_BUTTON[1])
    desktop.wait_for("the language question to close", lambda: not desktop.window(LANGUAGE_DIALOG_SIZE, CAPTION))

    whole = (where.x, where.y, *CLIENT)
    empty = settled(desktop, "before-game", whole)

    # Sound off, so the settings show that the button's state is what is kept.
    desktop.click(*where.tool(SOUND_BUTTON))
    sound_region = (where.x + SOUND_BUTTON[0], where.y + SOUND_BUTTON[1], 25, 25)
    settled(desktop, "sound-off", sound_region, differs_from=empty)

    preview = {(i, j): where.preview_slot(i, j) for i in range(3) for j in range(3)}
    preview_box = where.playfield_region(*PREVIEW, 3 * CELL, 3 * CELL)
    board = {(c, r): where.board_cell(c, r) for c in range(9) for r in range(9)}
    score = where.playfield_region(*SCORE_DIGITS)

    desktop.click(*where.tool(NEW_GAME_BUTTON))
    dealt = settled(desktop, "new-game", preview_box, differs_from=empty)
    slots = occupied(dealt, empty, preview)
    if turned(slots) == slots:
        raise Failure(f"seed {SEED} deals a piece that looks the same turned: {sorted(slots)}; "
                      "the turn cannot be seen, choose another seed")
    if occupied(dealt, empty, board):
        raise Failure("a new game does not start on an empty board")

    # Pick the piece up where a tile is, then carry it over the board in steps.
    i, j = min(slots)
    start = where.playfield(PREVIEW[0] + CELL * i + CELL // 2, PREVIEW[1] + CELL * j + CELL // 2)
    desktop.click(*start)
    frame_left = BOARD[0] + CELL * TARGET[0]
    frame_top = BOARD[1] + CELL * TARGET[1]
    goal = where.playfield(frame_left + GRAB[0], frame_top + GRAB[1])
    steps = 12
    for step in range(1, steps + 1):
        desktop.move(start[0] + (goal[0] - start[0]) * step // steps,
                     start[1] + (goal[1] - start[1]) * step // steps)
        time.sleep(0.02)

    def frame(slots_in_frame):
        return {(TARGET[0] + i, TARGET[1] + j) for i, j in slots_in_frame}

    def showing(name, expected):
        def probe():
            shot = desktop.shot(name)
            return shot if occupied(shot, empty, board) == expected else None
        return probe

    carried = desktop.wait_for("the piece over the board", showing("carried", frame(slots)), timeout=5)
    if occupied(carried, empty, preview):
        raise Failure("the preview box still shows the piece while it is carried")

    desktop.click(*goal, button=3)
    turned_slots = turned(slots)
    held = desktop.wait_for("the turned piece over the board", showing("turned", frame(turned_slots)), timeout=5)

    desktop.click(*goal)
    dropped = settled(desktop, "dropped", score, differs_from=empty)
    landed = occupied(dropped, empty, board)
    if landed != frame(turned_slots):
        raise Failure(f"the board changed at {sorted(landed)}, the turned piece covered {sorted(frame(turned_slots))}")
    for cell in landed:
        if dropped.region(*board[cell]) != held.region(*board[cell]):
            raise Failure(f"cell {cell} does not show the tile that was carried over it")

    # Paused, the playfield changes and the clock stands still; a click on
    # the playfield resumes with the board as it was.
    desktop.click(*where.tool(PAUSE_BUTTON))
    paused = settled(desktop, "paused", where.playfield_region(*PAUSE_TEXT), differs_from=dropped)
    time.sleep(1.0)
    still = desktop.shot("still-paused")
    time_bar = where.playfield_region(*TIME_BAR)
    if still.region(*time_bar) != paused.region(*time_bar):
        raise Failure("the time bar moves while the game is paused")
    desktop.click(*where.playfield(BOARD[0] + 5 * CELL, 300))
    desktop.wait_for("the board back after the pause", showing("resumed", landed), timeout=5)

    # Exit: the give-up question, Yes; the score is above 0, so the
    # highscore table follows.
    desktop.click(*where.tool(EXIT_BUTTON))
    give_up = desktop.wait_for("the give-up question", lambda: desktop.window(QUESTION_SIZE, QUESTION_CAPTION))
    desktop.wait_for("the give-up question to take the keys", lambda: desktop.focused() == str(give_up[0]))
    desktop.key("Return")

    table = desktop.wait_for("the highscore table", lambda: desktop.window(name=HIGHSCORE_CAPTION))
    desktop.wait_for("the highscore table to take the keys", lambda: desktop.focused() == str(table[0]))
    desktop.key("Return")
    try:
        code = desktop.game.wait(timeout=10)
    except subprocess.TimeoutExpired:
        raise Failure("the game did not end after the highscore table closed")
    if code != 0:
        raise Failure(f"the game ended with exit code {code}")
    return where


def check_settings(config, where):
    path = os.path.join(config, "BlumoGames", "Novagrid", "V2.ini")
    if not os.path.exists(path):
        raise Failure(f"the game wrote no settings at {path}")
    values = {}
    group = None
    with open(path, encoding="latin-1") as ini:
        for line in ini:
            line = line.strip()
            if line.startswith("["):
                group = line.strip("[]")
            elif "=" in line and group == "common":
                key, value = line.split("=", 1)
                values[key] = value.strip('"')
    window = f"200,0,1,{where.x},{where.y},{where.x + CLIENT[0]},{where.y + CLIENT[1]}"
    expected = {"tongue": "1", "sound": "0", "MainForm": window}
    for key, value in expected.items():
        if values.get(key) != value:
            raise Failure(f'settings: "{key}" is {values.get(key)!r}, expected {value!r}')


def play_installed(cmake, build, work):
    prefix = os.path.join(work, "prefix")
    config = os.path.join(work, "config")
    os.makedirs(config)
    installed = subprocess.run([cmake, "--install", build, "--prefix", prefix], capture_output=True, text=True)
    if installed.returncode != 0:
        raise Failure("cmake --install failed:\n" + installed.stdout + installed.stderr)
    with Desktop(work) as desktop:
        desktop.start(os.path.join(prefix, "bin", "novagrid"), config)
        where = drive(desktop)
    check_settings(config, where)


def main():
    cmake, build = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="novagrid-e2e-")
    try:
        play_installed(cmake, build, work)
    except Failure as failure:
        print(f"FAIL: {failure}")
        log = os.path.join(work, "game.log")
        if os.path.exists(log):
            with open(log) as output:
                print("the game's output:\n" + output.read())
        print(f"screenshots kept in {work}")
        return 1
    shutil.rmtree(work)
    print("the installed game played a piece, paused, resumed, quit and kept its settings")
    return 0


if __name__ == "__main__":
    sys.exit(main())
