#!/usr/bin/env bash
# Runs a test program on an X server of its own (Xvfb on a free display it picks itself) with a window
# manager (openbox, or metacity when named), so windows get real frames:
#   on_x_server.sh [metacity] WIDTHxHEIGHT program [args]
set -euo pipefail
manager=openbox
[ "$1" = metacity ] && { manager=metacity; shift; }
size=$1
shift
for tool in Xvfb $manager xprop; do
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
# Waits up to ten seconds for a check to pass.
await() {
  for _ in $(seq 100); do
    "${@:2}" && return 0
    sleep 0.1
  done
  echo "$1 did not start" >&2
  exit 1
}
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
await Xvfb test -s "$dir/display"
export DISPLAY=":$(head -n1 "$dir/display")"
HOME="$dir" XDG_CONFIG_HOME="$dir" XDG_CACHE_HOME="$dir" $manager 2>"$dir/wm.log" &
wm=$!
# Up once it names itself the window manager on the root window.
await $manager sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
QT_QPA_PLATFORM=xcb "$@"
