#!/usr/bin/env bash
# The music generator clicked again and again while another program keeps
# taking the clipboard. Either box may appear; a success box must never
# appear unless the program really had its snippet on the clipboard.
#
# The other program is e2e_contender: it takes the clipboard every
# E2E_CONTENTION_MS (default 5) with a text of its own and, since every
# change of ownership reaches it in the X server's order, tells for each
# box who held the clipboard the instant the box appeared (see its header).
# A check by a separate reader would instead measure its own lateness
# against the contention.
source "$(dirname "$0")/lib.sh"

: "${E2E_CONTENDER:?path of e2e_contender}"
clicks=${E2E_CLICKS:-200}
period=${E2E_CONTENTION_MS:-5}
budget=${E2E_BUDGET_S:-150} # seconds for all the clicks

e2e_start_xvfb
e2e_start_app
"$E2E_HELPER" snippet 背景音乐生成 >"$E2E_WORK/expected"
e2e_show_panel 4
button=$("$E2E_HELPER" position 背景音乐生成) || e2e_fail "no position for 背景音乐生成"

coproc CONTENDER {
    exec "$E2E_CONTENDER" "$E2E_WORK/expected" "$period" "$CUSTOM_MODULE_TITLE" "$FAILURE_TITLE" \
        2>"$E2E_WORK/contender.log"
}
# shellcheck disable=SC2153 # CONTENDER_PID is set by coproc
contender_pid=$CONTENDER_PID
e2e_track "$contender_pid"
to_contender=${CONTENDER[1]}
from_contender=${CONTENDER[0]}

# The next line from the contender that starts with $1, within $2 seconds.
contender_says()
{
    local expected=$1 limit=$2 line
    local deadline=$((SECONDS + limit))
    while ((SECONDS < deadline)); do
        IFS= read -r -t "$((deadline - SECONDS + 1))" -u "$from_contender" line \
            || e2e_fail "the contender said nothing for $limit s (waiting for '$expected')"
        if [[ "$line" == "$expected"* ]]; then
            echo "$line"
            return 0
        fi
        e2e_log "contender: $line"
    done
    e2e_fail "no '$expected' from the contender within $limit s"
}

declare -A count=()
success=0 failure=0 not_holding=0 false_claims=0 done_clicks=0
slowest=0
start=$SECONDS
for ((click = 1; click <= clicks; click++)); do
    if ((SECONDS - start > budget)); then
        e2e_log "time budget of $budget s used up after $done_clicks clicks"
        break
    fi
    kill -0 "$contender_pid" 2>/dev/null || e2e_fail "the contender ended: $(cat "$E2E_WORK/contender.log")"
    echo arm >&"$to_contender"
    contender_says armed 10 >/dev/null
    began=$(date +%s%N)
    # shellcheck disable=SC2086 # "X Y"
    xdo mousemove --window "$E2E_WINDOW" $button click 1
    said=$(contender_says box 60)
    read -r _ box verdict rest <<<"$said"
    elapsed=$((($(date +%s%N) - began) / 1000000))
    ((elapsed > slowest)) && slowest=$elapsed
    [[ -z "$rest" ]] || e2e_fail "click $click: a box appeared without a click ($rest)"
    count[$verdict]=$((${count[$verdict]:-0} + 1))
    case $verdict in
        failure) failure=$((failure + 1)) ;;
        held) success=$((success + 1)) ;;
        taken-after-readback)
            success=$((success + 1)) not_holding=$((not_holding + 1)) ;;
        false-*)
            success=$((success + 1)) not_holding=$((not_holding + 1)) false_claims=$((false_claims + 1)) ;;
        *) e2e_fail "click $click: unknown verdict '$verdict'" ;;
    esac
    [[ $verdict == held ]] || e2e_log "click $click: $verdict after $elapsed ms"
    e2e_dismiss "$box"
    done_clicks=$click
done
echo quit >&"$to_contender" || true

e2e_log "clicks: $done_clicks in $((SECONDS - start)) s, slowest box after $slowest ms, contention every ~$period ms"
e2e_log "successes: $success, failures: $failure"
e2e_log "success shown while the clipboard did not hold the snippet: $not_holding" \
    "(taken by the contender after the program's read-back: ${count[taken-after-readback]:-0};" \
    "false claims: $false_claims)"
for verdict in "${!count[@]}"; do
    e2e_log "  $verdict: ${count[$verdict]}"
done
e2e_log "the program's clipboard sets refused by the X server (Qt warnings): $(grep -c 'Cannot set X11 selection owner' "$E2E_WORK/shiputong.log" || true)"

((done_clicks >= clicks / 4)) || e2e_fail "only $done_clicks of $clicks clicks fitted in $budget s"
# Contention that never met a delivery would prove nothing.
((failure + ${count[taken-after-readback]:-0} > 0)) || e2e_fail "the contention never reached a delivery"
((false_claims == 0)) || e2e_fail "$false_claims success boxes were shown for a snippet that was not on the clipboard"
e2e_app_alive || e2e_fail "shiputong ended during the contention"
