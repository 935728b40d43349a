#!/usr/bin/env bash
# Runs a command in a private Xvfb whose keyboard has the US and Russian layouts.
# usage: with_xvfb.sh COMMAND [ARGS...]
set -u
work=$(mktemp -d /tmp/vocarta-xvfb.XXXXXX)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
setxkbmap -layout us,ru
QT_QPA_PLATFORM=xcb "$@"
