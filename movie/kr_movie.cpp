// The running movie driver.
#include "movie/kr_movie.h"

namespace {

KrMovieDriver* runningDriver = nullptr;

} // namespace

KrMovieDriver* currentMovieDriver() { return runningDriver; }

void setCurrentMovieDriver(KrMovieDriver* driver) { runningDriver = driver; }
