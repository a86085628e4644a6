#!/usr/bin/env bash
# Writes the seed corpora of the file-format fuzz targets (checked in under
# corpus/; rerun only to change them). Pictures come from ImageMagick, sounds
# from sox and oggenc, the rest is written byte by byte here. Each seed of a
# target whose first input byte chooses a file extension starts with it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seed() { mkdir -p "$here/corpus/$1"; { printf "$2"; cat "$3"; } > "$here/corpus/$1/$4"; }

# Pictures: the extension byte picks .bmp (0), .png (1), .jpg (2).
convert -size 7x5 gradient:red-blue "$work/g.png"
convert "$work/g.png" -type TrueColor "BMP3:$work/g24.bmp"
convert "$work/g.png" -type Palette -colors 4 "BMP3:$work/g8.bmp"
convert "$work/g.png" -define bmp:format=bmp4 -alpha on "$work/g32.bmp"
convert "$work/g.png" -quality 80 "$work/g.jpg"
convert "$work/g.png" -interlace JPEG -quality 50 "$work/p.jpg"
convert "$work/g.png" -type Palette "PNG8:$work/g8.png"
convert -size 3x2 xc:'#10203080' "PNG32:$work/a.png"
convert -size 4x4 pattern:gray50 -interlace PNG "$work/i.png"
seed image_files '\x00' "$work/g24.bmp" bmp24
seed image_files '\x00' "$work/g8.bmp" bmp8
seed image_files '\x00' "$work/g32.bmp" bmp32
seed image_files '\x01' "$work/g.png" png
seed image_files '\x01' "$work/g8.png" png_palette
seed image_files '\x01' "$work/a.png" png_alpha
seed image_files '\x01' "$work/i.png" png_interlaced
seed image_files '\x02' "$work/g.jpg" jpeg
seed image_files '\x02' "$work/p.jpg" jpeg_progressive

# Sounds: a few milliseconds of tone; the extension byte picks .wav (0) or .ogg (1).
for kind in "8:1:u8" "16:2:s16" "24:1:s24" "32:2:f32"; do
    IFS=: read -r bits channels name <<<"$kind"
    enc=signed-integer; [ "$name" = u8 ] && enc=unsigned-integer; [ "$name" = f32 ] && enc=floating-point
    sox -n -r 8000 -b "$bits" -e "$enc" -c "$channels" "$work/$name.wav" synth 0.01 sine 440
    seed wav_files '\x00' "$work/$name.wav" "$name"
done
sox -n -r 11025 -b 16 -c 2 "$work/t.wav" synth 0.05 sine 300
oggenc -Q -q 0 -o "$work/t.ogg" "$work/t.wav"
sox -n -r 8000 -b 16 -c 1 "$work/m.wav" synth 0.02 sine 500
oggenc -Q -q 2 -o "$work/m.ogg" "$work/m.wav"
seed vorbis_files '\x01' "$work/t.ogg" stereo
seed vorbis_files '\x01' "$work/m.ogg" mono

# MIDI: a format 0 file, a format 1 file with running status and a tempo
# change, and the same wrapped in RIFF (.rmi).
python3 - "$here/corpus/midi_files" <<'PY'
import struct, sys, os
out = sys.argv[1]
os.makedirs(out, exist_ok=True)
def track(events): return b'MTrk' + struct.pack('>I', len(events)) + events
def header(fmt, ntracks, division): return b'MThd' + struct.pack('>IHHH', 6, fmt, ntracks, division)
end = b'\x00\xff\x2f\x00'
t0 = b'\x00\x90\x3c\x40' + b'\x60\x80\x3c\x00' + b'\x00\xc0\x05' + b'\x81\x00\xb0\x07\x64' + end
tempo = b'\x00\xff\x51\x03\x07\xa1\x20' + b'\x00\xff\x03\x04name' + end
t1 = b'\x00\x91\x40\x50' + b'\x30\x44\x50' + b'\x30\x40\x00\x30\x44\x00' + b'\x00\xf0\x03\x7e\x7f\xf7' + b'\x10\xe1\x00\x40' + end
smf0 = header(0, 1, 96) + track(t0)
smf1 = header(1, 2, 480) + track(tempo) + track(t1)
smpte = header(0, 1, 0xE728) + track(t0)
rmi = b'RIFF' + struct.pack('<I', len(smf1) + 12) + b'RMIDdata' + struct.pack('<I', len(smf1)) + smf1
for name, data in [('format0', smf0), ('format1', smf1), ('smpte', smpte), ('rmi', rmi)]:
    open(os.path.join(out, name), 'wb').write(data)
