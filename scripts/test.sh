#!/usr/bin/env bash
# Sets everything up, then runs the whole test suite headless: every test of
# the normal build, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and each fuzz target for a short while.
# KELVANE_QUICK=1 runs the normal build's tests only.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
(cd "$KELVANE_BUILD" && ctest --output-on-failure --timeout 600 -j2)
if [ "${KELVANE_QUICK:-0}" = 1 ]; then
    exit 0
fi
bash "$KELVANE_ROOT/scripts/sanitized-tests.sh"
bash "$KELVANE_ROOT/scripts/fuzz.sh"
