#include "audio/engine/sound_stream.h"

#include <algorithm>

namespace {

constexpr int kBlockFrames = 4096;

} // namespace

SoundStream::SoundStream(std::unique_ptr<SoundDecoder> decoder)
    : decoder_(std::move(decoder)), channels_(decoder_->channels()), rate_(decoder_->rate()),
      buffer_(static_cast<size_t>(kBlockFrames + 2) * channels_) {
    decode(0);
}

void SoundStream::decode(int at) {
    int got = decoder_->read(buffer_.data() + at * channels_, kBlockFrames);
    count_ = at + got;
    if (got == 0) {
        ended_ = true;
        // The guard after the final frame repeats it.
        int last = count_ > 0 ? count_ - 1 : 0;
        for (int c = 0; c < channels_; ++c)
            buffer_[count_ * channels_ + c] = count_ > 0 ? buffer_[last * channels_ + c] : 0;
    }
}

bool SoundStream::advance(uint64_t* position) {
    if (ended_) return false;
    // Keep the held-back frame as the new first frame.
    int keep = count_ - 1;
    std::copy_n(buffer_.begin() + keep * channels_, channels_, buffer_.begin());
    *position -= static_cast<uint64_t>(keep) << 32;
    decode(1);
    return mixable() > 0;
}
