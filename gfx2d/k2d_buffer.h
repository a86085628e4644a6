// K2DBuffer: the handle through which 2D commands reach a KrGraphics.
//
// A buffer carries the drawing state of its graphics: origin, colour, clear
// colour and the context that the 2D driver made for it (the context's
// reference keeps the graphics alive). Locking nests: the first lock locks
// the graphics and lends its pixels to the buffer's pixel bank, the last
// unlock unlocks it. The pixel bank never owns memory, so a program cannot
// resize it. When a buffer goes it stops being the current buffer.
#pragma once

#include <cstdint>

#include "gfx2d/kr_gr_context.h"
#include "runtime/resource.h"

class KrBank;

class K2DBuffer : public KrResource {
public:
    static constexpr const char* kHandleName = "Buffer";

    // Makes the buffer and its context with the running 2D driver.
    explicit K2DBuffer(KrGraphics* graphics);
    ~K2DBuffer() override;

    // Answers the query id of "K2DBuffer" with the buffer itself.
    int query(int id) override;

    void lock();
    void unlock();
    bool locked() const { return lockCount_ > 0; }
    int lockCount() const { return lockCount_; }
    // Valid while locked.
    uint8_t* lockedPixels() const { return lockedPixels_; }
    int lockedPitch() const { return lockedPitch_; }
    int lockedFormat() const { return lockedFormat_; }
    KrBank* pixelBank() const { return bank_; }

    KrGraphics* graphics() const { return graphics_; }
    KrGrContext* context() const { return context_; }

    int originX = 0;
    int originY = 0;
    uint32_t color = 0xFFFFFFFF;
    uint32_t clsColor = 0;

private:
    KrGraphics* graphics_;
    KrGrContext* context_;
    KrBank* bank_;
    int lockCount_ = 0;
    uint8_t* lockedPixels_ = nullptr;
    int lockedPitch_ = 0;
    int lockedFormat_ = 0;
};
