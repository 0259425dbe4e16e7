// Readings on screen: frames written by the simulated meter into the real pseudo-terminal
// and the texts, views and buttons they leave in the real window. The meter is not linked
// here, so a frame arrives only when a test sends one.
#include "window_fixture.h"

#include "meter_setup.h"

#include "ui/panel/menu_list.h"
#include "meter/quantity_format.h"
#include "meter/unit_texts.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

} // namespace

class DisplayTest : public WindowTest {
protected:
    void startWithOpenPort()
    {
        startWindow();
        ASSERT_TRUE(waitFor([&] { return portOpened() && child<dongle::ComPort>("ComPort")->isOpen(); }));
    }

    // Returns once the window has read what the simulator wrote.
    void deliver(const std::function<void()>& write)
    {
        QSignalSpy read(child<dongle::ComPort>("ComPort"), &dongle::ComPort::rxChar);
        write();
        ASSERT_TRUE(read.wait(kWaitMs));
    }

    void deliverRlcd(const MeterSetup& setup, double rs, double xs)
    {
        deliver([&] { sendRlcd(*simulator, setup, rs, xs); });
    }

    void deliverRd(const sim::RdReading& reading)
    {
        simulator->meter().setMode(sim::MeterMode::Rd);
        simulator->meter().setNextReading(reading);
        deliver([&] { simulator->sendFrameNow(); });
    }

    void deliverU(const sim::UReading& reading)
    {
        simulator->meter().setMode(sim::MeterMode::U);
        simulator->meter().setNextReading(reading);
        deliver([&] { simulator->sendFrameNow(); });
    }

    // Other settings, another reading and the brightness button released: all of it would
    // show if the next frame were decoded.
    void changeWhatTheNextFrameCarries()
    {
        sim::MeterCommand released;
        released.bytes = {0x41, kParallel | kFreq1k, parameters(1, 2), kInterval2s | kLevel1V, 0x0A};
        simulator->meter().applyCommand(released);
        simulator->meter().setNextReading(sim::RlcdReading{5, 7});
    }

    // Everything a frame may change, to show that a frame changed nothing.
    QStringList displayState() const
    {
        const QList<QWidget*> views = displayViews();
        QStringList state;
        for (QLabel* label : form->findChildren<QLabel*>())
            if (views.contains(label->parentWidget()))
                state << label->objectName() + u'=' + label->text();
        for (QWidget* view : views)
            state << view->objectName() + (view->isVisible() ? u'+' : u'-');
        auto* hold = child<QPushButton>("SP3");
        state << QStringLiteral("SP3 enabled %1 down %2 SP4 down %3")
                     .arg(hold->isEnabled())
                     .arg(hold->isChecked())
                     .arg(child<QPushButton>("SP4")->isChecked());
        const auto settings = meterSettings().toBytes();
        state << QByteArray(reinterpret_cast<const char*>(settings.data()), int(settings.size())).toHex();
        return state;
    }

    QList<QWidget*> displayViews() const { return {child("Panel_RLCD"), child("Panel_RD"), child("Panel_U")}; }

    int visibleViewCount() const
    {
        int visible = 0;
        for (QWidget* view : displayViews())
            visible += int(view->isVisible());
        return visible;
    }

    QImage shownPicture() const { return child<QLabel>("Im_Diod")->pixmap().toImage(); }
};

