#!/usr/bin/env bash
# Builds the Debian package with `make package` into the build tree, then
# judges it as apt and lintian would: control fields, the exact file list,
# the desktop entry and metainfo, lintian's verdict, and finally the program
# unpacked with dpkg -x (no system change) opening its window under Xvfb.
#
# From CTest: SOURCE_DIR, PACKAGE_WORK (this test's build folder),
# PACKAGE_VERSION, SHIPUTONG (where the unpacked program will be).
# E2E_HELPER is not used: nothing is clicked here.

: "${SOURCE_DIR:?}" "${PACKAGE_WORK:?}" "${PACKAGE_VERSION:?}"
source "$SOURCE_DIR/tests/e2e/lib.sh"

# Warnings lintian may give that the README's packaging section explains.
# None today; a new one fails the test until it is fixed or explained.
kept_lintian_warnings=()

fail() { e2e_fail "$@"; }

# ---- Build -------------------------------------------------------------
dist=$PACKAGE_WORK/dist
arch=$(dpkg --print-architecture)
deb=$dist/shiputong_${PACKAGE_VERSION}_${arch}.deb
# A stale package of an earlier run must not pass for a new one.
rm -f "$dist"/*.deb
e2e_log "make package (build in $PACKAGE_WORK/build)"
started=$SECONDS
env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL \
    make -C "$SOURCE_DIR" package JOBS=2 PACKAGE_BUILD="$PACKAGE_WORK/build" DIST="$dist" \
    </dev/null >"$E2E_WORK/make.log" 2>&1 || { tail -n 40 "$E2E_WORK/make.log" >&2; fail "make package failed"; }
e2e_log "make package took $((SECONDS - started)) s"
if grep -iE 'warning:' "$E2E_WORK/make.log" >&2; then
    fail "the package build is not free of warnings"
fi

mapfile -t debs < <(find "$dist" -maxdepth 1 -name '*.deb')
[[ ${#debs[@]} -eq 1 ]] || fail "expected exactly one .deb in $dist, found ${#debs[@]}: ${debs[*]}"
[[ "${debs[0]}" == "$deb" ]] || fail "package named ${debs[0]##*/}, expected ${deb##*/}"

# ---- Control fields ----------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
expect_field()
{
    local actual
    actual=$(field "$1")
    [[ "$actual" == "$2" ]] || fail "$1 is '$actual', expected '$2'"
}
expect_field Package shiputong
expect_field Version "$PACKAGE_VERSION"
expect_field Architecture "$arch"
expect_field Section utils
expect_field Priority optional
maintainer_form='^[^<]+ <[^@ ]+@[^@ ]+\.[a-z]+>$'
[[ "$(field Maintainer)" =~ $maintainer_form ]] \
    || fail "Maintainer is not 'Name <address>': $(field Maintainer)"
# Unless its publisher sets them (see the README), the package sends mail
# to a reserved domain (RFC 2606) and claims no home page.
reserved_address='@example\.(com|net|org)>$'
[[ "$(field Maintainer)" =~ $reserved_address ]] \
    || fail "the default maintainer is not on a reserved domain: $(field Maintainer)"
[[ -z "$(field Homepage)" ]] || fail "a Homepage is claimed by default: $(field Homepage)"

# Synopsis, then one English and one Chinese line.
mapfile -t description < <(field Description)
[[ ${#description[@]} -eq 3 ]] || fail "Description has ${#description[@]} lines, expected a synopsis and two: $(field Description)"
[[ -n "${description[0]}" && ${#description[0]} -le 80 ]] || fail "bad synopsis: '${description[0]}'"
english=0 chinese=0
for line in "${description[@]:1}"; do
    if grep -qP '[\x{4e00}-\x{9fff}]' <<<"$line"; then
        chinese=$((chinese + 1))
    elif grep -qP '^ [ -~]+$' <<<"$line"; then
        english=$((english + 1))
    fi
done
[[ $english -eq 1 && $chinese -eq 1 ]] || fail "the two description lines are not one English and one Chinese: $(field Description)"

# Depends: every library the binary links, found through dpkg-shlibdeps,
# plus the platform plugins and the layout's font.
mapfile -t depends < <(field Depends | tr ',' '\n' | sed -E 's/^ +//; s/[ (].*//')
has_dependency()
{
    local name
    for name in "${depends[@]}"; do [[ "$name" == "$1" ]] && return 0; done
    return 1
}
for required in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 qt6-qpa-plugins fonts-arphic-uming qt6-translations-l10n; do
    has_dependency "$required" || fail "Depends lacks $required: $(field Depends)"
done
e2e_log "ok: control fields; Depends: $(field Depends)"

# ---- File list ---------------------------------------------------------
# Every entry: owned by root, under /usr, with Debian's modes.
dpkg-deb -c "$deb" >"$E2E_WORK/contents"
while read -r mode owner _ _ _ path _; do
    [[ "$owner" == root/root ]] || fail "$path is owned by $owner"
    [[ "$path" == ./usr/* ]] || fail "$path lies outside /usr"
    case "$mode" in
        d*) [[ "$mode" == drwxr-xr-x ]] || fail "directory $path has mode $mode" ;;
        -*)
            if [[ "$path" == ./usr/bin/* ]]; then
                [[ "$mode" == -rwxr-xr-x ]] || fail "$path has mode $mode"
            else
                [[ "$mode" == -rw-r--r-- ]] || fail "$path has mode $mode"
            fi ;;
        *) fail "$path is neither a file nor a directory ($mode)" ;;
    esac
done <"$E2E_WORK/contents"

expected_files=(
    /usr/bin/shiputong
    /usr/share/applications/shiputong.desktop
    /usr/share/doc/shiputong/changelog.gz
    /usr/share/doc/shiputong/copyright
    /usr/share/icons/hicolor/128x128/apps/shiputong.png
    /usr/share/icons/hicolor/16x16/apps/shiputong.png
    /usr/share/icons/hicolor/32x32/apps/shiputong.png
    /usr/share/icons/hicolor/48x48/apps/shiputong.png
    /usr/share/icons/hicolor/256x256/apps/shiputong.png
    /usr/share/man/man1/shiputong.1.gz
    /usr/share/metainfo/com.hemuchuanshe.shiputong.metainfo.xml
)
actual_files=$(awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' "$E2E_WORK/contents" | LC_ALL=C sort)
if [[ "$actual_files" != "$(printf '%s\n' "${expected_files[@]}" | LC_ALL=C sort)" ]]; then
    diff <(printf '%s\n' "${expected_files[@]}" | LC_ALL=C sort) <(echo "$actual_files") >&2 || true
    fail "the package's files are not the expected ones (diff above: < expected, > packaged)"
fi
e2e_log "ok: ${#expected_files[@]} files, all under /usr, root-owned, Debian modes"

# ---- Unpacked contents -------------------------------------------------
root=$PACKAGE_WORK/root
rm -rf "$root"
dpkg -x "$deb" "$root"
[[ "$SHIPUTONG" == "$root/usr/bin/shiputong" && -x "$SHIPUTONG" ]] || fail "no program at $SHIPUTONG"

# A stripped Release binary that finds its libraries in the system paths.
# Whole outputs in variables: a reader that stops early (grep -q, awk's
# exit, head) would end the writer with SIGPIPE, which pipefail reports.
sections=$(readelf -S "$SHIPUTONG")
dynamic=$(readelf -d "$SHIPUTONG")
! grep -qE '\.(symtab|debug_info)\b' <<<"$sections" || fail "the program is not stripped"
! grep -qE '\((RPATH|RUNPATH)\)' <<<"$dynamic" || fail "the program carries a library search path"
! grep -qaF "$PACKAGE_WORK" "$SHIPUTONG" || fail "the program names the build folder $PACKAGE_WORK"

# Each library the program links belongs to a package Depends names.
known_libraries=$(ldconfig -p)
while read -r library; do
    [[ "$library" == ld-linux* ]] && continue   # libc6's, named already
    path=$(awk -v lib="$library" '$1 == lib && /x86-64|64bit/ { print $NF; exit }' <<<"$known_libraries")
    [[ -n "$path" ]] || path=$(awk -v lib="$library" '$1 == lib { print $NF; exit }' <<<"$known_libraries")
    [[ -n "$path" ]] || fail "$library, needed by the program, is not installed"
    owner=
    for candidate in "$path" "$(readlink -f "$path")" "${path#/usr}" "/usr${path}"; do
        owner=$(dpkg -S "$candidate" 2>/dev/null | sed -n '1s/:.*//p') && [[ -n "$owner" ]] && break
    done
    [[ -n "$owner" ]] || fail "no package owns $path"
    has_dependency "$owner" || fail "$library comes from $owner, which Depends does not name: $(field Depends)"
done < <(readelf -d "$SHIPUTONG" | sed -nE 's/.*\(NEEDED\).*\[(.*)\]/\1/p')
e2e_log "ok: stripped, no search path, every needed library covered by Depends"

desktop=$root/usr/share/applications/shiputong.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
for key in 'Name' 'Name\[zh_CN\]' 'Exec' 'Icon' 'Categories'; do
    grep -qE "^$key=." "$desktop" || fail "the desktop entry has no ${key//\\/}"
done
grep -qP '^Name\[zh_CN\]=.*[\x{4e00}-\x{9fff}]' "$desktop" || fail "the Chinese name is not in Chinese"
grep -qP '^Name=[ -~]+$' "$desktop" || fail "the default name is not in English"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[[ -x "$root/usr/bin/$exec_name" ]] || fail "Exec=$exec_name is not the packaged program"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 32 48 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon_name.png
    file -b "$icon" | grep -q "PNG image data, $size x $size," || fail "$icon is not a $size x $size PNG: $(file -b "$icon")"
done

metainfo=$root/usr/share/metainfo/com.hemuchuanshe.shiputong.metainfo.xml
appstreamcli validate --no-net --explain "$metainfo" >&2 || fail "appstreamcli rejects the metainfo"
grep -qF "<launchable type=\"desktop-id\">${desktop##*/}</launchable>" "$metainfo" \
    || fail "the metainfo does not launch ${desktop##*/}"
grep -qF "<release version=\"$PACKAGE_VERSION\"" "$metainfo" || fail "the metainfo has no release $PACKAGE_VERSION"
if grep -q 'type="homepage"' "$metainfo" || grep -q '^Source:' "$root/usr/share/doc/shiputong/copyright"; then
    fail "the metainfo or the copyright file claims a home page by default"
fi

copyright=$root/usr/share/doc/shiputong/copyright
[[ "$(head -n 1 "$copyright")" == "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ]] \
    || fail "the copyright file is not machine-readable"
grep -q '^Files: \*$' "$copyright" || fail "the copyright file covers no files"
zcat "$root/usr/share/doc/shiputong/changelog.gz" >"$E2E_WORK/changelog"
[[ "$(dpkg-parsechangelog -l "$E2E_WORK/changelog" -S Version)" == "$PACKAGE_VERSION" ]] \
    || fail "the changelog's newest entry is not version $PACKAGE_VERSION"
e2e_log "ok: desktop entry, icons, metainfo, copyright, changelog"

# ---- lintian -----------------------------------------------------------
# Status 1 only says that errors were found; anything above is a failed run.
status=0
lintian --no-tag-display-limit "$deb" >"$E2E_WORK/lintian.log" 2>"$E2E_WORK/lintian.err" || status=$?
[[ $status -le 1 ]] || fail "lintian did not run (status $status): $(cat "$E2E_WORK/lintian.err")"
if grep '^E: ' "$E2E_WORK/lintian.log" >&2; then
    fail "lintian reports errors"
fi
while read -r tag; do
    kept=0
    for allowed in "${kept_lintian_warnings[@]}"; do [[ "$tag" == "$allowed" ]] && kept=1; done
    [[ $kept -eq 1 ]] || fail "lintian warning $tag is neither fixed nor explained in the README"
done < <(sed -nE 's/^W: [^ ]+: ([^ ]+).*/\1/p' "$E2E_WORK/lintian.log")
e2e_log "ok: lintian: $(grep -c '^[EW]: ' "$E2E_WORK/lintian.log") errors and warnings"

# ---- The unpacked program opens its window -----------------------------
e2e_start_xvfb
export XDG_CONFIG_HOME=$E2E_WORK/config XDG_DATA_HOME=$E2E_WORK/data XDG_CACHE_HOME=$E2E_WORK/cache
e2e_start_app
window_pid=$(xdo getwindowpid "$E2E_WINDOW")
[[ "$window_pid" == "$E2E_APP" ]] || fail "the window belongs to pid $window_pid, not to the unpacked program ($E2E_APP)"
kill "$E2E_APP"
# Ended once it is gone or a zombie waiting to be reaped.
for _ in $(seq 50); do
    stat=$(cat "/proc/$E2E_APP/stat" 2>/dev/null) && [[ "${stat##*) }" != Z* ]] || break
    sleep 0.1
done
[[ "${stat##*) }" != Z* ]] && kill -0 "$E2E_APP" 2>/dev/null && fail "the program did not end on SIGTERM"
wait "$E2E_APP" 2>/dev/null || true
e2e_log "ok: the unpacked program opened '$MAIN_TITLE'"
