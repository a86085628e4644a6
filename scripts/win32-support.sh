# Sourced by the scripts that run Windows programs under Wine. Wine runs our
# 32-bit programs through its 32-bit loader, which needs a kernel that can
# execute 32-bit x86 code; some kernels have that switched off
# (ia32_emulation=off). There nothing of ours can run, so the tests that need
# it report "skipped" (exit code 77) with the reason instead of failing.
win32_supported() {
    /lib/ld-linux.so.2 --version >/dev/null 2>&1
}
skip_without_win32() {
    if ! win32_supported; then
        echo "skipped: this machine cannot run 32-bit x86 programs (the kernel's 32-bit emulation is off)"
        exit 77
    fi
}

# await_program PID SECONDS: waits that long for a background program to end;
# its exit code in $code. A program still running then is ended and
# reported, with exit code "running".
await_program() {
    for _ in $(seq $(($2 * 10))); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$1" 2>/dev/null; then
        echo "the program did not end within $2 s"
        kill "$1"; wait "$1"; code=running
    else
        wait "$1"; code=$?
    fi
}
