#pragma once
// A real main window linked to the simulated meter through a real pseudo-terminal. Each
// test gets its own data folder (XDG_DATA_HOME), so the state file starts absent.
//
// Tests find the window's controls, timers and port by their object names, the names the
// language files address them by, and reach the rest of its state through the accessors
// below. How the window keeps either is known here only.
#include "link/com_port.h"
#include "ui/panel/component_pictures.h"
#include "link/dongle_link.h"
#include "ui/panel/front_panel.h"
#include "session/meter_session.h"
#include "session/recording_core.h"
#include "recording/profile_store.h"
#include "ui/recording/recording_panel.h"
#include "ui/recording/reference_box.h"
#include "shell/form1.h"
#include "localisation/lang_man_engine.h"
#include "localisation/main_lexicons.h"
#include "recording/measurement_log_model.h"
#include "ui/panel/menu_list.h"
#include "sim/meter_simulator.h"
#include "qt_printers.h"
#include "ui/trend/trend_chart_window.h"
#include "meter/unit_texts.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

// Public where table cases and helpers outside the fixture need it.
class WindowTest : public ::testing::Test {
public:
    // A condition awaited is usually met in milliseconds; the bound is for a loaded machine
    // running the sanitizer build, and costs time only when the test fails.
    static constexpr int kWaitMs = 10000;

    // --- the window's named objects -------------------------------------------------------

    // The window's one descendant of this object name, as a T. A name that is missing or
    // taken twice, or an object of another type, fails the test here with the name, and the
    // exception ends the test before anything can use the object.
    template <typename T = QWidget> T* child(const char* name) const
    {
        const QList<QObject*> named = form->findChildren<QObject*>(QString::fromLatin1(name));
        if (named.size() == 1)
            if (auto* found = dynamic_cast<T*>(named.first()))
                return found;
        std::string problem = "the window has ";
        if (named.size() == 1)
            problem += std::string("a ") + named.first()->metaObject()->className() + " named \"" + name + "\", not a "
                + T::staticMetaObject.className();
        else
            problem += std::to_string(named.size()) + " objects named \"" + name + "\", not one";
        ADD_FAILURE() << problem;
        throw std::runtime_error(problem);
    }

    QString labelText(const char* name) const { return child<QLabel>(name)->text(); }
    QString memo() const { return child<QPlainTextEdit>("Memo1")->toPlainText(); }

    // --- the window's state beyond its controls ------------------------------------------

    int menuBusy() const { return form->link().framesHeld() ? 1 : 0; }
    bool meterLinked() const { return form->link().isMeterLinked(); }
    bool portOpened() const { return form->link().portOpened(); }
    const meter::TMeterSettings& meterSettings() const { return form->session().settings(); }
    qint32 testFrequencyHz() const { return form->session().testFreqHz(); }
    double seriesResistance() const { return form->session().lastReading().SerR; }
    double parallelReactance() const { return form->session().lastReading().ParX; }
    int rejectCode() const { return form->recordingCore().lastJudgement().verdict; }
    recording::MeasurementLogModel& log() const { return form->recordingPanel().log(); }
    // The grid rows an export writes; tests set it to mark how many rows they logged.
    int logRow() const { return form->recordingCore().loggedRows(); }
    void setLogRow(int rows) const { form->recordingCore().setLoggedRows(rows); }
    void resetLog(int rowCount) const { form->recordingPanel().ResetLog(rowCount); }
    bool isMultiPartMode() const { return form->recordingPanel().mode() == recording::LogMode::MultiPart; }
    const QString& openProfilePath() const { return form->profiles().profilePath(); }
    int partCount() const { return form->profiles().partCount(); }
    const localisation::MainLexicons& lexicons() const { return form->lexicons(); }
    meter::UnitTexts units() const { return meter::UnitTexts::From(lexicons()); }
    localisation::TLangManEngine& languageManager() const { return form->languageManager(); }
    // The RD view's pictures as the view shows them.
    static QList<QImage> componentPictures()
    {
        QList<QImage> shown;
        for (const QImage& picture : panel::ComponentPictures())
            shown << QPixmap::fromImage(picture).toImage();
        return shown;
    }
    trend::TrendChartWindow* trendWindow() const { return child<trend::TrendChartWindow>("TrendChartWindow"); }

