#include "gfx2d/transform.h"

#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "gfx2d/kr_graphics.h"
#include "runtime/runtime_error.h"

namespace {

// Mapped corners beyond this are far outside any picture memory can hold.
constexpr float kCoordinateLimit = 1 << 24;
constexpr int64_t kMaxTransformPixels = int64_t(1) << 26;

uint32_t sampleAt(const uint32_t* src, int w, int h, int pitch, int x, int y, uint32_t background) {
    if (x < 0 || y < 0 || x >= w || y >= h) return background;
    return src[ptrdiff_t(y) * pitch + x];
}

// floor for values whose integer part may not fit an int (or NaN): those
// lie outside every source anyway and become -1.
int floorToInt(float v) {
    float f = std::floor(v);
    return f >= -2147483520.0f && f < 2147483520.0f ? int(f) : -1;
}

uint32_t bilinear(const uint32_t* src, int w, int h, int pitch, float sx, float sy, uint32_t background) {
    float fx = sx - 0.5f;
    float fy = sy - 0.5f;
    float flx = std::floor(fx);
    float fly = std::floor(fy);
    float ax = fx - flx;
    float ay = fy - fly;
    int x0 = floorToInt(flx);
    int y0 = floorToInt(fly);
    uint32_t s00 = sampleAt(src, w, h, pitch, x0, y0, background);
    uint32_t s10 = sampleAt(src, w, h, pitch, x0 + 1, y0, background);
    uint32_t s01 = sampleAt(src, w, h, pitch, x0, y0 + 1, background);
    uint32_t s11 = sampleAt(src, w, h, pitch, x0 + 1, y0 + 1, background);
    float w11 = ax * ay;
    float w01 = (1.0f - ax) * ay;
    float w10 = ax * (1.0f - ay);
    float w00 = (1.0f - ax) * (1.0f - ay);
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        float v = w11 * float(s11 >> shift & 0xFF) + w01 * float(s01 >> shift & 0xFF) +
                  w10 * float(s10 >> shift & 0xFF) + w00 * float(s00 >> shift & 0xFF) + 0.5f;
        int byte = int(v);
        if (byte > 255) byte = 255;
        if (byte < 0) byte = 0;
        result |= uint32_t(byte) << shift;
    }
    return result;
}

} // namespace

TransformMatrix rotationMatrix(float angle) {
    const double theta = double(angle) * double(0.017453292f);
    const float cosine = float(std::cos(theta));
    const float sine = float(std::sin(theta));
    return TransformMatrix{cosine, sine, -sine, cosine};
}

TransformCheck planTransform(int width, int height, const TransformMatrix& m, int originX, int originY,
                             TransformPlan& plan) {
    float det = m.a * m.d - m.c * m.b;
    if (!(det != 0.0f) || !std::isfinite(det)) return TransformCheck::Singular;
    plan.ia = m.d / det;
    plan.ic = -m.c / det;
    plan.ib = -m.b / det;
    plan.id = m.a / det;
    if (!std::isfinite(plan.ia) || !std::isfinite(plan.ib) || !std::isfinite(plan.ic) || !std::isfinite(plan.id))
        return TransformCheck::Singular;
    plan.originX = float(originX);
    plan.originY = float(originY);

    const float left = float(-int64_t(originX)), top = float(-int64_t(originY));
    const float right = float(int64_t(width) - originX), bottom = float(int64_t(height) - originY);
    const float cornerX[4] = {left, right, right, left};
    const float cornerY[4] = {top, top, bottom, bottom};
    float lowX = 0, lowY = 0, highX = 0, highY = 0;
    for (int i = 0; i < 4; ++i) {
        float x = m.a * cornerX[i] + m.c * cornerY[i];
        float y = m.b * cornerX[i] + m.d * cornerY[i];
        if (!std::isfinite(x) || !std::isfinite(y)) return TransformCheck::TooLarge;
        if (i == 0 || x < lowX) lowX = x;
        if (i == 0 || x > highX) highX = x;
        if (i == 0 || y < lowY) lowY = y;
        if (i == 0 || y > highY) highY = y;
    }
    if (std::fabs(lowX) > kCoordinateLimit || std::fabs(highX) > kCoordinateLimit ||
        std::fabs(lowY) > kCoordinateLimit || std::fabs(highY) > kCoordinateLimit)
        return TransformCheck::TooLarge;
    plan.minX = int(std::floor(lowX));
    plan.minY = int(std::floor(lowY));
    int64_t w = int64_t(std::ceil(highX)) - plan.minX;
    int64_t h = int64_t(std::ceil(highY)) - plan.minY;
    if (w <= 0 || h <= 0) return TransformCheck::Empty;
    if (w * h > kMaxTransformPixels) return TransformCheck::TooLarge;
    plan.width = int(w);
    plan.height = int(h);
    return TransformCheck::Ok;
}

void transformPixels(const TransformPlan& plan, const uint32_t* src, int srcWidth, int srcHeight, int srcPitch,
                     uint32_t* dst, int dstPitch, bool filter, uint32_t background) {
    float y = float(plan.minY) + 0.5f;
    for (int j = 0; j < plan.height; ++j, y += 1.0f) {
        uint32_t* out = dst + ptrdiff_t(j) * dstPitch;
        float x = float(plan.minX) + 0.5f;
        for (int i = 0; i < plan.width; ++i, x += 1.0f) {
            float sx = plan.ia * x + plan.ic * y + plan.originX;
            float sy = plan.ib * x + plan.id * y + plan.originY;
            if (filter) {
                out[i] = bilinear(src, srcWidth, srcHeight, srcPitch, sx, sy, background);
            } else {
                out[i] = sampleAt(src, srcWidth, srcHeight, srcPitch, floorToInt(sx), floorToInt(sy), background);
            }
        }
    }
}

void checkTransform(TransformCheck check) {
    switch (check) {
    case TransformCheck::Ok: return;
    case TransformCheck::Singular: runtimeError("Image transform matrix is singular");
    case TransformCheck::Empty: runtimeError("Image transform result is empty");
    case TransformCheck::TooLarge: runtimeError("Out of memory");
    }
}

KrGraphics* transformGraphics(KrGraphics* source, const TransformMatrix& m, bool filter, uint32_t background,
                              int* handleX, int* handleY) {
    const int w = source->width(), h = source->height();
    TransformPlan plan;
    checkTransform(planTransform(w, h, m, handleX ? *handleX : 0, handleY ? *handleY : 0, plan));
    KrGraphics* dest = source->createCompatible(plan.width, plan.height);
    // The pixels travel as ARGB words, read and written through the slots
    // of both graphics. Plain allocations, so a failure is reported after
    // everything made so far has been given back.
    auto* src = static_cast<uint32_t*>(std::malloc(size_t(w) * size_t(h) * 4));
    auto* out = static_cast<uint32_t*>(std::malloc(size_t(plan.width) * size_t(plan.height) * 4));
    if (!src || !out) {
        std::free(src);
        std::free(out);
        dest->release();
        runtimeError("Out of memory");
    }
    source->readPixels(0, 0, w, h, src, w * 4);
    transformPixels(plan, src, w, h, w, out, plan.width, filter, background);
    dest->writePixels(0, 0, plan.width, plan.height, out, plan.width * 4);
    std::free(src);
    std::free(out);
    if (handleX) *handleX = -plan.minX;
    if (handleY) *handleY = -plan.minY;
    return dest;
}
