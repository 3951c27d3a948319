#!/usr/bin/env bash
# Installs what is missing on a Debian machine and builds TAVEX in build/.
# Used by run-tavex.sh and run-tests.sh; safe to run again at any time.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

packages=(g++ cmake ninja-build qt6-base-dev qt6-serialport-dev fonts-dejavu-core fonts-urw-base35)
# Qt's own texts in Portuguese; the icon's PNG sizes are rendered at build time. The tests
# build the Debian package and check it (tools/check-package.sh).
packages+=(qt6-translations-l10n librsvg2-bin)
packages+=(libxcb-xinput-dev)  # the benchmark's X event watcher (bench/xwatch.cpp)
if [ "${1:-}" = "--tests" ]; then
    packages+=(dpkg-dev file desktop-file-utils appstream lintian)
    # The end-to-end tests start the program on a virtual X server and click it, some
    # with its clock faked, and read what a message box copies to the clipboard.
    packages+=(xvfb xdotool x11-apps x11-utils imagemagick faketime xclip)
    # The sanitizer build and the fuzz targets: clang, its sanitizer and libFuzzer runtimes,
    # and the symbolizer that names the lines of a report.
    packages+=(clang-14 libclang-rt-14-dev llvm-14)
fi

"$root/tools/install-packages.sh" "${packages[@]}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel 2
