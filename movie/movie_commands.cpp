// The movie commands: OpenMovie, CloseMovie, MovieWidth, MovieHeight,
// MoviePlaying and DrawMovie. A movie belongs to the program, which holds
// the reference it was made with; the movie driver that opened it releases
// it when the driver stops (EndGraphics, SetGfxDriver, the end of the run),
// after which its handle is no longer valid.
#include "gfx2d/k2d_graphics_driver.h"
#include "lang/kr_string.h"
#include "movie/kr_movie.h"
#include "runtime/symbol_registration.h"

extern "C" {

__attribute__((stdcall)) int OpenMovie(KrString* file) {
    KrMovieDriver* driver = currentMovieDriver();
    if (!driver) return 0;
    return toHandle(driver->openMovie(krText(file)));
}

__attribute__((stdcall)) void CloseMovie(int movie) {
    if (movie == 0) return;
    castHandle<KrMovie>(movie)->release();
}

__attribute__((stdcall)) int MovieWidth(int movie) { return castHandle<KrMovie>(movie)->width(); }
__attribute__((stdcall)) int MovieHeight(int movie) { return castHandle<KrMovie>(movie)->height(); }
__attribute__((stdcall)) int MoviePlaying(int movie) { return castHandle<KrMovie>(movie)->playing() ? 1 : 0; }

// A negative width or height is the movie's own.
__attribute__((stdcall)) int DrawMovie(int movie, int x, int y, int width, int height) {
    KrMovie* m = castHandle<KrMovie>(movie);
    KrGraphics* destination = drawingBuffer().graphics();
    if (width < 0) width = m->width();
    if (height < 0) height = m->height();
    m->draw(destination, x, y, width, height);
    return m->playing() ? 1 : 0;
}

}

KR_COMMAND(Graphics2D, "%OpenMovie$file", OpenMovie);
KR_COMMAND(Graphics2D, "CloseMovie%movie", CloseMovie);
KR_COMMAND(Graphics2D, "%MovieWidth%movie", MovieWidth);
KR_COMMAND(Graphics2D, "%MovieHeight%movie", MovieHeight);
KR_COMMAND(Graphics2D, "%MoviePlaying%movie", MoviePlaying);
KR_COMMAND(Graphics2D, "%DrawMovie%movie%x%y%width=-1%height=-1", DrawMovie);
