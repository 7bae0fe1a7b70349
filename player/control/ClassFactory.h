#pragma once
// The class object that makes player controls.

#include <unknwn.h>

namespace quorlin::control {

class TClassFactory final : public IClassFactory {
public:
    TClassFactory();  // the count starts at 1, for the creator
    ~TClassFactory();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    long FRefCount = 1;
};

}  // namespace quorlin::control
