#pragma once
// The real window for the recording and profile tests: the meter reports only when a test
// asks it to, so every row can be counted, and the window's modal dialogs are answered
// like a user would.
#include "window_fixture.h"

#include "link/com_port.h"
#include "sim/component_model.h"
#include "sim/frame_encoder.h"
#include "recording/measurement_log_model.h"
#include "store/sqlite_connection.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QStringList>
#include <QTableView>

// Answers every modal dialog the window opens: a file dialog takes the next queued name
// (an empty name, or none queued, cancels it); a message box is read and confirmed.
class ModalAnswerer : public QObject {
public:
    ModalAnswerer()
    {
        connect(&m_poll, &QTimer::timeout, this, &ModalAnswerer::answer);
        m_poll.start(15);
    }

    void queueFileName(const QString& name) { m_fileNames << name; }
    const QStringList& messages() const { return m_messages; }
    void forgetMessages() { m_messages.clear(); }

private:
    void answer()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            const QString name = m_fileNames.isEmpty() ? QString() : m_fileNames.takeFirst();
            if (name.isEmpty()) {
                dialog->reject();
                return;
            }
            // Typed into the name field, as a user does: selecting a file does not reach a
            // name field that has the focus.
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
            static_cast<QDialog*>(dialog)->accept(); // the file dialog's own accept is protected
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            m_messages << box->text();
            box->accept();
        }
    }

    QTimer m_poll;
    QStringList m_fileNames;
    QStringList m_messages;
};

class RecordingWindowTest : public WindowTest {
protected:
    static constexpr int kNoAutomaticFramesMs = 600000;

    void startQuietWindow()
    {
        simulator->setIntervalOverrideMs(kNoAutomaticFramesMs);
        startWindow();
        child<QTimer>("Timer_TX")->setInterval(30); // a sent command holds frames off this long
        QObject::connect(child<dongle::ComPort>("ComPort"), &dongle::ComPort::rxChar, form.get(),
                         [this] { ++m_readsSeen; });
    }

    void startLinkedWindow()
    {
        startQuietWindow();
        connectByClick();
        ASSERT_TRUE(waitFor([&] { return menuBusy() == 0; }));
    }

    // The meter reports one live reading; returns once the window has taken it.
    void measure(double rs, double xs = -1.0)
    {
        simulator->meter().setNextReading(sim::RlcdReading{rs, xs});
        deliver([&] { simulator->sendFrameNow(); });
    }

    // A reading the meter reports while it holds (Hold 1 in its settings).
    void measureHeld(double rs, double xs = -1.0)
    {
        sim::MeterSettings reported =
            sim::resolveAutomaticChoices(simulator->meter().settings(), simulator->meter().component());
        reported.Hold = 1;
        const sim::RlcdReading reading{rs, xs};
        sim::markNegative(reported, reading);
        deliver([&] { simulator->injectGarbage(sim::encodeRlcdFrame(reading, reported, true)); });
    }

    void deliver(const std::function<void()>& send)
    {
        const int before = m_readsSeen;
        send();
        ASSERT_TRUE(waitFor([&] { return m_readsSeen > before; })) << "the window never read the frame";
    }

    QPushButton* recordButton() const { return child<QPushButton>("SP1"); }

    // The lot typed into the bench window, as a user does, and confirmed.
    void setLot(const QString& lot)
    {
        click("Button_Lot");
        ASSERT_TRUE(waitFor([&] { return child("BenchDialog") && child("BenchDialog")->isVisible(); }));
        child<QLineEdit>("BenchLotEdit")->setText(lot);
        click("BenchOkButton");
        ASSERT_FALSE(child("BenchDialog")->isVisible());
    }

    // Columns of the view users query, for every reading in the local database, in the order
    // they were taken: as texts, or one column as the numbers it holds.
    QList<QStringList> storedReadings(const char* columns) const
    {
        QList<QStringList> readings;
        const int columnCount = int(QByteArray(columns).count(',')) + 1;
        forEachStoredReading(columns, [&](const store::SqliteStatement& row) {
            QStringList fields;
            for (int column = 0; column < columnCount; ++column)
                fields << row.text(column);
            readings << fields;
        });
        return readings;
    }
    QList<std::optional<double>> storedNumbers(const char* column) const
    {
        QList<std::optional<double>> numbers;
        forEachStoredReading(column, [&](const store::SqliteStatement& row) { numbers << row.real(0); });
        return numbers;
    }
    void forEachStoredReading(const char* columns, const std::function<void(const store::SqliteStatement&)>& take) const
    {
        store::SqliteConnection database(dataHome.path() + QStringLiteral("/RLC_Data/measurements.sqlite"));
        store::SqliteStatement rows(
            database, QByteArray("SELECT ").append(columns).append(" FROM reading_rows ORDER BY taken_at").constData(),
            "read the readings");
        while (rows.step())
            take(rows);
    }
    QSpinBox* startPosition() const { return child<QSpinBox>("SE1"); }
    QLineEdit* primaryNominal() const { return child<QLineEdit>("E2"); }
    QComboBox* primaryTolerance() const { return child<QComboBox>("CBox5"); }

    // The primary reference: nominal in ohm (kind R, unit "Ом") and a tolerance item.
    void setPrimaryReference(const QString& nominal, const QString& tolerance)
    {
        child<QComboBox>("CBox2")->setCurrentIndex(0);
        child<QComboBox>("CBox1")->setCurrentIndex(0);
        primaryNominal()->setText(nominal);
        primaryTolerance()->setCurrentIndex(primaryTolerance()->findText(tolerance));
    }

    void setSecondaryReference(const QString& nominal, const QString& tolerance)
    {
        child<QComboBox>("CBox11")->setCurrentIndex(0);
        child<QComboBox>("CBox31")->setCurrentIndex(0);
        child<QLineEdit>("E11")->setText(nominal);
        auto* toleranceBox = child<QComboBox>("CBox51");
        toleranceBox->setCurrentIndex(toleranceBox->findText(tolerance));
    }

    void activateWindow()
    {
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // Opens the box's list and clicks the item, as a user chooses from it.
    void chooseFromList(QComboBox* box, int item)
    {
        box->showPopup();
        QAbstractItemView* list = box->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
        const QRect itemRect = list->visualRect(list->model()->index(item, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, itemRect.center());
        ASSERT_TRUE(waitFor([&] { return !list->window()->isVisible(); }));
    }

    QString cell(int gridRow, int column) const { return log().gridCell(gridRow, column); }
    int verdictOf(int gridRow) const
    {
        return log().index(gridRow - 1, 0).data(recording::MeasurementLogModel::VerdictRole).toInt();
    }

    // For looking at the window: saves it as RLC_SCREENSHOT_DIR/<name>.png (the working
    // folder when unset). Meant for runs on a real display (QT_QPA_PLATFORM=xcb).
    void saveScreenshot(const QString& name) const
    {
        QApplication::processEvents();
        const QString folder = qEnvironmentVariable("RLC_SCREENSHOT_DIR", QStringLiteral("."));
        ASSERT_TRUE(form->grab().save(QDir(folder).filePath(name + QStringLiteral(".png"))));
    }

    // The primary reading as the display shows it and a log row repeats it.
    QString shownPrimary() const { return labelText("L_Prim_RLC") + u' ' + labelText("L_prim_n"); }

    int m_readsSeen = 0;
};
