// The 2D driver of the "DirectDraw" configuration while that configuration
// has no surfaces of its own: the software driver on pixmaps. A DirectDraw
// back end replaces this module with its own driver of the same name.
#include "gfx2d/soft_gr_driver_2d.h"

namespace {

class DefaultGrDriver2D : public SoftGrDriver2D {
public:
    DefaultGrDriver2D() { setup("Win32DDGrDriver2D", "GrDriver2D", "DirectDraw"); }
};

DefaultGrDriver2D theDriver;

} // namespace
