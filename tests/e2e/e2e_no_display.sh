#!/usr/bin/env bash
# Without a display the program says so in one line and ends with status 1:
# no Qt abort, no core dump, nothing on standard output.
source "$(dirname "$0")/lib.sh"

# Runs the program with the environment changes $@; checks its end.
expect_one_line_and_status_1()
{
    local what=$1 status=0
    shift
    timeout 30 env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$@" "$SHIPUTONG" \
        </dev/null >"$E2E_WORK/out" 2>"$E2E_WORK/err" || status=$?
    [[ $status -ne 124 ]] || e2e_fail "$what: still running after 30 s"
    [[ $status -eq 1 ]] || e2e_fail "$what: exit status $status, stderr: $(cat "$E2E_WORK/err")"
    [[ ! -s "$E2E_WORK/out" ]] || e2e_fail "$what: wrote to standard output: $(cat "$E2E_WORK/out")"
    local lines
    lines=$(wc -l <"$E2E_WORK/err")
    [[ $lines -eq 1 && -n "$(tr -d '[:space:]' <"$E2E_WORK/err")" ]] \
        || e2e_fail "$what: $lines lines on stderr instead of one: $(cat "$E2E_WORK/err")"
    # One complete line: nothing after its line break.
    [[ "$(tail -c 1 "$E2E_WORK/err" | od -An -c | tr -d ' ')" == '\n' ]] \
        || e2e_fail "$what: the message does not end with a line break"
    e2e_log "ok: $what: $(cat "$E2E_WORK/err")"
}

expect_one_line_and_status_1 "DISPLAY unset" -u DISPLAY

# A display number no server has: neither its sockets nor its lock exist.
number=4242
while [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]] \
    || grep -qF "@/tmp/.X11-unix/X$number" /proc/net/unix; do
    number=$((number + 1))
done
expect_one_line_and_status_1 "DISPLAY=:$number without a server" DISPLAY=":$number"
grep -qF ":$number" "$E2E_WORK/err" || e2e_fail "the message does not name the display :$number"

# Displays that only the X library can find wanting: a name that is no
# display at all, and a host with no server behind the number.
expect_one_line_and_status_1 "DISPLAY=bogus" DISPLAY=bogus
expect_one_line_and_status_1 "DISPLAY=localhost:$number" DISPLAY="localhost:$number"
grep -qF "localhost:$number" "$E2E_WORK/err" || e2e_fail "the message does not name the display localhost:$number"
