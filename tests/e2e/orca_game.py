#!/usr/bin/env python3
"""Novagrid as a blind player hears it: played by keys under Orca itself.

The game runs on an Xvfb server of its own, on a private session bus with
an AT-SPI bus of its own (screen_reader_game.Buses), next to Debian's Orca
with speech through speech-dispatcher and espeak-ng. Sound goes nowhere: a
private speech-dispatcher configuration sends it to ALSA, whose default
device the private home's .asoundrc makes the null device. Orca runs with a
home and settings of its own and logs every utterance to its debug file as
a "SPEECH OUTPUT:" line, and what say-all reads as a "DEFAULT SAY ALL:"
line each; this script waits on those lines.

The same games in English and in German (the game's language stored in its
settings, Orca's from a locale compiled into the work folder): Ctrl+N deals
a piece; Enter takes it onto the board, where the focus goes to the cell
under its middle, which says whether it fits; the arrows move it from cell
to cell; Space turns it; Enter drops it, and the points are said; P pauses
and resumes. The turn then runs until the time warning and game over with
the score. A second game places two pieces, the second completing a group
whose clearing is heard; Ctrl+Q and Enter give the game up, and the
highscore name field with its label must be heard. Enter keeps the name and
the game ends with exit status 0.

Usage: orca_game.py --program <novagrid> [--transcripts <folder>]
Exits 0 when Orca said all of it, 1 with the step that failed and Orca's
words so far; the work folder with every log is kept for a failed run.
"""

import argparse
import contextlib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import tty

from novagrid_desktop import CAPTION, CLIENT, QUESTION_CAPTION as DIALOG_CAPTION, QUESTION_SIZE as GAME_OVER_SIZE, \
    SEED, Desktop, Failure, stop
from screen_reader_game import Buses

ENGLISH = {
    "language": "English",
    "tongue": 0,
    "locale": "en_US.UTF-8",
    "playfield": r"row 5, column 5, empty",
    "board": r"table with 9 rows 9 columns",
    "next piece": r"Next piece: \w",
    "cell": r"row {row}, column {column}, (?:empty|1 layer|[2-4] layers), (?:fits|does not fit)\.",
    "any cell": r"^row \d, column \d",
    "picked up": r"Picked up: \w",
    "turned": r"Turned: \w",
    "placed": r"Piece placed, (\d+) points?",
    "cleared": r"Piece placed, 1 group cleared, (\d+) points, level 1",
    "paused": r"Game paused",
    "resumed": r"The game goes on",
    "time low": r"Time is running out",
    "game over": r"Game over, score {score}\b",
    "name field": r"Your name, rank 1, score {score}\b",
    "game over message": "Sorry, that was it!",
    "highscore caption": "Novagrid - Highscore",
    "rules caption": "Novagrid – Rules of the game",
    "rules in order": [r"^The goal$", r"^You place pieces of coloured tiles on a board of 9 × 9 cells",
                       r"^Whenever a 3 × 3 square"],
}

GERMAN = {
    "language": "German",
    "tongue": 1,
    "locale": "de_DE.UTF-8",
    "playfield": r"Reihe 5, Spalte 5, leer",
    "board": r"Tabelle mit 9 Zeilen 9 Spalten",
    "next piece": r"Nächster Stein: \w",
    "cell": r"Reihe {row}, Spalte {column}, (?:leer|1 Schicht|[2-4] Schichten), (?:passt|passt nicht)\.",
    "any cell": r"^Reihe \d, Spalte \d",
    "picked up": r"Aufgenommen: \w",
    "turned": r"Gedreht: \w",
    "placed": r"Stein gelegt, (\d+) Punkte?",
    "cleared": r"Stein gelegt, 1 Gruppe geräumt, (\d+) Punkte, Stufe 1",
    "paused": r"Spiel angehalten",
    "resumed": r"Es geht weiter",
    "time low": r"Die Zeit wird knapp",
    "game over": r"Das Spiel ist aus, {score} Punkte",
    "name field": r"Dein Name, Platz 1, Punkte {score}\b",
    "game over message": "Das Spiel ist leider aus!",
    "highscore caption": "Novagrid - Bestenliste",
    "rules caption": "Novagrid – Spielregeln",
    "rules in order": [r"^Worum es geht$", r"^Du legst Spielsteine aus bunten Plättchen auf ein Spielbrett",
                       r"^Sobald ein 3 × 3-Quadrat"],
}

