#!/usr/bin/env bash
# Builds a package with CPack and checks what it installs.
#
#   check-packages.sh deb LINUX_BUILD_DIR
#       the .deb, installed with dpkg into a scratch root: its files, its
#       metadata, what lintian says of it, the copyright, the changelogs and
#       the manual page, the desktop entry and the launcher
#   check-packages.sh zip WINDOWS_BUILD_DIR
#       the .zip: quellor.exe beside its textures and the licence, importing
#       system DLLs only (skipped, status 77, when the Windows build was not
#       configured)
set -uo pipefail

kind=${1:?deb or zip}
build_dir=${2:?build folder}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
workdir=$(mktemp -d /tmp/quellor-package.XXXXXX)
trap 'rm -rf "$workdir"' EXIT

fail() {
  echo "FAIL [$kind]: $*" >&2
  exit 1
}

make_package() { # GENERATOR
  cpack -G "$1" -B "$workdir/out" --config "$build_dir/CPackConfig.cmake" \
    >"$workdir/cpack.log" 2>&1 || { cat "$workdir/cpack.log" >&2; fail "cpack -G $1 failed"; }
  package=$(find "$workdir/out" -maxdepth 1 -type f -name "*.${1,,}" | head -1)
  [ -n "$package" ] || fail "cpack made no .${1,,} file"
}

same_file() { cmp -s "$1" "$2" || fail "$1 differs from $2"; }

# The MIT licence's text in LICENSE, without the note on the test images.
licence_text() { sed '/^---$/,$d' "$source_dir/LICENSE" | sed -n '/^Permission/,$p' | sed '$d'; }

# Fails unless FILE is compressed with gzip -9n: the most, and without the
# file's name or time (header flags and time stamp zero).
expect_gzip_9n() { # FILE
  file -b "$1" | grep -q "max compression" || fail "$1 is not compressed with gzip -9"
  [ "$(head -c 8 "$1" | od -An -tu1 | tr -s ' ')" = " 31 139 8 0 0 0 0 0" ] ||
    fail "$1 carries a file name or time stamp"
}

# Lintian must report neither errors nor warnings; its whole output is shown.
check_lintian() {
  command -v lintian >/dev/null || fail "lintian is not installed (./scripts/setup)"
  local report status
  report=$(lintian --fail-on error,warning --display-info "$package" 2>&1)
  status=$?
  echo "lintian: ${report:-no tags}"
  [ $status -eq 0 ] || fail "lintian reports errors or warnings (status $status)"
}

# The copyright in Debian's machine-readable format, under the MIT licence
# whose text is LICENSE's.
check_copyright() { # INSTALLED_FILE
  local format=https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
  head -1 "$1" | grep -qx "Format: $format" ||
    fail "the copyright file is not in the machine-readable format"
  grep -qx "Copyright: 2026 the Quellor developers" "$1" || fail "the copyright holder is missing"
  awk '/^License: Expat$/ {n++} n == 2 && !/^License:/ {sub(/^ /, ""); sub(/^\.$/, ""); print}' \
    "$1" >"$workdir/copyright-licence"
  licence_text | cmp -s - "$workdir/copyright-licence" ||
    fail "the licence text in the copyright file differs from LICENSE"
}

# The package's changelog names its version at the top; the program's names it
# in a heading.
check_changelogs() { # DOC_DIR VERSION
  local file
  for file in changelog.gz changelog.Debian.gz; do
    expect_gzip_9n "$1/$file"
  done
  zcat "$1/changelog.Debian.gz" >"$workdir/changelog.Debian"
  [ "$(dpkg-parsechangelog -l "$workdir/changelog.Debian" -S Version)" = "$2" ] ||
    fail "changelog.Debian.gz does not start with version $2"
  zcat "$1/changelog.gz" | grep -q "^## $2 " || fail "changelog.gz has no entry for version $2"
}

# man finds the page by name (lintian checks what groff makes of it).
check_manual_page() { # ROOT
  local page=$1/usr/share/man/man1/quellor.1.gz found
  expect_gzip_9n "$page"
  found=$(MANPATH=$1/usr/share/man man -w quellor 2>&1)
  [ "$found" = "$page" ] || fail "man quellor does not find the page: $found"
  MANPATH=$1/usr/share/man man quellor 2>/dev/null | grep -q "^EXIT STATUS" ||
    fail "man quellor does not show the page"
}

