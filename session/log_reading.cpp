#include "session/log_reading.h"

#include "localisation/main_lexicons.h"
#include "session/meter_session.h"

namespace session {

recording::LogRowInput LogReading(const MeterSession& session, const recording::ReadingJudgement& judgement,
                                  const localisation::MainLexicons& lexicons, const QDateTime& when)
{
    const meter::RlcdDisplay& shown = session.display();
    recording::LogRowInput in;
    in.timestamp = when;
    in.primaryLetter = shown.primaryLetter;
    in.primaryValue = shown.primaryValue;
    in.secondaryLetter = shown.secondaryLetter;
    in.secondaryValue = shown.secondaryValue;
    in.serPer = session.settings().SerPer;
    in.seriesText = lexicons.Dlang2.GetItem(localisation::SeriesCircuitLetter);
    in.parallelText = lexicons.Dlang2.GetItem(localisation::ParallelCircuitLetter);
    in.freqIndex = session.settings().FreqIndex;
    in.freqText = session.freqText();
    in.levelText = session.levelText();
    in.verdict = judgement.verdict;
    in.primaryDeviation = judgement.deviations.primary;
    in.secondaryDeviation = judgement.deviations.secondary;
    in.primaryToleranceOn = judgement.primaryOn;
    in.secondaryToleranceOn = judgement.secondaryOn;
    in.values = recording::ValuesOfReading(session.settings(), session.lastReading());
    return in;
}

} // namespace session
