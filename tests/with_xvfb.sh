#!/usr/bin/env bash
# Runs a command in a private Xvfb whose keyboard has the US and Russian layouts, on a private
# session bus.
# usage: with_xvfb.sh COMMAND [ARGS...]
set -u
source "$(dirname "$0")/harness.sh"
work=$(mktemp -d /tmp/vocarta-xvfb.XXXXXX)
trap 'kill ${xvfb:-} 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
start_x_server "$work"
setxkbmap -layout us,ru
QT_QPA_PLATFORM=xcb dbus-run-session -- "$@"
