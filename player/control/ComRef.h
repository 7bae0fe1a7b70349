#pragma once
// An owning reference to a COM interface: released on every path.

#include <unknwn.h>

#include <utility>

namespace quorlin::control {

template <class T>
class TComRef {
public:
    TComRef() = default;
    // Takes over a reference the caller already owns.
    static TComRef Attach(T* raw) {
        TComRef ref;
        ref.FRaw = raw;
        return ref;
    }
    // Adds a reference of its own.
    static TComRef Share(T* raw) {
        if (raw) raw->AddRef();
        return Attach(raw);
    }
    TComRef(const TComRef& other) : FRaw(other.FRaw) {
        if (FRaw) FRaw->AddRef();
    }
    TComRef(TComRef&& other) noexcept : FRaw(std::exchange(other.FRaw, nullptr)) {}
    TComRef& operator=(TComRef other) noexcept {
        std::swap(FRaw, other.FRaw);
        return *this;
    }
    ~TComRef() { Reset(); }

    void Reset() {
        if (T* raw = std::exchange(FRaw, nullptr)) raw->Release();
    }
    T* Get() const { return FRaw; }
    T* operator->() const { return FRaw; }
    explicit operator bool() const { return FRaw != nullptr; }
    // For out parameters: releases what is held and hands out the slot.
    T** Put() {
        Reset();
        return &FRaw;
    }
    // A new reference for an out parameter of the caller's.
    T* Detach() { return std::exchange(FRaw, nullptr); }

    template <class U>
    TComRef<U> As(REFIID iid) const {
        TComRef<U> other;
        if (FRaw) FRaw->QueryInterface(iid, reinterpret_cast<void**>(other.Put()));
        return other;
    }

private:
    T* FRaw = nullptr;
};

}  // namespace quorlin::control
