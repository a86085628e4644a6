#!/usr/bin/env bash
# A played WAV comes out of the sound device: Wine's audio goes to ALSA, whose
# default device is made the `file` plugin for this run, so what the program
# plays lands in a file. The program plays a 1.3-second 200 Hz tone; the file
# must hold at least a second of 44.1 kHz 16-bit audio, and not silence.
# Skipped when Wine's audio never opened the ALSA device (no ALSA support).
#   sound_output_file.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../../scripts/win32-support.sh"
skip_without_win32
bin="$1"; programs="$2"
winerun="$(dirname "$0")/../../scripts/winerun"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cat > "$home/.asoundrc" <<CONF
pcm.!default {
    type file
    slave.pcm "null"
    file "$home/out.raw"
    format "raw"
}
CONF
out=$(HOME="$home" "$winerun" "$bin/vornrun.exe" "$programs/sound_play_wav.img" 2>&1 | tr -d '\r')
if [ "$out" != "played" ]; then
    echo "program output: $out (expected: played)"
    exit 1
fi
if [ ! -f "$home/out.raw" ]; then
    echo "skipped: Wine's sound output did not open the ALSA file device"
    exit 77
fi
size=$(stat -c %s "$home/out.raw")
loud=$(tr -d '\000' < "$home/out.raw" | wc -c)
echo "captured $size bytes, $loud of them not zero"
if [ "$size" -lt 88200 ]; then echo "expected at least 88200 bytes"; exit 1; fi
if [ "$loud" -lt $((size / 10)) ]; then echo "the capture is (nearly) silent"; exit 1; fi
