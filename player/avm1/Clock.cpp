#include "player/avm1/Clock.h"

#include "player/avm1/DateMath.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace quorlin::avm1 {

double TSystemClock::NowUtcMs() {
    using namespace std::chrono;
    return static_cast<double>(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

double TSystemClock::LocalOffsetMs(double utcMs) {
    if (!std::isfinite(utcMs))
        return 0;
    std::time_t seconds = static_cast<std::time_t>(std::floor(utcMs / 1000));
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &seconds) != 0)
        return 0;
#else
    if (!localtime_r(&seconds, &local))
        return 0;
#endif
    // The broken-down local time read back as if it were UTC, minus the moment itself.
    double asUtc = MakeDate(MakeDay(local.tm_year + 1900.0, local.tm_mon, local.tm_mday),
                            MakeTime(local.tm_hour, local.tm_min, local.tm_sec, 0));
    return asUtc - static_cast<double>(seconds) * 1000.0;
}

}  // namespace quorlin::avm1
