#!/usr/bin/env bash
# check-web-zip.sh ZIP PAGE_DIR: the page's archive holds one folder, named
# after the archive, with exactly the page's files, each the same as in the
# page's folder.
set -uo pipefail
zip=$1 page=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

[ -f "$zip" ] || { echo "FAIL: $zip is missing"; exit 1; }
folder=$(basename "$zip" .zip)
unzip -q "$zip" -d "$work" || fail "$zip does not unpack"
files=(quellor.html quellor.js quellor.wasm tex1.bmp tex2.bmp tex3.bmp)
listed=$(cd "$work" && find . -type f | sort)
expected=$(printf "./$folder/%s\n" "${files[@]}" | sort)
[ "$listed" = "$expected" ] || fail "the archive holds: $(echo $listed)"
for file in "${files[@]}"; do
  cmp -s "$work/$folder/$file" "$page/$file" || fail "$folder/$file differs from $page/$file"
done
[ "$failed" = 0 ] && echo "$zip holds the page's six files in $folder/"
exit "$failed"
