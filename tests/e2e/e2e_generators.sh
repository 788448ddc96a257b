#!/usr/bin/env bash
# Every generator the user can reach, through its option and its button with
# the fields as they start: the confirmation with its exact title, and on the
# clipboard, read by another program, exactly the bytes the generator
# composes from those fields. Then the contact panel's clearing question,
# answered No and then Yes.
source "$(dirname "$0")/lib.sh"

# Button → option that shows its panel, and the title its confirmation has.
declare -A option_of=([旺旺在线]=0 [LEN滚动]=1 [CSS导航]=2 [全屏轮播]=3 [背景音乐生成]=4)
declare -A title_of=(
    [旺旺在线]=$CUSTOM_MODULE_TITLE [LEN滚动]=$EDITOR_TITLE [CSS导航]=$EDITOR_TITLE
    [全屏轮播]=$CUSTOM_MODULE_TITLE [背景音乐生成]=$CUSTOM_MODULE_TITLE
)

# The table above must name exactly the generators the option bar offers.
reachable=$("$E2E_HELPER" reachable | sort)
listed=$(printf '%s\n' "${!option_of[@]}" | sort)
[[ "$reachable" == "$listed" ]] \
    || e2e_fail "reachable generators: ${reachable//$'\n'/ }; this test knows: ${listed//$'\n'/ }"

# Clicks button $1 on its panel, waits for confirmation title $2, closes it
# and compares the clipboard with file $3.
generate_and_compare()
{
    local button=$1 title=$2 expected=$3 what=$4 box
    e2e_show_panel "${option_of[$button]}"
    e2e_click "$button"
    box=$(e2e_wait_window "$title" 20)
    e2e_dismiss "$box"
    e2e_read_clipboard "$E2E_WORK/clipboard" || e2e_fail "$what: the clipboard cannot be read"
    e2e_expect_same "$expected" "$E2E_WORK/clipboard" "$what"
}

e2e_start_xvfb
e2e_start_app

for button in 旺旺在线 LEN滚动 CSS导航 全屏轮播 背景音乐生成; do
    "$E2E_HELPER" snippet "$button" >"$E2E_WORK/expected-$button"
    generate_and_compare "$button" "${title_of[$button]}" "$E2E_WORK/expected-$button" "$button with its initial fields"
done

# The clearing question. No keeps every contact field, which the next
# contact block shows.
e2e_show_panel 0
e2e_click 旺旺清除
question=$(e2e_wait_window "$QUESTION_TITLE" 10)
# Focus starts on 是, the default; Tab moves it to 否.
e2e_keys Tab space
e2e_wait_gone "$question"
generate_and_compare 旺旺在线 "$CUSTOM_MODULE_TITLE" "$E2E_WORK/expected-旺旺在线" "contact block after answering 否"

# Yes empties nicknames, ids and avatars, and only those.
e2e_click 旺旺清除
question=$(e2e_wait_window "$QUESTION_TITLE" 10)
e2e_keys Return
e2e_wait_gone "$question"
"$E2E_HELPER" cleared-snippet 旺旺在线 >"$E2E_WORK/expected-cleared"
cmp -s "$E2E_WORK/expected-cleared" "$E2E_WORK/expected-旺旺在线" \
    && e2e_fail "the cleared composition equals the default one"
generate_and_compare 旺旺在线 "$CUSTOM_MODULE_TITLE" "$E2E_WORK/expected-cleared" "contact block after answering 是"
