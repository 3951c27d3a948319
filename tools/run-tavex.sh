#!/usr/bin/env bash
# Installs what is missing, builds TAVEX and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/prepare.sh"
exec "$root/build/app/tavex" "$@"
