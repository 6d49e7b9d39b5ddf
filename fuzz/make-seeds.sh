#!/usr/bin/env bash
# Seed corpora for the fuzz targets, from the console fonts, X11 fonts and
# DejaVu that scripts/deps.sh installs, and a small BDF written here.
#   fuzz/make-seeds.sh FOLDER
set -euo pipefail
out=${1:?folder}
rm -rf "$out"
mkdir -p "$out"/{psf,gunzip,font_source,glyph_range,command_decoder,cli_arguments}
mkdir -p "$out"/{glyph_text,font_file,private_profile,download_replies,download_peer,byte_router}
mkdir -p "$out"/telnet

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

# The glyph text form: a geometry byte (0xB7: 16 x 16), then the text.
{ printf '\xb7'; for row in 0000000110000000 0000001001000000 0000010000100000 0000011111100000 \
    0000010000100000 0000010000100000; do printf '%s %s\r\n' "${row:0:8}" "${row:8}"; done; } \
    >"$out/glyph_text/letter"
printf '\x35..##..\n.#..#.\n#....#\n######' >"$out/glyph_text/dots"
# A font file: 8 x 16, two changes (codes 0x41 and 0x141), then the bytes.
{ printf '\x07\x0f\x02\x41\x00\xff\x41\x01\x10'; head -c 1024 "$out/psf/Uni1-VGA16.psf"; } \
    >"$out/font_file/vga16"
{ printf '\x1f\x07\x01\x00\x00\x55'; head -c 600 "$out/psf/Uni1-VGA8.psf"; } >"$out/font_file/wide"
# INI files: section, key and value, each ended by a NUL, then the file.
printf 'Display\0Model\0VF620\0; settings\r\n[Display]\r\nModel=VF510\r\nPort = 2\r\n\r\n[Text]\r\nLine1="Hello"\r\n' \
    >"$out/private_profile/replace"
printf 'New\0Key[VF510]|[VF620]\0on\0\xef\xbb\xbf[Display]\nPort=1\n[Empty]\nlast line' \
    >"$out/private_profile/add"
# The display's replies during a download: the file's length (two bytes),
# then reads, each a count and that many bytes.
printf '\x58\x02\x05\x1b\x05\x01\x02\x1d\x05\x1b\x05\x01\x01\x1e\x05\x1b\x05\x01\x02\x1d\x05\x1b\x05\x01\x00\x1f' \
    >"$out/download_replies/complete"
printf '\x0a\x00\x02\x1b\x05\x03\x01\x02\x1d\x00\x05\x1b\x05\x01\x00\x1f' >"$out/download_replies/split"
printf '\x0a\x00\x05\x1b\x05\x01\x02\x1c\x05\x1b\x06\x01\x02\x1a' >"$out/download_replies/faulty"
# vfdsim's download peer: fault, its frame and value, the header's area,
# length and geometry; then chunks (a length byte, top bit: the line goes
# quiet after it) of data frames, here the whole 10-byte file in one.
frame='\x1b\x0f\x01\x00\x41\x42\x43\x44\x45\x46\x47\x48\x49\x4a\x1d'
printf "\\x00\\x00\\x00\\x00\\x0a\\x00\\x10\\x10\\x8f$frame" >"$out/download_peer/one-frame"
printf "\\x07\\x01\\x02\\x00\\x0a\\x00\\x10\\x10\\x05$frame\\x0f$frame\\x8f$frame" \
    >"$out/download_peer/repeat"
printf "\\x0c\\x00\\x00\\x01\\x04\\x00\\x08\\x08\\x03\\x1b\\x02\\x01\\x85garbage" >"$out/download_peer/bad"
# The byte router: a model byte, then chunks of text, a header and a frame.
header='\x1b\x0c\x01\x01\x00\x0a\x00\x00\x00\x10\x10\x0d'
printf "\\x00\\x05Hello\\x9b$header$frame\\x02Z\\r" >"$out/byte_router/download"
printf '\x01\x06\x1b\x40\x1b\x0c\x01\x01\x83\x1b\x0c\x01\x01ABC' >"$out/byte_router/near-header"

# Telnet as a port server speaks it: negotiation, a COM port answer with a
# doubled 0xFF, data with 0xFF doubled, a notification, in chunks of 9.
printf '\x09\xff\xfd\x2c\xff\xfb\x00\xff\xfa\x2c\x09\x65\x00\x00\xff\xff\x80\xff\x09\xf0A\xff\xffB\xff\xfa\x2c\x6a\x07\x03\xff\xf0' \
    >"$out/telnet/server"
