#!/bin/sh
# bench.sh (make bench): builds the benchmark of the Windows build this host
# runs (the 32-bit exe where it can, else the 64-bit build) and runs it under
# Wine in a prefix of its own, build/bench/prefix-win32 or prefix-win64, with
# the wineserver and the benchmark pinned to one CPU: every registry call is
# a round trip to the server, about ten times dearer and far less steady
# across two CPUs. The start-up figure starts VAVEZAV.exe and a bare
# program beside it in that prefix, with a printer of the model the
# benchmark adds and removes. Leaves build/bench/bench.md, bench.csv and
# bench.png.
#   VAVEZAV_WINEARCH=win32|win64  which build (default: as wine-probe.sh says)
#   VAVEZAV_BENCH_CPU=N           the CPU (default: the last this shell may use)
#   VAVEZAV_BENCH_RUNS=N          runs per figure after the warm-up (default 11)
# Exit 1 when the benchmark finds a wrong result; a missed target is
# reported, not an error.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
out="$root/build/bench"

# Inside wine-session.sh: bench.sh --in-session EXE CPU RUNS NOTE
if [ "${1:-}" = --in-session ]; then
    . "$here/wine-env.sh"
    exe=$2
    cpu=$3
    runs=$4
    note=$5
    # The first program starts Wine's helpers (services, the desktop), which
    # keep the CPU they start on: a smoke run, unpinned, keeps them off the
    # benchmark's CPU and checks the build on the smallest table.
    log="$out/smoke.log"
    if ! timeout -k 5 120 "$WINE" "$exe" --smoke >"$log" 2>&1 </dev/null; then
        cat "$log" >&2
        echo "bench: the smoke run failed" >&2
        exit 1
    fi
    rm -f "$log"
    cd "$out"
    exec timeout -k 5 330 taskset -c "$cpu" "$WINE" "$exe" --runs "$runs" --out . --note "$note" </dev/null
fi

. "$here/wine-probe.sh"
if [ -z "${VAVEZAV_WINEARCH:-}" ]; then
    if ! probe_builds; then
        echo "bench: $builds_why" >&2
        exit 1
    fi
    VAVEZAV_WINEARCH=${builds%% *}
    why=" ($builds_why)"
fi
case "$VAVEZAV_WINEARCH" in
    win32) preset=windows; which="the 32-bit exe" ;;
    win64) preset=windows64; which="the 64-bit build" ;;
    *) echo "bench: VAVEZAV_WINEARCH must be win32 or win64" >&2; exit 2 ;;
esac
export VAVEZAV_WINEARCH

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "${JOBS:-2}" --target bench
exe="$root/build/$preset/bench.exe"

# The last CPU of this shell's affinity list ("0-3", "0,2,5-6").
allowed=$(taskset -pc $$ | sed 's/.*: *//')
last=$(echo "$allowed" | tr ',' '\n' | tail -n 1 | sed 's/.*-//')
cpu=${VAVEZAV_BENCH_CPU:-$last}
runs=${VAVEZAV_BENCH_RUNS:-11}

mkdir -p "$out"
rm -f "$out/bench.md" "$out/bench.csv" "$out/bench.png"
echo "bench: $which, $exe${why:-}"
echo "bench: wineserver and benchmark pinned to CPU $cpu with taskset (registry calls are round trips to the server: unpinned, the figures are noise)"
wine_version=$(. "$here/wine-env.sh" && "$WINE" --version 2>/dev/null || echo Wine)
note="Wineserver and benchmark pinned to CPU $cpu of $(nproc); $which under $wine_version; $(date -u '+%Y-%m-%d %H:%M UTC')."
VAVEZAV_WINEPREFIX="$out/prefix-$VAVEZAV_WINEARCH" VAVEZAV_PIN_CPU="$cpu" \
    "$here/wine-session.sh" "$here/bench.sh" --in-session "$exe" "$cpu" "$runs" "$note"

gnuplot -e "csv='$out/bench.csv'; png='$out/bench.png'" "$root/tests/bench/bench.gp"
echo "bench: $out/bench.md, $out/bench.csv, $out/bench.png"
