// juvo_main_com: the COM object the host creates, class juvo_main with its interface
// _juvo_main, around the C++ plug-in object juvo::juvo_main. It converts BSTRs and VARIANTs,
// serves IDispatch from the member table, and turns every failure into an HRESULT: nothing
// thrown crosses into the host.
#pragma once

#include <atomic>
#include <span>

#include "platform/com/type_description.h"
#include "plugin/juvo_main.h"
#include "plugin/module/juvo_main_interface.h"

namespace juvo {

class juvo_main_com final : public _juvo_main {
 public:
  // A new object over `shared`, holding one reference: the caller's. Runs the plug-in
  // object's creation steps, which trap their own failures.
  static juvo_main_com* create(SharedObjects& shared);

  // IUnknown: IUnknown, IDispatch and _juvo_main.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch, from the member table. No type information objects are offered.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                          DISPID* rgDispId) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                   DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                   EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

  // _juvo_main. An in/out string gets a fresh BSTR only when the plug-in changed its text;
  // otherwise it is left exactly as it came. A null in/out or result pointer is E_POINTER.
  HRESULT STDMETHODCALLTYPE Initialize(LONG nVersion, BSTR sUserEmail, IDispatch* oMessenger,
                                       VARIANT_BOOL* pRetVal) override;
  HRESULT STDMETHODCALLTYPE Uninitialize(VARIANT* pRetVal) override;
  HRESULT STDMETHODCALLTYPE Configure(VARIANT* pRetVal) override;
  HRESULT STDMETHODCALLTYPE GetPublishInfo(BSTR* sPluginName, LONG* nCommandCount, LONG* nTagCount,
                                           VARIANT_BOOL* pRetVal) override;
  HRESULT STDMETHODCALLTYPE GetPublishCommandInfo(LONG nCommandIdx, BSTR* sName, BSTR* sValue,
                                                  BSTR* sHelp, VARIANT* pRetVal) override;
  HRESULT STDMETHODCALLTYPE GetPublishTagInfo(LONG nTagIdx, BSTR* sName, BSTR* sValue,
                                              VARIANT* pRetVal) override;
  HRESULT STDMETHODCALLTYPE ParseCommand(BSTR sCommand, BSTR sCommandArg,
                                         IDispatch* oConversationWnd, BSTR* sResult,
                                         VARIANT_BOOL* pRetVal) override;
  HRESULT STDMETHODCALLTYPE ParseTag(BSTR sTag, IDispatch* oConversationWnd, BSTR* sResult,
                                     VARIANT_BOOL* pRetVal) override;
  HRESULT STDMETHODCALLTYPE ReceiveNotify(BSTR sNotifyCode, BSTR sText, BSTR sContactName,
                                          IDispatch* oConversationWnd, BSTR* sTextToSend,
                                          VARIANT_BOOL* pRetVal) override;

 private:
  explicit juvo_main_com(SharedObjects& shared);
  ~juvo_main_com();

  // The members' work, which may throw; the vtable members and Invoke catch.
  void initialize(LONG nVersion, BSTR sUserEmail, VARIANT_BOOL* pRetVal);
  void uninitialize(VARIANT* pRetVal);
  void configure(VARIANT* pRetVal);
  void getPublishInfo(BSTR* sPluginName, LONG* nCommandCount, LONG* nTagCount,
                      VARIANT_BOOL* pRetVal);
  void getPublishCommandInfo(LONG nCommandIdx, BSTR* sName, BSTR* sValue, BSTR* sHelp,
                             VARIANT* pRetVal);
  void getPublishTagInfo(LONG nTagIdx, BSTR* sName, BSTR* sValue, VARIANT* pRetVal);
  void parseCommand(BSTR sCommand, BSTR sCommandArg, BSTR* sResult, VARIANT_BOOL* pRetVal);
  void parseTag(BSTR sTag, BSTR* sResult, VARIANT_BOOL* pRetVal);
  void receiveNotify(BSTR sNotifyCode, BSTR sText, BSTR sContactName, BSTR* sTextToSend,
                     VARIANT_BOOL* pRetVal);
  // Invoke's body: the arguments as the member table prepared them.
  void dispatch(const platform::MemberDescription& member, std::span<VARIANT> args,
                VARIANT& result);

  std::atomic<ULONG> references_{1};
  juvo_main plugin_;
};

}  // namespace juvo
