// _juvo_main: the dual interface of juvo_main, the host's plug-in contract. Its nine members
// follow IDispatch's in the vtable in exactly this order; each returns an HRESULT and hands
// its result back through the last parameter. In/out parameters come by reference.
#pragma once

#include "platform/com/interfaces.h"

namespace juvo {

inline constexpr DISPID kDispidInitialize = 0x60030001;
inline constexpr DISPID kDispidUninitialize = 0x60030002;
inline constexpr DISPID kDispidConfigure = 0x60030003;
inline constexpr DISPID kDispidGetPublishInfo = 0x60030004;
inline constexpr DISPID kDispidGetPublishCommandInfo = 0x60030005;
inline constexpr DISPID kDispidGetPublishTagInfo = 0x60030006;
// 0x60030007 is not assigned.
inline constexpr DISPID kDispidParseCommand = 0x60030008;
inline constexpr DISPID kDispidParseTag = 0x60030009;
inline constexpr DISPID kDispidReceiveNotify = 0x6003000A;

struct _juvo_main : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE Initialize(LONG nVersion, BSTR sUserEmail,
                                               IDispatch* oMessenger, VARIANT_BOOL* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE Uninitialize(VARIANT* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE Configure(VARIANT* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPublishInfo(BSTR* sPluginName, LONG* nCommandCount,
                                                   LONG* nTagCount, VARIANT_BOOL* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPublishCommandInfo(LONG nCommandIdx, BSTR* sName,
                                                          BSTR* sValue, BSTR* sHelp,
                                                          VARIANT* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPublishTagInfo(LONG nTagIdx, BSTR* sName, BSTR* sValue,
                                                      VARIANT* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE ParseCommand(BSTR sCommand, BSTR sCommandArg,
                                                 IDispatch* oConversationWnd, BSTR* sResult,
                                                 VARIANT_BOOL* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE ParseTag(BSTR sTag, IDispatch* oConversationWnd, BSTR* sResult,
                                             VARIANT_BOOL* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReceiveNotify(BSTR sNotifyCode, BSTR sText, BSTR sContactName,
                                                  IDispatch* oConversationWnd, BSTR* sTextToSend,
                                                  VARIANT_BOOL* pRetVal) = 0;

 protected:
  ~_juvo_main() = default;
};

}  // namespace juvo
