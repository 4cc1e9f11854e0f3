# Shared by the end-to-end scripts (sourced, not a test itself): a fresh working folder with the
# program's data, a virtual X server on a free display, the program started in that folder, and
# everything ended again on exit.

work_dir=$(mktemp -d /tmp/kavo-e2e-XXXXXX)
xvfb_pid=""
program_pid=""

cleanup() {
    if [[ -n $program_pid ]] && kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work_dir"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [[ -f $work_dir/program.log ]]; then
        echo "--- program output:" >&2
        cat "$work_dir/program.log" >&2
    fi
    exit 1
}

# Several test runs may share the machine: take the first display nobody holds, and move on when
# another server wins the race for it.
start_xvfb() {
    local number tries
    for number in $(seq 91 160); do
        [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp "$@" >"$work_dir/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for tries in $(seq 50); do
            kill -0 "$xvfb_pid" 2>/dev/null || break
            # Only a server whose lock holds our own server's id is ours: another run may have
            # won the race for this display.
            if [[ $(tr -d " " 2>/dev/null <"/tmp/.X$number-lock") == "$xvfb_pid" ]] &&
                DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=":$number"
                return 0
            fi
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    fail "no virtual X server could be started"
}

# Copies the data folder (which may be empty or missing) into the working folder.
copy_data() {
    if [[ -n ${1:-} && -d $1 ]]; then
        cp -r "$1/." "$work_dir/"
    fi
    rm -f "$work_dir/res.cfg"
}

# Starts the program in the working folder; its output goes to program.log.
start_program() {
    cd "$work_dir"
    "$1" >"$work_dir/program.log" 2>&1 &
    program_pid=$!
}

# Waits up to $1 tenths of a second for the program to end and checks it returned 0.
expect_clean_exit() {
    expect_exit "$1" 0
}

# Waits up to $1 tenths of a second for the program to end and checks its exit status: $2 is 0
# for exactly 0, or "nonzero".
expect_exit() {
    local tries status=0
    for tries in $(seq "$1"); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$program_pid" 2>/dev/null && fail "the program did not end in time"
    wait "$program_pid" || status=$?
    program_pid=""
    if [[ $2 == nonzero ]]; then
        [[ $status -ne 0 ]] || fail "exit status 0, expected a failure status"
    else
        [[ $status -eq $2 ]] || fail "exit status $status, expected $2"
    fi
}
