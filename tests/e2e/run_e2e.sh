#!/usr/bin/env bash
# Runs the end-to-end test on a session bus of its own, then ends that bus and what it started
# (the accessibility services), so that nothing outlives the test and nothing else is touched.
# usage: run_e2e.sh ARGS...   (passed on to e2e_test.sh)
set -u
eval "$(dbus-launch --sh-syntax)"
"$(dirname "$0")/e2e_test.sh" "$@"
status=$?
descendants() { for child in $(pgrep -P "$1"); do descendants "$child"; echo "$child"; done; }
kill $(descendants "$DBUS_SESSION_BUS_PID") "$DBUS_SESSION_BUS_PID" 2>/dev/null
exit $status
