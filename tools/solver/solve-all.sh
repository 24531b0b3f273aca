#!/bin/sh
# Regenerates the solution of every shipped level: searches each level with
# gravlin-solve (which proves what it finds with the replay runner) and
# writes levels/solutions/LevelNNN.rpl. A level whose search gives up is
# played from its written plan, levels/solutions/LevelNNN.plan, when there
# is one.
#
#   tools/solver/solve-all.sh [BUILD_DIR] [LEVEL...]
#
# BUILD_DIR defaults to build/; the levels default to every levels/*.bkg.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
[ $# -gt 0 ] && shift
solve=$build/game/gravlin-solve
data=$build/game
if [ ! -x "$solve" ]; then
    echo "solve-all: $solve is missing; build the gravlin-solve target first" >&2
    exit 2
fi

# Search settings per level, where the defaults are not enough.
options_for() {
    case $1 in
    *) echo "" ;;
    esac
}

if [ $# -gt 0 ]; then
    levels=$*
else
    levels=$(ls "$root"/levels/Level*.bkg | sed 's/.*Level0*\([0-9]*\)\.bkg/\1/')
fi

failed=0
for n in $levels; do
    name=$(printf 'Level%03d' "$n")
    out=$root/levels/solutions/$name.rpl
    plan=$root/levels/solutions/$name.plan
    # shellcheck disable=SC2046
    if "$solve" --data "$data" --level "$n" --quiet $(options_for "$n") --out "$out"; then
        echo "$name: searched and proved"
    elif [ -f "$plan" ] && "$solve" --data "$data" --level "$n" --quiet --plan-file "$plan" --out "$out"; then
        echo "$name: played from its plan and proved"
    else
        echo "$name: NO SOLUTION" >&2
        failed=1
    fi
done
exit $failed
