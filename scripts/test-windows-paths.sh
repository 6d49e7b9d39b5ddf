#!/usr/bin/env bash
# The road of scripts/test-windows.sh on a kernel that runs no 32-bit
# programs, taken here through VFDKIT_PROBE_I386=no: the run passes with the
# 64-bit tests and both builds' static checks and says the 32-bit tests were
# skipped and why; a static check that fails in the 32-bit build (an archive
# whose DLL is not the build's) still fails the run.
#
# Usage: test-windows-paths.sh [cmake --build arguments]; needs what
# scripts/test-windows.sh needs. Leaves both builds as the probe finds them.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
out=$(mktemp -d)
archive=
faults=0
restore() {
    # The build writes the archive anew once it is gone.
    [[ -n $archive ]] && rm -f "$archive"
    scripts/build-windows.sh "$@" >/dev/null 2>&1
    ((faults)) || rm -rf "$out"
}
trap 'restore "$@"' EXIT
fault() {
    echo "FAULT: $*"
    faults=$((faults + 1))
}

# expect_line LOG LINE: the summary holds exactly this line.
expect_line() {
    grep -qxF "$2" "$1" || fault "no line \"$2\" in $1"
}

# The roads, not the suites, are under test here (make test-windows runs the
# suites): of the Wine tests, the static checks and one small group.
export VFDKIT_WINE_TESTS='_exports$|^windows_archive$|^AtomicFile'
VFDKIT_PROBE_I386=no scripts/test-windows.sh "$@" >"$out/skip.log" 2>&1
status=$?
((status == 0)) || fault "the run without 32-bit programs failed ($status)"
expect_line "$out/skip.log" \
    "32-bit Windows tests: skipped, this kernel runs no 32-bit programs (VFDKIT_PROBE_I386=no)"
grep -Eq '^64-bit Windows tests: [1-9][0-9]* passed under wine64' "$out/skip.log" ||
    fault "no 64-bit tests ran"
expect_line "$out/skip.log" \
    "Static checks of VF620.dll, Polelink.dll and the archive: passed, 32-bit and 64-bit"
# Of the 32-bit build only what runs nothing built.
grep -q 'tests passed, 0 tests failed out of 3$' build-win32/ctest.log ||
    fault "the 32-bit build ran more than its 3 static checks"

# An archive whose DLL is not the one the checks passed; dated ahead so the
# build leaves it.
archive=$(realpath build-win32/dist/vfdkit-*-windows-x86.zip)
mkdir "$out/unpacked"
(cd "$out/unpacked" && cmake -E tar xf "$archive")
printf 'x' >>"$out/unpacked/VF620.dll"
(cd "$out/unpacked" && cmake -E tar cf "$out/changed.zip" --format=zip -- *)
cp "$out/changed.zip" "$archive"
touch -d '+1 hour' "$archive"
VFDKIT_PROBE_I386=no scripts/test-windows.sh "$@" >"$out/changed.log" 2>&1
status=$?
((status != 0)) || fault "the run passed with a changed DLL in the 32-bit archive"
expect_line "$out/changed.log" \
    "Static checks of VF620.dll, Polelink.dll and the archive: FAILED in win32"
grep -q "VF620.dll is not the build's" "$out/changed.log" || fault "the changed DLL is not named"

if ((faults)); then
    echo "test-windows-paths: $faults faults (logs: $out)"
    exit 1
fi
echo "test-windows-paths: the road without 32-bit programs passes and reports, a changed archive fails"
