#!/usr/bin/env bash
# The Windows x86-64 build, made on Debian: installs what it needs, builds (or
# reuses) the Qt cache, cross-builds rerudad.exe, rerudad-cli.exe, the unit
# tests and the GUI tests into build-windows/, lays out the application
# folder, and makes a zip of it and an NSIS installer.
#   scripts/windows.sh          the build
#   scripts/windows.sh --test   the build, then the tests under Wine: the unit
#                               and GUI tests, the CLI against the Linux simulated
#                               device over TCP and over a Wine COM port, the
#                               installer, and the desktop tool on a virtual
#                               display (screenshot in docs/windows-linked.png)
# Runs as root on Debian 12 (it installs Debian packages with apt-get).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

testing=false
case "${1:-}" in
    '') ;;
    --test) testing=true ;;
    *) echo "usage: scripts/windows.sh [--test]" >&2; exit 2 ;;
esac

out=$root/build-windows
app=$out/RERUDAD
version=$(sed -n 's/^project(rerudad VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zipfile=$out/rerudad-$version-windows-x64.zip
setup=$out/rerudad-$version-setup.exe
target=x86_64-w64-mingw32

# --- timing -----------------------------------------------------------------
stage_name=''
stage_start=0
stage_times=()
now_ms() { date +%s%3N; }
stage() {
    stage_end
    stage_name=$1
    stage_start=$(now_ms)
    echo "== $stage_name"
}
stage_end() {
    if [ -n "$stage_name" ]; then
        local ms=$(($(now_ms) - stage_start))
        stage_times+=("$(printf '%-30s %5d.%d s' "$stage_name" $((ms / 1000)) $((ms % 1000 / 100)))")
        stage_name=''
    fi
}

# --- packages ---------------------------------------------------------------
stage "packages"
packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix   # the cross compilers (posix threads)
    wine64                                                  # runs the Windows programs and tests
    nsis                                                    # the installer
    xvfb xauth imagemagick                                  # the desktop tool on a virtual display, screenshot
    zip                                                     # the zip
)
# shellcheck source=scripts/install-packages.sh
. scripts/install-packages.sh
install_missing windows "${packages[@]}"
# The host Qt tools (moc, rcc, uic) and, for the tests, the Linux build.
scripts/install-deps.sh

# --- Qt for Windows ---------------------------------------------------------
stage "Qt cache"
qt=$(scripts/windows/qt-cache.sh)
echo "windows: Qt for Windows in $qt"

# --- the cross build --------------------------------------------------------
stage "cross-build"
build=$out/build
mkdir -p "$build"
"$qt/bin/qt-cmake" -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DRERUDAD_GOOGLETEST_SOURCE=/usr/src/googletest >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log" >&2; exit 1; }
cmake --build "$build" --parallel "$(nproc)" --target rerudad rerudad-cli rerudad_unit_tests rerudad_gui_tests

# --- the application folder -------------------------------------------------
stage "application folder"
rm -rf "$app"
mkdir -p "$app/platforms"
cp "$build/rerudad.exe" "$build/rerudad-cli.exe" "$app/"
cp "$qt/plugins/platforms/qwindows.dll" "$app/platforms/"
# The native look of Windows 10 and 11 (the windowsvista style).
if [ -d "$qt/plugins/styles" ]; then
    mkdir -p "$app/styles"
    cp "$qt/plugins/styles/"*.dll "$app/styles/"
fi

# Where the DLLs a program imports come from: Qt's, then the compiler's
# runtime. What is found nowhere is the system's own (KERNEL32.dll ...).
dll_folders=("$qt/bin"
             "$(dirname "$($target-g++-posix -print-file-name=libstdc++-6.dll)")"
             "$(dirname "$($target-g++-posix -print-file-name=libwinpthread-1.dll)")")