    // The level field lies in the RLCD view; while another view shows, only the window's
    // reaction to the field's click can open the level menu.
    void openLevelMenuWhileItsFieldIsHidden() const { form->frontPanel().L_Level_RLCClick(); }

    // --- a user's hands ------------------------------------------------------------------

    void click(const char* name) const { QTest::mouseClick(child(name), Qt::LeftButton); }

    // The pointer moves as a user's would; moving is what raises enter and leave.
    static void pointAt(QWidget* widget, QPoint position = {})
    {
        QTest::mouseMove(widget, position.isNull() ? widget->rect().center() : position);
    }

    void clickField(const char* name) const
    {
        auto* field = child<QLabel>(name);
        pointAt(field);
        QTest::mouseClick(field, Qt::LeftButton);
    }

    void clickItem(const char* listName, int row) const
    {
        auto* list = child<panel::MenuList>(listName);
        QListWidgetItem* item = list->item(row);
        list->scrollToItem(item);
        const QPoint centre = list->visualItemRect(item).center();
        pointAt(list->viewport(), centre);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    }

    // Opens a parameter menu by its field and clicks a row of its list.
    void chooseInMenu(const char* field, const char* list, int row) const
    {
        clickField(field);
        clickItem(list, row);
    }

    static bool waitFor(const std::function<bool()>& condition, int ms = kWaitMs)
    {
        return QTest::qWaitFor(condition, ms);
    }

protected:
    void SetUp() override
    {
        ASSERT_TRUE(dataHome.isValid());
        qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dataHome.path() + QStringLiteral("/config")).toLocal8Bit());
        simulator = std::make_unique<sim::MeterSimulator>();
        simulator->setLinkDelayMs(20);
        simulator->setIntervalOverrideMs(60);
        pointFinderAt(simulator->slavePath());
    }

    void TearDown() override
    {
        form.reset();
        simulator.reset();
    }

    static void pointFinderAt(const QString& port) { qputenv("RLC_DONGLE_PORT", port.toLocal8Bit()); }

    // The window as the program creates it; the dongle watch ticks faster than designed so
    // tests need not wait 2.5 s per tick.
    void startWindow(int dongleWatchMs = 100)
    {
        form = std::make_unique<TForm1>();
        QObject::connect(&form->session(), &session::MeterSession::rlcdDecoded, [this] { ++rlcdFramesDecoded; });
        child<QTimer>("T3")->setInterval(dongleWatchMs);
        child<QTimer>("T2")->setInterval(100);
        showWindow();
    }

    // Shows the window made in form. Its start is over once it is shown and its check of the
    // dongle, which runs on the event loop, has its result.
    void showWindow()
    {
        QSignalSpy probed(&form->link(), &dongle::DongleLink::probeFinished);
        form->createAndShow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        ASSERT_TRUE(waitFor([&] { return !probed.isEmpty(); })) << "the dongle's check did not end";
    }

    void connectByClick()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return child("B2")->isEnabled(); }, kWaitMs));
        click("B2");
        ASSERT_TRUE(waitFor([&] { return meterLinked(); })) << memo().toStdString();
    }

    // A reply that lands in one read with a frame is not recognised (replies are whole
    // reads), so tests pause the meter's reports before the dongle answers.
    void pauseReports()
    {
        simulator->setIntervalOverrideMs(60000);
        QTest::qWait(100);
    }

    QString stateFilePath() const { return dataHome.path() + QStringLiteral("/RLC_Data/1.dat"); }

    QByteArray stateFile() const
    {
        QFile file(stateFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dataHome;
    std::unique_ptr<sim::MeterSimulator> simulator;
    std::unique_ptr<TForm1> form;
    // RLCD frames the window has decoded since it was started.
    int rlcdFramesDecoded = 0;
};