# What Orca says, and what its say-all reads, a piece of text at a time (whose
# line breaks run on into the next lines of the log: the first line is enough).
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*)' ?\{'established'|DEFAULT SAY ALL: \[[^]]*\] '(.*?)(?:' \(\d+-\d+, current: \d+\))?$")


@contextlib.contextmanager
def step(name):
    print(f"-- {name}", flush=True)
    try:
        yield
    except Failure as failure:
        raise Failure(f"{name}: {failure}") from None


class SpeechHome:
    """A home of Orca's and speech-dispatcher's own, and speech-dispatcher
    running in it with its sound on the null device."""

    def __init__(self, work):
        self.home = os.path.join(work, "home")
        self.env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                        XDG_DATA_HOME=os.path.join(self.home, ".local", "share"),
                        XDG_CACHE_HOME=os.path.join(self.home, ".cache"), GSETTINGS_BACKEND="memory")
        config = os.path.join(self.env["XDG_CONFIG_HOME"], "speech-dispatcher")
        os.makedirs(config)
        os.makedirs(self.env["XDG_DATA_HOME"])
        with open(os.path.join(self.home, ".asoundrc"), "w") as asoundrc:
            asoundrc.write("pcm.!default { type null }\n")
        with open(os.path.join(config, "speechd.conf"), "w") as conf:
            conf.write('AudioOutputMethod "alsa"\n'
                       'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                       'DefaultModule espeak-ng\n')
        self.log = open(os.path.join(work, "speech-dispatcher.log"), "w")
        self.dispatcher = subprocess.Popen(["speech-dispatcher", "--run-single", "--timeout", "0"], env=self.env,
                                           stdout=self.log, stderr=subprocess.STDOUT)
        socket = os.path.join(os.environ["XDG_RUNTIME_DIR"], "speech-dispatcher", "speechd.sock")
        deadline = time.monotonic() + 20
        while not os.path.exists(socket):
            if self.dispatcher.poll() is not None or time.monotonic() > deadline:
                self.close()
                raise Failure(f"speech-dispatcher made no socket {socket}; see speech-dispatcher.log")
            time.sleep(0.05)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def close(self):
        stop(self.dispatcher)
        self.log.close()


def private_locale(work, name):
    """Compiles the locale `name` into a folder of the work folder and returns
    that folder, for LOCPATH: Orca speaks its own words (roles, states) in the
    locale's language, and a fresh system has no locale but C."""
    folder = os.path.join(work, "locale")
    language, charset = name.split(".")
    os.makedirs(folder, exist_ok=True)
    done = subprocess.run(["localedef", "-i", language, "-f", charset, os.path.join(folder, name)],
                          capture_output=True, text=True)
    if done.returncode != 0:
        raise Failure(f"localedef could not compile {name}: {done.stderr.strip()}")
    return folder


class Orca:
    """Orca in the language given, and what it said, read from its debug
    output. Orca writes that to a file it opens itself, which Python buffers
    by blocks unless it is a terminal: so it writes to a pseudo-terminal,
    read here line by line as it comes and kept in a file as well."""

    def __init__(self, work, speech, texts):
        self.debug = open(os.path.join(work, f"orca-{texts['language']}.debug"), "wb")
        self.lines = []
        self.lock = threading.Lock()
        master, terminal = os.openpty()
        tty.setraw(terminal)
        env = dict(speech.env, LANG=texts["locale"], LANGUAGE=texts["locale"].split(".")[0],
                   LOCPATH=private_locale(work, texts["locale"]))
        self.output = open(os.path.join(work, f"orca-{texts['language']}.log"), "w")
        self.process = subprocess.Popen(["orca", f"--debug-file=/dev/fd/{terminal}"], env=env, pass_fds=(terminal,),
                                        stdout=self.output, stderr=subprocess.STDOUT)
        os.close(terminal)
        self.reader = threading.Thread(target=self.take, args=(master,), daemon=True)
        self.reader.start()
        self.heard = 0  # how many of the lines said a wait has passed
        self.wait_for(r".", "its first words", timeout=30)

    def take(self, master):
        rest = b""
        while True:
            try:
                chunk = os.read(master, 65536)
            except OSError:  # Orca has closed the terminal
                chunk = b""
            if not chunk:
                break
            self.debug.write(chunk)
            rest += chunk
            *whole, rest = rest.split(b"\n")
            said = [m.group(1) if m.group(1) is not None else m.group(2)
                    for m in map(SPEECH.search, (line.decode(errors="replace") for line in whole)) if m]
            with self.lock:
                self.lines += said
        os.close(master)
        self.debug.close()

    def close(self):
        stop(self.process)
        self.reader.join(timeout=10)
        self.output.close()

    def said(self):
        with self.lock:
            return list(self.lines)

    def wait_for(self, pattern, what, timeout=30.0, game=None):
        """Waits for Orca to say something that matches `pattern` after what
        earlier waits heard; returns the match. Should a call of Orca's to
        the game hang, it times out after D-Bus's 25 s; the default wait is
        longer than that, so a slow answer is told apart from none."""
        wanted = re.compile(pattern)
        deadline = time.monotonic() + timeout
        while True:
            said = self.said()
            for index in range(self.heard, len(said)):
                found = wanted.search(said[index])
                if found:
                    self.heard = index + 1
                    return found
            if self.process.poll() is not None:
                raise Failure(f"Orca ended (exit code {self.process.returncode}) before saying {what}")
            if game is not None and game.poll() is not None:
                raise Failure(f"the game ended (exit code {game.returncode}) before Orca said {what}")
            if time.monotonic() > deadline:
                raise Failure(f"Orca did not say {what} ({pattern!r}) within {timeout:.0f} s; it said since: "
                              f"{said[self.heard:]}")
            time.sleep(0.05)


def start_game(desktop, program, work, texts):
    config = os.path.join(work, f"config-{texts['language']}")
    store = os.path.join(config, "BlumoGames", "Novagrid")
    os.makedirs(store)
    with open(os.path.join(store, "V2.ini"), "w") as ini:
        ini.write(f"[common]\ntongue={texts['tongue']}\nsound=0\n")
    env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb")
    # As in screen_reader_game: LeakSanitizer's tracer can crash on Qt's
    # accessibility thread at exit; the shell tests check the leaks.
    if "ASAN_OPTIONS" in env:
        env["ASAN_OPTIONS"] += ":detect_leaks=0"
    with open(os.path.join(work, f"game-{texts['language']}.log"), "w") as log:
        desktop.game = subprocess.Popen([program, "--seed", str(SEED)], env=env, cwd=work,
                                        stdout=log, stderr=subprocess.STDOUT)


def play(desktop, orca, texts):
    """The short game; Orca's words are awaited after each key."""
    game = desktop.game

    def key(name, pattern, what, timeout=30.0):
        desktop.key(name)
        return orca.wait_for(pattern, what, timeout, game)

    def cell(row, column):
        return texts["cell"].format(row=row, column=column)

    with step("the game's window and the board's middle cell heard"):
        main = desktop.wait_for("the main window", lambda: desktop.window(CLIENT, CAPTION), timeout=20)
        desktop.wait_for("the main window to take the keys", lambda: desktop.focused() == str(main[0]))
        # The board's role in Orca's own words: Orca speaks the player's language too.
        orca.wait_for(texts["board"], "the board as a table", game=game)
        orca.wait_for(texts["playfield"], "the middle cell", game=game)
    with step("F1, then Orca's say-all (keypad +): the rules read in order; Esc puts them away"):
        desktop.key("F1")
        rules = desktop.wait_for("the rules", lambda: desktop.window(name=texts["rules caption"]))
        desktop.wait_for("the rules to take the keys", lambda: desktop.focused() == str(rules[0]))
        # As a player does, say-all is asked for once Orca has named the rules.
        orca.wait_for(re.escape(texts["rules caption"]), "the rules' window", game=game)
        desktop.key("KP_Add")
        for line in texts["rules in order"]:
            orca.wait_for(line, f"say-all to read on to '{line}'", game=game)
        desktop.key("Escape")
        desktop.wait_for("the rules to close", lambda: all(w[0] != rules[0] for w in desktop.windows()))
        if desktop.focused() != str(main[0]):
            desktop.xdotool("windowfocus", "--sync", main[0])
        desktop.wait_for("the main window to take the keys", lambda: desktop.focused() == str(main[0]))
    with step("Ctrl+N: the waiting piece in words"):
        key("ctrl+n", texts["next piece"], "the first piece")
    with step("Enter: the piece taken onto the middle of the board"):
        key("Return", texts["picked up"] + ".*" + cell(5, 5), "the piece picked up over the middle cell")
    with step("Left: one cell to the left"):
        key("Left", cell(5, 4), "the cell to the left")
    with step("Up: one cell up, and that cell alone heard, not its whole row"):
        before = orca.heard
        key("Up", cell(4, 4), "the cell above")
        others = [line for line in orca.said()[before:orca.heard - 1] if re.search(texts["any cell"], line)]
        if others:
            raise Failure(f"Orca read other cells before the one the piece went to: {others}")
    with step("Space: the piece turned"):
        key("space", texts["turned"], "the piece turned")
    with step("Enter: the piece dropped, and its points"):
        key("Return", texts["placed"], "the piece placed")
    with step("P: paused, P: going on"):
        key("p", texts["paused"], "the pause")
        key("p", texts["resumed"], "the game going on")
    with step("the turn running low, then out: game over with the score"):
        orca.wait_for(texts["time low"], "the time warning", game=game)
        over = orca.wait_for(texts["game over"].format(score=r"(\d+)"), "game over with the score", game=game)
        orca.wait_for(re.escape(texts["game over message"]) + ".*" + texts["game over"].format(score=over.group(1)),
                      "the game over notice with the score", 10, game)
    with step("Enter, Esc: the notice and the table closed"):
        desktop.key("Return")
        desktop.wait_for("the notice to close", lambda: desktop.window(name=CAPTION) is not None
                         and desktop.window(GAME_OVER_SIZE, DIALOG_CAPTION) is None)
        # The table follows the notice, but under load only some time after
        # the notice has gone: keys sent in between would reach the main
        # window while the table is already on its way, and be lost.
        table = desktop.wait_for("the highscore table", lambda: desktop.window(name=texts["highscore caption"]))
        desktop.wait_for("the highscore table to take the keys", lambda: desktop.focused() == str(table[0]))
        desktop.key("Escape")
        desktop.wait_for("the highscore table to close",
                         lambda: all(w[0] != table[0] for w in desktop.windows()))
        # A bare X server has no window manager to hand the focus back to the
        # main window; do its part, as any desktop would.
        if desktop.focused() != str(main[0]):
            desktop.xdotool("windowfocus", "--sync", main[0])
        desktop.wait_for("the main window to take the keys", lambda: desktop.focused() == str(main[0]))
    with step("a second game: Ctrl+N, Enter, Enter"):
        key("ctrl+n", texts["next piece"], "the first piece")
        key("Return", texts["picked up"], "the piece picked up")
        score = int(key("Return", texts["placed"], "the piece placed").group(1))
    with step("Enter, Left, Enter: the next piece completes a group, which is cleared"):
        # With the game's seed, this piece one cell left of the middle
        # completes a group with the one before it.
        key("Return", texts["picked up"], "the piece picked up")
        key("Left", cell(5, 4), "the cell to the left")
        score += int(key("Return", texts["cleared"], "the group cleared and its points").group(1))
    with step("Ctrl+Q, Enter: given up, the highscore name field heard with its label"):
        desktop.key("ctrl+q")
        desktop.wait_for("the give-up question", lambda: desktop.focused() != str(main[0]))
        key("Return", texts["name field"].format(score=score), "the name field's label")
    with step("Enter: the name kept and the game ended"):
        desktop.key("Return")
        try:
            game.wait(timeout=15)
        except subprocess.TimeoutExpired:
            raise Failure(f"the game did not end; the windows: {desktop.windows()}") from None
        if game.returncode != 0:
            raise Failure(f"the game ended with exit code {game.returncode}")


def run_in(desktop, speech, program, work, texts, transcripts):
    with step(f"Orca in {texts['language']}"):
        orca = Orca(work, speech, texts)
    try:
        start_game(desktop, program, work, texts)
        with step(f"in {texts['language']}"):
            play(desktop, orca, texts)
    finally:
        orca.close()
        said = orca.said()
        print(f"{texts['language']}: Orca said:\n" + "\n".join(f"  {line}" for line in said), flush=True)
        if transcripts:
            os.makedirs(transcripts, exist_ok=True)
            name = f"transcript-{'en' if texts['tongue'] == 0 else 'de'}.txt"
            with open(os.path.join(transcripts, name), "w") as transcript:
                transcript.write("".join(f"SPEECH OUTPUT: '{line}'\n" for line in said))


def main():
    parser = argparse.ArgumentParser(description="Plays Novagrid by keys under Orca and checks what Orca said.")
    parser.add_argument("--program", required=True, help="the novagrid to play")
    parser.add_argument("--transcripts", help="a folder to keep Orca's words of each game in")
    arguments = parser.parse_args()
    work = tempfile.mkdtemp(prefix="novagrid-orca-")
    program = os.path.abspath(arguments.program)
    started = time.monotonic()
    try:
        with Desktop(work) as desktop, Buses(work, desktop.display), SpeechHome(work) as speech:
            for texts in (ENGLISH, GERMAN):
                run_in(desktop, speech, program, work, texts, arguments.transcripts)
    except Failure as failure:
        print(f"FAIL: {failure}")
        print(f"Orca's debug files, the games' output and the buses' logs are kept in {work}")
        return 1
    shutil.rmtree(work)
    print(f"Orca followed the game in English and in German ({time.monotonic() - started:.0f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
