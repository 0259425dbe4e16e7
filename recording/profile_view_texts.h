#pragma once
#include "recording/log_cell.h"
#include "recording/part_record.h"

#include <QString>

#include <array>

namespace localisation {
struct MainLexicons;
}

namespace recording {

// Cells of the profile's reference view, built from a stored part and the lexicons at the
// moment of the call (so they follow the current language). Stored values the view has
// no text for (an interval code other than 1-3, a level above 4, a frequency index above
// 14) give an empty text.
namespace profile_view {

// "R 1% 10000кОм": kind letter, tolerance, nominal and unit.
QString PrimaryReferenceText(const PartRecord& part, const localisation::MainLexicons& lexicons);
// "Q 10% 50"; only a secondary R carries a unit.
QString SecondaryReferenceText(const PartRecord& part, const localisation::MainLexicons& lexicons);
// "10кГц", "100Гц"; empty for frequency index 0 (no test frequency).
QString FrequencyText(int freqIndex, const localisation::MainLexicons& lexicons);
// "1.0Вскз", "0.1В".
QString LevelText(int levelIndex, const localisation::MainLexicons& lexicons);
// "1сек".
QString IntervalText(int intervalCode, const localisation::MainLexicons& lexicons);
// "S", "P", or "A" when the meter chooses the circuit.
QString CircuitText(const StoredSettings& settings, const localisation::MainLexicons& lexicons);

// The ten cells of part n's row: number, name, references (only for a tolerance that is
// on), circuit, frequency and level ("A" in front when automatic), interval, start
// position, and an empty last cell. Number and start position are whole numbers, the
// others texts.
std::array<LogCell, LogRow::ColumnCount> RowCells(int partNumber, const PartRecord& part,
                                                  const localisation::MainLexicons& lexicons);

} // namespace profile_view
} // namespace recording
