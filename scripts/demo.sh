#!/usr/bin/env bash
# Sets everything up, builds, starts the sonar head simulator on loopback and starts keelbrook
# against it. The Connection dialog offers the simulator's address: press YES.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default

address=${KEELBROOK_HEAD:-127.0.0.1}
build/bin/headsim --bind "$address" --port 4040 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT

# Without a display of its own, the program runs on a virtual one.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec_prefix=(xvfb-run -a -s "-screen 0 1920x1080x24")
else
  exec_prefix=()
fi
"${exec_prefix[@]}" build/bin/keelbrook --head "$address" "$@"
