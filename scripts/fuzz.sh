#!/bin/sh
# fuzz.sh [LIBFUZZER-ARGS...]: builds the .afe reader's fuzz target into
# build/fuzz and runs it for FUZZ_SECONDS seconds (60 unless set), on inputs
# of at most FUZZ_MAX_LEN bytes (8192 unless set). Needs clang with libFuzzer
# and cmake, which lists the portable core's sources.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/fuzz"
seconds="${FUZZ_SECONDS:-60}"
max_len="${FUZZ_MAX_LEN:-8192}"
mkdir -p "$out/corpus"

# The portable core as the native build compiles it, listed by its configure step.
cmake --preset native >/dev/null
sources=$(cat "$root/build/native/core_sources.txt")
# shellcheck disable=SC2086
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$root/src" \
    -I"$root/res" "$root/tests/fuzz/flag_file_fuzz.cpp" $sources -o "$out/flag_file_fuzz"

# Seeds: the empty table, the one-application example, a table with a gap.
line1=00000001000500020000000A0000000180000000
line2=0000000700010000000200036deadbee00000000
printf '00002\n\n' >"$out/corpus/empty.afe"
printf '00018\n02A.EXE;\n%s\n%s\n' "$line1" "$line2" >"$out/corpus/example.afe"
printf '00042\n01A.EXE;00B.EXE;02C;\n%s\n%s\n%s\n' "$line1" "$line2" "$line1" >"$out/corpus/three.afe"
cat >"$out/afe.dict" <<'DICT'
"\x0a"
";"
"00002"
"00018"
"99998"
"01A.EXE;"
"00000000"
"FFFFFFFF"
"ffffffff"
DICT

cd "$out"
exec ./flag_file_fuzz -max_total_time="$seconds" -max_len="$max_len" -dict="$out/afe.dict" \
    -artifact_prefix="$out/" -print_final_stats=1 "$@" "$out/corpus"
