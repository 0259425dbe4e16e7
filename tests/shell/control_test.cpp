// Driving the meter from the real window: the commands as the simulated meter reads them
// from the pseudo-terminal, the parameter menus worked with pointer and clicks, the
// function buttons, and the hold-off of frames while a choice is on its way.
#include "window_fixture.h"

#include "ui/panel/menu_list.h"
#include "meter/quantity_format.h"
#include "meter/unit_texts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QSignalSpy>
#include <QLabel>

namespace {

QByteArray bytesOf(const sim::MeterCommand& command)
{
    return QByteArray(reinterpret_cast<const char*>(command.bytes.data()), int(command.bytes.size()));
}

} // namespace

class ControlTest : public WindowTest {
public:
    static constexpr int kDesignedCommandTimerMs = 1000;

    // Linked and showing the meter's frames. The command timer is shortened where a test
    // does not measure it.
    void startLinked(int commandTimerMs = 200)
    {
        startWindow();
        child<QTimer>("Timer_TX")->setInterval(commandTimerMs);
        connectByClick();
        markDisplay();
        ASSERT_TRUE(framesFlow());
        simulator->clearRecords();
    }

    // The dongle is present and its port open, but the meter is not linked.
    void startUnlinked()
    {
        startWindow();
        ASSERT_TRUE(waitFor([&] { return portOpened() && child<dongle::ComPort>("ComPort")->isOpen(); }));
        simulator->clearRecords();
    }

    // The mark stays until the window decodes an RLCD frame.
    void markDisplay() { m_decodedAtMark = rlcdFramesDecoded; }
    bool displayMarked() const { return rlcdFramesDecoded == m_decodedAtMark; }
    bool framesFlow(int withinMs = kWaitMs)
    {
        return waitFor([&] { return !displayMarked(); }, withinMs);
    }

    // After a choice the frames wait for the command timer; the first one shown then was
    // sent after the meter took the command.
    void awaitTheMetersNextFrame()
    {
        markDisplay();
        ASSERT_TRUE(framesFlow()) << "the command timer lets the frames through again";
    }

    QByteArray lastCommand() const
    {
        const auto& commands = simulator->receivedCommands();
        return commands.isEmpty() ? QByteArray() : bytesOf(commands.last());
    }

    // Waits for the command the window should have written last.
    void expectLastCommand(const QByteArray& expected)
    {
        waitFor([&] { return lastCommand() == expected; });
        EXPECT_EQ(lastCommand(), expected);
    }

    static QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

    void pointAtTheProfileBox() { pointAt(child("Panel3")); }

    // A spot of the RLCD view that no menu covers.
    void pointAtTheRlcdView()
    {
        QWidget* view = child("Panel_RLCD");
        const int leftOfFrequencyMenu = child("P_freq_RLC")->x() - view->x() - 20;
        pointAt(view, QPoint(leftOfFrequencyMenu, 6));
    }

    bool anyMenuOpen() const
    {
        for (const char* menu : {"P_freq_RLC", "P_level_RLC", "P_prim_RLC", "P_sec_RLC", "P_ser_per"})
            if (child(menu)->isVisible())
                return true;
        return false;
    }

    void chooseInterval(int item)
    {
        auto* intervals = child<QComboBox>("CB1");
        intervals->showPopup();
        QAbstractItemView* list = intervals->view();
        list->setCurrentIndex(list->model()->index(item, 0));
        QTest::keyClick(list, Qt::Key_Return);
    }

private:
    int m_decodedAtMark = 0;
};

// --- the command vectors -------------------------------------------------------------------

struct CommandCase {
    const char* name;
    std::function<void(ControlTest&)> act;
    const char* expectedHex;
};

class CommandVectorTest : public ControlTest, public ::testing::WithParamInterface<CommandCase> {};

