// KrMovie and KrMovieDriver: the contract of a movie back end.
//
// A movie decodes a video file frame by frame; each draw copies the newest
// frame, scaled, into a rectangle of a graphics. Frames advance only when
// drawn, and the end of the stream is noticed at the draw that meets it,
// after which the movie no longer plays and draws nothing. A movie driver is
// a module of the "Graphics" subsystem; the one that runs is the current
// movie driver and owns the movies it opens, releasing them when it stops.
#pragma once

#include "runtime/module.h"
#include "runtime/resource.h"

class KrGraphics;

class KrMovie : public KrResource {
public:
    static constexpr const char* kHandleName = "Movie Graphics";

    // Frame size in pixels.
    virtual int width() = 0;
    virtual int height() = 0;
    // Draws the current frame into (x, y, width, height) of the destination;
    // false, with nothing drawn, when the destination is of a kind this
    // movie cannot draw into.
    virtual bool draw(KrGraphics* destination, int x, int y, int width, int height) = 0;
    virtual bool playing() = 0;
};

class KrMovieDriver : public KrModule {
public:
    // The movie of that file, or null when it cannot be opened.
    virtual KrMovie* openMovie(const char* file) = 0;
};

// The running movie driver, or null while none runs.
KrMovieDriver* currentMovieDriver();
void setCurrentMovieDriver(KrMovieDriver* driver);
