#!/usr/bin/env bash
# Builds the AddressSanitizer/UndefinedBehaviorSanitizer preset and runs the
# whole test suite under it. Leak reports from the libraries the program runs
# on are suppressed in scripts/lsan-suppressions.txt, each with its reason.
set -euo pipefail
KELVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$KELVANE_ROOT"
cmake --preset asan -DKELVANE_BUILD_BENCH=OFF > /dev/null
cmake --build --preset asan -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$KELVANE_ROOT/scripts/lsan-suppressions.txt:print_suppressions=0"
cd build-asan
# The site checker must die of a damaged library's fault signal, so that the
# program can tell a crash from a refusal: the sanitizer leaves those signals
# alone (its shadow-memory checks are not affected).
signals="handle_segv=0:handle_sigbus=0"
ASAN_OPTIONS="detect_leaks=1:$signals" ctest --output-on-failure --timeout 900 -j2 -LE browser
# Qt WebEngine frees one of Chromium's objects through a base pointer of
# another size when a page goes (every frame of the report is inside
# libQt6WebEngineCore): the size check is off for the tests that open pages.
ASAN_OPTIONS="detect_leaks=1:$signals:new_delete_type_mismatch=0" \
    ctest --output-on-failure --timeout 900 -j2 -L browser
