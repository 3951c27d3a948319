#!/usr/bin/env bash
# Builds Qt for Windows (qtbase and Qt Serial Port, 6.4.2, shared, x86_64 mingw-w64) into the
# folder given as $1, from Debian's source of the qtbase that this machine runs natively, whose
# tools (moc, rcc, uic, ...) the cross build takes. Everything this file holds, with the files
# beside it, makes up the recipe: build-windows.sh keys its cache by their hash.
#   qt.sh PREFIX SHARED_DIR
set -euo pipefail
prefix=$1
shared=$2
here=$(cd "$(dirname "$0")" && pwd)
qt_version=6.4.2
serialport_tarball="$shared/third_party/qtserialport-$qt_version.tar.xz"
serialport_sha256=55057973ea7a3de4eefcde242d7c293d534246ab2659904645bba2d92a639cea
jobs=${TAVEX_JOBS:-2}

work="$prefix.work"
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"

# The source of the native qtbase, through an apt configuration of this build's own: a deb-src
# line for each deb line of the machine's sources on its release's main suite, same address and
# key. The machine's own lists and caches are left as they are.
deb_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
case $deb_version in "$qt_version"+*) ;; *)
    echo "qt.sh: the native Qt is $deb_version, the recipe wants $qt_version" >&2; exit 1;;
esac
apt_dir="$work/apt"
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
python3 - "$apt_dir/sources/source.sources" <<'PY'
import glob, re, sys
codename = dict(l.rstrip("\n").split("=", 1) for l in open("/etc/os-release") if "=" in l)
codename = codename.get("VERSION_CODENAME", "").strip('"')
stanzas = []
for path in sorted(glob.glob("/etc/apt/sources.list.d/*.sources")):
    for block in re.split(r"\n\s*\n", open(path).read()):
        fields = {}
        for line in block.splitlines():
            if line.startswith("#") or ":" not in line or line[0].isspace():
                continue
            key, value = line.split(":", 1)
            fields[key.strip().lower()] = value.strip()
        if "deb" in fields.get("types", "").split() and codename in fields.get("suites", "").split() \
                and fields.get("enabled", "yes") != "no":
            stanzas.append((fields["uris"], fields.get("signed-by")))
for path in ["/etc/apt/sources.list"] + sorted(glob.glob("/etc/apt/sources.list.d/*.list")):
    try:
        lines = open(path).read().splitlines()
    except OSError:
        continue
    for line in lines:
        m = re.match(r"\s*deb\s+(\[([^]]*)\]\s+)?(\S+)\s+(\S+)", line)
        if m and m.group(4) == codename:
            opts = dict(o.split("=", 1) for o in (m.group(2) or "").split() if "=" in o)
            stanzas.append((m.group(3), opts.get("signed-by")))
if not stanzas:
    sys.exit("qt.sh: no deb source for the release %r in the machine's apt sources" % codename)
with open(sys.argv[1], "w") as out:
    for uris, key in stanzas:
        out.write("Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\n" % (uris, codename))
        if key:
            out.write("Signed-By: %s\n" % key)
        out.write("\n")
PY
apt_options=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_dir/sources"
             -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
             -o "APT::Sandbox::User=root" -q)
apt-get "${apt_options[@]}" update
(cd "$work" && apt-get "${apt_options[@]}" source "qt6-base=$deb_version")
qtbase_src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
for patch in "$here"/qt-patches/*.patch; do
    [ -e "$patch" ] && patch -d "$qtbase_src" -p1 <"$patch"
done

echo "$serialport_sha256  $serialport_tarball" | sha256sum -c --quiet
tar -C "$work" -xJf "$serialport_tarball"

# The cross compiler; Qt's own toolchain file, installed with it, loads this one.
cat >"$prefix/mingw-w64.cmake" <<'CMAKE'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
CMAKE

# A small Qt: what TAVEX and its tests use, every third-party library bundled, the windows
# platform plugin with Direct2D (6.4.2's plugin needs it to link), and the offscreen one with
# its bundled FreeType. Debian's source leaves out the tablet headers, hence no tablet events.
# Without OpenGL the windows plugin still takes the dynamic OpenGL branch in one file:
# qt-patches/ mends that.
nice -n 10 cmake -S "$qtbase_src" -B "$work/qtbase-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_testlib=ON -DFEATURE_network=ON \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DINPUT_ssl=no -DFEATURE_schannel=OFF \
    -DFEATURE_openssl=OFF -DFEATURE_icu=OFF -DFEATURE_fontconfig=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_tabletevent=OFF
nice -n 10 cmake --build "$work/qtbase-build" --parallel "$jobs"
cmake --install "$work/qtbase-build" --strip

nice -n 10 "$prefix/bin/qt-cmake" -S "$work/qtserialport-$qt_version" -B "$work/serialport-build" \
    -G Ninja -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
nice -n 10 cmake --build "$work/serialport-build" --parallel "$jobs"
cmake --install "$work/serialport-build" --strip

# The licences, for whoever ships these libraries: Qt's own and those of the libraries
# bundled into it.
mkdir -p "$prefix/licenses/qtbase" "$prefix/licenses/qtserialport"
cp -r "$qtbase_src/LICENSES/." "$prefix/licenses/qtbase/"
cp -r "$work/qtserialport-$qt_version/LICENSES/." "$prefix/licenses/qtserialport/"
(cd "$qtbase_src/src/3rdparty" && find . -type f \( -iname 'LICENSE*' -o -iname 'COPYING*' \
     -o -iname '*LICENSE.txt' -o -iname 'qt_attribution.json' \) -exec cp --parents {} "$prefix/licenses/qtbase/" \;)

rm -rf "$work"