find_dll() {
    local folder
    for folder in "${dll_folders[@]}"; do
        if [ -f "$folder/$1" ]; then
            echo "$folder/$1"
            return
        fi
    done
}
imports() { $target-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
# Follows the imports of the programs and plugins until nothing new turns up.
pending=("$app"/*.exe $(find "$app" -mindepth 2 -name '*.dll'))
while [ ${#pending[@]} -gt 0 ]; do
    file=${pending[0]}
    pending=("${pending[@]:1}")
    for dll in $(imports "$file"); do
        [ -f "$app/$dll" ] && continue
        source=$(find_dll "$dll")
        [ -n "$source" ] || continue
        cp "$source" "$app/"
        pending+=("$app/$dll")
    done
done
find "$app" -name '*.exe' -o -name '*.dll' | xargs $target-strip --strip-unneeded
echo "windows: $(find "$app" -type f | wc -l) files in $app"

# --- zip and installer ------------------------------------------------------
stage "zip"
rm -f "$zipfile"
(cd "$out" && zip -q -r -9 "$zipfile" "$(basename "$app")")

stage "installer"
# The uninstaller deletes exactly the files the installer put in place.
filelist=$out/installed-files.nsh
{
    (cd "$app" && find . -type f | sed 's|^\./||' | sort) | while read -r file; do
        printf 'Delete "$INSTDIR\\%s"\n' "${file//\//\\}"
    done
    (cd "$app" && find . -mindepth 1 -type d | sed 's|^\./||' | sort -r) | while read -r folder; do
        printf 'RMDir "$INSTDIR\\%s"\n' "${folder//\//\\}"
    done
} >"$filelist"
makensis -V2 -DAPPDIR="$app" -DVERSION="$version" -DOUTFILE="$setup" -DFILELIST="$filelist" \
    scripts/windows/installer.nsi

stage_end
sizes() {
    echo "application folder  $(du -sh "$app" | cut -f1)  ($app)"
    echo "zip                 $(du -h "$zipfile" | cut -f1)  ($zipfile)"
    echo "installer           $(du -h "$setup" | cut -f1)  ($setup)"
}

if ! $testing; then
    printf '%s\n' "${stage_times[@]}"
    sizes
    exit 0
fi

# --- the tests under Wine ---------------------------------------------------
# Everything here runs under timeout, with the display set (a Wine session
# started without one makes a window program started later hang), in a
# prefix of its own that is made anew each run.
stage "Wine prefix"
work=$out/test
# A wine server left by an interrupted run would keep the old prefix.
[ -d "$out/wine" ] && WINEPREFIX=$out/wine timeout 30 /usr/lib/wine/wineserver -k 2>/dev/null || true
rm -rf "$work" "$out/wine"
mkdir -p "$work"
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    [ -d "${WINEPREFIX:-/nonexistent}" ] && timeout 30 /usr/lib/wine/wineserver -k 2>/dev/null || true
}
trap cleanup EXIT

display=''
for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    if kill -0 "$xvfb" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
        display=:$n
        pids+=("$xvfb")
        break
    fi
done
[ -n "$display" ] || { echo "windows: no virtual display could be started" >&2; exit 1; }

# The prefix links the user's shell folders (Documents, Desktop) to $HOME:
# a home of its own keeps what the installer and the tool write there inside
# the build folder. No menu entries for the Linux desktop either.
mkdir -p "$work/home"
export HOME=$work/home WINEPREFIX=$out/wine WINEARCH=win64 WINEDEBUG=-all DISPLAY=$display
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine() { local seconds=$1; shift; timeout "$seconds" /usr/lib/wine/wine64 "$@"; }
wineserver() { timeout 60 /usr/lib/wine/wineserver "$@"; }
wine 180 wineboot --init >"$work/wineboot.log" 2>&1
wineserver -w
# A crash ends the program at once instead of waiting in the debugger.
wine 60 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d "" /f >/dev/null

passed=0
failed=0
check() {
    if eval "$2"; then
        echo "  ok    $1"
        passed=$((passed + 1))
    else
        echo "  FAIL  $1"
        failed=$((failed + 1))
    fi
}

# --- the CLI against the Linux simulated device -----------------------------
stage "host simulated device"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target rerudad-devsim >/dev/null
devsim_port=''
# start_devsim NAME ARGS...: a simulated device on loopback with a
# pseudo-terminal at $work/NAME/tty; its TCP port in devsim_port.
start_devsim() {
    local name=$1
    shift
    mkdir -p "$work/$name"
    build/rerudad-devsim --port 0 --pty "$work/$name/tty" --log "$work/$name/requests.log" "$@" \
        >"$work/$name/ready.txt" 2>"$work/$name/stderr.txt" &
    pids+=($!)
    for _ in $(seq 100); do
        grep -q 'devsim ready' "$work/$name/ready.txt" && break
        sleep 0.1
    done
    devsim_port=$(sed -n 's/.*tcp=127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/$name/ready.txt")
    [ -n "$devsim_port" ] || { echo "windows: the simulated device $name did not start" >&2; exit 1; }
}

# cli NAME ARGS...: rerudad-cli.exe under Wine in $work/cli; stdout in
# NAME.out, stderr in NAME.err (line ends as Windows writes them, \r\n,
# made \n), exit status in NAME.status.
cli() {
    local name=$1 status=0
    shift
    (cd "$work/cli" && wine 300 "$app/rerudad-cli.exe" "$@" >"$name.rawout" 2>"$name.rawerr") || status=$?
    tr -d '\r' <"$work/cli/$name.rawout" >"$work/cli/$name.out"
    tr -d '\r' <"$work/cli/$name.rawerr" >"$work/cli/$name.err"
    echo "$status" >"$work/cli/$name.status"
}
status_of() { cat "$work/cli/$1.status"; }
out_of() { cat "$work/cli/$1.out"; }
err_of() { cat "$work/cli/$1.err"; }

mkdir -p "$work/cli/firmware"
# A firmware image the simulated device takes as version 15 (its tag at the
# start), named with its digest.
image=$work/image.bin
{ printf 'DEVSIM-FIRMWARE\x0f'; head -c 3000 /dev/urandom; } >"$image"
digest=$(md5sum "$image" | cut -c1-32 | tr a-f A-F)
cp "$image" "$work/cli/firmware/DUNASA_15_$digest.bin"
identity14='{"HardwareCode":132,"FirmwareVersionByte":14,"FirmwareMinor":0,"ModelLabel":"DUNASA","FamilyLabel":"VUBUKA"}'
identity15='{"HardwareCode":132,"FirmwareVersionByte":15,"FirmwareMinor":0,"ModelLabel":"DUNASA","FamilyLabel":"VUBUKA"}'

stage "CLI under Wine over TCP"
start_devsim tcp --code 132 --version 14
tcp=tcp:127.0.0.1:$devsim_port
cli identify identify --device "$tcp"
check "identify: status 0 and the identity JSON" \
    '[ "$(status_of identify)" = 0 ] && [ "$(out_of identify)" = "$identity14" ]'
cli get config get --device "$tcp"
check "config get: status 0 and the model JSON" \
    '[ "$(status_of get)" = 0 ] && grep -q "^{.*\"NetworkName\":\"[^\"]*\".*}$" "$work/cli/get.out"'
printf '{"NetworkName":"WINE-\xc3\x89T\xc3\x89"}\n' >"$work/cli/name.json"
cli set config set name.json --device "$tcp"
check "config set: status 0, the name read back in UTF-8" \
    '[ "$(status_of set)" = 0 ] && grep -q "\"NetworkName\":\"WINE-ÉTÉ\"" "$work/cli/set.out"'
cli getagain config get --device "$tcp"
check "config get after set: the new name, the rest unchanged" \
    '[ "$(sed "s/WINE-ÉTÉ//" "$work/cli/getagain.out")" = "$(sed "s/\"NetworkName\":\"[^\"]*\"/\"NetworkName\":\"\"/" "$work/cli/get.out")" ]'
cli logs logs device-logs.txt --device "$tcp"
logbytes=$(stat -c %s "$work/cli/device-logs.txt" 2>/dev/null || echo 0)
check "logs: status 0, $logbytes bytes, the closing line names them" \
    '[ "$(status_of logs)" = 0 ] && [ "$logbytes" -gt 0 ] && [ "$(tail -1 "$work/cli/logs.err")" = "logs $tcp: Logs saved into device-logs.txt ($logbytes bytes)" ]'
cli upgrade firmware upgrade --device "$tcp"
check "firmware upgrade: status 0, version 15 written" \
    '[ "$(status_of upgrade)" = 0 ] && grep -qx "firmware upgrade $tcp: DUNASA firmware version 15 written" "$work/cli/upgrade.err"'
cli upgraded identify --device "$tcp"
check "identify after the upgrade: version 15" '[ "$(out_of upgraded)" = "$identity15" ]'
cli usage identify --device tcp:
check "a malformed device: status 2, one line" \
    '[ "$(status_of usage)" = 2 ] && [ "$(wc -l <"$work/cli/usage.err")" = 1 ]'
cli closed identify --device tcp:127.0.0.1:1
check "no device at the port: status 1, one line" \
    '[ "$(status_of closed)" = 1 ] && [ "$(err_of closed)" = "identify tcp:127.0.0.1:1: no TCP connection to 127.0.0.1:1" ]'
cli noport identify --device serial:COM9
check "a port that does not exist: status 1, the reason" \
    '[ "$(status_of noport)" = 1 ] && [ "$(err_of noport)" = "identify serial:COM9: cannot open serial port COM9: no such file" ]'

stage "CLI under Wine over COM5"
start_devsim serial --code 132 --version 14
# COM5 stands for the simulated device's pseudo-terminal; the wine server
# reads the port mapping when it starts.
wine 60 reg add 'HKLM\Software\Wine\Ports' /v COM5 /t REG_SZ /d "$(readlink -f "$work/serial/tty")" /f >/dev/null
wineserver -k || true
wineserver -w || true
cli sidentify identify --device serial:COM5
check "identify over COM5: status 0 and the identity JSON" \
    '[ "$(status_of sidentify)" = 0 ] && [ "$(out_of sidentify)" = "$identity14" ]'
cli sget config get --device serial:COM5
cli tget config get --device "tcp:127.0.0.1:$devsim_port"
check "config get over COM5: the same JSON as over TCP" \
    '[ "$(status_of sget)" = 0 ] && [ -s "$work/cli/sget.out" ] && cmp -s "$work/cli/sget.out" "$work/cli/tget.out"'
cli supgrade firmware upgrade --device serial:COM5
check "firmware upgrade over COM5: status 0, version 15 written" \
    '[ "$(status_of supgrade)" = 0 ] && grep -qx "firmware upgrade serial:COM5: DUNASA firmware version 15 written" "$work/cli/supgrade.err"'
cli supgraded identify --device serial:COM5
check "identify over COM5 after the upgrade: version 15" '[ "$(out_of supgraded)" = "$identity15" ]'
check "the simulated device heard the serial requests on its pseudo-terminal" \
    'grep -q " pty CMD_IDENTIFY" "$work/serial/requests.log"'

# --- the desktop tool -------------------------------------------------------
stage "desktop tool under Wine"
mkdir -p "$work/desktop"
before=$(wc -l <"$work/serial/requests.log")
# Under Wine, Qt's default (GDI) font engine paints no text in edit fields: a
# bare QLineEdit shows the same, while labels, lists and buttons are painted.
# The FreeType engine paints them all. The option is given on the command
# line; Qt under Wine did not take it from QT_QPA_PLATFORM.
(cd "$work/desktop" && RERUDAD_SERIAL_PORTS=COM5 QT_FORCE_STDERR_LOGGING=1 \
    wine 120 "$app/rerudad.exe" -platform windows:fontengine=freetype >"$work/desktop/output.txt" 2>&1) &
desktop=$!
pids+=("$desktop")
linked=false
for _ in $(seq 600); do
    if tail -n +"$((before + 1))" "$work/serial/requests.log" | grep -q CMD_READ_CONFIG &&
        [ "$(tail -n +"$((before + 1))" "$work/serial/requests.log" | grep -c CMD_GET_STATUS)" -ge 5 ]; then
        linked=true
        break
    fi
    sleep 0.1
done
check "the desktop tool linked the device over COM5 and polls its status" '$linked'
sleep 1
rm -f "$root/docs/windows-linked.png"
# The window sits on the empty (black) screen of a display without a window
# manager: the screenshot is the window.
import -display "$display" -window root "$work/desktop/screen.png" &&
    convert "$work/desktop/screen.png" -trim +repage "$root/docs/windows-linked.png" || true
check "screenshot: docs/windows-linked.png" '[ -s "$root/docs/windows-linked.png" ]'
kill "$desktop" 2>/dev/null || true
wineserver -k || true

# --- the installer ----------------------------------------------------------
stage "installer under Wine"
wine 180 "$setup" /S
wineserver -w || true
installed="$WINEPREFIX/drive_c/Program Files/RERUDAD"
userfolder="$WINEPREFIX/drive_c/users/$(id -un)/Documents/RERUDAD"
check "installed: the programs under Program Files" '[ -f "$installed/rerudad.exe" ] && [ -f "$installed/platforms/qwindows.dll" ]'
check "installed: the program folder with firmware, config and logos" \
    '[ -d "$userfolder/firmware" ] && [ -d "$userfolder/config" ] && [ -d "$userfolder/logos" ]'
check "installed: the Start-menu entry" \
    '[ -n "$(find "$WINEPREFIX/drive_c/users" -path "*/Start Menu/Programs/RERUDAD/RERUDAD.lnk")" ]'
installed_status=0
wine 120 'C:\Program Files\RERUDAD\rerudad-cli.exe' identify --device "$tcp" >"$work/installed.out" 2>&1 || installed_status=$?
check "the installed CLI runs" '[ "$installed_status" = 0 ]'
echo kept >"$userfolder/firmware/user-file.txt"
wine 120 'C:\Program Files\RERUDAD\uninstall.exe' /S || true
# The uninstaller runs from a copy of itself and returns at once.
for _ in $(seq 100); do
    [ -e "$installed/rerudad.exe" ] || break
    sleep 0.2
done
wineserver -w || true
check "uninstalled: the programs are gone" '[ ! -e "$installed" ]'
check "uninstalled: the user's files are kept" '[ -f "$userfolder/firmware/user-file.txt" ]'

# --- the unit and GUI tests ------------------------------------------------
stage "unit and GUI tests under Wine"
windows_path() { echo "Z:$1" | tr / '\\'; }
runtime=$(dirname "$($target-g++-posix -print-file-name=libstdc++-6.dll)")
pthread=$(dirname "$($target-g++-posix -print-file-name=libwinpthread-1.dll)")
# test_run NAME PROGRAM: one test program under Wine, its summary and failures.
# The GUI tests run on Qt's offscreen platform, taken from the Qt cache.
test_run() {
    local name=$1 program=$2 status=0
    mkdir -p "$work/$name"
    (cd "$work/$name" && WINEPATH="$(windows_path "$qt/bin");$(windows_path "$runtime");$(windows_path "$pthread")" \
        QT_PLUGIN_PATH="$(windows_path "$qt/plugins")" RERUDAD_TEST_WRITES_SERIALCOMM=1 QT_FORCE_STDERR_LOGGING=1 \
        wine 900 "$program" --gtest_brief=1 >"$work/$name/output.txt" 2>&1) || status=$?
    tr -d '\r' <"$work/$name/output.txt" | grep -E '^\[  (PASSED|SKIPPED|FAILED) |^\[==========\]' | sed 's/^/  /'
    check "$name tests: exit status 0" "[ $status -eq 0 ]"
    tr -d '\r' <"$work/$name/output.txt" | grep -E '^\[  FAILED  \] [A-Za-z]' | sed 's/^/  /' || true
}
test_run unit "$build/tests/rerudad_unit_tests.exe"
test_run gui "$build/tests/rerudad_gui_tests.exe"

stage_end
echo
printf '%s\n' "${stage_times[@]}"
sizes
echo "Wine tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
