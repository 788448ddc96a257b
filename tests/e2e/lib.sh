# shellcheck shell=bash
# Common ground of the end-to-end tests: a private Xvfb, the program on it,
# windows found by exact title, clicks on controls by name, the clipboard
# read from outside the program. Sourced by every e2e_*.sh.
#
# Needs from the environment (set by CTest): SHIPUTONG (the program),
# E2E_HELPER (tests/e2e/e2e_helper). Every wait is bounded; every process
# started here is ended on exit, also when the script itself is killed.

set -euo pipefail

: "${SHIPUTONG:?path of the shiputong program}"
: "${E2E_HELPER:?path of e2e_helper}"

E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/shiputong-e2e.XXXXXX")
# The program keeps field values in the user's settings: every test has its
# own, so that none sees another's values or the developer's.
export XDG_CONFIG_HOME="$E2E_WORK/config" XDG_DATA_HOME="$E2E_WORK/data" XDG_CACHE_HOME="$E2E_WORK/cache"
E2E_PIDS_FILE="$E2E_WORK/pids"
: >"$E2E_PIDS_FILE"
# Whatever the program keeps between runs stays with the test.
export XDG_CONFIG_HOME="$E2E_WORK/config" XDG_DATA_HOME="$E2E_WORK/data"
E2E_WATCHDOG=
E2E_XVFB=
E2E_APP=
E2E_WINDOW=

# Titles of the program's windows, as the user reads them.
# shellcheck disable=SC2034 # used by the scripts that source this file
readonly MAIN_TITLE='饰铺通 V1.0' \
    CUSTOM_MODULE_TITLE='成功生成！' \
    EDITOR_TITLE='成功生成' \
    FAILURE_TITLE='复制失败' \
    QUESTION_TITLE='提示'

e2e_log() { printf '[%s] %s\n' "$(date +%H:%M:%S.%3N)" "$*" >&2; }

e2e_fail()
{
    e2e_log "FAIL: $*"
    exit 1
}

# Remembers a background process for the clean-up.
e2e_track() { echo "$1" >>"$E2E_PIDS_FILE"; }

e2e_kill_tracked()
{
    local pid
    # Newest first: the program before its X server.
    for pid in $(tac "$E2E_PIDS_FILE" 2>/dev/null); do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $(tac "$E2E_PIDS_FILE" 2>/dev/null); do
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    done
}

e2e_cleanup()
{
    local status=$?
    set +e
    trap - EXIT INT TERM
    if [[ $status -ne 0 ]]; then
        local log
        for log in "$E2E_WORK"/*.log; do
            [[ -s "$log" ]] || continue
            echo "---- ${log##*/} ----" >&2
            tail -n 40 "$log" >&2
        done
    fi
    e2e_kill_tracked
    [[ -n "$E2E_WATCHDOG" ]] && kill -9 "$E2E_WATCHDOG" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$E2E_WORK"
    exit "$status"
}
trap e2e_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# A SIGKILL (CTest's timeout) skips the trap: a watchdog then ends whatever
# was started once this shell is gone. Its output goes nowhere so that
# CTest does not wait for it.
e2e_start_watchdog()
{
    local parent=$$ work=$E2E_WORK
    (
        trap "" INT
        # Gone, or a zombie nobody has reaped yet.
        while stat=$(cat "/proc/$parent/stat" 2>/dev/null) && [[ "${stat##*) }" != Z* ]]; do
            sleep 1
        done
        for pid in $(tac "$work/pids" 2>/dev/null); do kill -9 "$pid" 2>/dev/null || true; done
        rm -rf "$work"
    ) </dev/null >/dev/null 2>&1 &
    E2E_WATCHDOG=$!
}
e2e_start_watchdog

# Windows by title, and xdotool bounded in time: a lost X server must not hang us.
source "$(dirname "${BASH_SOURCE[0]}")/xwindows.sh"

