# Sourced by the Windows programs' end-to-end tests: vfdsim as a COM port
# under Wine.
#
# scripts/test-wine.sh maps COM5 to COM8 of the Wine prefix (registry key
# HKLM\Software\Wine\Ports) onto symbolic links in build-<preset>/wine-ports/,
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
            "(found '${VFD_COM_LINK}'): run the tests with scripts/test-wine.sh" >&2
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

fail() {
    echo "FAILED: $*"
    exit 1
}

# run_client LAST_LINE PROGRAM ARGS...: runs a Windows program under Wine in
# VFDSIM_DIR, shows its output (stderr lines marked) and fails unless it
# exits 0 with LAST_LINE as its last line of output: Wine without its 32-bit
# part exits 0 and runs nothing. Leaves the output, without CRs, in
# $VFDSIM_DIR/client.out and client.err.
run_client() {
    local verdict=$1 status=0
    shift
    (cd "$VFDSIM_DIR" && "$@" >client.out.crlf 2>client.err.crlf) || status=$?
    tr -d '\r' <"$VFDSIM_DIR/client.out.crlf" >"$VFDSIM_DIR/client.out"
    tr -d '\r' <"$VFDSIM_DIR/client.err.crlf" >"$VFDSIM_DIR/client.err"
    cat "$VFDSIM_DIR/client.out"
    sed 's/^/stderr: /' "$VFDSIM_DIR/client.err"
    [[ $status -eq 0 ]] || fail "$2 exited with $status"
    [[ $(tail -n 1 "$VFDSIM_DIR/client.out") == "$verdict" ]] || fail "no \"$verdict\" from $2"
}

# expect_display_bytes HEX...: waits up to 5 s for the display-side bytes
# and fails unless they are exactly these (upper-case pairs); "ALL" stands
# for every byte value 00 to FF in order.
expect_display_bytes() {
    local expected= word i
    for word in "$@"; do
        if [[ $word == ALL ]]; then
            for ((i = 0; i < 256; ++i)); do
                expected+=$(printf ' %02X' "$i")
            done
        else
            expected+=" $word"
        fi
    done
    expected=${expected# }
    local count got
    count=$(wc -w <<<"$expected")
    got=$(vfdsim_wait_for_bytes "$count" 5)
    if [[ $got != "$expected" ]]; then
        echo "expected: $expected"
        echo "received: $got"
        fail "the display did not receive the bytes exactly"
    fi
    echo "the display received all $count bytes exactly"
}
