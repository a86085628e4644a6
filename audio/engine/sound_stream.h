// SoundStream: a sound decoded piece by piece while it plays, for music
// files too long to hold decoded.
//
// The mixer sees a window of decoded frames: the first `mixable()` frames
// may be played, and the frame after them is always valid for
// interpolation. While the decoder has more, the last decoded frame is held
// back as that guard; when the mixer reaches it, advance() slides it to the
// front and decodes the next block behind it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "audio/engine/sound_decoder.h"

class SoundStream {
public:
    explicit SoundStream(std::unique_ptr<SoundDecoder> decoder);

    int channels() const { return channels_; }
    int rate() const { return rate_; }
    const int16_t* data() const { return buffer_.data(); }
    int mixable() const { return ended_ ? count_ : count_ - 1; }
    bool ended() const { return ended_; }

    // Called when the play position (32.32 frames) reached mixable(): slides
    // the window on and moves the position with it. False when the stream
    // has nothing more to play.
    bool advance(uint64_t* position);

    // The channel number this stream plays on, or -1.
    int channel = -1;

private:
    void decode(int at);

    std::unique_ptr<SoundDecoder> decoder_;
    int channels_;
    int rate_;
    std::vector<int16_t> buffer_;
    int count_ = 0; // decoded frames in the window
    bool ended_ = false;
};
