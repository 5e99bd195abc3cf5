#include "plugin/module/juvo_main_com.h"

#include <string>

#include "platform/base/error.h"
#include "platform/com/hresult_of.h"
#include "plugin/module/juvo_ids.h"
#include "plugin/module/juvo_main_type.h"
#include "plugin/module/module_usage.h"

namespace juvo {

namespace {

template <class T>
T* required(T* pointer) {
  if (!pointer) platform::raise(platform::ErrorCode::kPointer);
  return pointer;
}

VARIANT_BOOL comBool(bool value) {
  return value ? VARIANT_TRUE : VARIANT_FALSE;
}

// An in/out string as the plug-in sees it: the text it came with. Only a changed text is
// written back, as a fresh BSTR, so a parameter the plug-in leaves alone is the caller's very
// BSTR afterwards. The write-back happens even when the plug-in fails halfway, as an
// assignment to a by-reference parameter would have.
class InOutText {
 public:
  explicit InOutText(BSTR* slot) : slot_(required(slot)), text_(platform::bstrView(*slot)) {}
  ~InOutText() {
    if (text_ == platform::bstrView(*slot_)) return;
    // Out of memory the old text stays: nothing better can be done in a destructor.
    if (BSTR fresh = SysAllocStringLen(text_.data(), static_cast<UINT>(text_.size()))) {
      SysFreeString(*slot_);
      *slot_ = fresh;
    }
  }
  InOutText(const InOutText&) = delete;
  InOutText& operator=(const InOutText&) = delete;

  std::u16string& text() { return text_; }

 private:
  BSTR* slot_;
  std::u16string text_;
};

// An in/out Long, written back under the same rule.
class InOutLong {
 public:
  explicit InOutLong(LONG* slot) : slot_(required(slot)), value_(*slot) {}
  ~InOutLong() {
    if (*slot_ != value_) *slot_ = value_;
  }
  InOutLong(const InOutLong&) = delete;
  InOutLong& operator=(const InOutLong&) = delete;

  int32_t& value() { return value_; }

 private:
  LONG* slot_;
  int32_t value_;
};

// A Variant result starts out, and here stays, empty.
void emptyResult(VARIANT* pRetVal) {
  VariantInit(required(pRetVal));
}

}  // namespace

juvo_main_com* juvo_main_com::create(SharedObjects& shared) {
  return new juvo_main_com(shared);
}

juvo_main_com::juvo_main_com(SharedObjects& shared) : plugin_(shared) {
  module_usage::objectCreated();
}

juvo_main_com::~juvo_main_com() {
  module_usage::objectDestroyed();
}

HRESULT juvo_main_com::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  *ppvObject = nullptr;
  if (riid != IID_IUnknown && riid != IID_IDispatch && riid != IID__juvo_main) {
    return E_NOINTERFACE;
  }
  AddRef();
  *ppvObject = static_cast<_juvo_main*>(this);
  return S_OK;
}

ULONG juvo_main_com::AddRef() {
  return ++references_;
}

ULONG juvo_main_com::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT juvo_main_com::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_POINTER;
  *pctinfo = 0;
  return S_OK;
}

HRESULT juvo_main_com::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo) *ppTInfo = nullptr;
  return E_NOTIMPL;
}

HRESULT juvo_main_com::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                                     DISPID* rgDispId) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  return platform::hresultOf(
      [&] { return platform::getIDsOfNames(juvoMainInterface(), rgszNames, cNames, rgDispId); });
}

HRESULT juvo_main_com::Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags,
                              DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                              UINT* puArgErr) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  return platform::hresultOf([&] {
    return platform::invokeMember(
        juvoMainInterface(), dispIdMember, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr,
        [this](const platform::MemberDescription& member, std::span<VARIANT> args,
               VARIANT& result) { dispatch(member, args, result); });
  });
}

void juvo_main_com::dispatch(const platform::MemberDescription& member, std::span<VARIANT> a,
                             VARIANT& result) {
  switch (member.id) {
    case kDispidInitialize:
      initialize(a[0].lVal, a[1].bstrVal, &result.boolVal);
      break;
    case kDispidUninitialize:
      uninitialize(&result);
      break;
    case kDispidConfigure:
      configure(&result);
      break;
    case kDispidGetPublishInfo:
      getPublishInfo(a[0].pbstrVal, a[1].plVal, a[2].plVal, &result.boolVal);
      break;
    case kDispidGetPublishCommandInfo:
      getPublishCommandInfo(a[0].lVal, a[1].pbstrVal, a[2].pbstrVal, a[3].pbstrVal, &result);
      break;
    case kDispidGetPublishTagInfo:
      getPublishTagInfo(a[0].lVal, a[1].pbstrVal, a[2].pbstrVal, &result);
      break;
    case kDispidParseCommand:
      parseCommand(a[0].bstrVal, a[1].bstrVal, a[3].pbstrVal, &result.boolVal);
      break;
    case kDispidParseTag:
      parseTag(a[0].bstrVal, a[2].pbstrVal, &result.boolVal);
      break;
    case kDispidReceiveNotify:
      receiveNotify(a[0].bstrVal, a[1].bstrVal, a[2].bstrVal, a[4].pbstrVal, &result.boolVal);
      break;
    default:
      platform::raise(platform::ErrorCode::kMemberNotFound);
  }
}

// The vtable members: the work, with every failure caught. The objects the host passes are
// not used by the plug-in.

