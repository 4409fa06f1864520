#include "tests/support/drag_data.h"

#include <shlobj.h>

#include <cstring>

#include "core/text_encoding.h"

namespace testing_support {
namespace {

// IUnknown for an object with one interface. It starts with the one reference that Adopt
// hands to a ComPtr.
template <class Interface>
class ComObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) noexcept override {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == __uuidof(Interface)) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

 private:
  LONG references_ = 1;
};

template <class Interface>
Microsoft::WRL::ComPtr<Interface> Adopt(ComObject<Interface>* object) {
  Microsoft::WRL::ComPtr<Interface> pointer;
  pointer.Attach(object);
  return pointer;
}

// One format, one global-memory block; every GetData hands out a fresh copy that the
// receiver frees with ReleaseStgMedium.
class DataObject final : public ComObject<IDataObject> {
 public:
  DataObject(CLIPFORMAT format, std::vector<char> bytes)
      : format_{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, bytes_(std::move(bytes)) {}

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) noexcept override {
    if (!format || !medium) return E_INVALIDARG;
    const HRESULT fits = QueryGetData(format);
    if (fits != S_OK) return fits;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
    if (!copy) return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(copy), bytes_.data(), bytes_.size());
    GlobalUnlock(copy);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) noexcept override {
    if (!format) return E_INVALIDARG;
    if (format->cfFormat != format_.cfFormat) return DV_E_FORMATETC;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) noexcept override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) noexcept override {
    if (!formats) return E_POINTER;
    *formats = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    return SHCreateStdEnumFmtEtc(1, &format_, formats);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  ~DataObject() override = default;

  FORMATETC format_;
  std::vector<char> bytes_;
};

class DroppingSource final : public ComObject<IDropSource> {
 public:
  explicit DroppingSource(int rounds) : roundsLeft_(rounds) {}

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) noexcept override {
    if (escape) return DRAGDROP_S_CANCEL;
    return --roundsLeft_ > 0 ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) noexcept override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  ~DroppingSource() override = default;

  int roundsLeft_;
};

}  // namespace

Microsoft::WRL::ComPtr<IDataObject> MakeFileListData(const std::vector<std::string>& paths) {
  // DROPFILES, then every path with its terminating null, then one more null.
  std::wstring list;
  for (const std::string& path : paths) {
    list += core::Utf8ToWide(path);
    list += L'\0';
  }
  list += L'\0';
  std::vector<char> bytes(sizeof(DROPFILES) + list.size() * sizeof(wchar_t), '\0');
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  std::memcpy(bytes.data(), &header, sizeof header);
  std::memcpy(bytes.data() + sizeof header, list.data(), list.size() * sizeof(wchar_t));
  return Adopt(new DataObject(CF_HDROP, std::move(bytes)));
}

Microsoft::WRL::ComPtr<IDataObject> MakeTextData(const std::string& text) {
  std::vector<char> bytes(text.begin(), text.end());
  bytes.push_back('\0');
  return Adopt(new DataObject(CF_TEXT, std::move(bytes)));
}

IDropTarget* RegisteredDropTarget(HWND window) {
  return static_cast<IDropTarget*>(GetPropA(window, "OleDropTargetInterface"));
}

Microsoft::WRL::ComPtr<IDropSource> MakeDroppingSource(int roundsBeforeDrop) {
  return Adopt(new DroppingSource(roundsBeforeDrop));
}

}  // namespace testing_support
