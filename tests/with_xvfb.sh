#!/usr/bin/env bash
# Runs a command in a private Xvfb whose keyboard has the US and Russian layouts, on a private
# session bus.
set -u
work=$(mktemp -d /tmp/vocarta-xvfb.XXXXXX)
source "$(dirname "$0")/harness.sh"
trap stop_everything EXIT
start_x_server
setxkbmap -layout us,ru
QT_QPA_PLATFORM=xcb dbus-run-session -- "$@"
