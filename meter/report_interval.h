#pragma once
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

namespace meter {

// The meter's report intervals. The settings record and the commands carry the code; the
// interval list shows them in this order, so an interval's item is its place here.
struct ReportInterval {
    quint8 code;
    int milliseconds;
    const char* seconds; // as the lists and the profile view show it
};

inline constexpr std::array<ReportInterval, 3> kReportIntervals{{
    {3, 500, "0.5"},
    {2, 1000, "1"},
    {1, 2000, "2"},
}};

// The interval of a settings code; nullopt for a code that names none.
std::optional<ReportInterval> ReportIntervalOfCode(int code);
// The list item of a settings code, and the code of a list item.
std::optional<int> ReportIntervalItem(int code);
std::optional<quint8> ReportIntervalCode(int item);

} // namespace meter
