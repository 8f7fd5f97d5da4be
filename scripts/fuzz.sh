#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ with clang and runs each one for
# KELVANE_FUZZ_SECONDS (30 by default) from its seed corpus, as many at once
# as there are cores. A crash, a leak or a time-out fails the run; the
# reproducer is kept in build-fuzz/artifacts/.
set -euo pipefail
KELVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KELVANE_FUZZ_BUILD:-$KELVANE_ROOT/build-fuzz}"
seconds="${KELVANE_FUZZ_SECONDS:-30}"
source "$KELVANE_ROOT/scripts/packages.sh"
kelvane_install_packages clang libclang-rt-14-dev

cmake -S "$KELVANE_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DKELVANE_BUILD_FUZZ=ON \
    -DKELVANE_BUILD_TESTS=OFF -DKELVANE_BUILD_BENCH=OFF > /dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_targets
targets=$(cd "$build/bin" && ls fuzz_*)

artifacts="$build/artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One target's run; its report is printed whole when it ends.
fuzz_one() {
    local target=$1 corpus="$work/${1#fuzz_}" status=0
    mkdir -p "$corpus"
    # The checked-in seeds are copied: what the run finds stays out of the tree.
    if [ -d "$KELVANE_ROOT/fuzz/corpus/${target#fuzz_}" ]; then
        cp -r "$KELVANE_ROOT/fuzz/corpus/${target#fuzz_}/." "$corpus/"
    fi
    (cd "$work" && "$build/bin/$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -artifact_prefix="$artifacts/" -print_final_stats=1 "$corpus" \
        >"$work/$target.log" 2>&1) || status=$?
    printf '== %s, %s s%s\n%s\n' "$target" "$seconds" "$([ "$status" = 0 ] || echo ", FAILED ($status)")" \
        "$(tail -n 12 "$work/$target.log")"
    return "$status"
}
export -f fuzz_one
export KELVANE_ROOT build seconds artifacts work
# Each fuzzer uses one core: as many run at once as there are cores.
printf '%s\n' $targets | xargs -P "$(nproc)" -I{} bash -c 'fuzz_one "$1"' _ {}
