// The bin table file: the documented example reads and sorts as documented, what is written
// reads back the same, and bad input is refused with the line that is wrong.
#include "bin_printer.h"
#include "bins/bin_table_csv.h"
#include "qt_printers.h"
#include "recording/file_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace bins;

namespace {

// The example of the header comment and of README, as the writer writes it.
constexpr char kWorkedExample[] = "bin,mode,low,high,secondary_low,secondary_high\n"
                                  "1,%,-1,1,,0.01\n"
                                  "2,%,-2,2,,0.01\n"
                                  "3,%,-5,5,,0.02\n"
                                  "4,dev,5e-09,2e-08,,\n"
                                  "aux,on\n";

const BinTable kWorkedTable{{{1, RangeMode::Percent, -1, 1, std::nullopt, 0.01},
                             {2, RangeMode::Percent, -2, 2, std::nullopt, 0.01},
                             {3, RangeMode::Percent, -5, 5, std::nullopt, 0.02},
                             {4, RangeMode::Deviation, 5e-9, 2e-8, std::nullopt, std::nullopt}},
                            true};

recording::ReadingValues capacitor(double farad, double dissipation)
{
    recording::ReadingValues values;
    values.primaryKind = meter::PrimaryParameter::Capacitance;
    values.primary = recording::MeasuredValue{farad, false};
    values.secondaryKind = meter::SecondaryParameter::Dissipation;
    values.secondary = recording::MeasuredValue{dissipation, false};
    return values;
}

TEST(BinTableFile, WorkedExampleReadsAndSortsAsDocumented)
{
    const BinTableReading reading = ReadBinTable(kWorkedExample);
    ASSERT_TRUE(reading.table) << reading.problem.toStdString();
    EXPECT_EQ(*reading.table, kWorkedTable);
    EXPECT_EQ(BinTableBytes(kWorkedTable), QByteArray(kWorkedExample));

    const recording::PrimaryReferenceValue nominal{recording::ReferenceKind::Capacitance, 100e-9, {}};
    struct Documented {
        double farad, dissipation;
        Bin auxOn, auxOff;
    };
    const Documented documented[] = {
        {100.5e-9, 0.005, Bin{1}, Bin{1}}, {101.5e-9, 0.004, Bin{2}, Bin{2}},   {100.5e-9, 0.015, Bin::Aux, Bin::Out},
        {110e-9, 0.005, Bin{4}, Bin{4}},   {130e-9, 0.005, Bin::Out, Bin::Out},
    };
    BinTable auxOff = *reading.table;
    auxOff.aux = false;
    for (const Documented& d : documented) {
        SCOPED_TRACE(d.farad);
        EXPECT_EQ(SortReading(*reading.table, capacitor(d.farad, d.dissipation), nominal), d.auxOn);
        EXPECT_EQ(SortReading(auxOff, capacitor(d.farad, d.dissipation), nominal), d.auxOff);
    }
}

TEST(BinTableFile, WhatIsWrittenReadsBackTheSame)
{
    const BinTable tables[] = {
        kWorkedTable,
        {{{9, RangeMode::Absolute, 4.7e3 - 1.0 / 3, 4.7e3 + 0.1, -0.25, std::nullopt}}, false},
        {{{2, RangeMode::Deviation, -3.3e-12, -1e-300, 1e-3, 1e3},
          {5, RangeMode::Percent, 0.1 + 0.2, 7, std::nullopt, std::nullopt}},
         true},
    };
    for (const BinTable& table : tables) {
        ASSERT_EQ(BinTableProblem(table), QString());
        const QByteArray bytes = BinTableBytes(table);
        SCOPED_TRACE(bytes.toStdString());
        const BinTableReading reading = ReadBinTable(bytes);
        ASSERT_TRUE(reading.table) << reading.problem.toStdString();
        EXPECT_EQ(*reading.table, table);
        EXPECT_EQ(BinTableBytes(*reading.table), bytes);
    }
}

// What a spreadsheet or a hand may make of the file still reads.
TEST(BinTableFile, ReaderTakesWindowsLinesMarksSpacesAndAnyOrder)
{
    const BinTableReading reading = ReadBinTable("\xEF\xBB\xBF"
                                                 "bin, mode, low, high, secondary_low, secondary_high\r\n"
                                                 "\r\n"
                                                 " 3 , ABS , 4700 , 4750 , , \r\n"
                                                 "aux,ON\r\n"
                                                 "1,Dev,-10,+10,0.5,\r\n"
                                                 "\r\n");
    ASSERT_TRUE(reading.table) << reading.problem.toStdString();
    const BinTable expected{{{1, RangeMode::Deviation, -10, 10, 0.5, std::nullopt},
                             {3, RangeMode::Absolute, 4700, 4750, std::nullopt, std::nullopt}},
                            true};
    EXPECT_EQ(*reading.table, expected);
}

TEST(BinTableFile, BadInputIsRefusedNamingTheLine)
{
    const QByteArray header("bin,mode,low,high,secondary_low,secondary_high\n");
    struct Case {
        QByteArray bytes;
        const char* problem;
    };
    const Case cases[] = {
        {"", "the table is empty: it must begin with the header bin,mode,low,high,secondary_low,secondary_high"},
        {"\n\nbin,mode,low,high\n1,%,-1,1\naux,on\n",
         "line 3: the table must begin with the header bin,mode,low,high,secondary_low,secondary_high"},
        {header + "aux,on\n", "the table has no bin; give at least one line such as 1,%,-1,1,,"},
        {header + "1,%,-1,1,,\n", "the line \"aux,on\" or \"aux,off\" is missing"},
        {header + "1,%,-1,1,,\n\n1,abs,0,5,,\naux,on\n", "line 4: bin 1 was given on line 2 already"},
        {header + "aux,on\n1,%,-1,1,,\naux,off\n", "line 4: the AUX line was given on line 2 already"},
        {header + "aux,yes\n", "line 2: the AUX line is \"aux,on\" or \"aux,off\""},
        {header + "aux,on,off\n", "line 2: the AUX line is \"aux,on\" or \"aux,off\""},
        {header + "1,%,-1,1\naux,on\n",
         "line 2: a bin takes 6 fields (bin,mode,low,high,secondary_low,secondary_high), this line has 4"},
        {header + "one,%,-1,1,,\naux,on\n", "line 2: 'one' is neither a bin number nor \"aux\""},
        {header + "10,%,-1,1,,\naux,on\n", "line 2: bin 10 is not one of the bins 1 to 9"},
        {header + "0,%,-1,1,,\naux,on\n", "line 2: bin 0 is not one of the bins 1 to 9"},
        {header + "1,ppm,-1,1,,\naux,on\n", "line 2: the mode 'ppm' is none of %, dev and abs"},
        {header + "1,%,-1;5,1,,\naux,on\n",
         "line 2: the low limit '-1;5' is no number (write it with '.' as the decimal point)"},
        {header + "1,%,-1,,,\naux,on\n",
         "line 2: the high limit '' is no number (write it with '.' as the decimal point)"},
        {header + "1,%,-1,inf,,\naux,on\n",
         "line 2: the high limit 'inf' is no number (write it with '.' as the decimal point)"},
        {header + "1,%,-1,1,x,\naux,on\n",
         "line 2: the secondary low limit 'x' is no number (write it with '.' as the decimal point)"},
        {header + "1,%,-1,1,,nan\naux,on\n",
         "line 2: the secondary high limit 'nan' is no number (write it with '.' as the decimal point)"},
        {header + "1,%,5,-5,,\naux,on\n", "line 2: bin 1: the low limit 5 is above the high limit -5"},
        {header + "2,abs,1,2,0.5,0.25\naux,on\n",
         "line 2: bin 2: the secondary low limit 0.5 is above the secondary high limit 0.25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const BinTableReading reading = ReadBinTable(c.bytes);
        EXPECT_FALSE(reading.table);
        EXPECT_EQ(reading.problem, QString::fromUtf8(c.problem));
    }
}

TEST(BinTableFile, TablesThatCannotBeWrittenSayWhy)
{
    const BinRange good{1, RangeMode::Percent, -1, 1, std::nullopt, std::nullopt};
    const auto with = [&good](int number, double low, double high) {
        BinRange bin = good;
        bin.number = number;
        bin.low = low;
        bin.high = high;
        return bin;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        BinTable table;
        const char* problem;
    };
    const Case cases[] = {
        {{{}, true}, "the table has no bin"},
        {{{with(2, -1, 1), with(1, -2, 2)}, true},
         "the bins must be in ascending numbers, each number once; bin 1 follows bin 2"},
        {{{with(2, -1, 1), with(2, -2, 2)}, true},
         "the bins must be in ascending numbers, each number once; bin 2 follows bin 2"},
        {{{with(12, -1, 1)}, true}, "bin 12 is not one of the bins 1 to 9"},
        {{{with(1, 3, 1)}, true}, "bin 1: the low limit 3 is above the high limit 1"},
        {{{with(1, nan, 1)}, true}, "bin 1 has a limit that is no finite number"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BinTableProblem(c.table), QString::fromUtf8(c.problem));
}

TEST(BinTableFile, FilesSayWhichFileAndWhyTheyFailed)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("P.hex1.bins/R 4k7.csv"));
    SaveBinTable(path, kWorkedTable);
    EXPECT_EQ(LoadBinTable(path), kWorkedTable);

    const auto messageOf = [](const auto& operation) {
        try {
            operation();
        } catch (const recording::FileError& error) {
            return error.message();
        }
        return QString();
    };
    const QString missing = folder.filePath(QStringLiteral("none.csv"));
    EXPECT_EQ(messageOf([&] { LoadBinTable(missing); }),
              QStringLiteral("cannot read the bin table %1: No such file or directory").arg(missing));

    const QString bad = folder.filePath(QStringLiteral("bad.csv"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("bin,mode,low,high,secondary_low,secondary_high\n1,%,1,-1,,\naux,off\n");
    file.close();
    EXPECT_EQ(messageOf([&] { LoadBinTable(bad); }),
              QStringLiteral("cannot read the bin table %1: line 2: bin 1: the low limit 1 is above the high limit -1")
                  .arg(bad));

    const QString refused = folder.filePath(QStringLiteral("refused.csv"));
    EXPECT_EQ(messageOf([&] { SaveBinTable(refused, BinTable{}); }),
              QStringLiteral("cannot write the bin table %1: the table has no bin").arg(refused));
    EXPECT_FALSE(QFile::exists(refused));
}

} // namespace
