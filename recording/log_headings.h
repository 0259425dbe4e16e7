#pragma once

namespace localisation {
struct MainLexicons;
}

namespace recording {

class MeasurementLogModel;

// The single-part log's ten column titles and the bin column's, and the verdict marks and separators its cells
// are shown with: the lexicons' current language and the user's separators.
void ShowLogHeadings(MeasurementLogModel& log, const localisation::MainLexicons& lexicons);

} // namespace recording
