#!/usr/bin/env bash
# Writes small bitmap files into OUTDIR that exercise the loader's own rules:
# odd row widths, packed files without a file header, core headers, colour
# tables of given lengths, pixel bits behind a gap, and files it must refuse.
#
#   make-loader-samples.sh OUTDIR
set -euo pipefail
out=${1:?output folder}
mkdir -p "$out"

bytes() {
  local v
  for v in "$@"; do
    # shellcheck disable=SC2059
    printf "\\x$(printf %02x $((v & 255)))"
  done
}
le16() { bytes $(($1)) $(($1 >> 8)); }
le32() { bytes $(($1)) $(($1 >> 8)) $(($1 >> 16)) $(($1 >> 24)); }

file_header() { # FILESIZE OFFBITS
  printf BM
  le32 "$1"
  le16 0
  le16 0
  le32 "$2"
}
info_header() { # WIDTH HEIGHT BITS COMPRESSION CLRUSED [PLANES]
  le32 40
  le32 "$1"
  le32 "$2"
  le16 "${6:-1}"
  le16 "$3"
  le32 "$4"
  le32 0
  le32 2835
  le32 2835
  le32 "$5"
  le32 0
}
core_header() { # WIDTH HEIGHT BITS [PLANES]
  le32 12
  le16 "$1"
  le16 "$2"
  le16 "${4:-1}"
  le16 "$3"
}
quads() { # COUNT: a colour table of distinct RGBQUADs
  local i
  for ((i = 0; i < $1; i++)); do bytes $((i * 61 + 7)) $((i * 23 + 90)) $((255 - i * 17)) 0; done
}
triples() { # COUNT: the same colours as RGBTRIPLEs
  local i
  for ((i = 0; i < $1; i++)); do bytes $((i * 61 + 7)) $((i * 23 + 90)) $((255 - i * 17)); done
}
# Rows of WIDTH pixels of BITS bits (1, 4, 8, 16, 24 or 32), each padded to
# a multiple of 4 bytes, with a pattern that differs per row and column.
rows() { # WIDTH HEIGHT BITS
  local width=$1 height=$2 bits=$3 y x
  local row_bytes=$(((width * bits + 31) / 32 * 4))
  for ((y = 0; y < height; y++)); do
    for ((x = 0; x < row_bytes; x++)); do
      if ((x * 8 < width * bits)); then
        bytes $(((x * 37 + y * 91 + 11) ^ (x * y)))
      else
        bytes 0
      fi
    done
  done
}
# Same pattern, but every index fits a table of COUNT entries.
index_rows() { # WIDTH HEIGHT COUNT
  local width=$1 height=$2 count=$3 y x
  local row_bytes=$(((width + 3) / 4 * 4))
  for ((y = 0; y < height; y++)); do
    for ((x = 0; x < row_bytes; x++)); do
      if ((x < width)); then bytes $(((x * 7 + y * 3) % count)); else bytes 0; fi
    done
  done
}

# 24-bit files with a file header, widths 1, 2, 3 and 5 (rows of 3, 6, 9 and 15
# bytes in the result) and a wider one.
for w in 1 2 3 5 17; do
  size=$((54 + (w * 3 + 3) / 4 * 4 * 3))
  { file_header $size 54; info_header "$w" 3 24 0 0; rows "$w" 3 24; } >"$out/rgb24-width$w.bmp"
done
# 1-, 4- and 8-bit files with full colour tables.
for bits in 1 4 8; do
  colours=$((1 << bits))
  offset=$((54 + 4 * colours))
  { file_header 0 $offset; info_header 9 4 "$bits" 0 0; quads $colours; rows 9 4 "$bits"; } \
    >"$out/pal$bits.bmp"
done
# The pixel bits lie at bfOffBits, 20 bytes behind the colour table.
{ file_header 0 $((54 + 64 + 20)); info_header 6 3 4 0 0; quads 16; bytes $(seq 1 20); rows 6 3 4; } \
  >"$out/pal4-gap.bmp"
