// What an output back end provides: a device (or a stand-in for one) that
// pulls mixed 16-bit stereo frames from the engine at the engine's rate on a
// thread of its own.
//
// Back ends announce themselves once with a SoundOutputKind; the engine
// opens them in `order` until one opens. Back ends must not hold the engine
// while waiting for their device: they call render() for one block at a
// time, and the engine locks only around the mixing itself.
#pragma once

#include <cstdint>
#include <memory>

class SoundRenderer {
public:
    // Mixes the next `frames` stereo frames into `out`.
    virtual void render(int16_t* out, int frames) = 0;

protected:
    ~SoundRenderer() = default;
};

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts pulling from `renderer` at `rate` frames per second; false when
    // the device does not open (the output is then destroyed unopened).
    virtual bool open(int rate, SoundRenderer* renderer) = 0;
    // Stops pulling; render() is not called after close() returns.
    virtual void close() = 0;
};

struct SoundOutputKind {
    SoundOutputKind(const char* name, int order, std::unique_ptr<SoundOutput> (*create)());
    const char* name;
    int order;
    std::unique_ptr<SoundOutput> (*create)();
    SoundOutputKind* next;
};

// The registered output kinds in opening order.
SoundOutputKind* firstSoundOutputKind();
