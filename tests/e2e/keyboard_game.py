"""A game of the installed Novagrid played with the keyboard alone.

The pointer is never used: the language is chosen with Tab and Enter, the
game started with Ctrl+N, the piece picked up with Enter (it comes to the
middle of the board), moved with the arrow keys, turned with Space and
dropped with Enter; the next piece is thrown away with Delete, the game
paused with P and resumed with Pause, and left with Ctrl+Q and the give-up
question. Sound is switched off with M, so the settings show it was kept.
"""

from novagrid_desktop import (CLIENT, HIGHSCORE_CAPTION, Failure, landed_as_carried,
                              occupied, open_game, paused_and_still, settled, turned_visibly)

# Enter brings the piece's 3 x 3 frame onto the middle of the board.
MIDDLE = (3, 3)


def drive_by_keys(desktop):
    """Plays the game through from the keyboard; returns where its main window was."""
    where = open_game(desktop, by_keys=True)
    main = desktop.window(CLIENT)
    # A bare X server has no window manager to hand the focus back to the
    # main window when the question closes; do its part, as any desktop would.
    if desktop.focused() != str(main[0]):
        desktop.xdotool("windowfocus", "--sync", main[0])
    desktop.wait_for("the main window to take the keys", lambda: desktop.focused() == str(main[0]))
    whole = (where.x, where.y, *CLIENT)
    before = settled(desktop, "keys-before-game", whole)

    desktop.key("m")
    settled(desktop, "keys-sound-off", where.sound_button(), differs_from=before)

    preview, preview_box, board, score = where.preview_slots(), where.preview_box(), where.board_cells(), where.score()

    desktop.key("ctrl+n")
    dealt = settled(desktop, "keys-new-game", preview_box, differs_from=before)
    # Before the first game the board carries a hint on how to begin; from
    # here on the new game's board, still empty, is what tiles are told from.
    slots = occupied(dealt, before, preview)
    turned_slots = turned_visibly(slots)

    def frame(at, slots_in_frame):
        return {(at[0] + i, at[1] + j) for i, j in slots_in_frame}

    def board_shows(name, expected):
        def probe():
            shot = desktop.shot(name)
            return shot if occupied(shot, dealt, board) == expected else None
        return desktop.wait_for(f"the board to show {name}", probe, timeout=5)

    desktop.key("Return")
    picked = board_shows("keys-picked-up", frame(MIDDLE, slots))
    if occupied(picked, before, preview):
        raise Failure("the preview box still shows the piece after Enter picked it up")

    desktop.key("Left")
    desktop.key("Down")
    target = (MIDDLE[0] - 1, MIDDLE[1] + 1)
    board_shows("keys-moved", frame(target, slots))

    desktop.key("space")
    held = board_shows("keys-turned", frame(target, turned_slots))

    desktop.key("Return")
    dropped = settled(desktop, "keys-dropped", score, differs_from=before)
    landed = landed_as_carried(dropped, held, dealt, board, frame(target, turned_slots))

    # The next piece: picked up, then thrown away, which costs points and
    # deals another; the board keeps what landed.
    next_piece = settled(desktop, "keys-next-piece", preview_box)
    desktop.key("Return")
    board_shows("keys-next-picked-up", landed | frame(MIDDLE, occupied(next_piece, before, preview)))
    desktop.key("Delete")
    settled(desktop, "keys-thrown-away", score, differs_from=dropped)
    # Its tiles explode one by one in the preview box before the next piece comes.
    thrown = settled(desktop, "keys-after-the-throw", preview_box, timeout=10)
    if occupied(thrown, dealt, board) != landed:
        raise Failure("throwing the piece away changed the board")
    if not occupied(thrown, before, preview):
        raise Failure("no new piece waits after the throw")

    # Paused with P the clock stands still; the Pause key goes on with the board as it was.
    desktop.key("p")
    paused_and_still(desktop, where, "keys-paused", thrown)
    desktop.key("Pause")
    board_shows("keys-resumed", landed)

    # Ctrl+Q: the give-up question, answered Yes with Enter; a highscore
    # table, if the score entered one, is closed with Enter as well.
    desktop.give_up_by_keys(HIGHSCORE_CAPTION, "Return")
    return where
