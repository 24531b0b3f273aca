#!/usr/bin/env bash
# The game's test play of a level file (Gravlin --window --play FILE), with
# SDL's dummy video and sound drivers so no screen is needed: a watched
# script that wins ends the game with status 0, one that walks into a deadly
# tile with 3 (after the game over), Escape with 4 (given up). No player file
# and no window setting is written. Runs on a copy of the game folder.
set -u
game="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$game"/. "$work"/
rm -f "$work"/Players.txt "$work"/CompLevels*.Txt "$work"/UOptions*.Txt
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

# The player at (1, 1), $1 to its right, the book after that, $2 at (8, 2).
level() {
  for i in $(seq 0 191); do
    c=$((i % 16)) r=$((i / 16))
    case $i in
      0) v=128 ;; 15) v=129 ;; 176) v=98 ;; 191) v=99 ;; 17) v=24 ;; 18) v=$1 ;; 19) v=134 ;; 40) v=$2 ;;
      *) if [ $c -eq 0 ] || [ $c -eq 15 ] || [ $r -eq 0 ] || [ $r -eq 11 ]; then v=127; else v=1; fi ;;
    esac
    printf '%s\r\n' "$v"
  done
}
level 6 1 > "$work/open.bkg"
level 130 6 > "$work/deadly.bkg"
printf '# gravlin-replay 1\n1 +Right\n' > "$work/win.rpl"
printf '5 +Escape\n' > "$work/escape.rpl"

failed=0
expect() {
  local want=$1 file=$2 script=$3
  timeout 60 "$work/Gravlin" --window --play "$work/$file" --watch "$work/$script" 2>>"$work/log"
  local got=$?
  if [ "$got" -ne "$want" ]; then
    echo "FAIL: $file with $script ended with status $got, expected $want"
    failed=1
  fi
}
expect 0 open.bkg win.rpl
expect 3 deadly.bkg win.rpl
expect 4 open.bkg escape.rpl
# A level file that is not whole is refused with its name.
head -c 100 "$work/open.bkg" > "$work/short.bkg"
"$work/Gravlin" --window --play "$work/short.bkg" 2>"$work/short.log"
[ $? -eq 2 ] && grep -q short.bkg "$work/short.log" || { echo "FAIL: a short level file was not refused"; failed=1; }

for f in "$work"/Players.txt "$work"/CompLevels1.Txt "$work"/UOptions1.Txt "$work"/config/gravlin/settings.txt; do
  [ -e "$f" ] && { echo "FAIL: $f was written"; failed=1; }
done
[ $failed -eq 0 ] || { cat "$work/log"; exit 1; }
echo "PASS: won 0, lost 3, given up 4; nothing written"
