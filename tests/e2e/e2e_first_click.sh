#!/usr/bin/env bash
# With no window manager the window becomes active only when the owner first
# clicks into it. The field clicked must keep the keyboard: Ctrl+A and
# Ctrl+C right after start copy that field's text.
source "$(dirname "$0")/lib.sh"

e2e_start_xvfb
e2e_start_app
"$E2E_HELPER" initial Text2_1 >"$E2E_WORK/expected"
e2e_click Text2_1
e2e_keys ctrl+a ctrl+c
for _ in $(seq 50); do
    e2e_read_clipboard "$E2E_WORK/clipboard" && cmp -s "$E2E_WORK/expected" "$E2E_WORK/clipboard" && break
    sleep 0.1
done
e2e_expect_same "$E2E_WORK/expected" "$E2E_WORK/clipboard" "Ctrl+A, Ctrl+C in the field first clicked"
