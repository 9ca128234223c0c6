#!/usr/bin/env bash
# Builds every configuration and runs every test. Exits non-zero when any
# build or test fails.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

for preset in host; do
    echo "==> Configuring and building the '$preset' preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

for preset in host; do
    echo "==> Running the '$preset' tests"
    ctest --preset "$preset"
done
