"""Checks that no folder of the game includes a header of a folder above it.

The layers, lowest first: the engine (pure C++); the records and the assets
(pictures, clips and the texts of both languages); the view and its sound;
the help viewer; the shell. A folder may include its own headers and those
of any lower layer, but not those of a folder beside it on its layer: the
records know no texts, and the texts and pictures know no records. Tests,
benchmarks and tools stand above them all.

Some headers are for one source alone, besides their own: the game's window
is built by the program's start and by nothing else, which sees the game
through the parts the window wires together.
"""

import pathlib
import re
import sys

LAYERS = {
    "engine": 0,
    "records": 1,
    "assets": 1,
    "view": 2,
    "view/sound": 2,
    "shell/help": 3,
    "shell": 4,
}
ONLY_INCLUDED_BY = {
    "shell/MainForm.h": {"shell/main.cpp"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def layer_of(path):
    """The layer of a path inside the source tree, None for one outside every layer."""
    for folder in sorted(LAYERS, key=len, reverse=True):
        if path == folder or path.startswith(folder + "/"):
            return folder
    return None


def main(root):
    root = pathlib.Path(root)
    wrong = []
    for folder in LAYERS:
        for source in sorted((root / folder).glob("*")):
            if source.suffix not in (".h", ".cpp"):
                continue
            name = source.relative_to(root).as_posix()
            for included in INCLUDE.findall(source.read_text(encoding="utf-8")):
                own = name == included.removesuffix(".h") + ".cpp"
                if included in ONLY_INCLUDED_BY and name not in ONLY_INCLUDED_BY[included] and not own:
                    wrong.append(f"{name} includes {included}, which only "
                                 f"{', '.join(sorted(ONLY_INCLUDED_BY[included]))} may include")
                if "/" not in included:
                    wrong.append(f"{source.relative_to(root)}: \"{included}\" is not named from the source root")
                    continue
                target = layer_of(included)
                if target is not None and LAYERS[target] > LAYERS[folder]:
                    wrong.append(f"{source.relative_to(root)} ({folder}) includes {included} ({target}), a layer above")
                elif target is not None and target != folder and LAYERS[target] == LAYERS[folder] \
                        and not (target.startswith(folder + "/") or folder.startswith(target + "/")):
                    wrong.append(f"{source.relative_to(root)} ({folder}) includes {included} ({target}), a folder beside it")
    for line in wrong:
        print(line)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
