#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: once in the normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
source scripts/build-env.sh
export QT_QPA_PLATFORM=offscreen

for preset in default asan; do
  echo "== $preset build =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset tests =="
  ctest --preset "$preset"
done
