#include "player/runtime/Clock.h"

#include <chrono>
#include <ctime>

namespace quorlin::runtime {

namespace {

// Offset of local time from UTC at the given moment, from the C library's tables.
int32_t LocalOffsetMinutes(std::time_t t) {
    std::tm local{}, utc{};
#ifdef _WIN32
    localtime_s(&local, &t);
    gmtime_s(&utc, &t);
#else
    localtime_r(&t, &local);
    gmtime_r(&t, &utc);
#endif
    const int64_t localDays = DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    const int64_t utcDays = DaysFromCivil(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday);
    const int64_t localSeconds = localDays * 86400 + local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    const int64_t utcSeconds = utcDays * 86400 + utc.tm_hour * 3600 + utc.tm_min * 60 + utc.tm_sec;
    return int32_t((localSeconds - utcSeconds) / 60);
}

}  // namespace

TClockReading TSystemClock::Now() const {
    using namespace std::chrono;
    const int64_t ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return {ms, LocalOffsetMinutes(std::time_t(ms / 1000))};
}

// Howard Hinnant's civil-date algorithms (public domain), which hold for any year.
int64_t DaysFromCivil(int year, int month, int day) {
    const int64_t y = int64_t(year) - (month <= 2);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2));
}

TClockReading MakeReading(int year, int month, int day, int hour, int minute, int second, int millisecond,
                          int32_t offsetMinutes) {
    const int64_t local = DaysFromCivil(year, month, day) * 86400000 +
                          ((int64_t(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
    return {local - int64_t(offsetMinutes) * 60000, offsetMinutes};
}

}  // namespace quorlin::runtime
