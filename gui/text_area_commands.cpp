// The text area commands: creation, tabs, font and colours, the length,
// line and cursor queries, adding, replacing, formatting and reading text,
// and the lock that batches operations without events.
#include "gfx2d/kr_font.h"
#include "gui/colour_word.h"
#include "gui/gadget_creation.h"
#include "gui/gui_driver.h"
#include "gui/text_area.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

namespace {

KrTextArea* textArea(int handle) { return castHandle<KrTextArea>(handle); }

} // namespace

extern "C" {

__attribute__((stdcall)) int CreateTextArea(int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    return finishGadget(guiDriver().createTextArea(parent, style), x, y, width, height, nullptr);
}

__attribute__((stdcall)) void SetTextAreaTabs(int area, int tabs) { textArea(area)->setTabs(tabs); }

__attribute__((stdcall)) void SetTextAreaFont(int area, int font) {
    KrTextArea* t = textArea(area);
    t->setFont(castHandle<KrFont>(font));
}

__attribute__((stdcall)) void SetTextAreaColor(int area, int red, int green, int blue, int background) {
    KrTextArea* t = textArea(area);
    uint32_t colour = platformColour(red, green, blue);
    if (background == 0)
        t->setTextColour(colour);
    else
        t->setBackgroundColour(colour);
}

__attribute__((stdcall)) int TextAreaLen(int area, int units) { return textArea(area)->length(units); }
__attribute__((stdcall)) int TextAreaLineLen(int area, int line) { return textArea(area)->lineLength(line); }
__attribute__((stdcall)) int TextAreaChar(int area, int line) { return textArea(area)->firstCharOfLine(line); }
__attribute__((stdcall)) int TextAreaLine(int area, int ch) { return textArea(area)->lineOfChar(ch); }
__attribute__((stdcall)) int TextAreaCursor(int area, int units) { return textArea(area)->cursor(units); }
__attribute__((stdcall)) int TextAreaSelLen(int area, int units) { return textArea(area)->selectionLength(units); }

__attribute__((stdcall)) void AddTextAreaText(int area, KrString* text) { textArea(area)->addText(text); }

__attribute__((stdcall)) void SetTextAreaText(int area, KrString* text, int pos, int len, int units) {
    textArea(area)->setTextRange(text, pos, len, units);
}

__attribute__((stdcall)) void FormatTextAreaText(int area, int red, int green, int blue, int flags, int pos, int len,
                                                 int units) {
    textArea(area)->formatText(platformColour(red, green, blue), flags, pos, len, units);
}

__attribute__((stdcall)) KrString* TextAreaText(int area, int pos, int len, int units) {
    return textArea(area)->textRange(pos, len, units);
}

__attribute__((stdcall)) void LockTextArea(int area) { textArea(area)->lock(); }
__attribute__((stdcall)) void UnlockTextArea(int area) { textArea(area)->unlock(); }
}

KR_COMMAND(Gadget, "%CreateTextArea%x%y%width%height%group%style=0", CreateTextArea);
KR_COMMAND(Gadget, "SetTextAreaTabs%textarea%tabs", SetTextAreaTabs);
KR_COMMAND(Gadget, "SetTextAreaFont%textarea%font", SetTextAreaFont);
KR_COMMAND(Gadget, "SetTextAreaColor%textarea%red%green%blue%background=0", SetTextAreaColor);
KR_COMMAND(Gadget, "%TextAreaLen%textarea%units=1", TextAreaLen);
KR_COMMAND(Gadget, "%TextAreaLineLen%textarea%line", TextAreaLineLen);
KR_COMMAND(Gadget, "%TextAreaChar%textarea%line", TextAreaChar);
KR_COMMAND(Gadget, "%TextAreaLine%textarea%char", TextAreaLine);
KR_COMMAND(Gadget, "%TextAreaCursor%textarea%units=1", TextAreaCursor);
KR_COMMAND(Gadget, "%TextAreaSelLen%textarea%units=1", TextAreaSelLen);
KR_COMMAND(Gadget, "AddTextAreaText%textarea$text", AddTextAreaText);
KR_COMMAND(Gadget, "SetTextAreaText%textarea$text%pos=0%len=-1%units=1", SetTextAreaText);
KR_COMMAND(Gadget, "FormatTextAreaText%textarea%red%green%blue%flags%pos=0%len=-1%units=1", FormatTextAreaText);
KR_COMMAND(Gadget, "$TextAreaText%textarea%pos=0%len=-1%units=1", TextAreaText);
KR_COMMAND(Gadget, "LockTextArea%textarea", LockTextArea);
KR_COMMAND(Gadget, "UnlockTextArea%textarea", UnlockTextArea);
