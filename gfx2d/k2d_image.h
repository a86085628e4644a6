// K2DImage: the program's sprite, one or more frames of equal size.
//
// Each frame is a K2DBuffer over its own graphics (made by the 2D driver's
// createGraphics), so a program can draw into a frame like into any buffer.
// An image has a handle (the point drawing positions refer to), a mask colour
// (0x00RRGGBB; masked drawing skips pixels of that colour) and, per frame, a
// collision mask built on first use and kept until ImageBuffer hands the
// frame out or a transform replaces the frames. Images belong to the
// K2DGraphicsDriver module and go when it stops, if FreeImage has not freed
// them before.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gfx2d/collision_mask.h"
#include "gfx2d/transform.h"
#include "runtime/resource.h"

class K2DBuffer;
class KrGraphics;

class K2DImage : public KrResource {
public:
    static constexpr const char* kHandleName = "Image";

    // A new image whose frames are filled with opaque black, handed to the
    // graphics module. A size or frame count below 1 raises "Illegal
    // Parameter for CreateImage"; memory that cannot be had, "Out of memory".
    // Callers that overwrite every pixel at once may skip the fill.
    static K2DImage* create(int width, int height, int frames, int flags, bool fill = true);
    ~K2DImage() override;

    int width() const { return width_; }
    int height() const { return height_; }
    int frameCount() const { return int(frames_.size()); }
    int flags() const { return flags_; }
    int handleX = 0;
    int handleY = 0;

    // The frame's buffer or graphics; an index outside 0 … frame count − 1 is
    // a runtime error naming the frame and the count.
    K2DBuffer* frame(int index) const;
    KrGraphics* frameGraphics(int index) const;

    uint32_t maskColor() const { return maskColor_; }
    // Sets the mask colour of the image and of every frame's graphics; built
    // collision masks are kept.
    void setMaskColor(uint32_t color);

    // The frame's collision mask, built now if there is none.
    const CollisionMask& collisionMask(int index);
    void discardCollisionMask(int index) { masks_[checkFrame(index)].reset(); }
    bool hasCollisionMask(int index) const { return masks_[checkFrame(index)] != nullptr; }

    // Transforms every frame about the current handle with the mask colour as
    // background; the handle and size become frame 0's new ones and every
    // collision mask goes.
    void transform(const TransformMatrix& m, bool filter);

private:
    K2DImage(int width, int height, int frames, int flags);
    int checkFrame(int index) const;

    int width_, height_, flags_;
    uint32_t maskColor_ = 0;
    std::vector<K2DBuffer*> frames_;
    std::vector<std::unique_ptr<CollisionMask>> masks_;
};

// The image a command names (a live image handle), or a runtime error.
K2DImage* imageArg(int handle);
