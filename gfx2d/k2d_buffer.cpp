// K2DBuffer: drawing state, context and nested locking of one graphics.
#include "gfx2d/k2d_buffer.h"

#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/kr_gr_driver_2d.h"
#include "system/kr_bank.h"

K2DBuffer::K2DBuffer(KrGraphics* graphics) : graphics_(graphics) {
    context_ = driver2D().createContext(graphics);
    context_->retain();
    bank_ = new KrBank;
}

K2DBuffer::~K2DBuffer() {
    k2dGraphics().bufferGone(this);
    if (lockCount_ > 0) graphics_->unlock();
    bank_->release();
    context_->releaseFromBuffer();
}

int K2DBuffer::query(int id) {
    static const int bufferId = queryId("K2DBuffer");
    return id == bufferId ? toHandle(this) : 0;
}

void K2DBuffer::lock() {
    if (lockCount_++ > 0) return;
    graphics_->lock(&lockedPixels_, &lockedPitch_, &lockedFormat_);
    bank_->setData(lockedPixels_, lockedPitch_ * graphics_->height());
}

void K2DBuffer::unlock() {
    if (lockCount_ == 0) return;
    if (--lockCount_ > 0) return;
    bank_->setData(nullptr, 0);
    graphics_->unlock();
}
