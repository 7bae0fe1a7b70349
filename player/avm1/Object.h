#pragma once
// An ActionScript object: an ordered table of named properties with flags and a
// prototype link. Subclasses (arrays, functions, dates, movie clips) hook into
// reading and writing names of their own.

#include "player/avm1/Value.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorlin::avm1 {

class TMachine;
class TFunction;
class TTracer;

// The flags of ASSetPropFlags.
enum TPropertyFlags : uint8_t {
    pfNone = 0,
    pfDontEnum = 1,
    pfDontDelete = 2,
    pfReadOnly = 4,
};

struct TProperty {
    TValue FValue;
    uint8_t FFlags = pfNone;
    // Set together by Object.addProperty; FValue is unused then.
    TFunction* FGetter = nullptr;
    TFunction* FSetter = nullptr;
};

class TObject {
public:
    explicit TObject(TObject* proto) : FProto(proto) {}
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    TObject* Proto() const { return FProto; }
    void SetProto(TObject* proto) { FProto = proto; }

    // What typeof answers for this object.
    virtual const char* TypeOf() const { return "object"; }
    virtual bool IsFunction() const { return false; }

    // Reads a name this object holds itself (no prototype). self is the object the
    // lookup started from, for getters. Returns false when the name is not there.
    virtual bool GetOwn(TMachine& m, const std::string& name, const TValue& self, TValue& out);
    // Writes a name on this object itself, creating it when needed; read-only
    // properties keep their value.
    virtual void SetOwn(TMachine& m, const std::string& name, const TValue& value);
    virtual bool HasOwn(const std::string& name) const { return FindOwn(name) != nullptr; }
    // Removes an own name unless it is DontDelete; true when it was removed.
    virtual bool DeleteOwn(const std::string& name);
    // Own enumerable names in the order they were added.
    virtual void OwnKeys(std::vector<std::string>& out) const;

    // The property table itself, without hooks.
    const TProperty* FindOwn(const std::string& name) const;
    TProperty* FindOwn(const std::string& name);
    void Define(const std::string& name, TValue value, uint8_t flags = pfNone);
    size_t PropertyCount() const { return FProperties.size(); }
    std::vector<std::pair<std::string, TProperty>>& Properties() { return FProperties; }

    // Marks what this object references; subclasses add their own fields.
    virtual void Trace(TTracer& tracer);

    // Set by the heap's collector.
    bool FMarked = false;

private:
    void Reindex();

    TObject* FProto;
    std::vector<std::pair<std::string, TProperty>> FProperties;
    std::unordered_map<std::string, size_t> FIndex;
};

// A boxed primitive: the object behind new String, new Number and new Boolean.
class TBoxObject : public TObject {
public:
    TBoxObject(TObject* proto, TValue primitive) : TObject(proto), FPrimitive(std::move(primitive)) {}
    const TValue& Primitive() const { return FPrimitive; }
    bool GetOwn(TMachine& m, const std::string& name, const TValue& self, TValue& out) override;

private:
    TValue FPrimitive;
};

}  // namespace quorlin::avm1
