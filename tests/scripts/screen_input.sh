#!/usr/bin/env bash
# A windowed display on the X display: the flipped picture is read back from
# a screenshot of the root window, then pointer, click and key input sent
# with xdotool reaches the program's polling commands.
#   screen_input.sh BIN_DIR PROGRAM_DIR
. "$(dirname "$0")/../../scripts/win32-support.sh"
skip_without_win32
bin="$1"; programs="$2"
winerun="$(dirname "$0")/../../scripts/winerun"
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
[ -n "${DISPLAY:-}" ] || { echo "no X display"; exit 1; }

"$winerun" "$bin/screen_input_probe.exe" >"$work/out" 2>"$work/err" </dev/null &
pid=$!
for _ in $(seq 300); do grep -q ready "$work/out" 2>/dev/null && break; sleep 0.1; done
grep -q ready "$work/out" || { echo "the program did not open its display:"; cat "$work/out" "$work/err"; exit 1; }
sleep 0.5

# The client area is the blue region of the screenshot: its top-left corner
# is the origin of the program's coordinates. A slow machine may show the
# window a little after the program says it is ready: a few tries.
for _ in $(seq 10); do
# ImageMagick keeps 16-bit samples unless told otherwise.
import -window root -depth 8 "$work/root.ppm"
read -r ox oy check < <(python3 - "$work/root.ppm" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
parts = data.split(maxsplit=4)
w, h = int(parts[1]), int(parts[2])
if parts[0] != b"P6" or parts[3] != b"255":
    print(-1, -1, "not-an-8-bit-ppm")
    sys.exit()
pix = parts[4]
def at(x, y):
    i = (y * w + x) * 3
    return tuple(pix[i:i + 3])
blue, red = (0, 0, 255), (255, 0, 0)
# The first blue pixel in reading order (a match that starts inside a pixel
# is skipped).
i = pix.find(bytes(blue))
while i > 0 and i % 3:
    i = pix.find(bytes(blue), i + 1)
if i < 0:
    print(-1, -1, "no-blue-area")
    sys.exit()
ox, oy = i // 3 % w, i // 3 // w
bad = []
for (x, y, want) in [(0, 0, blue), (159, 119, blue), (39, 30, blue), (40, 30, red), (59, 39, red),
                     (60, 39, blue), (59, 40, blue), (50, 35, red)]:
    if at(ox + x, oy + y) != want:
        bad.append("%d,%d=%s" % (x, y, at(ox + x, oy + y)))
print(ox, oy, ",".join(bad) or "ok")
PY
)
[ "$check" = no-blue-area ] || break
sleep 1
done
status=0
[ "$check" = ok ] || { echo "screenshot pixels differ: $check"; status=1; }

xdotool mousemove $((ox + 100)) $((oy + 50))
sleep 0.3
xdotool click 1
sleep 0.3
xdotool key a
wait "$pid"; code=$?; pid=""
got=$(tr -d '\r' <"$work/out")
want=$(printf 'ready\nmouse x: 100\nmouse y: 50\nsecond x speed: 0\nleft clicks: 1\nkey 30 hits: 1')
[ "$code" = 0 ] || { echo "exit code $code"; cat "$work/err"; status=1; }
[ "$got" = "$want" ] || { echo "printed:"; echo "$got"; echo "expected:"; echo "$want"; status=1; }
exit $status
