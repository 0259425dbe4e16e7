#pragma once
#include "ui/trend/trend_chart.h"
#include "trend/trend_series.h"

#include <QDateTime>
#include <QTimer>
#include <QWidget>

#include <optional>

class QChartView;
class QLabel;
class QPushButton;

namespace trend {

class TrendStatisticsPanel;

// A tool window that follows a recording live: the primary value of every logged row over
// time, the reference band, the rejects, and the statistics of the recording so far.
// Readings are taken at once but drawn at most every RedrawIntervalMs, decimated to the
// chart's width, so a long recording does not slow the window down.
class TrendChartWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int RedrawIntervalMs = 100;

    explicit TrendChartWindow(QWidget* parent = nullptr);

    // Name of the primary quantity ("C") for the axis title, and its unit ("F") for the axis
    // and the statistics; the metric prefix is chosen here. A different quantity starts a
    // new trend: farads and henries in one series would make every statistic meaningless.
    // A new text of the same quantity's unit (after a language switch) keeps the readings.
    void setQuantity(const QString& name, const QString& unit);
    // Texts built by code rather than held by named widgets, in the interface language:
    // the window title, the time axis title and the word for a failed save.
    void setTexts(const QString& title, const QString& timeAxisTitle, const QString& failureText);
    // The reference while a primary tolerance is on, std::nullopt while it is off.
    void setReference(std::optional<Reference> reference);
    void addReading(const QDateTime& time, double value, bool rejected);
    // Forgets every reading: a new recording starts.
    void clear();

    // Draws the chart and the statistics now instead of at the next redraw tick.
    void redraw();
    // Saves the chart as it is drawn now; false when the file cannot be written.
    bool savePng(const QString& path);
    // What became of the lot report last asked for: the files written, or why not, with
    // the file and the reason. Shown under the buttons until the next report.
    void showReportOutcome(const QString& outcome);
    QString reportOutcome() const;

signals:
    // The user named the HTML file of the current recording's lot report.
    void lotReportRequested(const QString& htmlPath);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void scheduleRedraw();
    void askAndSavePng();
    void askForLotReport();

    TrendSeries m_series;
    std::optional<Reference> m_reference;
    QString m_quantity;
    QString m_unit;
    TrendChart* m_chart;
    QChartView* m_chartView;
    TrendStatisticsPanel* m_statistics;
    QPushButton* m_saveButton;
    QPushButton* m_reportButton;
    QLabel* m_reportOutcome;
    QTimer m_redrawTimer;
    QString m_failureText;
};

} // namespace trend
