// The machine's wall-clock time.
#include "platform/winsim/machine_time.h"

#include "platform/winsim/control.h"

namespace winsim::detail {

namespace {

constexpr LONGLONG kUnitsPerMillisecond = 10000;
constexpr LONGLONG kUnitsPerDay = 86400LL * 1000 * kUnitsPerMillisecond;
// 1 January 1601 counted from 1 March of year 0 of the proleptic Gregorian calendar, the start of
// the era the day arithmetic below works in.
constexpr LONGLONG kDaysTo1601 = 584694;

// The machine started on Monday 1 March 1999 at 08:00 UTC.
constexpr LONGLONG kStartDays = 145425;
constexpr LONGLONG kStartTime =
    kStartDays * kUnitsPerDay + 8LL * 3600 * 1000 * kUnitsPerMillisecond;

}  // namespace

LONGLONG MachineStartTime() {
    return kStartTime;
}

LONGLONG MachineTimeNow() {
    return kStartTime + static_cast<LONGLONG>(NowMs()) * kUnitsPerMillisecond;
}

// Days to a civil date in eras of 400 years that begin on 1 March.
SYSTEMTIME ToSystemTime(LONGLONG fileTime) {
    const LONGLONG days = fileTime / kUnitsPerDay;
    LONGLONG rest = (fileTime % kUnitsPerDay) / kUnitsPerMillisecond;
    const LONGLONG shifted = days + kDaysTo1601;
    const LONGLONG era = shifted / 146097;
    const LONGLONG dayOfEra = shifted - era * 146097;
    const LONGLONG yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const LONGLONG dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const LONGLONG monthIndex = (5 * dayOfYear + 2) / 153;
    const LONGLONG month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;

    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    // 1 January 1601 was a Monday.
    time.wDayOfWeek = static_cast<WORD>((days + 1) % 7);
    time.wMilliseconds = static_cast<WORD>(rest % 1000);
    rest /= 1000;
    time.wSecond = static_cast<WORD>(rest % 60);
    rest /= 60;
    time.wMinute = static_cast<WORD>(rest % 60);
    time.wHour = static_cast<WORD>(rest / 60);
    return time;
}

}  // namespace winsim::detail
