#!/usr/bin/env bash
# The layer check passes on the tree as it is and fails on a copy of it with
# one upward include planted (a report form reaching into the match screen),
# naming the file, the line and both layers.
set -u
repo=${1:?usage: check-layers.sh REPO}
check="$repo/scripts/check-layers"
fail() { echo "FAIL: $*"; exit 1; }

out=$("$check" "$repo/src") || fail "the tree itself: $out"
[ "$out" = "layers: ok" ] || fail "unexpected output on the tree: $out"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp -r "$repo/src" "$tmp/src"
printf '#include "scoring/KuraList.h"\n' >> "$tmp/src/reports/ReportForm.h"
line=$(wc -l < "$tmp/src/reports/ReportForm.h")
out=$("$check" "$tmp/src")
rc=$?
[ $rc -eq 1 ] || fail "planted upward include: exit $rc, output: $out"
echo "$out" | grep -qxF "src/reports/ReportForm.h:$line: reports includes scoring/KuraList.h (scoring)" \
    || fail "planted upward include not named: $out"

# A file in a folder of no layer is refused too.
mkdir -p "$tmp/src/misc" && printf '#pragma once\n' > "$tmp/src/misc/Stray.h"
out=$("$check" "$tmp/src")
rc=$?
[ $rc -eq 2 ] || fail "file in no layer: exit $rc, output: $out"
echo "$out" | grep -qF "src/misc/Stray.h: in no layer" || fail "file in no layer not named: $out"
echo "ok"
