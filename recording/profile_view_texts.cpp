#include "recording/profile_view_texts.h"

#include "localisation/main_lexicons.h"
#include "meter/meter_settings.h"
#include "meter/report_interval.h"
#include "recording/reference_kind.h"
#include "meter/unit_texts.h"

#include <optional>

namespace recording::profile_view {
namespace {

// The micro and ohm signs follow the same choice as the display's.
QString micro(const localisation::MainLexicons& lex)
{
    return meter::UnitTexts::From(lex).micro;
}

QString ohm(const localisation::MainLexicons& lex)
{
    return meter::UnitTexts::From(lex).ohm;
}

QString resistanceUnit(int unitIndex, const localisation::MainLexicons& lex)
{
    switch (unitIndex) {
    case 0: return ohm(lex);
    case 1: return lex.Dlang1.GetItem(localisation::KiloPrefix) + ohm(lex);
    case 2: return lex.Dlang1.GetItem(localisation::MegaPrefix) + ohm(lex);
    default: return {};
    }
}

QString inductanceUnit(int unitIndex, const localisation::MainLexicons& lex)
{
    switch (unitIndex) {
    case 0: return micro(lex) + lex.Dlang3.GetItem(localisation::HenryUnit);
    case 1: return lex.Dlang1.GetItem(localisation::MilliPrefix) + lex.Dlang3.GetItem(localisation::HenryUnit);
    case 2: return lex.Dlang3.GetItem(localisation::HenryUnit);
    default: return {};
    }
}

QString capacitanceUnit(int unitIndex, const localisation::MainLexicons& lex)
{
    switch (unitIndex) {
    case 0: return lex.Dlang1.GetItem(localisation::PicoPrefix) + lex.Dlang3.GetItem(localisation::FaradUnit);
    case 1: return lex.Dlang1.GetItem(localisation::NanoPrefix) + lex.Dlang3.GetItem(localisation::FaradUnit);
    case 2: return micro(lex) + lex.Dlang3.GetItem(localisation::FaradUnit);
    default: return {};
    }
}

QString primaryUnit(ReferenceKind kind, int unitIndex, const localisation::MainLexicons& lex)
{
    switch (kind) {
    case ReferenceKind::Resistance: return resistanceUnit(unitIndex, lex);
    case ReferenceKind::Inductance: return inductanceUnit(unitIndex, lex);
    case ReferenceKind::Capacitance: return capacitanceUnit(unitIndex, lex);
    }
    return {};
}

std::optional<QChar> letter(ReferenceKind kind)
{
    switch (kind) {
    case ReferenceKind::Resistance: return u'R';
    case ReferenceKind::Inductance: return u'L';
    case ReferenceKind::Capacitance: return u'C';
    }
    return std::nullopt;
}

std::optional<QChar> letter(SecondaryReferenceKind kind)
{
    switch (kind) {
    case SecondaryReferenceKind::Resistance: return u'R';
    case SecondaryReferenceKind::Quality: return u'Q';
    case SecondaryReferenceKind::Dissipation: return u'D';
    }
    return std::nullopt;
}

// Empty for a kind a foreign file may hold but no box lists.
template <typename Kind>
QString reference(Kind kind, const QString& tolerance, const QString& nominal, const QString& unit)
{
    const std::optional<QChar> kindLetter = letter(kind);
    if (!kindLetter)
        return {};
    return *kindLetter + u' ' + tolerance + u' ' + nominal + unit;
}

QString automaticMark(quint8 automatic)
{
    return automatic == 1 ? QStringLiteral("A") : QString();
}

} // namespace

QString PrimaryReferenceText(const PartRecord& part, const localisation::MainLexicons& lex)
{
    const auto kind = ReferenceKind(part.primaryKind);
    return reference(kind, part.primaryTolerance, part.primaryNominal, primaryUnit(kind, part.primaryUnit, lex));
}

QString SecondaryReferenceText(const PartRecord& part, const localisation::MainLexicons& lex)
{
    const auto kind = SecondaryReferenceKind(part.secondaryKind);
    const QString unit =
        kind == SecondaryReferenceKind::Resistance ? resistanceUnit(part.secondaryUnit, lex) : QString();
    return reference(kind, part.secondaryTolerance, part.secondaryNominal, unit);
}

QString FrequencyText(int freqIndex, const localisation::MainLexicons& lex)
{
    if (!meter::HasTestFrequency(freqIndex))
        return {};
    const int hz = meter::FreqIndexToHz(freqIndex);
    if (hz > 999)
        return QString::number(hz / 1000) + lex.Dlang1.GetItem(localisation::KiloPrefix)
            + lex.Dlang3.GetItem(localisation::HertzUnit);
    return QString::number(hz) + lex.Dlang3.GetItem(localisation::HertzUnit);
}

QString LevelText(int levelIndex, const localisation::MainLexicons& lex)
{
    switch (levelIndex) {
    case 0:
    case 1: return QStringLiteral("1.0") + lex.Dlang3.GetItem(localisation::VoltRmsUnit);
    case 2: return QStringLiteral("0.5") + lex.Dlang3.GetItem(localisation::VoltRmsUnit);
    case 3: return QStringLiteral("0.1") + lex.Dlang3.GetItem(localisation::VoltRmsUnit);
    case 4: return QStringLiteral("0.1") + lex.Dlang3.GetItem(localisation::VoltUnit);
    default: return {};
    }
}

QString IntervalText(int intervalCode, const localisation::MainLexicons& lex)
{
    if (const auto interval = meter::ReportIntervalOfCode(intervalCode))
        return QString::fromLatin1(interval->seconds) + lex.D3.GetItem(localisation::SecondsUnit);
    return {};
}

QString CircuitText(const StoredSettings& settings, const localisation::MainLexicons& lex)
{
    if (settings[settings_byte::SerPerAuto] == 1)
        return QStringLiteral("A");
    return lex.Dlang2.GetItem(settings[settings_byte::SerPer] == 1 ? localisation::SeriesCircuitLetter
                                                                   : localisation::ParallelCircuitLetter);
}

std::array<LogCell, LogRow::ColumnCount> RowCells(int partNumber, const PartRecord& part,
                                                  const localisation::MainLexicons& lex)
{
    const StoredSettings& s = part.settings;
    std::array<LogCell, LogRow::ColumnCount> cells;
    cells[0] = partNumber;
    cells[1] = part.name;
    if (part.primaryTolerance != StoredToleranceOff)
        cells[2] = PrimaryReferenceText(part, lex);
    if (part.secondaryTolerance != StoredToleranceOff)
        cells[3] = SecondaryReferenceText(part, lex);
    cells[4] = CircuitText(s, lex);
    cells[5] = automaticMark(s[settings_byte::FreqAuto]) + FrequencyText(s[settings_byte::FreqIndex], lex);
    cells[6] = automaticMark(s[settings_byte::LevelAuto]) + LevelText(s[settings_byte::LevelIndex], lex);
    cells[7] = IntervalText(s[settings_byte::IntervalCode], lex);
    cells[8] = part.startPosition;
    return cells;
}

} // namespace recording::profile_view
