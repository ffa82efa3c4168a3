#!/bin/sh
# Makes the test run's wine prefix and leaves one wineserver up for the whole run, so
# that no case boots wine again. Wine's own processes outlive this script: their output
# goes to a log, never to the test's pipe, which they would otherwise hold open.
#   WINEPREFIX=... wine_start.sh LOADER WINESERVER
set -eu
loader=$1
wineserver=$2
mkdir -p "$WINEPREFIX"
# A server left by an interrupted run would refuse to make way for a new one.
"$wineserver" -k > /dev/null 2>&1 || true
"$wineserver" -p < /dev/null > /dev/null 2>&1
log="$WINEPREFIX/wineboot.log"
"$loader" wineboot --init < /dev/null > "$log" 2>&1 || { cat "$log"; exit 1; }
echo "wine prefix ready in $WINEPREFIX; wineserver stays up until the cleanup test"
