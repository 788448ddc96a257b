# shellcheck shell=bash
# Windows on an X display found by their exact title, shared by the
# end-to-end tests and the Wine test. Sourced; xdotool does the asking.

# Bounded in time: a lost X server must not hang a test.
xdo() { timeout 10 xdotool "$@"; }

# The id of a visible window titled exactly $1; status 1 when there is none.
xwin_find()
{
    local id
    for id in $(xdo search --onlyvisible --name '' 2>/dev/null); do
        if [[ "$(xdo getwindowname "$id" 2>/dev/null)" == "$1" ]]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# The titles of every visible window, quoted, for a failure message.
xwin_titles()
{
    local id list=()
    for id in $(xdo search --onlyvisible --name '' 2>/dev/null); do
        list+=("'$(xdo getwindowname "$id" 2>/dev/null)'")
    done
    echo "${list[*]:-none}"
}

# Status 0 once window $1 is no longer shown, 1 after $2 seconds.
xwin_wait_gone()
{
    local deadline=$((SECONDS + $2))
    while ((SECONDS <= deadline)); do
        xdo search --onlyvisible --name '' 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.05
    done
    return 1
}
