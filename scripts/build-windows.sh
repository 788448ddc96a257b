#!/usr/bin/env bash
# Cross-builds shiputong.exe for 64-bit Windows and packs the ready-to-run
# folder as dist/shiputong-<version>-win64.zip: the program, the Qt and
# MinGW DLLs it loads, the plugins Qt loads at run time, and 说明.txt.
#
#   BUILD_WINDOWS   build folder (default build-windows)
#   JOBS            parallel jobs (default: nproc)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
build=${BUILD_WINDOWS:-build-windows}
jobs=${JOBS:-$(nproc)}
start=$(date +%s)

bash scripts/setup-debian.sh --windows
qt=$(bash scripts/build-qt-windows.sh)
[[ -f $qt/.complete ]] || { echo "no Qt for Windows at '$qt'" >&2; exit 1; }

cmake -G Ninja -S . -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DSHIPUTONG_BUILD_TESTS=OFF \
    -DSHIPUTONG_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$jobs" --target shiputong

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=shiputong-$version-win64
stage=$build/package/$name
rm -rf "$build/package"
mkdir -p "$stage"

# The runtime DLLs of MinGW's GCC live beside the compiler, the rest of its
# runtime in the target's lib folder.
gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
search_dirs=("$qt/bin" "$gcc_dir" /usr/x86_64-w64-mingw32/lib)

# Qt loads these itself, so no import table names them: the platform, the
# native widget style, the image formats of the pictures, the icon and the
# GIFs the address check reads, and Windows' own TLS for https addresses.
cp "$build/app/shiputong.exe" "$stage/"
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qjpeg.dll \
    imageformats/qico.dll imageformats/qgif.dll tls/qschannelbackend.dll; do
    mkdir -p "$stage/$(dirname "$plugin")"
    cp "$qt/plugins/$plugin" "$stage/$plugin"
done

# Qt's own texts in Chinese (the field's context menu, standard buttons):
# the program loads qtbase_zh_CN.qm from here. The catalogue is the same on
# every platform, so Debian's serves; qt_zh_CN.qm would only point at it.
translations=$(qtpaths6 --query QT_INSTALL_TRANSLATIONS 2>/dev/null || echo /usr/share/qt6/translations)
[[ -f $translations/qtbase_zh_CN.qm ]] || { echo "no qtbase_zh_CN.qm in $translations (qt6-translations-l10n)" >&2; exit 1; }
mkdir -p "$stage/translations"
cp "$translations/qtbase_zh_CN.qm" "$stage/translations/"

# Every DLL named by an import table, followed to the end; system DLLs of
# Windows are not found in the search folders and stay out.
queue=("$stage/shiputong.exe" "$stage"/*/*.dll)
declare -A seen=()
while ((${#queue[@]})); do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    while read -r dll; do
        [[ -n ${seen[$dll]:-} ]] && continue
        seen[$dll]=1
        for dir in "${search_dirs[@]}"; do
            if [[ -f $dir/$dll ]]; then
                cp "$dir/$dll" "$stage/$dll"
                queue+=("$stage/$dll")
                break
            fi
        done
    done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
done
find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

# Notepad on older Windows needs the byte order mark to read UTF-8, and
# CR LF to break lines.
{
    printf '\xef\xbb\xbf'
    sed 's/$/\r/' <<EOF
饰铺通 V$version（Windows 64 位）

使用方法：把整个文件夹解压到任意位置，双击 shiputong.exe 即可运行，无需安装。
请保持文件夹内的其他文件与 shiputong.exe 放在一起，程序运行时需要它们。

在选项栏中选择生成器，修改内容后点击“生成代码”，代码会自动复制到剪贴板，
按提示粘贴到店铺装修的模块中即可。
检查图片地址、预览、修改客服横幅地址、导出示例图片等工具，在页面空白处、图片或文字上点右键即可找到；按 F5 直接预览。

如果提示“复制失败”，请关闭正在占用剪贴板的程序（例如剪贴板管理工具）后再点一次，
也可以点“保存到文件…”把代码保存下来。

第一次做客服模块之前：
1. 导出示例图片：在“客服在线”页（或“仿LEN滚动条”页）的空白处点右键，选“导出示例图片…”，
   再选一个文件夹。程序按模块的尺寸写出三张客服横幅、五张头像和滚动条背景。
2. 上传：把这些图片上传到店铺的图片空间，复制每张图片的地址。
3. 粘贴地址：头像地址粘贴到“客服在线”页的“头像图片地址”框里；三张横幅的地址
   在该页右键菜单“修改客服横幅图片地址…”里粘贴。
4. 检查：在该页右键选“检查本页图片地址”，程序会逐个打开这些地址，告诉你图片在不在、
   尺寸对不对。只有选了这一项，程序才会联网。
5. 预览：在该页右键选“在浏览器中预览”（或按 F5），程序把代码写成网页，用你的浏览器打开，
   不碰剪贴板。显示不出来的图片会用红框标出。之后再改内容，在浏览器里刷新就能看到新的效果。
6. 生成：点“生成代码”，再粘贴到“自定义内容模块”里。

输入框右边出现警告标志，说明这里填的内容会让代码在店铺页面上出错；
把鼠标移到标志上，可以看到原因和改法。

几个店铺：每个店铺一个“方案”。在任意一页的空白处点右键，打开“方案”子菜单
（或在上方选项栏上点右键），可以新建、复制、重命名、删除和切换方案。

换电脑时带走所有方案：
1. 在旧电脑上：右键 →“方案”→“导出全部方案…”，保存成一个 .json 文件，
   用 U 盘、网盘或邮件带到新电脑上。
2. 在新电脑上：解压饰铺通并运行，右键 →“方案”→“导入方案…”，选中这个文件。
   名称相同的方案会逐个询问：替换、保留两个，或者取消整个导入。
给每个店铺建一个桌面快捷方式：在快捷方式的“目标”后面加上 --preset 方案名称，
例如 shiputong.exe --preset A店，双击就直接打开这个店铺的方案。
EOF
} >"$stage/说明.txt"

mkdir -p dist
zip=$here/dist/$name.zip
rm -f "$zip"
# Python's zipfile marks the Chinese file name as UTF-8, which the Windows
# Explorer honours; the folder comes out of the zip as one.
python3 - "$build/package" "$name" "$zip" <<'EOF'
import os, sys, zipfile
root, name, target = sys.argv[1:]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for folder, dirs, files in os.walk(os.path.join(root, name)):
        dirs.sort()
        for file in sorted(files):
            path = os.path.join(folder, file)
            archive.write(path, os.path.relpath(path, root))
EOF
echo "Wrote $zip ($(du -h "$zip" | cut -f1), $(unzip -Z1 "$zip" | wc -l) files) in $(( $(date +%s) - start )) s"
