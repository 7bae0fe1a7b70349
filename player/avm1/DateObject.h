#pragma once
// A Date: one time value in UTC milliseconds, NaN when invalid.

#include "player/avm1/Object.h"

namespace quorlin::avm1 {

class TDateObject : public TObject {
public:
    TDateObject(TObject* proto, double time) : TObject(proto), FTime(time) {}
    double Time() const { return FTime; }
    void SetTime(double time) { FTime = time; }

private:
    double FTime;
};

}  // namespace quorlin::avm1
