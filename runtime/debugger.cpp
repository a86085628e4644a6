// The current debugger and the runtime's own default one.
#include "runtime/debugger.h"

#include "platform/message_box.h"
#include "runtime/app_title.h"

namespace {

class KrDefaultDebugger : public KrDebugger {
public:
    void onMessage(const char* text, int) override {
        shown = true;
        platform::showMessage(text, appTitle(), true);
    }
    bool shown = false;
};

KrDefaultDebugger defaultInstance;
KrDebugger* current = &defaultInstance;

} // namespace

KrDebugger* currentDebugger() { return current; }

void setCurrentDebugger(KrDebugger* debugger) { current = debugger; }

KrDebugger* defaultDebugger() { return &defaultInstance; }

bool defaultDebuggerShowedError() { return defaultInstance.shown; }
