// The resampling transform behind TFormImage, ScaleImage, ResizeImage,
// RotateImage and the resizing of LoadBuffer.
//
// A point (x, y) of the source, measured from an origin (the image handle),
// moves to (a·x + c·y, b·x + d·y). The destination is the smallest pixel box
// holding the four mapped corners; each destination pixel centre is mapped
// back through the inverse matrix and sampled from the source, nearest pixel
// with the filter off and bilinear with it on. Points outside the source
// sample the background colour. Every step is computed in single precision
// in the order written, so results are the same wherever this runs.
#pragma once

#include <cstdint>

class KrGraphics;

struct TransformMatrix {
    float a, b, c, d;
};

// The geometry of one transform: the inverse matrix, the origin, and the
// destination box (its top-left corner relative to the origin and its size).
struct TransformPlan {
    float ia, ib, ic, id;
    float originX, originY;
    int minX, minY;
    int width, height;
};

// The matrix of a turn by angle degrees, clockwise on screen (y grows
// downward): θ = angle × the single-precision value of π/180, taken in
// double precision; (cos θ, sin θ, −sin θ, cos θ) rounded to single
// precision. The cosine of 90° so computed is about 1.2e-8, not 0.
TransformMatrix rotationMatrix(float angle);

enum class TransformCheck { Ok, Singular, Empty, TooLarge };

// Plans the transform of a width × height source about (originX, originY).
TransformCheck planTransform(int width, int height, const TransformMatrix& m, int originX, int originY,
                             TransformPlan& plan);

// Raises the runtime error of a plan that is not Ok: "Image transform
// matrix is singular", "Image transform result is empty" or "Out of memory".
void checkTransform(TransformCheck check);

// Fills the plan's destination box from an ARGB source. Pitches are in
// 32-bit words.
void transformPixels(const TransformPlan& plan, const uint32_t* src, int srcWidth, int srcHeight, int srcPitch,
                     uint32_t* dst, int dstPitch, bool filter, uint32_t background);

// Transforms a graphics into a new graphics of the same kind (its
// createCompatible). With a handle, the transform is about it and it is
// updated to the destination's; without one, about (0, 0). A singular matrix
// or an empty result is a runtime error, as is memory that cannot be had.
KrGraphics* transformGraphics(KrGraphics* source, const TransformMatrix& m, bool filter, uint32_t background,
                              int* handleX = nullptr, int* handleY = nullptr);
