#!/usr/bin/env bash
# Rebuilds the program, photographs its six panels in a private X server
# (the e2e_screenshots test) and copies the pictures to docs/screenshots/,
# with the first panel once more at 200 % (panel-0@2x.png).
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
(cd "$build" && QT_SCALE_FACTOR=2 ctest -R '^e2e_screenshots$' --output-on-failure)
cp "$shots/panel-0@2x.png" "$repo/docs/screenshots/"
echo "docs/screenshots/: $(cd "$repo/docs/screenshots" && echo panel-*.png)"
