#!/usr/bin/env bash
# menu_entry_start.sh BUILD-FOLDER
# Installs the build into a fresh prefix and starts the command of the
# installed menu entry, as a desktop would, in a real window on a virtual X
# display: the window's title shows the ten sites of the installed library,
# and its WM_CLASS class is the entry's StartupWMClass, so a desktop ties the
# window to the entry.
source "$(dirname "$0")/common.sh"
require_tool xvfb-run xvfb
require_tool xwininfo x11-utils
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }

entry="$prefix/share/applications/io.kelvane.KelvaneSubmit.desktop"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ "$exec_line" = kelvanesubmit ] || fail "the menu entry runs [$exec_line]"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")

export HOME="$work/home" XDG_DATA_HOME="$work/home/share" XDG_CONFIG_HOME="$work/home/config"
export XDG_RUNTIME_DIR="$work/run" PATH="$prefix/bin:$PATH" QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export exec_line work
# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    $exec_line >"$work/out" 2>&1 &
    pid=$!
    for _ in $(seq 1 300); do
        window=$(xwininfo -root -tree 2>/dev/null | grep "sub\.sites" | head -n 1)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "$window" >"$work/window"
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    exit 0
' || fail "xvfb-run"
window=$(cat "$work/window")
[ -n "$window" ] || fail "no main window showed; the program said: $(cat "$work/out")"
has_text "$window" ":  10 sub.sites  :"
# xwininfo shows WM_CLASS as ("instance" "class").
has_text "$window" "(\"kelvanesubmit\" \"$wm_class\")"
echo "the menu entry started $window"
