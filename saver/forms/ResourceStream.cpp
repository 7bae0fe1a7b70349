#include "saver/forms/ResourceStream.h"

namespace quorlin {

TResourceStream::TResourceStream(HINSTANCE instance, const std::string& name, LPCSTR type) {
    HRSRC info = FindResourceA(instance, name.c_str(), type);
    // A loaded resource stays mapped with its module and is never freed by hand.
    HGLOBAL data = info ? LoadResource(instance, info) : nullptr;
    const void* memory = data ? LockResource(data) : nullptr;
    if (!memory) throw EStreamError("Resource " + name + " not found");
    SetPointer(memory, SizeofResource(instance, info));
}

size_t TResourceStream::Write(const void*, size_t) {
    throw EStreamError("Cannot write to a resource stream, it is read-only");
}

}  // namespace quorlin