# Starts Xvfb on the first free display number (the server itself picks it,
# so tests running side by side never share one) and exports DISPLAY.
# Arguments replace the default "-nolisten tcp", e.g. to choose how clients
# may connect.
e2e_start_xvfb()
{
    local fd_file="$E2E_WORK/display" number= width height
    local listen=("$@")
    ((${#listen[@]} > 0)) || listen=(-nolisten tcp)
    # A screen scaled as the program is, like a real screen of more pixels.
    read -r width height < <(echo "1280 1024" | e2e_scaled)
    : >"$fd_file" # a second server must not find the first one's number
    Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" "${listen[@]}" -noreset \
        3>"$fd_file" </dev/null >>"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_XVFB=$!
    e2e_track "$E2E_XVFB"
    for _ in $(seq 100); do
        number=$(head -n 1 "$fd_file" 2>/dev/null || true)
        [[ -n "$number" ]] && break
        kill -0 "$E2E_XVFB" 2>/dev/null || e2e_fail "Xvfb did not start"
        sleep 0.1
    done
    [[ -n "$number" ]] || e2e_fail "Xvfb gave no display number within 10 s"
    export DISPLAY=":$number"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY XAUTHORITY
    e2e_log "Xvfb on $DISPLAY"
}

# Starts openbox on the Xvfb and waits until it manages the screen. Its
# settings go under XDG_CONFIG_HOME, the test's own.
e2e_start_openbox()
{
    openbox --sm-disable </dev/null >"$E2E_WORK/openbox.log" 2>&1 &
    e2e_track $!
    for _ in $(seq 100); do
        timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    e2e_fail "openbox did not start"
}

# The id of the visible window whose title is exactly $1, waiting at most
# $2 seconds (default 10); fails the test when there is none.
e2e_wait_window()
{
    local title=$1 limit=${2:-10} id
    local deadline=$((SECONDS + limit))
    while ((SECONDS <= deadline)); do
        if id=$(e2e_find_window "$title"); then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    e2e_fail "no window titled '$title' within $limit s (visible: $(e2e_visible_titles))"
}

e2e_find_window() { xwin_find "$1"; }
e2e_visible_titles() { xwin_titles; }

# Waits at most $2 seconds (default 10) until window $1 is no longer shown.
e2e_wait_gone()
{
    xwin_wait_gone "$1" "${2:-10}" || e2e_fail "window $1 is still shown after ${2:-10} s"
}

# Starts the program on the Xvfb and waits for its main window, titled
# $TITLE if that is set.
e2e_start_app()
{
    XDG_RUNTIME_DIR="$E2E_WORK" "$SHIPUTONG" </dev/null >"$E2E_WORK/shiputong.log" 2>&1 &
    E2E_APP=$!
    e2e_track "$E2E_APP"
    E2E_WINDOW=$(e2e_wait_window "${TITLE:-$MAIN_TITLE}" 20)
    e2e_log "main window $E2E_WINDOW"
}

e2e_app_alive() { kill -0 "$E2E_APP" 2>/dev/null; }

# Ends the program at once, as a crash or a power cut would, and waits
# until it is gone.
e2e_kill_app()
{
    kill -9 "$E2E_APP" 2>/dev/null || true
    wait "$E2E_APP" 2>/dev/null || true
    e2e_wait_gone "$E2E_WINDOW"
}

# Turns the "X Y" pairs of e2e_helper, in pixels of the 100 % layout, into
# the window's own pixels under QT_SCALE_FACTOR.
e2e_scaled() { awk -v s="${QT_SCALE_FACTOR:-1}" '{ printf "%d %d\n", $1 * s + 0.5, $2 * s + 0.5 }'; }

# Clicks the centre of the control named $1 (an object name of the control
# inventory, e.g. Text18, Option1_4, 背景音乐生成).
e2e_click()
{
    local position
    position=$("$E2E_HELPER" position "$1" | e2e_scaled) || e2e_fail "no position for $1"
    # shellcheck disable=SC2086 # "X Y"
    xdo mousemove --window "$E2E_WINDOW" $position click 1
}

# Shows the panel of option $1 (0..6).
e2e_show_panel() { e2e_click "Option1_$1"; }

# Presses keys in whatever window has the keyboard focus.
e2e_keys() { xdo key --clearmodifiers "$@"; }

# Puts the bytes of file $1 on the clipboard, owned by a background xclip
# that serves every request until another client takes the clipboard.
e2e_offer_clipboard()
{
    xclip -quiet -selection clipboard -i "$1" </dev/null >/dev/null 2>&1 &
    e2e_track $!
    # Owned once a reader gets the bytes back.
    for _ in $(seq 100); do
        if e2e_read_clipboard "$E2E_WORK/offered" && cmp -s "$1" "$E2E_WORK/offered"; then
            return 0
        fi
        sleep 0.05
    done
    e2e_fail "xclip did not take the clipboard"
}

# Writes the clipboard's text, as UTF-8 bytes, to file $1, read by a
# separate client as any other program would. Status 1 when nothing could
# be read within 5 s.
e2e_read_clipboard()
{
    timeout 5 xclip -o -selection clipboard -t UTF8_STRING >"$1" 2>/dev/null
}

# Dismisses the message box $1 with Return and waits until it is gone.
e2e_dismiss()
{
    e2e_keys Return
    e2e_wait_gone "$1"
}

# Fails unless files $1 (expected) and $2 (actual) hold the same bytes; $3
# says what was compared.
e2e_expect_same()
{
    if ! cmp -s "$1" "$2"; then
        e2e_log "expected $(wc -c <"$1") bytes, got $(wc -c <"$2"): $(cmp "$1" "$2" 2>&1 | head -n 1)"
        e2e_log "expected starts: $(head -c 200 "$1" | od -An -c | head -n 4 | tr -s ' ')"
        e2e_log "got starts:      $(head -c 200 "$2" | od -An -c | head -n 4 | tr -s ' ')"
        e2e_fail "$3: clipboard bytes differ"
    fi
    e2e_log "ok: $3 ($(wc -c <"$1") bytes)"
}
