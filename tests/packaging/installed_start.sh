#!/usr/bin/env bash
# installed_start.sh BUILD-FOLDER
# Installs the build into a fresh prefix whose path holds a space, starts the
# installed program with a fresh home and checks what it found: its site
# library (ten sites in the title), checker and help under the prefix, its
# data in the per-user folder, and nothing written under the prefix. Then the
# bad cases: an update waiting in the data folder wins, and a missing help
# file or library is named.
source "$(dirname "$0")/common.sh"
require_tool file file
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/pre fix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }

export HOME="$work/home" XDG_DATA_HOME="$work/home/share" XDG_CONFIG_HOME="$work/home/config"
export XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
program="$prefix/bin/kelvanesubmit"
data="$XDG_DATA_HOME/Kelvane Submit"
listing() { (cd "$prefix" && find . -printf '%p %s %T@\n' | sort); }

before=$(listing)
out=$("$program" --check-install 2>"$work/err") || fail "--check-install: $(cat "$work/err")"
[ "$before" = "$(listing)" ] || fail "the start wrote under the prefix:
$(diff <(echo "$before") <(listing))"
has_line "$out" "Data folder: $data"
has_line "$out" "Site library checker: $prefix/lib/kelvanesubmit/KelvaneSubmit-sitecheck"
has_line "$out" "Site library: $prefix/lib/kelvanesubmit/KelvaneSubmit.dll"
has_line "$out" "Help: $prefix/share/kelvanesubmit/KelvaneSubmit.html"
has_line "$out" "Catalogue: 0 products, 10 sites"
[ ! -e "$data/KelvaneSubmit.ini" ] || fail "--check-install wrote a settings file"
has_line "$("$program" --version)" "Kelvane Submit v1.0.0.0"
for size in 48 256; do
    has_text "$(file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/io.kelvane.KelvaneSubmit.png")" \
        "PNG image data, $size x $size,"
done

# A downloaded library waiting in the data folder is swapped in and used first.
cp "$prefix/lib/kelvanesubmit/KelvaneSubmit.dll" "$data/KelvaneSubmit_dll.dll"
out=$("$program" --check-install) || fail "--check-install with an update waiting"
has_line "$out" "Site library: $data/KelvaneSubmit.dll"
[ ! -e "$data/KelvaneSubmit_dll.dll" ] || fail "the waiting update was not swapped in"
rm "$data/KelvaneSubmit.dll"

rm "$prefix/share/kelvanesubmit/KelvaneSubmit.html"
if "$program" --check-install >"$work/out" 2>"$work/err"; then fail "a missing help file passed"; fi
has_line "$(cat "$work/err")" "Help file KelvaneSubmit.html not found in $prefix/bin, $prefix/share/kelvanesubmit."

rm "$prefix/lib/kelvanesubmit/KelvaneSubmit.dll"
if "$program" --check-install >"$work/out" 2>"$work/err"; then fail "a missing library passed"; fi
has_text "$(cat "$work/err")" "Unable to find 'KelvaneSubmit'  DLL. Giving up on application !"
has_text "$(cat "$work/err")" "looked in $data, $prefix/bin, $prefix/lib/kelvanesubmit"

code=0; "$program" stray >/dev/null 2>&1 || code=$?
[ $code -eq 2 ] || fail "a stray argument was not refused with exit code 2 (got $code)"
code=0; env -u DISPLAY -u QT_QPA_PLATFORM "$program" --no-such-option >/dev/null 2>"$work/err" || code=$?
[ $code -eq 2 ] || fail "an unknown option without a display did not end with exit code 2 (got $code)"
has_line "$(cat "$work/err")" "Unknown option 'no-such-option'."
echo "installed start checked in $prefix"
