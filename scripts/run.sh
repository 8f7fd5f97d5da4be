#!/usr/bin/env bash
# Sets everything up, then starts the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
exec "$KELVANE_BUILD/bin/KelvaneSubmit"
