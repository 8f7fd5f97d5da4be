#!/usr/bin/env bash
# Sets everything up, then runs the whole test suite headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
cd "$KELVANE_BUILD"
ctest --output-on-failure --timeout 600 -j2
