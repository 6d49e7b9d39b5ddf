#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only those
# that are missing. apt-get runs only as root; otherwise the missing packages
# are named and the script fails, so nothing half-works silently.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    g++ cmake ninja-build pkg-config make
    libwxgtk3.2-dev libgtk-3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth x11-utils imagemagick libxfixes-dev
    kbd zlib1g-dev console-setup-linux
    dpkg-dev lintian desktop-file-utils man-db clang-format
    libfreetype-dev xfonts-base xfonts-utils fonts-dejavu-core
    fonts-wqy-microhei # Tallyboard's Chinese texts; the smallest CJK font package
    # (a missing font shows them as boxes)
    ser2net # the port server of the tills, in front of vfdsim in the network tests
)
# Extra groups, asked for by name: `deps.sh win32 win64`.
foreign_arch=
for group in "$@"; do
    case "$group" in
    # The Windows builds: the mingw-w64 compilers (the POSIX thread model:
    # GoogleTest needs std::mutex), GoogleTest's sources to build with them,
    # and Wine to run what they make.
    win32)
        packages+=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686 libz-mingw-w64-dev googletest)
        # Wine's 32-bit half only where the kernel runs 32-bit programs:
        # elsewhere dpkg cannot even configure wine32:i386, and the 32-bit
        # build is only built and checked, not run.
        i386=0
        verdict=$(scripts/probe-i386.sh) || i386=$?
        if ((i386 == 2)); then
            # The probe needs binutils, which the base packages bring.
            echo "deps.sh: install the base packages first (scripts/deps.sh)" >&2
            exit 1
        elif ((i386 == 0)); then
            packages+=(wine wine32:i386)
            foreign_arch=i386
        else
            echo "deps.sh: no wine32:i386 (${verdict#no: })"
        fi
        ;;
    # wine64 alone: Debian puts its loader in /usr/lib/wine/wine64.
    win64)
        packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev googletest wine64)
        ;;
    # The parsers' fuzz targets: libFuzzer comes with clang.
    fuzz)
        packages+=(clang)
        ;;
    *) echo "deps.sh: unknown group '$group'" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root: apt-get install ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# 32-bit packages come from a second architecture, which dpkg must know
# before apt-get update fetches its package lists.
if [[ -n "$foreign_arch" ]] && ! dpkg --print-foreign-architectures | grep -qx "$foreign_arch"; then
    dpkg --add-architecture "$foreign_arch"
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
