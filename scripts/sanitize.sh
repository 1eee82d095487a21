#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the whole CTest suite there. Any report of either
# sanitizer fails the test that made it, and so the run. Leak detection is
# off: the CLI and the simulated device run as child processes of the tests,
# and memory the Qt libraries keep until exit would change their exit status.
set -euo pipefail
cd "$(dirname "$0")/.."
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags"
cmake --build build-asan --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=abort_on_error=0:halt_on_error=1:detect_leaks=0:exitcode=86
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
# The sanitizers slow every test down; the suite's own time-outs stay.
ctest --output-on-failure --parallel 2 --timeout 600
