#!/usr/bin/env bash
# Inside the test VM: runs the Windows suite of the tree this script belongs
# to (built on the host beforehand with `make`), as `make test` does.
#   scripts/vm/run-in-vm.sh DIR scripts/vm/suite-in-vm.sh 7200
# The tree is copied to the VM's disk and mounted over its own path, so that
# Wine maps nothing over 9p and the paths CTest recorded still hold. The Wine
# prefix lives on the VM's disk too and is made once. CTest's log is copied
# back to build/vm-LastTest.log.
set -u
tree="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export HOME=/root
grep -qs localhost /etc/hosts || echo "127.0.0.1 localhost" >> /etc/hosts
if [ ! -f /root/wp/system.reg ]; then
    echo "making the Wine prefix (once, several minutes)"
    WINEPREFIX=/root/wp WINEARCH=win32 WINEDLLOVERRIDES="mscoree=d;mshtml=d" wineboot -i >/dev/null 2>&1
    WINEPREFIX=/root/wp wineserver -w
fi
rm -rf /root/tree && cp -a "$tree" /root/tree && mount --bind /root/tree "$tree"
cd "$tree"
ln -sfn /root/wp build/wine
echo "suite starts $(date -u +%T)"
scripts/test-env.sh ctest --test-dir build/win -j2 --timeout 1500 --output-on-failure "$@"
echo "suite ends $(date -u +%T)"
cp build/win/Testing/Temporary/LastTest.log /root/LastTest.log
umount "$tree"
cp /root/LastTest.log "$tree/build/vm-LastTest.log"
