// Win32CatchFilter (priority 10): lets through only the records raised while
// the pump dispatches, and hands control to the program for each of them.
//
// A record raised on the program's own context comes from a window procedure
// that a command of the program made the platform call; it is dropped. An
// application-resume record is held back until the end of the dispatch batch,
// when the pump re-raises it.
#include "events/event_filter.h"
#include "events/win32/win32_event_driver.h"

namespace {

class Win32CatchFilter : public KrEventFilter {
public:
    Win32CatchFilter() : KrEventFilter(10) { setup("Win32CatchFilter"); }

    bool startup() override {
        installFilter(this);
        return true;
    }

    void shutdown() override { removeFilter(this); }

    void filterEvent(EventRecord& record) override {
        Win32EventDriver& driver = win32EventDriver();
        if (driver.onProgramContext()) return;
        if (record.id == EVENT_APP_RESUME) {
            driver.setResumePending();
            return;
        }
        passOn(record);
        driver.countSwitch();
        driver.switchToProgram();
    }
};

Win32CatchFilter theCatchFilter;

} // namespace
