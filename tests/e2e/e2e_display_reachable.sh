#!/usr/bin/env bash
# Displays that X clients reach without a socket file under /tmp/.X11-unix
# open the window: a server listening only on its abstract socket, as in
# sandboxes and containers with a private /tmp, and one reached over TCP.
source "$(dirname "$0")/lib.sh"

# Starts the program, waits for its window, and ends it again.
expect_window()
{
    e2e_start_app
    e2e_log "ok: $1: the window opened on $DISPLAY"
    kill "$E2E_APP"
    wait "$E2E_APP" 2>/dev/null || true
}

# "-nolisten unix" drops the socket file; Linux keeps the abstract socket.
e2e_start_xvfb -nolisten tcp -nolisten unix
number=${DISPLAY#:}
[[ ! -e /tmp/.X11-unix/X$number ]] || e2e_fail "Xvfb made the socket file /tmp/.X11-unix/X$number"
grep -qF "@/tmp/.X11-unix/X$number" /proc/net/unix || e2e_fail "no abstract socket for $DISPLAY"
expect_window "abstract socket only"

# TCP only, no local transport at all; -ac because the test has no cookie.
e2e_start_xvfb -listen tcp -nolisten unix -nolisten local -ac
export DISPLAY="localhost$DISPLAY"
timeout 10 xdpyinfo >/dev/null 2>&1 || e2e_fail "the TCP server does not answer on $DISPLAY"
expect_window "TCP"
