#pragma once
// A small lot worked out by hand, in the forms the report reads it: as a recording journal
// and as rows of the measurement database. Part 1 "R1k" (1 kΩ within ±1 %, so 990 to
// 1010 Ω, sorted by kBinTable: within ±0.3 % bin 1, within ±1 % bin 2) has five readings
// that count, an overload and a reject; part 2 "C100n" has two readings and no tolerance.
// The recorder's test takes R1k's readings from the simulated meter through the same table.
//
// R1k, counted in the order taken: 1000, 1004, 996, 1002, 1012 (the overload between 1002
// and 1012 is left out of everything, the moving ranges included):
//   n 5, mean 5014 / 5 = 1002.8, min 996, max 1012, range 16
//   squared distances 7.84 + 1.44 + 46.24 + 0.64 + 84.64 = 140.8:
//     σ = √(140.8 / 4) = √35.2, population σ = √(140.8 / 5) = √28.16
//   sorted 996 1000 1002 1004 1012: median 1002; p05 at rank 0.2: 996 + 0.2 × 4 = 996.8;
//     p95 at rank 3.8: 1004 + 0.8 × 8 = 1010.4
//   Pp = 20 / 6σ, Ppk = min(1010 − 1002.8, 1002.8 − 990) / 3σ = 7.2 / 3σ
//   moving ranges 4, 8, 6, 10: average 7, within σ = 7 / 1.128;
//     Cp = 20 / (6 × 7 / 1.128), Cpk = 7.2 / (3 × 7 / 1.128)
//   verdicts: pass 4, reject-primary 1; yield 0.8; bins 1: 2, 2: 2, OUT: 1
// C100n: 100 nF and 101 nF: n 2, mean 100.5 nF, σ = √(2 × 0.5²) nF, no limits, so no
//   index and no yield.
#include "recording/csv_format.h"
#include "recording/recording_journal.h"
#include "recording/row_numbers.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

