#!/usr/bin/env bash
# Runs a command and keeps its standard output in a file, compressed with
# gzip -9n (no name, no time stamp) when the file name ends in .gz. Nothing
# is left behind when the command fails, so that the build tries again.
#   write-output.sh OUTPUT COMMAND [ARGUMENT...]
set -euo pipefail
output=$1
shift
case $output in
    *.gz) "$@" | gzip -9n > "$output.part" ;;
    *) "$@" > "$output.part" ;;
esac || { rm -f "$output.part"; exit 1; }
mv "$output.part" "$output"
