#!/usr/bin/env bash
# Builds Qt (qtbase only) for 64-bit Windows with MinGW-w64, once per machine,
# and prints the install prefix on standard output. Everything else goes to
# standard error, so a caller that keeps the prefix still shows the progress.
#
# The source is Debian's own qt6-base, the same version as the host tools in
# qt6-base-dev-tools (the cross build runs the host moc, rcc and uic), with
# Debian's security fixes applied. Everything lives in a cache folder outside
# the source tree, keyed by the Qt version, the configure flags, the
# toolchain file and the patches, so a change to any of them builds afresh
# instead of mixing with cached FEATURE_ variables.
#
#   SHIPUTONG_CACHE   cache root (default ${XDG_CACHE_HOME:-$HOME/.cache}/shiputong)
#   JOBS              parallel jobs (default: nproc)
set -euo pipefail
exec 3>&1 1>&2

here=$(cd "$(dirname "$0")/.." && pwd)
cache_root=${SHIPUTONG_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/shiputong}
jobs=${JOBS:-$(nproc)}
toolchain_src=$here/cmake/mingw-w64-x86_64.cmake

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
upstream_version=${host_version%%+*}

# Only what the program links (Core, Gui, Widgets, Network) and its pictures
# need. Network brings the Schannel TLS backend, Windows' own, so HTTPS needs
# no OpenSSL; GIF reads the samples of the address check.
# INPUT_opengl=no rather than FEATURE_opengl=OFF alone: the latter leaves
# dynamic GL on and the Windows platform plugin then fails to compile.
# direct2d stays at its default, qwindows.dll does not link without it.
configure_flags=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF
    -DINPUT_opengl=no
    -DFEATURE_opengl=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=ON
    -DFEATURE_openssl=OFF
    -DFEATURE_schannel=ON
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_testlib=OFF
    -DFEATURE_icu=OFF
    -DFEATURE_zstd=OFF
    -DFEATURE_jpeg=ON
    -DFEATURE_ico=ON
    -DFEATURE_gif=ON
)

# Fetched before hashing: the set of patches applied is part of the key.
src_cache=$cache_root/src/qt6-base-$host_version
apt_dir=$cache_root/apt
fetch_source() {
    [[ -f $src_cache/.fetched ]] && return 0
    echo "Fetching Debian's qt6-base $host_version source"
    rm -rf "$apt_dir" "$src_cache"
    mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$src_cache"
    # A private apt configuration with deb-src for the system's own Debian
    # mirrors; the system's sources stay as they are.
    if [[ -f /etc/apt/sources.list ]]; then
        sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list > "$apt_dir/sources.list.d/src.list"
    fi
    for f in /etc/apt/sources.list.d/*.sources; do
        [[ -f $f ]] || continue
        sed 's/^Types:.*/Types: deb-src/' "$f" > "$apt_dir/sources.list.d/$(basename "$f")"
    done
    for f in /etc/apt/sources.list.d/*.list; do
        [[ -f $f ]] || continue
        sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" > "$apt_dir/sources.list.d/$(basename "$f")"
    done
    local apt_opts=(
        -o Dir::Etc::sourcelist=/dev/null
        -o Dir::Etc::sourceparts="$apt_dir/sources.list.d"
        -o Dir::State::Lists="$apt_dir/lists"
        -o Dir::Cache::archives="$apt_dir/archives"
    )
    # Only the Debian mirrors are wanted; a third-party source that does not
    # answer must not stop the update.
    apt-get "${apt_opts[@]}" update -qq || true
    (cd "$src_cache" && apt-get "${apt_opts[@]}" source --download-only "qt6-base=$host_version")
    touch "$src_cache/.fetched"
}
fetch_source

dsc=$(ls "$src_cache"/qt6-base_*.dsc)
patch_dir_tmp=$(mktemp -d)
trap 'rm -rf "$patch_dir_tmp"' EXIT
# The Debian patches live in the debian tarball; read the series from there.
debian_tar=$(ls "$src_cache"/qt6-base_*.debian.tar.*)
tar -xf "$debian_tar" -C "$patch_dir_tmp" debian/patches
# Debian's security fixes, in series order; Debian's packaging changes (paths,
# Linux-only defaults) have no place in a Windows build.
mapfile -t security_patches < <(grep -v '^#' "$patch_dir_tmp/debian/patches/series" | grep -i 'cve' || true)

key=$( { echo "$host_version"; printf '%s\n' "${configure_flags[@]}"; cat "$toolchain_src";
         for p in "${security_patches[@]}"; do cat "$patch_dir_tmp/debian/patches/$p"; done; } |
       sha256sum | cut -c1-12)
work=$cache_root/qt-$upstream_version-win64-$key
prefix=$work/install

if [[ -f $prefix/.complete ]]; then
    echo "Qt for Windows (cached): $prefix"
    echo "$prefix" >&3
    exit 0
fi

echo "Building Qt $upstream_version for Windows into $work (about 20 minutes on 2 cores)"
start=$(date +%s)
rm -rf "$work"
mkdir -p "$work"
cp "$toolchain_src" "$work/mingw-w64-x86_64.cmake"

dpkg-source --skip-patches -x "$dsc" "$work/src" >/dev/null
cp -r "$patch_dir_tmp/debian/patches" "$work/debian-patches"
for p in "${security_patches[@]}"; do
    echo "Applying $p"
    patch -d "$work/src" -p1 --batch --silent < "$work/debian-patches/$p"
done
printf '%s\n' "${security_patches[@]}" > "$work/applied-patches.txt"

echo "Configuring Qt (a few minutes)"
cmake -G Ninja -S "$work/src" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$work/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    "${configure_flags[@]}" > "$work/configure.log" 2>&1 || {
        tail -40 "$work/configure.log" >&2
        echo "Qt configure failed; full log: $work/configure.log" >&2
        exit 1
    }
# Ninja's "[n/total]" lines go to the log; one of them reaches the screen
# every 30 s, so a build of half an hour or more shows it is moving.
progress() {
    local line last=$SECONDS
    while IFS= read -r line; do
        printf '%s\n' "$line" >> "$work/build.log"
        if [[ $line =~ ^\[([0-9]+)/([0-9]+)\] ]] && (( SECONDS - last >= 30 )); then
            last=$SECONDS
            echo "Qt: ${BASH_REMATCH[1]}/${BASH_REMATCH[2]} steps ($(( BASH_REMATCH[1] * 100 / BASH_REMATCH[2] ))%), $(( ($(date +%s) - start) / 60 )) min"
        fi
    done
}
echo "Building Qt"
cmake --build "$work/build" --parallel "$jobs" 2>&1 | progress || {
    tail -40 "$work/build.log" >&2
    echo "Qt build failed; full log: $work/build.log" >&2
    exit 1
}
cmake --install "$work/build" > "$work/install.log" 2>&1
# The build folder is only needed to build again; the source stays for
# debugging into Qt.
rm -rf "$work/build"
touch "$prefix/.complete"
echo "Qt for Windows built in $(( ($(date +%s) - start) / 60 )) min: $prefix"
echo "$prefix" >&3
