#!/usr/bin/env bash
# Makes the sound files the audio tests read, with Debian's sox, oggenc and
# lame, into DIR. Each file comes with a raw twin (what its samples are, as
# 16-bit little-endian or unsigned 8-bit values) written by sox from the
# same data, so the tests check our decoders against an independent reading.
#   make_test_sounds.sh DIR
set -euo pipefail
dir="$1"
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$dir"
cd "$dir"
synth() { sox -q -n "$@"; }
raw16() { sox -q "$1" -t raw -e signed -b 16 -L "$2"; }

# 16-bit sources: a mono tone at the mixing rate, one at half of it, a
# stereo pair of different tones, a quiet tone for 256 channels at once.
synth -r 44100 -b 16 -c 1 tone44k.wav synth 1000s sine 440 vol 0.8
synth -r 22050 -b 16 -c 1 tone22k.wav synth 777s sine 300 vol 0.7
synth -r 44100 -b 16 -c 2 stereo.wav synth 900s sine 440 sine 1250 vol 0.6
synth -r 44100 -b 16 -c 1 quiet.wav synth 500s sine 700 vol 0.003
synth -r 32000 -b 16 -c 1 long.wav synth 1.3 sine 200 vol 0.5
for f in tone44k tone22k stereo quiet long; do raw16 $f.wav $f.raw; done

# Wider formats made from the 16-bit stereo source: widening is exact, so
# they decode to the source's own values.
sox -q stereo.wav -b 24 stereo24.wav
sox -q stereo.wav -b 32 -e signed stereo32.wav
sox -q stereo.wav -b 32 -e float stereo_float.wav
# 8-bit unsigned, with its own raw twin.
synth -r 11025 -b 8 -e unsigned -c 1 tone8.wav synth 300s square 200 vol 0.5
sox -q tone8.wav -t raw -e unsigned -b 8 tone8.raw

# Compressed: Ogg Vorbis and MP3 with their reference decodes.
oggenc -Q -o song.ogg long.wav
oggdec -Q -o song_ref.wav song.ogg
raw16 song_ref.wav song_ref.raw
lame --quiet -b 128 long.wav song.mp3
# IMA ADPCM in a WAV file (decoded by the platform codec), with sox's decode.
sox -q long.wav -e ima-adpcm ima.wav
raw16 ima.wav ima_ref.raw
# Tracker modules, one per format, written by our own script.
python3 "$here/make_modules.py" .
