// Part profiles in the real window: creating, opening and copying profile files, storing,
// inserting and deleting parts, the four ways of selecting a part, reopening the last
// profile at start, recording several parts, and what the state file remembers.
#include "recording_window.h"

#include "ui/panel/heading_panel.h"
#include "recording/profile_file.h"
#include "recording/state_file.h"

#include <QDataStream>
#include <QDir>
#include <QSpinBox>

namespace {

constexpr int kMultiPartItem = 1;

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint32 int32At(const QByteArray& bytes, int offset)
{
    QDataStream stream(bytes.mid(offset, 4));
    stream.setByteOrder(QDataStream::LittleEndian);
    qint32 value = 0;
    stream >> value;
    return value;
}

QStringList partNames(const QString& profilePath)
{
    QStringList names;
    const int count = recording::profile_file::ReadPartCount(profilePath);
    for (int part = 1; part <= count; ++part)
        names << recording::profile_file::LoadPart(profilePath, part).name;
    return names;
}

} // namespace

class ProfilesTest : public RecordingWindowTest {
protected:
    void SetUp() override
    {
        RecordingWindowTest::SetUp();
        ASSERT_TRUE(profilesDir.isValid());
    }

    QString profilePath(const QString& fileName) const { return profilesDir.filePath(fileName); }

    // A profile file with one part per name; part i has the nominal 100 * i and starts at
    // position 10 * i, measured with the window's current settings.
    QString makeProfile(const QString& fileName, const QStringList& names)
    {
        const QString path = profilePath(fileName);
        for (int i = 1; i <= names.size(); ++i) {
            recording::PartRecord part;
            part.name = names[i - 1];
            part.startPosition = 10 * i;
            part.primaryTolerance = QStringLiteral("1%");
            part.primaryNominal = QString::number(100 * i);
            part.secondaryTolerance = recording::StoredToleranceOff;
            part.secondaryKind = 1;
            part.secondaryNominal = QStringLiteral("50");
            part.settings = meterSettings().toBytes();
            if (i == 1)
                recording::profile_file::CreateProfile(path, part);
            else
                recording::profile_file::StorePart(path, i, part);
        }
        return path;
    }

    void clickAnswering(const char* button, const QString& fileName)
    {
        answerer.queueFileName(fileName);
        click(button);
    }

    QString openThreeParts()
    {
        const QString path = makeProfile(QStringLiteral("three.hex1"), {"A", "B", "C"});
        clickAnswering("SB2", path);
        EXPECT_EQ(partCount(), 3);
        return path;
    }

