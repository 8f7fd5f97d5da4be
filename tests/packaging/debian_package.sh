#!/usr/bin/env bash
# debian_package.sh BUILD-FOLDER VERSION
# Builds the Debian package with CPack into a temporary folder and reads it
# back: name, version, computed Qt 6 dependencies, the installed files, and
# no maintainer scripts. Then dpkg installs it into a folder of its own (its
# own package database, the machine's left alone), the installed program
# finds its files, and dpkg removes it leaving nothing behind, not even the
# package's record in state "rc".
source "$(dirname "$0")/common.sh"
require_tool dpkg-deb dpkg
require_tool dpkg-shlibdeps dpkg-dev
require_tool file file
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
         ./usr/share/metainfo/io.kelvane.KelvaneSubmit.metainfo.xml \
         ./usr/share/man/man1/kelvanesubmit.1.gz \
         ./usr/share/bash-completion/completions/kelvanesubmit; do
    has_line "$files" "$f"
done
# Tests, benchmarks and the test libraries stay out.
if grep -vE '^\./usr/(bin/kelvanesubmit|lib/kelvanesubmit/|share/(kelvanesubmit|applications|icons|metainfo|man|bash-completion)/|$)|/$' <<<"$files"; then
    fail "unexpected files in the package"
fi
# No postinst or postrm: the private libraries need no ldconfig.
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sort | tr '\n' ' ')
[ "$control" = "./control ./md5sums " ] || fail "the control archive holds: $control"
# dpkg's own checks look for its helper programs on PATH.
export PATH="$PATH:/usr/local/sbin:/usr/sbin:/sbin"
root="$work/root"
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
: >"$root/var/lib/dpkg/status"
dpkgr() {
    dpkg --root="$root" --force-not-root --force-depends --log=/dev/null "$@"
}
dpkgr -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i"; }
for f in usr/bin/kelvanesubmit usr/lib/kelvanesubmit/KelvaneSubmit-sitecheck \
         usr/lib/kelvanesubmit/KelvaneSubmit.dll; do
    has_text "$(file -b "$root/$f")" ", stripped"
done
page="$root/usr/share/man/man1/kelvanesubmit.1.gz"
gzip -t "$page" || fail "the manual page is no whole gzip file"
has_text "$(zcat "$page")" ".TH KELVANESUBMIT 1 "
export HOME="$work/home" XDG_DATA_HOME="$work/home/share" XDG_CONFIG_HOME="$work/home/config"
export XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
out=$("$root/usr/bin/kelvanesubmit" --check-install 2>&1) || fail "the packaged program: $out"
has_line "$out" "Site library: $root/usr/lib/kelvanesubmit/KelvaneSubmit.dll"
has_line "$out" "Help: $root/usr/share/kelvanesubmit/KelvaneSubmit.html"
has_line "$out" "Catalogue: 0 products, 10 sites"

dpkgr -r kelvanesubmit >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -r"; }
left=$([ ! -d "$root/usr" ] || find "$root/usr" ! -type d -o -path '*kelvane*')
[ -z "$left" ] || fail "dpkg -r left files behind:
$left"
if state=$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${db:Status-Abbrev}' kelvanesubmit 2>&1); then
    fail "dpkg -r left the package in state [$state]"
fi
echo "$info"
