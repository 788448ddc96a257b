#!/usr/bin/env bash
# A picture of each panel the option bar offers, as the X server shows it,
# into $E2E_OUTPUT/screenshots/panel-N.png (N the panel index), or
# panel-N@Sx.png when QT_SCALE_FACTOR is S. Each must be the whole window,
# and no two alike: an option that does not switch its panel shows up as two
# equal pictures. Then, at 100 % only, the banner address dialog over the
# contact panel into banner-dialog.png and the 方案 submenu into
# presets-menu.png.
source "$(dirname "$0")/lib.sh"

: "${E2E_OUTPUT:?folder for the screenshots}"
out="$E2E_OUTPUT/screenshots"
mkdir -p "$out"
scale=${QT_SCALE_FACTOR:-1}
suffix=
[[ $scale == 1 ]] || suffix="@${scale}x"
rm -f "$out"/panel-[0-9]"$suffix".png

read -r width height < <("$E2E_HELPER" window-size | e2e_scaled)

# Writes what import's options $2... take (a window, or a part of the
# screen) to file $1 once two captures in a row agree, so that the panel
# has finished painting. Dates are left out of the file so that an
# unchanged window gives an unchanged file.
capture()
{
    local file=$1 previous='' current
    shift
    for _ in $(seq 40); do
        timeout 10 import "$@" -strip -define png:exclude-chunks=date,time "png:$E2E_WORK/capture.png" \
            || e2e_fail "import could not capture $*"
        current=$(identify -format '%#' "$E2E_WORK/capture.png")
        if [[ "$current" == "$previous" ]]; then
            mv "$E2E_WORK/capture.png" "$file"
            return 0
        fi
        previous=$current
        sleep 0.2
    done
    e2e_fail "$* kept changing"
}

e2e_start_xvfb
# Frames and titles for the dialog's picture; the panels are taken without.
e2e_start_openbox
e2e_start_app

declare -A signature_of=()
for panel in 0 1 2 3 4 6; do
    e2e_show_panel "$panel"
    # Off the window: no hover highlight in the picture.
    xdo mousemove 0 0
    file="$out/panel-$panel$suffix.png"
    capture "$file" -window "$E2E_WINDOW"
    size=$(identify -format '%w %h' "$file")
    [[ "$size" == "$width $height" ]] || e2e_fail "panel $panel: picture is $size, the window is $width $height"
    signature=$(identify -format '%#' "$file")
    [[ -z "${signature_of[$signature]:-}" ]] \
        || e2e_fail "panel $panel looks exactly like panel ${signature_of[$signature]}"
    signature_of[$signature]=$panel
    e2e_log "panel $panel: $file"
done

# The smallest part of the screen that holds windows $2..., with their
# frames when $1 is "framed": "WxH+X+Y". xwininfo, as xdotool counts a
# frame's offset twice.
area()
{
    local framed=$1 left=100000 top=100000 right=0 bottom=0 id x y width height extents
    local frame_left=0 frame_right=0 frame_top=0 frame_bottom=0
    shift
    for id in "$@"; do
        read -r x y width height < <(timeout 5 xwininfo -id "$id" | awk -F: '
            /Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
            /Width/ { w = $2 } /Height/ { h = $2 } END { print x, y, w, h }')
        if [[ $framed == framed ]]; then
            # "left, right, top, bottom"
            extents=$(timeout 5 xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ' ')
            IFS=, read -r frame_left frame_right frame_top frame_bottom <<<"${extents:-0,0,0,0}"
        fi
        ((x - frame_left < left)) && left=$((x - frame_left))
        ((y - frame_top < top)) && top=$((y - frame_top))
        ((x + width + frame_right > right)) && right=$((x + width + frame_right))
        ((y + height + frame_bottom > bottom)) && bottom=$((y + height + frame_bottom))
    done
    echo "$((right - left))x$((bottom - top))+$left+$top"
}

# The banner address dialog over the contact panel, its second address
# typed without https:// so that its warning sign shows; closed with
# Escape, which keeps nothing.
if [[ $scale == 1 ]]; then
    rm -f "$out/banner-dialog.png"
    item=修改客服横幅图片地址…
    row=$("$E2E_HELPER" menu-row Label2_0 "$item") || e2e_fail "no item $item in the contact panel's menu"
    e2e_show_panel 0
    # shellcheck disable=SC2046 # "X Y"
    xdo mousemove --window "$E2E_WINDOW" $("$E2E_HELPER" position Label2_0 | e2e_scaled) click 3
    sleep 1
    # shellcheck disable=SC2046 # one Down per row
    e2e_keys $(yes Down | head -n "$row") Return
    dialog=$(e2e_wait_window 客服横幅图片地址)
    e2e_keys Tab ctrl+a
    xdo type --delay 20 img.shop.example/banner2.png
    xdo mousemove 0 0
    capture "$out/banner-dialog.png" -window root -crop "$(area framed "$E2E_WINDOW" "$dialog")"
    e2e_keys Escape
    e2e_wait_gone "$dialog"
    e2e_log "the banner dialog: $out/banner-dialog.png"
fi

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
    timeout 10 import -window root -crop "$(area unframed "$E2E_WINDOW")" -strip \
        -define png:exclude-chunks=date,time "png:$out/presets-menu.png" || e2e_fail "import could not capture the menus"
    e2e_log "the 方案 submenu: $out/presets-menu.png"
fi
