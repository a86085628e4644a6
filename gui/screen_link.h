// The link from the gadget system to the 2D subsystem's current screen.
//
// Gadgets made without a group take the current screen as their owner, and a
// window made without a group is owned by the screen's native window and
// released with the screen. The gadget system does not know screens: the 2D
// subsystem installs a lookup while it runs. Without one there is no screen.
#pragma once

class KrResource;

struct KrScreenLink {
    // The current screen, or null.
    KrResource* (*currentScreen)() = nullptr;
    // The native window of a screen (an opaque platform handle), or null.
    void* (*nativeWindow)(KrResource* screen) = nullptr;
};

void setScreenLink(const KrScreenLink& link);
KrResource* currentScreen();
void* screenNativeWindow(KrResource* screen);
