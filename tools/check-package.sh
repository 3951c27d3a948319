#!/usr/bin/env bash
# Builds the Debian package from the build in build/ and checks it: lists it, validates the
# desktop entry and the AppStream metadata it carries, checks its icons and dependencies, and
# runs lintian on it. Fails at the first error. Run tools/prepare.sh --tests first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
app_id=br.com.tavex.Tavex

fail() {
    echo "check-package: $*" >&2
    exit 1
}

cd "$build"
rm -f tavex_*.deb
cpack -G DEB
debs=(tavex_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single tavex_*.deb"
deb=${debs[0]}

dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
share="$unpacked/usr/share"

[ -x "$unpacked/usr/bin/tavex" ] || fail "no usr/bin/tavex"
desktop-file-validate "$share/applications/$app_id.desktop"
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml"

# Every PNG icon has the size its folder names, and the smallest and largest are there.
for size in 16 256; do
    [ -f "$share/icons/hicolor/${size}x${size}/apps/$app_id.png" ] || fail "no ${size}x${size} icon"
done
for png in "$share"/icons/hicolor/*/apps/"$app_id".png; do
    folder=$(basename "$(dirname "$(dirname "$png")")")
    actual=$(identify -format '%wx%h' "$png")
    [ "$actual" = "$folder" ] || fail "$png is $actual"
done

# The dependencies come from the binary: Debian's Qt runtime libraries, never a -dev package.
depends=$(dpkg-deb --field "$deb" Depends)
[[ "$depends" == *libqt6widgets6* && "$depends" == *libqt6serialport6* ]] \
    || fail "the dependencies lack Qt's runtime libraries: $depends"
[[ "$depends" != *-dev* ]] || fail "a development package among the dependencies: $depends"

# The newest release in the metadata and the changelog is the package's version.
version=$(dpkg-deb --field "$deb" Version)
newest=$(grep -m 1 -o '<release version="[^"]*"' "$share/metainfo/$app_id.metainfo.xml")
[ "$newest" = "<release version=\"$version\"" ] || fail "the metadata's newest release is not $version"
zcat "$share/doc/tavex/changelog.gz" | head -n 1 | grep -q "^tavex ($version)" \
    || fail "the changelog does not begin with $version"

# Errors fail; so does any hardening tag (the binary built without Debian's hardening
# flags), whatever its level, but one: lintian tells "no fortified functions" whenever the
# binary calls none of glibc's checked variants, also when it is built with
# -D_FORTIFY_SOURCE=2 and every call that could be checked has a size the compiler has
# proved safe or cannot know. That one is checked here by the flag itself.
report=$(lintian --display-info --fail-on error "$deb") || { echo "$report"; fail "lintian found errors"; }
echo "$report"
if grep 'hardening-' <<<"$report" | grep -qv 'hardening-no-fortify-functions'; then
    fail "lintian: the binary lacks hardening"
fi
commands=$(grep -c '"command":' "$build/compile_commands.json")
fortified=$(grep '"command":' "$build/compile_commands.json" | grep -c -- ' -D_FORTIFY_SOURCE=2 ')
[ "$commands" -gt 0 ] && [ "$fortified" -eq "$commands" ] \
    || fail "$((commands - fortified)) of $commands sources built without -D_FORTIFY_SOURCE=2"
echo "check-package: $deb passed"