TEST_F(DisplayTest, SeriesCapacitorReadsAsTheMeterShowsIt)
{
    startWithOpenPort();
    deliverRlcd({kSeries | kFreq1k, parameters(2, 3), kInterval1s | kLevel1V}, 100, -100);
    const meter::UnitTexts u = units();

    EXPECT_EQ(labelText("L_prim_n"), QStringLiteral(" 1.5915 ") + u.micro + u.farad);
    EXPECT_EQ(labelText("L_sec_n"), QStringLiteral("1.0000"));
    EXPECT_EQ(labelText("L_righ4"), QStringLiteral("Ɵ -45.0000°"));
    EXPECT_EQ(labelText("L_righ1"), QStringLiteral("Z ") + meter::FormatResistance(std::hypot(100.0, 100.0), u));
    EXPECT_EQ(labelText("L_righ2"), QStringLiteral("D 1.0000"));
    EXPECT_EQ(labelText("L_righ3"), QStringLiteral("Q 1.0000"));
    EXPECT_EQ(labelText("L_Prim_RLC"), QStringLiteral("C"));
    EXPECT_EQ(labelText("L_Sec_RLC"), QStringLiteral("D"));
    EXPECT_EQ(labelText("L_SER_PER1"), QStringLiteral("S"));
    EXPECT_EQ(labelText("L_SER_PER"), QStringLiteral(" "));
    EXPECT_EQ(labelText("L_RLC_avto"), QStringLiteral(" "));
    EXPECT_EQ(labelText("L_RQD_avto"), QStringLiteral(" "));
    EXPECT_EQ(labelText("L_freq_RLC"), u' ' + meter::FormatFrequency(1000, u));
    EXPECT_EQ(labelText("L_Level_RLC"), QStringLiteral(" 1.0 ") + u.voltRms);

    EXPECT_EQ(meterSettings().SerPer, 1);
    EXPECT_EQ(meterSettings().FreqIndex, 3);
    EXPECT_EQ(testFrequencyHz(), 1000);
    EXPECT_DOUBLE_EQ(seriesResistance(), 100.0);
    EXPECT_DOUBLE_EQ(parallelReactance(), 200.0);
    EXPECT_EQ(child<panel::MenuList>("ListBox_ser_per")->currentRow(), 2) << "the circuit menu follows the meter";
    EXPECT_EQ(child<panel::MenuList>("ListBox_freq_RLC")->currentRow(), 3);
}

struct RlcdCase {
    const char* name;
    MeterSetup setup;
    double rs, xs;
    // Expected primary value, secondary value and the circuit marks beside them.
    std::function<QString(const meter::UnitTexts&)> primary;
    std::function<QString(const meter::UnitTexts&)> secondary;
    const char* circuitBesidePrimary;
    const char* circuitBesideSecondary;
};

class RlcdReadingTest : public DisplayTest, public ::testing::WithParamInterface<RlcdCase> {};

TEST_P(RlcdReadingTest, ShowsPrimaryAndSecondaryOfTheChosenCircuit)
{
    startWithOpenPort();
    const RlcdCase& c = GetParam();
    deliverRlcd(c.setup, c.rs, c.xs);
    const meter::UnitTexts u = units();
    EXPECT_EQ(labelText("L_prim_n"), c.primary(u));
    EXPECT_EQ(labelText("L_sec_n"), c.secondary(u));
    EXPECT_EQ(labelText("L_SER_PER1"), QString::fromUtf8(c.circuitBesidePrimary));
    EXPECT_EQ(labelText("L_SER_PER"), QString::fromUtf8(c.circuitBesideSecondary));
}

