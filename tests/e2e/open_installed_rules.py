#!/usr/bin/env python3
"""Opens the rules in the installed Novagrid the way a player does.

Starts the installed game on its own Xvfb server, answers the language
question with German and presses the rules button: the game's help viewer
must show the German rules, which proves that the installed game found its
rules file where the install put it. When the file is missing or damaged the
viewer says so under the game's bare name instead.

Usage: open_installed_rules.py --program <installed novagrid>
       open_installed_rules.py --install <cmake> <build dir> <bin folder>
Exits 0 when the rules showed, 1 with the reason otherwise.
"""

import sys

from novagrid_desktop import Desktop, Failure, open_game, run_test

RULES_BUTTON = (408, 4)
RULES_TITLE = "Novagrid – Spielregeln"  # the title of the German rules page
PROBLEM_TITLE = "Novagrid"  # the viewer's title when it has no rules to show
VIEWER_SIZE = (660, 640)


def open_rules(work, program):
    with Desktop(work) as desktop:
        desktop.start(program)
        where = open_game(desktop)
        desktop.click(*where.tool(RULES_BUTTON))

        def viewer():
            return desktop.window(VIEWER_SIZE, RULES_TITLE) or desktop.window(VIEWER_SIZE, PROBLEM_TITLE)

        shown = desktop.wait_for("the rules viewer", viewer)
        desktop.shot("rules")
        if shown[1] != RULES_TITLE:
            raise Failure(f"the rules viewer came up as '{shown[1]}', not with the rules: "
                          "the game did not find its rules file")


if __name__ == "__main__":
    sys.exit(run_test(open_rules, "Opens the rules in an installed Novagrid.",
                      "the installed game found its rules file and showed the rules"))
