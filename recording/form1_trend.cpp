// The trend chart beside the recording: the primary value of every logged row, the
// reference band while a primary tolerance is on, and the statistics of the recording.
#include "form1.h"

#include "main_lexicons.h"
#include "primary_band.h"
#include "trend_chart_window.h"
#include "unit_texts.h"
#include "session/meter_session.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;


} // namespace

// The displayed primary parameter of the last reading, in ohm, henry or farad.
std::optional<TForm1::TrendPoint> TForm1::primaryReading() const
{
    const meter::UnitTexts units = meter::UnitTexts::From(*lexicons);
    const meter::TMeterSettings& settings = m_session->settings();
    const meter::RlcdReading& reading = m_session->lastReading();
    const bool series = settings.SerPer == 1;
    const double r = series ? reading.SerR : reading.ParR;
    const double x = series ? reading.SerX : reading.ParX;
    const double frequency = m_session->testFreqHz() > 0 ? m_session->testFreqHz() : 120;
    switch (settings.PrimKind) {
    case 1: return TrendPoint{QStringLiteral("R"), units.ohm, r, 0};
    case 2: return TrendPoint{QStringLiteral("C"), units.farad, 1 / (kTwoPi * frequency * x), 2};
    case 3: return TrendPoint{QStringLiteral("L"), units.henry, x / (kTwoPi * frequency), 1};
    case 4: return TrendPoint{QStringLiteral("Z"), units.ohm, std::hypot(reading.SerR, reading.SerX), -1};
    default: return std::nullopt;
    }
}

void TForm1::feedTrendChart(const QDateTime& when, int verdict)
{
    const auto point = primaryReading();
    if (!point || !std::isfinite(point->value))
        return;
    TrendWindow->setTexts(lexicons->D4.GetItem(8), lexicons->D2.GetItem(2), lexicons->D1.GetItem(5));
    TrendWindow->setQuantity(point->name, point->unit);
    std::optional<trend::Reference> reference;
    if (point->referenceKind == CBox2->currentIndex()) {
        QComboBox* unitBox = point->referenceKind == 1 ? CBox3 : point->referenceKind == 2 ? CBox4 : CBox1;
        if (const auto band = recording::PrimaryToleranceBand({recording::ReferenceKind(point->referenceKind),
                                                               unitBox->currentIndex(), E2->text(),
                                                               CBox5->currentText(), CBox5->itemText(0)}))
            reference = trend::Reference{band->nominal, band->lower, band->upper};
    }
    TrendWindow->setReference(reference);
    TrendWindow->addReading(when, point->value, verdict != 0);
}

void TForm1::Button_TrendClick()
{
    TrendWindow->setTexts(lexicons->D4.GetItem(8), lexicons->D2.GetItem(2), lexicons->D1.GetItem(5));
    TrendWindow->show();
    TrendWindow->raise();
    TrendWindow->activateWindow();
}

void TForm1::wireTrend()
{
    TrendWindow = new trend::TrendChartWindow(this);
    TrendWindow->hide();
    connect(Button_Trend, &QPushButton::clicked, this, &TForm1::Button_TrendClick);
}
