// The 2D-group commands that read the event queue (PeekEvent, WaitEvent and
// the fields of the last event) and the keyboard and mouse polling commands.
// Every polling command first lets the pump take in what the platform has.
#include "events/que_filter.h"
#include "gfx2d/k2d_event_filter.h"
#include "runtime/symbol_registration.h"

extern "C" {

__attribute__((stdcall)) int PeekEvent() { return nextEvent(nullptr, 0, false); }

__attribute__((stdcall)) int WaitEvent(int timeout) {
    EventRecord& last = inputState().lastEvent;
    last = EventRecord();
    return nextEvent(&last, timeout, true);
}

__attribute__((stdcall)) int EventID() { return inputState().lastEvent.id; }
__attribute__((stdcall)) int EventData() { return inputState().lastEvent.data; }
__attribute__((stdcall)) int EventX() { return inputState().lastEvent.x; }
__attribute__((stdcall)) int EventY() { return inputState().lastEvent.y; }
__attribute__((stdcall)) int EventZ() { return inputState().lastEvent.z; }
__attribute__((stdcall)) int EventSource() { return inputState().lastEvent.source; }

__attribute__((stdcall)) int KeyDown(int keycode) {
    pollEvents();
    return inputState().keyDown[keycode & 0xFF];
}

__attribute__((stdcall)) int KeyHit(int keycode) {
    pollEvents();
    int& hits = inputState().keyHits[keycode & 0xFF];
    int n = hits;
    hits = 0;
    return n;
}

__attribute__((stdcall)) int GetKey() {
    pollEvents();
    return inputState().characters.pop();
}

__attribute__((stdcall)) int WaitKey() {
    pollEvents();
    while (inputState().characters.empty()) nextEvent(nullptr, -1, true);
    return GetKey();
}

__attribute__((stdcall)) void FlushKeys() {
    pollEvents();
    inputState().clearKeys();
}

__attribute__((stdcall)) int MouseDown(int button) {
    pollEvents();
    return inputState().buttonDown[button & 3];
}

__attribute__((stdcall)) int MouseHit(int button) {
    pollEvents();
    int& hits = inputState().buttonHits[button & 3];
    int n = hits;
    hits = 0;
    return n;
}

__attribute__((stdcall)) int GetMouse() {
    pollEvents();
    return inputState().buttons.pop();
}

__attribute__((stdcall)) int WaitMouse() {
    pollEvents();
    while (inputState().buttons.empty()) nextEvent(nullptr, -1, true);
    return GetMouse();
}

__attribute__((stdcall)) void FlushMouse() {
    pollEvents();
    inputState().clearMouse();
}

__attribute__((stdcall)) int MouseZ() {
    pollEvents();
    return inputState().wheel;
}

__attribute__((stdcall)) int MouseZSpeed() {
    pollEvents();
    InputState& s = inputState();
    int speed = s.wheel - s.wheelRead;
    s.wheelRead = s.wheel;
    return speed;
}

}

KR_COMMAND(Graphics2D, "%PeekEvent", PeekEvent);
KR_COMMAND(Graphics2D, "%WaitEvent%timeout=-1", WaitEvent);
KR_COMMAND(Graphics2D, "%EventID", EventID);
KR_COMMAND(Graphics2D, "%EventData", EventData);
KR_COMMAND(Graphics2D, "%EventX", EventX);
KR_COMMAND(Graphics2D, "%EventY", EventY);
KR_COMMAND(Graphics2D, "%EventZ", EventZ);
KR_COMMAND(Graphics2D, "%EventSource", EventSource);
KR_COMMAND(Graphics2D, "%KeyDown%keycode", KeyDown);
KR_COMMAND(Graphics2D, "%KeyHit%keycode", KeyHit);
KR_COMMAND(Graphics2D, "%GetKey", GetKey);
KR_COMMAND(Graphics2D, "%WaitKey", WaitKey);
KR_COMMAND(Graphics2D, "%KeyWait", WaitKey);
KR_COMMAND(Graphics2D, "FlushKeys", FlushKeys);
KR_COMMAND(Graphics2D, "%MouseZ", MouseZ);
KR_COMMAND(Graphics2D, "%MouseZSpeed", MouseZSpeed);
KR_COMMAND(Graphics2D, "%MouseDown%button", MouseDown);
KR_COMMAND(Graphics2D, "%MouseHit%button", MouseHit);
KR_COMMAND(Graphics2D, "%GetMouse", GetMouse);
KR_COMMAND(Graphics2D, "%WaitMouse", WaitMouse);
KR_COMMAND(Graphics2D, "%MouseWait", WaitMouse);
KR_COMMAND(Graphics2D, "FlushMouse", FlushMouse);
