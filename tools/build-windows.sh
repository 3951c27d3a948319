#!/usr/bin/env bash
# Builds TAVEX for Windows here, with Debian's mingw-w64: Qt for Windows once into a cache
# outside the repository (tools/windows/qt.sh; built again only when its recipe changes),
# then TAVEX and its tests in build-windows/, and the installer build-windows/TAVEX-*-win64.exe
# made by CPack's NSIS generator. Installs the Debian packages it needs when they are missing.
#   tools/build-windows.sh [--tests]    --tests: also run the Windows tests under Wine
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
run_tests=no
[ "${1:-}" = --tests ] && run_tests=yes

packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nsis cmake ninja-build
          python3 dpkg-dev xz-utils qt6-base-dev-tools qt6-translations-l10n fonts-urw-base35
          librsvg2-bin imagemagick)
"$root/tools/install-packages.sh" "${packages[@]}"
# The installed program's journey is a Linux test that drives it, built with the others.
[ "$run_tests" = no ] || "$root/tools/prepare.sh" --tests

# The cache: one folder per recipe, named by the hash of the recipe's files and the compiler
# ($TAVEX_WINDOWS_CACHE puts it elsewhere).
if [ -n "${TAVEX_WINDOWS_CACHE:-}" ]; then cache_root=$TAVEX_WINDOWS_CACHE
elif [ "$(id -u)" = 0 ]; then cache_root=/var/cache/tavex-windows
else cache_root="${XDG_CACHE_HOME:-$HOME/.cache}/tavex-windows"; fi
recipe_hash=$( { cd "$root/tools/windows" && find qt.sh qt-patches -type f 2>/dev/null | LC_ALL=C sort \
                   | xargs sha256sum; x86_64-w64-mingw32-g++-posix --version | head -n 1; } \
               | sha256sum | cut -c1-16)
qt_prefix="$cache_root/$recipe_hash"
shared="${TAVEX_SHARED:-$root/../shared}"
if [ ! -e "$qt_prefix/.complete" ]; then
    started=$(date +%s)
    mkdir -p "$cache_root"
    "$root/tools/windows/qt.sh" "$qt_prefix" "$shared"
    touch "$qt_prefix/.complete"
    echo "Qt for Windows built in $(( $(date +%s) - started )) s into $qt_prefix"
fi

# TAVEX for Windows, its tests and its installer.
build="$root/build-windows"
started=$(date +%s)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/wine
cmake --build "$build" --parallel "${TAVEX_JOBS:-2}"
# One installer is left: the one made now.
rm -f "$build"/TAVEX-*-win64.exe
(cd "$build" && cpack -G NSIS)
installer=$(ls "$build"/TAVEX-*-win64.exe)
echo "TAVEX for Windows built in $(( $(date +%s) - started )) s: $installer ($(stat -c %s "$installer") bytes)"
# The installer is not signed: its SHA-256, for whoever receives it to compare.
echo "SHA-256: $(sha256sum "$installer" | cut -d ' ' -f 1)"

[ "$run_tests" = yes ] || exit 0

# The tests under Wine, in a Wine prefix of their own, made anew for each run; Qt's and the
# compiler's libraries are found through WINEPATH. The widget tests draw on Qt's offscreen
# platform with the fonts of this machine (tests/CMakeLists.txt).
started=$(date +%s)
export WINEPREFIX="$build/wine"
export WINEDEBUG=-all
# No offer to install .NET or a browser engine into the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
export WINEPATH="Z:$qt_prefix/bin;Z:$runtime;Z:/usr/x86_64-w64-mingw32/lib"
rm -rf "$WINEPREFIX"
wineboot --init
wineserver --wait
ctest --test-dir "$build" --output-on-failure --timeout 300
wineserver --kill || true

# The journey of the installed program, a Linux test beside the others in build/.
cmake -S "$root" -B "$root/build" -G Ninja -DTAVEX_WINDOWS_INSTALLER="$installer"
cmake --build "$root/build" --parallel "${TAVEX_JOBS:-2}" --target tst_e2e_windows
ctest --test-dir "$root/build" --output-on-failure --timeout 300 -R '^tst_e2e_windows$'
echo "Windows tests under Wine ran in $(( $(date +%s) - started )) s"
