// A tiny in-process server for the creation tests: one class with one member, its factory
// and the exports, built on the runtime it tests.
#include <atomic>

#include "platform/com/hresult_of.h"
#include "platform/com/interfaces.h"
#include "platform/com/server_exports.h"
#include "platform/com/type_description.h"

namespace {

constexpr CLSID kClsid = {
    0x3EAF9154, 0x4051, 0x4263, {0xB4, 0xC5, 0xD6, 0xE7, 0xF8, 0x09, 0x1A, 0x2B}};

std::atomic<int> liveObjects{0};
std::atomic<int> locks{0};

const platform::InterfaceDescription& adderInterface() {
  static const platform::InterfaceDescription description{
      u"_adder",
      IID_NULL,
      {{u"Add",
        1,
        {{u"nA", platform::ParamType::kLong}, {u"nB", platform::ParamType::kLong}},
        platform::ParamType::kVariant}}};
  return description;
}

class Adder final : public IDispatch {
 public:
  Adder() { ++liveObjects; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch) return E_NOINTERFACE;
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
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    return platform::getIDsOfNames(adderInterface(), names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argErr) override {
    return platform::invokeMember(adderInterface(), id, flags, params, result, info, argErr,
                                  [](const auto&, std::span<VARIANT> args, VARIANT& answer) {
                                    answer.vt = VT_I4;
                                    answer.lVal = args[0].lVal + args[1].lVal;
                                  });
  }

 private:
  ~Adder() { --liveObjects; }
  std::atomic<ULONG> references_{1};
};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    AddRef();
    *ppvObject = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++locks); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--locks); }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return platform::hresultOf([&] {
      Adder* adder = new Adder;
      HRESULT hr = adder->QueryInterface(riid, object);
      adder->Release();
      return hr;
    });
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock ? ++locks : --locks;
    return S_OK;
  }
};

Factory factory;
std::atomic<int> registrations{0};

}  // namespace

extern "C" {

HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (rclsid != kClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(riid, ppv);
}

HRESULT DllCanUnloadNow() {
  return liveObjects == 0 && locks == 0 ? S_OK : S_FALSE;
}

HRESULT DllRegisterServer() {
  ++registrations;
  return S_OK;
}

// How often DllRegisterServer ran; the tests read it.
int ComTestServerRegistrations() {
  return registrations;
}

}  // extern "C"