HRESULT juvo_main_com::Initialize(LONG nVersion, BSTR sUserEmail, IDispatch*,
                                  VARIANT_BOOL* pRetVal) {
  return platform::hresultOf([&] { initialize(nVersion, sUserEmail, pRetVal); });
}

HRESULT juvo_main_com::Uninitialize(VARIANT* pRetVal) {
  return platform::hresultOf([&] { uninitialize(pRetVal); });
}

HRESULT juvo_main_com::Configure(VARIANT* pRetVal) {
  return platform::hresultOf([&] { configure(pRetVal); });
}

HRESULT juvo_main_com::GetPublishInfo(BSTR* sPluginName, LONG* nCommandCount, LONG* nTagCount,
                                      VARIANT_BOOL* pRetVal) {
  return platform::hresultOf(
      [&] { getPublishInfo(sPluginName, nCommandCount, nTagCount, pRetVal); });
}

HRESULT juvo_main_com::GetPublishCommandInfo(LONG nCommandIdx, BSTR* sName, BSTR* sValue,
                                             BSTR* sHelp, VARIANT* pRetVal) {
  return platform::hresultOf(
      [&] { getPublishCommandInfo(nCommandIdx, sName, sValue, sHelp, pRetVal); });
}

HRESULT juvo_main_com::GetPublishTagInfo(LONG nTagIdx, BSTR* sName, BSTR* sValue,
                                         VARIANT* pRetVal) {
  return platform::hresultOf([&] { getPublishTagInfo(nTagIdx, sName, sValue, pRetVal); });
}

HRESULT juvo_main_com::ParseCommand(BSTR sCommand, BSTR sCommandArg, IDispatch*, BSTR* sResult,
                                    VARIANT_BOOL* pRetVal) {
  return platform::hresultOf([&] { parseCommand(sCommand, sCommandArg, sResult, pRetVal); });
}

HRESULT juvo_main_com::ParseTag(BSTR sTag, IDispatch*, BSTR* sResult, VARIANT_BOOL* pRetVal) {
  return platform::hresultOf([&] { parseTag(sTag, sResult, pRetVal); });
}

HRESULT juvo_main_com::ReceiveNotify(BSTR sNotifyCode, BSTR sText, BSTR sContactName, IDispatch*,
                                     BSTR* sTextToSend, VARIANT_BOOL* pRetVal) {
  return platform::hresultOf(
      [&] { receiveNotify(sNotifyCode, sText, sContactName, sTextToSend, pRetVal); });
}

void juvo_main_com::initialize(LONG nVersion, BSTR sUserEmail, VARIANT_BOOL* pRetVal) {
  *required(pRetVal) = VARIANT_FALSE;
  *pRetVal = comBool(plugin_.Initialize(nVersion, platform::bstrView(sUserEmail)));
}

void juvo_main_com::uninitialize(VARIANT* pRetVal) {
  emptyResult(pRetVal);
  plugin_.Uninitialize();
}

void juvo_main_com::configure(VARIANT* pRetVal) {
  emptyResult(pRetVal);
  plugin_.Configure();
}

void juvo_main_com::getPublishInfo(BSTR* sPluginName, LONG* nCommandCount, LONG* nTagCount,
                                   VARIANT_BOOL* pRetVal) {
  *required(pRetVal) = VARIANT_FALSE;
  InOutText name(sPluginName);
  InOutLong commands(nCommandCount);
  InOutLong tags(nTagCount);
  *pRetVal = comBool(plugin_.GetPublishInfo(name.text(), commands.value(), tags.value()));
}

void juvo_main_com::getPublishCommandInfo(LONG nCommandIdx, BSTR* sName, BSTR* sValue, BSTR* sHelp,
                                          VARIANT* pRetVal) {
  emptyResult(pRetVal);
  InOutText name(sName);
  InOutText value(sValue);
  InOutText help(sHelp);
  plugin_.GetPublishCommandInfo(nCommandIdx, name.text(), value.text(), help.text());
}

void juvo_main_com::getPublishTagInfo(LONG nTagIdx, BSTR* sName, BSTR* sValue, VARIANT* pRetVal) {
  emptyResult(pRetVal);
  InOutText name(sName);
  InOutText value(sValue);
  plugin_.GetPublishTagInfo(nTagIdx, name.text(), value.text());
}

void juvo_main_com::parseCommand(BSTR sCommand, BSTR sCommandArg, BSTR* sResult,
                                 VARIANT_BOOL* pRetVal) {
  *required(pRetVal) = VARIANT_FALSE;
  InOutText result(sResult);
  *pRetVal = comBool(plugin_.ParseCommand(platform::bstrView(sCommand),
                                          platform::bstrView(sCommandArg), result.text()));
}

void juvo_main_com::parseTag(BSTR sTag, BSTR* sResult, VARIANT_BOOL* pRetVal) {
  *required(pRetVal) = VARIANT_FALSE;
  InOutText result(sResult);
  *pRetVal = comBool(plugin_.ParseTag(platform::bstrView(sTag), result.text()));
}

void juvo_main_com::receiveNotify(BSTR sNotifyCode, BSTR sText, BSTR sContactName,
                                  BSTR* sTextToSend, VARIANT_BOOL* pRetVal) {
  *required(pRetVal) = VARIANT_FALSE;
  InOutText textToSend(sTextToSend);
  *pRetVal =
      comBool(plugin_.ReceiveNotify(platform::bstrView(sNotifyCode), platform::bstrView(sText),
                                    platform::bstrView(sContactName), textToSend.text()));
}

}  // namespace juvo