INSTANTIATE_TEST_SUITE_P(Readings, RlcdReadingTest,
                         ::testing::Values(
                             // The parallel reactance of Rs = 100, Xs = -100 is 200 ohm.
                             RlcdCase{"ParallelCapacitor",
                                      {kParallel | kFreq1k, parameters(2, 3), kInterval1s | kLevel1V},
                                      100,
                                      -100,
                                      [](const meter::UnitTexts& u) {
                                          return QStringLiteral(" 795.77 ") + u.nano + u.farad;
                                      },
                                      [](const meter::UnitTexts&) { return QStringLiteral("1.0000"); },
                                      "P",
                                      " "},
                             // Impedance has no circuit; the secondary R carries the circuit letter.
                             RlcdCase{"ImpedanceWithSeriesResistance",
                                      {kSeries | kFreq1k, parameters(4, 1), kInterval1s | kLevel1V},
                                      30,
                                      40,
                                      [](const meter::UnitTexts& u) { return meter::FormatResistance(50, u); },
                                      [](const meter::UnitTexts& u) { return meter::FormatResistance(30, u); },
                                      "",
                                      "S"},
                             // The meter marks an inductance read from a capacitive reactance as negative.
                             RlcdCase{"NegativeInductanceWithQuality",
                                      {kSeries | kFreq1k, parameters(3, 2), kInterval1s | kLevel1V},
                                      100,
                                      -100,
                                      [](const meter::UnitTexts& u) {
                                          return u'-' + meter::FormatInductance(100 / (kTwoPi * 1000), 1000, u);
                                      },
                                      [](const meter::UnitTexts&) { return QStringLiteral("1.0000"); },
                                      "S",
                                      " "},
                             RlcdCase{"ResistanceWithPhaseAngle",
                                      {kSeries | kFreq1k, parameters(1, 4), kInterval1s | kLevel1V},
                                      100,
                                      100,
                                      [](const meter::UnitTexts& u) { return meter::FormatResistance(100, u); },
                                      [](const meter::UnitTexts&) { return meter::FormatAngle(45); },
                                      "S",
                                      " "}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(DisplayTest, ReportedIntervalSelectsTheIntervalBoxWithoutSendingAnything)
{
    startWithOpenPort();
    simulator->clearRecords();
    deliverRlcd({kSeries | kFreq1k, parameters(2, 3), kInterval2s | kLevel1V}, 100, -100);
    EXPECT_EQ(child<QComboBox>("CB1")->currentIndex(), 2) << "the 2 s item";
    EXPECT_EQ(menuBusy(), 0);
    QTest::qWait(50);
    EXPECT_TRUE(simulator->receivedBytes().isEmpty());
}

TEST_F(DisplayTest, ResistorAndDiodeReadingsFillTheRdView)
{
    startWithOpenPort();
    const meter::UnitTexts u = units();

    // Automatic range, resistor picture (byte 14 = 0x02).
    deliverRd({4700, 5.5, 0, false, sim::RdPicture::Resistor, 0});
    EXPECT_TRUE(child("Panel_RD")->isVisible());
    EXPECT_EQ(visibleViewCount(), 1);
    EXPECT_FALSE(child("SP3")->isEnabled()) << "hold exists only in the RLCD mode";
    EXPECT_EQ(labelText("RD_Auto"), QStringLiteral("A"));
    EXPECT_EQ(labelText("RD_V"), QStringLiteral("A 1.3 ") + u.volt);
    EXPECT_EQ(labelText("RD_prim_R"), QStringLiteral("R"));
    EXPECT_EQ(labelText("RD_Prim"), QStringLiteral("4.7000 ") + u.kilo + u.ohm);
    EXPECT_EQ(labelText("J_prim"), QStringLiteral("I"));
    EXPECT_EQ(labelText("Joo"), u.currentSubscriptAutoRange);
    EXPECT_EQ(labelText("RD_J"), QStringLiteral("=5.500 ") + u.micro + u'A');
    EXPECT_EQ(labelText("RD_J1"), QStringLiteral(" "));
    EXPECT_EQ(shownPicture(), componentPictures().at(2));

    // Diode range, downward diode, second current (byte 14 = 0x31).
    deliverRd({650, 120, 150, true, sim::RdPicture::DiodeReverse, 1});
    EXPECT_EQ(labelText("RD_Auto"), QStringLiteral(" "));
    EXPECT_EQ(labelText("RD_V"), QStringLiteral(" 3.2 ") + u.volt);
    EXPECT_EQ(labelText("RD_prim_R"), QStringLiteral("D"));
    EXPECT_EQ(labelText("RD_Prim"), QStringLiteral("  V=0.650 ") + u.volt);
    EXPECT_EQ(labelText("J_prim"), QStringLiteral(" ")) << "a small current in the diode range is not shown";
    EXPECT_EQ(labelText("RD_J"), QStringLiteral(" "));
    EXPECT_EQ(labelText("RD_J1"),
              QStringLiteral("I") + u.currentSubscriptFixedRange + QStringLiteral("=0.150 ") + u.milli + u'A');
    EXPECT_EQ(shownPicture(), componentPictures().at(1));

    // A junction found in the diode range while measuring a resistor (byte 14 = 0x22).
    deliverRd({300, 250, 0, false, sim::RdPicture::Resistor, 1});
    EXPECT_EQ(labelText("RD_Prim"), u.junctionFound);
    EXPECT_EQ(labelText("RD_J"), QStringLiteral("=0.250 ") + u.milli + u'A');
    EXPECT_EQ(labelText("Joo"), u.currentSubscriptFixedRange);
    EXPECT_EQ(shownPicture(), componentPictures().at(0));
}

TEST_F(DisplayTest, VoltageReadingsFillTheUView)
{
    startWithOpenPort();
    const meter::UnitTexts u = units();
    deliverU({1.06, 3.0, -1.5});
    EXPECT_TRUE(child("Panel_U")->isVisible());
    EXPECT_EQ(visibleViewCount(), 1);
    EXPECT_FALSE(child("SP3")->isEnabled());
    EXPECT_EQ(labelText("U_Prim"), QStringLiteral("V=-1.500 ") + u.volt);
    EXPECT_EQ(labelText("U_vrm"), QStringLiteral("V") + u.rms + QStringLiteral("=1.060 ") + u.volt);
    EXPECT_EQ(labelText("U_pp"), QStringLiteral("V") + u.peakToPeak + QStringLiteral("=3.000 ") + u.volt);
}

TEST_F(DisplayTest, EachModeShowsOnlyItsViewAndHiddenTextsSurvive)
{
    startWithOpenPort();
    deliverRlcd({kSeries | kFreq1k, parameters(2, 3), kInterval1s | kLevel1V}, 100, -100);
    const QString capacitance = labelText("L_prim_n");
    ASSERT_TRUE(child("Panel_RLCD")->isVisible());
    EXPECT_TRUE(child("SP3")->isEnabled());

    deliverRd({4700, 5.5, 0, false, sim::RdPicture::Resistor, 0});
    EXPECT_TRUE(child("Panel_RD")->isVisible());
    EXPECT_EQ(visibleViewCount(), 1);
    const QString resistance = labelText("RD_Prim");

    deliverU({1, 1, 1});
    EXPECT_TRUE(child("Panel_U")->isVisible());
    EXPECT_EQ(visibleViewCount(), 1);

    simulator->meter().setMode(sim::MeterMode::Rlcd);
    simulator->meter().setNextReading(sim::RlcdReading{100, -100});
    deliver([&] { simulator->sendFrameNow(); });
    EXPECT_TRUE(child("Panel_RLCD")->isVisible());
    EXPECT_EQ(visibleViewCount(), 1);
    EXPECT_TRUE(child("SP3")->isEnabled());
    EXPECT_EQ(labelText("L_prim_n"), capacitance);
    EXPECT_EQ(labelText("RD_Prim"), resistance) << "a hidden view keeps its texts";
}

TEST_F(DisplayTest, FrameWithAWrongTrailerIsDropped)
{
    startWithOpenPort();
    deliverRlcd({kSeries | kFreq1k, parameters(2, 3), kInterval1s | kLevel1V}, 100, -100);
    const QStringList before = displayState();

    changeWhatTheNextFrameCarries();
    deliver([&] { simulator->injectWrongTrailer(); });
    EXPECT_EQ(displayState(), before);
}

class UnknownModeTest : public DisplayTest, public ::testing::WithParamInterface<uint8_t> {};

TEST_P(UnknownModeTest, DecodesNothingButTheBrightnessButtonFollows)
{
    startWithOpenPort();
    deliverRlcd({kSeries | kFreq1k, parameters(2, 3), kInterval1s | kLevel1V}, 100, -100);
    ASSERT_TRUE(child<QPushButton>("SP4")->isChecked());
    QStringList expected = displayState();
    expected.replaceInStrings(QStringLiteral("SP4 down 1"), QStringLiteral("SP4 down 0"));

    changeWhatTheNextFrameCarries();
    deliver([&] { simulator->injectUnknownMode(GetParam()); });
    EXPECT_EQ(displayState(), expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, UnknownModeTest, ::testing::Values(uint8_t(0), uint8_t(4), uint8_t(15)));

TEST_F(DisplayTest, FrameArrivingWhileAChoiceIsPendingChangesNothing)
{
    startWithOpenPort();
    deliverRlcd({kSeries | kFreq1k, parameters(2, 3), kInterval1s | kLevel1V}, 100, -100);
    clickField("L_freq_RLC"); // a choice is pending while a menu is open
    ASSERT_EQ(menuBusy(), 1);
    const QStringList before = displayState();

    simulator->meter().setMode(sim::MeterMode::Rd);
    deliver([&] { simulator->sendFrameNow(); });
    deliverRlcd({kParallel | kFreq1k, parameters(1, 2), kInterval2s | kLevel1V}, 5, 7);
    EXPECT_EQ(displayState(), before);
}
