#!/bin/bash
# Prints one table of Novagrid's figures from a single run: the engine's
# throughput, the playfield's drawing operations and the cipher (the Google
# Benchmark programs), the time from starting the game to its main window
# shown, and the game's resident memory after start and after 1,000 pointer
# moves of a scripted game, both on an Xvfb server of its own.
#
# Usage: bench/report.sh [build dir]
# The build dir (default build/, as scripts/build.sh makes it) must hold the
# game and the benchmarks, built as Release for figures that mean anything.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
game="$build/shell/novagrid"
starts=5          # runs of the start-up time; the table gives their median
moves=1000
seed=1

work=$(mktemp -d)
xvfb=""
running=""
cleanup() {
    if [ -n "$running" ]; then kill "$running" 2>/dev/null || true; wait "$running" 2>/dev/null || true; fi
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

for area in engine view records; do
    if ! "$build/bench/$area/${area}_bench" --benchmark_out="$work/$area.json" --benchmark_out_format=json \
        >"$work/$area.log" 2>&1; then
        cat "$work/$area.log" >&2
        exit 1
    fi
done

# An X server on a free display: -displayfd writes its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
display=$(head -n 1 "$work/display")
export DISPLAY=":$display"
export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=xcb

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# window_of_size <width> <height>: a mapped top-level window of that size.
window_of_size() {
    xdotool search --onlyvisible --maxdepth 1 --name '' getwindowgeometry --shell %@ 2>/dev/null |
        awk -F= -v w="$1" -v h="$2" '/^WINDOW=/ { id = $2 } /^WIDTH=/ { width = $2 }
                                     /^HEIGHT=/ && width == w && $2 == h && !found { print id; found = 1 }'
}
main_window() { window_of_size 500 366; }
splash() { window_of_size 200 150; }

# wait_until <what> <command...>: polls the command until it prints something.
wait_until() {
    local what=$1 deadline=$(($(now_ms) + 20000)) out
    shift
    until out=$("$@") && [ -n "$out" ]; do
        if [ "$(now_ms)" -gt "$deadline" ]; then echo "timed out waiting for $what" >&2; exit 1; fi
        sleep 0.005
    done
    echo "$out"
}

stop_game() { kill "$running"; wait "$running" 2>/dev/null || true; running=""; }

# Start-up: from starting the program to its main window mapped.
: >"$work/starts"
for _ in $(seq "$starts"); do
    rm -rf "$XDG_CONFIG_HOME"
    begin=$(now_ms)
    "$game" --seed "$seed" >/dev/null 2>&1 &
    running=$!
    wait_until "the main window" main_window >/dev/null
    echo $(($(now_ms) - begin)) >>"$work/starts"
    stop_game
done

rss_kib() { sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$running/status"; }

# Memory: a player who has chosen the language starts the game, clicks the
# splash away, starts a game, picks the piece up and carries it over the
# board, turning it every 50 moves.
rm -rf "$XDG_CONFIG_HOME"
mkdir -p "$XDG_CONFIG_HOME/BlumoGames/Novagrid"
printf '[common]\ntongue=1\n' >"$XDG_CONFIG_HOME/BlumoGames/Novagrid/V2.ini"
"$game" --seed "$seed" >/dev/null 2>&1 &
running=$!
window=$(wait_until "the main window" main_window)
eval "$(xdotool getwindowgeometry --shell "$(wait_until "the splash" splash)")"
xdotool mousemove $((X + 100)) $((Y + 75)) click 1
no_splash() { [ -z "$(splash)" ] && echo gone; }
wait_until "the splash to close" no_splash >/dev/null
sleep 1
rss_start=$(rss_kib)

eval "$(xdotool getwindowgeometry --shell "$window")"
left=$X
top=$((Y + 33))  # the playfield lies under the 33 px tool bar
xdotool mousemove $((X + 16)) $((Y + 16)) click 1        # new game
xdotool mousemove $((left + 358)) $((top + 90)) click 1  # the preview box: pick the piece up
script=()
for n in $(seq "$moves"); do
    # Over the board: the pointer hangs 35, 38 below the piece's top left.
    script+=(mousemove $((left + 83 + n * 7 % 150)) $((top + 91 + n * 13 % 150)) sleep 0.002)
    if [ $((n % 50)) -eq 0 ]; then script+=(click 3); fi
done
moves_begin=$(now_ms)
xdotool "${script[@]}"
moves_ms=$(($(now_ms) - moves_begin))
sleep 0.5
rss_moved=$(rss_kib)
stop_game

python3 - "$work" "$build" "$moves" "$moves_ms" "$rss_start" "$rss_moved" <<'EOF'
import json
import statistics
import sys

work, build, moves, moves_ms, rss_start, rss_moved = sys.argv[1], sys.argv[2], *map(int, sys.argv[3:])

OPS = ["Copy", "And", "Or", "Xor"]
AREAS = {"25": "25 × 25 (a cell)", "75": "75 × 75 (the piece)", "333": "500 × 333 (the playfield)"}
LABELS = {
    "BM_SelfPlayEntries": "self-play, one engine entry (click, move or tick)",
    "BM_ClearAllGroups": "clearing all 67 groups at once",
    "BM_DragToNear": "dragging the piece 3 px",
    "BM_FarMove": "moving the piece far (hide and show)",
    "BM_MemcpyUnionRows": "memcpy of the bytes a 3 px drag touches",
    "BM_FullRepaint": "redrawing background and all 81 cells",
    "BM_Paint": "painting the whole playfield",
    "BM_DrawTimeBar/0": "drawing the time bar",
    "BM_DrawTimeBar/1": "drawing the time bar under the piece",
    "EncodeRow": "encoding a highscore row",
    "DecodeRow": "decoding a highscore row",
}


def label(name):
    if name in LABELS:
        return LABELS[name]
    kind, _, args = name.partition("/")
    if kind in ("BM_TransferLoop", "BM_TransferQPainter"):
        op, side = args.split("/")
        how = "our block transfer" if kind == "BM_TransferLoop" else "QPainter's"
        return f"{how}, {OPS[int(op)]}, {AREAS.get(side, side)}"
    return name


def duration(value, unit):
    ns = value * {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[unit]
    for scale, name in ((1e9, "s"), (1e6, "ms"), (1e3, "µs")):
        if ns >= scale:
            return f"{ns / scale:.3g} {name}"
    return f"{ns:.3g} ns"


def rate(bench):
    if "bytes_per_second" in bench:
        return f"{bench['bytes_per_second'] / 2**30:.3g} GiB/s"
    if "items_per_second" in bench:
        return f"{bench['items_per_second'] / 1e6:.3g} M/s"
    return ""


rows = []
for area, title in (("engine", "engine"), ("view", "drawing"), ("records", "cipher")):
    with open(f"{work}/{area}.json") as results:
        for bench in json.load(results)["benchmarks"]:
            rows.append((title, label(bench["name"]), duration(bench["real_time"], bench["time_unit"]), rate(bench)))

with open(f"{work}/starts") as starts:
    times = [int(line) for line in starts]
rows.append(("window", f"start to main window shown (median of {len(times)}: {', '.join(map(str, times))} ms)",
             f"{statistics.median(times):.0f} ms", ""))
rows.append(("memory", "VmRSS after start (splash closed)", f"{rss_start / 1024:.1f} MiB", ""))
rows.append(("memory", f"VmRSS after {moves:,} moves carrying the piece ({moves_ms / 1000:.1f} s)",
             f"{rss_moved / 1024:.1f} MiB", f"{(rss_moved - rss_start) / 1024:+.1f} MiB"))

with open(f"{build}/CMakeCache.txt") as cache:
    build_type = next((line.split("=", 1)[1].strip() for line in cache if line.startswith("CMAKE_BUILD_TYPE:")), "?")
with open(f"{work}/engine.json") as results:
    context = json.load(results)["context"]

head = ("area", "what", "time", "rate / change")
widths = [max(len(row[k]) for row in rows + [head]) for k in range(4)]


def line(row):
    return "| " + " | ".join(cell.ljust(width) for cell, width in zip(row, widths)) + " |"


print(f"Novagrid figures: {build_type} build, {context['num_cpus']} CPUs at {context['mhz_per_cpu']} MHz, "
      f"load {context['load_avg'][0]:.2f} at the start")
print()
print(line(head))
print("|" + "|".join("-" * (width + 2) for width in widths) + "|")
for row in rows:
    print(line(row))
EOF
