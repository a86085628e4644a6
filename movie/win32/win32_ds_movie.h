// Win32DSMovie: a movie played through DirectShow multimedia streams.
//
// The file is read by a multimedia stream made without a graph thread: its
// primary video stream delivers frames into a DirectDraw surface of the
// running Win32DD object (the frame graphics, of the movie's frame size),
// and its primary audio stream plays through the default sound renderer.
// Where no sound device exists that stream cannot be added and the movie
// plays without sound. Each draw asks the video stream for the frame due
// now and blits the frame surface, stretched, into the destination.
#pragma once

#include <windows.h>

#include <amstream.h>

#include "movie/kr_movie.h"

class Win32DDGraphics;

class Win32DSMovie : public KrMovie {
public:
    // The movie of that file, or null when the file cannot be opened as
    // one. A frame graphics that cannot be made is a runtime error.
    static Win32DSMovie* open(const char* file);
    ~Win32DSMovie() override;

    int width() override;
    int height() override;
    bool draw(KrGraphics* destination, int x, int y, int width, int height) override;
    bool playing() override { return playing_; }

private:
    Win32DSMovie() = default;

    Win32DDGraphics* frame_ = nullptr;
    IAMMultiMediaStream* stream_ = nullptr;
    IDirectDrawMediaStream* video_ = nullptr;
    IDirectDrawStreamSample* sample_ = nullptr;
    bool playing_ = false;
};
