#include "browser/win32/web_browser_host.h"

#include <exdispid.h>
#include <olectl.h>

#include <utility>

#include "base/win32/text_encoding.h"
#include "browser/document_content.h"

namespace orvane::win32 {
namespace {

using UniqueBstr = UniqueHandle<BSTR, ::SysFreeString>;

constexpr wchar_t kHostClass[] = L"OrvaneWebBrowserHost";

// OLE on the user-interface thread, once for the process's life: the control and its
// documents need it, and it must never be taken down while a control may still exist.
HRESULT EnsureOle() {
  static const HRESULT result = ::OleInitialize(nullptr);
  return result == S_FALSE ? S_OK : result;
}

ATOM RegisterHostClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    wc.lpszClassName = kHostClass;
    return ::RegisterClassExW(&wc);
  }();
  return atom;
}

std::string WideToUtf8(const wchar_t* wide, int length) {
  if (wide == nullptr || length <= 0) {
    return {};
  }
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::string FromBstr(BSTR text) {
  return WideToUtf8(text, static_cast<int>(::SysStringLen(text)));
}

UniqueBstr ToBstr(const std::string& utf8) {
  const std::wstring wide = Utf8ToWide(utf8);
  return UniqueBstr(::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
}

// An event argument that is a string, passed directly or by reference to a VARIANT.
std::string TextArgument(const VARIANT& argument) {
  const VARIANT* v = &argument;
  if (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal != nullptr) {
    v = v->pvarVal;
  }
  if (v->vt == VT_BSTR) {
    return FromBstr(v->bstrVal);
  }
  if (v->vt == (VT_BYREF | VT_BSTR) && v->pbstrVal != nullptr) {
    return FromBstr(*v->pbstrVal);
  }
  return {};
}

// A Boolean out-argument (Cancel, Processed) passed by reference.
VARIANT_BOOL* BoolOutArgument(const VARIANT& argument) {
  if (argument.vt == (VT_BYREF | VT_BOOL)) {
    return argument.pboolVal;
  }
  if (argument.vt == (VT_BYREF | VT_VARIANT) && argument.pvarVal != nullptr &&
      argument.pvarVal->vt == VT_BOOL) {
    return &argument.pvarVal->boolVal;
  }
  return nullptr;
}

// The COM identity of an object, to compare documents by.
browser::DocumentId Identity(IUnknown* object) {
  if (object == nullptr) {
    return 0;
  }
  ComPtr<IUnknown> unknown;
  object->QueryInterface(IID_IUnknown, unknown.put_void());
  return reinterpret_cast<browser::DocumentId>(unknown.get());
}

// Nothing thrown by an owner may unwind through the control.
template <class F>
void Guarded(F&& f) {
  try {
    f();
  } catch (...) {
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// The host

WebBrowserHost::WebBrowserHost(HWND parent, browser::BrowserEvents& owner) : owner_(owner) {
  RegisterHostClass();
  window_.reset(::CreateWindowExW(0, kHostClass, L"",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
                                  0, 0, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr));
  creation_result_ = window_ ? Create() : HRESULT_FROM_WIN32(::GetLastError());
}

HRESULT WebBrowserHost::Create() {
  HRESULT hr = EnsureOle();
  if (FAILED(hr)) {
    return hr;
  }
  hr = ::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                          control_.put_void());
  if (FAILED(hr)) {
    return hr;
  }
  hr = control_->SetClientSite(static_cast<IOleClientSite*>(&site_));
  if (FAILED(hr)) {
    return hr;
  }
  RECT rect = ClientRect();
  hr = control_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(&site_), 0,
                        window_.get(), &rect);
  if (FAILED(hr)) {
    return hr;
  }
  web_ = control_.As<IWebBrowser2>(IID_IWebBrowser2);
  if (!web_) {
    return E_NOINTERFACE;
  }
  identity_ = control_.As<IUnknown>(IID_IUnknown);
  Advise(DIID_DWebBrowserEvents2, &events2_, connection2_);
  Advise(DIID_DWebBrowserEvents, &events1_, connection1_);
  return connection2_.point ? S_OK : CONNECT_E_NOCONNECTION;
}

WebBrowserHost::~WebBrowserHost() {
  Close();
}

LONG WebBrowserHost::Close() {
  Unadvise(connection1_);
  Unadvise(connection2_);
  identity_.reset();
  web_.reset();
  if (control_) {
    if (auto in_place = control_.As<IOleInPlaceObject>(IID_IOleInPlaceObject)) {
      in_place->InPlaceDeactivate();
    }
    control_->Close(OLECLOSE_NOSAVE);
    control_->SetClientSite(nullptr);
    control_.reset();
  }
  // Not every control reports its deactivation to the site; without it, it is over anyway.
  in_place_active_ = false;
  window_.reset();
  return OutstandingReferences();
}

void WebBrowserHost::Advise(REFIID events, IDispatch* sink, Connection& connection) {
  auto container = control_.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
  if (!container || FAILED(container->FindConnectionPoint(events, connection.point.put()))) {
    connection.point.reset();
    return;
  }
  if (FAILED(connection.point->Advise(sink, &connection.cookie))) {
    connection.point.reset();
    connection.cookie = 0;
  }
}

void WebBrowserHost::Unadvise(Connection& connection) {
  if (connection.point) {
    connection.point->Unadvise(connection.cookie);
    connection.point.reset();
    connection.cookie = 0;
  }
}

LONG WebBrowserHost::OutstandingReferences() const {
  return site_.References() + events2_.References() + events1_.References();
}

RECT WebBrowserHost::ClientRect() const {
  RECT rect{};
  ::GetClientRect(window_.get(), &rect);
  return rect;
}

void WebBrowserHost::Navigate(const std::string& address) {
  if (!web_) {
    return;
  }
  UniqueBstr url = ToBstr(address);
  VARIANT empty;
  ::VariantInit(&empty);
  web_->Navigate(url.get(), &empty, &empty, &empty, &empty);
}

void WebBrowserHost::Refresh() {
  if (web_) {
    web_->Refresh();
  }
}

bool WebBrowserHost::Silent() const {
  VARIANT_BOOL silent = VARIANT_FALSE;
  if (web_) {
    web_->get_Silent(&silent);
  }
  return silent != VARIANT_FALSE;
}

void WebBrowserHost::Silent(bool value) {
  if (web_) {
    web_->put_Silent(value ? VARIANT_TRUE : VARIANT_FALSE);
  }
}

std::string WebBrowserHost::LocationURL() const {
  UniqueBstr url;
  if (web_ && SUCCEEDED(web_->get_LocationURL(url.put())) && url) {
    return FromBstr(url.get());
  }
  return {};
}

ComPtr<IHTMLElement> WebBrowserHost::RootElement() const {
  if (!web_) {
    return {};
  }
  ComPtr<IDispatch> document;
  if (FAILED(web_->get_Document(document.put())) || !document) {
    return {};
  }
  auto html = document.As<IHTMLDocument3>(IID_IHTMLDocument3);
  ComPtr<IHTMLElement> root;
  if (html) {
    html->get_documentElement(root.put());
  }
  return root;
}

bool WebBrowserHost::DocumentHasContent() const {
  ComPtr<IHTMLElement> root = RootElement();
  UniqueBstr inner;
  if (!root || FAILED(root->get_innerHTML(inner.put())) || !inner) {
    return false;
  }
  return browser::RootHasContent(FromBstr(inner.get()));
}

void WebBrowserHost::HideScrollBars() {
  // A document without a root element or style stays as it is.
  ComPtr<IHTMLElement> root = RootElement();
  ComPtr<IHTMLStyle> style;
  if (root && SUCCEEDED(root->get_style(style.put())) && style) {
    UniqueBstr hidden(::SysAllocString(L"hidden"));
    style->put_overflow(hidden.get());
  }
}

void WebBrowserHost::Place(const browser::BrowserPlacement& where) {
  ::MoveWindow(window_.get(), where.left, where.top, where.width, where.height, TRUE);
  if (control_) {
    if (auto in_place = control_.As<IOleInPlaceObject>(IID_IOleInPlaceObject)) {
      const RECT rect = ClientRect();
      in_place->SetObjectRects(&rect, &rect);
    }
  }
}

browser::DocumentId WebBrowserHost::TopLevel() const {
  return reinterpret_cast<browser::DocumentId>(identity_.get());
}

void WebBrowserHost::OnEvent(DISPID id, DISPPARAMS& params, bool older_interface) {
  // Arguments arrive last first.
  VARIANT* args = params.rgvarg;
  const UINT count = params.cArgs;
  if (older_interface) {
    if (id == DISPID_NEWWINDOW && count >= 6) {
      bool processed = false;
      Guarded([&] { owner_.NewWindow(TextArgument(args[5]), processed); });
      if (VARIANT_BOOL* out = BoolOutArgument(args[0])) {
        *out = processed ? VARIANT_TRUE : VARIANT_FALSE;
      }
    }
    return;
  }
  switch (id) {
    case DISPID_DOWNLOADBEGIN:
      Guarded([&] { owner_.DownloadBegin(); });
      break;
    case DISPID_BEFORENAVIGATE2:
      if (count >= 7) {
        VARIANT_BOOL* out = BoolOutArgument(args[0]);
        bool cancel = out != nullptr && *out != VARIANT_FALSE;
        Guarded([&] { owner_.BeforeNavigate2(TextArgument(args[5]), cancel); });
        if (out != nullptr) {
          *out = cancel ? VARIANT_TRUE : VARIANT_FALSE;
        }
      }
      break;
    case DISPID_DOCUMENTCOMPLETE:
      if (count >= 2) {
        const browser::DocumentId document =
            args[1].vt == VT_DISPATCH ? Identity(args[1].pdispVal) : 0;
        Guarded([&] { owner_.DocumentComplete(document, TextArgument(args[0])); });
      }
      break;
    case DISPID_TITLECHANGE:
      if (count >= 1) {
        Guarded([&] { owner_.TitleChange(TextArgument(args[0])); });
      }
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// Site

STDMETHODIMP WebBrowserHost::Site::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) {
    return E_POINTER;
  }
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *out = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    *out = static_cast<IOleInPlaceSite*>(this);
  } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
    *out = static_cast<IOleInPlaceFrame*>(this);
  } else if (iid == IID_IDocHostUIHandler) {
    *out = static_cast<IDocHostUIHandler*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) WebBrowserHost::Site::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) WebBrowserHost::Site::Release() {
  // The site lives inside its host; the count only tells whether every reference the
  // control took came back.
  return static_cast<ULONG>(::InterlockedDecrement(&references_));
}

