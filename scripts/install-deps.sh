#!/usr/bin/env bash
# Installs the Debian packages that building, testing, fuzzing and the
# screenshot run need. Does nothing when all of them are present already.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config   # the build
    qt6-base-dev qt6-serialport-dev                # Qt Core, Network, Widgets, Test, SerialPort
    qt6-svg-dev                                    # the build writes the SVG icon with QSvgGenerator
    libgtest-dev                                   # unit, integration and GUI tests
    clang-14 libclang-rt-14-dev                    # libFuzzer targets under ASan/UBSan
    xvfb xauth imagemagick x11-apps                # the desktop tool under a virtual display, screenshots
    iproute2                                       # network namespaces for the discovery test
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all ${#packages[@]} packages present"
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing ${missing[*]}; run this script as root to install them" >&2
    exit 1
fi

echo "install-deps: apt-get update"
apt-get update -q
echo "install-deps: apt-get install ${missing[*]}"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
