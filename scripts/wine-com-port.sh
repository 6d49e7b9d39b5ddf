# Sourced by the Windows programs' end-to-end tests: vfdsim as a COM port
# under Wine.
#
# scripts/test-win32.sh maps COM5 to COM8 of the Wine prefix (registry key
# HKLM\Software\Wine\Ports) onto symbolic links in build-win32/wine-ports/,
# once, when it creates the prefix. A test starts vfdsim and points the link
# of its COM port at vfdsim's pseudo-terminal: Wine's port mapping is read
# only when its services start, the link can change at any time.
#
# Needs WINEPREFIX. Sets VFDSIM_DIR, the folder with vfdsim's files:
# transcript.jsonl, received.fnt (the last font downloaded), stdout.

# vfdsim_start COM VFDSIM [vfdsim options...]
vfdsim_start() {
    local com=$1 vfdsim=$2
    shift 2
    if [[ ! -x $vfdsim ]]; then
        echo "no vfdsim at $vfdsim: build it first (cmake --preset default &&" \
            "cmake --build --preset default --target vfdsim)" >&2
        return 1
    fi
    local mapped="$WINEPREFIX/dosdevices/com$com"
    VFD_COM_LINK=$(readlink "$mapped" || true)
    if [[ -z $VFD_COM_LINK || $(basename "$(dirname "$VFD_COM_LINK")") != wine-ports ]]; then
        echo "COM$com of $WINEPREFIX is not mapped onto a link in wine-ports/" \
            "(found '${VFD_COM_LINK}'): run the tests with scripts/test-win32.sh" >&2
        return 1
    fi
    VFDSIM_DIR=$(mktemp -d)
    "$vfdsim" --port "$com" --port-file "$VFDSIM_DIR/port" --transcript "$VFDSIM_DIR/transcript.jsonl" \
        --save-font "$VFDSIM_DIR/received.fnt" "$@" >"$VFDSIM_DIR/stdout" 2>&1 &
    VFDSIM_PID=$!
    local i setting=
    for ((i = 0; i < 100; ++i)); do
        setting=$(cat "$VFDSIM_DIR/port" 2>/dev/null || true)
        [[ -n $setting ]] && break
        sleep 0.1
    done
    if [[ $setting != VFDKIT_COM$com=/dev/* ]]; then
        echo "vfdsim did not publish COM$com:" >&2
        cat "$VFDSIM_DIR/stdout" >&2
        return 1
    fi
    ln -sfn "${setting#*=}" "$VFD_COM_LINK"
}

vfdsim_stop() {
    if [[ -n ${VFDSIM_PID:-} ]]; then
        kill "$VFDSIM_PID" 2>/dev/null || true
        wait "$VFDSIM_PID" 2>/dev/null || true
        VFDSIM_PID=
    fi
    # Nothing may reach a pseudo-terminal number that is handed out again.
    [[ -n ${VFD_COM_LINK:-} ]] && ln -sfn /dev/null "$VFD_COM_LINK"
    [[ -n ${VFDSIM_DIR:-} ]] && rm -rf "$VFDSIM_DIR"
    return 0
}

# The display-side bytes vfdsim received, as upper-case hex pairs separated
# by spaces: the "rx" fields of its transcript, in order.
vfdsim_display_bytes() {
    grep -o '"rx":"[0-9A-Fa-f ]*"' "$VFDSIM_DIR/transcript.jsonl" 2>/dev/null |
        sed -e 's/^"rx":"//' -e 's/"$//' | tr 'a-f' 'A-F' | tr '\n' ' ' | xargs
}

# vfdsim_wait_for_bytes COUNT SECONDS: waits until at least COUNT display
# bytes have arrived; prints them.
vfdsim_wait_for_bytes() {
    local count=$1 tenths=$(($2 * 10)) bytes= i
    for ((i = 0; i <= tenths; ++i)); do
        bytes=$(vfdsim_display_bytes)
        (($(wc -w <<<"$bytes") >= count)) && break
        sleep 0.1
    done
    echo "$bytes"
}

# vfdsim_wait_for_event EVENT SECONDS: waits until the transcript holds an
# entry of that event; prints the first.
vfdsim_wait_for_event() {
    local tenths=$(($2 * 10)) entry= i
    for ((i = 0; i <= tenths; ++i)); do
        entry=$(grep -m 1 "\"event\":\"$1\"" "$VFDSIM_DIR/transcript.jsonl" 2>/dev/null || true)
        [[ -n $entry ]] && break
        sleep 0.1
    done
    echo "$entry"
}
