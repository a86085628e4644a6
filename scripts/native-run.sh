#!/usr/bin/env bash
# Runs a command over the native 32-bit build, or reports it skipped (without
# failing) on a machine whose kernel cannot run 32-bit x86 programs.
. "$(dirname "$0")/win32-support.sh"
if ! win32_supported; then
    echo "native tests skipped: this machine cannot run 32-bit x86 programs (the kernel's 32-bit emulation is off)"
    exit 0
fi
exec "$@"
