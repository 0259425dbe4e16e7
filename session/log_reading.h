#pragma once
#include "recording/append_log_row.h"
#include "recording/tolerance.h"

#include <QDateTime>

namespace localisation {
struct MainLexicons;
}

namespace session {

class MeterSession;

// The reading the session shows, judged, as the log takes it: the primary and secondary
// value as the RLCD view shows them, the circuit, frequency and level, the verdict and the
// deviations. Where it goes (mode, start position, part) is the log's to add.
recording::LogRowInput LogReading(const MeterSession& session, const recording::ReadingJudgement& judgement,
                                  const localisation::MainLexicons& lexicons,
                                  const QDateTime& when = QDateTime::currentDateTime());

} // namespace session
