// Every button of the window does the same whichever way it is worked: a click of the
// pointer, the space bar on the focused button, or an accessibility client's action (a
// screen reader presses a push button, and toggles a toggle button, which changes the
// button's state without clicking it). Each way starts afresh from the same place (a new
// meter, window and data folder, prepared alike); what the click did is what the other
// ways must do.
#include "recording_window.h"

#include "recording/profile_file.h"
#include "ui/panel/heading_panel.h"
#include "ui/trend/trend_chart_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

enum class Way { Pointer, SpaceBar, AccessibleAction };

const char* nameOf(Way way)
{
    switch (way) {
    case Way::Pointer: return "click";
    case Way::SpaceBar: return "space bar";
    case Way::AccessibleAction: return "accessible action";
    }
    return "";
}

// Stands in for the desktop's "open with the default application".
class UrlSink : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl&) {}
};

QString hexOf(const QList<sim::MeterCommand>& commands)
{
    QStringList hex;
    for (const sim::MeterCommand& command : commands)
        hex << QByteArray(reinterpret_cast<const char*>(command.bytes.data()), int(command.bytes.size())).toHex();
    return hex.join(u' ');
}

} // namespace

class ButtonWaysTest;

struct ButtonCase {
    const char* name;
    const char* button;
    // Brings the fresh window to where the button is worked.
    std::function<void(ButtonWaysTest&)> prepare;
    // The press has had its whole effect.
    std::function<bool(ButtonWaysTest&)> done;
    // What the user can see of the effect, in words that compare across runs.
    std::function<QString(ButtonWaysTest&)> outcome;
};

// The case by its name, where a failure names the parameter.
void PrintTo(const ButtonCase& button, std::ostream* out)
{
    *out << button.name << " (" << button.button << ")";
}

class ButtonWaysTest : public RecordingWindowTest, public ::testing::WithParamInterface<ButtonCase> {
public:
    // --- preparations ----------------------------------------------------------------------

    void startQuiet() { startQuietWindow(); }
    void startLinked() { startLinkedWindow(); }

    void startReadyToConnect()
    {
        startQuietWindow();
        ASSERT_TRUE(waitFor([&] { return child("B2")->isEnabled(); }));
    }

    // A profile of two parts, opened through its button.
    void openTwoPartProfile()
    {
        startQuietWindow();
        recording::PartRecord part;
        part.name = QStringLiteral("A");
        part.primaryNominal = QStringLiteral("100");
        part.primaryTolerance = QStringLiteral("1%");
        part.secondaryTolerance = recording::StoredToleranceOff;
        part.settings = meterSettings().toBytes();
        const QString path = inRun(QStringLiteral("two.hex1"));
        recording::profile_file::CreateProfile(path, part);
        part.name = QStringLiteral("B");
        recording::profile_file::StorePart(path, 2, part);
        answerer->queueFileName(path);
        click("SB2");
        ASSERT_EQ(partCount(), 2);
    }

    void openProfileInMultiPartMode()
    {
        openTwoPartProfile();
        chooseFromList(child<QComboBox>("CBox10"), 1);
        ASSERT_TRUE(isMultiPartMode());
    }

    void answerWith(const QString& fileName) { answerer->queueFileName(inRun(fileName)); }

    // --- what can be seen ------------------------------------------------------------------