PY

# Image tables: the first byte picks the table (0 data, 1 literals, 2
# libraries; for data, byte / 3 is the number of reads). Address fields hold
# offsets into the table.
python3 - "$here/corpus/image_tables" <<'PY'
import struct, sys, os
out = sys.argv[1]
os.makedirs(out, exist_ok=True)
def write(name, data): open(os.path.join(out, name), 'wb').write(data)
items = [(1, 42), (2, struct.unpack('<i', struct.pack('<f', -2.5))[0]), (4, 40), (4, 44), (0, 0)]
table = b''.join(struct.pack('<ii', k, v) for k, v in items) + b'12x\x00' + b'3.5\x00'
write('data', bytes([3 * 6]) + table)
lits = struct.pack('<III', 0, 8, 0) + b'\0' * 4 + b'hello\0\0\0' + b'\0' * 4 + b'\0\0\0\0'
write('literals', bytes([1]) + lits)
libs = b'nosuch.dll\0' + b'Fn\0' + struct.pack('<I', 0) + b'Other\0' + struct.pack('<I', 4) + b'\0' + b'libm.so.6\0' + b'cos\0' + struct.pack('<I', 8) + b'\0' + b'\0' + b'\0' * 16
write('libraries', bytes([2]) + libs)
PY
# The session service's wire protocol: a stranger's introduction, a player
# and a message to the host; a host's welcome, news and a datagram to a
# member. Events: 0 TCP bytes, 1 a datagram to the session socket, 2 one to
# the enumeration responder, 3 the peer closes.
python3 - "$here/corpus/session_wire" <<'PY'
import struct, sys, os
out = sys.argv[1]
os.makedirs(out, exist_ok=True)
MAGIC, VERSION, SESSION = 0x53474E56, 1, 0x11223344
def text(s): return struct.pack('<H', len(s)) + s
def frame(kind, body): return struct.pack('<IB', len(body) + 1, kind) + body
def tcp(b): return b''.join(bytes([0, len(b[i:i+255])]) + b[i:i+255] for i in range(0, len(b), 255))
def dgram(kind, body, to=1, last=1, port=5000): return bytes([to, last, port >> 8, port & 255, len(body)]) + body
def dhead(kind, session): return struct.pack('<IHBI', MAGIC, VERSION, kind, session)
hello = frame(1, struct.pack('<IH', MAGIC, VERSION) + text(b'fuzz') + struct.pack('<HH', 6000, 5000))
create = frame(7, struct.pack('<I', 1) + text(b'player'))
message = frame(11, struct.pack('<II', 1, 0) + b'hello')
leaving = frame(13, b'')
host = bytes([0]) + tcp(hello + create + message) + dgram(22, dhead(22, SESSION) + struct.pack('<III', 2, 1, 0) + b'hi', last=2) \
    + dgram(20, dhead(20, 0), to=2) + tcp(leaving) + bytes([3])
nodes = [(1, 0, 6000, 5000), (2, 0x7F000001, 6001, 5000)]
welcome = frame(2, struct.pack('<HIIIII', VERSION, SESSION, 2, 1, 1, len(nodes))
                + b''.join(struct.pack('<IIHH', *n) for n in nodes)
                + struct.pack('<I', 1) + struct.pack('<II', 1, 1) + text(b'hostplayer'))
joined = frame(5, struct.pack('<IIHH', 3, 0x7F000003, 6002, 5002))
created = frame(8, struct.pack('<III', 0, 4, 3) + text(b'other'))
hmsg = frame(11, struct.pack('<II', 1, 0) + b'to all')
member = bytes([1]) + tcp(welcome + joined + created + hmsg) \
    + dgram(22, dhead(22, SESSION) + struct.pack('<III', 1, 1, 0) + b'dg', last=1, port=5000) \
    + tcp(frame(6, struct.pack('<I', 3)) + frame(10, struct.pack('<I', 4))) + bytes([3])
refused = bytes([1]) + tcp(frame(3, struct.pack('<H', 1) + text(b'name')))
for name, data in [('host', host), ('member', member), ('refused', refused)]:
    open(os.path.join(out, name), 'wb').write(data)
PY
echo "seeds written under $here/corpus"
