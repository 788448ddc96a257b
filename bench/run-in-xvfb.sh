#!/usr/bin/env bash
# Runs one command on a private Xvfb (a free display chosen by the server)
# and stops the server afterwards, whatever becomes of the command.
#   bench/run-in-xvfb.sh COMMAND [ARGUMENTS...]
set -euo pipefail

work=$(mktemp -d "${TMPDIR:-/tmp}/shiputong-bench.XXXXXX")
xvfb=

cleanup()
{
    local status=$?
    set +e
    trap - EXIT INT TERM
    if [[ -n "$xvfb" ]]; then
        kill "$xvfb" 2>/dev/null
        for _ in $(seq 50); do
            kill -0 "$xvfb" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$xvfb" 2>/dev/null
        wait "$xvfb" 2>/dev/null
    fi
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    if ! kill -0 "$xvfb" 2>/dev/null; then
        cat "$work/xvfb.log" >&2
        echo "run-in-xvfb: Xvfb did not start" >&2
        exit 1
    fi
    sleep 0.1
done
[[ -s "$work/display" ]] || { echo "run-in-xvfb: Xvfb chose no display in 10 s" >&2; exit 1; }

# The command talks to this server only, and keeps whatever it stores to
# itself.
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=":$(head -n 1 "$work/display")" \
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" "$@"
