#!/usr/bin/env bash
# Runs a command with settings, data and cache folders of its own, the
# settings holding 200 方案 with every field filled, so that start-up is
# measured on a full store. Inside run-in-xvfb.sh, which sets folders of
# its own too.
#   bench/with-presets.sh BENCH_CLICK COMMAND [ARGUMENTS...]
set -euo pipefail

writer=$1
shift
home=$(mktemp -d "${TMPDIR:-/tmp}/shiputong-presets.XXXXXX")
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache
QT_QPA_PLATFORM=offscreen "$writer" --write-presets "$XDG_CONFIG_HOME/shiputong/presets"
"$@"
