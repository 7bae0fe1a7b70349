#include "player/avm1/Array.h"

#include "player/avm1/Error.h"
#include "player/avm1/Heap.h"
#include "player/avm1/Machine.h"

#include <cmath>

namespace quorlin::avm1 {

std::optional<size_t> TArrayObject::IndexOf(const std::string& name) {
    if (name.empty() || name.size() > 10 || (name.size() > 1 && name[0] == '0'))
        return std::nullopt;
    size_t index = 0;
    for (char c : name) {
        if (c < '0' || c > '9')
            return std::nullopt;
        index = index * 10 + static_cast<size_t>(c - '0');
    }
    return index;
}

void TArrayObject::Resize(double length) {
    if (!(length >= 0) || length != std::floor(length))
        return;  // a length that is not a whole number leaves the array as it is
    if (length > static_cast<double>(MaxLength))
        throw TScriptError("array length " + std::to_string(static_cast<long long>(length)) + " is too large");
    FItems.resize(static_cast<size_t>(length));
}

bool TArrayObject::GetOwn(TMachine& m, const std::string& name, const TValue& self, TValue& out) {
    if (name == "length") {
        out = static_cast<double>(FItems.size());
        return true;
    }
    if (auto index = IndexOf(name)) {
        if (*index < FItems.size()) {
            out = FItems[*index];
            return true;
        }
        return false;
    }
    return TObject::GetOwn(m, name, self, out);
}

void TArrayObject::SetOwn(TMachine& m, const std::string& name, const TValue& value) {
    if (name == "length") {
        Resize(m.ToNumber(value));
        return;
    }
    if (auto index = IndexOf(name)) {
        if (*index >= FItems.size())
            Resize(static_cast<double>(*index) + 1);
        FItems[*index] = value;
        return;
    }
    TObject::SetOwn(m, name, value);
}

bool TArrayObject::HasOwn(const std::string& name) const {
    if (name == "length")
        return true;
    if (auto index = IndexOf(name))
        return *index < FItems.size();
    return TObject::HasOwn(name);
}

bool TArrayObject::DeleteOwn(const std::string& name) {
    if (auto index = IndexOf(name)) {
        if (*index < FItems.size()) {
            FItems[*index] = TValue();
            return true;
        }
        return false;
    }
    return TObject::DeleteOwn(name);
}

void TArrayObject::OwnKeys(std::vector<std::string>& out) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        out.push_back(std::to_string(i));
    TObject::OwnKeys(out);
}

void TArrayObject::Trace(TTracer& tracer) {
    TObject::Trace(tracer);
    for (const TValue& v : FItems)
        tracer.Mark(v);
}

}  // namespace quorlin::avm1
