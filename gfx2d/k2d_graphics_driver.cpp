// K2DGraphicsDriver: the current buffer and the image flags.
#include "gfx2d/k2d_graphics_driver.h"

#include "gfx2d/graphics_display.h"
#include "gfx2d/kr_gr_driver_2d.h"

namespace {

K2DGraphicsDriver theDriver;

// The buffer a handle named last: pixel loops name the same buffer over and
// over. It is forgotten when that buffer goes, so it is always live.
K2DBuffer* lastNamed = nullptr;

} // namespace

K2DGraphicsDriver& k2dGraphics() { return theDriver; }

K2DGraphicsDriver::K2DGraphicsDriver() { setup("K2DGraphicsDriver", "Graphics"); }

bool K2DGraphicsDriver::startup() {
    autoMidHandle = 0;
    transformFilter = 1;
    current_ = nullptr;
    if (!requireSubsystem("Screen") || !requireSubsystem("GrDriver2D")) return false;
    startGraphicsDisplay();
    return true;
}

void K2DGraphicsDriver::shutdown() {
    stopGraphicsDisplay();
    setCurrent(nullptr);
}

void K2DGraphicsDriver::setCurrent(K2DBuffer* buffer) {
    current_ = buffer;
    if (KrGrDriver2D* driver = activeDriver2D()) driver->setContext(buffer ? buffer->context() : nullptr);
}

void K2DGraphicsDriver::bufferGone(K2DBuffer* buffer) {
    if (lastNamed == buffer) lastNamed = nullptr;
    if (current_ == buffer) setCurrent(nullptr);
}

K2DBuffer* bufferArg(int handle) {
    if (handle == 0) return &drawingBuffer();
    if (lastNamed && handle == toHandle(lastNamed)) return lastNamed;
    lastNamed = castHandle<K2DBuffer>(handle);
    return lastNamed;
}

K2DBuffer& drawingBuffer() {
    K2DBuffer* buffer = theDriver.current();
    if (!buffer) runtimeError("No graphics buffer is set");
    return *buffer;
}
