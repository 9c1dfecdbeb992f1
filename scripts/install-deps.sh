#!/bin/sh
# Installs what the build and the tests need, and nothing when all of it is present:
# both mingw-w64 compilers, and Wine for both builds (wine32 with the i386
# architecture, also on a host that cannot run it, and wine64) with Wine's
# own fonts (without them the title bar's buttons show as letters), gnuplot
# for the plot of make bench, and what build-qemu32.sh needs to build the
# i386 emulator where the host runs no 32-bit x86 code (its source, meson and
# pycotap come from Debian 13 there).
# Debian only; run as root (CI and fresh machines), or it only reports what is missing.
set -eu

pkgs="cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine32 wine64 fonts-wine xvfb x11-utils xdotool imagemagick gnuplot-nox ninja-build libglib2.0-dev pkg-config python3-venv patch"

missing=""
for p in $pkgs; do
    case "$p" in
        wine32) q="wine32:i386" ;;
        *) q="$p" ;;
    esac
    if ! dpkg-query -W -f='${Status}' "$q" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

if [ "$(id -u)" != 0 ]; then
    echo "install-deps: missing packages:$missing (run as root to install them)" >&2
    exit 1
fi

echo "install-deps: installing$missing"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
missing_apt=$(echo "$missing" | sed 's/\bwine32\b/wine32:i386/')
# shellcheck disable=SC2086
apt-get install -y -q --no-install-recommends $missing_apt
