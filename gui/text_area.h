// KrTextArea: a multi-line rich-text editor gadget. The program reads,
// replaces, colours and emboldens its text by position and length, in
// characters or lines (gui/text_range.h), and learns of the user's edits
// (EVENT_GADGET_ACTION data 1) and cursor moves (data 0).
//
// Every operation of the program keeps the user's selection: it runs inside
// its own lock, and the outermost lock saves the selection and its unlock
// puts it back. While locked, the text area posts no events.
#pragma once

#include <cstdint>

#include "gui/gadget.h"

class KrTextArea : public KrGadget {
public:
    static constexpr const char* kHandleName = "TextArea Gadget";

    using KrGadget::KrGadget;

    // Slots 11-25, in this order after those of KrGadget. Positions and
    // lengths are in `units` (2 lines, otherwise characters); colours are
    // platform colour words (red in the low byte).
    virtual void setTabs(int tabs) = 0;
    virtual void setTextColour(uint32_t colour) = 0;
    virtual void setBackgroundColour(uint32_t colour) = 0;
    virtual int length(int units) = 0;
    virtual int selectionLength(int units) = 0;
    virtual int cursor(int units) = 0;
    virtual int lineOfChar(int ch) = 0;
    virtual int firstCharOfLine(int line) = 0;
    virtual void addText(KrString* text) = 0;
    // Replaces the normalised range (an empty one still inserts).
    virtual void setTextRange(KrString* text, int pos, int len, int units) = 0;
    // Flags: 1 bold, 2 italic. An empty range changes nothing.
    virtual void formatText(uint32_t colour, int flags, int pos, int len, int units) = 0;
    // A new string of the normalised range.
    virtual KrString* textRange(int pos, int len, int units) = 0;
    virtual void lock() = 0;
    virtual void unlock() = 0;
    // From the start of the line to the start of the next; 0 outside the text.
    virtual int lineLength(int line);
};
