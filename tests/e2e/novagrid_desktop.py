"""Novagrid on an X server of its own, as a player meets it.

Starts an Xvfb server, starts the game on it with an empty config folder and
a fixed seed, and drives it with real X pointer and key input (xdotool);
what the player sees is read from screenshots (ImageMagick's import). The
end-to-end tests share this: the game's geometry, the way past the splash
and the language question, and how a failed run is reported.
"""

import argparse
import os
import re
import shutil
import subprocess
import tempfile
import time

SEED = 7
CAPTION = "Novagrid V2.3"
SCREEN = (1024, 768)

# The main window's client area: a tool bar over the playfield.
CLIENT = (500, 366)
TOOL_BAR_HEIGHT = 33

# Playfield geometry (relative to the playfield's top left).
CELL = 25
BOARD = (48, 53)
PREVIEW = (321, 53)

SOUND_BUTTON = (60, 4)  # tool bar buttons are 25 x 25
SCORE_DIGITS = (327, 253, 5 * 13 - 2, 20)
TIME_BAR = (303, 151, 111, 27)
PAUSE_TEXT = (76, 144 - TOOL_BAR_HEIGHT, 181, 77)

QUESTION_SIZE = (261, 103)
QUESTION_CAPTION = "Novagrid"
HIGHSCORE_CAPTION = "Novagrid - Bestenliste"  # in German, as chosen

