#!/usr/bin/env bash
# Runs the end-to-end test on a session bus of its own and afterwards ends that bus and the
# accessibility services it started, so that nothing outlives the test.
# usage: run_e2e.sh ARGS...   (passed on to e2e_test.sh)
set -u
here=$(cd "$(dirname "$0")" && pwd)
services() { pgrep -f 'at-spi-bus-launcher|at-spi2-registryd|accessibility.conf' | sort; }
before=$(services)
eval "$(dbus-launch --sh-syntax)"
"$here/e2e_test.sh" "$@"
status=$?
kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
for pid in $(comm -13 <(echo "$before") <(services)); do kill "$pid" 2>/dev/null; done
exit $status