    QString inRun(const QString& fileName) const { return QDir(m_run->path()).filePath(fileName); }
    bool existsInRun(const QString& fileName) const { return QFileInfo::exists(inRun(fileName)); }
    // The last status line, with this run's folder taken out.
    QString lastStatusLine() const
    {
        return memo().section(u'\n', -1).replace(QDir::toNativeSeparators(m_run->path()), QStringLiteral("<run>"));
    }
    bool recording() const { return form->recordingPanel().isRecording(); }
    QString commandsReceived() const { return hexOf(simulator->receivedCommands()); }
    QString shownMessages() const { return answerer->messages().join(u'|'); }
    QString profileHeading() const { return child<panel::HeadingPanel>("JvP8")->caption(); }
    bool autoConnectRemembered() const
    {
        constexpr int kAutoConnectOffset = 204;
        QFile file(QDir(m_run->path()).filePath(QStringLiteral("RLC_Data/1.dat")));
        return file.open(QIODevice::ReadOnly) && file.readAll().mid(kAutoConnectOffset, 1) == QByteArray(1, '\1');
    }
    bool trendShown() const
    {
        auto* trend = form->findChild<trend::TrendChartWindow*>(QStringLiteral("TrendChartWindow"));
        return trend && trend->isVisible();
    }

protected:
    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        RecordingWindowTest::TearDown();
    }

    // A new meter, data folder and window, prepared as the case says; the outcome before
    // the button is worked.
    QString startAfresh()
    {
        form.reset();
        simulator.reset();
        answerer = std::make_unique<ModalAnswerer>();
        m_run = std::make_unique<QTemporaryDir>();
        WindowTest::SetUp();
        qputenv("XDG_DATA_HOME", m_run->path().toLocal8Bit());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_urls, "open");
        GetParam().prepare(*this);
        return describe();
    }

    // The case's outcome and, for a toggle, whether it is down.
    QString describe()
    {
        auto* button = child<QAbstractButton>(GetParam().button);
        const QString state =
            button->isCheckable() ? QStringLiteral(" / down: %1").arg(button->isChecked()) : QString();
        return GetParam().outcome(*this) + state;
    }

    void work(Way way)
    {
        auto* button = child<QAbstractButton>(GetParam().button);
        ASSERT_TRUE(button->isEnabled());
        switch (way) {
        case Way::Pointer: QTest::mouseClick(button, Qt::LeftButton); break;
        case Way::SpaceBar:
            activateWindow();
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Space);
            break;
        case Way::AccessibleAction: {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
            ASSERT_NE(accessible, nullptr);
            QAccessibleActionInterface* actions = accessible->actionInterface();
            ASSERT_NE(actions, nullptr);
            // A toggle offers "toggle", a push button "press".
            const QStringList offered = actions->actionNames();
            const QString action = offered.contains(QAccessibleActionInterface::toggleAction())
                ? QAccessibleActionInterface::toggleAction()
                : QAccessibleActionInterface::pressAction();
            ASSERT_TRUE(offered.contains(action)) << offered.join(u',').toStdString();
            actions->doAction(action);
            break;
        }
        }
    }

    // Works the button the given way in a fresh window: the outcome before, and once the
    // effect is done.
    std::pair<QString, QString> workAfresh(Way way)
    {
        const QString before = startAfresh();
        work(way);
        EXPECT_TRUE(waitFor([&] { return GetParam().done(*this); })) << nameOf(way);
        return {before, describe()};
    }

    std::unique_ptr<ModalAnswerer> answerer;

private:
    std::unique_ptr<QTemporaryDir> m_run;
    UrlSink m_urls;
};

TEST_P(ButtonWaysTest, SpaceBarAndAccessibleActionDoWhatAClickDoes)
{
    const auto [untouched, clicked] = workAfresh(Way::Pointer);
    EXPECT_NE(clicked, untouched) << "the click had an effect";
    for (Way way : {Way::SpaceBar, Way::AccessibleAction})
        EXPECT_EQ(workAfresh(way).second, clicked) << nameOf(way);
}

