#pragma once
// Array objects keep their elements densely; the names "0", "1", ... and
// "length" read and write them.

#include "player/avm1/Object.h"

#include <optional>
#include <vector>

namespace quorlin::avm1 {

class TArrayObject : public TObject {
public:
    explicit TArrayObject(TObject* proto) : TObject(proto) {}

    std::vector<TValue>& Items() { return FItems; }
    const std::vector<TValue>& Items() const { return FItems; }
    // Grows or shrinks the array; refuses lengths no movie can mean.
    void Resize(double length);

    bool GetOwn(TMachine& m, const std::string& name, const TValue& self, TValue& out) override;
    void SetOwn(TMachine& m, const std::string& name, const TValue& value) override;
    bool HasOwn(const std::string& name) const override;
    bool DeleteOwn(const std::string& name) override;
    void OwnKeys(std::vector<std::string>& out) const override;
    void Trace(TTracer& tracer) override;

    // The element index a name spells in canonical form ("3", not "03").
    static std::optional<size_t> IndexOf(const std::string& name);

    static constexpr size_t MaxLength = size_t{1} << 20;

private:
    std::vector<TValue> FItems;
};

}  // namespace quorlin::avm1
