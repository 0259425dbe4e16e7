#include "recording/log_headings.h"

#include "localisation/main_lexicons.h"
#include "recording/log_formats.h"
#include "recording/measurement_log_model.h"

namespace recording {
namespace {

// Items of D3.
constexpr int kRejectMarkItem = 3; // "+"
constexpr int kPassMarkItem = 4;   // "-"

} // namespace

// The titles of D2 start at item 1.
void ShowLogHeadings(MeasurementLogModel& log, const localisation::MainLexicons& lexicons)
{
    for (int column = 0; column < MeasurementLogModel::ColumnCount; ++column)
        log.setHeaderText(column, lexicons.D2.GetItem(column + 1));
    log.setDisplayTexts({lexicons.D3.GetItem(kRejectMarkItem), lexicons.D3.GetItem(kPassMarkItem),
                         SystemDecimalSeparator(), SystemTimeSeparator()});
}

} // namespace recording