namespace hand_lot {

struct Row {
    const char* takenAt;
    int partNumber;
    const char* partName;
    std::optional<double> value; // none: an overload
    const char* unit;
    const char* verdict;
    const char* bin;
    std::optional<double> nominal, lsl, usl;
};

inline const std::vector<Row>& Rows()
{
    static const std::vector<Row> rows{
        {"2026-12-10T08:00:01.000Z", 1, "R1k", 1000, "\u03A9", "pass", "1", 1000, 990, 1010},
        {"2026-12-10T08:00:02.000Z", 1, "R1k", 1004, "\u03A9", "pass", "2", 1000, 990, 1010},
        {"2026-12-10T08:00:03.000Z", 2, "C100n", 100e-9, "F", "", "", 100e-9, std::nullopt, std::nullopt},
        {"2026-12-10T08:00:04.000Z", 1, "R1k", 996, "\u03A9", "pass", "2", 1000, 990, 1010},
        {"2026-12-10T08:00:05.000Z", 1, "R1k", 1002, "\u03A9", "pass", "1", 1000, 990, 1010},
        {"2026-12-10T08:00:06.000Z", 1, "R1k", std::nullopt, "\u03A9", "reject-primary", "OUT", 1000, 990, 1010},
        {"2026-12-10T08:00:07.000Z", 2, "C100n", 101e-9, "F", "", "", 100e-9, std::nullopt, std::nullopt},
        {"2026-12-10T08:00:08.000Z", 1, "R1k", 1012, "\u03A9", "reject-primary", "OUT", 1000, 990, 1010},
    };
    return rows;
}

inline const QByteArray kBinTable = "bin,mode,low,high,secondary_low,secondary_high\r\n"
                                    "1,%,-0.3,0.3,,\r\n"
                                    "2,%,-1,1,,\r\n"
                                    "aux,off\r\n";

inline QString optionalText(const std::optional<double>& number)
{
    return number ? recording::NumberText(*number) : QString();
}

inline QStringList JournalHeader()
{
    QStringList header;
    for (int column = 1; column <= 10; ++column)
        header << QStringLiteral("Column %1").arg(column);
    header << QStringLiteral("Timestamp") << QStringLiteral("Verdict") << QStringLiteral("Event")
           << recording::NumericColumnNames() << recording::RecordingJournal::PartColumnNames();
    return header;
}

// A journal line: ten table cells, the time, the verdict code, the event, the numbers.
inline QByteArray JournalRow(const Row& row)
{
    QStringList fields;
    for (int column = 1; column <= 10; ++column)
        fields << QStringLiteral("shown");
    const QString verdict = QString::fromUtf8(row.verdict);
    fields << QString::fromUtf8(row.takenAt) << (verdict.isEmpty() ? QString() : QStringLiteral("0")) << QString()
           << optionalText(row.value) << QString::fromUtf8(row.unit) << QString() << QString() << QStringLiteral("1000")
           << QStringLiteral("1") << verdict << QString() << QString() << QString::fromUtf8(row.bin)
           << QString::number(row.partNumber) << QString::fromUtf8(row.partName) << optionalText(row.nominal)
           << optionalText(row.lsl) << optionalText(row.usl);
    return recording::CsvLine(fields);
}

inline QByteArray JournalEvent(const char* takenAt, const QString& event, int partNumber, const char* partName)
{
    QStringList fields;
    for (int column = 1; column <= 10; ++column)
        fields << QString();
    fields << QString::fromUtf8(takenAt) << QString() << event;
    for (int column = 0; column < recording::kNumericColumnCount; ++column)
        fields << QString();
    fields << QString::number(partNumber) << QString::fromUtf8(partName) << QString() << QString() << QString();
    return recording::CsvLine(fields);
}

// The journal as the recorder writes it: the header, R1k's bin table put in force, a link
// event in between, and the rows.
inline QByteArray Journal()
{
    QByteArray journal = recording::Utf8ByteOrderMark + recording::CsvLine(JournalHeader());
    journal += JournalEvent("2026-12-10T08:00:00.000Z", QStringLiteral("bin table\n") + QString::fromUtf8(kBinTable), 1,
                            "R1k");
    for (std::size_t index = 0; index < Rows().size(); ++index) {
        journal += JournalRow(Rows()[index]);
        if (index == 2)
            journal += JournalEvent("2026-12-10T08:00:03.500Z", QStringLiteral("link lost"), 1, "R1k");
    }
    return journal;
}

// The lot as rows of the measurement database, for SQLite and PostgreSQL alike, with a
// reading of another lot that the report must leave out.
inline QStringList DatabaseInserts()
{
    const auto literal = [](const QString& text) {
        return text.isEmpty() ? QStringLiteral("NULL") : u'\'' + text + u'\'';
    };
    const auto number = [](const std::optional<double>& value) {
        return value ? recording::NumberText(*value) : QStringLiteral("NULL");
    };
    QStringList inserts{
        QStringLiteral("INSERT INTO recordings (recording_id, station, operator, lot, started_at, software_version) "
                       "VALUES ('11111111-1111-1111-1111-111111111111', 'bench-3', 'ann', '24-117', "
                       "'2026-12-10T08:00:00.000Z', '1.5')"),
        QStringLiteral("INSERT INTO recordings (recording_id, station, operator, lot, started_at, software_version) "
                       "VALUES ('22222222-2222-2222-2222-222222222222', 'bench-4', 'bob', '24-118', "
                       "'2026-12-10T08:00:00.000Z', '1.5')"),
        QStringLiteral("INSERT INTO readings (reading_id, recording_id, position, taken_at, part_number, part_name, "
                       "primary_kind, primary_value, primary_overload, primary_unit) VALUES "
                       "('99999999-9999-9999-9999-999999999999', '22222222-2222-2222-2222-222222222222', 1, "
                       "'2026-12-10T08:00:01.000Z', 1, 'R1k', 'R', 5000, FALSE, '\u03A9')"),
    };
    int position = 0;
    for (const Row& row : Rows()) {
        ++position;
        inserts << QStringLiteral("INSERT INTO readings (reading_id, recording_id, position, taken_at, part_number, "
                                  "part_name, primary_kind, primary_value, primary_overload, primary_unit, verdict, "
                                  "bin, primary_nominal, primary_lsl, primary_usl) VALUES ('00000000-0000-0000-0000-"
                                  "%1', '11111111-1111-1111-1111-111111111111', %2, '%3', %4, '%5', '%6', %7, %8, "
                                  "'%9', %10, %11, %12, %13, %14)")
                       .arg(position, 12, 10, QLatin1Char('0'))
                       .arg(position)
                       .arg(QString::fromUtf8(row.takenAt))
                       .arg(row.partNumber)
                       .arg(QString::fromUtf8(row.partName),
                            QString::fromUtf8(row.unit) == u"F" ? QStringLiteral("C") : QStringLiteral("R"),
                            number(row.value.value_or(0)), row.value ? QStringLiteral("FALSE") : QStringLiteral("TRUE"),
                            QString::fromUtf8(row.unit), literal(QString::fromUtf8(row.verdict)),
                            literal(QString::fromUtf8(row.bin)), number(row.nominal), number(row.lsl))
                       .arg(number(row.usl));
    }
    return inserts;
}

inline void ExpectNear(const QJsonObject& figures, const char* key, double expected)
{
    ASSERT_TRUE(figures.value(QLatin1String(key)).isDouble()) << key;
    EXPECT_NEAR(figures.value(QLatin1String(key)).toDouble(), expected, std::abs(expected) * 1e-12 + 1e-300) << key;
}

// R1k's figures as worked out above.
inline void ExpectResistorFigures(const QJsonObject& figures)
{
    EXPECT_EQ(figures.value("n").toInteger(), 5);
    EXPECT_EQ(figures.value("overloads").toInteger(), 1);
    const double sigma = std::sqrt(35.2);
    const double within = 7 / 1.128;
    ExpectNear(figures, "mean", 1002.8);
    ExpectNear(figures, "min", 996);
    ExpectNear(figures, "max", 1012);
    ExpectNear(figures, "range", 16);
    ExpectNear(figures, "stdev", sigma);
    ExpectNear(figures, "stdev_population", std::sqrt(28.16));
    ExpectNear(figures, "median", 1002);
    ExpectNear(figures, "p05", 996.8);
    ExpectNear(figures, "p95", 1010.4);
    ExpectNear(figures, "lsl", 990);
    ExpectNear(figures, "usl", 1010);
    ExpectNear(figures, "pp", 20 / (6 * sigma));
    ExpectNear(figures, "ppk", 7.2 / (3 * sigma));
    ExpectNear(figures, "cp", 20 / (6 * within));
    ExpectNear(figures, "cpk", 7.2 / (3 * within));
    ExpectNear(figures, "yield", 0.8);
    EXPECT_EQ(figures.value("verdicts").toObject(), (QJsonObject{{"pass", 4}, {"reject-primary", 1}}));
    EXPECT_EQ(figures.value("bins").toObject(), (QJsonObject{{"1", 2}, {"2", 2}, {"OUT", 1}}));
}

inline void ExpectCapacitorFigures(const QJsonObject& figures)
{
    EXPECT_EQ(figures.value("n").toInteger(), 2);
    ExpectNear(figures, "mean", 100.5e-9);
    ExpectNear(figures, "stdev", std::sqrt(2 * 0.5e-9 * 0.5e-9));
    for (const char* undefined : {"lsl", "usl", "pp", "ppk", "cp", "cpk", "yield"})
        EXPECT_TRUE(figures.value(QLatin1String(undefined)).isNull()) << undefined;
    EXPECT_EQ(figures.value("bins").toObject(), QJsonObject());
}

} // namespace hand_lot