check_deb() {
  make_package DEB
  [ "$(basename "$package")" = "quellor_$(dpkg-deb -f "$package" Version)_amd64.deb" ] ||
    fail "unexpected package name $(basename "$package")"
  [ "$(dpkg-deb -f "$package" Package)" = quellor ] || fail "the package is not called quellor"
  dpkg-deb -f "$package" Depends | grep -q libsdl2 || fail "the package does not depend on SDL2"
  check_lintian

  # A real dpkg installation into an empty root; the libraries it depends on
  # are not there, which is all --force-depends lets pass.
  local root=$workdir/root
  mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
  : >"$root/var/lib/dpkg/status"
  dpkg --root="$root" --log=/dev/null --force-depends --force-not-root -i "$package" \
    >"$workdir/dpkg.log" 2>&1 || { cat "$workdir/dpkg.log" >&2; fail "dpkg could not install it"; }
  dpkg --root="$root" -s quellor 2>/dev/null | grep -q "^Status: install ok installed" ||
    fail "dpkg does not list quellor as installed"

  local expected=(
    usr/bin/quellor usr/libexec/quellor/quellor usr/libexec/quellor/quellor-display-guard
    usr/share/applications/quellor.desktop
    usr/share/icons/hicolor/scalable/apps/quellor.svg usr/share/quellor/tex1.bmp
    usr/share/quellor/tex2.bmp usr/share/quellor/tex3.bmp usr/share/doc/quellor/README.md
    usr/share/doc/quellor/copyright usr/share/doc/quellor/changelog.gz
    usr/share/doc/quellor/changelog.Debian.gz usr/share/man/man1/quellor.1.gz)
  local file
  for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || fail "/$file is not installed"
  done
  [ "$(dpkg --root="$root" -L quellor | while read -r f; do [ -f "$root$f" ] && echo "$f"; done |
    wc -l)" = ${#expected[@]} ] || fail "the package installs other files: $(dpkg --root="$root" -L quellor)"
  for file in tex1.bmp tex2.bmp tex3.bmp; do
    same_file "$root/usr/share/quellor/$file" "$build_dir/bin/$file"
  done
  [ -x "$root/usr/bin/quellor" ] && [ -x "$root/usr/libexec/quellor/quellor" ] ||
    fail "the launcher or the program is not executable"
  check_copyright "$root/usr/share/doc/quellor/copyright"
  check_changelogs "$root/usr/share/doc/quellor" "$(dpkg-deb -f "$package" Version)"
  check_manual_page "$root"

  local entry=$root/usr/share/applications/quellor.desktop
  grep -qx "Exec=quellor" "$entry" && grep -qx "Icon=quellor" "$entry" &&
    grep -qx "Type=Application" "$entry" && grep -qx "Name=Quellor" "$entry" ||
    fail "the desktop entry does not start the installed launcher with its icon"
  grep -q "<svg" "$root/usr/share/icons/hicolor/scalable/apps/quellor.svg" ||
    fail "the icon is not an SVG picture"

  # The launcher must start the program in the data directory. A stand-in
  # program reports where it was started and what it finds there.
  printf '#!/bin/sh\npwd\nls\n' >"$root/usr/libexec/quellor/quellor"
  local started
  started=$("$root/usr/bin/quellor") || fail "the launcher failed"
  [ "$(echo "$started" | head -1)" = "$(realpath "$root/usr/share/quellor")" ] ||
    fail "the launcher started the program in $(echo "$started" | head -1)"
  [ "$(echo "$started" | tail -n +2 | tr '\n' ' ')" = "tex1.bmp tex2.bmp tex3.bmp " ] ||
    fail "the program does not find its textures: $started"
}

check_zip() {
  if [ ! -f "$build_dir/CPackConfig.cmake" ]; then
    echo "SKIP [$kind]: no Windows build in $build_dir (cmake --preset mingw)"
    exit 77
  fi
  make_package ZIP
  unzip -q "$package" -d "$workdir/unzipped" || fail "the archive does not unpack"
  local top
  top=$(find "$workdir/unzipped" -mindepth 1 -maxdepth 1)
  [ "$(echo "$top" | wc -l)" = 1 ] || fail "the archive has more than one top folder"
  [ "$(cd "$top" && find . -type f | sort | tr '\n' ' ')" = \
    "./LICENSE.txt ./quellor.exe ./tex1.bmp ./tex2.bmp ./tex3.bmp " ] ||
    fail "the archive holds $(cd "$top" && find . -type f | tr '\n' ' ')"
  local file
  for file in tex1.bmp tex2.bmp tex3.bmp; do
    same_file "$top/$file" "$build_dir/bin/$file"
  done
  same_file "$top/LICENSE.txt" "$source_dir/LICENSE"
  # Windows itself provides every DLL the program needs.
  local dlls
  dlls=$(x86_64-w64-mingw32-objdump -p "$top/quellor.exe" | awk '/DLL Name:/ {print toupper($3)}' |
    sort | tr '\n' ' ')
  [ "$dlls" = "GDI32.DLL GLU32.DLL KERNEL32.DLL MSVCRT.DLL OPENGL32.DLL USER32.DLL " ] ||
    fail "quellor.exe imports $dlls"
}

case "$kind" in
deb) check_deb ;;
zip) check_zip ;;
*) fail "unknown package kind" ;;
esac
echo "PASS [$kind]"