STDMETHODIMP WebBrowserHost::Site::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (out != nullptr) {
    *out = nullptr;
  }
  return E_NOTIMPL;
}

STDMETHODIMP WebBrowserHost::Site::GetContainer(IOleContainer** out) {
  if (out != nullptr) {
    *out = nullptr;
  }
  return E_NOINTERFACE;
}

STDMETHODIMP WebBrowserHost::Site::GetWindow(HWND* window) {
  if (window == nullptr) {
    return E_POINTER;
  }
  *window = host_.window_.get();
  return S_OK;
}

STDMETHODIMP WebBrowserHost::Site::OnInPlaceActivate() {
  host_.in_place_active_ = true;
  return S_OK;
}

STDMETHODIMP WebBrowserHost::Site::OnInPlaceDeactivate() {
  host_.in_place_active_ = false;
  return S_OK;
}

STDMETHODIMP WebBrowserHost::Site::GetWindowContext(IOleInPlaceFrame** frame,
                                                    IOleInPlaceUIWindow** document, LPRECT position,
                                                    LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr ||
      info == nullptr) {
    return E_POINTER;
  }
  *frame = static_cast<IOleInPlaceFrame*>(this);
  AddRef();
  *document = nullptr;
  *position = host_.ClientRect();
  *clip = *position;
  info->fMDIApp = FALSE;
  info->hwndFrame = ::GetAncestor(host_.window_.get(), GA_ROOT);
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

