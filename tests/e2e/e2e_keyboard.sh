#!/usr/bin/env bash
# The keyboard as a user meets it under a window manager. When the window
# first becomes active the focus is on the checked option: Space leaves the
# contact panel shown, Right moves to the strip panel, whose button then
# delivers the strip. Shift+Tab from the last contact row reaches the
# panel's button, not a banner address beyond the panel's edge, so what is
# typed there never reaches the contact block.
source "$(dirname "$0")/lib.sh"

# Settings, data and caches of the window manager and of the program stay here.
export XDG_CONFIG_HOME="$E2E_WORK/config" XDG_DATA_HOME="$E2E_WORK/data" XDG_CACHE_HOME="$E2E_WORK/cache"
e2e_start_xvfb
e2e_start_openbox

e2e_start_app
# The window manager activates the new window; Qt hears of it a moment later.
for _ in $(seq 100); do
    [[ "$(xdo getactivewindow 2>/dev/null)" == "$E2E_WINDOW" ]] && break
    sleep 0.1
done
[[ "$(xdo getactivewindow 2>/dev/null)" == "$E2E_WINDOW" ]] || e2e_fail "the window never became active"
sleep 0.5

"$E2E_HELPER" snippet LEN滚动 >"$E2E_WORK/expected-strip"
e2e_keys space
e2e_keys Right
e2e_click LEN滚动
box=$(e2e_wait_window "$EDITOR_TITLE" 15)
e2e_dismiss "$box"
e2e_read_clipboard "$E2E_WORK/clipboard" || e2e_fail "the clipboard cannot be read"
e2e_expect_same "$E2E_WORK/expected-strip" "$E2E_WORK/clipboard" "strip after Space and Right at start"

"$E2E_HELPER" snippet 旺旺在线 >"$E2E_WORK/expected-contacts"
e2e_show_panel 0
e2e_click Text4_9
e2e_keys shift+Tab
xdo type --delay 20 xyzzy
e2e_click 旺旺在线
box=$(e2e_wait_window "$CUSTOM_MODULE_TITLE" 15)
e2e_dismiss "$box"
e2e_read_clipboard "$E2E_WORK/clipboard" || e2e_fail "the clipboard cannot be read"
e2e_expect_same "$E2E_WORK/expected-contacts" "$E2E_WORK/clipboard" "contact block after Shift+Tab and typing"
