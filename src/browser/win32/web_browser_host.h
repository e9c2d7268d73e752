#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtml.h>
#include <mshtmhst.h>
#include <oleidl.h>

#include <string>

#include "base/win32/unique_handle.h"
#include "browser/browser.h"

namespace orvane::win32 {

// The embedded browser on Windows: the system's WebBrowser control, in-place activated in
// a child window of ours. We are its client site, in-place site and frame and its UI
// handler (the context menu is the owner's decision; no 3-D border), and we receive its
// events through DWebBrowserEvents2 and, for NewWindow with its address, through the
// older DWebBrowserEvents.
//
// Our COM objects live inside the host; the control's references on them are counted and
// must all be returned when the host ends (OutstandingReferences() says how many are not).
class WebBrowserHost final : public browser::Browser {
 public:
  WebBrowserHost(HWND parent, browser::BrowserEvents& owner);
  ~WebBrowserHost() override;
  WebBrowserHost(const WebBrowserHost&) = delete;
  WebBrowserHost& operator=(const WebBrowserHost&) = delete;

  // Our child window that holds the control.
  HWND Window() const { return window_.get(); }
  // Whether the control was created and activated in place; without it every operation
  // does nothing and reads give empty answers.
  bool Active() const { return in_place_active_; }
  // The references the control holds on our site and event objects.
  LONG OutstandingReferences() const;
  // The result of the step of the creation that failed (S_OK when all succeeded).
  HRESULT CreationResult() const { return creation_result_; }
  // Takes the control down now (the destructor does it otherwise): the event connections
  // are cut, the control is deactivated, closed and released, our window goes. Returns
  // the references the control did not give back (0 when every one came back).
  LONG Close();

  void Navigate(const std::string& address) override;
  void Refresh() override;
  bool Silent() const override;
  void Silent(bool value) override;
  std::string LocationURL() const override;
  bool DocumentHasContent() const override;
  void HideScrollBars() override;
  // The control has no sound switch of its own; the setting is kept for the owner, who
  // mutes the process's audio session.
  void SetMuted(bool muted) override { muted_ = muted; }
  bool Muted() const override { return muted_; }
  void Place(const browser::BrowserPlacement& where) override;
  browser::DocumentId TopLevel() const override;

 private:
  // Client site, in-place site and frame, and UI handler in one object.
  class Site final : public IOleClientSite,
                     public IOleInPlaceSite,
                     public IOleInPlaceFrame,
                     public IDocHostUIHandler {
   public:
    explicit Site(WebBrowserHost& host) : host_(host) {}
    LONG References() const { return references_; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override;
    STDMETHODIMP GetContainer(IOleContainer** out) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    // IOleWindow (of the in-place site and of the frame)
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
    // IOleInPlaceUIWindow, IOleInPlaceFrame: a frame without menus, tools or status bar
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }
    // IDocHostUIHandler
    STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override;
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override {
      return S_FALSE;
    }
    STDMETHODIMP HideUI() override { return S_OK; }
    STDMETHODIMP UpdateUI() override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD) override;
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget** out) override;
    STDMETHODIMP GetExternal(IDispatch** out) override;
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* out) override;
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** out) override;

   private:
    WebBrowserHost& host_;
    LONG references_ = 0;
  };

  // Receives one event interface of the control (a dispatch interface).
  class EventSink final : public IDispatch {
   public:
    EventSink(WebBrowserHost& host, REFIID events) : host_(host), events_(events) {}
    LONG References() const { return references_; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
      return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT*) override;

   private:
    WebBrowserHost& host_;
    IID events_;
    LONG references_ = 0;
  };

  struct Connection {
    ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
  };

  HRESULT Create();
  void Advise(REFIID events, IDispatch* sink, Connection& connection);
  void Unadvise(Connection& connection);
  RECT ClientRect() const;
  // The top-level document's root element, or nothing.
  ComPtr<IHTMLElement> RootElement() const;

  void OnEvent(DISPID id, DISPPARAMS& params, bool older_interface);

  browser::BrowserEvents& owner_;
  bool muted_ = false;
  bool in_place_active_ = false;
  HRESULT creation_result_ = E_FAIL;
  // Our COM objects first: everything below may hold references on them.
  Site site_{*this};
  EventSink events2_{*this, DIID_DWebBrowserEvents2};
  EventSink events1_{*this, DIID_DWebBrowserEvents};
  // Created in this order; released in the reverse.
  UniqueWindow window_;
  ComPtr<IOleObject> control_;
  ComPtr<IWebBrowser2> web_;
  ComPtr<IUnknown> identity_;  // the control's IUnknown: the top-level document's identity
  Connection connection2_;
  Connection connection1_;
};

}  // namespace orvane::win32
