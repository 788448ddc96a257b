#!/usr/bin/env bash
# Rebuilds the program, photographs its six panels, the banner address
# dialog and the 方案 submenu in a private X server (the e2e_screenshots
# test) and copies the pictures to docs/screenshots/, with the first panel
# once more at 200 % (panel-0@2x.png), then photographs in headless
# chromium the contact block's preview page and the sample pictures as the
# program exports them.
#   BUILD=<dir>   build folder (default: build, as for make)
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$repo/build}
[[ "$build" = /* ]] || build="$repo/$build"

# shellcheck disable=SC2086 # CMAKE_FLAGS holds several options, as for make
cmake -S "$repo" -B "$build" ${CMAKE_FLAGS:--DCMAKE_BUILD_TYPE=RelWithDebInfo}
cmake --build "$build" -j "$(nproc)" --target shiputong e2e_helper
(cd "$build" && ctest -R '^e2e_screenshots$' --output-on-failure)

shots="$build/tests/e2e/screenshots"
mkdir -p "$repo/docs/screenshots"
copied=0
for picture in "$shots"/panel-[0-9].png; do
    [[ -e "$picture" ]] || break
    cp "$picture" "$repo/docs/screenshots/"
    copied=$((copied + 1))
done
[[ $copied -eq 6 ]] || { echo "expected 6 screenshots in $shots, found $copied" >&2; exit 1; }
cp "$shots/banner-dialog.png" "$shots/presets-menu.png" "$repo/docs/screenshots/"
(cd "$build" && QT_SCALE_FACTOR=2 ctest -R '^e2e_screenshots$' --output-on-failure)
cp "$shots/panel-0@2x.png" "$repo/docs/screenshots/"
echo "docs/screenshots/: $(cd "$repo/docs/screenshots" && echo panel-*.png)"

# The contact block's preview, its avatars and banners pointing at the
# sample pictures. Every host name resolves to 127.0.0.1, so the template's
# own addresses (chat status, spacer) stay on this machine and show as the
# preview marks pictures that fail.
command -v chromium >/dev/null || { echo "chromium is missing: run scripts/setup-debian.sh" >&2; exit 1; }
samples="$repo/resources/samples"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fields=(
    Text1_1 "file://$samples/客服中心+售前客服-204x80.png"
    Text1_2 "file://$samples/售后客服-40x80.png"
    Text1_3 "file://$samples/投诉建议-40x80.png"
)
avatars=(A B C D E)
for row in 1 2 3 4 5 6 7 8 9; do
    fields+=("Text4_$row" "file://$samples/头像${avatars[(row - 1) % 5]}-50x50.png")
done
"$build/tests/e2e/e2e_helper" preview-page 旺旺在线 "$scratch/preview.html" "${fields[@]}"
sandbox=()
[[ $(id -u) -eq 0 ]] && sandbox=(--no-sandbox) # chromium's sandbox refuses root
# Page $1 at window size $2 ("W,H") into docs/screenshots/$3.
photograph()
{
    rm -f "$repo/docs/screenshots/$3"
    chromium --headless "${sandbox[@]}" --disable-gpu --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --disable-quic --no-proxy-server \
        --host-resolver-rules="MAP * 127.0.0.1" --user-data-dir="$scratch/profile" \
        --hide-scrollbars --virtual-time-budget=10000 --window-size="$2" \
        --screenshot="$repo/docs/screenshots/$3" "file://$1" 2>/dev/null
    [[ -s "$repo/docs/screenshots/$3" ]] || { echo "chromium took no screenshot of $1" >&2; exit 1; }
    echo "docs/screenshots/: $3"
}
photograph "$scratch/preview.html" 1280,330 preview-contact.png

# The folder the program's own export writes, each picture at its size over
# its file name, a new row where the pictures' height changes.
mkdir "$scratch/exported"
"$build/tests/e2e/e2e_helper" export-samples "$scratch/exported" >"$scratch/exported.txt"
{
    echo '<!DOCTYPE html><html lang="zh-CN"><meta charset="utf-8"><style>'
    echo 'body { margin: 12px; font: 14px sans-serif; color: #333; background: #fff }'
    echo 'div { display: flex; flex-wrap: wrap; align-items: flex-end; gap: 10px 24px; margin-bottom: 10px }'
    echo 'figure { margin: 0 } img { display: block } figcaption { margin-top: 4px }</style>'
    echo "<p>导出的文件夹：$(wc -l <"$scratch/exported.txt") 个文件，尺寸即文件名中的宽×高</p>"
    previous=
    while IFS= read -r name; do
        height=${name##*x}
        height=${height%.png}
        [[ "$height" == "$previous" ]] || { [[ -z "$previous" ]] || echo '</div>'; echo '<div>'; }
        previous=$height
        echo "<figure><img src=\"exported/$name\"><figcaption>$name</figcaption></figure>"
    done <"$scratch/exported.txt"
    echo '</div></html>'
} >"$scratch/exported.html"
photograph "$scratch/exported.html" 1000,380 exported-samples.png