    void clickCell(int gridRow, int column)
    {
        auto* table = child<QTableView>("SG");
        const QRect cellRect = table->visualRect(log().index(gridRow - 1, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellRect.center());
    }

    void switchToMultiPart()
    {
        chooseFromList(child<QComboBox>("CBox10"), kMultiPartItem);
        ASSERT_TRUE(isMultiPartMode());
    }

    QSpinBox* partNumber() const { return child<QSpinBox>("SE2"); }
    QComboBox* partName() const { return child<QComboBox>("CBox6"); }

    QString rememberedPath() const
    {
        const QByteArray state = stateFile();
        return QString::fromLocal8Bit(state.mid(4, int32At(state, 0)));
    }

    // Messages of the current language.
    QString createdText() const { return lexicons().D1.GetItem(localisation::ProfileCreated); }
    QString failedText() const { return lexicons().D1.GetItem(localisation::FailedMessage); }
    QString noProfileText() const { return lexicons().D4.GetItem(localisation::NoProfileOpen); }

    QString heading() const { return child<panel::HeadingPanel>("JvP8")->caption(); }
    QString profileHeading(const QString& name) const
    {
        return lexicons().D1.GetItem(localisation::ProfileHeading) + u' ' + name;
    }

    QTemporaryDir profilesDir;
    ModalAnswerer answerer;
};

TEST_F(ProfilesTest, CreateWritesAOnePartFileAndRemembersIt)
{
    startQuietWindow();
    partName()->setEditText(QStringLiteral("Cap1"));
    clickAnswering("SB1", profilePath(QStringLiteral("Batch7")));

    const QString path = profilePath(QStringLiteral("Batch7.hex1"));
    EXPECT_EQ(answerer.messages(), QStringList{createdText()});
    EXPECT_EQ(QFileInfo(path).size(), 172);
    EXPECT_EQ(partNames(path), QStringList{"Cap1"});
    EXPECT_EQ(openProfilePath(), path);
    EXPECT_EQ(partCount(), 1);
    EXPECT_EQ(partNumber()->maximum(), 2);
    EXPECT_EQ(int32At(stateFile(), 0), path.size());
    EXPECT_EQ(rememberedPath(), path);
    EXPECT_EQ(heading(), profileHeading(QStringLiteral("Batch7")));

    answerer.forgetMessages();
    clickAnswering("SB1", QString());
    EXPECT_EQ(answerer.messages(), QStringList{failedText()}) << "a cancelled create is reported";
    EXPECT_EQ(openProfilePath(), path);
}

TEST_F(ProfilesTest, LastProfileIsReopenedAtStart)
{
    startQuietWindow();
    partName()->setEditText(QStringLiteral("Cap1"));
    clickAnswering("SB1", profilePath(QStringLiteral("Batch7")));
    ASSERT_FALSE(child("SB3")->isEnabled()) << "creating alone does not enable save-as";
    form.reset();

    startQuietWindow();
    EXPECT_EQ(openProfilePath(), profilePath(QStringLiteral("Batch7.hex1")));
    EXPECT_EQ(heading(), profileHeading(QStringLiteral("Batch7")));
    EXPECT_TRUE(child("SB3")->isEnabled());
    EXPECT_EQ(partCount(), 1);
    EXPECT_EQ(partName()->currentText(), QStringLiteral("Cap1")) << "part 1 is loaded";
}

TEST_F(ProfilesTest, OpenLoadsTheFirstPartAndRemembersTheProfile)
{
    startQuietWindow();
    const QString path = openThreeParts();
    EXPECT_TRUE(answerer.messages().isEmpty());
    EXPECT_EQ(partNumber()->maximum(), 4);
    EXPECT_EQ(rememberedPath(), path);
    EXPECT_EQ(heading(), profileHeading(QStringLiteral("three")));
    EXPECT_TRUE(child("SB3")->isEnabled());
    EXPECT_EQ(partName()->count(), 3);
    EXPECT_EQ(partName()->itemText(2), QStringLiteral("C"));
    EXPECT_EQ(partName()->currentText(), QStringLiteral("A"));
    EXPECT_EQ(primaryNominal()->text(), QStringLiteral("100"));
    EXPECT_EQ(startPosition()->value(), 10);
}

TEST_F(ProfilesTest, OpeningAMissingFileCreatesAOnePartProfileQuietly)
{
    startQuietWindow();
    const QString three = openThreeParts();
    const QString fresh = profilePath(QStringLiteral("fresh.hex1"));
    clickAnswering("SB2", fresh);

    EXPECT_TRUE(answerer.messages().isEmpty());
    EXPECT_EQ(QFileInfo(fresh).size(), 172);
    EXPECT_EQ(openProfilePath(), fresh);
    EXPECT_EQ(partCount(), 1);
    EXPECT_EQ(rememberedPath(), three) << "the state file keeps the last opened profile";
    EXPECT_EQ(heading(), profileHeading(QStringLiteral("three")));
}

// A profile that can neither be read nor made is a failure said as a failed create is: in
// the interface's language, with the reason in the status log.
TEST_F(ProfilesTest, OpenThatFailsIsSaidInTheCurrentLanguage)
{
    startQuietWindow();
    const QString unreachable = profilePath(QStringLiteral("no such folder/parts.hex1"));
    clickAnswering("SB2", unreachable);

    EXPECT_EQ(answerer.messages(), QStringList{failedText()});
    EXPECT_EQ(failedText(), QStringLiteral("Failure!")) << "the window speaks English";
    EXPECT_TRUE(memo().contains(unreachable)) << memo().toStdString();
}

// Showing the profile reloads the state file, which may bring back a larger profile than
// the grid was sized for: the grid takes every part of it.
TEST_F(ProfilesTest, ReferenceViewFitsTheProfileTheStateFileBringsBack)
{
    startQuietWindow();
    openThreeParts();
    switchToMultiPart();
    clickAnswering("SB2", profilePath(QStringLiteral("fresh.hex1"))); // one part, not remembered
    ASSERT_EQ(partCount(), 1);
    partNumber()->setValue(1);
    click("BB1");

    EXPECT_EQ(partCount(), 3);
    ASSERT_GE(log().gridRowCount(), 4);
    EXPECT_EQ(log().gridCell(3, 1), QStringLiteral("C"));
}

TEST_F(ProfilesTest, SaveAsCopiesTheOpenProfileAndSwitchesToTheCopy)
{
    startQuietWindow();
    const QString three = openThreeParts();
    clickAnswering("SB3", QString());
    EXPECT_EQ(openProfilePath(), three) << "cancelling does nothing";

    clickAnswering("SB3", profilePath(QStringLiteral("copy")));
    const QString copy = profilePath(QStringLiteral("copy.hex1"));
    EXPECT_EQ(fileBytes(copy), fileBytes(three));
    EXPECT_EQ(openProfilePath(), copy);
    EXPECT_EQ(rememberedPath(), copy);
    EXPECT_EQ(heading(), profileHeading(QStringLiteral("copy")));
    EXPECT_TRUE(answerer.messages().isEmpty());
}

TEST_F(ProfilesTest, AddInsertsTheControlsBeforeTheSelectedPart)
{
    startQuietWindow();
    const QString path = openThreeParts();
    switchToMultiPart();
    partNumber()->setValue(2);
    partName()->setEditText(QStringLiteral("New"));
    click("Button_Add");

    EXPECT_EQ(partNames(path), (QStringList{"A", "New", "B", "C"}));
    EXPECT_EQ(partCount(), 4);
    EXPECT_EQ(partNumber()->maximum(), 5);
    EXPECT_EQ(cell(2, 1), QStringLiteral("New")) << "the reference view shows the new part";
    EXPECT_EQ(cell(4, 1), QStringLiteral("C"));
}

TEST_F(ProfilesTest, DeleteMovesLaterPartsDownAndLeavesTheOldLastRecordBehind)
{
    startQuietWindow();
    const QString path = openThreeParts();
    const QByteArray before = fileBytes(path);
    switchToMultiPart();
    partNumber()->setValue(2);
    click("Button_DEL");

    EXPECT_EQ(partNames(path), (QStringList{"A", "C"}));
    EXPECT_EQ(partCount(), 2);
    const QByteArray after = fileBytes(path);
    ASSERT_EQ(after.size(), before.size()) << "the file is not shortened";
    const qint64 third = recording::profile_file::RecordOffset(3);
    EXPECT_EQ(after.mid(third, recording::PartRecord::Size), before.mid(third, recording::PartRecord::Size));
    EXPECT_EQ(log().gridRowCount(), 3);

    const int selected = partNumber()->value();
    chooseFromList(partName(), 2); // "C", left over in the list from the longer profile
    EXPECT_EQ(partNumber()->value(), selected) << "a name beyond the count selects no part";
}

TEST_F(ProfilesTest, StoringOnePastTheEndAppendsAndFurtherIsRefused)
{
    startLinkedWindow();
    const QString path = openThreeParts();
    partNumber()->setValue(4);
    partName()->setEditText(QStringLiteral("D"));
    click("BB1");
    EXPECT_EQ(partNames(path), (QStringList{"A", "B", "C", "D"}));
    EXPECT_EQ(partNumber()->maximum(), 5);

    // With the link down the part buttons work in single-part mode, where a delete keeps
    // the maximum of the part number: it now allows a number two past the count.
    pauseReports();
    simulator->injectLinkLoss();
    ASSERT_TRUE(waitFor([&] { return child("Button_DEL")->isEnabled(); }));
    partNumber()->setValue(1);
    click("Button_DEL");
    ASSERT_EQ(partCount(), 3);
    ASSERT_EQ(partNumber()->maximum(), 5);
    const QByteArray before = fileBytes(path);

    partNumber()->setValue(5); // two past the count
    click("BB1");
    EXPECT_EQ(answerer.messages().size(), 1) << "the refusal is shown";
    EXPECT_EQ(partCount(), 3);
    EXPECT_EQ(fileBytes(path), before) << "a refused store changes nothing in the file";
}

TEST_F(ProfilesTest, PartIsSelectedByListArrowsAndGridClick)
{
    startQuietWindow();
    openThreeParts();

    chooseFromList(partName(), 1);
    EXPECT_EQ(partNumber()->value(), 2);
    EXPECT_EQ(primaryNominal()->text(), QStringLiteral("200"));

    partNumber()->stepBy(1); // the upper arrow goes to the previous part
    EXPECT_EQ(partNumber()->value(), 1);
    EXPECT_EQ(partName()->currentText(), QStringLiteral("A"));
    EXPECT_EQ(primaryNominal()->text(), QStringLiteral("100"));
    partNumber()->stepBy(-1);
    partNumber()->stepBy(-1);
    EXPECT_EQ(primaryNominal()->text(), QStringLiteral("300"));
    partNumber()->stepBy(-1);
    EXPECT_EQ(partNumber()->value(), 4) << "one past the last part stands for a new part";
    EXPECT_EQ(primaryNominal()->text(), QStringLiteral("300")) << "and loads nothing";

    switchToMultiPart();
    clickCell(2, 0);
    EXPECT_EQ(partNumber()->value(), 2);
    EXPECT_EQ(partName()->currentText(), QStringLiteral("B"));
    EXPECT_EQ(primaryNominal()->text(), QStringLiteral("200"));
    clickCell(3, 5);
    EXPECT_EQ(primaryNominal()->text(), QStringLiteral("200")) << "columns beyond 3 select nothing";
    clickCell(3, 3);
    EXPECT_EQ(primaryNominal()->text(), QStringLiteral("300"));
}

TEST_F(ProfilesTest, AClickOnAPartRowSendsItsSettingsOnce)
{
    startLinkedWindow();
    openThreeParts();
    switchToMultiPart();
    ASSERT_TRUE(waitFor([&] { return menuBusy() == 0; }));
    simulator->clearRecords();
    clickCell(2, 0);
    QTest::qWait(200);
    EXPECT_EQ(simulator->receivedCommands().size(), 1);
}

TEST_F(ProfilesTest, MultiPartRecordingWritesEachReadingIntoTheSelectedPartsRow)
{
    startLinkedWindow();
    openThreeParts();
    switchToMultiPart();
    chooseFromList(partName(), 1);
    ASSERT_TRUE(waitFor([&] { return menuBusy() == 0; }));
    click("SP1");
    ASSERT_TRUE(recordButton()->isChecked());

    measure(4700);
    measure(4800);
    EXPECT_EQ(cell(2, 0), QStringLiteral("2"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("B")) << "the part name stays";
    EXPECT_EQ(cell(2, 2), shownPrimary());
    EXPECT_EQ(cell(1, 2), QString());
    EXPECT_EQ(cell(3, 2), QString());
    EXPECT_EQ(partNumber()->value(), 2);
    EXPECT_EQ(log().gridRowCount(), 4);

    partNumber()->stepBy(-1); // the next part, while recording runs
    ASSERT_TRUE(waitFor([&] { return menuBusy() == 0; }));
    measure(4900);
    EXPECT_EQ(cell(3, 1), QStringLiteral("C"));
    EXPECT_EQ(cell(3, 2), shownPrimary());
    EXPECT_NE(cell(2, 2), cell(3, 2));
}

// In multi-part mode the part changes within one recording; each stored reading names its own.
TEST_F(ProfilesTest, MultiPartReadingsAreStoredWithTheirOwnPartAndTheLot)
{
    startLinkedWindow();
    openThreeParts();
    setLot(QStringLiteral("L9"));
    switchToMultiPart();
    chooseFromList(partName(), 1);
    ASSERT_TRUE(waitFor([&] { return menuBusy() == 0; }));
    click("SP1");
    measure(4700);
    partNumber()->stepBy(-1);
    ASSERT_TRUE(waitFor([&] { return menuBusy() == 0; }));
    measure(4900);
    click("SP1");

    const QList<QStringList> stored = storedReadings("lot, position, part_number, part_name, primary_nominal");
    EXPECT_EQ(stored, (QList<QStringList>{{"L9", "2", "2", "B", "200.0"}, {"L9", "3", "3", "C", "300.0"}}));
}

// Parts stored from the designed interface carry tolerances such as "0,5%"; they must read
// as tolerances in any interface language and with any decimal separator.
TEST_F(ProfilesTest, StoredToleranceWithACommaIsReadAsATolerance)
{
    startLinkedWindow();
    recording::PartRecord part;
    part.name = QStringLiteral("R1");
    part.primaryTolerance = QStringLiteral("0,5%");
    part.primaryNominal = QStringLiteral("4700");
    part.secondaryTolerance = recording::StoredToleranceOff;
    part.settings = meterSettings().toBytes();
    recording::profile_file::CreateProfile(profilePath(QStringLiteral("comma.hex1")), part);
    clickAnswering("SB2", profilePath(QStringLiteral("comma.hex1")));
    ASSERT_EQ(primaryTolerance()->currentText(), QStringLiteral("0,5%"));
    ASSERT_TRUE(waitFor([&] { return menuBusy() == 0; }));

    measure(4710);
    EXPECT_EQ(rejectCode(), recording::VerdictPass);
    measure(4800);
    EXPECT_EQ(rejectCode(), recording::VerdictPrimaryOut);
}

// The path field of the state file holds 196 bytes; a longer path must neither spill into
// the language index and the connection flag behind it nor replace the remembered path.
TEST_F(ProfilesTest, PathTooLongToRememberIsReportedAndLeavesTheStateFileAlone)
{
    startQuietWindow();
    const QString remembered = makeProfile(QStringLiteral("three.hex1"), {"A"});
    recording::state_file::SaveProfilePath(stateFilePath(), remembered);
    recording::state_file::SaveLanguageIndex(stateFilePath(), 5);
    const QByteArray before = stateFile();

    const QString longFolder = profilesDir.filePath(QString(120, u'd'));
    ASSERT_TRUE(QDir().mkpath(longFolder));
    const QString longName = longFolder + u'/' + QString(90, u'p');
    ASSERT_GT(longName.size() + 5, recording::state_file::PathCapacity);

    clickAnswering("SB1", longName);
    ASSERT_EQ(answerer.messages().size(), 2);
    EXPECT_EQ(answerer.messages()[0], createdText());
    EXPECT_TRUE(answerer.messages()[1].endsWith(longName + QStringLiteral(".hex1")))
        << "the user is told which profile will not be reopened";
    EXPECT_EQ(stateFile(), before);

    answerer.forgetMessages();
    clickAnswering("SB2", longName + QStringLiteral(".hex1"));
    EXPECT_EQ(answerer.messages().size(), 1);
    EXPECT_EQ(stateFile(), before);
    EXPECT_EQ(int32At(stateFile(), 200), 5);
}

TEST_F(ProfilesTest, DISABLED_ScreenshotOfTheReferenceView)
{
    startQuietWindow();
    makeProfile(QStringLiteral("batch.hex1"), {"R1", "R2", "C7", "L3"});
    clickAnswering("SB2", profilePath(QStringLiteral("batch.hex1")));
    switchToMultiPart();
    saveScreenshot(QStringLiteral("multi_part_references"));
}

class NoProfileTest : public ProfilesTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(NoProfileTest, PartOperationSaysAProfileIsNeeded)
{
    startQuietWindow();
    switchToMultiPart();
    click(GetParam());
    EXPECT_EQ(answerer.messages(), QStringList{noProfileText()});
    EXPECT_EQ(partCount(), 0);
    EXPECT_TRUE(openProfilePath().isEmpty());
}

std::string partButtonName(const ::testing::TestParamInfo<const char*>& info)
{
    static const char* const names[] = {"Store", "Insert", "Delete"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(PartButtons, NoProfileTest, ::testing::Values("BB1", "Button_Add", "Button_DEL"),
                         partButtonName);