namespace {

using T = ButtonWaysTest;

// The meter's commands after a front panel button; SP3 also takes recording by hand away.
ButtonCase commandButton(const char* name, const char* button)
{
    return {name, button, &T::startLinked, [](T& window) { return !window.commandsReceived().isEmpty(); },
            [](T& window) {
                return window.commandsReceived()
                    + QStringLiteral(" / recording offered: %1").arg(window.child("SP1")->isEnabled());
            }};
}

QString partsAndHeading(T& window)
{
    return QStringLiteral("parts %1, heading %2").arg(window.partCount()).arg(window.profileHeading());
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Buttons, ButtonWaysTest,
    ::testing::Values(
        ButtonCase{"Connect", "B2", &T::startReadyToConnect, [](T& window) { return window.meterLinked(); },
                   [](T& window) { return QStringLiteral("linked %1").arg(window.meterLinked()); }},
        ButtonCase{"AutomaticConnection", "CheckBox_connect_auto", &T::startQuiet,
                   [](T& window) { return window.autoConnectRemembered(); },
                   [](T& window) { return QStringLiteral("remembered %1").arg(window.autoConnectRemembered()); }},
        commandButton("Brightness", "SP4"), commandButton("Hold", "SP3"), commandButton("Sound", "SP2"),
        commandButton("Defaults", "SBe1"), commandButton("RlcdMode", "Button2"), commandButton("RdMode", "Button1"),
        commandButton("UMode", "Button3"),
        ButtonCase{"StartRecording", "SP1", &T::startLinked, [](T& window) { return window.recording(); },
                   [](T& window) {
                       return QStringLiteral("recording %1, caption %2")
                           .arg(window.recording())
                           .arg(window.child<QAbstractButton>("SP1")->text());
                   }},
        ButtonCase{
            "Clear", "B5",
            [](T& window) {
                window.startQuiet();
                window.child<QSpinBox>("SE1")->setValue(5);
            },
            [](T& window) { return window.child<QSpinBox>("SE1")->value() != 5; },
            [](T& window) { return QStringLiteral("start position %1").arg(window.child<QSpinBox>("SE1")->value()); }},
        ButtonCase{"Trend", "Button_Trend", &T::startQuiet, [](T& window) { return window.trendShown(); },
                   [](T& window) { return QStringLiteral("trend shown %1").arg(window.trendShown()); }},
        ButtonCase{"ExcelExport", "Button4",
                   [](T& window) {
                       window.startQuiet();
                       window.answerWith(QStringLiteral("log.xlsx"));
                   },
                   [](T& window) { return window.existsInRun(QStringLiteral("log.xlsx")); },
                   [](T& window) { return window.lastStatusLine(); }},
        ButtonCase{"CsvExport", "Button_CSV",
                   [](T& window) {
                       window.startQuiet();
                       window.answerWith(QStringLiteral("log.csv"));
                   },
                   [](T& window) { return window.existsInRun(QStringLiteral("log.csv")); },
                   [](T& window) { return window.lastStatusLine(); }},
        ButtonCase{"CreateProfile", "SB1",
                   [](T& window) {
                       window.startQuiet();
                       window.answerWith(QStringLiteral("made"));
                   },
                   [](T& window) { return !window.shownMessages().isEmpty(); },
                   [](T& window) { return window.shownMessages() + QStringLiteral(" / ") + partsAndHeading(window); }},
        ButtonCase{"OpenProfile", "SB2",
                   [](T& window) {
                       window.startQuiet();
                       recording::PartRecord part;
                       part.name = QStringLiteral("A");
                       part.settings = window.meterSettings().toBytes();
                       recording::profile_file::CreateProfile(window.inRun(QStringLiteral("one.hex1")), part);
                       window.answerWith(QStringLiteral("one.hex1"));
                   },
                   [](T& window) { return window.partCount() > 0; }, &partsAndHeading},
        ButtonCase{"SaveProfileAs", "SB3",
                   [](T& window) {
                       window.openTwoPartProfile();
                       window.answerWith(QStringLiteral("copy"));
                   },
                   [](T& window) { return window.existsInRun(QStringLiteral("copy.hex1")); }, &partsAndHeading},
        ButtonCase{"StorePart", "BB1",
                   [](T& window) {
                       window.openTwoPartProfile();
                       window.child<QSpinBox>("SE2")->setValue(3);
                   },
                   [](T& window) { return window.partCount() != 2; }, &partsAndHeading},
        ButtonCase{"InsertPart", "Button_Add", &T::openProfileInMultiPartMode,
                   [](T& window) { return window.partCount() != 2; }, &partsAndHeading},
        ButtonCase{"DeletePart", "Button_DEL", &T::openProfileInMultiPartMode,
                   [](T& window) { return window.partCount() != 2; }, &partsAndHeading}),
    [](const auto& test) { return std::string(test.param.name); });

#include "button_ways_test.moc"
