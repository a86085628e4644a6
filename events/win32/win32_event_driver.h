// Win32EventDriver: the platform message pump on a fiber of its own.
//
// The program runs on the thread's own fiber, keeping the thread's stack (at
// least the 256 KB it is promised); the pump runs on a second fiber with a
// stack of its own, as large as what a default 1 MB thread stack leaves below
// those 256 KB, since window procedures (common dialogs, rich edit) can be
// deep. wait() switches to the pump, which dispatches what the
// thread's queue holds and switches back when the batch is done, or as soon
// as a window procedure raises an event that the catch filter lets through.
// The window procedure then sits paused on the pump's stack until the program
// waits again, so the program keeps running while a window sits in a modal
// loop.
//
// The end point of the run lies on the program's stack: an End or runtime
// error raised on the pump is carried over to the program's fiber and raised
// again there, inside the wait that switched to the pump.
#pragma once

#include <string>

#include "events/event_driver.h"

class Win32EventDriver : public KrEventDriver {
public:
    static constexpr unsigned kProgramStackSize = 0x40000;
    static constexpr unsigned kPumpStackSize = 0x100000 - kProgramStackSize;

    Win32EventDriver();

    bool startup() override;
    void shutdown() override;
    void wait(int timeout) override;

    bool onProgramContext() const { return !onPump_; }

    // Used by the catch filter on the pump during dispatch.
    void switchToProgram();
    void countSwitch() { ++switchCount_; }
    void setResumePending() { resumePending_ = true; }

private:
    static void __attribute__((stdcall)) pumpEntry(void* driver);
    static void returnToProgram(const char* errorMessage);
    [[noreturn]] void pumpLoop();
    void takeThreadMessage(unsigned message, unsigned wParam, int lParam);

    void* programFiber_ = nullptr;
    void* pumpFiber_ = nullptr;
    bool convertedThread_ = false;
    int timeout_ = 0;
    int switchCount_ = 0;
    bool resumePending_ = false;
    // An end path begun on the pump, to be taken again on the program's fiber.
    bool endPending_ = false;
    bool errorPending_ = false;
    std::string pendingMessage_;
};

Win32EventDriver& win32EventDriver();
