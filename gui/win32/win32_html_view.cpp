// Win32HtmlView: a host window of the driver's class with the platform's web
// browser control (an OLE object) shown in place in its client area.
//
// The control is created on a storage that keeps nothing, marked as
// contained, shown with the show verb and sent to "about:blank". Where it
// cannot be created (no OLE, no browser, no HTML engine), the host stays an
// empty window and go, back and forward do nothing.
#include <exdisp.h>

#include <string>

#include "gui/html_view.h"
#include "gui/win32/win32_browser_site.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"

namespace {

class Win32HtmlView : public Win32Gadget<KrHtmlView> {
public:
    Win32HtmlView(KrGroup* group, int style, bool oleReady)
        : Win32Gadget<KrHtmlView>(group, style), host_(win32CreateControl(group, 0, win32WindowClass(), 0)),
          frame_(host_), site_(host_, &frame_) {
        native_.bind(host_, this, 0, this);
        if (oleReady && host_) embedBrowser();
    }

    // The browser goes while its host window is still there.
    ~Win32HtmlView() override {
        if (inPlace_) inPlace_->Release();
        if (browser_) browser_->Release();
        if (object_) {
            object_->Close(OLECLOSE_NOSAVE);
            object_->Release();
        }
    }

    void go(KrString* url) override { navigate(krText(url)); }

    void back() override {
        if (browser_) browser_->GoBack();
    }

    void forward() override {
        if (browser_) browser_->GoForward();
    }

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) override {
        switch (message) {
        case WM_SIZE:
            if (inPlace_) {
                RECT r = {0, 0, LOWORD(lParam), HIWORD(lParam)};
                inPlace_->SetObjectRects(&r, &r);
            }
            return 0;
        // The browser covers the whole client area.
        case WM_ERASEBKGND: return 1;
        }
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }

private:
    void embedBrowser() {
        IOleObject* object = nullptr;
        if (FAILED(OleCreate(CLSID_WebBrowser, IID_IOleObject, OLERENDER_DRAW, nullptr, &site_, &storage_,
                             reinterpret_cast<void**>(&object))) ||
            !object)
            return;
        object_ = object;
        OleSetContainedObject(object, TRUE);
        object->SetHostNames(L"Web Host", L"Web View");
        RECT client = {};
        GetClientRect(host_, &client);
        object->DoVerb(OLEIVERB_SHOW, nullptr, &site_, -1, host_, &client);
        if (FAILED(object->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_)))) browser_ = nullptr;
        if (FAILED(object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace_))))
            inPlace_ = nullptr;
        navigate("about:blank");
    }

    // The URL in the ANSI code page, as a wide string; no flags, frame, post
    // data or headers.
    void navigate(const char* url) {
        if (!browser_) return;
        int length = MultiByteToWideChar(CP_ACP, 0, url, -1, nullptr, 0);
        if (length <= 0) return;
        std::wstring wide(static_cast<size_t>(length), L'\0');
        MultiByteToWideChar(CP_ACP, 0, url, -1, wide.data(), length);
        BSTR address = SysAllocString(wide.c_str());
        if (!address) return;
        VARIANT empty;
        VariantInit(&empty);
        browser_->Navigate(address, &empty, &empty, &empty, &empty);
        SysFreeString(address);
    }

    HWND host_;
    CMyFrame frame_;
    CMySite site_;
    CNullStorage storage_;
    IOleObject* object_ = nullptr;
    IWebBrowser2* browser_ = nullptr;
    IOleInPlaceObject* inPlace_ = nullptr;
};

} // namespace

KrHtmlView* win32CreateHtmlView(KrGroup* group, int style, bool oleReady) {
    return new Win32HtmlView(group, style, oleReady);
}
