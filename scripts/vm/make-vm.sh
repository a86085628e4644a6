#!/usr/bin/env bash
# Builds a Debian VM image for running the Wine suite on machines whose kernel
# cannot execute 32-bit code (and has no KVM): a bookworm root with the
# project's packages, a tiny init that runs a command file, and an ext4 image.
#   scripts/vm/make-vm.sh DIR
# Takes about 15 minutes and 4 GB. Then scripts/vm/run-in-vm.sh runs commands.
set -euo pipefail
dir="${1:?usage: make-vm.sh DIR}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mkdir -p "$dir"
command -v debootstrap >/dev/null && command -v qemu-system-x86_64 >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap qemu-system-x86 >/dev/null
root="$dir/root"
if [ ! -x "$root/bin/bash" ]; then
    debootstrap --variant=minbase \
        --include=linux-image-amd64,initramfs-tools,kmod,udev,procps,iproute2,python3,ca-certificates,sudo \
        bookworm "$root" http://deb.debian.org/debian
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
# debootstrap writes no hosts file; the network tests resolve "localhost".
grep -qs localhost "$root/etc/hosts" || echo "127.0.0.1 localhost" >> "$root/etc/hosts"
cp "$here/../install-deps.sh" "$root/tmp/install-deps.sh"
for m in proc sys dev; do mount --bind "/$m" "$root/$m"; done
trap 'for m in proc sys dev; do umount "$root/$m" 2>/dev/null; done' EXIT
# Postinst scripts of i386 packages that run 32-bit tools fail here; that is harmless.
chroot "$root" bash /tmp/install-deps.sh || true
for m in proc sys dev; do umount "$root/$m"; done
trap - EXIT
install -m 755 "$here/vm-init" "$root/vm-init"
rm -f "$dir/root.img"
mkfs.ext4 -q -F -d "$root" "$dir/root.img" 16G
echo "VM image ready in $dir"
