# Sourced by the packaging tests: a skip when a tool is missing, and checks
# that say what they expected.
set -euo pipefail

# Exit code CTest counts as "skipped".
SKIP=77

require_tool() { # TOOL DEBIAN-PACKAGE
    if ! command -v "$1" >/dev/null 2>&1; then
        # CI sets everything up first: a missing tool there is a fault, not a skip.
        [ "${CI:-}" != true ] || fail "$1 is not installed (Debian package $2)"
        echo "SKIPPED: $1 is not installed (Debian package $2; scripts/setup.sh installs it)"
        exit "$SKIP"
    fi
}

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# has_line TEXT LINE: TEXT holds LINE exactly, as one whole line.
has_line() {
    grep -qxF -- "$2" <<<"$1" || fail "expected the line [$2] in:
$1"
}

# has_text TEXT PART: TEXT holds PART somewhere.
has_text() {
    grep -qF -- "$2" <<<"$1" || fail "expected [$2] in:
$1"
}
