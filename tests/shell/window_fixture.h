#pragma once
// A real main window linked to the simulated meter through a real pseudo-terminal. Each
// test gets its own data folder (XDG_DATA_HOME), so the state file starts absent.
#include "com_port.h"
#include "form1.h"
#include "meter_simulator.h"
#include "qt_printers.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

class WindowTest : public ::testing::Test {
protected:
    static constexpr int kWaitMs = 4000;

    void SetUp() override
    {
        ASSERT_TRUE(dataHome.isValid());
        qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
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
        form->T3->setInterval(dongleWatchMs);
        form->T2->setInterval(100);
        form->createAndShow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void connectByClick()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->B2->isEnabled(); }, kWaitMs));
        QTest::mouseClick(form->B2, Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return form->MeterLinked; })) << memo().toStdString();
    }

    // A reply that lands in one read with a frame is not recognised (replies are whole
    // reads), so tests pause the meter's reports before the dongle answers.
    void pauseReports()
    {
        simulator->setIntervalOverrideMs(60000);
        QTest::qWait(100);
    }

    static bool waitFor(const std::function<bool()>& condition, int ms = kWaitMs)
    {
        return QTest::qWaitFor(condition, ms);
    }

    QString memo() const { return form->Memo1->toPlainText(); }

    QString stateFilePath() const { return dataHome.path() + QStringLiteral("/RLC_Data/1.dat"); }

    QByteArray stateFile() const
    {
        QFile file(stateFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dataHome;
    std::unique_ptr<sim::MeterSimulator> simulator;
    std::unique_ptr<TForm1> form;
};
