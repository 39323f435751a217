#!/usr/bin/env python3
"""Plays a short game of the installed Novagrid the way a player meets it.

Starts the installed game on its own Xvfb server with an empty config folder
and a fixed seed, and drives it with real X pointer and key input (xdotool):
through the splash and the language question (German), a new game, the piece
picked up, carried over the board, turned and dropped, pause and resume, and
the exit with the give-up question and the highscore. What the player sees is
read from screenshots; what the game keeps, from its settings file. Then a
second game on a fresh desktop, played with the keyboard alone
(keyboard_game.py).

Usage: play_installed_game.py --program <installed novagrid>
       play_installed_game.py --install <cmake> <build dir> <bin folder>
Exits 0 when the game behaved, 1 with the reason otherwise; the screenshots
and the game's output are kept for a failed run.
"""

import os
import subprocess
import sys
import time

from keyboard_game import drive_by_keys
from novagrid_desktop import (BOARD, CELL, CLIENT, HIGHSCORE_CAPTION, PREVIEW, QUESTION_CAPTION, QUESTION_SIZE,
                              SOUND_BUTTON, Desktop, Failure, landed_as_carried, occupied, open_game, paused_and_still,
                              read_settings, run_test, settled, turned_visibly)

NEW_GAME_BUTTON = (4, 4)  # tool bar buttons are 25 x 25
PAUSE_BUTTON = (32, 4)
EXIT_BUTTON = (116, 4)

GRAB = (35, 38)  # where the carried piece hangs from the pointer


# Where the piece's 3 x 3 frame goes: columns 2..4, rows 4..6, away from
# every edge so that any turn of any piece fits on the empty board.
TARGET = (2, 4)


def drive(desktop):
    """Plays the game through; returns where its main window was."""
    where = open_game(desktop)
    whole = (where.x, where.y, *CLIENT)
    before = settled(desktop, "before-game", whole)

    # Sound off, so the settings show that the button's state is what is kept.
    desktop.click(*where.tool(SOUND_BUTTON))
    settled(desktop, "sound-off", where.sound_button(), differs_from=before)

    preview, preview_box, board, score = where.preview_slots(), where.preview_box(), where.board_cells(), where.score()

    desktop.click(*where.tool(NEW_GAME_BUTTON))
    dealt = settled(desktop, "new-game", preview_box, differs_from=before)
    # Before the first game the board carries a hint on how to begin; from
    # here on the new game's board, still empty, is what tiles are told from.
    slots = occupied(dealt, before, preview)
    turned_slots = turned_visibly(slots)

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
            return shot if occupied(shot, dealt, board) == expected else None
        return probe

    carried = desktop.wait_for("the piece over the board", showing("carried", frame(slots)), timeout=5)
    if occupied(carried, before, preview):
        raise Failure("the preview box still shows the piece while it is carried")

    desktop.click(*goal, button=3)
    held = desktop.wait_for("the turned piece over the board", showing("turned", frame(turned_slots)), timeout=5)

    desktop.click(*goal)
    dropped = settled(desktop, "dropped", score, differs_from=before)
    landed = landed_as_carried(dropped, held, dealt, board, frame(turned_slots))

    # Paused, the playfield changes and the clock stands still; a click on
    # the playfield resumes with the board as it was.
    desktop.click(*where.tool(PAUSE_BUTTON))
    paused_and_still(desktop, where, "paused", dropped)
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
    values = read_settings(config).get("common", {})
    window = f"200,0,1,{where.x},{where.y},{where.x + CLIENT[0]},{where.y + CLIENT[1]}"
    expected = {"tongue": "1", "sound": "0", "MainForm": window}
    for key, value in expected.items():
        if values.get(key) != value:
            raise Failure(f'settings: "{key}" is {values.get(key)!r}, expected {value!r}')


def play(work, program):
    # Each game on a desktop and with a config folder of its own: first the
    # mouse, then the keyboard alone.
    for name, game in (("mouse", drive), ("keys", drive_by_keys)):
        folder = os.path.join(work, name)
        os.makedirs(folder)
        with Desktop(folder) as desktop:
            config = desktop.start(program)
            where = game(desktop)
        check_settings(config, where)


if __name__ == "__main__":
    sys.exit(run_test(play, "Plays a short game of an installed Novagrid.",
                      "the installed game played a piece, paused, resumed, quit and kept its settings, "
                      "by mouse and by keys"))
