#!/usr/bin/env bash
# Runs a shell script inside the test VM made by make-vm.sh, under software
# emulation, with the host's /work shared at /work; its output goes to
# DIR/SCRIPT's base name with .log. Only for files under /work. One VM at a
# time: the image is locked while it runs.
#   scripts/vm/run-in-vm.sh DIR SCRIPT.sh [SECONDS]
#
# Notes from getting Wine to run this way:
# - TCG mis-emulates IRET to 32-bit code with SMAP on (kernel oops in
#   wineboot), hence -smap -smep -pku.
# - Keep the Wine prefix on the VM's own disk (link build/wine to /root/wp):
#   over 9p creating it takes far longer than Wine's boot wait.
# - Create the prefix once with `wineboot -i` and wait for it (5 minutes
#   here); programs started while it is being made fail to load kernel32.
# - Everything runs 10 to 50 times slower than natively: raise CTest's
#   --timeout accordingly.
# - Run programs from the VM's own disk, not from the share: Wine maps the
#   executables and libraries it loads, and mapped pages read over 9p
#   fault at random (suite-in-vm.sh copies the tree first).
# - Tried with qemu 7.2 and 10.0 (bookworm-backports); both run Wine.
set -euo pipefail
dir="$(cd "${1:?usage: run-in-vm.sh DIR SCRIPT [SECONDS]}" && pwd)"
script="$(realpath "${2:?}")"
name="$(basename "${script%.sh}")"
secs="${3:-3600}"
kernel=$(ls "$dir"/root/boot/vmlinuz-* | tail -1)
initrd=$(ls "$dir"/root/boot/initrd.img-* | tail -1)
timeout "$secs" qemu-system-x86_64 -machine q35 -accel tcg,thread=multi \
    -cpu max,-smap,-smep,-pku -smp 2 -m 10G \
    -kernel "$kernel" -initrd "$initrd" \
    -append "root=/dev/vda rw console=ttyS0 ia32_emulation=on init=/vm-init quiet panic=1 vmcmd=$script vmlog=$dir/$name.log" \
    -drive file="$dir/root.img",format=raw,if=virtio,cache=unsafe \
    -virtfs local,path=/work,mount_tag=work,security_model=passthrough,id=work \
    -nographic -no-reboot -nic none > "$dir/console.log" 2>&1
