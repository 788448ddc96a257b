#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need
# (--run-only: running; --package: the Debian package; --windows, --windows-test:
# the Windows build and its test),
# and nothing when they are all there already. Runs as root or through sudo.
set -euo pipefail

packages=(
    build-essential cmake make pkg-config
    qt6-base-dev qt6-qpa-plugins libgl-dev
    fonts-arphic-uming fonts-noto-cjk
    xvfb xauth xdotool xclip x11-utils imagemagick libx11-dev libxfixes-dev openbox
    clang libclang-rt-14-dev
    dpkg-dev file lintian desktop-file-utils appstream
)
# The Windows cross build: MinGW-w64, and Debian's Qt source built with the
# host Qt tools of the same version.
windows_packages=(
    cmake make ninja-build python3 qt6-base-dev qt6-base-dev-tools
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev patch xz-utils
)
# CPack's shlibdeps reads the binary's library needs with dpkg-shlibdeps
# (dpkg-dev) and picks the ELF files with file.
case "${1:-}" in
    --run-only)
        packages=(build-essential cmake make qt6-base-dev qt6-qpa-plugins libgl-dev fonts-arphic-uming) ;;
    --package)
        packages=(build-essential cmake make qt6-base-dev libgl-dev dpkg-dev file) ;;
    --windows)
        packages=("${windows_packages[@]}") ;;
    --windows-test)
        # The Linux build composes the expected snippets; Wine runs the zip.
        packages+=("${windows_packages[@]}" wine unzip) ;;
    "") ;;
    *)
        echo "usage: $0 [--run-only | --package | --windows | --windows-test]" >&2
        exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
