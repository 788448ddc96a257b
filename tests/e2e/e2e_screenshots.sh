#!/usr/bin/env bash
# A picture of each panel the option bar offers, as the X server shows it,
# into $E2E_OUTPUT/screenshots/panel-N.png (N the panel index), or
# panel-N@Sx.png when QT_SCALE_FACTOR is S. Each must be the whole window,
# and no two alike: an option that does not switch its panel shows up as two
# equal pictures. Then the 方案 submenu into presets-menu.png.
source "$(dirname "$0")/lib.sh"

: "${E2E_OUTPUT:?folder for the screenshots}"
out="$E2E_OUTPUT/screenshots"
mkdir -p "$out"
scale=${QT_SCALE_FACTOR:-1}
suffix=
[[ $scale == 1 ]] || suffix="@${scale}x"
rm -f "$out"/panel-[0-9]"$suffix".png

read -r width height < <("$E2E_HELPER" window-size | e2e_scaled)

# Writes window $1 to file $2 once two captures in a row agree, so that the
# panel has finished painting. Dates are left out of the file so that an
# unchanged window gives an unchanged file.
capture()
{
    local previous='' current
    for _ in $(seq 40); do
        timeout 10 import -window "$1" -strip -define png:exclude-chunks=date,time "png:$E2E_WORK/capture.png" \
            || e2e_fail "import could not capture window $1"
        current=$(identify -format '%#' "$E2E_WORK/capture.png")
        if [[ "$current" == "$previous" ]]; then
            mv "$E2E_WORK/capture.png" "$2"
            return 0
        fi
        previous=$current
        sleep 0.2
    done
    e2e_fail "window $1 kept changing"
}

e2e_start_xvfb
e2e_start_app

declare -A signature_of=()
for panel in 0 1 2 3 4 6; do
    e2e_show_panel "$panel"
    # Off the window: no hover highlight in the picture.
    xdo mousemove 0 0
    file="$out/panel-$panel$suffix.png"
    capture "$E2E_WINDOW" "$file"
    size=$(identify -format '%w %h' "$file")
    [[ "$size" == "$width $height" ]] || e2e_fail "panel $panel: picture is $size, the window is $width $height"
    signature=$(identify -format '%#' "$file")
    [[ -z "${signature_of[$signature]:-}" ]] \
        || e2e_fail "panel $panel looks exactly like panel ${signature_of[$signature]}"
    signature_of[$signature]=$panel
    e2e_log "panel $panel: $file"
done

# The 方案 submenu, with two more 方案 in the store: the window and the menus
# beside it, at 100 % only.
if [[ $scale == 1 ]]; then
    rm -f "$out/presets-menu.png"
    e2e_kill_app
    presets=$XDG_CONFIG_HOME/shiputong/presets
    "$E2E_HELPER" preset-file "$presets/00000000000000a1.json" A店 Text2_1 阿杰 || e2e_fail "cannot write A店"
    "$E2E_HELPER" preset-file "$presets/00000000000000b2.json" B店 Text2_1 小美 || e2e_fail "cannot write B店"
    TITLE="$MAIN_TITLE - 默认方案" e2e_start_app
    # shellcheck disable=SC2046 # "X Y"
    xdo mousemove --window "$E2E_WINDOW" $("$E2E_HELPER" position Label2_0 | e2e_scaled) click 3
    sleep 1
    # Up from no item selects the last one, the submenu; Right opens it.
    e2e_keys Up Right
    sleep 1
    eval "$(xdo getwindowgeometry --shell "$E2E_WINDOW")"
    timeout 10 import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" -strip \
        -define png:exclude-chunks=date,time "png:$out/presets-menu.png" || e2e_fail "import could not capture the menus"
    e2e_log "the 方案 submenu: $out/presets-menu.png"
fi
