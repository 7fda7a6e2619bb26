#!/usr/bin/env bash
# Sets everything up, builds, starts the sonar head simulator on loopback and the GPS simulator
# on a pseudo-terminal, and starts keelbrook against both. The Connection dialog offers the
# head simulator's address: press YES.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
source scripts/build-env.sh
cmake --preset default >/dev/null
cmake --build --preset default

address=${KEELBROOK_HEAD:-127.0.0.1}
build/bin/headsim --bind "$address" --port 4040 &
sim=$!
gps_pid=""
trap 'kill $sim $gps_pid 2>/dev/null || true' EXIT

# The GPS simulator prints its pseudo-terminal first; the program's GPS port reads it for this
# run (Keelbrook.cfg keeps its own port setting). NMEASIM_ARGS adds simulator options, for
# example NMEASIM_ARGS="--talker GN" for a multi-constellation receiver.
gps_args=()
read -r -a nmeasim_args <<<"${NMEASIM_ARGS:-}"
if [ -x build/bin/nmeasim ]; then
  gps_out=$(mktemp)
  build/bin/nmeasim --start 52.37,4.91 --speed 5 "${nmeasim_args[@]}" >"$gps_out" &
  gps_pid=$!
  for _ in $(seq 50); do
    [ -s "$gps_out" ] && break
    sleep 0.1
  done
  gps_device=$(head -n 1 "$gps_out")
  rm -f "$gps_out"
  if [ -n "$gps_device" ]; then
    gps_args=(--gps-device "$gps_device")
  fi
fi

# Without a display of its own, the program runs on a virtual one.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec_prefix=(xvfb-run -a -s "-screen 0 1920x1080x24")
else
  exec_prefix=()
fi
"${exec_prefix[@]}" build/bin/keelbrook --head "$address" "${gps_args[@]}" "$@"
