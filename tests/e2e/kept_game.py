"""An unfinished game of the installed Novagrid kept over the session's end.

Two pieces are played by keys; the game is then ended as a logout ends it,
with SIGTERM. The next start shows the same game paused with a line on how
to go on; P goes on, and the board, the waiting piece and the score are the
pixels they were. The game is then given up, and counted once.
"""

import signal
import subprocess

from novagrid_desktop import (CAPTION, CLIENT, HIGHSCORE_CAPTION, SPLASH_SIZE, Desktop, Failure, Game, occupied,
                              open_game, read_settings, run_test, settled)


def take_keys(desktop, splash):
    """Waits for the main window, and for the splash to come and go where it
    is still to come; gives the main window the keys."""
    main = desktop.wait_for("the main window", lambda: desktop.window(CLIENT, CAPTION), timeout=20)
    if splash:
        desktop.wait_for("the splash", lambda: desktop.window(SPLASH_SIZE), timeout=10)
        desktop.wait_for("the splash to go", lambda: not desktop.window(SPLASH_SIZE), timeout=10)
    # A bare X server has no window manager to hand the focus back; do its part.
    if desktop.focused() != str(main[0]):
        desktop.xdotool("windowfocus", "--sync", main[0])
    desktop.wait_for("the main window to take the keys", lambda: desktop.focused() == str(main[0]))
    return Game(main[2], main[3])


def the_game(where):
    """What the kept game must bring back: the board, the waiting piece and the score."""
    return [where.playfield_region(48, 53, 225, 225), where.preview_box(), where.score()]


def test(work, program):
    with Desktop(work) as desktop:
        config = desktop.start(program)
        open_game(desktop, by_keys=True)
        where = take_keys(desktop, splash=False)
        whole = (where.x, where.y, *CLIENT)
        before = settled(desktop, "kept-before-game", whole)

        desktop.key("ctrl+n")
        dealt = settled(desktop, "kept-new-game", where.preview_box(), differs_from=before)
        shot = dealt
        for piece in range(2):
            desktop.key("Return")
            desktop.key("Down")
            desktop.key("Return")
            shot = settled(desktop, f"kept-piece-{piece}", where.score(), differs_from=shot)
        board = where.board_cells()
        if not occupied(shot, dealt, board):
            raise Failure("no tile landed on the board")
        played = settled(desktop, "kept-played", where.preview_box())

        desktop.game.send_signal(signal.SIGTERM)
        if desktop.game.wait(timeout=20) != 0:
            raise Failure(f"the game ended with exit code {desktop.game.returncode} on SIGTERM")
        settings = read_settings(config)
        if "game" not in settings.get("kept", {}):
            raise Failure(f"the session's end kept no game: {settings.get('kept', {})}")
        if settings.get("stats", {}).get("played", "0") != "0":
            raise Failure("a kept game was counted as played")

        desktop.start(program, config=config)
        where = take_keys(desktop, splash=True)
        waiting = settled(desktop, "kept-first-screen", (where.x, where.y, *CLIENT))
        # Paused, the board shows empty; the kept game's line covers its middle rows.
        clear_rows = {cell: place for cell, place in board.items() if cell[1] in (0, 1, 8)}
        if occupied(waiting, before, clear_rows):
            raise Failure("the kept game shows its board before the player goes on")
        for cell in occupied(played, dealt, board):
            if waiting.region(*board[cell]) == played.region(*board[cell]):
                raise Failure(f"the kept game shows its tile at {cell} before the player goes on")
        if waiting.region(*where.preview_box()) != played.region(*where.preview_box()):
            raise Failure("the waiting piece is not the one that was kept")

        desktop.key("p")
        resumed = settled(desktop, "kept-resumed", where.playfield_region(48, 53, 225, 225), differs_from=waiting)
        for region in the_game(where):
            if resumed.region(*region) != played.region(*region):
                raise Failure(f"the game went on with other pixels at {region} than it was kept with")

        desktop.give_up_by_keys(HIGHSCORE_CAPTION, "Return")
        settings = read_settings(config)
        if "game" in settings.get("kept", {}):
            raise Failure("the kept game stayed in the store after it went on")
        counted = settings.get("stats", {}).get("played", "0")
        if counted != "1":
            raise Failure(f"the game was counted {counted} times, not once")


if __name__ == "__main__":
    raise SystemExit(run_test(test, __doc__, "the unfinished game came back as it was kept and counted once"))
