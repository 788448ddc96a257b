#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need
# (--run-only: running; --package: the Debian package; --windows, --windows-test:
# the Windows build and its test),
# and nothing when they are all there already. Runs as root or through sudo.
set -euo pipefail

packages=(
    build-essential cmake make pkg-config
    qt6-base-dev qt6-qpa-plugins libgl-dev
    fonts-arphic-uming qt6-translations-l10n fonts-noto-cjk python3-pil
    xvfb xauth xdotool xclip x11-utils imagemagick libx11-dev libxfixes-dev openbox
    clang libclang-rt-14-dev
    dpkg-dev file lintian desktop-file-utils appstream
    # The preview page is tested and photographed in a real browser.
    chromium
)
# The Windows cross build: MinGW-w64, and Debian's Qt source built with the
# host Qt tools of the same version; the zip carries Debian's Chinese
# catalogue of Qt's own texts.
windows_packages=(
    cmake make ninja-build python3 qt6-base-dev qt6-base-dev-tools
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev patch xz-utils unzip
    qt6-translations-l10n
)
# CPack's shlibdeps reads the binary's library needs with dpkg-shlibdeps
# (dpkg-dev) and picks the ELF files with file.
case "${1:-}" in
    --run-only)
        packages=(build-essential cmake make qt6-base-dev qt6-qpa-plugins libgl-dev fonts-arphic-uming qt6-translations-l10n) ;;
    --package)
        packages=(build-essential cmake make qt6-base-dev libgl-dev dpkg-dev file) ;;
    --windows)
        packages=("${windows_packages[@]}") ;;
    --windows-test)
        # The Linux build composes the expected snippets; Wine runs the zip
        # in a Chinese locale, as most owners run Windows; openssl makes the
        # certificate of the address check's https server.
        packages+=("${windows_packages[@]}" wine locales openssl) ;;
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

# What needs root is found out before anything starts, not halfway through:
# sudo must either work without a password or have a terminal to ask for one.
as_root=()
need_root()
{
    [[ $(id -u) -eq 0 ]] && return
    command -v sudo >/dev/null 2>&1 && { sudo -n true 2>/dev/null || { [[ -t 0 ]] && sudo -v; }; } && { as_root=(sudo); return; }
    echo "$1: run this as root, or set up sudo for your user." >&2
    exit 1
}

# Wine's Windows takes its code page from the locale: zh_CN.UTF-8 gives 936,
# the one Chinese Windows uses.
want_locale=
[[ ${1:-} == --windows-test ]] && ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' && want_locale=1

[[ ${#missing[@]} -gt 0 ]] && need_root "Missing packages (${missing[*]})"
[[ -n $want_locale ]] && need_root "The zh_CN.UTF-8 locale is missing"

if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing missing packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [[ -n $want_locale ]]; then
    echo "Generating the zh_CN.UTF-8 locale"
    grep -qx 'zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
        echo 'zh_CN.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
    "${as_root[@]}" locale-gen >/dev/null
fi
