// Parts dragged out of the parts dialog.
#include "app/PartsDragOut_win.h"

#include <ole2.h>
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

// One format, CF_HDROP, given as a fresh copy to each asker.
class CFileDropData : public CComObject<IDataObject, IID_IDataObject> {
public:
    explicit CFileDropData(std::vector<std::string> paths) : m_paths(std::move(paths)) {}


    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override
    {
        if (QueryGetData(pFormat) != S_OK)
            return DV_E_FORMATETC;
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = MakeFileDropList(m_paths);
        pMedium->pUnkForRelease = nullptr;
        return pMedium->hGlobal ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override
    {
        return pFormat->cfFormat == CF_HDROP && (pFormat->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override
    {
        pOut->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override
    {
        if (dwDirection != DATADIR_GET)
            return E_NOTIMPL;
        FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return ::SHCreateStdEnumFmtEtc(1, &format, ppEnum);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::vector<std::string> m_paths;
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

DWORD DragFilesOut(const std::vector<std::string>& paths)
{
    auto* pData = new CFileDropData(paths);
    auto* pSource = new CDropSource;
    DWORD effect = DROPEFFECT_NONE;
    ::DoDragDrop(pData, pSource, DROPEFFECT_COPY, &effect);
    pData->Release();
    pSource->Release();
    return effect;
}
