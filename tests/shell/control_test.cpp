// Driving the meter from the real window: the commands as the simulated meter reads them
// from the pseudo-terminal, the parameter menus worked with pointer and clicks, the
// function buttons, and the hold-off of frames while a choice is on its way.
#include "window_fixture.h"

#include "display_view.h"
#include "drop_down_combo.h"
#include "hover_label.h"
#include "main_lexicons.h"
#include "menu_list.h"
#include "quantity_format.h"
#include "unit_texts.h"

#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QLabel>

namespace {

const QString kSentinel = QStringLiteral("(no frame decoded since the mark)");

QByteArray bytesOf(const sim::MeterCommand& command)
{
    return QByteArray(reinterpret_cast<const char*>(command.bytes.data()), int(command.bytes.size()));
}

} // namespace

class ControlTest : public WindowTest {
protected:
    static constexpr int kDesignedCommandTimerMs = 1000;

    // Linked and showing the meter's frames. The command timer is shortened where a test
    // does not measure it.
    void startLinked(int commandTimerMs = 200)
    {
        startWindow();
        form->Timer_TX->setInterval(commandTimerMs);
        connectByClick();
        markDisplay();
        ASSERT_TRUE(framesFlow());
        simulator->clearRecords();
    }

    // The dongle is present and its port open, but the meter is not linked.
    void startUnlinked()
    {
        startWindow();
        ASSERT_TRUE(waitFor([&] { return form->PortOpened && form->ComPort->isOpen(); }));
        simulator->clearRecords();
    }

    // Any decoded RLCD frame overwrites the mark.
    void markDisplay() { form->L_prim_n->setText(kSentinel); }
    bool displayMarked() const { return form->L_prim_n->text() == kSentinel; }
    bool framesFlow(int withinMs = kWaitMs) { return waitFor([&] { return !displayMarked(); }, withinMs); }

    QByteArray lastCommand() const
    {
        const auto& commands = simulator->receivedCommands();
        return commands.isEmpty() ? QByteArray() : bytesOf(commands.last());
    }

    // Waits for the command the window should have written last.
    void expectLastCommand(const QByteArray& expected)
    {
        waitFor([&] { return lastCommand() == expected; }, 1000);
        EXPECT_EQ(lastCommand(), expected);
    }

    static QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

    meter::UnitTexts units() const { return meter::UnitTexts::From(*form->lexicons); }

    // The pointer moves as a user's would; moving is what raises enter and leave.
    void pointAt(QWidget* widget, QPoint position = {})
    {
        QTest::mouseMove(widget, position.isNull() ? widget->rect().center() : position);
    }

    void pointAtTheProfileBox() { pointAt(form->Panel3); }

    // A spot of the RLCD view that no menu covers.
    void pointAtTheRlcdView()
    {
        const int leftOfFrequencyMenu = form->P_freq_RLC->x() - form->Panel_RLCD->x() - 20;
        pointAt(form->Panel_RLCD, QPoint(leftOfFrequencyMenu, 6));
    }

    void clickField(QLabel* field)
    {
        pointAt(field);
        QTest::mouseClick(field, Qt::LeftButton);
    }

    void clickItem(panel::MenuList* list, int row)
    {
        QListWidgetItem* item = list->item(row);
        list->scrollToItem(item);
        const QPoint centre = list->visualItemRect(item).center();
        pointAt(list->viewport(), centre);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    }

    QList<QWidget*> menuPanels() const
    {
        return {form->P_freq_RLC, form->P_level_RLC, form->P_prim_RLC, form->P_sec_RLC, form->P_ser_per};
    }

    bool anyMenuOpen() const
    {
        const QList<QWidget*> panels = menuPanels();
        return std::any_of(panels.begin(), panels.end(), [](QWidget* p) { return p->isVisible(); });
    }

    void chooseInterval(int item)
    {
        form->CB1->showPopup();
        QAbstractItemView* list = form->CB1->view();
        list->setCurrentIndex(list->model()->index(item, 0));
        QTest::keyClick(list, Qt::Key_Return);
    }
};

// --- the command vectors -------------------------------------------------------------------

struct CommandCase {
    const char* name;
    std::function<void(TForm1&)> act;
    const char* expectedHex;
};

