#!/usr/bin/env bash
# Installs what is missing, builds TAVEX and runs every test: unit, widget (offscreen) and
# end-to-end (the built program on a virtual X server against the board simulator).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/prepare.sh" --tests
ctest --test-dir "$root/build" --output-on-failure --timeout 600

# The Debian package of this build, with its desktop entry, metadata and lintian checked.
"$root/tools/check-package.sh"
