// The class factory of juvo_main. A factory is no object of its own: every reference on it
// counts as a lock on the module.
#pragma once

#include <functional>

#include "platform/com/interfaces.h"
#include "shared/shared_objects.h"

namespace juvo {

class ClassFactory final : public IClassFactory {
 public:
  // Objects it creates work over the shared objects `shared` gives (the module's, or a test's).
  explicit ClassFactory(std::function<SharedObjects&()> shared);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // A new juvo_main as `riid`; CLASS_E_NOAGGREGATION with an outer object.
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                           void** ppvObject) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;

 private:
  std::function<SharedObjects&()> shared_;
};

}  // namespace juvo