// The meter reports automatic choices, which go back out exactly as the defaults do.
TEST_P(CommandVectorTest, ReachesTheMeterAsTheseBytes)
{
    startLinked();
    GetParam().act(*this);
    expectLastCommand(hex(GetParam().expectedHex));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandVectorTest,
    ::testing::Values(
        CommandCase{"DefaultsWithBrightnessPressed", [](ControlTest& window) { window.click("SBe1"); }, "012480210a"},
        CommandCase{"BrightnessReleased", [](ControlTest& window) { window.click("SP4"); }, "412480210a"},
        CommandCase{"RlcdModeWithBrightnessPressed", [](ControlTest& window) { window.click("Button2"); },
                    "810101010a"},
        CommandCase{"RlcdModeWithBrightnessReleased",
                    [](ControlTest& window) {
                        window.click("SP4");
                        window.click("Button2");
                    },
                    "c10101010a"},
        CommandCase{"RdMode", [](ControlTest& window) { window.click("Button1"); }, "820101010a"},
        CommandCase{"UMode", [](ControlTest& window) { window.click("Button3"); }, "830101010a"},
        CommandCase{"SeriesCircuit",
                    [](ControlTest& window) { window.chooseInMenu("L_SER_PER1", "ListBox_ser_per", 2); }, "01a480210a"},
        CommandCase{"ParallelCircuit",
                    [](ControlTest& window) { window.chooseInMenu("L_SER_PER1", "ListBox_ser_per", 1); }, "016480210a"},
        CommandCase{"AutomaticCircuit",
                    [](ControlTest& window) { window.chooseInMenu("L_SER_PER1", "ListBox_ser_per", 0); }, "012480210a"},
        CommandCase{"SoundOff", [](ControlTest& window) { window.click("SP2"); }, "012400210a"},
        CommandCase{"HoldOn", [](ControlTest& window) { window.click("SP3"); }, "012480a10a"},
        // Leaving the first menu for the second closes it and lets frames through at once:
        // the second choice waits until the meter has taken the first.
        CommandCase{"FixedPrimaryAndSecondary",
                    [](ControlTest& window) {
                        window.chooseInMenu("L_Prim_RLC", "ListBox_prim_RLC", 3);
                        window.awaitTheMetersNextFrame();
                        window.chooseInMenu("L_Sec_RLC", "ListBox_sec_RLC", 2);
                    },
                    "0124a3210a"},
        CommandCase{"FixedLevel",
                    [](ControlTest& window) { window.chooseInMenu("L_Level_RLC", "ListBox_Level_RLC", 3); },
                    "012480230a"},
        CommandCase{"AutomaticLevel",
                    [](ControlTest& window) { window.chooseInMenu("L_Level_RLC", "ListBox_Level_RLC", 0); },
                    "012480290a"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(ControlTest, AutomaticFrequencyGoesOutAsIndexFourAndTheRecordKeepsIt)
{
    startLinked();
    chooseInMenu("L_freq_RLC", "ListBox_freq_RLC", 0); // the choice leaves index 0 in the record
    expectLastCommand(hex("012480210a"));
    EXPECT_EQ(meterSettings().FreqAuto, 1);
    EXPECT_EQ(meterSettings().FreqIndex, 4);
}

TEST_F(ControlTest, IntervalChosenInTheBoxTravelsInTheThirdByte)
{
    startLinked();
    chooseInterval(2); // 2 s
    expectLastCommand(hex("012480110a"));
    EXPECT_EQ(meterSettings().IntervalCode, 1);
    EXPECT_EQ(simulator->meter().reportIntervalMs(), 2000);
    EXPECT_EQ(menuBusy(), 1);

    chooseInterval(0); // 0.5 s
    expectLastCommand(hex("012480310a"));
}

TEST_F(ControlTest, ModeCommandIsWrittenWhileTheDongleIsPresentButUnlinked)
{
    startUnlinked();
    click("Button1");
    expectLastCommand(hex("820101010a"));
}

TEST_F(ControlTest, SettingsAreNotWrittenWhileUnlinked)
{
    startUnlinked();
    click("SBe1");
    click("SP2");
    chooseInMenu("L_SER_PER1", "ListBox_ser_per", 2);
    QTest::qWait(100);
    EXPECT_TRUE(simulator->receivedBytes().isEmpty()) << simulator->receivedBytes().toHex(' ').toStdString();
    EXPECT_EQ(meterSettings().SerPer, 1) << "the choice still changes the record";
    EXPECT_EQ(labelText("L_SER_PER1"), QStringLiteral("S"));
}

// --- frames held off while a choice is on its way -----------------------------------------

// Nothing is sent, yet the frames must not stay held off for good: the command timer lets
// them through as after a transmission.
TEST_F(ControlTest, FunctionButtonClickedWhileUnlinkedHoldsFramesOffOnlyBriefly)
{
    startUnlinked();
    auto* commandTimer = child<QTimer>("Timer_TX");
    QSignalSpy commandTimerRang(commandTimer, &QTimer::timeout);
    click("SP2");
    EXPECT_EQ(menuBusy(), 1);
    EXPECT_TRUE(commandTimer->isActive()) << "the command timer is what lets them through";
    EXPECT_EQ(commandTimer->interval(), kDesignedCommandTimerMs);
    EXPECT_TRUE(waitFor([&] { return menuBusy() == 0; }));
    EXPECT_EQ(commandTimerRang.count(), 1) << "released by the command timer's first round";

    markDisplay();
    simulator->sendFrameNow();
    EXPECT_TRUE(framesFlow());
}

TEST_F(ControlTest, IntervalListClosedWithoutAChoiceLetsFramesThroughWithinASecond)
{
    startLinked(kDesignedCommandTimerMs);
    auto* intervals = child<QComboBox>("CB1");
    intervals->showPopup();
    EXPECT_EQ(menuBusy(), 1);
    markDisplay();
    QTest::qWait(200);
    EXPECT_TRUE(displayMarked()) << "frames are held off while the list is open";

    // Within a second: the command timer, at its designed interval, lets the frames through
    // at its first round after the list closed.
    auto* commandTimer = child<QTimer>("Timer_TX");
    QSignalSpy commandTimerRang(commandTimer, &QTimer::timeout);
    QTest::keyClick(intervals->view(), Qt::Key_Escape);
    EXPECT_TRUE(commandTimer->isActive());
    EXPECT_EQ(commandTimer->interval(), kDesignedCommandTimerMs);
    ASSERT_TRUE(framesFlow());
    EXPECT_EQ(commandTimerRang.count(), 1) << "the frames flowed at the timer's first round";
    EXPECT_TRUE(simulator->receivedCommands().isEmpty());
}

// --- the parameter menus, worked with the pointer -------------------------------------------

struct MenuCase {
    const char* name;
    const char* field; // clicked to open the menu; shows the choice
    const char* menu;
    const char* list;
    int row;
    std::function<QString(const meter::UnitTexts&)> provisional;
    int commandByte;
    uint8_t commandMask, commandValue;
    std::function<QString(const meter::UnitTexts&)> confirmed; // by the meter's next frame
};

class MenuChoiceTest : public ControlTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(MenuChoiceTest, ChoiceShowsProvisionallyGoesOutAndIsConfirmedByTheMeter)
{
    const MenuCase& c = GetParam();
    startLinked();
    const meter::UnitTexts u = units();
    QWidget* menu = child(c.menu);
    QWidget* list = child<panel::MenuList>(c.list);

    clickField(c.field);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(menuBusy(), 1);
    markDisplay();
    QTest::qWait(200);
    EXPECT_TRUE(displayMarked()) << "frames are dropped while the menu is open";

    clickItem(c.list, c.row);
    EXPECT_EQ(labelText(c.field), c.provisional(u));
    ASSERT_TRUE(waitFor([&] { return !simulator->receivedCommands().isEmpty(); }));
    const QByteArray command = lastCommand();
    EXPECT_EQ(uint8_t(command[c.commandByte]) & c.commandMask, c.commandValue) << command.toHex(' ').toStdString();
    EXPECT_TRUE(menu->isVisible()) << "the menu stays open after a choice";
    EXPECT_TRUE(displayMarked());

    ASSERT_TRUE(framesFlow()) << "the command timer lets the frames through again";
    EXPECT_EQ(menuBusy(), 0);
    EXPECT_TRUE(waitFor([&] { return labelText(c.field) == c.confirmed(u); }));
    EXPECT_EQ(labelText(c.field), c.confirmed(u));
}

INSTANTIATE_TEST_SUITE_P(
    Menus, MenuChoiceTest,
    ::testing::Values(MenuCase{"Frequency1kHz", "L_freq_RLC", "P_freq_RLC", "ListBox_freq_RLC", 3,
                               [](const meter::UnitTexts& u) { return QStringLiteral("1 ") + u.kilo + u.hertz; }, 1,
                               0x3F, 0x03,
                               [](const meter::UnitTexts& u) { return u' ' + meter::FormatFrequency(1000, u); }},
                      MenuCase{"Level01V", "L_Level_RLC", "P_level_RLC", "ListBox_Level_RLC", 3,
                               [](const meter::UnitTexts& u) { return QStringLiteral("0.1") + u.voltRms; }, 3, 0x0F,
                               0x03, [](const meter::UnitTexts& u) { return QStringLiteral(" 0.1 ") + u.voltRms; }},
                      // Automatic shows "C" until the meter names what it chose for the resistor it measures.
                      MenuCase{"PrimaryAutomatic", "L_Prim_RLC", "P_prim_RLC", "ListBox_prim_RLC", 0,
                               [](const meter::UnitTexts&) { return QStringLiteral("C"); }, 2, 0x07, 0x00,
                               [](const meter::UnitTexts&) { return QStringLiteral("R"); }},
                      MenuCase{"PrimaryInductance", "L_RLC_avto", "P_prim_RLC", "ListBox_prim_RLC", 3,
                               [](const meter::UnitTexts&) { return QStringLiteral(" "); }, 2, 0x07, 0x03,
                               [](const meter::UnitTexts&) { return QStringLiteral(" "); }},
                      MenuCase{"SecondaryDissipation", "L_Sec_RLC", "P_sec_RLC", "ListBox_sec_RLC", 3,
                               [](const meter::UnitTexts&) { return QStringLiteral("D"); }, 2, 0x70, 0x30,
                               [](const meter::UnitTexts&) { return QStringLiteral("D"); }},
                      MenuCase{"CircuitSeries", "L_SER_PER1", "P_ser_per", "ListBox_ser_per", 2,
                               [](const meter::UnitTexts&) { return QStringLiteral("S"); }, 1, 0xC0, 0x80,
                               [](const meter::UnitTexts&) { return QStringLiteral("S"); }}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(ControlTest, MenuChoiceShowsItsMarksUntilTheMeterAnswers)
{
    startLinked();
    chooseInMenu("L_Prim_RLC", "ListBox_prim_RLC", 0);
    EXPECT_EQ(labelText("L_RLC_avto"), QStringLiteral("A"));
    EXPECT_EQ(meterSettings().PrimAuto, 1);
    EXPECT_EQ(meterSettings().PrimKind, 0);

    chooseInMenu("L_Level_RLC", "ListBox_Level_RLC", 0);
    EXPECT_EQ(meterSettings().LevelAuto, 1);
    EXPECT_EQ(meterSettings().LevelIndex, 1) << "automatic level goes out with index 1";

    chooseInMenu("L_Sec_RLC", "ListBox_sec_RLC", 2);
    EXPECT_EQ(labelText("L_RQD_avto"), QString());
    EXPECT_EQ(labelText("L_SER_PER"), QStringLiteral(" "));
}

// The level, primary, secondary and circuit lists close every menu when the pointer leaves
// them; the frequency list does not.
class ListLeaveTest : public ControlTest, public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(ListLeaveTest, LeavingTheListClosesAllMenus)
{
    startUnlinked();
    auto* list = child<panel::MenuList>(GetParam().second);
    clickField("L_freq_RLC");
    clickField(GetParam().first);
    ASSERT_TRUE(list->isVisible());

    pointAt(list);
    EXPECT_TRUE(list->isVisible());
    pointAtTheProfileBox();
    EXPECT_FALSE(anyMenuOpen());
    EXPECT_EQ(menuBusy(), 0);
}

INSTANTIATE_TEST_SUITE_P(Lists, ListLeaveTest,
                         ::testing::Values(std::pair{"L_Level_RLC", "ListBox_Level_RLC"},
                                           std::pair{"L_Prim_RLC", "ListBox_prim_RLC"},
                                           std::pair{"L_Sec_RLC", "ListBox_sec_RLC"},
                                           std::pair{"L_SER_PER", "ListBox_ser_per"}));

TEST_F(ControlTest, EnteringTheRlcdViewClosesMenusOnlyAfterTheFrequencyListRearmedIt)
{
    startUnlinked();
    pointAtTheProfileBox();
    clickField("L_Level_RLC"); // the pointer entered the view on its way
    pointAtTheProfileBox();
    pointAtTheRlcdView();
    EXPECT_TRUE(child("P_level_RLC")->isVisible()) << "the view's reaction detached itself on the first entry";
    EXPECT_EQ(menuBusy(), 1);

    clickField("L_freq_RLC");
    pointAt(child<panel::MenuList>("ListBox_freq_RLC"));
    pointAtTheProfileBox();
    EXPECT_TRUE(child("P_freq_RLC")->isVisible()) << "leaving the frequency list closes nothing";
    pointAtTheRlcdView();
    EXPECT_FALSE(anyMenuOpen()) << "the frequency list re-armed the view";
    EXPECT_EQ(menuBusy(), 0);

    clickField("L_Level_RLC");
    pointAtTheProfileBox();
    pointAtTheRlcdView();
    EXPECT_TRUE(child("P_level_RLC")->isVisible()) << "detached again";
}

TEST_F(ControlTest, EnteringTheOtherViewsAlwaysClosesMenus)
{
    startUnlinked();
    simulator->meter().setMode(sim::MeterMode::Rd);
    simulator->sendFrameNow();
    QWidget* rdView = child("Panel_RD");
    ASSERT_TRUE(waitFor([&] { return rdView->isVisible(); }));
    for (int entry = 0; entry < 2; ++entry) {
        pointAtTheProfileBox();
        openLevelMenuWhileItsFieldIsHidden(); // the menu opens all the same
        ASSERT_TRUE(child("P_level_RLC")->isVisible());
        pointAt(rdView, QPoint(rdView->width() - 8, 70));
        EXPECT_FALSE(anyMenuOpen()) << "entry " << entry;
    }
}

TEST_F(ControlTest, HoverBevelMarksTheFieldThatCanBeClicked)
{
    startUnlinked();
    auto* primaryLetter = child<QLabel>("L_Prim_RLC");
    auto* primaryMark = child<QLabel>("L_RLC_avto");
    auto* frequency = child<QLabel>("L_freq_RLC");
    pointAt(primaryMark);
    EXPECT_EQ(primaryLetter->frameShape(), QFrame::Panel);
    EXPECT_EQ(primaryLetter->frameShadow(), QFrame::Raised);
    EXPECT_EQ(primaryMark->frameShape(), QFrame::NoFrame);
    pointAt(frequency);
    EXPECT_EQ(primaryLetter->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(frequency->frameShape(), QFrame::Panel);
}

// --- the function buttons -------------------------------------------------------------------

TEST_F(ControlTest, HoldDisablesRecordingAndReleasingItRespectsProfileEditing)
{
    startLinked();
    click("SP3");
    expectLastCommand(hex("012480a10a"));
    EXPECT_FALSE(child("SP1")->isEnabled());
    ASSERT_TRUE(framesFlow());
    EXPECT_TRUE(child<QPushButton>("SP3")->isChecked()) << "the meter reports the hold";

    child<QPushButton>("SB4")->setChecked(true);
    click("SP3");
    expectLastCommand(hex("012480210a"));
    EXPECT_EQ(meterSettings().Hold, 0);
    EXPECT_FALSE(child("SP1")->isEnabled()) << "profile editing keeps recording off";
}

TEST_F(ControlTest, MetersReportWinsOverAButtonItDidNotFollow)
{
    startLinked();
    auto* brightness = child<QPushButton>("SP4");
    auto* sound = child<QPushButton>("SP2");
    click("SP4");
    click("SP2");
    ASSERT_TRUE(waitFor([&] { return simulator->receivedCommands().size() == 2; }));
    EXPECT_FALSE(brightness->isChecked());
    EXPECT_FALSE(sound->isChecked());

    // The meter puts both back, as if it had ignored the clicks.
    sim::MeterCommand keepBoth;
    keepBoth.bytes = {0x01, 0x24, 0x80, 0x21, 0x0A};
    simulator->meter().applyCommand(keepBoth);
    EXPECT_TRUE(waitFor([&] { return brightness->isChecked() && sound->isChecked(); }));
}

TEST_F(ControlTest, DefaultsButtonSendsTheDefaultsEvenWhenTheyAreInForce)
{
    startLinked();
    click("SBe1");
    click("SBe1");
    ASSERT_TRUE(waitFor([&] { return simulator->receivedCommands().size() == 2; }));
    EXPECT_EQ(bytesOf(simulator->receivedCommands().at(0)), hex("012480210a"));
    EXPECT_EQ(bytesOf(simulator->receivedCommands().at(1)), hex("012480210a"));
    EXPECT_EQ(labelText("L_freq_RLC"), QStringLiteral("A ") + meter::FormatFrequency(10000, units()));
}
