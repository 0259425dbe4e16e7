#include "recording/ui/trend_feed.h"

#include "localisation/main_lexicons.h"
#include "meter/unit_texts.h"
#include "recording/ui/reference_box.h"
#include "session/meter_session.h"
#include "trend/trend_chart_window.h"

#include <cmath>
#include <optional>

namespace recording {
namespace {

constexpr double kTwoPi = 6.283185307179586;
// Items of D2 and D1.
constexpr int kTimeTitle = 2;
constexpr int kFailedItem = 5;

struct TrendPoint {
    QString name, unit;
    double value = 0;
    int referenceKind = -1; // reference box kind of the same quantity (0 R, 1 L, 2 C), -1 none
};

// The displayed primary parameter of the last reading, in ohm, henry or farad.
std::optional<TrendPoint> primaryReading(const session::MeterSession& session, const meter::UnitTexts& units)
{
    const meter::TMeterSettings& settings = session.settings();
    const meter::RlcdReading& reading = session.lastReading();
    const bool series = settings.SerPer == 1;
    const double r = series ? reading.SerR : reading.ParR;
    const double x = series ? reading.SerX : reading.ParX;
    const double frequency = session.testFreqHz() > 0 ? session.testFreqHz() : 120;
    switch (settings.PrimKind) {
    case 1: return TrendPoint{QStringLiteral("R"), units.ohm, r, 0};
    case 2: return TrendPoint{QStringLiteral("C"), units.farad, 1 / (kTwoPi * frequency * x), 2};
    case 3: return TrendPoint{QStringLiteral("L"), units.henry, x / (kTwoPi * frequency), 1};
    case 4: return TrendPoint{QStringLiteral("Z"), units.ohm, std::hypot(reading.SerR, reading.SerX), -1};
    default: return std::nullopt;
    }
}

} // namespace

TrendFeed::TrendFeed(const session::MeterSession& session, const ReferenceBox& references,
                     const localisation::MainLexicons& lexicons, QWidget* window) :
    QObject(window),
    m_session(session),
    m_references(references),
    m_lexicons(lexicons),
    m_window(new trend::TrendChartWindow(window))
{
    m_window->hide();
}

void TrendFeed::showTexts()
{
    m_window->setTexts(m_lexicons.D4.GetItem(localisation::TrendTitle), m_lexicons.D2.GetItem(kTimeTitle),
                       m_lexicons.D1.GetItem(kFailedItem));
}

void TrendFeed::rowLogged(const QDateTime& when, VerdictCode verdict)
{
    const auto point = primaryReading(m_session, meter::UnitTexts::From(m_lexicons));
    if (!point || !std::isfinite(point->value))
        return;
    showTexts();
    m_window->setQuantity(point->name, point->unit);
    std::optional<trend::Reference> reference;
    if (const auto band = m_references.primaryBand(point->referenceKind))
        reference = trend::Reference{band->nominal, band->lower, band->upper};
    m_window->setReference(reference);
    m_window->addReading(when, point->value, verdict != VerdictPass);
}

void TrendFeed::recordingToggled(bool running)
{
    if (running)
        m_window->clear();
}

void TrendFeed::show()
{
    showTexts();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace recording
