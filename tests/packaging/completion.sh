#!/usr/bin/env bash
# completion.sh COMPLETION-SCRIPT
# The bash completion offers the commands, each command's options, file
# names and the product names the program lists, spaces and all; a stand-in
# program lists them.
source "$(dirname "$0")/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/files"
printf '#!/bin/sh\n[ "$*" = "list --names" ] && printf "%%s\\n" "Frobnicator Pro" "frobnicator lite" Zapper\n' \
    >"$work/bin/kelvanesubmit"
chmod +x "$work/bin/kelvanesubmit"
: >"$work/files/pad one.xml"
: >"$work/files/pad two.xml"
export PATH="$work/bin:$PATH"
source "$1"
cd "$work/files"
# compopt works only while bash is completing a line.
compopt() { :; }

# offers EXPECTED WORD...: completing the last WORD offers EXPECTED, one a
# line in byte order.
offers() {
    local expected=$1
    shift
    COMP_WORDS=(kelvanesubmit "$@") COMP_CWORD=$#
    _kelvanesubmit
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort)
    [ "$got" = "$expected" ] || fail "[kelvanesubmit $*] offered:
$got
instead of:
$expected"
}

offers $'history\nlist\npad\nset\nshow\nsites' ""
offers $'--check-install' --c
offers $'check\nexport\nimport' pad ""
offers $'--file\n--help\n--json\n--release-date\n--strict' set Zapper --
offers $'--help\n--json\n--product\n--report' sites check --
offers $'Frobnicator Pro\nfrobnicator lite' show FR
offers $'Frobnicator Pro' pad export '"Frobnicator P'
offers $'Zapper' history --product z
offers $'pad one.xml\npad two.xml' pad export Zapper -o pad
offers $'pad one.xml' set Zapper --file = 'pad\ o'
offers $'Zapper' set --file = x.exe z
offers $'today' set Zapper --release-date t
# After the name come ELEMENT=VALUE pairs: no more names.
offers "" set Zapper Program_Version = 2.1 ""
echo "completion checked"
