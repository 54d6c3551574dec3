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
# Ends the server and its manager (a server that stopped answering, at once).
halt() {
  for pid in $wm $xvfb; do
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  xvfb="" wm=""
}
trap 'halt; rm -rf "$dir"' EXIT
# Waits up to thirty seconds (a busy machine starts a server slowly) for a check to pass.
await() {
  for _ in $(seq 300); do
    timeout 10 "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
# The manager, started again should it end while the test runs: metacity ends on an X error when a
# window it is about to manage is destroyed first, which a busy machine makes likely.
manage() {
  local child=""
  trap '[ -z "$child" ] || kill "$child" 2>/dev/null; exit 0' TERM
  while :; do
    HOME="$dir" XDG_CONFIG_HOME="$dir" XDG_CACHE_HOME="$dir" $manager 2>>"$dir/wm.log" &
    child=$!
    wait "$child" || true
    echo "$manager ended: started again" >>"$dir/wm.log"
    sleep 0.5
  done
}
# Starts the server and the manager; a pair that does not come up is ended and started afresh.
start() {
  rm -f "$dir/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
  xvfb=$!
  await test -s "$dir/display" || return 1
  export DISPLAY=":$(head -n1 "$dir/display")"
  : >"$dir/wm.log"
  manage &
  wm=$!
  # Up once it names itself the window manager on the root window.
  await sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
}
for attempt in 1 2 3; do
  start && break
  echo "Xvfb or $manager did not start (attempt $attempt):" >&2
  cat "$dir/xvfb.log" "$dir/wm.log" >&2 || true
  halt
  [ "$attempt" = 3 ] && exit 1
done
status=0
QT_QPA_PLATFORM=xcb "$@" || status=$?
if [ "$status" != 0 ] || grep -q "started again" "$dir/wm.log"; then
  cat "$dir/wm.log" >&2
fi
exit "$status"
