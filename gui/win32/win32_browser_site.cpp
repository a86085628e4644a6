#include "gui/win32/win32_browser_site.h"

namespace {

// Clears an out pointer and answers E_NOTIMPL.
template <typename T>
HRESULT none(T** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

} // namespace

HRESULT CMyFrame::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceUIWindow) ||
        IsEqualIID(riid, IID_IOleInPlaceFrame)) {
        *object = static_cast<IOleInPlaceFrame*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CMyFrame::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = host_;
    return S_OK;
}

HRESULT CMySite::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite)) {
        *object = static_cast<IOleClientSite*>(this);
        return S_OK;
    }
    if (IsEqualIID(riid, IID_IOleInPlaceSite)) {
        *object = static_cast<IOleInPlaceSite*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CMySite::GetMoniker(DWORD, DWORD, IMoniker** moniker) { return none(moniker); }
HRESULT CMySite::GetContainer(IOleContainer** container) { return none(container); }

HRESULT CMySite::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = host_;
    return S_OK;
}

HRESULT CMySite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (frame) *frame = frame_;
    if (document) *document = nullptr;
    RECT client = {};
    GetClientRect(host_, &client);
    if (position) *position = client;
    if (clip) *clip = client;
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = host_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT CNullStorage::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IStorage)) {
        *object = static_cast<IStorage*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CNullStorage::CreateStream(const OLECHAR*, DWORD, DWORD, DWORD, IStream** stream) { return none(stream); }
HRESULT CNullStorage::OpenStream(const OLECHAR*, void*, DWORD, DWORD, IStream** stream) { return none(stream); }
HRESULT CNullStorage::CreateStorage(const OLECHAR*, DWORD, DWORD, DWORD, IStorage** storage) { return none(storage); }
HRESULT CNullStorage::OpenStorage(const OLECHAR*, IStorage*, DWORD, SNB, DWORD, IStorage** storage) {
    return none(storage);
}
HRESULT CNullStorage::EnumElements(DWORD, void*, DWORD, IEnumSTATSTG** elements) { return none(elements); }
