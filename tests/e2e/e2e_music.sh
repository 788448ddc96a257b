#!/usr/bin/env bash
# The road of one request, as a user walks it: pick the music panel, paste
# an address holding Chinese text and a double quote, generate, close the
# confirmation, and find the exact element on the clipboard from another
# program while shiputong still runs.
source "$(dirname "$0")/lib.sh"

e2e_start_xvfb
e2e_start_app

address='http://音乐.例子.cn/春风 "十里".mp3'
printf '%s' "$address" >"$E2E_WORK/address"
# Built here by hand, independently of the program's templates: two spaces
# before loop, no line break at the end.
printf '<bgsound src="%s"  loop="infinite"></bgsound>' "$address" >"$E2E_WORK/expected"

e2e_show_panel 4
# Typing would drop the Chinese characters: paste them as a user would.
e2e_offer_clipboard "$E2E_WORK/address"
e2e_click Text18
e2e_keys ctrl+a ctrl+v
e2e_click 背景音乐生成

box=$(e2e_wait_window "$CUSTOM_MODULE_TITLE" 15)
e2e_dismiss "$box"
e2e_app_alive || e2e_fail "shiputong ended after the confirmation"

e2e_read_clipboard "$E2E_WORK/clipboard" || e2e_fail "the clipboard cannot be read"
e2e_expect_same "$E2E_WORK/expected" "$E2E_WORK/clipboard" "music element with a pasted address"
e2e_app_alive || e2e_fail "shiputong ended while serving the clipboard"