# Packed DIBs: no file header, the bits follow the colour table.
{ info_header 7 3 8 0 0; quads 256; index_rows 7 3 256; } >"$out/packed-pal8.bmp"
{ info_header 7 3 8 0 2; quads 2; index_rows 7 3 2; } >"$out/packed-pal8-2colours.bmp"
{ info_header 5 2 24 0 3; quads 3; rows 5 2 24; } >"$out/packed-rgb24-clrused3.bmp"
{ info_header 5 2 16 0 0; rows 5 2 16; } >"$out/packed-rgb16.bmp"
{ info_header 5 2 32 0 0; rows 5 2 32; } >"$out/packed-rgb32.bmp"
# 16-bit pixels with channel masks behind the header: 5-6-5, masks with gaps,
# narrow channels of 2, 3 and 1 bits, and no blue channel at all.
bitfields() { # NAME RED GREEN BLUE
  { info_header 6 2 16 3 0; le32 "$2"; le32 "$3"; le32 "$4"; rows 6 2 16; } >"$out/$1.bmp"
}
bitfields packed-bitfields-565 0xF800 0x07E0 0x001F
bitfields packed-bitfields-gaps 0xF00F 0x0F00 0x00F0
bitfields packed-bitfields-231 0x30 0x0E 0x01
bitfields packed-bitfields-880 0xFF00 0x00FF 0
# Core headers, with and without a file header.
{ file_header 0 $((26 + 48)); core_header 6 3 4; triples 16; rows 6 3 4; } >"$out/core-pal4.bmp"
{ core_header 6 3 4; triples 16; rows 6 3 4; } >"$out/packed-core-pal4.bmp"
{ core_header 4 2 24; rows 4 2 24; } >"$out/packed-core-rgb24.bmp"
# Headers that give no planes, which GDI refuses.
{ file_header 0 54; info_header 3 2 24 0 0 0; rows 3 2 24; } >"$out/rgb24-planes0.bmp"
{ info_header 7 3 8 0 2 0; quads 2; index_rows 7 3 2; } >"$out/packed-pal8-planes0.bmp"
{ core_header 6 3 4 0; triples 16; rows 6 3 4; } >"$out/packed-core-pal4-planes0.bmp"
# Rows stored top row first.
{ file_header 0 54; info_header 3 -2 24 0 0; rows 3 2 24; } >"$out/rgb24-topdown.bmp"
# Run-length streams that stop before their end-of-bitmap escape: with no
# marker, cut inside an absolute run, after a run's count byte, inside a
# delta, right after an end of line, and after a delta that left its row.
# Three rows of six pixels, four colours.
rle() { # NAME BITS COMPRESSION STREAM-BYTES...
  local name=$1 bits=$2 compression=$3
  shift 3
  { file_header 0 $((54 + 16)); info_header 6 3 "$bits" "$compression" 4; quads 4; bytes "$@"; } \
    >"$out/$name.bmp"
}
rle rle8-no-marker 8 1 6 1 0 0 6 2 0 0 3 3
rle rle8-cut-in-absolute-run 8 1 6 1 0 0 2 2 0 4 1 2
rle rle8-cut-after-count 8 1 6 1 0 0 2 2 3
rle rle8-cut-in-delta 8 1 6 1 0 0 2 2 0 2 1
rle rle8-ends-on-end-of-line 8 1 6 1 0 0 6 2 0 0
rle rle8-delta-to-next-row 8 1 3 1 0 2 1 1 2 2
rle rle8-delta-along-row 8 1 6 1 0 0 2 2 0 2 1 0 2 3
rle rle4-no-marker 4 2 6 0x12 0 0 6 0x23 0 0 3 0x31
rle rle4-cut-in-absolute-run 4 2 6 0x12 0 0 0 5 0x12
# Files the loader refuses.
{ file_header 0 122; le32 108; bytes $(seq 1 104); rows 4 2 24; } >"$out/v4-header.bmp"
echo "This is a text file, not a bitmap." >"$out/text.bmp"
: >"$out/empty.bmp"
# A file that ends in the middle of its pixel bits.
{ file_header 0 54; info_header 64 64 24 0 0; rows 8 1 24; } >"$out/rgb24-short.bmp"
