#!/usr/bin/env bash
# Builds every configuration and runs every test: the host build (core and
# the shell on our platform layer), the 32-bit Windows program (checks of
# the executable) and its 64-bit twin (the core's tests and the real program
# under Wine). Exits non-zero when any build or test fails.
set -euo pipefail
cd "$(dirname "$0")/.."

SORELAN_COMMAND="bash scripts/test.sh" bash scripts/install-deps.sh

presets=(host win32 win64)
for preset in "${presets[@]}"; do
    echo "==> Configuring and building the '$preset' preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

status=0
for preset in "${presets[@]}"; do
    echo "==> Running the '$preset' tests"
    # The 32-bit build has only the check of its executable: show what it found.
    verbose=(); [ "$preset" = win32 ] && verbose=(--verbose)
    ctest --preset "$preset" "${verbose[@]}" || status=1
done
exit "$status"
