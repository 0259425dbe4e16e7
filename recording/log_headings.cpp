#include "recording/log_headings.h"

#include "localisation/main_lexicons.h"
#include "recording/log_formats.h"
#include "recording/measurement_log_model.h"

namespace recording {

// The titles of D2 follow the log's columns in order.
void ShowLogHeadings(MeasurementLogModel& log, const localisation::MainLexicons& lexicons)
{
    using namespace localisation;
    for (int column = 0; column < MeasurementLogModel::ColumnCount; ++column)
        log.setHeaderText(column, lexicons.D2.GetItem(PositionTitle + column));
    log.setBinHeaderText(lexicons.D4.GetItem(BinHeading));
    log.setDisplayTexts({lexicons.D3.GetItem(RejectMark), lexicons.D3.GetItem(PassMark), SystemDecimalSeparator(),
                         SystemTimeSeparator()});
}

} // namespace recording
