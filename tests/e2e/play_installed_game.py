#!/usr/bin/env python3
"""Plays a short game of the installed Novagrid the way a player meets it.

Starts the installed game on its own Xvfb server with an empty config folder
and a fixed seed, and drives it with real X pointer and key input (xdotool):
through the splash and the language question (German), a new game, the piece
picked up, carried over the board, turned and dropped, pause and resume, and
the exit with the give-up question and the highscore. What the player sees is
read from screenshots; what the game keeps, from its settings file.

Usage: play_installed_game.py --program <installed novagrid>
       play_installed_game.py --install <cmake> <build dir> <bin folder>
Exits 0 when the game behaved, 1 with the reason otherwise; the screenshots
and the game's output are kept for a failed run.
"""

import os
import subprocess
import sys
import time

from novagrid_desktop import (BOARD, CELL, CLIENT, PREVIEW, SEED, TOOL_BAR_HEIGHT, Desktop, Failure, open_game,
                              run_test, settled)

NEW_GAME_BUTTON = (4, 4)  # tool bar buttons are 25 x 25
PAUSE_BUTTON = (32, 4)
SOUND_BUTTON = (60, 4)
EXIT_BUTTON = (116, 4)

GRAB = (35, 38)  # where the carried piece hangs from the pointer
SCORE_DIGITS = (327, 253, 5 * 13 - 2, 20)
TIME_BAR = (303, 151, 111, 27)
PAUSE_TEXT = (76, 144 - TOOL_BAR_HEIGHT, 181, 77)

QUESTION_SIZE = (261, 103)
QUESTION_CAPTION = "Novagrid"
HIGHSCORE_CAPTION = "Novagrid - Bestenliste"  # in German, as chosen


# Where the piece's 3 x 3 frame goes: columns 2..4, rows 4..6, away from
# every edge so that any turn of any piece fits on the empty board.
TARGET = (2, 4)


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
    where = open_game(desktop)
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


def play(work, program):
    with Desktop(work) as desktop:
        config = desktop.start(program)
        where = drive(desktop)
    check_settings(config, where)


if __name__ == "__main__":
    sys.exit(run_test(play, "Plays a short game of an installed Novagrid.",
                      "the installed game played a piece, paused, resumed, quit and kept its settings"))
