#!/usr/bin/env bash
# validate.sh desktop FILE | metainfo FILE VERSION | manpage FILE
# The menu entry and the AppStream data pass their validators as they are
# installed; the release entry carries the project version. The manual page
# renders without a warning.
source "$(dirname "$0")/common.sh"
kind=$1 file=$2
case "$kind" in
desktop)
    require_tool desktop-file-validate desktop-file-utils
    out=$(desktop-file-validate "$file" 2>&1) || fail "desktop-file-validate: $out"
    # Hints are advice; warnings and errors are not let through.
    if grep -E ': (warning|error):' <<<"$out"; then fail "desktop-file-validate: $out"; fi
    ;;
metainfo)
    require_tool appstreamcli appstream
    out=$(appstreamcli validate --no-net "$file" 2>&1) || fail "appstreamcli: $out"
    has_text "$(cat "$file")" "<release version=\"$3\" date=\""
    ;;
manpage)
    require_tool groff groff-base
    out=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$file" 2>&1)
    [ -z "$out" ] || fail "groff: $out"
    ;;
*) fail "unknown kind $kind" ;;
esac
echo "$out"
