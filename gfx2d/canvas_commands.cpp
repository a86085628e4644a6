// The canvas commands: making a canvas in a group, its buffer, presenting it.
#include "gfx2d/k2d_buffer.h"
#include "gfx2d/kr_canvas.h"
#include "gfx2d/kr_graphics.h"
#include "gui/gadget_creation.h"
#include "runtime/symbol_registration.h"

namespace {

KrCanvasDriver* theCanvasDriver = nullptr;

} // namespace

KrCanvasDriver* activeCanvasDriver() { return theCanvasDriver; }
void setActiveCanvasDriver(KrCanvasDriver* driver) { theCanvasDriver = driver; }

bool KrCanvasDriver::startup() {
    if (!requireSubsystem("Gui")) return false;
    theCanvasDriver = this;
    return true;
}

void KrCanvasDriver::shutdown() {
    if (theCanvasDriver == this) theCanvasDriver = nullptr;
}

extern "C" {

__attribute__((stdcall)) int CreateCanvas(int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = castHandle<KrGroup>(group);
    if (!theCanvasDriver) runtimeError("No canvas driver is running");
    KrCanvas* canvas = theCanvasDriver->createCanvas(parent, style);
    finishGadget(canvas, x, y, width, height, nullptr);
    KrGraphics* graphics = canvas->graphics();
    canvas->addOwned(new K2DBuffer(graphics));
    graphics->fillRect(0, 0, graphics->width(), graphics->height(), 0xFF000000);
    canvas->flip(false);
    graphics->fillRect(0, 0, graphics->width(), graphics->height(), 0xFF000000);
    return toHandle(canvas);
}

__attribute__((stdcall)) int CanvasBuffer(int canvas) {
    return castHandle<KrCanvas>(canvas)->findOwned(queryId("K2DBuffer"));
}

__attribute__((stdcall)) void FlipCanvas(int canvas, int vwait) { castHandle<KrCanvas>(canvas)->flip(vwait != 0); }

} // extern "C"

KR_COMMAND(Graphics2D, "%CreateCanvas%x%y%width%height%group%style=0", CreateCanvas);
KR_COMMAND(Graphics2D, "%CanvasBuffer%canvas", CanvasBuffer);
KR_COMMAND(Graphics2D, "FlipCanvas%canvas%vwait=0", FlipCanvas);
