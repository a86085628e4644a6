// KrModule: the base of every module and driver of the runtime.
//
// Modules are static objects. Each joins the global module list when it is
// constructed and names itself with setup(name, subsystem, config). Core
// modules (no subsystem) always start; a driver (with a subsystem) starts when
// it has no config or its config is the one selected for its subsystem. A
// started module moves to the head of the list, so the list always holds the
// started modules in reverse order of their start, and the stop walks stop
// them in exactly that order.
#pragma once

class KrResource;

class KrModule {
public:
    enum State { kFailed = -1, kStopped = 0, kStarting = 1, kStarted = 2 };

    KrModule();
    KrModule(const KrModule&) = delete;
    KrModule& operator=(const KrModule&) = delete;

    virtual bool startup();  // slot 0: true when the module is ready
    virtual void shutdown(); // slot 1

    void setup(const char* name, const char* subsystem = nullptr, const char* config = nullptr);

    bool startModule();
    void stopModule();
    // Hands a resource to the module, which releases it when it stops.
    void addResource(KrResource* resource);

    const char* name() const { return name_; }
    const char* subsystem() const { return subsystem_; }
    const char* config() const { return config_; }
    int state() const { return state_; }
    KrModule* next() const { return next_; }

private:
    friend void unlinkModule(KrModule* module);
    friend void placeModule(KrModule* module);

    KrModule* next_ = nullptr;
    const char* name_ = "";
    const char* subsystem_ = nullptr;
    const char* config_ = nullptr;
    int state_ = kStopped;
    KrResource* resources_ = nullptr;
    int rank_ = 0;
};

KrModule* firstModule();

// Starts the first module of that name; a missing name is a runtime error.
bool requireModule(const char* name);
// Starts the selected drivers of one subsystem; false when one failed.
bool requireSubsystem(const char* name);

void selectConfig(const char* subsystem, const char* config);
const char* selectedConfig(const char* subsystem);

bool startCoreModules();
bool startSubsystemModules();
void stopSubsystemModules();
void stopCoreModules();
