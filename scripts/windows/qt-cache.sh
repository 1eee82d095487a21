#!/usr/bin/env bash
# Builds Qt's qtbase for 64-bit Windows from Debian's own source package, once,
# into a cache outside the repository, and prints the cache's prefix.
# The cache is keyed by the Qt version and the configure options, so a change
# of either builds a new one beside the old. Reusing a finished cache takes no
# time; building one takes 30-40 minutes on two cores.
#   RERUDAD_CACHE   where caches live (default /var/cache/rerudad)
#   --check         only print the prefix when the cache is ready, exit 1 when not
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
qt_version=6.4.2
options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DINPUT_opengl=no -DFEATURE_dbus=OFF -DFEATURE_icu=OFF
    -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF -DFEATURE_testlib=ON
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_libpng=OFF -DFEATURE_system_libjpeg=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_zstd=OFF
)
key=$(printf '%s\n' "$qt_version" "${options[@]}" | cat - "$here/mingw-toolchain.cmake" | sha256sum | cut -c1-12)
cache_root=${RERUDAD_CACHE:-/var/cache/rerudad}
prefix=$cache_root/qt-$qt_version-mingw64-$key

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
if [ "${1:-}" = --check ]; then
    echo "$prefix"
    exit 1
fi
# One build at a time: a second caller waits for the first and then reuses
# what it built, instead of deleting its work folder under it.
mkdir -p "$cache_root"
exec 9>"$cache_root/.lock-$key"
if ! flock -n 9; then
    echo "qt-cache: another build of this cache is running; waiting for it" >&2
    flock 9
fi
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache_root/work-$key
mkdir -p "$work/apt/lists/partial" "$work/apt/archives/partial"
cat > "$work/apt/debian-src.sources" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
apt_private=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/apt"
             -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt")
echo "qt-cache: fetching the qt6-base source package" >&2
apt-get "${apt_private[@]}" -q update >&2
(cd "$work" && apt-get "${apt_private[@]}" -q source --download-only qt6-base >&2)

src=$work/qtbase-everywhere-src-$qt_version
rm -rf "$src"
tar -C "$work" -xf "$work"/qt6-base_${qt_version}*.orig.tar.xz
tar -C "$src" -xf "$work"/qt6-base_${qt_version}*.debian.tar.xz
# Debian's security fixes; its packaging patches are for Linux builds only.
if [ -f "$src/debian/patches/series" ]; then
    while read -r patch; do
        case "$patch" in ''|'#'*) continue ;; esac
        case "$patch" in [Cc][Vv][Ee]-*) ;; *) continue ;; esac
        echo "qt-cache: applying $patch" >&2
        patch -d "$src" -p1 -s < "$src/debian/patches/$patch" >&2
    done < "$src/debian/patches/series"
fi

build=$work/build
rm -rf "$build" "$prefix"
# Qt's own toolchain file names the one it was built with: keep that inside
# the cache, so that the cache does not depend on where the repository is.
mkdir -p "$prefix"
cp "$here/mingw-toolchain.cmake" "$prefix/mingw-toolchain.cmake"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-toolchain.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${options[@]}" >&2
nice -n 10 ninja -C "$build" -j"$(nproc)" >&2
cmake --install "$build" >&2
# Only a whole build counts: an interrupted one is built anew next time.
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
