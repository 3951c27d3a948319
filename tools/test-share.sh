#!/usr/bin/env bash
# Prints the share of test code among the repository's C++ lines: non-blank, non-comment
# lines of the .cpp and .h files under tests/ against those of every other .cpp and .h file.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    # Drops blank lines, // comments and /* */ blocks; a line with code and a comment counts.
    xargs -0 -r cat | sed -e 's://.*$::' | awk '
        { line = $0 }
        inblock { if (index(line, "*/")) { line = substr(line, index(line, "*/") + 2); inblock = 0 } else next }
        { while (index(line, "/*")) { s = index(line, "/*"); rest = substr(line, s + 2)
              if (index(rest, "*/")) line = substr(line, 1, s - 1) substr(rest, index(rest, "*/") + 2)
              else { line = substr(line, 1, s - 1); inblock = 1 } } }
        line ~ /[^ \t]/ { n++ }
        END { print n + 0 }'
}

files() { git ls-files -z -- '*.cpp' '*.h'; }
tests=$(files | tr '\0' '\n' | grep '^tests/' | tr '\n' '\0' | count)
others=$(files | tr '\0' '\n' | grep -v '^tests/' | tr '\n' '\0' | count)
awk -v t="$tests" -v o="$others" 'BEGIN {
    printf "tests %d, other %d, tests are %.1f %% of all C++ lines\n", t, o, 100 * t / (t + o) }'
