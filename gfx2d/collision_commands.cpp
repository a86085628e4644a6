// The overlap and collision commands: three bounding-box tests and two
// pixel-exact tests on the images' collision masks. Positions are buffer
// coordinates; the image handle is taken off, the buffer origin plays no
// part, and the box test runs before any mask is touched.
#include "gfx2d/collision_mask.h"
#include "gfx2d/k2d_image.h"
#include "runtime/symbol_registration.h"

extern "C" {

__attribute__((stdcall)) int RectsOverlap(int x1, int y1, int width1, int height1, int x2, int y2, int width2,
                                          int height2) {
    return boxesOverlap(x1, y1, width1, height1, x2, y2, width2, height2);
}

__attribute__((stdcall)) int ImagesOverlap(int image1, int x1, int y1, int image2, int x2, int y2) {
    K2DImage* a = imageArg(image1);
    K2DImage* b = imageArg(image2);
    return boxesOverlap(int64_t(x1) - a->handleX, int64_t(y1) - a->handleY, a->width(), a->height(),
                        int64_t(x2) - b->handleX, int64_t(y2) - b->handleY, b->width(), b->height());
}

__attribute__((stdcall)) int ImagesCollide(int image1, int x1, int y1, int frame1, int image2, int x2, int y2,
                                           int frame2) {
    K2DImage* a = imageArg(image1);
    K2DImage* b = imageArg(image2);
    // Frames are checked even when the boxes miss, so a wrong index never
    // goes unnoticed.
    a->frame(frame1);
    b->frame(frame2);
    const int64_t leftA = int64_t(x1) - a->handleX, topA = int64_t(y1) - a->handleY;
    const int64_t leftB = int64_t(x2) - b->handleX, topB = int64_t(y2) - b->handleY;
    if (!boxesOverlap(leftA, topA, a->width(), a->height(), leftB, topB, b->width(), b->height())) return 0;
    const CollisionMask& maskA = a->collisionMask(frame1);
    const CollisionMask& maskB = b->collisionMask(frame2);
    return masksCollide(maskA, leftA, topA, maskB, leftB, topB);
}

__attribute__((stdcall)) int ImageRectOverlap(int image, int x, int y, int rectX, int rectY, int rectWidth,
                                              int rectHeight) {
    K2DImage* a = imageArg(image);
    return boxesOverlap(int64_t(x) - a->handleX, int64_t(y) - a->handleY, a->width(), a->height(), rectX, rectY,
                        rectWidth, rectHeight);
}

__attribute__((stdcall)) int ImageRectCollide(int image, int x, int y, int frame, int rectX, int rectY,
                                              int rectWidth, int rectHeight) {
    K2DImage* a = imageArg(image);
    a->frame(frame);
    const int64_t left = int64_t(x) - a->handleX, top = int64_t(y) - a->handleY;
    if (!boxesOverlap(left, top, a->width(), a->height(), rectX, rectY, rectWidth, rectHeight)) return 0;
    return maskRectCollide(a->collisionMask(frame), left, top, rectX, rectY, rectWidth, rectHeight);
}

} // extern "C"

KR_COMMAND(Graphics2D, "%RectsOverlap%x1%y1%width1%height1%x2%y2%width2%height2", RectsOverlap);
KR_COMMAND(Graphics2D, "%ImagesOverlap%image1%x1%y1%image2%x2%y2", ImagesOverlap);
KR_COMMAND(Graphics2D, "%ImagesCollide%image1%x1%y1%frame1%image2%x2%y2%frame2", ImagesCollide);
KR_COMMAND(Graphics2D, "%ImageRectOverlap%image%x%y%rect_x%rect_y%rect_width%rect_height", ImageRectOverlap);
KR_COMMAND(Graphics2D, "%ImageRectCollide%image%x%y%frame%rect_x%rect_y%rect_width%rect_height",
           ImageRectCollide);
