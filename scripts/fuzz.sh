#!/bin/sh
# fuzz.sh [LIBFUZZER-ARGS...]: builds the fuzz targets into build/fuzz and
# runs each for FUZZ_SECONDS seconds (60 unless set), one after the other: the
# .afe reader on inputs of at most FUZZ_MAX_LEN bytes (8192 unless set), the
# APPINFO walk on at most FUZZ_APPINFO_MAX_LEN (4096 unless set). The
# arguments go to both. Needs clang with libFuzzer and cmake, which lists the
# portable core's sources.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/fuzz"
seconds="${FUZZ_SECONDS:-60}"
mkdir -p "$out/afe-corpus" "$out/appinfo-corpus"

# The portable core as the native build compiles it, listed by its configure step.
cmake --preset native >/dev/null
sources=$(cat "$root/build/native/core_sources.txt")
build() {
    # shellcheck disable=SC2086
    clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$root/src" \
        -I"$root/res" "$root/tests/fuzz/$1.cpp" $sources -o "$out/$1"
}
build flag_file_fuzz
build app_info_fuzz

# .afe seeds: the empty table, the one-application example, a table with a gap.
line1=00000001000500020000000A0000000180000000
line2=0000000700010000000200036deadbee00000000
printf '00002\n\n' >"$out/afe-corpus/empty.afe"
printf '00018\n02A.EXE;\n%s\n%s\n' "$line1" "$line2" >"$out/afe-corpus/example.afe"
printf '00042\n01A.EXE;00B.EXE;02C;\n%s\n%s\n%s\n' "$line1" "$line2" "$line1" >"$out/afe-corpus/three.afe"
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

# APPINFO seeds: empty, the example, a bad count, a name of 81 characters,
# text after the last ";".
name81=$(printf '%081d' 0 | tr 0 N)
printf '' >"$out/appinfo-corpus/empty"
printf '02A.EXE;' >"$out/appinfo-corpus/example"
printf '01A.EXE;x2B.EXE;03C;' >"$out/appinfo-corpus/bad-count"
printf '01A;02%s;01B;' "$name81" >"$out/appinfo-corpus/long-name"
printf '02A.EXE;01B.EXE;03C.E' >"$out/appinfo-corpus/trailing"
cat >"$out/appinfo.dict" <<'DICT'
";"
"00"
"01"
"99"
"A.EXE"
"02A.EXE;"
"-"
"%s"
"\x00"
DICT

run() {
    target=$1 corpus=$2 dict=$3 max_len=$4
    shift 4
    (cd "$out" && "./$target" -max_total_time="$seconds" -max_len="$max_len" -dict="$out/$dict" \
        -artifact_prefix="$out/$target-" -print_final_stats=1 "$@" "$out/$corpus")
}
status=0
run flag_file_fuzz afe-corpus afe.dict "${FUZZ_MAX_LEN:-8192}" "$@" || status=1
run app_info_fuzz appinfo-corpus appinfo.dict "${FUZZ_APPINFO_MAX_LEN:-4096}" "$@" || status=1
exit $status
