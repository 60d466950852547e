// Parts dragged out of the parts dialog.
#include "app/PartsDragOut_win.h"

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "platform/Wide_win.h"

namespace {

// The reference counting of one COM interface, for objects made with new.
template <class I, const IID& kIid>
class CComObject : public I {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == kIid) {
            *ppv = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG n = --m_nRefs;
        if (n == 0)
            delete this;
        return n;
    }

protected:
    virtual ~CComObject() = default;

private:
    ULONG m_nRefs = 1;
};

// What a dragged part offers: its files as a drop list (CF_HDROP) and as a
// shell ID list ("Shell IDList Array"), and the tree item it came from
// ("Message Part Item Handle"), each a fresh copy for each asker; anything a
// drop helper stores with SetData (the drag image) is kept and given back.
class CPartsData : public CComObject<IDataObject, IID_IDataObject> {
public:
    CPartsData(std::vector<std::string> paths, HTREEITEM item) : m_paths(std::move(paths)), m_item(item) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override
    {
        if (!(pFormat->tymed & TYMED_HGLOBAL))
            return DV_E_TYMED;
        HGLOBAL h = nullptr;
        if (pFormat->cfFormat == CF_HDROP)
            h = MakeFileDropList(m_paths);
        else if (pFormat->cfFormat == ShellIdListFormat())
            h = MakeShellIdList(m_paths);
        else if (pFormat->cfFormat == PartItemFormat())
            h = MakePartItemHandle(m_item);
        else if (const CStored* stored = Find(pFormat->cfFormat))
            h = Copy(stored->hGlobal);
        else
            return DV_E_FORMATETC;
        if (!h)
            return E_OUTOFMEMORY;
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = h;
        pMedium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override
    {
        if (!(pFormat->tymed & TYMED_HGLOBAL))
            return DV_E_TYMED;
        CLIPFORMAT cf = pFormat->cfFormat;
        return cf == CF_HDROP || cf == ShellIdListFormat() || cf == PartItemFormat() || Find(cf) ? S_OK
                                                                                                 : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override
    {
        pOut->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* pFormat, STGMEDIUM* pMedium, BOOL bRelease) override
    {
        if (pFormat->tymed != TYMED_HGLOBAL || pMedium->tymed != TYMED_HGLOBAL)
            return DV_E_TYMED;
        HGLOBAL h = bRelease ? pMedium->hGlobal : Copy(pMedium->hGlobal);
        if (!h)
            return E_OUTOFMEMORY;
        if (CStored* old = Find(pFormat->cfFormat)) {
            ::GlobalFree(old->hGlobal);
            old->hGlobal = h;
        } else {
            m_stored.push_back({pFormat->cfFormat, h});
        }
        if (bRelease && pMedium->pUnkForRelease)
            pMedium->pUnkForRelease->Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override
    {
        if (dwDirection != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> formats;
        for (CLIPFORMAT cf : {static_cast<CLIPFORMAT>(CF_HDROP), ShellIdListFormat(), PartItemFormat()})
            formats.push_back({cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
        for (const CStored& stored : m_stored)
            formats.push_back({stored.cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
        return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), ppEnum);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

protected:
    ~CPartsData() override
    {
        for (const CStored& stored : m_stored)
            ::GlobalFree(stored.hGlobal);
    }

private:
    struct CStored {
        CLIPFORMAT cf;
        HGLOBAL hGlobal;
    };
    CStored* Find(CLIPFORMAT cf)
    {
        for (CStored& stored : m_stored)
            if (stored.cf == cf)
                return &stored;
        return nullptr;
    }
    static HGLOBAL Copy(HGLOBAL h)
    {
        SIZE_T n = ::GlobalSize(h);
        HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, n);
        const void* from = ::GlobalLock(h);
        void* to = copy ? ::GlobalLock(copy) : nullptr;
        if (from && to)
            std::memcpy(to, from, n);
        if (to)
            ::GlobalUnlock(copy);
        if (from)
            ::GlobalUnlock(h);
        if (copy && (!from || !to)) {
            ::GlobalFree(copy);
            copy = nullptr;
        }
        return copy;
    }

    std::vector<std::string> m_paths;
    HTREEITEM m_item;
    std::vector<CStored> m_stored;
};

class CDropSource : public CComObject<IDropSource, IID_IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL bEscape, DWORD keys) override
    {
        if (bEscape)
            return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

} // namespace

HGLOBAL MakeFileDropList(const std::vector<std::string>& paths)
{
    std::wstring list;
    for (const std::string& path : paths)
        list += Wide(path) + L'\0';
    list += L'\0';
    HGLOBAL hDrop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    if (!hDrop)
        return nullptr;
    auto* pDrop = static_cast<DROPFILES*>(::GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = TRUE;
    std::memcpy(pDrop + 1, list.data(), list.size() * sizeof(wchar_t));
    ::GlobalUnlock(hDrop);
    return hDrop;
}

CLIPFORMAT ShellIdListFormat() { return static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Shell IDList Array")); }

CLIPFORMAT PartItemFormat()
{
    return static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Message Part Item Handle"));
}

HGLOBAL MakeShellIdList(const std::vector<std::string>& paths)
{
    // Every file as a full ID list below the desktop, whose own list is empty:
    // the parts of a nested multipart lie in folders of their own.
    std::vector<PIDLIST_ABSOLUTE> pidls;
    for (const std::string& path : paths) {
        PIDLIST_ABSOLUTE pidl = nullptr;
        if (FAILED(::SHParseDisplayName(Wide(path).c_str(), nullptr, &pidl, 0, nullptr)) || !pidl)
            break;
        pidls.push_back(pidl);
    }
    HGLOBAL h = nullptr;
    if (pidls.size() == paths.size()) {
        const UINT n = static_cast<UINT>(pidls.size());
        size_t header = sizeof(UINT) * (n + 2);
        size_t total = header + sizeof(USHORT);  // the desktop's empty list
        for (PIDLIST_ABSOLUTE pidl : pidls)
            total += ::ILGetSize(pidl);
        h = ::GlobalAlloc(GHND, total);
        if (auto* p = h ? static_cast<BYTE*>(::GlobalLock(h)) : nullptr) {
            auto* cida = reinterpret_cast<CIDA*>(p);
            cida->cidl = n;
            size_t at = header;
            cida->aoffset[0] = static_cast<UINT>(at);
            at += sizeof(USHORT);
            for (UINT i = 0; i < n; ++i) {
                cida->aoffset[i + 1] = static_cast<UINT>(at);
                UINT size = ::ILGetSize(pidls[i]);
                std::memcpy(p + at, pidls[i], size);
                at += size;
            }
            ::GlobalUnlock(h);
        }
    }
    for (PIDLIST_ABSOLUTE pidl : pidls)
        ::CoTaskMemFree(pidl);
    return h;
}

HGLOBAL MakePartItemHandle(HTREEITEM item)
{
    HGLOBAL h = ::GlobalAlloc(GHND, sizeof item);
    if (auto* p = h ? ::GlobalLock(h) : nullptr) {
        std::memcpy(p, &item, sizeof item);
        ::GlobalUnlock(h);
    }
    return h;
}

IDataObject* CreatePartsDataObject(const std::vector<std::string>& paths, HTREEITEM item)
{
    return new CPartsData(paths, item);
}

namespace {

// The part's icon under the pointer while it is dragged; a target that draws
// no image just shows the pointer.
void SetDragImage(IDataObject* pData, const std::string& path)
{
    IDragSourceHelper* pHelper = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDragSourceHelper,
                                  reinterpret_cast<void**>(&pHelper))))
        return;
    SHFILEINFOW info = {};
    if (::SHGetFileInfoW(Wide(path).c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON) && info.hIcon) {
        const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
        BITMAPINFO bmi = {};
        bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC hdc = ::CreateCompatibleDC(nullptr);
        HBITMAP hbm = ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (hdc && hbm) {
            HGDIOBJ old = ::SelectObject(hdc, hbm);
            ::DrawIconEx(hdc, 0, 0, info.hIcon, cx, cy, 0, nullptr, DI_NORMAL);
            ::SelectObject(hdc, old);
            SHDRAGIMAGE image = {{cx, cy}, {cx / 2, cy / 2}, hbm, CLR_NONE};
            if (SUCCEEDED(pHelper->InitializeFromBitmap(&image, pData)))
                hbm = nullptr;  // the helper owns it now
        }
        if (hbm)
            ::DeleteObject(hbm);
        if (hdc)
            ::DeleteDC(hdc);
        ::DestroyIcon(info.hIcon);
    }
    pHelper->Release();
}

} // namespace

DWORD DragPartsOut(const std::vector<std::string>& paths, HTREEITEM item)
{
    IDataObject* pData = CreatePartsDataObject(paths, item);
    auto* pSource = new CDropSource;
    if (!paths.empty())
        SetDragImage(pData, paths.front());
    DWORD effect = DROPEFFECT_NONE;
    ::DoDragDrop(pData, pSource, DROPEFFECT_COPY, &effect);
    pData->Release();
    pSource->Release();
    return effect;
}
