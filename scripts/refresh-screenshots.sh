#!/usr/bin/env bash
# Rebuilds the program, photographs its six panels and the 方案 submenu in
# a private X server (the e2e_screenshots test) and copies the pictures to
# docs/screenshots/,
# with the first panel once more at 200 % (panel-0@2x.png), then photographs
# the contact block's preview page in headless chromium.
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
cp "$shots/presets-menu.png" "$repo/docs/screenshots/"
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
rm -f "$repo/docs/screenshots/preview-contact.png"
"$build/tests/e2e/e2e_helper" preview-page 旺旺在线 "$scratch/preview.html" "${fields[@]}"
sandbox=()
[[ $(id -u) -eq 0 ]] && sandbox=(--no-sandbox) # chromium's sandbox refuses root
chromium --headless "${sandbox[@]}" --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --disable-quic --no-proxy-server \
    --host-resolver-rules="MAP * 127.0.0.1" --user-data-dir="$scratch/profile" \
    --hide-scrollbars --virtual-time-budget=10000 --window-size=1280,330 \
    --screenshot="$repo/docs/screenshots/preview-contact.png" "file://$scratch/preview.html" 2>/dev/null
[[ -s "$repo/docs/screenshots/preview-contact.png" ]] || { echo "chromium took no screenshot" >&2; exit 1; }
echo "docs/screenshots/: preview-contact.png"
