#!/usr/bin/env bash
# Seed corpora for the fuzz targets, from the console fonts, X11 fonts and
# DejaVu that scripts/deps.sh installs, and a small BDF written here.
#   fuzz/make-seeds.sh FOLDER
set -euo pipefail
out=${1:?folder}
rm -rf "$out"
mkdir -p "$out"/{psf,gunzip,font_source,glyph_range,command_decoder,cli_arguments}

consolefonts=/usr/share/consolefonts
misc=/usr/share/fonts/X11/misc
for font in Uni1-VGA8 Uni1-VGA16 Lat2-Terminus16 Lat15-Fixed13; do
    gzip -dc "$consolefonts/$font.psf.gz" >"$out/psf/$font.psf"
    cp "$out/psf/$font.psf" "$out/font_source/"
    cp "$consolefonts/$font.psf.gz" "$out/gunzip/"
done
# A PSF 1 without a table: the first 4 + 256 x 8 bytes of an 8-row font,
# its mode byte cleared.
head -c $((4 + 256 * 8)) "$out/psf/Uni1-VGA8.psf" | { printf '\x36\x04\x00\x08'; tail -c +5; } \
    >"$out/psf/no-table.psf"

cat >"$out/font_source/tiny.bdf" <<'BDF'
STARTFONT 2.1
FONT -fuzz-tiny-medium-r-normal--9-90-75-75-c-80-iso10646-1
SIZE 9 75 75
FONTBOUNDINGBOX 12 9 0 -2
STARTPROPERTIES 2
FONT_ASCENT 7
FONT_DESCENT 2
ENDPROPERTIES
CHARS 2
STARTCHAR A
ENCODING 65
SWIDTH 666 0
DWIDTH 6 0
BBX 5 7 0 0
BITMAP
20
50
88
88
F8
88
88
ENDCHAR
STARTCHAR g
ENCODING 103
SWIDTH 666 0
DWIDTH 6 0
BBX 4 6 1 -2
BITMAP
70
90
90
70
10
E0
ENDCHAR
ENDFONT
BDF
bdftopcf "$out/font_source/tiny.bdf" >"$out/font_source/tiny.pcf"
for font in 5x7 6x13; do
    gzip -dc "$misc/$font.pcf.gz" >"$out/font_source/$font.pcf"
    cp "$misc/$font.pcf.gz" "$out/gunzip/"
done
cp /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf "$out/font_source/"

printf '0x41-0x5A' >"$out/glyph_range/range"
printf '65' >"$out/glyph_range/one"
printf '0x80-' >"$out/glyph_range/open"
head -c 300 "$out/psf/Uni1-VGA16.psf" >"$out/glyph_range/font"

# The decoder's input: a model byte, then chunks of a length byte (top bit:
# the line goes quiet after it) and that many line bytes.
printf '\x00\x0bHello world\x82\x0d\x0a' >"$out/command_decoder/text"
printf '\x01\x03\x1b\x40\x0c\x85ABC\x1b\x05' >"$out/command_decoder/escapes"
{ printf '\x00\x7f'; head -c 127 "$out/psf/Uni1-VGA8.psf"; } >"$out/command_decoder/binary"
# Argument lists, the arguments separated by NUL bytes.
printf 'font.bin\0--width\0008\0--height=0x10' >"$out/cli_arguments/geometry"
printf 'font.bin\0out.c\0--glyphs\000-1\0--center' >"$out/cli_arguments/flags"
printf -- '--width=\0--\0--height' >"$out/cli_arguments/malformed"