class CommandVectorTest : public ControlTest, public ::testing::WithParamInterface<CommandCase> {};

// The meter reports automatic choices, which go back out exactly as the defaults do.
TEST_P(CommandVectorTest, ReachesTheMeterAsTheseBytes)
{
    startLinked();
    GetParam().act(*form);
    expectLastCommand(hex(GetParam().expectedHex));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandVectorTest,
    ::testing::Values(
        CommandCase{"DefaultsWithBrightnessPressed", [](TForm1& f) { QTest::mouseClick(f.SBe1, Qt::LeftButton); },
                    "012480210a"},
        CommandCase{"BrightnessReleased", [](TForm1& f) { QTest::mouseClick(f.SP4, Qt::LeftButton); },
                    "412480210a"},
        CommandCase{"RlcdModeWithBrightnessPressed",
                    [](TForm1& f) { QTest::mouseClick(f.Button2, Qt::LeftButton); }, "810101010a"},
        CommandCase{"RlcdModeWithBrightnessReleased",
                    [](TForm1& f) {
                        QTest::mouseClick(f.SP4, Qt::LeftButton);
                        QTest::mouseClick(f.Button2, Qt::LeftButton);
                    },
                    "c10101010a"},
        CommandCase{"RdMode", [](TForm1& f) { QTest::mouseClick(f.Button1, Qt::LeftButton); }, "820101010a"},
        CommandCase{"UMode", [](TForm1& f) { QTest::mouseClick(f.Button3, Qt::LeftButton); }, "830101010a"},
        CommandCase{"SeriesCircuit", [](TForm1& f) { f.ListBox_ser_perClick(2); }, "01a480210a"},
        CommandCase{"ParallelCircuit", [](TForm1& f) { f.ListBox_ser_perClick(1); }, "016480210a"},
        CommandCase{"AutomaticCircuit", [](TForm1& f) { f.ListBox_ser_perClick(0); }, "012480210a"},
        CommandCase{"SoundOff", [](TForm1& f) { QTest::mouseClick(f.SP2, Qt::LeftButton); }, "012400210a"},
        CommandCase{"HoldOn", [](TForm1& f) { QTest::mouseClick(f.SP3, Qt::LeftButton); }, "012480a10a"},
        CommandCase{"FixedPrimaryAndSecondary",
                    [](TForm1& f) {
                        f.ListBox_prim_RLCClick(3);
                        f.ListBox_sec_RLCClick(2);
                    },
                    "0124a3210a"},
        CommandCase{"FixedLevel", [](TForm1& f) { f.ListBox_Level_RLCClick(3); }, "012480230a"},
        CommandCase{"AutomaticLevel", [](TForm1& f) { f.ListBox_Level_RLCClick(0); }, "012480290a"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlTest, AutomaticFrequencyGoesOutAsIndexFourAndTheRecordKeepsIt)
{
    startLinked();
    form->ListBox_freq_RLCClick(0); // the choice leaves index 0 in the record
    expectLastCommand(hex("012480210a"));
    EXPECT_EQ(form->Settings.FreqAuto, 1);
    EXPECT_EQ(form->Settings.FreqIndex, 4);
}

TEST_F(ControlTest, IntervalChosenInTheBoxTravelsInTheThirdByte)
{
    startLinked();
    chooseInterval(2); // 2 s
    expectLastCommand(hex("012480110a"));
    EXPECT_EQ(form->Settings.IntervalCode, 1);
    EXPECT_EQ(simulator->meter().reportIntervalMs(), 2000);
    EXPECT_EQ(form->MenuBusy, 1);

    chooseInterval(0); // 0.5 s
    expectLastCommand(hex("012480310a"));
}

TEST_F(ControlTest, ModeCommandIsWrittenWhileTheDongleIsPresentButUnlinked)
{
    startUnlinked();
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    expectLastCommand(hex("820101010a"));
}

TEST_F(ControlTest, SettingsAreNotWrittenWhileUnlinked)
{
    startUnlinked();
    QTest::mouseClick(form->SBe1, Qt::LeftButton);
    QTest::mouseClick(form->SP2, Qt::LeftButton);
    form->ListBox_ser_perClick(2);
    QTest::qWait(100);
    EXPECT_TRUE(simulator->receivedBytes().isEmpty()) << simulator->receivedBytes().toHex(' ').toStdString();
    EXPECT_EQ(form->Settings.SerPer, 1) << "the choice still changes the record";
    EXPECT_EQ(form->L_SER_PER1->text(), QStringLiteral("S"));
}

// --- frames held off while a choice is on its way -----------------------------------------

// Nothing is sent, yet the frames must not stay held off for good: the command timer lets
// them through as after a transmission.
TEST_F(ControlTest, FunctionButtonClickedWhileUnlinkedHoldsFramesOffOnlyBriefly)
{
    startUnlinked();
    QTest::mouseClick(form->SP2, Qt::LeftButton);
    EXPECT_EQ(form->MenuBusy, 1);
    EXPECT_TRUE(waitFor([&] { return form->MenuBusy == 0; }, kDesignedCommandTimerMs + 300));

    markDisplay();
    simulator->sendFrameNow();
    EXPECT_TRUE(framesFlow());
}

TEST_F(ControlTest, IntervalListClosedWithoutAChoiceLetsFramesThroughWithinASecond)
{
    startLinked(kDesignedCommandTimerMs);
    form->CB1->showPopup();
    EXPECT_EQ(form->MenuBusy, 1);
    markDisplay();
    QTest::qWait(200);
    EXPECT_TRUE(displayMarked()) << "frames are held off while the list is open";

    QElapsedTimer sinceClosing;
    QTest::keyClick(form->CB1->view(), Qt::Key_Escape);
    sinceClosing.start();
    ASSERT_TRUE(framesFlow(kDesignedCommandTimerMs + 500));
    EXPECT_LE(sinceClosing.elapsed(), kDesignedCommandTimerMs + 200);
    EXPECT_TRUE(simulator->receivedCommands().isEmpty());
}

// --- the parameter menus, worked with the pointer -------------------------------------------

struct MenuCase {
    const char* name;
    std::function<QLabel*(TForm1&)> field; // clicked to open the menu; shows the choice
    std::function<QWidget*(TForm1&)> menu;
    std::function<panel::MenuList*(TForm1&)> list;
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
    QLabel* field = c.field(*form);

    clickField(field);
    EXPECT_TRUE(c.menu(*form)->isVisible());
    EXPECT_TRUE(c.list(*form)->isVisible());
    EXPECT_EQ(form->MenuBusy, 1);
    markDisplay();
    QTest::qWait(200);
    EXPECT_TRUE(displayMarked()) << "frames are dropped while the menu is open";

    clickItem(c.list(*form), c.row);
    EXPECT_EQ(field->text(), c.provisional(u));
    ASSERT_TRUE(waitFor([&] { return !simulator->receivedCommands().isEmpty(); }));
    const QByteArray command = lastCommand();
    EXPECT_EQ(uint8_t(command[c.commandByte]) & c.commandMask, c.commandValue) << command.toHex(' ').toStdString();
    EXPECT_TRUE(c.menu(*form)->isVisible()) << "the menu stays open after a choice";
    EXPECT_TRUE(displayMarked());

    ASSERT_TRUE(framesFlow()) << "the command timer lets the frames through again";
    EXPECT_EQ(form->MenuBusy, 0);
    EXPECT_TRUE(waitFor([&] { return field->text() == c.confirmed(u); }, 1000));
    EXPECT_EQ(field->text(), c.confirmed(u));
}

INSTANTIATE_TEST_SUITE_P(
    Menus, MenuChoiceTest,
    ::testing::Values(
        MenuCase{"Frequency1kHz", [](TForm1& f) -> QLabel* { return f.L_freq_RLC; },
                 [](TForm1& f) { return f.P_freq_RLC; }, [](TForm1& f) { return f.ListBox_freq_RLC; }, 3,
                 [](const meter::UnitTexts& u) { return QStringLiteral("1 ") + u.kilo + u.hertz; }, 1, 0x3F, 0x03,
                 [](const meter::UnitTexts& u) { return u' ' + meter::FormatFrequency(1000, u); }},
        MenuCase{"Level01V", [](TForm1& f) -> QLabel* { return f.L_Level_RLC; },
                 [](TForm1& f) { return f.P_level_RLC; }, [](TForm1& f) { return f.ListBox_Level_RLC; }, 3,
                 [](const meter::UnitTexts& u) { return QStringLiteral("0.1") + u.voltRms; }, 3, 0x0F, 0x03,
                 [](const meter::UnitTexts& u) { return QStringLiteral(" 0.1 ") + u.voltRms; }},
        // Automatic shows "C" until the meter names what it chose for the resistor it measures.
        MenuCase{"PrimaryAutomatic", [](TForm1& f) -> QLabel* { return f.L_Prim_RLC; },
                 [](TForm1& f) { return f.P_prim_RLC; }, [](TForm1& f) { return f.ListBox_prim_RLC; }, 0,
                 [](const meter::UnitTexts&) { return QStringLiteral("C"); }, 2, 0x07, 0x00,
                 [](const meter::UnitTexts&) { return QStringLiteral("R"); }},
        MenuCase{"PrimaryInductance", [](TForm1& f) -> QLabel* { return f.L_RLC_avto; },
                 [](TForm1& f) { return f.P_prim_RLC; }, [](TForm1& f) { return f.ListBox_prim_RLC; }, 3,
                 [](const meter::UnitTexts&) { return QStringLiteral(" "); }, 2, 0x07, 0x03,
                 [](const meter::UnitTexts&) { return QStringLiteral(" "); }},
        MenuCase{"SecondaryDissipation", [](TForm1& f) -> QLabel* { return f.L_Sec_RLC; },
                 [](TForm1& f) { return f.P_sec_RLC; }, [](TForm1& f) { return f.ListBox_sec_RLC; }, 3,
                 [](const meter::UnitTexts&) { return QStringLiteral("D"); }, 2, 0x70, 0x30,
                 [](const meter::UnitTexts&) { return QStringLiteral("D"); }},
        MenuCase{"CircuitSeries", [](TForm1& f) -> QLabel* { return f.L_SER_PER1; },
                 [](TForm1& f) { return f.P_ser_per; }, [](TForm1& f) { return f.ListBox_ser_per; }, 2,
                 [](const meter::UnitTexts&) { return QStringLiteral("S"); }, 1, 0xC0, 0x80,
                 [](const meter::UnitTexts&) { return QStringLiteral("S"); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlTest, MenuChoiceShowsItsMarksUntilTheMeterAnswers)
{
    startLinked();
    clickField(form->L_Prim_RLC);
    clickItem(form->ListBox_prim_RLC, 0);
    EXPECT_EQ(form->L_RLC_avto->text(), QStringLiteral("A"));
    EXPECT_EQ(form->Settings.PrimAuto, 1);
    EXPECT_EQ(form->Settings.PrimKind, 0);

    clickField(form->L_Level_RLC);
    clickItem(form->ListBox_Level_RLC, 0);
    EXPECT_EQ(form->Settings.LevelAuto, 1);
    EXPECT_EQ(form->Settings.LevelIndex, 1) << "automatic level goes out with index 1";

    clickField(form->L_Sec_RLC);
    clickItem(form->ListBox_sec_RLC, 2);
    EXPECT_EQ(form->L_RQD_avto->text(), QString());
    EXPECT_EQ(form->L_SER_PER->text(), QStringLiteral(" "));
}

// The level, primary, secondary and circuit lists close every menu when the pointer leaves
// them; the frequency list does not.
class ListLeaveTest : public ControlTest,
                      public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(ListLeaveTest, LeavingTheListClosesAllMenus)
{
    startUnlinked();
    auto* field = form->findChild<QLabel*>(QString::fromLatin1(GetParam().first));
    auto* list = form->findChild<panel::MenuList*>(QString::fromLatin1(GetParam().second));
    clickField(form->L_freq_RLC);
    clickField(field);
    ASSERT_TRUE(list->isVisible());

    pointAt(list);
    EXPECT_TRUE(list->isVisible());
    pointAtTheProfileBox();
    EXPECT_FALSE(anyMenuOpen());
    EXPECT_EQ(form->MenuBusy, 0);
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
    clickField(form->L_Level_RLC); // the pointer entered the view on its way
    pointAtTheProfileBox();
    pointAtTheRlcdView();
    EXPECT_TRUE(form->P_level_RLC->isVisible()) << "the view's reaction detached itself on the first entry";
    EXPECT_EQ(form->MenuBusy, 1);

    clickField(form->L_freq_RLC);
    pointAt(form->ListBox_freq_RLC);
    pointAtTheProfileBox();
    EXPECT_TRUE(form->P_freq_RLC->isVisible()) << "leaving the frequency list closes nothing";
    pointAtTheRlcdView();
    EXPECT_FALSE(anyMenuOpen()) << "the frequency list re-armed the view";
    EXPECT_EQ(form->MenuBusy, 0);

    clickField(form->L_Level_RLC);
    pointAtTheProfileBox();
    pointAtTheRlcdView();
    EXPECT_TRUE(form->P_level_RLC->isVisible()) << "detached again";
}

TEST_F(ControlTest, EnteringTheOtherViewsAlwaysClosesMenus)
{
    startUnlinked();
    simulator->meter().setMode(sim::MeterMode::Rd);
    simulator->sendFrameNow();
    ASSERT_TRUE(waitFor([&] { return form->Panel_RD->isVisible(); }));
    for (int entry = 0; entry < 2; ++entry) {
        pointAtTheProfileBox();
        form->L_Level_RLCClick(); // the RLCD fields are hidden; the menu opens all the same
        ASSERT_TRUE(form->P_level_RLC->isVisible());
        pointAt(form->Panel_RD, QPoint(form->Panel_RD->width() - 8, 70));
        EXPECT_FALSE(anyMenuOpen()) << "entry " << entry;
    }
}

TEST_F(ControlTest, HoverBevelMarksTheFieldThatCanBeClicked)
{
    startUnlinked();
    pointAt(form->L_RLC_avto);
    EXPECT_EQ(form->L_Prim_RLC->frameShape(), QFrame::Panel);
    EXPECT_EQ(form->L_Prim_RLC->frameShadow(), QFrame::Raised);
    EXPECT_EQ(form->L_RLC_avto->frameShape(), QFrame::NoFrame);
    pointAt(form->L_freq_RLC);
    EXPECT_EQ(form->L_Prim_RLC->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(form->L_freq_RLC->frameShape(), QFrame::Panel);
}

// --- the function buttons -------------------------------------------------------------------

TEST_F(ControlTest, HoldDisablesRecordingAndReleasingItRespectsProfileEditing)
{
    startLinked();
    QTest::mouseClick(form->SP3, Qt::LeftButton);
    expectLastCommand(hex("012480a10a"));
    EXPECT_FALSE(form->SP1->isEnabled());
    ASSERT_TRUE(framesFlow());
    EXPECT_TRUE(form->SP3->isChecked()) << "the meter reports the hold";

    form->SB4->setChecked(true);
    QTest::mouseClick(form->SP3, Qt::LeftButton);
    expectLastCommand(hex("012480210a"));
    EXPECT_EQ(form->Settings.Hold, 0);
    EXPECT_FALSE(form->SP1->isEnabled()) << "profile editing keeps recording off";
}

TEST_F(ControlTest, MetersReportWinsOverAButtonItDidNotFollow)
{
    startLinked();
    QTest::mouseClick(form->SP4, Qt::LeftButton);
    QTest::mouseClick(form->SP2, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return simulator->receivedCommands().size() == 2; }));
    EXPECT_FALSE(form->SP4->isChecked());
    EXPECT_FALSE(form->SP2->isChecked());

    // The meter puts both back, as if it had ignored the clicks.
    sim::MeterCommand keepBoth;
    keepBoth.bytes = {0x01, 0x24, 0x80, 0x21, 0x0A};
    simulator->meter().applyCommand(keepBoth);
    EXPECT_TRUE(waitFor([&] { return form->SP4->isChecked() && form->SP2->isChecked(); }));
}

TEST_F(ControlTest, DefaultsButtonSendsTheDefaultsEvenWhenTheyAreInForce)
{
    startLinked();
    QTest::mouseClick(form->SBe1, Qt::LeftButton);
    QTest::mouseClick(form->SBe1, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return simulator->receivedCommands().size() == 2; }));
    EXPECT_EQ(bytesOf(simulator->receivedCommands().at(0)), hex("012480210a"));
    EXPECT_EQ(bytesOf(simulator->receivedCommands().at(1)), hex("012480210a"));
    EXPECT_EQ(form->L_freq_RLC->text(), QStringLiteral("A ") + meter::FormatFrequency(10000, units()));
}