STDMETHODIMP WebBrowserHost::Site::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
  bool allowed = false;
  Guarded([&] { allowed = host_.owner_.ContextMenuAllowed(); });
  // S_OK: the host has dealt with it, so no menu shows; S_FALSE lets the control show its own.
  return allowed ? S_FALSE : S_OK;
}

STDMETHODIMP WebBrowserHost::Site::GetHostInfo(DOCHOSTUIINFO* info) {
  if (info == nullptr) {
    return E_POINTER;
  }
  info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER;
  info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  return S_OK;
}

STDMETHODIMP WebBrowserHost::Site::GetOptionKeyPath(LPOLESTR* key, DWORD) {
  if (key != nullptr) {
    *key = nullptr;
  }
  return E_NOTIMPL;
}

STDMETHODIMP WebBrowserHost::Site::GetDropTarget(IDropTarget*, IDropTarget** out) {
  if (out != nullptr) {
    *out = nullptr;
  }
  return E_NOTIMPL;
}

STDMETHODIMP WebBrowserHost::Site::GetExternal(IDispatch** out) {
  if (out != nullptr) {
    *out = nullptr;
  }
  return S_FALSE;
}

STDMETHODIMP WebBrowserHost::Site::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
  if (out != nullptr) {
    *out = nullptr;
  }
  return S_FALSE;
}

STDMETHODIMP WebBrowserHost::Site::FilterDataObject(IDataObject*, IDataObject** out) {
  if (out != nullptr) {
    *out = nullptr;
  }
  return S_FALSE;
}

// ---------------------------------------------------------------------------
// Event sinks

STDMETHODIMP WebBrowserHost::EventSink::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) {
    return E_POINTER;
  }
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == events_) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) WebBrowserHost::EventSink::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) WebBrowserHost::EventSink::Release() {
  return static_cast<ULONG>(::InterlockedDecrement(&references_));
}

STDMETHODIMP WebBrowserHost::EventSink::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) {
    return E_POINTER;
  }
  *count = 0;
  return S_OK;
}

STDMETHODIMP WebBrowserHost::EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                               VARIANT*, EXCEPINFO*, UINT*) {
  if (params != nullptr) {
    host_.OnEvent(id, *params, events_ == DIID_DWebBrowserEvents);
  }
  return S_OK;
}

}  // namespace orvane::win32
