#!/usr/bin/env bash
# The owner's values outlive the program: paste an address into the music
# panel, generate, and end the program at once as a crash would. The next
# start, untouched, puts the same element on the clipboard, and the panel's
# right-click menu brings the sample back. Then a settings folder that cannot
# be written: everything still works, and the reason is on standard error
# once.
source "$(dirname "$0")/lib.sh"

address='http://音乐.例子.cn/春风 "十里"	tab.mp3'
printf '%s' "$address" >"$E2E_WORK/address"
printf '<bgsound src="%s"  loop="infinite"></bgsound>' "$address" >"$E2E_WORK/expected-pasted"
"$E2E_HELPER" snippet 背景音乐生成 >"$E2E_WORK/expected-sample"

# Generates on the music panel and compares the clipboard with file $1; $2
# says what was compared.
generate_music_and_compare()
{
    local box
    e2e_show_panel 4
    e2e_click 背景音乐生成
    box=$(e2e_wait_window "$CUSTOM_MODULE_TITLE" 15)
    e2e_dismiss "$box"
    e2e_read_clipboard "$E2E_WORK/clipboard" || e2e_fail "$2: the clipboard cannot be read"
    e2e_expect_same "$1" "$E2E_WORK/clipboard" "$2"
}

# Waits at most 5 s for the popup menu: a visible window other than the
# main one that has a name (the program's).
wait_for_menu()
{
    local deadline=$((SECONDS + 5)) id
    while ((SECONDS <= deadline)); do
        for id in $(xdo search --onlyvisible --name '' 2>/dev/null); do
            [[ "$id" != "$E2E_WINDOW" && -n "$(xdo getwindowname "$id" 2>/dev/null)" ]] && return 0
        done
        sleep 0.05
    done
    e2e_fail "no menu within 5 s of the right-click (visible: $(e2e_visible_titles))"
}

e2e_start_xvfb
e2e_start_app
e2e_show_panel 4
e2e_offer_clipboard "$E2E_WORK/address"
e2e_click Text18
e2e_keys ctrl+a ctrl+v
generate_music_and_compare "$E2E_WORK/expected-pasted" "music element with a pasted address"
compgen -G "$XDG_CONFIG_HOME/shiputong/presets/*.json" >/dev/null \
    || e2e_fail "no 方案 kept in $XDG_CONFIG_HOME/shiputong/presets/"
e2e_kill_app

e2e_start_app
generate_music_and_compare "$E2E_WORK/expected-pasted" "the same element after a restart, nothing typed"

# A right-click on the caption opens the panel's one-entry menu; its
# question answered 是 brings back the sample address.
e2e_show_panel 4
# shellcheck disable=SC2046 # "X Y"
xdo mousemove --window "$E2E_WINDOW" $("$E2E_HELPER" position Label8) click 3
wait_for_menu
e2e_keys Down Return
question=$(e2e_wait_window "$QUESTION_TITLE" 10)
e2e_keys Return
e2e_wait_gone "$question"
generate_music_and_compare "$E2E_WORK/expected-sample" "the sample element after restoring the panel's defaults"
e2e_kill_app

mkdir -p "$E2E_WORK/blocked"
: >"$E2E_WORK/blocked/shiputong" # a file where the settings folder belongs
XDG_CONFIG_HOME="$E2E_WORK/blocked" e2e_start_app
e2e_offer_clipboard "$E2E_WORK/address"
e2e_show_panel 4
e2e_click Text18
e2e_keys ctrl+a ctrl+v
generate_music_and_compare "$E2E_WORK/expected-pasted" "music element with settings that cannot be written"
e2e_click 背景音乐生成
e2e_dismiss "$(e2e_wait_window "$CUSTOM_MODULE_TITLE" 15)"
e2e_app_alive || e2e_fail "shiputong ended with settings that cannot be written"
reports=$(grep -c 'field values cannot be kept' "$E2E_WORK/shiputong.log" || true)
[[ $reports -eq 1 ]] || e2e_fail "expected one report on standard error, found $reports: $(cat "$E2E_WORK/shiputong.log")"
e2e_log "ok: settings that cannot be written are reported once"
