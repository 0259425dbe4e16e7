// The profile store on real files in a temporary folder: what the state file brings back,
// what each profile operation leaves in the store, and failures that are said, not
// swallowed.
#include "qt_printers.h"
#include "recording/bin_table_place.h"
#include "recording/file_error.h"
#include "recording/profile_file.h"
#include "recording/profile_store.h"
#include "recording/state_file.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace recording;

namespace {

PartRecord part(const QString& name)
{
    PartRecord record;
    record.name = name;
    record.startPosition = 1;
    return record;
}

class ProfileStoreTest : public testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QByteArray stateBytes() const
    {
        QFile file(statePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString statePath = dir.filePath(QStringLiteral("RLC_Data/1.dat"));
    ProfileStore store{statePath};
    QSignalSpy changes{&store, &ProfileStore::profileChanged};
    QSignalSpy problems{&store, &ProfileStore::problem};
};

TEST_F(ProfileStoreTest, StateFileMadeOnFirstStartThenBringsBackTheProfileAndTheAutomaticConnection)
{
    const StateFileReading first = store.LoadState();
    EXPECT_FALSE(first.existed);
    EXPECT_TRUE(QFile::exists(statePath));
    EXPECT_FALSE(store.hasProfile());

    profile_file::CreateProfile(path("Batch7.hex1"), part("R1"));
    profile_file::StorePart(path("Batch7.hex1"), 2, part("R2"));
    state_file::SaveProfilePath(statePath, path("Batch7.hex1"));
    state_file::SaveAutoConnect(statePath, true);

    ProfileStore restarted(statePath);
    QSignalSpy restartedChanges(&restarted, &ProfileStore::profileChanged);
    const StateFileReading reading = restarted.LoadState();
    EXPECT_TRUE(reading.existed);
    EXPECT_TRUE(reading.read);
    EXPECT_TRUE(reading.autoConnect);
    EXPECT_TRUE(reading.profileReopened);
    EXPECT_EQ(restarted.profilePath(), path("Batch7.hex1"));
    EXPECT_EQ(restarted.profileTitle(), QStringLiteral(" Batch7"));
    EXPECT_EQ(restarted.partCount(), 2);
    EXPECT_EQ(restartedChanges.count(), 1);
    EXPECT_EQ(problems.count(), 0);
}

TEST_F(ProfileStoreTest, RememberedProfileThatIsGoneIsNotReopened)
{
    store.LoadState();
    state_file::SaveProfilePath(statePath, path("gone.hex1"));
    const StateFileReading reading = store.LoadState();
    EXPECT_TRUE(reading.read);
    EXPECT_FALSE(reading.profileReopened);
    EXPECT_FALSE(store.hasProfile());
    EXPECT_EQ(problems.count(), 0) << "a profile deleted since is not an error";
}

// A state file that cannot be made or read is said, naming the file, and nothing changes.
TEST_F(ProfileStoreTest, StateFileThatCannotBeReadIsSaid)
{
    ASSERT_TRUE(QDir().mkpath(statePath)); // a folder where the file should be
    const StateFileReading reading = store.LoadState();
    EXPECT_FALSE(reading.read);
    EXPECT_FALSE(reading.profileReopened);
    ASSERT_EQ(problems.count(), 1);
    EXPECT_TRUE(problems.first().first().toString().contains(statePath))
        << problems.first().first().toString().toStdString();
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ProfileStoreTest, EachOperationLeavesTheOpenProfileAndItsCountInTheStore)
{
    store.create(path("new"), part("A"));
    EXPECT_EQ(store.profilePath(), path("new.hex1"));
    EXPECT_EQ(store.profileTitle(), QStringLiteral(" new"));
    EXPECT_EQ(store.partCount(), 1);

    store.storePart(2, part("C"));
    store.insertPart(2, part("B"));
    EXPECT_EQ(store.partCount(), 3);
    EXPECT_EQ(store.loadPart(2).name, QStringLiteral("B"));
    store.deletePart(1);
    EXPECT_EQ(store.partCount(), 2);
    EXPECT_EQ(store.loadPart(1).name, QStringLiteral("B"));

    store.saveAs(path("copy"));
    EXPECT_EQ(store.profilePath(), path("copy.hex1"));
    EXPECT_EQ(store.partCount(), 2);

    EXPECT_FALSE(store.open(path("fresh.hex1"), part("F"))) << "no file there: a one-part profile is made";
    EXPECT_EQ(store.partCount(), 1);
    EXPECT_TRUE(store.open(path("copy.hex1"), part("unused")));
    EXPECT_EQ(store.partCount(), 2);
    EXPECT_EQ(store.profileTitle(), QStringLiteral(" copy"));
    EXPECT_EQ(changes.count(), 7);
}

// A failing operation reports why and leaves the open profile as it was.
TEST_F(ProfileStoreTest, FailedOperationLeavesTheStoreAsItWas)
{
    store.create(path("kept"), part("A"));
    const int changesBefore = int(changes.count());
    EXPECT_THROW(store.create(path("no/such/folder/x"), part("B")), FileError);
    EXPECT_THROW(store.open(path("no/such/folder/y.hex1"), part("B")), FileError);
    EXPECT_THROW(store.storePart(5, part("gap")), FileError);
    EXPECT_THROW(store.deletePart(7), FileError);
    EXPECT_EQ(store.profilePath(), path("kept.hex1"));
    EXPECT_EQ(store.partCount(), 1);
    EXPECT_EQ(changes.count(), changesBefore);
}

TEST_F(ProfileStoreTest, PathTheStateFileCannotHoldLeavesItUntouched)
{
    store.LoadState();
    store.storeAutoConnect(true);
    store.storeLanguageIndex(2);
    const QByteArray before = stateBytes();
    store.create(path(QString(state_file::PathCapacity, u'x')), part("A"));
    EXPECT_THROW(store.rememberProfilePath(), FileError);
    EXPECT_EQ(stateBytes(), before);
}

// A part's name as its table's file: kept as typed where every file system takes it, the
// rest written as "%" and hex, so that no two names share a file and none leaves the folder.
TEST(BinTablePlace, PartNamesBecomeSafeFileNamesThatNeverCollide)
{
    const std::pair<QString, QString> cases[] = {
        {"R1k 1%", "R1k 1%25"},
        {"C 100n/50V", "C 100n%2F50V"},
        {"a\\b:c*d?e\"f<g>h|i", "a%5Cb%3Ac%2Ad%3Fe%22f%3Cg%3Eh%7Ci"},
        {"..", "%2E%2E"},
        {".hidden", "%2Ehidden"},
        {"end. ", "end.%20"},
        {"tab\there", "tab%09here"},
        {"Резистор", "Резистор"},
        {"", "%"},
        {"%", "%25"},
    };
    QStringList fileNames;
    for (const auto& [name, fileName] : cases) {
        EXPECT_EQ(BinTableFileName(name), fileName) << name.toStdString();
        fileNames << fileName;
    }
    fileNames.removeDuplicates();
    EXPECT_EQ(fileNames.size(), qsizetype(std::size(cases)));
    EXPECT_EQ(PartBinTablePath("/p/Batch7.hex1", "R/1"), QStringLiteral("/p/Batch7.hex1.bins/R%2F1.csv"));
}

// Tables follow their parts through the profile's operations: a rename moves it (or copies
// it while another part keeps the old name), an insert leaves every table with its part,
// a delete removes it, and save-as copies them all. The profile file is untouched by them.
TEST_F(ProfileStoreTest, BinTablesStayWithTheirPartsThroughEveryOperation)
{
    store.LoadState();
    store.create(path("Batch7"), part("R1"));
    store.storePart(2, part("R2"));
    const auto writeTable = [&](const QString& name, const QByteArray& text) {
        QDir().mkpath(BinTableFolder(store.profilePath()));
        QFile file(store.binTablePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    const auto tableOf = [&](const QString& name) {
        QFile file(store.binTablePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("none");
    };
    writeTable("R1", "table of R1");
    writeTable("R2", "table of R2");

    store.insertPart(1, part("R0"));
    EXPECT_EQ(tableOf("R1"), "table of R1");
    EXPECT_EQ(tableOf("R0"), "none");

    store.storePart(2, part("R1 renamed"));
    EXPECT_EQ(tableOf("R1 renamed"), "table of R1");
    EXPECT_EQ(tableOf("R1"), "none") << "moved, not copied";

    store.storePart(4, part("R2"));
    store.storePart(3, part("R2 first"));
    EXPECT_EQ(tableOf("R2 first"), "table of R2");
    EXPECT_EQ(tableOf("R2"), "table of R2") << "part 4 still bears the name";

    store.deletePart(4);
    EXPECT_EQ(tableOf("R2"), "none");
    store.deletePart(1);
    EXPECT_EQ(tableOf("R1 renamed"), "table of R1");

    const QString original = store.profilePath();
    const QByteArray profileBytes = [&] {
        QFile file(original);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    store.saveAs(path("Batch8"));
    EXPECT_EQ(store.profilePath(), path("Batch8.hex1"));
    EXPECT_EQ(tableOf("R1 renamed"), "table of R1");
    EXPECT_EQ(tableOf("R2 first"), "table of R2");
    EXPECT_TRUE(QFile::exists(PartBinTablePath(original, "R1 renamed"))) << "the original keeps its own";
    QFile copy(store.profilePath());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), profileBytes) << "the profile file holds no trace of its tables";
}

TEST_F(ProfileStoreTest, WithoutAProfileTheOneTableIsInTheDataFolder)
{
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    EXPECT_EQ(store.binTablePath("any"), dir.filePath("RLC_Data/bins/current.csv"));
    qunsetenv("XDG_DATA_HOME");
}

} // namespace
