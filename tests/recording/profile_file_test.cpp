#include "recording/file_error.h"
#include "recording/part_record.h"
#include "recording/profile_file.h"
#include "qt_printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace recording;
namespace pf = recording::profile_file;

namespace {

PartRecord part(const QString& name)
{
    PartRecord r;
    r.name = name;
    r.startPosition = 5;
    r.primaryTolerance = StoredToleranceOff;
    r.primaryKind = 2;
    r.primaryUnit = 1;
    r.primaryNominal = "100";
    r.secondaryTolerance = "10%";
    r.secondaryKind = 1;
    r.secondaryUnit = 0;
    r.secondaryNominal = "50";
    r.settings = {1, 4, 1, 2, 1, 1, 0, 1, 1, 0, 2, 0, 0, 1, 0xAB};
    return r;
}

QByteArray shortText(const QByteArray& text, int capacity)
{
    return char(text.size()) + text + QByteArray(capacity - text.size(), '\0');
}

class ProfileFileTest : public testing::Test {
protected:
    QString path(const QString& name = "Batch7.hex1") const { return dir.filePath(name); }

    QByteArray bytes(const QString& file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void writeBytes(const QString& file, const QByteArray& content) const
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

    // A profile with the named parts, in order.
    QString profileOf(const QStringList& names) const
    {
        const QString file = path();
        pf::CreateProfile(file, part(names.front()));
        for (int n = 2; n <= names.size(); ++n)
            pf::StorePart(file, n, part(names[n - 1]));
        return file;
    }

    QStringList namesIn(const QString& file, int records) const
    {
        QStringList names;
        const QByteArray content = bytes(file);
        for (int n = 1; n <= records; ++n)
            names << DecodePartRecord(content.mid(pf::RecordOffset(n), PartRecord::Size)).name;
        return names;
    }

    QTemporaryDir dir;
};

TEST_F(ProfileFileTest, NewProfileIsTheOnePartFileByteForByte)
{
    pf::CreateProfile(path(), part("R1"));

    QByteArray record;
    record += shortText("R1", 10) + '\0';                                                     // 0: name, 11: unused
    record += QByteArray("\x05\x00\x00\x00", 4);                                              // 12: start position
    record += shortText("OFF", 5);                                                            // 16: primary tolerance
    record += QByteArray("\x02\x01", 2);                                                      // 22: kind C, unit nF
    record += shortText("100", 10);                                                           // 24: primary nominal
    record += shortText("10%", 5);                                                            // 35: secondary tolerance
    record += QByteArray("\x01\x00", 2);                                                      // 41: kind Q, no unit
    record += shortText("50", 10);                                                            // 43: secondary nominal
    record += QByteArray("\x01\x04\x01\x02\x01\x01\x00\x01\x01\x00\x02\x00\x00\x01\xAB", 15); // 54
    record += QByteArray(3, '\0');                                                            // 69: unused
    ASSERT_EQ(record.size(), 72);
    const QByteArray expected = QByteArray("\x01\x00\x00\x00", 4) + QByteArray(96, '\0') + record;

    EXPECT_EQ(bytes(path()), expected);
    EXPECT_EQ(bytes(path()).mid(100 + 16, 4), QByteArray("\x03OFF"));
    EXPECT_EQ(pf::LoadPart(path(), 1), part("R1"));
}

TEST_F(ProfileFileTest, TextsAreCutToTheirFieldsAndStoredInTheCodePage)
{
    PartRecord r = part("ABCDEFGHIJKLMN");
    r.primaryTolerance = "12,55%";
    pf::CreateProfile(path(), r);
    PartRecord back = pf::LoadPart(path(), 1);
    EXPECT_EQ(back.name, "ABCDEFGHIJ");
    EXPECT_EQ(back.primaryTolerance, "12,55");

    pf::StorePart(path(), 1, part("Резистор"));
    EXPECT_EQ(bytes(path()).mid(100, 9), QByteArray("\x08\xD0\xE5\xE7\xE8\xF1\xF2\xEE\xF0")); // Windows-1251
    EXPECT_EQ(pf::LoadPart(path(), 1).name, "Резистор");

    pf::StorePart(path(), 1, part("R漢1"));
    EXPECT_EQ(pf::LoadPart(path(), 1).name, "R?1");
}

TEST_F(ProfileFileTest, ForeignLengthByteStaysInsideItsField)
{
    pf::CreateProfile(path(), part("R1"));
    QByteArray content = bytes(path());
    content[100 + 16] = char(200); // primary tolerance claims 200 bytes
    writeBytes(path(), content);
    EXPECT_EQ(pf::LoadPart(path(), 1).primaryTolerance, QStringLiteral("OFF") + QString(2, QChar(0)));
}

TEST_F(ProfileFileTest, StoreReplacesOrAppendsButNeverLeavesAGap)
{
    const QString file = profileOf({"A", "B", "C"});
    EXPECT_EQ(pf::StorePart(file, 2, part("b")), 3);
    EXPECT_EQ(pf::StorePart(file, 4, part("D")), 4);
    const QByteArray before = bytes(file);
    EXPECT_THROW(pf::StorePart(file, 6, part("F")), FileError);
    EXPECT_THROW(pf::WritePartRecord(file, 6, part("F")), FileError);
    EXPECT_THROW(pf::StorePart(file, 0, part("Z")), FileError);
    EXPECT_EQ(bytes(file), before);
    EXPECT_EQ(namesIn(file, 4), (QStringList{"A", "b", "C", "D"}));
}

TEST_F(ProfileFileTest, InsertMovesLaterPartsUp)
{
    const QString file = profileOf({"A", "B", "C"});
    EXPECT_EQ(pf::InsertPart(file, 2, part("new")), 4);
    EXPECT_EQ(pf::ReadPartCount(file), 4);
    EXPECT_EQ(namesIn(file, 4), (QStringList{"A", "new", "B", "C"}));
    EXPECT_EQ(pf::InsertPart(file, 5, part("end")), 5);
    EXPECT_EQ(namesIn(file, 5).last(), "end");
    EXPECT_THROW(pf::InsertPart(file, 7, part("X")), FileError);
}

TEST_F(ProfileFileTest, DeleteMovesLaterPartsDownAndKeepsTheFileLength)
{
    const QString file = profileOf({"A", "B", "C"});
    const qint64 size = bytes(file).size();
    EXPECT_EQ(pf::DeletePart(file, 2), 2);
    EXPECT_EQ(bytes(file).size(), size);
    EXPECT_EQ(namesIn(file, 3), (QStringList{"A", "C", "C"}));
    EXPECT_EQ(pf::ReadPartCount(file), 2);
    EXPECT_THROW(pf::LoadPart(file, 3), FileError); // the stale copy is not a part
}

TEST_F(ProfileFileTest, DeletingFromAnEmptyProfileIsRefused)
{
    const QString file = profileOf({"A"});
    EXPECT_EQ(pf::DeletePart(file, 1), 0);
    EXPECT_THROW(pf::DeletePart(file, 1), FileError);
    EXPECT_EQ(pf::ReadPartCount(file), 0);
    EXPECT_EQ(pf::StorePart(file, 1, part("again")), 1);
}

TEST_F(ProfileFileTest, PartsOutsideTheFileAreRefusedWithAClearMessage)
{
    const QString file = profileOf({"A"});
    try {
        pf::LoadPart(file, 2);
        FAIL() << "part 2 was read";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains("Batch7.hex1")) << e.what();
        EXPECT_TRUE(e.message().contains("part 2")) << e.what();
    }
    EXPECT_THROW(pf::LoadPart(file, 0), FileError);
    EXPECT_THROW(pf::LoadPart(path("missing.hex1"), 1), FileError);
    EXPECT_FALSE(QFile::exists(path("missing.hex1")));
}

TEST_F(ProfileFileTest, TruncatedOrForeignFilesCountOnlyTheRecordsTheyHold)
{
    const QString file = profileOf({"A", "B"});
    QByteArray content = bytes(file);

    content[0] = 9; // claims nine parts, holds two
    writeBytes(file, content);
    EXPECT_EQ(pf::ReadPartCount(file), 2);
    EXPECT_EQ(pf::LoadPart(file, 2).name, "B");
    EXPECT_THROW(pf::LoadPart(file, 3), FileError);

    writeBytes(file, content.left(100 + 72 + 40)); // second record cut short
    EXPECT_EQ(pf::ReadPartCount(file), 1);
    EXPECT_THROW(pf::LoadPart(file, 2), FileError);

    writeBytes(file, QByteArray("\xFF\xFF\xFF\xFF", 4)); // negative count, no records
    EXPECT_EQ(pf::ReadPartCount(file), 0);
    writeBytes(file, QByteArray("\x01", 1));
    EXPECT_EQ(pf::ReadPartCount(file), 0);
    EXPECT_EQ(bytes(file), QByteArray("\x01", 1)); // reading rewrote nothing
}

TEST_F(ProfileFileTest, OpenCreatesAOnePartProfileOnlyWhereThereIsNone)
{
    const pf::OpenResult created = pf::OpenOrCreateProfile(path("new.hex1"), part("N"));
    EXPECT_TRUE(created.created);
    EXPECT_EQ(created.partCount, 1);
    EXPECT_EQ(bytes(path("new.hex1")).size(), 172);

    const QString file = profileOf({"A", "B", "C"});
    const pf::OpenResult opened = pf::OpenOrCreateProfile(file, part("N"));
    EXPECT_FALSE(opened.created);
    EXPECT_EQ(opened.partCount, 3);
    EXPECT_EQ(namesIn(file, 3), (QStringList{"A", "B", "C"}));
}

TEST_F(ProfileFileTest, CopyTakesTheWholeFileAndSurvivesCopyingOntoItself)
{
    const QString file = profileOf({"A", "B", "C"});
    pf::DeletePart(file, 1); // leaves a stale record behind the count
    const QByteArray original = bytes(file);

    writeBytes(path("copy.hex1"), QByteArray(1000, 'x'));
    pf::CopyProfile(file, path("copy.hex1"));
    EXPECT_EQ(bytes(path("copy.hex1")), original);

    pf::CopyProfile(file, file);
    EXPECT_EQ(bytes(file), original);
}

TEST(ProfileNames, ExtensionIsAlwaysAppendedAndTheTitleDropsIt)
{
    EXPECT_EQ(pf::PathForChosenName("C:/Work/Batch7"), "C:/Work/Batch7.hex1");
    EXPECT_EQ(pf::PathForChosenName("C:/Work/Batch7.hex1"), "C:/Work/Batch7.hex1.hex1");
    EXPECT_EQ(pf::ProfileTitle("C:/Work/Batch7.hex1"), " Batch7");
    EXPECT_EQ(pf::ProfileTitle("C:/Work/Batch7.hex1.hex1"), " Batch7.hex1");
}

} // namespace
