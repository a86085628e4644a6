// The 2D drawing, pixel and buffer command handlers, called in tests as
// compiled code would call them.
#pragma once

class KrString;

extern "C" {
__attribute__((stdcall)) int SetBuffer(int buffer);
__attribute__((stdcall)) int GraphicsBuffer();
__attribute__((stdcall)) void LockBuffer(int buffer);
__attribute__((stdcall)) void UnlockBuffer(int buffer);
__attribute__((stdcall)) int LockedPitch(int buffer);
__attribute__((stdcall)) int LockedFormat(int buffer);
__attribute__((stdcall)) int LockedPixels(int buffer);
}
