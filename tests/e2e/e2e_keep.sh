#!/usr/bin/env bash
# The owner's values outlive the program: paste an address into the music
# panel, generate, and end the program at once as a crash would. The next
# start, untouched, puts the same element on the clipboard. Then a settings
# folder that cannot be written: everything still works, and the reason is
# on standard error once.
source "$(dirname "$0")/lib.sh"

address='http://音乐.例子.cn/春风 "十里"	tab.mp3'
printf '%s' "$address" >"$E2E_WORK/address"
printf '<bgsound src="%s"  loop="infinite"></bgsound>' "$address" >"$E2E_WORK/expected"

generate_music_and_compare()
{
    local box
    e2e_show_panel 4
    e2e_click 背景音乐生成
    box=$(e2e_wait_window "$CUSTOM_MODULE_TITLE" 15)
    e2e_dismiss "$box"
    e2e_read_clipboard "$E2E_WORK/clipboard" || e2e_fail "$1: the clipboard cannot be read"
    e2e_expect_same "$E2E_WORK/expected" "$E2E_WORK/clipboard" "$1"
}

e2e_start_xvfb
e2e_start_app
e2e_show_panel 4
e2e_offer_clipboard "$E2E_WORK/address"
e2e_click Text18
e2e_keys ctrl+a ctrl+v
generate_music_and_compare "music element with a pasted address"
[[ -s "$XDG_CONFIG_HOME/shiputong/shiputong.conf" ]] \
    || e2e_fail "no settings in $XDG_CONFIG_HOME/shiputong/shiputong.conf"
e2e_kill_app

e2e_start_app
generate_music_and_compare "the same element after a restart, nothing typed"
e2e_kill_app

mkdir -p "$E2E_WORK/blocked"
: >"$E2E_WORK/blocked/shiputong" # a file where the settings folder belongs
XDG_CONFIG_HOME="$E2E_WORK/blocked" e2e_start_app
e2e_offer_clipboard "$E2E_WORK/address"
e2e_show_panel 4
e2e_click Text18
e2e_keys ctrl+a ctrl+v
generate_music_and_compare "music element with settings that cannot be written"
e2e_click 背景音乐生成
e2e_dismiss "$(e2e_wait_window "$CUSTOM_MODULE_TITLE" 15)"
e2e_app_alive || e2e_fail "shiputong ended with settings that cannot be written"
reports=$(grep -c 'field values cannot be kept' "$E2E_WORK/shiputong.log" || true)
[[ $reports -eq 1 ]] || e2e_fail "expected one report on standard error, found $reports: $(cat "$E2E_WORK/shiputong.log")"
e2e_log "ok: settings that cannot be written are reported once"
