#pragma once
// A read-only stream over a resource of a loaded module, read in place.

#include <windows.h>

#include <string>

#include "saver/forms/MemoryStream.h"

namespace quorlin {

class TResourceStream : public TCustomMemoryStream {
public:
    // Raises EStreamError "Resource <name> not found" when the module has no such resource.
    TResourceStream(HINSTANCE instance, const std::string& name, LPCSTR type);
    // Resources are read-only: raises EStreamError.
    size_t Write(const void* buffer, size_t count) override;
};

}  // namespace quorlin
