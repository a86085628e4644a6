// The buffer commands that need no screen: choosing the current buffer and
// locking buffers for direct access.
#include "gfx2d/k2d_graphics_driver.h"
#include "runtime/symbol_registration.h"
#include "system/kr_bank.h"

namespace {

K2DBuffer& lockedBuffer(int handle) {
    K2DBuffer* buffer = bufferArg(handle);
    if (!buffer->locked()) runtimeError("Buffer is not locked");
    return *buffer;
}

} // namespace

extern "C" {

__attribute__((stdcall)) int SetBuffer(int buffer) {
    K2DBuffer* next = bufferArg(buffer);
    K2DBuffer* previous = k2dGraphics().current();
    k2dGraphics().setCurrent(next);
    return toHandle(previous);
}

__attribute__((stdcall)) int GraphicsBuffer() { return toHandle(k2dGraphics().current()); }

__attribute__((stdcall)) void LockBuffer(int buffer) { bufferArg(buffer)->lock(); }
__attribute__((stdcall)) void UnlockBuffer(int buffer) { bufferArg(buffer)->unlock(); }
__attribute__((stdcall)) int LockedPitch(int buffer) { return lockedBuffer(buffer).lockedPitch(); }
__attribute__((stdcall)) int LockedFormat(int buffer) { return lockedBuffer(buffer).lockedFormat(); }
__attribute__((stdcall)) int LockedPixels(int buffer) { return toHandle(lockedBuffer(buffer).pixelBank()); }

} // extern "C"

KR_COMMAND(Graphics2D, "%SetBuffer%buffer", SetBuffer);
KR_COMMAND(Graphics2D, "%GraphicsBuffer", GraphicsBuffer);
KR_COMMAND(Graphics2D, "LockBuffer%buffer=0", LockBuffer);
KR_COMMAND(Graphics2D, "UnlockBuffer%buffer=0", UnlockBuffer);
KR_COMMAND(Graphics2D, "%LockedPitch%buffer=0", LockedPitch);
KR_COMMAND(Graphics2D, "%LockedFormat%buffer=0", LockedFormat);
KR_COMMAND(Graphics2D, "%LockedPixels%buffer=0", LockedPixels);
