// KrGadget: every GUI element a program creates (window, panel, canvas,
// button, ...), an event source handed to the program as a handle.
//
// The platform-free half of a gadget: the fields every gadget carries and the
// virtual operations a gadget driver implements. A concrete gadget does the
// native work in slots setFont..activate and then stores the value with the
// store* helpers, so the getters never ask the platform. Gadgets form a tree:
// each lives in a group (KrGroup) except the desktop and windows made without
// one; the group lists its children but holds no references to them.
#pragma once

#include "events/event_source.h"

class KrFont;
class KrGroup;
class KrIconStrip;
class KrString;

class KrGadget : public KrEventSource {
public:
    static constexpr const char* kHandleName = "Gadget";

    // Stores group and style, joins the group's children (taking the group's
    // owner as its own) or takes the active screen as owner, and saves the
    // layout origin. The shape starts 0,0,0,0, hidden, enabled, text "".
    KrGadget(KrGroup* group, int style);
    // Leaves the group's children and drops the icon strip, text and font.
    ~KrGadget() override;

    // Slots 3-10, in this order after those of KrEventSource.
    virtual void setFont(KrFont* font) = 0;
    virtual void setText(KrString* text) = 0;
    virtual void setShape(int x, int y, int width, int height) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void activate() = 0;
    virtual void setIconStrip(KrIconStrip* strip); // stores the strip
    virtual void applyLayout();                     // re-places the gadget in its group

    // Copies the shape into the origin and, with a group, the group's client
    // size (each at least 1).
    void saveLayoutOrigin();
    // Stores the edge modes in argument order (left, right, top, bottom).
    void setLayoutModes(int left, int right, int top, int bottom);

    KrGroup* group() const { return group_; }
    KrResource* owner() const { return owner_; }
    int style() const { return style_; }
    int x() const { return x_; }
    int y() const { return y_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool visible() const { return visible_; }
    bool enabled() const { return enabled_; }
    KrFont* font() const { return font_; }
    KrString* text() const { return text_; } // never null
    KrIconStrip* iconStrip() const { return iconStrip_; }

protected:
    void storeFont(KrFont* font);
    void storeText(KrString* text);
    void storeShape(int x, int y, int width, int height);
    void storeVisible(bool visible) { visible_ = visible; }
    void storeEnabled(bool enabled) { enabled_ = enabled; }

private:
    friend class KrGroup;

    KrGroup* group_;
    KrResource* owner_ = nullptr;
    int style_;
    int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
    bool visible_ = false;
    bool enabled_ = true;
    KrFont* font_ = nullptr;
    KrString* text_;
    KrIconStrip* iconStrip_ = nullptr;
    int originX_ = 0, originY_ = 0, originWidth_ = 0, originHeight_ = 0;
    int originClientWidth_ = 1, originClientHeight_ = 1;
    // In storage order: left, top, right, bottom.
    int leftMode_ = 0, topMode_ = 0, rightMode_ = 0, bottomMode_ = 0;
};
