#include "gui/screen_link.h"

namespace {

KrScreenLink theLink;

} // namespace

void setScreenLink(const KrScreenLink& link) { theLink = link; }

KrResource* currentScreen() { return theLink.currentScreen ? theLink.currentScreen() : nullptr; }

void* screenNativeWindow(KrResource* screen) {
    return screen && theLink.nativeWindow ? theLink.nativeWindow(screen) : nullptr;
}
