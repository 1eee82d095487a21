#!/usr/bin/env bash
# The run command: installs what is missing, builds, starts the simulated
# device on loopback and the desktop tool linked to it over the device's
# pseudo-terminal (its "USB serial port").
#
# With a display the tool runs until its window is closed. Without one it
# runs for RERUDAD_DEMO_SECONDS (default 8) under a virtual X display and
# leaves a screenshot of the window in build/screenshots/rerudad-linked.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null

work=$(mktemp -d)
sim=""
cleanup() {
    [ -n "$sim" ] && kill "$sim" 2>/dev/null && wait "$sim" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

build/rerudad-devsim --port 0 --pty "$work/ttyDEVSIM" --log "$work/requests.log" >"$work/ready" &
sim=$!
for _ in $(seq 50); do [ -s "$work/ready" ] && break; sleep 0.1; done
echo "simulated device: $(cat "$work/ready")"
port=$(grep -o 'tcp=[^ ]*' "$work/ready" | cut -d: -f2)
echo "identify over TCP: $(build/rerudad-cli identify --device "tcp:127.0.0.1:$port")"

export RERUDAD_SERIAL_PORTS="$work/ttyDEVSIM"
# Discovery listens on loopback only: nothing of this demo touches the network.
export RERUDAD_DISCOVERY_INTERFACE=lo
if [ -n "${DISPLAY:-}" ]; then
    build/rerudad
else
    mkdir -p build/screenshots
    shot=$PWD/build/screenshots/rerudad-linked.png
    seconds=${RERUDAD_DEMO_SECONDS:-8}
    xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
        build/rerudad & app=$!
        sleep "$1"
        import -window root "$2.full.png"
        kill "$app"; wait "$app" 2>/dev/null
        convert "$2.full.png" -trim +repage "$2" && rm -f "$2.full.png"
    ' run "$seconds" "$shot"
    echo "screenshot of the linked window: $shot"
fi
echo "requests the simulated device received: $(wc -l <"$work/requests.log")"
