// Win32DSMovieDriver: the movie driver of the "DirectDraw" configuration.
// It needs the Win32DD module (frames pass through its surfaces) and COM on
// the main thread, which it starts and ends with itself. The movies it opens
// are its resources: they go when it stops, before COM ends.
#include <windows.h>

#include "movie/win32/win32_ds_movie.h"

namespace {

class Win32DSMovieDriver : public KrMovieDriver {
public:
    Win32DSMovieDriver() { setup("Win32DSMovieDriver", "Graphics", "DirectDraw"); }

    bool startup() override {
        if (!requireModule("Win32DD")) return false;
        // Single-threaded, as OLE users of the same thread (gadgets, requesters)
        // need; already initialised in another mode still leaves COM usable.
        comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        setCurrentMovieDriver(this);
        return true;
    }

    void shutdown() override {
        if (currentMovieDriver() == this) setCurrentMovieDriver(nullptr);
        if (comStarted_) CoUninitialize();
        comStarted_ = false;
    }

    KrMovie* openMovie(const char* file) override {
        Win32DSMovie* movie = Win32DSMovie::open(file);
        if (movie) addResource(movie);
        return movie;
    }

private:
    bool comStarted_ = false;
};

Win32DSMovieDriver theDriver;

} // namespace
