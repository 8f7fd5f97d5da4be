#!/usr/bin/env bash
# debian_package.sh BUILD-FOLDER VERSION
# Builds the Debian package with CPack into a temporary folder and reads it
# back: name, version, computed Qt 6 dependencies, and the installed files.
source "$(dirname "$0")/common.sh"
require_tool dpkg-deb dpkg
require_tool dpkg-shlibdeps dpkg-dev
build=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work") >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb="$work/kelvanesubmit_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$work")"

info=$(dpkg-deb -f "$deb")
has_line "$info" "Package: kelvanesubmit"
has_line "$info" "Version: $version"
has_line "$info" "Section: devel"
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6webenginecore6 \
         libqt6webenginewidgets6 libc6 qt6-qpa-plugins; do
    grep -qE "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends lacks $p: $depends"
done
has_text "$(dpkg-deb -f "$deb" Description)" "PAD catalogue and submitter of software to download sites"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/kelvanesubmit \
         ./usr/lib/kelvanesubmit/KelvaneSubmit.dll \
         ./usr/lib/kelvanesubmit/KelvaneSubmit-sitecheck \
         ./usr/share/kelvanesubmit/KelvaneSubmit.html \
         ./usr/share/applications/io.kelvane.KelvaneSubmit.desktop \
         ./usr/share/icons/hicolor/scalable/apps/io.kelvane.KelvaneSubmit.svg \
         ./usr/share/icons/hicolor/48x48/apps/io.kelvane.KelvaneSubmit.png \
         ./usr/share/icons/hicolor/256x256/apps/io.kelvane.KelvaneSubmit.png \
         ./usr/share/metainfo/io.kelvane.KelvaneSubmit.metainfo.xml; do
    has_line "$files" "$f"
done
# Tests, benchmarks and the test libraries stay out.
if grep -vE '^\./usr/(bin/kelvanesubmit|lib/kelvanesubmit/|share/(kelvanesubmit|applications|icons|metainfo)/|$)|/$' <<<"$files"; then
    fail "unexpected files in the package"
fi
echo "$info"
