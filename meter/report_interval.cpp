#include "meter/report_interval.h"

namespace meter {

std::optional<int> ReportIntervalItem(int code)
{
    for (std::size_t item = 0; item < kReportIntervals.size(); ++item) {
        if (kReportIntervals[item].code == code)
            return int(item);
    }
    return std::nullopt;
}

std::optional<ReportInterval> ReportIntervalOfCode(int code)
{
    if (const auto item = ReportIntervalItem(code))
        return kReportIntervals[std::size_t(*item)];
    return std::nullopt;
}

std::optional<quint8> ReportIntervalCode(int item)
{
    if (item < 0 || item >= int(kReportIntervals.size()))
        return std::nullopt;
    return kReportIntervals[std::size_t(item)].code;
}

} // namespace meter
