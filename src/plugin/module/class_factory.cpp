#include "plugin/module/class_factory.h"

#include "platform/com/hresult_of.h"
#include "plugin/module/juvo_main_com.h"
#include "plugin/module/module_usage.h"

namespace juvo {

ClassFactory::ClassFactory(std::function<SharedObjects&()> shared) : shared_(std::move(shared)) {}

HRESULT ClassFactory::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  *ppvObject = nullptr;
  if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
  AddRef();
  *ppvObject = static_cast<IClassFactory*>(this);
  return S_OK;
}

// The factory lives as long as the module; its references only keep the module in use.
ULONG ClassFactory::AddRef() {
  module_usage::lock();
  return 2;
}

ULONG ClassFactory::Release() {
  module_usage::unlock();
  return 1;
}

HRESULT ClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  *ppvObject = nullptr;
  if (pUnkOuter) return CLASS_E_NOAGGREGATION;
  // Creation traps its own failures; this catches what even that cannot, such as memory.
  return platform::hresultOf([&] {
    juvo_main_com* object = juvo_main_com::create(shared_());
    HRESULT hr = object->QueryInterface(riid, ppvObject);
    object->Release();
    return hr;
  });
}

HRESULT ClassFactory::LockServer(BOOL fLock) {
  fLock ? module_usage::lock() : module_usage::unlock();
  return S_OK;
}

}  // namespace juvo
