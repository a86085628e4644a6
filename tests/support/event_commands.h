// The event and input command handlers, called in tests as compiled code
// would call them.
#pragma once

extern "C" {
__attribute__((stdcall)) int PeekEvent();
__attribute__((stdcall)) int WaitEvent(int timeout);
__attribute__((stdcall)) int EventID();
__attribute__((stdcall)) int EventData();
__attribute__((stdcall)) int EventX();
__attribute__((stdcall)) int EventY();
__attribute__((stdcall)) int EventZ();
__attribute__((stdcall)) int EventSource();
__attribute__((stdcall)) void FlushEvents(int kind, int source);
__attribute__((stdcall)) void AutoSuspend(int enable);
__attribute__((stdcall)) void HotKeyEvent(int rawkey, int modifier, int id, int data, int x, int y, int z, int source);
__attribute__((stdcall)) int CreateTimer(float hertz);
__attribute__((stdcall)) void FreeTimer(int timer);
__attribute__((stdcall)) int TimerTicks(int timer);
__attribute__((stdcall)) int WaitTimer(int timer);
__attribute__((stdcall)) void ResetTimer(int timer);
__attribute__((stdcall)) void PauseTimer(int timer);
__attribute__((stdcall)) void ResumeTimer(int timer);
__attribute__((stdcall)) int KeyDown(int keycode);
__attribute__((stdcall)) int KeyHit(int keycode);
__attribute__((stdcall)) int GetKey();
__attribute__((stdcall)) int WaitKey();
__attribute__((stdcall)) void FlushKeys();
__attribute__((stdcall)) int MouseDown(int button);
__attribute__((stdcall)) int MouseHit(int button);
__attribute__((stdcall)) int GetMouse();
__attribute__((stdcall)) int WaitMouse();
__attribute__((stdcall)) void FlushMouse();
__attribute__((stdcall)) int MouseZ();
__attribute__((stdcall)) int MouseZSpeed();
}
