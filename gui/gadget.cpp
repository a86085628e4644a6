#include "gui/gadget.h"

#include <algorithm>

#include "gfx2d/kr_font.h"
#include "gfx2d/kr_screen.h"
#include "gui/group.h"
#include "gui/icon_strip.h"
#include "gui/layout.h"
#include "lang/kr_string.h"

KrGadget::KrGadget(KrGroup* group, int style) : group_(group), style_(style), text_(krNewEmptyString()) {
    if (group) {
        group->children_.push_back(this);
        owner_ = group->owner();
    } else {
        owner_ = activeScreen();
    }
    saveLayoutOrigin();
}

KrGadget::~KrGadget() {
    if (group_) {
        auto& list = group_->children_;
        auto it = std::find(list.begin(), list.end(), this);
        if (it == list.end()) runtimeError("Error removing gadget from group");
        list.erase(it);
    }
    ::release(iconStrip_);
    ::release(text_);
    ::release(font_);
}

void KrGadget::setIconStrip(KrIconStrip* strip) {
    if (strip) strip->retain();
    ::release(iconStrip_);
    iconStrip_ = strip;
}

void KrGadget::applyLayout() {
    if (!group_) return;
    LayoutAxisInput h{x_, width_, originX_, originWidth_, originClientWidth_, group_->clientWidth(), leftMode_, rightMode_};
    LayoutAxisInput v{y_, height_, originY_, originHeight_, originClientHeight_, group_->clientHeight(), topMode_, bottomMode_};
    LayoutSpan across = layoutAxis(h);
    LayoutSpan down = layoutAxis(v);
    setShape(across.low, down.low, static_cast<int>(static_cast<unsigned>(across.high) - static_cast<unsigned>(across.low)),
             static_cast<int>(static_cast<unsigned>(down.high) - static_cast<unsigned>(down.low)));
}

void KrGadget::saveLayoutOrigin() {
    originX_ = x_;
    originY_ = y_;
    originWidth_ = width_;
    originHeight_ = height_;
    if (group_) {
        originClientWidth_ = std::max(group_->clientWidth(), 1);
        originClientHeight_ = std::max(group_->clientHeight(), 1);
    }
}

void KrGadget::setLayoutModes(int left, int right, int top, int bottom) {
    leftMode_ = left;
    topMode_ = top;
    rightMode_ = right;
    bottomMode_ = bottom;
}

void KrGadget::storeFont(KrFont* font) {
    if (font) reinterpret_cast<KrObject*>(font)->retain();
    ::release(font_);
    font_ = font;
}

void KrGadget::storeText(KrString* text) {
    KrString* fresh = krRetainOrEmpty(text);
    ::release(text_);
    text_ = fresh;
}

void KrGadget::storeShape(int x, int y, int width, int height) {
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
}
