// The Win32 event driver: fibers, the pump loop and the thread messages of
// debugger hosts and timers.
#include "events/win32/win32_event_driver.h"

#include <windows.h>

#include "events/que_filter.h"
#include "events/timer.h"
#include "runtime/program_run.h"
#include "runtime/runtime_error.h"

namespace {

Win32EventDriver theDriver;

// Input, posted, timer, paint and hot-key messages wake the blocked pump;
// messages sent from other threads (QS_SENDMESSAGE) do not.
constexpr DWORD kWakeMask = 0xBF;

void giveToQueue(int id, int data = 0, int source = 0) {
    EventRecord record;
    record.id = id;
    record.data = data;
    record.source = source;
    queFilter().filterEvent(record);
}

// GetCurrentFiber reads the fiber from fs:[0x10], which GCC takes for an
// out-of-bounds read of a null array.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
void* currentFiber() { return GetCurrentFiber(); }
#pragma GCC diagnostic pop

} // namespace

Win32EventDriver& win32EventDriver() { return theDriver; }

Win32EventDriver::Win32EventDriver() { setup("Win32EventDriver"); }

bool Win32EventDriver::startup() {
    // The thread may already be a fiber when the host uses fibers itself; its
    // fiber then stays as it is after the run.
    if (IsThreadAFiber()) {
        programFiber_ = currentFiber();
        convertedThread_ = false;
    } else {
        programFiber_ = ConvertThreadToFiber(nullptr);
        if (!programFiber_) return false;
        convertedThread_ = true;
    }
    pumpFiber_ = CreateFiberEx(0, kPumpStackSize, 0, &Win32EventDriver::pumpEntry, this);
    if (!pumpFiber_) {
        if (convertedThread_) ConvertFiberToThread();
        return false;
    }
    // Ticks that a timer of an earlier run posted after that run had ended
    // would name objects that are gone.
    MSG stale;
    while (PeekMessageA(&stale, reinterpret_cast<HWND>(-1), kMessageTimerTick, kMessageTimerTick, PM_REMOVE)) {}
    onPump_ = false;
    timeout_ = 0;
    switchCount_ = 0;
    resumePending_ = false;
    endPending_ = errorPending_ = false;
    setCurrentEventDriver(this);
    setContextReturn(&Win32EventDriver::returnToProgram);
    return true;
}

// Runs on the program's fiber (the end path switches back first). A pump
// abandoned in the middle of a dispatch goes with its fiber.
void Win32EventDriver::shutdown() {
    setContextReturn(nullptr);
    setCurrentEventDriver(nullptr);
    if (pumpFiber_) DeleteFiber(pumpFiber_);
    pumpFiber_ = nullptr;
    if (convertedThread_) ConvertFiberToThread();
    convertedThread_ = false;
    programFiber_ = nullptr;
}

void Win32EventDriver::wait(int timeout) {
    if (onPump_ || !pumpFiber_) return;
    timeout_ = timeout;
    onPump_ = true;
    SwitchToFiber(pumpFiber_);
    if (endPending_) {
        endPending_ = false;
        if (errorPending_) {
            std::string message = std::move(pendingMessage_);
            raiseRuntimeError(message.c_str());
        }
        krEnd();
    }
}

void Win32EventDriver::switchToProgram() {
    onPump_ = false;
    SwitchToFiber(programFiber_);
}

void Win32EventDriver::returnToProgram(const char* errorMessage) {
    Win32EventDriver& driver = theDriver;
    if (!driver.onPump_) return;
    driver.endPending_ = true;
    driver.errorPending_ = errorMessage != nullptr;
    driver.pendingMessage_ = errorMessage ? errorMessage : "";
    // The pump's frames are abandoned; should anything switch here again,
    // hand control straight back.
    for (;;) driver.switchToProgram();
}

void Win32EventDriver::pumpEntry(void* driver) { static_cast<Win32EventDriver*>(driver)->pumpLoop(); }

void Win32EventDriver::takeThreadMessage(unsigned message, unsigned wParam, int lParam) {
    switch (message) {
    case kMessageDebugStop: giveToQueue(EVENT_DEBUG_STOP); break;
    case kMessageDebugRun: giveToQueue(EVENT_DEBUG_RUN); break;
    case kMessageDebugEnd: giveToQueue(EVENT_DEBUG_END); break;
    case kMessageTimerTick:
        // A tick posted just before its timer was freed must not bring a dead
        // source back into the queue.
        if (isLiveTimer(lParam)) giveToQueue(EVENT_TIMER_TICK, static_cast<int>(wParam), lParam);
        break;
    }
}

void Win32EventDriver::pumpLoop() {
    for (;;) {
        if (!onPump_) runtimeError("Wrong thread!");
        if (timeout_ != 0) {
            DWORD ms = timeout_ < 0 ? INFINITE : static_cast<DWORD>(timeout_);
            MsgWaitForMultipleObjectsEx(0, nullptr, ms, kWakeMask, MWMO_INPUTAVAILABLE);
        }
        switchCount_ = 0;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // Only messages posted to the thread itself: a window's own
            // WM_USER-range messages must still reach its procedure.
            if (!msg.hwnd && msg.message >= kMessageDebugStop && msg.message <= kMessageTimerTick) {
                takeThreadMessage(msg.message, static_cast<unsigned>(msg.wParam), static_cast<int>(msg.lParam));
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (resumePending_) {
            resumePending_ = false;
            giveToQueue(EVENT_APP_RESUME);
            ++switchCount_;
            switchToProgram();
        }
        if (switchCount_ == 0) switchToProgram();
    }
}
