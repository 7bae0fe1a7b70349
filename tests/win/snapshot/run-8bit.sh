#!/usr/bin/env bash
# Runs the snapshot test for a screen of 8 bits a pixel on a virtual screen of its own
# (1024 x 768 x 8), in a Wine prefix of its own so that no other screen's desktop is in the way.
set -uo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
export QUORLIN_WINEPREFIX="$root/build/wineprefix-8bit" QUORLIN_EXPECT_8BIT=1
xvfb-run -a -s "-screen 0 1024x768x8" "$root/scripts/wine-run" "$1" --gtest_filter='Snapshot.OnAnEightBitScreen*'
status=$?
WINEPREFIX="$QUORLIN_WINEPREFIX" wineserver -k 2>/dev/null || true
exit $status
