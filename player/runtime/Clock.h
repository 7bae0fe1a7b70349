#pragma once
// The time source of the player. The host supplies it: the control reads the system's,
// tests and the screenshot tool fix it. Everything time-dependent (the frame pacing and
// the scripts' Date) reads this and nothing else.

#include <cstdint>

namespace quorlin::runtime {

struct TClockReading {
    int64_t UtcMilliseconds = 0;      // since 1970-01-01 00:00:00 UTC
    int32_t TimeZoneOffsetMinutes = 0;  // local time minus UTC: +60 for UTC+1

    int64_t LocalMilliseconds() const { return UtcMilliseconds + int64_t(TimeZoneOffsetMinutes) * 60000; }
};

class TClock {
public:
    virtual ~TClock() = default;
    virtual TClockReading Now() const = 0;
};

// A clock that reads what it was last set to; tests move it by hand.
class TFixedClock : public TClock {
public:
    explicit TFixedClock(TClockReading reading = {}) : FReading(reading) {}
    TClockReading Now() const override { return FReading; }
    void Set(TClockReading reading) { FReading = reading; }
    void Advance(int64_t milliseconds) { FReading.UtcMilliseconds += milliseconds; }

private:
    TClockReading FReading;
};

// The machine's clock and its current time zone offset (daylight saving included).
class TSystemClock : public TClock {
public:
    TClockReading Now() const override;
};

// A reading whose local time is the given date and time of day at the given offset.
TClockReading MakeReading(int year, int month, int day, int hour, int minute, int second, int millisecond,
                          int32_t offsetMinutes);

// Days since 1970-01-01 of a civil date (proleptic Gregorian), and back.
int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(int64_t days, int& year, int& month, int& day);

}  // namespace quorlin::runtime
