#!/usr/bin/env bash
# Builds the Debian package from a configured build folder, unpacks it into
# a scratch root and runs the programs from there, as an installed copy:
#
#     package-test.sh BUILD_DIR
#
# Checks: the version, a driver call against vfdsim (screen checked), Pagewing
# binding the packaged library, the manual pages rendering without warnings,
# the desktop entries, and lintian reporting no errors.
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
sim_pid=
cleanup() {
    [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "package-test: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$scratch"/out/vfdkit_*_amd64.deb 2>/dev/null | head -1 || true)
[[ -f $deb ]] || fail "no package was written"
echo "package: $(basename "$deb")"
root=$scratch/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/bin

# Installed programs find their libraries by run path, not by the build tree.
version=$("$bin/vfdkit" --version)
[[ $version == "vfdkit $(dpkg-deb -f "$deb" Version)" ]] || fail "vfdkit --version said '$version'"
# Every program answers --help and --version without a display, starting
# nothing and writing nothing.
mkdir "$scratch/quiet"
for program in vfdkit vfdsim Typeloom Pagewing Tallyboard; do
    for option in --help --version; do
        (cd "$scratch/quiet" && env -u DISPLAY "$bin/$program" $option >/dev/null 2>&1) ||
            fail "$program $option did not exit 0"
    done
done
[[ -z $(ls -A "$scratch/quiet") ]] || fail "--help or --version wrote $(ls -A "$scratch/quiet")"
echo "--help and --version: every program, nothing written"

"$bin/vfdsim" --port 9 --port-file "$scratch/com9" --screen-text "$scratch/screen.txt" &
sim_pid=$!
for _ in $(seq 100); do [[ -s $scratch/com9 ]] && break; sleep 0.1; done
[[ -s $scratch/com9 ]] || fail "vfdsim did not publish its port"
export "$(cat "$scratch/com9")"
env -u LD_LIBRARY_PATH "$bin/vfdkit" call --port 9 DisplayStrAt "PACKAGED" 1 >/dev/null ||
    fail "vfdkit call failed"
for _ in $(seq 50); do grep -q PACKAGED "$scratch/screen.txt" 2>/dev/null && break; sleep 0.1; done
grep -q PACKAGED "$scratch/screen.txt" || fail "the display does not show what vfdkit sent"
echo "vfdkit call through the packaged library: the display shows it"

# The Python module, as installed, over the packaged library.
if command -v python3 >/dev/null; then
    PYTHONPATH=$root/usr/lib/python3/dist-packages VFDKIT_VF620=$root/usr/lib/libVF620.so.1 \
        python3 -c 'import vf620; d = vf620.Display(port=9); d.show("FROM PYTHON"); d.close()' ||
        fail "the Python module did not drive the display"
    for _ in $(seq 50); do grep -q "FROM PYTHON" "$scratch/screen.txt" && break; sleep 0.1; done
    grep -q "FROM PYTHON" "$scratch/screen.txt" || fail "the display does not show what Python sent"
    echo "the Python module drives the display through the packaged library"
fi

# Pagewing binds libVF620.so.1 as it starts: the loader's log shows which.
if [[ -n ${DISPLAY:-} ]]; then
    LD_DEBUG=libs LD_DEBUG_OUTPUT=$scratch/ld timeout 5 "$bin/Pagewing" >/dev/null 2>&1 || true
    grep -qhE "calling init: $root/usr/(bin/\.\./)?lib/libVF620\.so\.1$" "$scratch"/ld.* ||
        fail "Pagewing did not bind the packaged libVF620.so.1"
    echo "Pagewing binds the packaged library"
    # Started from its menu entry, Tallyboard keeps its files in a folder of the user's.
    (cd "$scratch/quiet" && XDG_DATA_HOME=$scratch/data timeout 5 "$bin/Tallyboard" --user-folder \
        >/dev/null 2>&1) || true
    [[ -f $scratch/data/vfdkit/tallyboard/Polelink.ini && -z $(ls -A "$scratch/quiet") ]] ||
        fail "Tallyboard --user-folder did not work in \$XDG_DATA_HOME/vfdkit/tallyboard"
    echo "Tallyboard --user-folder keeps its files in \$XDG_DATA_HOME/vfdkit/tallyboard"
else
    echo "Pagewing: not started, no display"
fi

for page in "$root"/usr/share/man/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "$(basename "$page"): $warnings"
done
echo "manual pages: $(ls "$root"/usr/share/man/man1 | tr '\n' ' ')"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop entries"

lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.txt" 2>&1 || true
if grep -q '^E:' "$scratch/lintian.txt"; then
    cat "$scratch/lintian.txt" >&2
    fail "lintian reports errors"
fi
echo "lintian: $(grep -c '^W:' "$scratch/lintian.txt" || true) warnings, no errors"
echo "1 passed, 0 failed"
