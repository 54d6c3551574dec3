#!/usr/bin/env bash
# Runs a test program on an X server of its own (Xvfb on a free display it picks itself) with the
# openbox window manager, so windows get real frames:  on_x_server.sh WIDTHxHEIGHT program [args]
set -euo pipefail
size=$1
shift
for tool in Xvfb openbox; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: run scripts/deps" >&2; exit 1; }
done
dir=$(mktemp -d)
xvfb="" wm=""
stop() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$dir"
}
trap stop EXIT
# Waits up to ten seconds for a file to be written.
await() {
  for _ in $(seq 100); do
    [ -s "$1" ] && return 0
    sleep 0.1
  done
  echo "$2 did not start" >&2
  exit 1
}
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
await "$dir/display" Xvfb
export DISPLAY=":$(head -n1 "$dir/display")"
HOME="$dir" XDG_CONFIG_HOME="$dir" XDG_CACHE_HOME="$dir" \
  openbox --startup "sh -c 'echo up > $dir/wm'" 2>"$dir/openbox.log" &
wm=$!
await "$dir/wm" openbox
QT_QPA_PLATFORM=xcb "$@"
