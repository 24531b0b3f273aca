#!/usr/bin/env bash
# Plays a level's shipped solution in the real game, in a 1280 by 960 window
# under Xvfb, with xdotool pressing the solution's keys at its frames; prints
# the time from launch to the first presented frame, the start-up's steps, and
# the CPU the game used while the level was played: the whole process and its
# main thread, in per cent of one core.
#
#   bench/xvfb-play.sh [LEVEL] [BUILD_DIR]      (default: level 1, build)
#
# Needs xvfb-run, xdotool and openbox (Debian: xvfb xdotool openbox). Without
# a display it starts its own Xvfb; with one, it uses it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
level=${1:-1}
build=$(cd "${2:-$here/build}" && pwd)
if [[ -z "${GRAVLIN_BENCH_DISPLAY:-}" ]]; then
    exec env GRAVLIN_BENCH_DISPLAY=1 xvfb-run -a -s "-screen 0 1600x1200x24" "$0" "$level" "$build"
fi
printf -v file 'Level%03d' "$level"
map=$here/levels/$file.bkg
script=$here/levels/solutions/$file.rpl
game=$build/game/Gravlin
[[ -f $map && -f $script && -x $game ]] || { echo "xvfb-play: need $map, $script and $game" >&2; exit 2; }

work=$(mktemp -d)
trap 'kill "${pid:-}" "${wm:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_CONFIG_HOME/gravlin"
printf 'fullscreen = no\nwindow = 1280 960\n' >"$XDG_CONFIG_HOME/gravlin/settings.txt"
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# utime + stime, in clock ticks, of a /proc stat file (the name may hold spaces).
ticks() { awk '{ sub(/.*\) /, ""); print $12 + $13 }' "$1"; }

launched=$(now_ms)
GRAVLIN_TRACE_STARTUP=1 "$game" --window --play "$map" 2>"$work/log" &
pid=$!
until grep -q 'first frame presented' "$work/log"; do
    kill -0 $pid 2>/dev/null || { cat "$work/log" >&2; echo "xvfb-play: the game ended before its first frame" >&2; exit 1; }
    sleep 0.002
done
first=$(($(now_ms) - launched))
win=
for _ in $(seq 100); do
    win=$(xdotool search --name '^Gravlin' 2>/dev/null | head -1) && [[ -n $win ]] && break
    sleep 0.05
done
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || xdotool windowfocus "$win"
geometry=$(xdotool getwindowgeometry "$win" | awk '/Geometry/ { print $2 }')

hz=$(getconf CLK_TCK)
p0=$(ticks /proc/$pid/stat); m0=$(ticks /proc/$pid/task/$pid/stat); t0=$(now_ms)
# The solution's key events, at their frames (60 a second) from now.
while read -r frame event; do
    [[ $frame =~ ^[0-9]+$ ]] || continue
    due=$((t0 + frame * 1000 / 60))
    wait_ms=$((due - $(now_ms)))
    ((wait_ms > 0)) && sleep "$(printf '0.%03d' "$wait_ms")"
    key=${event:1}
    case $key in Enter) key=Return ;; Space) key=space ;; Tab) key=Tab ;; Backspace) key=BackSpace ;; esac
    if [[ ${event:0:1} == + ]]; then xdotool keydown "$key"; else xdotool keyup "$key"; fi
done <"$script"
# Until the level is won and the game ends, or a second more.
for _ in $(seq 60); do kill -0 $pid 2>/dev/null || break; sleep 0.05; done
if kill -0 $pid 2>/dev/null; then
    p1=$(ticks /proc/$pid/stat); m1=$(ticks /proc/$pid/task/$pid/stat); t1=$(now_ms)
    outcome="still playing after the script"
else
    echo "xvfb-play: the game ended before the CPU could be read; see:" >&2
    cat "$work/log" >&2
    exit 1
fi
# A level that is still running at the end: the script has played out.
kill $pid; wait $pid 2>/dev/null || true
elapsed=$((t1 - t0))
echo "level $level in a ${geometry} window"
grep 'start-up' "$work/log" | sed 's/^Gravlin: //'
echo "launch to first presented frame: $first ms"
awk -v p=$((p1 - p0)) -v m=$((m1 - m0)) -v hz="$hz" -v ms="$elapsed" -v o="$outcome" 'BEGIN {
    printf "while playing (%.1f s, %s): whole process %.1f%% of a core, main thread %.1f%%\n",
        ms / 1000, o, 100 * p / hz / (ms / 1000), 100 * m / hz / (ms / 1000) }'
