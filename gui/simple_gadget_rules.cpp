#include "gui/simple_gadget_rules.h"

#include <cstdint>
#include <limits>

int progressPosition(float progress) {
    // Single precision as the program computes it; the comparisons also send
    // NaN to 0 and keep the conversion within int.
    float scaled = progress * 100.0f;
    if (!(scaled > 0.0f)) return 0;
    if (scaled >= 100.0f) return 100;
    return static_cast<int>(scaled);
}

namespace {

int saturate(int64_t value) {
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

} // namespace

bool sliderScrollTarget(int code, int position, int page, int track, int& target) {
    switch (code) {
    case SliderLineUp: target = saturate(int64_t(position) - 1); return true;
    case SliderLineDown: target = saturate(int64_t(position) + 1); return true;
    case SliderPageUp: target = saturate(int64_t(position) - page); return true;
    case SliderPageDown: target = saturate(int64_t(position) + page); return true;
    case SliderThumbPosition:
    case SliderThumbTrack: target = track; return true;
    }
    return false;
}

int sliderTrackPosition(int reported, int messageWord) {
    const uint32_t low = static_cast<uint32_t>(messageWord) & 0xFFFFu;
    if ((static_cast<uint32_t>(reported) & 0xFFFFu) == low) return reported;
    return static_cast<int>(low);
}

SliderRange sliderRange(int visible, int total) {
    return SliderRange{0, static_cast<int>(static_cast<uint32_t>(total) - 1u), static_cast<unsigned>(visible)};
}

std::vector<std::string_view> toolTipPieces(std::string_view text, int buttons) {
    std::vector<std::string_view> pieces;
    size_t at = 0;
    for (int i = 0; i < buttons && at < text.size(); ++i) {
        size_t comma = text.find(',', at);
        size_t end = comma == std::string_view::npos ? text.size() : comma;
        if (end - at >= 256) break;
        pieces.push_back(text.substr(at, end - at));
        at = comma == std::string_view::npos ? text.size() : comma + 1;
    }
    return pieces;
}
