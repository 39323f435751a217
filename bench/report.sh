#!/bin/bash
# Prints Novagrid's figures from a single run, each beside what it is held
# against, measured the same way in the same run:
#  - the Google Benchmark programs: the engine's throughput, the playfield's
#    drawing operations (a near drag against a memcpy of the bytes it
#    touches), the cipher, the sound's plays with and without a device;
#    every time and rate from wall-clock time;
#  - on an Xvfb server of its own: start to main window mapped and resident
#    memory 3 s after start, against a bare Qt window (bench/window, built
#    here) and against the peers that are installed (gnome-mines,
#    quadrapassel, kblocks; none is needed); how long the open effect holds
#    the main window back and how long it plays, without and (where xcompmgr
#    is installed) with a compositor;
#    wake-ups and CPU while idle after a sound with a sound device (SDL's
#    dummy driver stands in for one) against no device, and with sound off;
#    CPU over a scripted game of carrying, turning, dropping and throwing
#    away pieces;
#  - the fuzz targets of tests/fuzz (built by scripts/fuzz.sh): executions
#    and findings of one run of FUZZ_SECONDS (10) each from the seeds.
#
# Usage: bench/report.sh [build dir]
# The build dir (default build/, as scripts/build.sh makes it) must hold the
# game and the benchmarks, built as Release for figures that mean anything.
# NOVAGRID_GAME=path measures another build of the game (an older one, say)
# against the same references. STARTS (default 7), IDLE_SECONDS (10) and
# GAME_SECONDS (30) set the lengths.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
game=${NOVAGRID_GAME:-$build/shell/novagrid}
starts=${STARTS:-7}
idle_seconds=${IDLE_SECONDS:-10}
game_seconds=${GAME_SECONDS:-30}
seed=1

cmake --build "$build" --target bare_window map_time >/dev/null
bare="$build/bench/window/bare_window"
map_time="$build/bench/window/map_time"

work=$(mktemp -d)
xvfb=""
running=""
compositor=""
stop() { # stop <pid>: the game quits in order on SIGTERM, writing its settings
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
    # Not always our child (map_time starts the programs): wait until it is gone.
    for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
    kill -KILL "$1" 2>/dev/null || true
}
cleanup() {
    [ -z "$running" ] || stop "$running"
    [ -z "$compositor" ] || stop "$compositor"
    [ -z "$xvfb" ] || stop "$xvfb"
    rm -rf "$work"
}
trap cleanup EXIT

# "No device" is this machine's own drivers where it has no sound card.
[ ! -e /dev/snd ] || export NOVAGRID_NO_DEVICE_DRIVER=no-such-driver
for area in engine view records sound; do
    if ! "$build/bench/$area/${area}_bench" --benchmark_out="$work/$area.json" --benchmark_out_format=json \
        >"$work/$area.log" 2>&1; then
        cat "$work/$area.log" >&2
        exit 1
    fi
done

# An X server on a free display: -displayfd writes its number.
screen=1024x768
Xvfb -displayfd 3 -screen 0 ${screen}x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=xcb
unset SDL_AUDIODRIVER

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# A player who has chosen the language; sound on unless told "sound=0".
fresh_settings() {
    rm -rf "$XDG_CONFIG_HOME"
    mkdir -p "$XDG_CONFIG_HOME/BlumoGames/Novagrid"
    printf '[common]\ntongue=1\n%s\n' "${1:-}" >"$XDG_CONFIG_HOME/BlumoGames/Novagrid/V2.ini"
}

# launch <size|any> <program...>: starts the program, leaves its pid in
# $running and the map times (ms since the start) in $work/maps; with
# WATCH=ms set, the windows mapped and unmapped in that time after the main
# window too.
launch() {
    "$map_time" --watch "${WATCH:-0}" "$@" >"$work/maps" 2>/dev/null || { echo "no window from $2" >&2; exit 1; }
    running=$(awk '/^pid/ { print $2 }' "$work/maps")
}
main_map() { awk '/^found/ { print $2 }' "$work/maps"; }
# The open effect's overlay covers the whole screen: when it comes and goes.
overlay_map() { awk -v screen="$screen" '$1 == "map" && $3 == screen { print $2; exit }' "$work/maps"; }
overlay_unmap() { awk -v screen="$screen" '$1 == "unmap" && $3 == screen { print $2; exit }' "$work/maps"; }
close_running() { stop "$running"; running=""; }

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
        sleep 0.01
    done
    echo "$out"
}
no_splash() { [ -z "$(splash)" ] && echo gone; }
click_splash_away() {
    eval "$(xdotool getwindowgeometry --shell "$(wait_until "the splash" splash)")"
    xdotool mousemove $((X + 100)) $((Y + 75)) click 1
    wait_until "the splash to close" no_splash >/dev/null
}

