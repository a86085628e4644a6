#!/usr/bin/env bash
# LoadImage and LoadAnimImage on files made here with ImageMagick: PNG, BMP
# and JPEG pictures chosen by extension, a strip of frames, and broken or
# hostile files (empty, truncated, corrupt, huge or zero sizes in the header,
# the wrong kind for the extension), which must load as 0.
#   image_files.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../../scripts/win32-support.sh"
skip_without_win32
bin="$1"; programs="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
winerun="$here/../../scripts/winerun"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# 3 x 2: red, green, blue / white, black, (10, 20, 30).
printf 'P6\n3 2\n255\n\377\0\0\0\377\0\0\0\377\377\377\377\0\0\0\n\024\036' >pic.ppm
convert pic.ppm PNG24:pic.png
convert pic.ppm BMP3:pic.bmp
cp pic.png PIC2.PNG
cp pic.bmp pic.gif
cp pic.png noext
: >empty.png
head -c 40 pic.png >truncated.png
# Signature and header of a real file, then an image data chunk whose
# compressed stream is not one, then the end chunk.
{ head -c 33 pic.png; printf '\0\0\0\010IDAT\377\377\377\377\377\377\377\377\0\0\0\0\0\0\0\0IEND\256B`\202'; } >corrupt.png
cp pic.png huge.png
printf '\0\001\206\240' | dd of=huge.png bs=1 seek=16 conv=notrunc status=none
bmp_header() { # width height (as 4 little-endian bytes each, octal escapes)
    printf 'BM\066\0\0\0\0\0\0\0\066\0\0\0\050\0\0\0'"$1$2"'\001\0\030\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
}
{ bmp_header '\100\102\017\0' '\100\102\017\0'; head -c 100 /dev/zero; } >huge.bmp
{ bmp_header '\0\0\0\0' '\005\0\0\0'; head -c 100 /dev/zero; } >zero.bmp
cp pic.png png_named.bmp
cp pic.png png_named.jpg
convert -size 16x16 'xc:rgb(200,40,90)' -quality 95 solid.jpg
cp solid.jpg solid.JPEG
# 100 x 64 holds 3 x 2 whole 32 x 32 cells; cell k has red k + 1.
draw=()
for k in 0 1 2 3 4 5; do
    x=$((k % 3 * 32)); y=$((k / 3 * 32))
    draw+=(-fill "rgb($((k + 1)),0,0)" -draw "rectangle $x,$y $((x + 31)),$((y + 31))")
done
convert -size 100x64 xc:black "${draw[@]}" PNG24:strip.png

"$winerun" "$bin/vornrun.exe" "$programs/image_files.img" >out.txt 2>err.txt </dev/null
code=$?
status=0
[ "$code" = 0 ] || { echo "exit code $code, expected 0"; cat err.txt; status=1; }
diff -u "$here/image_files.out" <(tr -d '\r' <out.txt) || { echo "output differs (expected vs got above)"; status=1; }
exit $status
