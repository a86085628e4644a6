#include "gfx2d/k2d_image.h"

#include "gfx2d/k2d_buffer.h"
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/kr_gr_driver_2d.h"

namespace {

// Frames larger than this in all (4 bytes a pixel) cannot be had in a 32-bit
// process; asking is refused before anything is made.
constexpr int64_t kMaxImageBytes = int64_t(1) << 31;

// A frame's graphics in a new buffer that keeps it alive.
K2DBuffer* bufferOver(KrGraphics* graphics) {
    auto* buffer = new K2DBuffer(graphics);
    graphics->release();
    return buffer;
}

} // namespace

K2DImage::K2DImage(int width, int height, int frames, int flags)
    : width_(width), height_(height), flags_(flags), frames_(size_t(frames), nullptr), masks_(size_t(frames)) {}

K2DImage* K2DImage::create(int width, int height, int frames, int flags, bool fill) {
    if (width <= 0 || height <= 0 || frames <= 0) runtimeError("Illegal Parameter for CreateImage");
    if (int64_t(width) * height * 4 * frames > kMaxImageBytes) runtimeError("Out of memory");
    KrGrDriver2D& driver = driver2D();
    auto* image = new K2DImage(width, height, frames, flags);
    // Owned by the module from the start, so a frame that cannot be made
    // leaves nothing behind once the module stops.
    k2dGraphics().addResource(image);
    if (k2dGraphics().autoMidHandle) {
        image->handleX = width / 2;
        image->handleY = height / 2;
    }
    for (K2DBuffer*& frame : image->frames_) {
        KrGraphics* graphics = driver.createGraphics(width, height, 0, flags);
        if (fill) graphics->fillRect(0, 0, width, height, 0xFF000000);
        frame = bufferOver(graphics);
    }
    return image;
}

K2DImage::~K2DImage() {
    for (K2DBuffer* frame : frames_) ::release(frame);
}

int K2DImage::checkFrame(int index) const {
    if (index < 0 || index >= frameCount())
        runtimeError("Image frame %d out of range (frame count %d)", index, frameCount());
    return index;
}

K2DBuffer* K2DImage::frame(int index) const { return frames_[checkFrame(index)]; }

KrGraphics* K2DImage::frameGraphics(int index) const { return frame(index)->graphics(); }

void K2DImage::setMaskColor(uint32_t color) {
    maskColor_ = color;
    for (K2DBuffer* frame : frames_) frame->graphics()->setMaskColor(color);
}

const CollisionMask& K2DImage::collisionMask(int index) {
    std::unique_ptr<CollisionMask>& mask = masks_[checkFrame(index)];
    if (mask) return *mask;
    mask = CollisionMask::ofGraphics(frames_[index]->graphics(), maskColor_);
    if (!mask) runtimeError("Out of memory");
    return *mask;
}

void K2DImage::transform(const TransformMatrix& m, bool filter) {
    // The geometry is the same for every frame: refuse a bad matrix before
    // any frame changes.
    TransformPlan plan;
    checkTransform(planTransform(width_, height_, m, handleX, handleY, plan));
    const int originX = handleX, originY = handleY;
    for (size_t i = 0; i < frames_.size(); ++i) {
        int hx = originX, hy = originY;
        KrGraphics* graphics = transformGraphics(frames_[i]->graphics(), m, filter, maskColor_, &hx, &hy);
        graphics->setMaskColor(maskColor_);
        K2DBuffer* old = frames_[i];
        frames_[i] = bufferOver(graphics);
        ::release(old);
        if (i == 0) {
            handleX = hx;
            handleY = hy;
            width_ = graphics->width();
            height_ = graphics->height();
        }
    }
    for (auto& mask : masks_) mask.reset();
}

K2DImage* imageArg(int handle) { return castHandle<K2DImage>(handle); }