# The playfield's top left on the screen, in $left and $top.
find_playfield() {
    eval "$(xdotool getwindowgeometry --shell "$(wait_until "the main window" main_window)")"
    left=$X
    top=$((Y + 33)) # the playfield lies under the 33 px tool bar
}

rss_kib() { sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$running/status"; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$running/stat"; }
# CPU time of the program's running threads in microseconds, finer than ticks.
cpu_us() { cat /proc/"$running"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d\n", ns / 1000 }'; }
# Context switches of all the program's threads: each is a wake-up.
switches() {
    cat /proc/"$running"/task/*/status 2>/dev/null | awk '/^(non)?voluntary_ctxt_switches:/ { n += $2 } END { print n }'
}
sdl_loaded() { grep -q 'libSDL2' "/proc/$running/maps" && echo yes || echo no; }

# The programs whose start is timed: name, window size to wait for, command.
programs=("bare|500x366|$bare" "novagrid|500x366|$game --seed $seed")
for peer in gnome-mines quadrapassel kblocks; do
    path=$(PATH="$PATH:/usr/games" command -v "$peer" || true)
    [ -z "$path" ] || programs+=("$peer|any|$path")
done

# time_starts <label>: one warm-up and $starts timed starts of every program,
# in turn, so that each meets the same load; map times go to $work/starts.
time_starts() {
    local label=$1 round entry name size command
    for round in $(seq 0 "$starts"); do
        for entry in "${programs[@]}"; do
            IFS='|' read -r name size command <<<"$entry"
            [ "$label" = plain ] || [ "$name" = novagrid ] || continue
            fresh_settings
            watch=0
            [ "$name" != novagrid ] || watch=400 # the open effect runs after the window is shown
            # shellcheck disable=SC2086 # the command's words
            WATCH=$watch launch "$size" $command
            overlay_shown=$(overlay_map)
            overlay_gone=$(overlay_unmap)
            [ "$round" -eq 0 ] ||
                echo "$label $name $(main_map) ${overlay_shown:--} ${overlay_gone:--}" >>"$work/starts"
            close_running
            sleep 0.2
        done
    done
}

# The pointer away from the window, where the open effect starts.
xdotool mousemove 40 40
: >"$work/starts"
time_starts plain

# Memory 3 s after start.
: >"$work/memory"
for entry in "${programs[@]}"; do
    IFS='|' read -r name size command <<<"$entry"
    fresh_settings
    begin=$(now_ms)
    # shellcheck disable=SC2086
    launch "$size" $command
    sleep "$(awk -v left=$((3000 - ($(now_ms) - begin))) 'BEGIN { print (left > 0 ? left : 0) / 1000 }')"
    echo "$name $(rss_kib)" >>"$work/memory"
    close_running
done

# Idle: the splash clicked away, a piece placed, then $idle_seconds of nothing.
: >"$work/idle"
idle() { # idle <label> <SDL audio driver> [settings line]
    fresh_settings "${3:-}"
    SDL_AUDIODRIVER=$2 launch 500x366 "$game" --seed "$seed"
    click_splash_away
    # A game started, one piece placed, which sounds, and the game paused:
    # the quiet that follows comes after the sound has played.
    find_playfield
    xdotool mousemove $((left + 16)) $((top - 17)) click 1 sleep 0.3 \
        mousemove $((left + 358)) $((top + 90)) click 1 sleep 0.1 \
        mousemove $((left + 83)) $((top + 91)) sleep 0.1 click 1 sleep 0.5 \
        mousemove $((left + 44)) $((top - 17)) click 1
    sleep 2
    local used=$(cpu_us) count=$(switches)
    sleep "$idle_seconds"
    echo "$1 $(($(cpu_us) - used)) $(($(switches) - count)) $(sdl_loaded)" >>"$work/idle"
    close_running
}
# Taken in turn, three times: a device and none do the same work while
# quiet, so only their spread tells a difference apart from noise.
for _ in 1 2 3; do
    idle device dummy
    idle no-device no-such-driver
done
idle sound-off dummy sound=0

# A scripted game with a sound device: rounds of picking the piece up,
# carrying it over the board, turning it, dropping it, and carrying it (or
# the next piece) back to the preview box and dropping it there, which
# throws a piece still held away.
fresh_settings
SDL_AUDIODRIVER=dummy launch 500x366 "$game" --seed "$seed"
click_splash_away
find_playfield
xdotool mousemove $((left + 16)) $((top - 17)) click 1 # new game
preview=("$((left + 358))" "$((top + 90))")
ticks=$(cpu_ticks)
game_begin=$(now_ms)
rounds=0
while [ $(($(now_ms) - game_begin)) -lt $((game_seconds * 1000)) ]; do
    column=$((rounds * 5 % 7))
    row=$((rounds * 3 % 7))
    script=(mousemove "${preview[@]}" click 1)
    for step in $(seq 1 10); do
        script+=(mousemove $((left + 358 - (358 - 83 - column * 25) * step / 10))
            $((top + 90 - (90 - 91 - row * 25) * step / 10)) sleep 0.02)
    done
    script+=(click 3 sleep 0.1 click 1 sleep 0.3)
    for step in $(seq 1 5); do
        script+=(mousemove $((left + 83 + column * 25 + (358 - 83 - column * 25) * step / 5))
            $((top + 91 + row * 25 + (90 - 91 - row * 25) * step / 5)) sleep 0.02)
    done
    script+=(click 1 sleep 0.5)
    xdotool "${script[@]}"
    rounds=$((rounds + 1))
done
game_ms=$(($(now_ms) - game_begin))
game_ticks=$(($(cpu_ticks) - ticks))
close_running

# The open effect with a compositor, where one is installed.
if command -v xcompmgr >/dev/null; then
    xcompmgr >/dev/null 2>&1 &
    compositor=$!
    sleep 0.5
    time_starts composited
    stop "$compositor"
    compositor=""
fi

python3 - "$work" "$build" "$starts" "$idle_seconds" "$game_ms" "$game_ticks" "$rounds" "$(getconf CLK_TCK)" <<'EOF'
import json
import statistics
import sys

work, build = sys.argv[1], sys.argv[2]
starts, idle_seconds, game_ms, game_ticks, rounds, hz = map(int, sys.argv[3:])

OPS = ["Copy", "And", "Or", "Xor"]
AREAS = {"25": "25 × 25 (a cell)", "75": "75 × 75 (the piece)", "333": "500 × 333 (the playfield)"}
LABELS = {
    "BM_SelfPlayEntries": "self-play, one engine entry (click, move or tick)",
    "BM_ClearAllGroups": "clearing all 67 groups at once",
    "BM_RestoreLongestKeptGame": "taking up a kept game with the most draws accepted",
    "BM_DragToNear": "dragging the piece 3 px",
    "BM_DragToNearDiagonal": "dragging the piece 3 px across and 2 px down",
    "BM_FarMove": "moving the piece far (hide and show)",
    "BM_MemcpyUnionRows": "memcpy of the bytes a 3 px drag touches",
    "BM_FullRepaint": "redrawing background and all 81 cells",
    "BM_Paint": "painting the whole playfield",
    "BM_DrawTimeBar/0": "drawing the time bar",
    "BM_DrawTimeBar/1": "drawing the time bar under the piece",
    "EncodeRow": "encoding a highscore row",
    "DecodeRow": "decoding a highscore row",
    "BM_FirstPlayOnADevice": "first clip after a quiet spell: audio started, device (dummy) opened",
    "BM_PlayWithoutADevice": "first play where no driver gives a device (every driver tried)",
    "BM_LaterPlayWithoutADevice": "each later play without a device (asked again)",
    "BM_PlayOnAnOpenDevice": "a clip on the open device",
}
SCALE = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}


def label(name):
    name = name.removesuffix("/real_time").removesuffix("/manual_time")
    if name in LABELS:
        return LABELS[name]
    kind, _, args = name.partition("/")
    if kind in ("BM_TransferLoop", "BM_TransferQPainter"):
        op, side = args.split("/")
        how = "our block transfer" if kind == "BM_TransferLoop" else "QPainter's"
        return f"{how}, {OPS[int(op)]}, {AREAS.get(side, side)}"
    return name


def nanoseconds(bench):
    return bench["real_time"] * SCALE[bench["time_unit"]]


def duration(ns):
    for scale, name in ((1e9, "s"), (1e6, "ms"), (1e3, "µs")):
        if ns >= scale:
            return f"{ns / scale:.3g} {name}"
    return f"{ns:.3g} ns"


def rate(bench):
    # Google Benchmark divides by CPU time unless told to use real time.
    if not bench["name"].endswith("/real_time"):
        return ""
    if "bytes_per_second" in bench:
        return f"{bench['bytes_per_second'] / 2**30:.3g} GiB/s"
    if "items_per_second" in bench:
        return f"{bench['items_per_second'] / 1e6:.3g} M/s"
    return ""


def table(head, rows):
    widths = [max(len(row[k]) for row in rows + [head]) for k in range(len(head))]
    line = lambda row: "| " + " | ".join(cell.ljust(width) for cell, width in zip(row, widths)) + " |"
    print(line(head))
    print("|" + "|".join("-" * (width + 2) for width in widths) + "|")
    for row in rows:
        print(line(row))


rows, by_name = [], {}
for area, title in (("engine", "engine"), ("view", "drawing"), ("records", "cipher"), ("sound", "sound")):
    with open(f"{work}/{area}.json") as results:
        for bench in json.load(results)["benchmarks"]:
            by_name[bench["name"].removesuffix("/real_time").removesuffix("/manual_time")] = bench
            rows.append((title, label(bench["name"]), duration(nanoseconds(bench)), rate(bench)))

starts_of, overlays_of = {}, {}
with open(f"{work}/starts") as lines:
    for line in lines:
        setting, name, main, shown, gone = line.split()
        starts_of.setdefault((setting, name), []).append(float(main))
        if shown != "-" and gone != "-":
            overlays_of.setdefault((setting, name), []).append((float(main), float(shown), float(gone)))
median = {key: statistics.median(times) for key, times in starts_of.items()}
with open(f"{work}/memory") as lines:
    memory = {name: int(kib) / 1024 for name, kib in (line.split() for line in lines)}
with open(f"{work}/idle") as lines:
    idle = {}
    for label, us, count, sdl in (line.split() for line in lines):
        runs = idle.setdefault(label, {"us": [], "count": [], "sdl": sdl})
        runs["us"].append(int(us))
        runs["count"].append(int(count))

peers = sorted({name for _, name in median} - {"bare", "novagrid"})
for key in sorted(starts_of):
    rows.append(("window", f"{key[1]}: start to main window mapped, {key[0]} X ({', '.join(f'{t:.0f}' for t in starts_of[key])} ms)",
                 f"{median[key]:.0f} ms", ""))
for name, mib in memory.items():
    rows.append(("memory", f"{name}: VmRSS 3 s after start", f"{mib:.1f} MiB", ""))

with open(f"{build}/CMakeCache.txt") as cache:
    build_type = next((line.split("=", 1)[1].strip() for line in cache if line.startswith("CMAKE_BUILD_TYPE:")), "?")
with open(f"{work}/engine.json") as results:
    context = json.load(results)["context"]

print(f"Novagrid figures: {build_type} build, {context['num_cpus']} CPUs at {context['mhz_per_cpu']} MHz, "
      f"load {context['load_avg'][0]:.2f} at the start")
print()
table(("area", "what", "time", "rate"), rows)


def effect(setting):
    # How long the open effect holds the main window back (its overlay mapped
    # before the main window), and how long it plays (overlay mapped to
    # unmapped), as medians over the starts that drew it.
    overlays = overlays_of.get((setting, "novagrid"), [])
    if not overlays:
        return None
    held = statistics.median(max(0.0, main - shown) for main, shown, _ in overlays)
    plays = statistics.median(gone - shown for _, shown, gone in overlays)
    return held, plays, len(overlays)


def percent(ticks, ms):
    return 100 * ticks / hz / (ms / 1000)


targets = []
bare = median[("plain", "bare")]
game = median[("plain", "novagrid")]
targets.append(("1 start → main window mapped", f"{game:.0f} ms", f"bare Qt window {bare:.0f} ms",
                f"{game / bare:.2f}×", "≤ 2×"))
if peers:
    fastest = min(peers, key=lambda name: median[("plain", name)])
    peer = median[("plain", fastest)]
    targets.append(("1 start → main window mapped", f"{game:.0f} ms", f"{fastest} {peer:.0f} ms",
                    f"{game / peer:.2f}×", "< 1×"))
else:
    targets.append(("1 start → main window mapped", f"{game:.0f} ms", "no peer installed", "–", "< 1×"))
targets.append(("2 VmRSS 3 s after start", f"{memory['novagrid']:.1f} MiB", f"bare Qt window {memory['bare']:.1f} MiB",
                 f"{memory['novagrid'] / memory['bare']:.2f}×", "≤ 1.4×"))
device, none, off = idle["device"], idle["no-device"], idle["sound-off"]


def idle_row(what, key, show):
    # Medians of the runs; the limit is the most the runs without a device took.
    mine, theirs = statistics.median(device[key]), statistics.median(none[key])
    return (f"3 idle {idle_seconds} s after a sound, sound on, a device (dummy): {what}", show(mine),
            f"no device {show(theirs)} ({show(min(none[key]))} to {show(max(none[key]))})",
            f"{mine / max(theirs, 1):.2f}×", f"≤ no device's most, {show(max(none[key]))}")


targets.append(idle_row("wake-ups", "count", lambda n: f"{n:.0f}"))
targets.append(idle_row("CPU", "us", lambda us: f"{us / 1000:.2f} ms"))
targets.append(("3 SDL loaded after the piece's sound: device (dummy) / none / sound off",
                f"{device['sdl']} / {none['sdl']} / {off['sdl']}", "yes / yes / no", "", "sound off: no"))
targets.append((f"4 CPU over a scripted game ({game_ms / 1000:.0f} s, {rounds} rounds)",
                f"{percent(game_ticks, game_ms):.1f} %", "one core 100 %", f"{percent(game_ticks, game_ms) / 100:.3f}", "≤ 0.10"))
for setting, title in (("plain", "plain X11"), ("composited", "compositor")):
    if (setting, "novagrid") not in starts_of:
        targets.append((f"5 open effect, {title}", "xcompmgr not installed", "", "", "≤ 100 ms"))
        continue
    played = effect(setting)
    if played is None:
        targets.append((f"5 open effect, {title}: held the main window back", "not drawn", "", "", "≤ 100 ms"))
        continue
    held, plays, count = played
    targets.append((f"5 open effect, {title}: held the main window back", f"{held:.0f} ms",
                    f"it played {plays:.0f} ms (drawn in {count} of {starts} starts)", "", "≤ 100 ms"))
drag, copy = nanoseconds(by_name["BM_DragToNear"]), nanoseconds(by_name["BM_MemcpyUnionRows"])
targets.append(("6 near DragTo, wall-clock", duration(drag), f"memcpy {duration(copy)}", f"{drag / copy:.2f}×", "≤ 3×"))

print()
table(("target", "Novagrid", "reference", "ratio", "limit"), targets)
EOF

# The readers of outside data under libFuzzer: executions and findings.
fuzz_seconds=${FUZZ_SECONDS:-10}
if "$root/scripts/fuzz.sh" --build-only >/dev/null 2>&1; then
    executions=0
    findings=0
    for target in "$root"/build-fuzz/tests/fuzz/fuzz_*; do
        [ -f "$target" ] && [ -x "$target" ] || continue
        name=${target##*/fuzz_}
        scratch=$(mktemp -d)
        runs=$(QT_QPA_PLATFORM=offscreen "$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 \
                   -artifact_prefix="$scratch/finding-" "$scratch" "$root/tests/fuzz/corpus/$name" 2>&1 |
               sed -n 's/^stat::number_of_executed_units: *//p' | tail -n 1)
        found=$(find "$scratch" -maxdepth 1 -name 'finding-*' | wc -l)
        echo "fuzz $name: ${runs:-0} executions in $fuzz_seconds s, $found findings"
        executions=$((executions + ${runs:-0}))
        findings=$((findings + found))
        rm -rf "$scratch"
    done
    echo "fuzz in all: $executions executions, $findings findings"
else
    echo "fuzz: not built (scripts/fuzz.sh needs clang 14 and libFuzzer)"
fi
