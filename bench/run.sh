#!/usr/bin/env bash
# Every figure of the speed table in one run: the drawing benchmarks with
# their same-run floors (medians of five repetitions), the play ticks, and
# the real game under Xvfb. Usage: bench/run.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
runs=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_min_time=0.3)
for program in presentation/gravlin_presentation_bench actors/gravlin_actors_bench game/gravlin_frame_bench; do
    "$build/bench/$program" "${runs[@]}" 2>/dev/null | grep -E '^Benchmark|_median'
done
"$here/xvfb-play.sh" 1 "$build"
