#include "player/runtime/Clock.h"

#include "player/avm1/DateMath.h"

namespace quorlin::runtime {

double LocalTimeToUtc(int year, int month, int day, int hour, int minute, int second, int millisecond,
                      double offsetMs) {
    const double local = avm1::MakeDate(avm1::MakeDay(year, month - 1, day),
                                        avm1::MakeTime(hour, minute, second, millisecond));
    return local - offsetMs;
}

}  // namespace quorlin::runtime
