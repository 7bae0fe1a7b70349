#pragma once
// COM on the main thread, as a single-threaded apartment, for the life of this object.

#include <objbase.h>

namespace quorlin {

class TComApartment {
public:
    TComApartment() : FInitialized(SUCCEEDED(CoInitialize(nullptr))) {}
    ~TComApartment() {
        if (FInitialized) CoUninitialize();
    }
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;

private:
    bool FInitialized;
};

}  // namespace quorlin
