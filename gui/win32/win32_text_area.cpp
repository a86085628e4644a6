// Win32TextArea: a text area on the "RichEdit" control of riched32, which the
// driver loads when it starts.
//
// Telling the user's edits from the program's own: all text carries the
// protected effect, so every edit raises EN_PROTECTED before it happens. Raised
// while the area is not locked, it marks a user change as pending; the EN_CHANGE
// that follows posts EVENT_GADGET_ACTION data 1. A selection change with no
// change pending is a cursor move and posts data 0. The program's operations
// run locked, so their notifications post nothing.
//
// Not every rich edit control raises EN_PROTECTED (Wine's edits protected
// text without asking). So what the notifications say while the control
// handles one of its own messages unlocked (a key, a click, a paste) is
// gathered and posted once that message is done: data 1 if the text changed,
// else data 0 if the selection moved. With EN_PROTECTED this gives the same
// events; without it, a typed character is still a change and not a move.
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "gui/text_area.h"
#include "gui/text_range.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"

namespace {

// The text limit and the notifications asked for (change, selection change,
// protected).
constexpr LPARAM kTextLimit = 0x100000;
constexpr LPARAM kEventMask = ENM_CHANGE | ENM_SELCHANGE | ENM_PROTECTED;

// The bytes of a string handed to EM_STREAMIN in the pieces it asks for.
struct StreamSource {
    const char* bytes;
    LONG left;
};

DWORD CALLBACK readStreamSource(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    LONG count = std::min(size, source->left);
    if (count > 0) std::memcpy(buffer, source->bytes, count);
    source->bytes += count;
    source->left -= count;
    *done = count;
    return 0;
}

// EM_STREAMOUT's pieces appended to a string.
DWORD CALLBACK writeStreamTarget(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), size);
    *done = size;
    return 0;
}

CHARFORMATA charFormat(DWORD mask, DWORD effects, COLORREF colour) {
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = mask;
    format.dwEffects = effects;
    format.crTextColor = colour;
    return format;
}

class Win32TextArea : public Win32Gadget<KrTextArea>, private TextLines {
public:
    Win32TextArea(KrGroup* group, int style) : Win32Gadget<KrTextArea>(group, style) {
        HWND parent = reinterpret_cast<HWND>(static_cast<intptr_t>(group->query(2)));
        DWORD ws = WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
        if (!(style & 1)) ws |= WS_HSCROLL | ES_AUTOHSCROLL;
        HWND hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, "RichEdit", "", ws, 0, 0, 0, 0, parent, nullptr, win32Instance(),
                                    nullptr);
        native_.bind(hwnd, this, 0, this);
        send(EM_LIMITTEXT, kTextLimit, 0);
        send(EM_SETEVENTMASK, 0, kEventMask);
        // Typed text takes the format at the cursor: protected from the start.
        // The default format is marked too, so text that the control makes
        // anew (after everything was deleted, or set as the gadget text) is.
        CHARFORMATA format = charFormat(CFM_PROTECTED, CFE_PROTECTED, 0);
        send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        send(EM_SETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    }

    // The gadget text replaces the whole text, and a font reformats it:
    // changes of the program's, made locked like the others.
    void setText(KrString* text) override {
        lock();
        Win32Gadget<KrTextArea>::setText(text);
        unlock();
    }

    // WM_SETFONT reformats the text and the default format, but a control may
    // keep the format it holds for the next typed character (Wine's does:
    // the protected mark set at creation kept its first font, the bold
    // System font, for all text to come). That format follows the font too.
    void setFont(KrFont* font) override {
        lock();
        Win32Gadget<KrTextArea>::setFont(font);
        CHARRANGE range = selection();
        if (range.cpMin == range.cpMax) {
            CHARFORMATA format = charFormat(0, 0, 0);
            send(EM_GETCHARFORMAT, FALSE, reinterpret_cast<LPARAM>(&format));
            format.dwMask &= CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
            format.dwMask |= CFM_PROTECTED;
            format.dwEffects |= CFE_PROTECTED;
            send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        }
        unlock();
    }

