#!/usr/bin/env bash
# Movies made here with gst-launch-1.0: Motion-JPEG in AVI, four frames of
# solid colours (from ImageMagick pictures), with and without a sound track,
# and files that are no movie (empty, truncated, text). The program draws
# them and reads the colours back.
#   movie_playback.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../../scripts/win32-support.sh"
skip_without_win32
if ! command -v gst-launch-1.0 >/dev/null; then
    echo "gst-launch-1.0 (gstreamer1.0-tools) is not installed: no test movies"
    exit 77
fi
bin="$1"; programs="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
winerun="$here/../../scripts/winerun"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

i=0
for colour in red lime blue white; do
    convert -size 64x48 "xc:$colour" -quality 95 "frame$i.jpg"
    i=$((i + 1))
done
frames=(multifilesrc location=frame%d.jpg index=0 stop-index=3 caps=image/jpeg,framerate=10/1
        ! jpegdec ! videoconvert ! jpegenc quality=95)
gst-launch-1.0 -q "${frames[@]}" ! avimux ! filesink location=colours.avi >/dev/null 2>&1 || exit 1
gst-launch-1.0 -q "${frames[@]}" ! avimux name=mux ! filesink location=sound.avi \
    audiotestsrc num-buffers=4 samplesperbuffer=4410 ! audio/x-raw,format=S16LE,rate=44100,channels=1 \
    ! mux. >/dev/null 2>&1 || exit 1
[ -s colours.avi ] && [ -s sound.avi ] || { echo "gst-launch-1.0 made no movies"; exit 1; }
: >empty.avi
head -c 300 colours.avi >truncated.avi
echo "not a movie" >text.avi

"$winerun" "$bin/vornrun.exe" "$programs/movie_playback.img" >out.txt 2>err.txt </dev/null
code=$?
status=0
[ "$code" = 0 ] || { echo "exit code $code, expected 0"; cat err.txt; status=1; }
diff -u "$here/movie_playback.out" <(tr -d '\r' <out.txt) || { echo "output differs (expected vs got above)"; status=1; }
exit $status
