// K2DGraphicsDriver: the module of the "Graphics" subsystem that holds the
// state every 2D command shares: the current buffer and the image flags.
//
// The current buffer is held without a reference; a buffer that goes clears
// it (and drops the 2D driver's context), so it never names freed memory.
// Drawing while no buffer is current is a runtime error.
#pragma once

#include <cstdint>

#include "gfx2d/k2d_buffer.h"
#include "runtime/module.h"

class K2DGraphicsDriver : public KrModule {
public:
    K2DGraphicsDriver();

    bool startup() override;
    void shutdown() override;

    // The buffer that drawing commands use, or null.
    K2DBuffer* current() const { return current_; }
    // Makes the buffer current and points the 2D driver at its context; null
    // clears both.
    void setCurrent(K2DBuffer* buffer);
    // Called by a buffer as it goes.
    void bufferGone(K2DBuffer* buffer);

    // Image flags (only the low byte of a program's value is kept): new
    // images start with a centred handle; transforms filter bilinearly.
    uint8_t autoMidHandle = 0;
    uint8_t transformFilter = 1;

private:
    K2DBuffer* current_ = nullptr;
};

K2DGraphicsDriver& k2dGraphics();

// The buffer a command names: 0 is the current buffer (none current is a
// runtime error), anything else must be a live buffer handle.
K2DBuffer* bufferArg(int handle);
// The current buffer, with the 2D driver drawing into its context; none
// current is a runtime error.
K2DBuffer& drawingBuffer();