    void setTabs(int tabs) override {
        HDC screen = GetDC(nullptr);
        int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        PARAFORMAT format = {};
        format.cbSize = sizeof format;
        format.dwMask = PFM_TABSTOPS;
        format.cTabCount = MAX_TAB_STOPS;
        for (int i = 0; i < MAX_TAB_STOPS; ++i) format.rgxTabs[i] = tabStopTwips(i, tabs, pixelsPerInch);
        lock();
        select(0, -1);
        send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
        unlock();
    }

    void setTextColour(uint32_t colour) override {
        CHARFORMATA format = charFormat(CFM_COLOR | CFM_PROTECTED, CFE_PROTECTED, colour);
        lock();
        select(0, -1);
        send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        unlock();
    }

    void setBackgroundColour(uint32_t colour) override { send(EM_SETBKGNDCOLOR, 0, colour); }

    int length(int units) override { return textLength(*this, units); }

    int selectionLength(int units) override {
        CHARRANGE range = selection();
        if (units == kTextUnitsLines) return ::lineOfChar(*this, range.cpMax) - ::lineOfChar(*this, range.cpMin) + 1;
        return range.cpMax - range.cpMin;
    }

    int cursor(int units) override {
        CHARRANGE range = selection();
        return units == kTextUnitsLines ? ::lineOfChar(*this, range.cpMin) : range.cpMin;
    }

    int lineOfChar(int ch) override { return ::lineOfChar(*this, ch); }
    int firstCharOfLine(int line) override { return ::firstCharOfLine(*this, line); }

    void addText(KrString* text) override {
        lock();
        int end = charCount();
        select(end, end);
        streamIn(text);
        unlock();
        end = charCount();
        select(end, end);
    }

    void setTextRange(KrString* text, int pos, int len, int units) override {
        TextRange range = normaliseTextRange(*this, pos, len, units);
        lock();
        select(range.start, range.start + range.length);
        streamIn(text);
        unlock();
    }

    void formatText(uint32_t colour, int flags, int pos, int len, int units) override {
        TextRange range = normaliseTextRange(*this, pos, len, units);
        if (range.length == 0) return;
        DWORD effects = CFE_PROTECTED | ((flags & 1) ? CFE_BOLD : 0) | ((flags & 2) ? CFE_ITALIC : 0);
        CHARFORMATA wanted = charFormat(CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_PROTECTED, effects, colour);
        lock();
        select(range.start, range.start + range.length);
        CHARFORMATA current = charFormat(0, 0, 0);
        send(EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&current));
        // A range of mixed formats reports the first character's values and
        // clears the mask bit of what differs: such a range always changes.
        constexpr DWORD kCompared = CFM_COLOR | CFM_BOLD | CFM_ITALIC;
        constexpr DWORD kStyle = CFE_BOLD | CFE_ITALIC;
        bool differs = (current.dwMask & kCompared) != kCompared || (current.dwEffects & kStyle) != (effects & kStyle) ||
                       current.crTextColor != colour;
        if (differs) send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&wanted));
        unlock();
    }

    KrString* textRange(int pos, int len, int units) override {
        TextRange range = normaliseTextRange(*this, pos, len, units);
        if (range.length == 0) return krNewEmptyString();
        std::string buffer(static_cast<size_t>(range.length) + 1, '\0');
        TEXTRANGEA request = {{range.start, range.start + range.length}, buffer.data()};
        LRESULT copied = send(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request));
        int count = static_cast<int>(std::clamp<LRESULT>(copied, 0, range.length));
        // A control that stops copying at a NUL character (Wine's) leaves
        // the rest of the range unread; streamed out, nothing is lost.
        if (std::memchr(buffer.data(), 0, count)) buffer = streamOut(range.start, range.start + range.length);
        else buffer.resize(count);
        return krNewString(buffer.data(), static_cast<int>(buffer.size()));
    }

    void lock() override {
        if (lockCount_++ > 0) return;
        send(EM_HIDESELECTION, TRUE, FALSE);
        saved_ = selection();
    }

    void unlock() override {
        // An unlock without its lock would leave the count below zero, where
        // the program's own operations would no longer keep the selection
        // nor stay silent: it is ignored.
        if (lockCount_ <= 0) return;
        if (lockCount_ == 1) {
            // Put back while still locked: the selection change this makes
            // is the program's, not a cursor move of the user's.
            send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved_));
            send(EM_HIDESELECTION, FALSE, FALSE);
        }
        --lockCount_;
    }

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) override {
        // Each event is posted last: the program may free the area as soon as
        // it has it.
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->hwndFrom == native_.handle()) {
            switch (reinterpret_cast<NMHDR*>(lParam)->code) {
            case EN_PROTECTED:
                if (lockCount_ == 0) userChangePending_ = true;
                return 0; // the change is allowed
            case EN_SELCHANGE:
                if (lockCount_ == 0 && !userChangePending_) userAction(moved_, 0);
                return 0;
            }
        } else if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == native_.handle()) {
            if (HIWORD(wParam) == EN_CHANGE && lockCount_ == 0 && (userChangePending_ || handling_ > 0)) {
                userChangePending_ = false;
                userAction(changed_, 1);
            }
            return 0;
        } else if (hwnd == native_.handle()) {
            if (handling_++ == 0) changed_ = moved_ = false;
            LRESULT result = CallWindowProcA(previous, hwnd, message, wParam, lParam);
            if (--handling_ == 0 && (changed_ || moved_)) emit(EVENT_GADGET_ACTION, changed_ ? 1 : 0);
            return result;
        }
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }

