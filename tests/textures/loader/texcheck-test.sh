#!/usr/bin/env bash
# texcheck-test.sh TOOL BMPSUITE: checks quellor-texcheck's output and status
# for files it loads, one it refuses, one that does not exist, its help and
# wrong command lines, and that the pictures it writes are the ones
# ImageMagick decodes.
set -uo pipefail
tool=$1
suite=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() { # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    echo "FAIL: $what"
    failed=$((failed + 1))
  fi
}

out=$("$tool" "$suite/g/pal8w125.bmp" "$work/pal8w125.ppm")
check "pal8w125.bmp loads" [ $? = 0 ]
check "pal8w125.bmp prints its size, not '$out'" [ "$out" = "125 62" ]
convert "$suite/g/pal8w125.bmp" "$work/reference.ppm"
check "pal8w125.bmp gives ImageMagick's picture" cmp -s "$work/pal8w125.ppm" "$work/reference.ppm"

"$tool" "$suite/g/pal8topdown.bmp" "$work/topdown.ppm" >/dev/null
convert "$suite/g/pal8.bmp" "$work/pal8.ppm"
check "pal8topdown.bmp gives pal8.bmp's picture" cmp -s "$work/topdown.ppm" "$work/pal8.ppm"

out=$("$tool" "$suite/g/pal8v5.bmp")
check "pal8v5.bmp is refused" [ $? = 1 ]
check "pal8v5.bmp prints the loader's text, not '$out'" [ "$out" = "Unknown DIB file format." ]

out=$("$tool" "$work/missing.bmp")
check "missing.bmp is refused" [ $? = 1 ]
check "missing.bmp prints the open-failure text, not '$out'" \
  [ "$out" = "Failed to open DIB file $work/missing.bmp." ]

"$tool" >/dev/null 2>&1
check "no arguments is a usage error" [ $? = 2 ]

for option in --help -h; do
  out=$("$tool" "$option" 2>&1)
  check "$option succeeds" [ $? = 0 ]
  check "$option prints the usage, not '$out'" [ "${out#usage: quellor-texcheck}" != "$out" ]
done
out=$("$tool" --frobnicate "$suite/g/pal8.bmp" 2>&1)
check "an unknown option is a usage error" [ $? = 2 ]
"$tool" a.bmp b.ppm c >/dev/null 2>&1
check "three files are a usage error" [ $? = 2 ]

# A file really named --help is still checked, as ./--help or after --.
cp "$suite/g/pal8w125.bmp" "$work/--help"
out=$(cd "$work" && "$tool" ./--help)
check "./--help is checked as a file, not '$out'" [ "$out" = "125 62" ]
out=$(cd "$work" && "$tool" -- --help "$work/after-dashes.ppm")
check "-- --help is checked as a file, not '$out'" [ "$out" = "125 62" ]
check "-- --help writes its picture" cmp -s "$work/after-dashes.ppm" "$work/pal8w125.ppm"

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
