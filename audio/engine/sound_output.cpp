#include "audio/engine/sound_output.h"

namespace {

SoundOutputKind*& outputKinds() {
    static SoundOutputKind* head = nullptr;
    return head;
}

} // namespace

SoundOutputKind::SoundOutputKind(const char* name, int order, std::unique_ptr<SoundOutput> (*create)())
    : name(name), order(order), create(create), next(nullptr) {
    SoundOutputKind** p = &outputKinds();
    while (*p && (*p)->order <= order) p = &(*p)->next;
    next = *p;
    *p = this;
}

SoundOutputKind* firstSoundOutputKind() { return outputKinds(); }
