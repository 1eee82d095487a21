#!/usr/bin/env bash
# The run command: installs what is missing, builds, starts the simulated
# device on loopback and identifies it over TCP and over its pseudo-terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null

work=$(mktemp -d)
build/rerudad-devsim --port 0 --pty "$work/ttyDEVSIM" --log "$work/requests.log" >"$work/ready" &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/ready" ] && break; sleep 0.1; done
cat "$work/ready"
port=$(grep -o 'tcp=[^ ]*' "$work/ready" | cut -d: -f2)

echo "identify over TCP:"
build/rerudad-cli identify --device "tcp:127.0.0.1:$port"
echo "identify over the pseudo-terminal:"
build/rerudad-cli identify --device "serial:$work/ttyDEVSIM"
echo "requests the simulated device received:"
cat "$work/requests.log"
