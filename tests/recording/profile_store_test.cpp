// The profile store on real files in a temporary folder: what the state file brings back,
// what each profile operation leaves in the store, and failures that are said, not
// swallowed.
#include "qt_printers.h"
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

} // namespace
