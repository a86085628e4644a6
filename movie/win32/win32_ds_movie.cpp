// Win32DSMovie: opening, drawing and releasing a multimedia-stream movie.
#include "movie/win32/win32_ds_movie.h"

#include <vector>

#include "gfx2d/backends/directdraw/win32_dd_graphics.h"
#include "movie/frame_stretch.h"
#include "runtime/runtime_error.h"

namespace {

// Opens the file, its name converted from the ANSI code page to UTF-16.
bool openFile(IAMMultiMediaStream* stream, const char* file) {
    int length = MultiByteToWideChar(CP_ACP, 0, file, -1, nullptr, 0);
    if (length <= 0) return false;
    std::vector<wchar_t> name(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, file, -1, name.data(), length);
    return SUCCEEDED(stream->OpenFile(name.data(), 0));
}

// A multimedia stream for reading with a video stream on the running
// DirectDraw object and, where it can be had, an audio stream with the
// default renderer; null when the video stream cannot be made.
IAMMultiMediaStream* createStream() {
    IAMMultiMediaStream* stream = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AMMultiMediaStream, nullptr, CLSCTX_INPROC_SERVER, IID_IAMMultiMediaStream,
                                reinterpret_cast<void**>(&stream))))
        return nullptr;
    if (FAILED(stream->Initialize(STREAMTYPE_READ, AMMSF_NOGRAPHTHREAD, nullptr))) {
        releaseInterface(stream);
        return nullptr;
    }
    IDirectDraw* ddraw = nullptr;
    HRESULT hr = win32DirectDraw()->QueryInterface(IID_IDirectDraw, reinterpret_cast<void**>(&ddraw));
    if (SUCCEEDED(hr)) hr = stream->AddMediaStream(ddraw, &MSPID_PrimaryVideo, 0, nullptr);
    releaseInterface(ddraw);
    if (FAILED(hr)) {
        releaseInterface(stream);
        return nullptr;
    }
    // Without a sound device this fails; the movie then plays silently.
    stream->AddMediaStream(nullptr, &MSPID_PrimaryAudio, AMMSF_ADDDEFAULTRENDERER, nullptr);
    return stream;
}

// The stream's video stream as a DirectDraw media stream, or null.
IDirectDrawMediaStream* videoStream(IAMMultiMediaStream* stream) {
    IMediaStream* media = nullptr;
    if (FAILED(stream->GetMediaStream(MSPID_PrimaryVideo, &media))) return nullptr;
    IDirectDrawMediaStream* video = nullptr;
    if (FAILED(media->QueryInterface(IID_IDirectDrawMediaStream, reinterpret_cast<void**>(&video)))) video = nullptr;
    releaseInterface(media);
    return video;
}

// A sample on the whole of the frame graphics' surface, or null.
IDirectDrawStreamSample* frameSample(IDirectDrawMediaStream* video, Win32DDGraphics* frame) {
    IDirectDrawSurface7* surface7 = frame->drawSurface();
    IDirectDrawSurface* surface = nullptr;
    if (!surface7 || FAILED(surface7->QueryInterface(IID_IDirectDrawSurface, reinterpret_cast<void**>(&surface))))
        return nullptr;
    IDirectDrawStreamSample* sample = nullptr;
    if (FAILED(video->CreateSample(surface, nullptr, 0, &sample))) {
        // A stream that decodes into another pixel format is asked for the
        // surface's own before giving up.
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof(desc);
        sample = nullptr;
        if (SUCCEEDED(surface->GetSurfaceDesc(&desc)) && SUCCEEDED(video->SetFormat(&desc, nullptr)) &&
            FAILED(video->CreateSample(surface, nullptr, 0, &sample)))
            sample = nullptr;
    }
    releaseInterface(surface);
    return sample;
}

} // namespace

Win32DSMovie* Win32DSMovie::open(const char* file) {
    IAMMultiMediaStream* stream = createStream();
    if (!stream) return nullptr;
    IDirectDrawMediaStream* video = nullptr;
    DDSURFACEDESC format = {};
    format.dwSize = sizeof(format);
    if (openFile(stream, file)) video = videoStream(stream);
    // A file without a picture (no video, or a zero frame size) is no movie.
    if (!video || FAILED(video->GetFormat(&format, nullptr, nullptr, nullptr)) ||
        static_cast<int>(format.dwWidth) <= 0 || static_cast<int>(format.dwHeight) <= 0) {
        releaseInterface(video);
        releaseInterface(stream);
        return nullptr;
    }
    Win32DDGraphics* frame =
        Win32DDGraphics::create(kDDDisplay, static_cast<int>(format.dwWidth), static_cast<int>(format.dwHeight));
    if (!frame) {
        releaseInterface(video);
        releaseInterface(stream);
        runtimeError("Failed to create DirectDraw graphics");
    }
    auto* movie = new Win32DSMovie;
    movie->frame_ = frame;
    movie->stream_ = stream;
    movie->video_ = video;
    movie->sample_ = frameSample(video, frame);
    if (!movie->sample_ || FAILED(stream->SetState(STREAMSTATE_RUN))) {
        movie->release();
        return nullptr;
    }
    movie->playing_ = true;
    return movie;
}

// The stream stops before the sample and the streams go; the frame surface
// goes last.
Win32DSMovie::~Win32DSMovie() {
    if (stream_) stream_->SetState(STREAMSTATE_STOP);
    releaseInterface(sample_);
    releaseInterface(video_);
    releaseInterface(stream_);
    if (frame_) frame_->release();
}

int Win32DSMovie::width() { return frame_->width(); }
int Win32DSMovie::height() { return frame_->height(); }

bool Win32DSMovie::draw(KrGraphics* destination, int x, int y, int width, int height) {
    auto* target = dynamic_cast<Win32DDGraphics*>(destination);
    if (!target) return false;
    if (!playing_ || !target->drawSurface() || !frame_->drawSurface()) return true;
    // Anything but a delivered frame (the end of the stream, a failure)
    // ends the movie.
    if (sample_->Update(0, nullptr, nullptr, 0) != S_OK) {
        playing_ = false;
        return true;
    }
    FrameStretch plan;
    if (!planFrameStretch(target->width(), target->height(), frame_->width(), frame_->height(), x, y, width, height,
                          plan))
        return true;
    RECT dst = {plan.dstLeft, plan.dstTop, plan.dstRight, plan.dstBottom};
    RECT src = {plan.srcLeft, plan.srcTop, plan.srcRight, plan.srcBottom};
    if (!target->stretchBlit(dst, frame_, src)) stretchFrame(*target, *frame_, x, y, width, height, plan);
    return true;
}
