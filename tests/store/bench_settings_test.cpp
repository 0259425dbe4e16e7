// The bench settings file: what each line sets, what is refused line by line, and that what
// is written reads back the same and never holds a password.
#include "qt_printers.h"
#include "store/bench_settings.h"
#include "store/store_error.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using store::BenchSettings;

TEST(BenchSettings, EachLineSetsItsSettingOrIsRefusedByNumber)
{
    struct Case {
        const char* file;
        BenchSettings settings;
        QStringList problems;
    };
    const Case cases[] = {
        {"# comment\n\nstation = bench 7\noperator=ann\nlot=24-117\n",
         {{}, QStringLiteral("bench 7"), QStringLiteral("ann"), QStringLiteral("24-117")},
         {}},
        {"database=sqlite:///srv/rlc.sqlite\n", {QStringLiteral("sqlite:///srv/rlc.sqlite"), {}, {}, {}}, {}},
        {"lot=a=b\n", {{}, {}, {}, QStringLiteral("a=b")}, {}},
        {"colour=red\nlot 7\nlot=8\n",
         {{}, {}, {}, QStringLiteral("8")},
         {QStringLiteral("line 1: there is no setting 'colour'"),
          QStringLiteral("line 2: 'lot 7' is no setting=value")}},
        {"database=mysql://db\n",
         {},
         {QStringLiteral("line 1: a database is named sqlite:///path/file.sqlite or "
                         "postgresql://user@host:port/dbname, not 'mysql://db'")}},
        // A carriage return ends a line wherever it stands, so no value holds one.
        {"station=bench 7\r\nlot=24\r117\n",
         {{}, QStringLiteral("bench 7"), {}, QStringLiteral("24")},
         {QStringLiteral("line 3: '117' is no setting=value")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const store::BenchSettingsReading reading = store::ReadBenchSettings(QByteArray(c.file));
        EXPECT_EQ(reading.settings, c.settings);
        EXPECT_EQ(reading.problems, c.problems);
    }
}

TEST(BenchSettings, APasswordIsNeitherReadNorWritten)
{
    const store::BenchSettingsReading reading =
        store::ReadBenchSettings("database=postgresql://ann:s3cret@db/lab\nlot=1\n");
    EXPECT_TRUE(reading.settings.database.isEmpty());
    ASSERT_EQ(reading.problems.size(), 1);
    EXPECT_TRUE(reading.problems.first().contains(QStringLiteral(".pgpass")));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.conf"));
    const BenchSettings withPassword{QStringLiteral("postgresql:///lab?password=s3cret"), {}, {}, {}};
    EXPECT_THROW(store::SaveBenchSettings(path, withPassword), store::StoreError);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(BenchSettings, WhatIsSavedReadsBackTheSame)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("config/RLC_Data/bench.conf"));
    EXPECT_EQ(store::LoadBenchSettings(path).settings, BenchSettings{}) << "no file: the defaults";
    const BenchSettings saved{QStringLiteral("postgresql://ann@db.example:5433/lab"), QStringLiteral("bench 7"),
                              QStringLiteral("Анна"), QStringLiteral("24-117")};
    store::SaveBenchSettings(path, saved);
    const store::BenchSettingsReading reading = store::LoadBenchSettings(path);
    EXPECT_EQ(reading.settings, saved);
    EXPECT_TRUE(reading.problems.isEmpty()) << reading.problems.join(u'\n').toStdString();
}

} // namespace