private:
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageA(native_.handle(), message, wParam, lParam);
    }

    CHARRANGE selection() {
        CHARRANGE range = {0, 0};
        send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return range;
    }

    void select(LONG start, LONG end) {
        CHARRANGE range = {start, end};
        send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }

    // Replaces the selection with the string's bytes as plain text.
    void streamIn(KrString* text) {
        StreamSource source = {krText(text), krLength(text)};
        EDITSTREAM stream = {};
        stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
        stream.pfnCallback = &readStreamSource;
        send(EM_STREAMIN, SF_TEXT | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
    }

    // The characters start .. end as plain text, read with the area locked
    // (the range is selected to be read).
    std::string streamOut(LONG start, LONG end) {
        std::string text;
        EDITSTREAM stream = {};
        stream.dwCookie = reinterpret_cast<DWORD_PTR>(&text);
        stream.pfnCallback = &writeStreamTarget;
        lock();
        select(start, end);
        send(EM_STREAMOUT, SF_TEXT | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
        unlock();
        return text;
    }

    int charCount() override { return static_cast<int>(send(WM_GETTEXTLENGTH, 0, 0)); }
    int lineCount() override { return static_cast<int>(send(EM_GETLINECOUNT, 0, 0)); }
    int lineIndex(int line) override { return static_cast<int>(send(EM_LINEINDEX, line, 0)); }
    int lineFromChar(int ch) override { return static_cast<int>(send(EM_EXLINEFROMCHAR, 0, ch)); }

    // Posts now, or notes it for the end of the control's message.
    void userAction(bool& noted, int data) {
        if (handling_ > 0)
            noted = true;
        else
            emit(EVENT_GADGET_ACTION, data);
    }

    int lockCount_ = 0;
    bool userChangePending_ = false;
    int handling_ = 0; // depth of the control's own messages being handled
    bool changed_ = false, moved_ = false;
    CHARRANGE saved_ = {0, 0};
};

} // namespace

KrTextArea* Win32GuiDriver::createTextArea(KrGroup* group, int style) {
    auto* area = new Win32TextArea(group, style);
    area->setFont(defaultFont_);
    return area;
}
