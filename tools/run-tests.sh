#!/usr/bin/env bash
# Installs what is missing, builds TAVEX and runs every test: unit, widget (offscreen) and
# end-to-end (the built program on a virtual X server against the board simulator).
# Then the same suite once more, built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/, together with the fuzz targets, each run
# for a fixed number of inputs. Any sanitizer report fails the run. Last, TAVEX for Windows,
# cross-built here, with its tests and the installed program's journey under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/prepare.sh" --tests
# The Windows program's journey (label windows) runs with the Windows build, last.
ctest --test-dir "$root/build" --output-on-failure --timeout 600 --label-exclude windows

# The Debian package of this build, with its desktop entry, metadata and lintian checked.
"$root/tools/check-package.sh"

checked="$root/build-sanitize"
cmake -S "$root" -B "$checked" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER=clang++-14 -DTAVEX_SANITIZE=ON -DTAVEX_FUZZ=ON -DTAVEX_BENCH=OFF
cmake --build "$checked" --parallel 2

# Reports go to files, so that one from any process is seen: also from the program under
# the end-to-end tests or the board simulator, which are stopped by a signal at the end.
reports="$checked/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:log_path=$reports/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
export ASAN_SYMBOLIZER_PATH=/usr/bin/llvm-symbolizer-14
status=0
ctest --test-dir "$checked" --output-on-failure --timeout 600 || status=1
if compgen -G "$reports/*" >/dev/null; then
    echo "Sanitizer reports:"
    cat "$reports"/*
    status=1
fi

"$root/tools/build-windows.sh" --tests || status=1
exit "$status"
