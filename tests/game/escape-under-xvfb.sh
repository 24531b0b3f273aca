#!/usr/bin/env bash
# Starts the real game under Xvfb with the dummy sound driver, presses Escape
# on the title with xdotool, and checks that the game ended cleanly and wrote
# the roster and the ten player files. Runs on a copy of the game folder so
# the build's own folder is left alone.
set -u
game="$1"
for tool in xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$game"/. "$work"/
rm -f "$work"/Players.txt "$work"/CompLevels*.Txt "$work"/UOptions*.Txt

cat > "$work/run.sh" <<'INNER'
cd "$1"
./Gravlin > game.log 2>&1 &
pid=$!
# Wait for the window to appear, then give the title a moment.
for _ in $(seq 1 100); do
  xdotool search --name Gravlin >/dev/null 2>&1 && break
  sleep 0.1
done
# Press Escape until the game ends (the first press may come before the
# window has the keyboard focus). The title reads the held keys once a frame,
# so the key is held for a while, as a player's finger would.
for attempt in 1 2 3 4 5; do
  sleep 1
  wid=$(xdotool search --name Gravlin 2>/dev/null | head -n 1)
  [ -n "$wid" ] && xdotool windowfocus "$wid" 2>/dev/null
  xdotool keydown Escape
  sleep 0.3
  xdotool keyup Escape
  for _ in $(seq 1 20); do
    kill -0 "$pid" 2>/dev/null || break 2
    sleep 0.1
  done
done
if kill -0 "$pid" 2>/dev/null; then
  echo "the game did not end after Escape" >> game.log
  kill "$pid"
  exit 1
fi
wait "$pid"
echo "exit=$?" >> game.log
INNER

# The window's settings go to a folder of the test's own, never the user's.
export XDG_CONFIG_HOME="$work/config"
SDL_AUDIODRIVER=dummy timeout 90 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/run.sh" "$work"
cat "$work/game.log"
grep -q '^exit=0$' "$work/game.log" || { echo "FAIL: the game did not exit cleanly"; exit 1; }
for f in Players.txt CompLevels{1..5}.Txt UOptions{1..5}.Txt; do
  [ -f "$work/$f" ] || { echo "FAIL: $f was not written"; exit 1; }
done
printf '1\r\nName 001\r\nName 002\r\nName 003\r\nName 004\r\nName 005\r\n' | cmp -s - "$work/Players.txt" || { echo "FAIL: unexpected roster"; exit 1; }
grep -q '^fullscreen = yes$' "$work/config/gravlin/settings.txt" || { echo "FAIL: the window's settings were not remembered"; exit 1; }
echo "PASS: clean exit, eleven player files, the window remembered"
