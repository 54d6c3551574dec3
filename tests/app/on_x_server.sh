#!/usr/bin/env bash
# Runs a test program on an X server of its own (Xvfb on a free display it picks itself) with a window
# manager, so windows get real frames:  on_x_server.sh [openbox|metacity] WIDTHxHEIGHT program [args]
# (openbox when none is named; metacity keeps every ordinary window out of reserved strips).
set -euo pipefail
wm_name=openbox
case $1 in openbox | metacity) wm_name=$1; shift ;; esac
size=$1
shift
for tool in Xvfb "$wm_name" xprop; do
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
home=(env HOME="$dir" XDG_CONFIG_HOME="$dir" XDG_CACHE_HOME="$dir")
if [ "$wm_name" = openbox ]; then
  "${home[@]}" openbox --startup "sh -c 'echo up > $dir/wm'" 2>"$dir/wm.log" &
  wm=$!
  await openbox test -s "$dir/wm"
else
  "${home[@]}" metacity --sm-disable 2>"$dir/wm.log" &
  wm=$!
  # Up once it names itself the window manager on the root window.
  await metacity sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
fi
QT_QPA_PLATFORM=xcb "$@"
