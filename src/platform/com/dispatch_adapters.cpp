#include "platform/com/dispatch_adapters.h"

#include <atomic>
#include <string>
#include <vector>

#include "platform/base/error.h"
#include "platform/com/hresult_of.h"
#include "platform/com/variant_bridge.h"

namespace platform {

namespace {

// Asked of an IDispatch to learn whether it is one of our servers; never registered.
constexpr IID kIidAutomationServer = {
    0xA44F1E95, 0x61FA, 0x40CD, {0x93, 0x73, 0x29, 0x90, 0x03, 0x2A, 0xDC, 0xA5}};

class AutomationServer final : public IDispatch {
 public:
  explicit AutomationServer(ObjectPtr object) : object_(std::move(object)) {}

  const ObjectPtr& object() const { return object_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != kIidAutomationServer) {
      return E_NOINTERFACE;
    }
    AddRef();
    *ppvObject = static_cast<IDispatch*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override {
    if (!pctinfo) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override {
    if (ppTInfo) *ppTInfo = nullptr;
    return DISP_E_BADINDEX;
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                                          DISPID* rgDispId) override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (cNames == 0) return S_OK;
    if (!rgszNames || !rgDispId || !rgszNames[0]) return E_POINTER;
    std::optional<MemberId> id;
    HRESULT hr = hresultOf([&] { id = object_->memberId(rgszNames[0]); });
    if (FAILED(hr)) return hr;
    rgDispId[0] = id.value_or(DISPID_UNKNOWN);
    // Our objects know no parameter names.
    for (UINT i = 1; i < cNames; ++i)
      rgDispId[i] = DISPID_UNKNOWN;
    return id && cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags,
                                   DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                   EXCEPINFO* pExcepInfo, UINT* puArgErr) override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS none{};
    const DISPPARAMS& params = pDispParams ? *pDispParams : none;
    if ((params.cArgs && !params.rgvarg) || params.cNamedArgs > params.cArgs ||
        (params.cNamedArgs && !params.rgdispidNamedArgs)) {
      return E_INVALIDARG;
    }
    const bool put = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    // The only named argument we take is the value of a property put.
    if (params.cNamedArgs > 1 ||
        (params.cNamedArgs == 1 && (!put || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))) {
      return DISP_E_NONAMEDARGS;
    }
    const UINT count = params.cArgs;
    // rgvarg holds the arguments last first (a put's value, named, at index 0): reversed, the
    // value ends up last, where AutomationObject expects it.
    auto rawArg = [&](UINT i) -> const VARIANT& { return params.rgvarg[count - 1 - i]; };
    std::vector<Variant> args(count);
    for (UINT i = 0; i < count; ++i) {
      HRESULT hr = hresultOf([&] { args[i] = fromRaw(rawArg(i)); });
      if (FAILED(hr)) {
        if (puArgErr) *puArgErr = count - 1 - i;
        return hr;
      }
    }
    const std::vector<Variant> before = args;
    Variant result;
    HRESULT hr =
        hresultOf([&] { result = object_->invoke(dispIdMember, wFlags, args); }, pExcepInfo);
    if (FAILED(hr)) return dispatchFailure(hr, pExcepInfo);
    // By-reference arguments the member changed go back to the caller.
    for (UINT i = 0; i < count; ++i) {
      if ((rawArg(i).vt & VT_BYREF) && !(args[i] == before[i])) {
        hr = hresultOf([&] { storeThrough(rawArg(i), args[i]); });
        if (FAILED(hr)) {
          if (puArgErr) *puArgErr = count - 1 - i;
          return hr;
        }
      }
    }
    if (pVarResult) {
      VariantInit(pVarResult);
      return hresultOf([&] { toRaw(result, *pVarResult); });
    }
    return S_OK;
  }

 private:
  ~AutomationServer() = default;

  ObjectPtr object_;
  std::atomic<ULONG> references_{1};
};

class AutomationClient final : public AutomationObject {
 public:
  explicit AutomationClient(IDispatch* dispatch) : dispatch_(ComPtr<IDispatch>::share(dispatch)) {}

  IDispatch* dispatch() const { return dispatch_.get(); }

  std::u16string typeName() const override { return u"Object"; }

  std::optional<MemberId> memberId(std::u16string_view name) override {
    std::u16string text(name);
    LPOLESTR names[] = {text.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
      return std::nullopt;
    }
    return id;
  }

  Variant invoke(MemberId id, uint16_t kind, std::span<Variant> args) override {
    const size_t count = args.size();
    const bool put = (kind & (kPropertyPut | kPropertyPutRef)) != 0 && count > 0;
    // Our copies of the arguments; the callee sees references to them, so that it can
    // change them, except for a put's value, which goes by value.
    std::vector<VARIANT> values(count);
    for (VARIANT& v : values)
      VariantInit(&v);
    struct Clear {
      std::vector<VARIANT>& values;
      ~Clear() {
        for (VARIANT& v : values)
          VariantClear(&v);
      }
    } clear{values};
    for (size_t i = 0; i < count; ++i)
      toRaw(args[i], values[i]);
    std::vector<VARIANT> passed(count);
    for (size_t i = 0; i < count; ++i) {
      VARIANT& slot = passed[count - 1 - i];
      if (put && i == count - 1) {
        slot = values[i];
      } else {
        VariantInit(&slot);
        slot.vt = VT_BYREF | VT_VARIANT;
        slot.pvarVal = &values[i];
      }
    }
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{passed.data(), put ? &putId : nullptr, static_cast<UINT>(count),
                      put ? 1u : 0u};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info{};
    UINT argErr = 0;
    HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, &result, &info,
                                   &argErr);
    if (FAILED(hr)) {
      VariantClear(&result);
      raiseFailure(hr, info);
    }
    clearExcepInfo(info);
    for (size_t i = 0; i < count; ++i) {
      if (!(put && i == count - 1)) args[i] = fromRaw(values[i]);
    }
    Variant answer = fromRaw(result);
    VariantClear(&result);
    return answer;
  }

 private:
  [[noreturn]] static void raiseFailure(HRESULT hr, EXCEPINFO& info) {
    if (hr == DISP_E_EXCEPTION && info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    HRESULT number = hr == DISP_E_EXCEPTION && FAILED(info.scode) ? info.scode : hr;
    std::u16string description(bstrView(info.bstrDescription));
    std::u16string source(bstrView(info.bstrSource));
    clearExcepInfo(info);
    if (description.empty()) description = describe(static_cast<ErrorCode>(number));
    throw Error(number, std::move(description), std::move(source));
  }

  ComPtr<IDispatch> dispatch_;
};

}  // namespace

IDispatch* dispatchFor(ObjectPtr object) {
  return new AutomationServer(std::move(object));
}

ObjectPtr automationObjectFor(IDispatch* dispatch) {
  return std::make_shared<AutomationClient>(dispatch);
}

ObjectPtr servedObject(IDispatch* dispatch) {
  if (!dispatch) return nullptr;
  void* server = nullptr;
  if (FAILED(dispatch->QueryInterface(kIidAutomationServer, &server)) || !server) return nullptr;
  auto* ours = static_cast<AutomationServer*>(static_cast<IDispatch*>(server));
  ObjectPtr object = ours->object();
  ours->Release();
  return object;
}

IDispatch* clientDispatch(const AutomationObject& object) {
  auto* client = dynamic_cast<const AutomationClient*>(&object);
  if (!client) return nullptr;
  client->dispatch()->AddRef();
  return client->dispatch();
}

}  // namespace platform
