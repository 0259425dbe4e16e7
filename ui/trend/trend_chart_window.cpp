#include "ui/trend/trend_chart_window.h"

#include "ui/trend/trend_statistics_panel.h"

#include <QBoxLayout>
#include <QChartView>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace trend {
namespace {

const QString WindowTitle = QStringLiteral("Тренд");
const QString SaveButtonText = QStringLiteral("Сохранить PNG…");
const QString ReportButtonText = QStringLiteral("Отчёт о партии…");
// The profile commands' word for a failed file operation, as designed.
const QString FailureText = QStringLiteral("Неудача!");

} // namespace

TrendChartWindow::TrendChartWindow(QWidget* parent) :
    QWidget(parent, Qt::Tool), m_chart(new TrendChart), m_chartView(new QChartView(m_chart)),
    m_statistics(new TrendStatisticsPanel), m_saveButton(new QPushButton(SaveButtonText)),
    m_reportButton(new QPushButton(ReportButtonText)), m_reportOutcome(new QLabel)
{
    m_failureText = FailureText;
    setObjectName("TrendChartWindow");
    setWindowTitle(WindowTitle);
    m_chartView->setObjectName("TrendChartView");
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumSize(480, 280);
    m_saveButton->setObjectName("TrendSaveButton");
    connect(m_saveButton, &QPushButton::clicked, this, &TrendChartWindow::askAndSavePng);
    m_reportButton->setObjectName("TrendReportButton");
    connect(m_reportButton, &QPushButton::clicked, this, &TrendChartWindow::askForLotReport);
    m_reportOutcome->setObjectName("TrendReportOutcome");
    m_reportOutcome->setWordWrap(true);
    m_reportOutcome->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Paths and reasons, not interface texts: the translating client leaves them alone.
    m_reportOutcome->setProperty("tag", -799);

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(12, 4, 12, 0);
    bottom->addWidget(m_statistics, 1);
    bottom->addSpacing(16);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_reportButton);
    buttons->addWidget(m_saveButton);
    bottom->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 12);
    layout->addWidget(m_chartView, 1);
    layout->addLayout(bottom);
    layout->addWidget(m_reportOutcome);
    resize(960, 600);

    m_redrawTimer.setSingleShot(true);
    m_redrawTimer.setInterval(RedrawIntervalMs);
    // A closed window keeps collecting readings but spends nothing on drawing them.
    connect(&m_redrawTimer, &QTimer::timeout, this, [this] {
        if (isVisible())
            redraw();
    });
    redraw();
}

void TrendChartWindow::setTexts(const QString& title, const QString& timeAxisTitle, const QString& failureText)
{
    setWindowTitle(title);
    m_chart->setTimeAxisTitle(timeAxisTitle);
    m_failureText = failureText;
}

void TrendChartWindow::setQuantity(const QString& name, const QString& unit)
{
    if (name != m_quantity)
        m_series.clear();
    m_quantity = name;
    m_unit = unit;
    m_chart->setQuantity(name, unit);
    scheduleRedraw();
}

void TrendChartWindow::setReference(std::optional<Reference> reference)
{
    m_reference = reference;
    scheduleRedraw();
}

void TrendChartWindow::addReading(const QDateTime& time, double value, bool rejected)
{
    m_series.add({time.toMSecsSinceEpoch(), value, rejected});
    scheduleRedraw();
}

void TrendChartWindow::clear()
{
    m_series.clear();
    scheduleRedraw();
}

void TrendChartWindow::redraw()
{
    m_redrawTimer.stop();
    // Before the first layout the plot area is empty; the view's width is then the best guess.
    const int columns = m_chart->plotArea().isEmpty() ? m_chartView->width() : int(m_chart->plotArea().width());
    m_chart->draw(m_series, m_reference, columns);
    m_statistics->showStatistics(m_series, m_reference, m_unit);
}

bool TrendChartWindow::savePng(const QString& path)
{
    redraw();
    return m_chartView->grab().save(path, "PNG");
}

void TrendChartWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    redraw();
}

void TrendChartWindow::scheduleRedraw()
{
    // Restarting a running timer would postpone the redraw for as long as readings keep coming.
    if (!m_redrawTimer.isActive())
        m_redrawTimer.start();
}

void TrendChartWindow::askAndSavePng()
{
    QFileDialog dialog(this, m_saveButton->text().remove(u'…'));
    dialog.setObjectName("TrendSaveDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter("PNG (*.png)");
    dialog.setDefaultSuffix("png");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    if (!savePng(path))
        QMessageBox::warning(this, windowTitle(), m_failureText + u'\n' + QDir::toNativeSeparators(path));
}

void TrendChartWindow::askForLotReport()
{
    QFileDialog dialog(this, m_reportButton->text().remove(u'…'));
    dialog.setObjectName("TrendReportDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter("HTML (*.html)");
    dialog.setDefaultSuffix("html");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    emit lotReportRequested(dialog.selectedFiles().constFirst());
}

void TrendChartWindow::showReportOutcome(const QString& outcome)
{
    m_reportOutcome->setText(outcome);
}

QString TrendChartWindow::reportOutcome() const
{
    return m_reportOutcome->text();
}

} // namespace trend
