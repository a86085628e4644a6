#include "runtime/module.h"

#include <string>
#include <strings.h>
#include <vector>

#include "runtime/resource.h"
#include "runtime/runtime_error.h"

namespace {

// The modules of the runtime in the order they are constructed. Static
// objects in different files are constructed in no guaranteed order, so each
// module takes its place in the list by this rank; modules not listed here
// (a test's own) count as constructed last.
const char* const constructionOrder[] = {
    "KrUserLibs", "KrString", "KrQueFilter", "Win32EventDriver", "Win32CatchFilter", "Win32FontDriver",
    "Win32GuiDriver", "Win32DD", "Win32DDScreenDriver", "K2DEventFilter", "K2DGraphicsDriver",
    "Win32DDCanvasDriver", "Win32TimerDriver", "KrTcpIp", "Win32DPNetGame", "Win32Joystick",
    "Win32DSMovieDriver", "Win32DDGrDriver2D", "Win32DIB", "Win32GL", "Win32GLGrDriver2D",
    "Win32GLScreenDriver", "Win32GLCanvasDriver", "Win32GDI", "Win32GDICanvasDriver", "Win32GDIGrDriver2D",
    "Win32GDIScreenDriver", "KrAudioDriver",
};

KrModule* moduleListHead = nullptr;
int unlistedModules = 0;

struct Subsystem {
    std::string name;
    std::string config;
    bool selected = false;
};

std::vector<Subsystem>& subsystems() {
    static std::vector<Subsystem> table;
    return table;
}

bool sameName(const char* a, const char* b) { return strcasecmp(a, b) == 0; }

Subsystem* findSubsystem(const char* name) {
    for (Subsystem& s : subsystems())
        if (sameName(s.name.c_str(), name)) return &s;
    return nullptr;
}

int rankOf(const char* name) {
    int n = sizeof(constructionOrder) / sizeof(constructionOrder[0]);
    for (int i = 0; i < n; ++i)
        if (sameName(constructionOrder[i], name)) return i;
    return n + ++unlistedModules;
}

} // namespace

void unlinkModule(KrModule* module) {
    for (KrModule** p = &moduleListHead; *p; p = &(*p)->next_) {
        if (*p == module) {
            *p = module->next_;
            module->next_ = nullptr;
            return;
        }
    }
}

// Puts a module that is not started among the other such modules as if the
// modules had been constructed in rank order: later ranks nearer the head.
void placeModule(KrModule* module) {
    unlinkModule(module);
    KrModule** p = &moduleListHead;
    while (*p && ((*p)->state_ == KrModule::kStarted || (*p)->state_ == KrModule::kStarting ||
                  (*p)->rank_ > module->rank_))
        p = &(*p)->next_;
    module->next_ = *p;
    *p = module;
}

KrModule::KrModule() {
    next_ = moduleListHead;
    moduleListHead = this;
}

bool KrModule::startup() { return true; }

void KrModule::shutdown() {}

void KrModule::setup(const char* name, const char* subsystem, const char* config) {
    name_ = name ? name : "";
    subsystem_ = subsystem;
    config_ = config;
    rank_ = rankOf(name_);
    placeModule(this);
    if (subsystem && !findSubsystem(subsystem)) subsystems().push_back(Subsystem{subsystem, "", false});
}

bool KrModule::startModule() {
    if (state_ == kStarting || state_ == kStarted) return true;
    if (state_ == kFailed) return false;
    state_ = kStarting;
    if (!startup()) {
        state_ = kFailed;
        runtimeError("Error starting module '%s'", name_);
    }
    bool listed = false;
    for (KrModule* m = moduleListHead; m; m = m->next_)
        if (m == this) listed = true;
    if (!listed) runtimeError("KrModule!");
    unlinkModule(this);
    next_ = moduleListHead;
    moduleListHead = this;
    state_ = kStarted;
    return true;
}

void KrModule::stopModule() {
    if (state_ != kStarted) return;
    KrResource* resources = resources_;
    resources_ = nullptr;
    if (resources) resources->release();
    state_ = kStopped;
    shutdown();
}

void KrModule::addResource(KrResource* resource) {
    if (!resources_) resources_ = new KrResource;
    resources_->addOwned(resource);
}

KrModule* firstModule() { return moduleListHead; }

bool requireModule(const char* name) {
    for (KrModule* m = moduleListHead; m; m = m->next())
        if (sameName(m->name(), name)) return m->startModule();
    runtimeError("Module '%s' not found", name);
}

namespace {

bool startDrivers(const char* onlySubsystem) {
    for (KrModule* m = moduleListHead; m; m = m->next()) {
        if (!m->subsystem()) continue;
        if (onlySubsystem && !sameName(m->subsystem(), onlySubsystem)) continue;
        if (!m->config() || sameName(m->config(), selectedConfig(m->subsystem()))) {
            m->startModule();
            if (m->state() == KrModule::kFailed) return false;
        }
    }
    return true;
}

void stopModules(bool withSubsystem) {
    for (KrModule* m = moduleListHead; m;) {
        KrModule* next = m->next();
        if ((m->subsystem() != nullptr) == withSubsystem) m->stopModule();
        m = next;
    }
}

} // namespace

bool requireSubsystem(const char* name) { return startDrivers(name); }

void selectConfig(const char* subsystem, const char* config) {
    if (Subsystem* s = findSubsystem(subsystem)) {
        s->config = config ? config : "";
        s->selected = true;
    }
}

const char* selectedConfig(const char* subsystem) {
    Subsystem* s = findSubsystem(subsystem);
    if (!s) runtimeError("Subsystem '%s' not found", subsystem);
    if (!s->selected) runtimeError("No config selected for subsystem '%s'", subsystem);
    return s->config.c_str();
}

bool startCoreModules() {
    for (KrModule* m = moduleListHead; m; m = m->next())
        if (!m->subsystem()) m->startModule();
    return true;
}

bool startSubsystemModules() { return startDrivers(nullptr); }

void stopSubsystemModules() { stopModules(true); }

void stopCoreModules() { stopModules(false); }
