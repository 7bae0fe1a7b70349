#pragma once
// An owning reference to a COM interface: released by the destructor on every path.

#include <objbase.h>

#include <cstddef>
#include <utility>

namespace quorlin {

template <class T>
class TComPtr {
public:
    TComPtr() = default;
    TComPtr(std::nullptr_t) {}
    // Adds a reference of its own; the caller keeps the one it had (if any).
    explicit TComPtr(T* pointer) : FPointer(pointer) {
        if (FPointer) FPointer->AddRef();
    }
    TComPtr(const TComPtr& other) : TComPtr(other.FPointer) {}
    TComPtr(TComPtr&& other) noexcept : FPointer(std::exchange(other.FPointer, nullptr)) {}
    ~TComPtr() { Reset(); }

    TComPtr& operator=(TComPtr other) noexcept {
        std::swap(FPointer, other.FPointer);
        return *this;
    }

    // Takes over a reference that the caller already holds (an out parameter's result).
    static TComPtr Attach(T* pointer) {
        TComPtr result;
        result.FPointer = pointer;
        return result;
    }
    // Hands the reference over to the caller, who must release it.
    T* Detach() { return std::exchange(FPointer, nullptr); }
    void Reset() {
        if (T* old = std::exchange(FPointer, nullptr)) old->Release();
    }

    T* Get() const { return FPointer; }
    T* operator->() const { return FPointer; }
    explicit operator bool() const { return FPointer != nullptr; }

    // For out parameters: drops the current reference and lends the slot.
    T** Put() {
        Reset();
        return &FPointer;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    template <class U>
    HRESULT As(TComPtr<U>& target) const {
        if (!FPointer) return E_POINTER;
        return FPointer->QueryInterface(__uuidof(U), target.PutVoid());
    }

private:
    T* FPointer = nullptr;
};

}  // namespace quorlin
