// IUnknown, IDispatch and IClassFactory with the COM vtable order: the first entries of every
// interface that crosses the module boundary. No virtual destructor, which would add vtable
// entries; objects go away through Release.
#pragma once

#include <utility>

#include "platform/com/com_base.h"
#include "platform/com/guid.h"
#include "platform/com/variant_abi.h"

struct ITypeInfo;  // type information objects are not offered

struct IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;

 protected:
  ~IUnknown() = default;
};

struct IDispatch : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames,
                                                  LCID lcid, DISPID* rgDispId) = 0;
  virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                           DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                           EXCEPINFO* pExcepInfo, UINT* puArgErr) = 0;

 protected:
  ~IDispatch() = default;
};

struct IClassFactory : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                                   void** ppvObject) = 0;
  virtual HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) = 0;

 protected:
  ~IClassFactory() = default;
};

namespace platform {

// Holds one reference on an interface and releases it when it goes away.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over the reference the caller holds on `p`.
  static ComPtr adopt(Interface* p) {
    ComPtr ptr;
    ptr.p_ = p;
    return ptr;
  }
  // Adds a reference of its own on `p`.
  static ComPtr share(Interface* p) {
    if (p) p->AddRef();
    return adopt(p);
  }
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() {
    if (p_) p_->Release();
  }

  Interface* get() const { return p_; }
  Interface* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For an out parameter: releases what is held first.
  Interface** put() {
    *this = ComPtr();
    return &p_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }
  Interface* detach() {
    Interface* p = p_;
    p_ = nullptr;
    return p;
  }

 private:
  Interface* p_ = nullptr;
};

}  // namespace platform