SPLASH_SIZE = (200, 150)
LANGUAGE_DIALOG_SIZE = (320, 91)
GERMAN_BUTTON = (84 + 221 // 2, 48 + 27 // 2)


class Failure(Exception):
    pass


def stop(process):
    """Ends a helper process politely, or by force after 10 s."""
    if process is not None and process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def read_settings(config):
    """The settings file as {section: {key: value}}."""
    path = os.path.join(config, "BlumoGames", "Novagrid", "V2.ini")
    if not os.path.exists(path):
        raise Failure(f"the game wrote no settings at {path}")
    sections = {}
    values = None
    with open(path, encoding="latin-1") as ini:
        for line in ini:
            line = line.strip()
            if line.startswith("["):
                values = sections.setdefault(line.strip("[]"), {})
            elif "=" in line and values is not None:
                key, value = line.split("=", 1)
                values[key] = value.strip('"')
    return sections


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
        stop(self.server)

    def start(self, program, config=None):
        """Starts the game with an empty config folder of its own, or with the
        given one as an earlier run left it; returns that folder."""
        if config is None:
            config = os.path.join(self.work, "config")
            os.makedirs(config)
        env = dict(os.environ, DISPLAY=self.display, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb")
        # In the sanitized build, LeakSanitizer's tracer has crashed at exit on
        # Qt's accessibility bus thread (the board now takes the focus); the
        # leak checks of the same code run in the in-process tests.
        if "ASAN_OPTIONS" in env:
            env["ASAN_OPTIONS"] += ":detect_leaks=0"
        with open(os.path.join(self.work, "game.log"), "w") as log:
            self.game = subprocess.Popen([program, "--seed", str(SEED)], env=env, cwd=self.work,
                                         stdout=log, stderr=subprocess.STDOUT)
        return config

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

    def give_up_by_keys(self, table_caption, table_key):
        """Ctrl+Q, Enter on the give-up question, then `table_key` on the
        highscore table if the score brings one up; waits for the game to end
        with exit status 0."""
        self.key("ctrl+q")
        question = self.wait_for("the give-up question", lambda: self.window(QUESTION_SIZE, QUESTION_CAPTION))
        self.wait_for("the give-up question to take the keys", lambda: self.focused() == str(question[0]))
        self.key("Return")
        deadline = time.monotonic() + 10
        while self.game.poll() is None:
            if time.monotonic() > deadline:
                raise Failure(f"the game did not end after the give-up question; the windows: {self.windows()}")
            table = self.window(name=table_caption)
            if table is not None and self.focused() == str(table[0]):
                self.key(table_key)
            try:
                self.game.wait(timeout=0.2)
            except subprocess.TimeoutExpired:
                pass
        if self.game.returncode != 0:
            raise Failure(f"the game ended with exit code {self.game.returncode}")

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


def turned_visibly(slots):
    """The slots turned; fails when the turn would not show."""
    after = turned(slots)
    if after == slots:
        raise Failure(f"seed {SEED} deals a piece that looks the same turned: {sorted(slots)}; "
                      "the turn cannot be seen, choose another seed")
    return after


def landed_as_carried(dropped, held, empty, board, covered):
    """The cells that show tiles after the drop; fails unless they are the
    `covered` ones, each showing the tile carried over it."""
    landed = occupied(dropped, empty, board)
    if landed != covered:
        raise Failure(f"the board changed at {sorted(landed)}, the turned piece covered {sorted(covered)}")
    for cell in landed:
        if dropped.region(*board[cell]) != held.region(*board[cell]):
            raise Failure(f"cell {cell} does not show the tile that was carried over it")
    return landed


def paused_and_still(desktop, where, name, before):
    """Waits for the pause text over the playfield (which `before` did not
    show), then fails if the time bar moves within a second."""
    paused = settled(desktop, name, where.playfield_region(*PAUSE_TEXT), differs_from=before)
    time.sleep(1.0)
    still = desktop.shot(f"{name}-still")
    time_bar = where.playfield_region(*TIME_BAR)
    if still.region(*time_bar) != paused.region(*time_bar):
        raise Failure("the time bar moves while the game is paused")


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

    def preview_slots(self):
        return {(i, j): self.preview_slot(i, j) for i in range(3) for j in range(3)}

    def preview_box(self):
        return self.playfield_region(*PREVIEW, 3 * CELL, 3 * CELL)

    def board_cells(self):
        return {(c, r): self.board_cell(c, r) for c in range(9) for r in range(9)}

    def score(self):
        return self.playfield_region(*SCORE_DIGITS)

    def sound_button(self):
        return (self.x + SOUND_BUTTON[0], self.y + SOUND_BUTTON[1], 25, 25)


def open_game(desktop, by_keys=False):
    """Waits for the main window, closes the splash and answers the language
    question with German; returns where the main window is. `by_keys`: no
    pointer at all; the splash goes by itself, and the question's focus
    starts on English, so Tab and Enter choose German."""
    main = desktop.wait_for("the main window", lambda: desktop.window(CLIENT, CAPTION), timeout=20)
    if by_keys:
        question = desktop.wait_for("the language question", lambda: desktop.window(LANGUAGE_DIALOG_SIZE, CAPTION))
        desktop.wait_for("the language question to take the keys", lambda: desktop.focused() == str(question[0]))
        desktop.key("Tab")
        desktop.key("Return")
        desktop.wait_for("the language question to close",
                         lambda: not desktop.window(LANGUAGE_DIALOG_SIZE, CAPTION))
        return Game(main[2], main[3])

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
    return Game(main[2], main[3])


def install(cmake, build, bin_folder, work):
    """Installs the build into a fresh prefix; returns the installed program."""
    prefix = os.path.join(work, "prefix")
    installed = subprocess.run([cmake, "--install", build, "--prefix", prefix], capture_output=True, text=True)
    if installed.returncode != 0:
        raise Failure("cmake --install failed:\n" + installed.stdout + installed.stderr)
    return os.path.join(prefix, bin_folder, "novagrid")


def program_from_arguments(description, work):
    """The program to drive, as the command line names it: an installed one
    (--program), or one that a build installs first (--install)."""
    parser = argparse.ArgumentParser(description=description)
    source = parser.add_mutually_exclusive_group(required=True)
    source.add_argument("--program", help="an installed novagrid, e.g. /usr/games/novagrid")
    source.add_argument("--install", nargs=3, metavar=("CMAKE", "BUILD", "BINDIR"),
                        help="install BUILD with CMAKE into a fresh prefix and drive <prefix>/BINDIR/novagrid")
    arguments = parser.parse_args()
    return arguments.program or install(*arguments.install, work)


def run_test(test, description, success):
    """Runs test(work, program) in a fresh work folder; prints `success` and
    returns 0 when it passes, or prints the failure with the game's output,
    keeps the screenshots and returns 1."""
    work = tempfile.mkdtemp(prefix="novagrid-e2e-")
    try:
        test(work, program_from_arguments(description, work))
    except Failure as failure:
        print(f"FAIL: {failure}")
        log = os.path.join(work, "game.log")
        if os.path.exists(log):
            with open(log) as output:
                print("the game's output:\n" + output.read())
        print(f"screenshots kept in {work}")
        return 1
    shutil.rmtree(work)
    print(success)
    return 0
