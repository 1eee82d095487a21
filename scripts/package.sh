#!/usr/bin/env bash
# Builds the Debian package of RERUDAD (build/package/rerudad_VERSION_ARCH.deb)
# from this source tree; a fresh clone will do. Installs with apt-get what
# building and checking need.
#
# --check then tries the package as an installer would meet it: extracts it
# into a temporary root, runs the installed CLI's --help and an identify
# against the installed simulated device (on 127.0.0.1, a free port), starts
# the installed desktop tool as its menu entry does (offscreen) and checks
# that its program folder was created, validates the desktop entry, the
# AppStream metadata, the manual pages and the completion scripts, and runs
# lintian. Any failure ends the script with a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
case "${1:-}" in
    --check) check=1 ;;
    "") ;;
    *) echo "usage: scripts/package.sh [--check]" >&2; exit 2 ;;
esac

scripts/install-deps.sh
packaging_tools=(
    dpkg-dev            # dpkg-shlibdeps (the package's dependencies) and dpkg-deb
    lintian             # the Debian policy check
    desktop-file-utils  # desktop-file-validate
    appstream           # appstreamcli validate
    fakeroot file       # what lintian runs with
    man-db groff-base   # the manual pages' check
)
# shellcheck source=scripts/install-packages.sh
. scripts/install-packages.sh
install_missing package "${packaging_tools[@]}"

# The dates in the changelog and the metadata are the last commit's, so that
# the same tree gives the same package.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --parallel "$(nproc)" --target rerudad rerudad-cli rerudad-devsim rerudad-install-files
rm -rf build/package
(cd build && cpack -G DEB > /dev/null)
deb=$(echo build/package/rerudad_*.deb)
[ -f "$deb" ] || { echo "package: cpack made no package" >&2; exit 1; }
echo "package: $deb, $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "package: Depends: $(dpkg-deb -f "$deb" Depends)"
[ "$check" -eq 1 ] || exit 0

work=$(mktemp -d)
devsim_pid=
tool_pid=
cleanup() {
    [ -z "$devsim_pid" ] || kill "$devsim_pid" 2>/dev/null || true
    [ -z "$tool_pid" ] || kill "$tool_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package check: $*" >&2; exit 1; }

root=$work/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/bin
share=$root/usr/share

"$bin/rerudad-cli" --help > "$work/help.txt" || fail "rerudad-cli --help failed"
grep -q '^usage: rerudad-cli' "$work/help.txt" || fail "rerudad-cli --help printed no usage line"
echo "package check: installed rerudad-cli --help: $(wc -l < "$work/help.txt") lines"

# The simulated device on a port the kernel picks, stopped by its pid.
"$bin/rerudad-devsim" --code 132 --version 15 --address 127.0.0.1 --port 0 > "$work/devsim.txt" &
devsim_pid=$!
for _ in $(seq 100); do
    grep -q '^devsim ready' "$work/devsim.txt" && break
    sleep 0.1
done
port=$(sed -n 's/^devsim ready .*tcp=127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/devsim.txt")
[ -n "$port" ] || fail "the installed rerudad-devsim did not get ready"
identity=$("$bin/rerudad-cli" identify --device "tcp:127.0.0.1:$port") || fail "identify failed"
echo "package check: installed rerudad-cli identify: $identity"
[[ $identity == *'"HardwareCode":132'* ]] || fail "identify reported another device"
kill "$devsim_pid"
wait "$devsim_pid" || true
devsim_pid=

# The desktop tool as the menu entry starts it: from the home folder, with
# the per-user program folder, which the first start creates.
desktop=$(echo "$share"/applications/*.desktop)
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
home=$work/home
mkdir -p "$home"
(cd "$home" && HOME=$home XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen exec "$bin/${exec_line%% *}" ${exec_line#* }) \
    > "$work/tool.txt" 2>&1 &
tool_pid=$!
folder=$home/.local/share/rerudad
for _ in $(seq 100); do
    [ -f "$folder/README.txt" ] && break
    sleep 0.1
done
kill -0 "$tool_pid" 2>/dev/null || fail "the desktop tool ended at start: $(cat "$work/tool.txt")"
for part in firmware config logos README.txt; do
    [ -e "$folder/$part" ] || fail "the menu start did not create $folder/$part"
done
kill "$tool_pid"
wait "$tool_pid" 2>/dev/null || true
tool_pid=
echo "package check: menu start ($exec_line) created ~/.local/share/rerudad: $(cd "$folder" && echo *)"

desktop-file-validate "$desktop" || fail "desktop-file-validate: $desktop"
echo "package check: desktop-file-validate $(basename "$desktop"): clean"
appstreamcli validate --no-net --explain "$share"/metainfo/*.metainfo.xml || fail "appstreamcli validate"
for page in "$share"/man/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 > /dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
echo "package check: manual pages without warnings: $(cd "$share/man/man1" && echo *)"
for script in "$share"/bash-completion/completions/*; do
    bash -n "$script" || fail "bash completion $(basename "$script") does not parse"
done
echo "package check: bash completions parse: $(cd "$share/bash-completion/completions" && echo *)"

echo "package check: lintian $(basename "$deb")"
lintian --fail-on error --display-info "$deb" | tee "$work/lintian.txt"
[ -s "$work/lintian.txt" ] || echo "package check: lintian: no tags"
