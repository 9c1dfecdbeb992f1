#!/bin/sh
# build-qemu32.sh: builds qemu's i386 user-mode emulator once per machine
# into build/qemu/qemu-i386 and prints its path; later calls reuse it. It
# runs Wine's 32-bit loader where the host runs no 32-bit x86 code
# (emulate32.sh). On failure (no network, a missing build tool) it says why
# on standard error and in build/qemu/failed and exits 1; the whole log is
# build/qemu/build.log.
#
# Debian 12's qemu 7.2 takes minutes per Wine process; Debian 13's qemu 10.0
# is fast, and with qemu-i386-trapno.patch its signal frames carry the CPU
# exception number that Wine's fault handler needs. The source, meson and
# pycotap come from Debian 13 through an apt state of its own in
# build/qemu/apt (the system's apt sources stay as they are); the build
# tools from Debian 12 are in install-deps.sh.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
out="$root/build/qemu"
bin="$out/qemu-i386"
patch_file="$here/qemu-i386-trapno.patch"
suite=trixie
python=/usr/bin/python3

# The binary is kept with a checksum of the patch and this script that made it.
stamp=$(cat "$patch_file" "$here/build-qemu32.sh" | cksum | cut -d' ' -f1)
if [ -x "$bin" ] && [ "$(cat "$bin.patch" 2>/dev/null)" = "$stamp" ] && "$bin" -version >/dev/null 2>&1; then
    rm -f "$out/failed"
    echo "$bin"
    exit 0
fi

# The reason also goes to build/qemu/failed, for test-windows.sh to quote.
fail() {
    echo "build-qemu32: $*" >&2
    mkdir -p "$out" && echo "$*" >"$out/failed"
    exit 1
}
rm -f "$out/failed"

for tool in cc ninja pkg-config patch tar dpkg-deb apt-get "$python"; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (make deps installs it)"
done
pkg-config --exists glib-2.0 || fail "glib-2.0 development files are missing (libglib2.0-dev; make deps installs it)"
"$python" -c 'import venv, ensurepip' 2>/dev/null || fail "$python has no venv module (python3-venv; make deps installs it)"

# The system's own Debian mirror: the URI that serves its release (deb822
# .sources or one-line sources.list).
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[ -n "$codename" ] || fail "no VERSION_CODENAME in /etc/os-release"
mirror=$(
    {
        for f in /etc/apt/sources.list.d/*.sources; do
            [ -f "$f" ] || continue
            awk -v want="$codename" '
                function flush() {
                    if (types ~ / deb( |$)/ && (" " suites " ") ~ (" " want " ")) print uri
                    uri = ""; types = ""; suites = ""
                }
                /^[ \t]*$/ { flush(); next }
                tolower($1) == "uris:" { uri = $2 }
                tolower($1) == "types:" { types = $0 }
                tolower($1) == "suites:" { $1 = ""; suites = $0 }
                END { flush() }
            ' "$f"
        done
        cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
            sed 's/\[[^]]*\]//' | awk -v want="$codename" '$1 == "deb" && $3 == want { print $2 }'
    } | head -n 1
)
[ -n "$mirror" ] || fail "no mirror for $codename found in /etc/apt/sources.list or /etc/apt/sources.list.d"
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
[ -f "$keyring" ] || fail "$keyring is missing (debian-archive-keyring)"

mkdir -p "$out"
log="$out/build.log"
: >"$log"
step() {
    echo "build-qemu32: $1" >&2
    echo "== $1" >>"$log"
}
run() {
    if ! "$@" >>"$log" 2>&1; then
        tail -n 20 "$log" >&2
        fail "failed: $* (log: $log)"
    fi
}

# apt with a state, a cache and a source list of its own.
apt_dir="$out/apt"
arch=$(dpkg --print-architecture)
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$apt_dir/parts" "$apt_dir/prefs"
printf 'deb [signed-by=%s] %s %s main\ndeb-src [signed-by=%s] %s %s main\n' \
    "$keyring" "$mirror" "$suite" "$keyring" "$mirror" "$suite" >"$apt_dir/sources.list"
private_apt() {
    cmd=$1
    shift
    timeout 600 "$cmd" -q -o Dir::State="$apt_dir" -o Dir::State::lists="$apt_dir/lists" \
        -o Dir::Cache="$apt_dir" -o Dir::Cache::archives="$apt_dir/archives" \
        -o Dir::Etc::sourcelist="$apt_dir/sources.list" -o Dir::Etc::sourceparts="$apt_dir/parts" \
        -o Dir::Etc::preferencesparts="$apt_dir/prefs" -o Dir::Etc::preferences="$apt_dir/prefs/none" \
        -o APT::Architecture="$arch" -o APT::Architectures::="$arch" \
        -o APT::Sandbox::User=root -o Acquire::Retries=2 -o Acquire::http::Timeout=30 "$@"
}

step "qemu source, meson and pycotap from Debian $suite ($mirror)"
run private_apt apt-get update
src="$out/src"
rm -rf "$src"
mkdir -p "$src"
(cd "$src" && private_apt apt-get source --download-only qemu && private_apt apt-get download meson python3-pycotap) >>"$log" 2>&1 ||
    { tail -n 20 "$log" >&2; fail "download from $mirror failed (log: $log)"; }
for deb in "$src"/*.deb; do
    run dpkg-deb -x "$deb" "$src/py"
done
orig=$(ls "$src"/qemu_*.orig.tar.* 2>/dev/null | head -n 1)
[ -n "$orig" ] || fail "no qemu source archive downloaded (log: $log)"
run tar -xf "$orig" -C "$src"
tree=$(find "$src" -mindepth 1 -maxdepth 1 -type d -name 'qemu-*' | head -n 1)
[ -n "$tree" ] || fail "the qemu source archive held no qemu-* folder"
run patch -d "$tree" -p1 -i "$patch_file"

step "configure and build i386-linux-user (about 2 minutes on 2 cores)"
build="$tree/build"
mkdir -p "$build"
# configure's venv takes meson and pycotap from the unpacked packages.
PYTHONPATH="$src/py/usr/lib/python3/dist-packages${PYTHONPATH:+:$PYTHONPATH}"
export PYTHONPATH
(cd "$build" && nice ../configure --python="$python" --target-list=i386-linux-user \
    --disable-system --disable-tools --disable-docs --disable-guest-agent --disable-plugins \
    --disable-debug-info --disable-werror --disable-download --disable-rust --disable-install-blobs) >>"$log" 2>&1 ||
    { tail -n 20 "$log" >&2; fail "qemu configure failed (log: $log)"; }
run nice ninja -C "$build" -j "${JOBS:-$(nproc)}" qemu-i386
"$build/qemu-i386" -version >>"$log" 2>&1 || fail "the built qemu-i386 does not run (log: $log)"
cp "$build/qemu-i386" "$bin.new"
mv "$bin.new" "$bin"
echo "$stamp" >"$bin.patch"
rm -rf "$src" "$apt_dir"
echo "$bin"
