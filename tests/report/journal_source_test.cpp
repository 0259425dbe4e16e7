// The lot read back from a recording journal: the hand-worked lot reproduced part by part,
// the bin table events, the filters, an older journal, and bad journals refused with the
// file, the line and the reason.
#include "hand_lot.h"
#include "report/journal_source.h"
#include "report/lot_json.h"
#include "report/report_error.h"

#include <QJsonArray>
#include <gtest/gtest.h>

namespace {

const QString kName = QStringLiteral("lot.csv");

QJsonObject partFigures(const report::Lot& lot, std::size_t part)
{
    return report::LotJson(lot).value("parts").toArray().at(qsizetype(part)).toObject();
}

TEST(JournalSource, ReproducesTheHandWorkedLotPartByPart)
{
    const report::Lot lot = report::ReadJournalBytes(hand_lot::Journal(), kName);
    ASSERT_EQ(lot.parts().size(), 2u);
    EXPECT_EQ(lot.parts()[0].name(), "R1k");
    EXPECT_EQ(lot.parts()[0].number(), 1);
    EXPECT_EQ(lot.parts()[0].unit(), "\u03A9");
    EXPECT_EQ(lot.parts()[0].nominal(), 1000);
    hand_lot::ExpectResistorFigures(partFigures(lot, 0));
    EXPECT_EQ(partFigures(lot, 0).value("part").toString(), "R1k");
    EXPECT_EQ(partFigures(lot, 0).value("part_number").toInt(), 1);
    hand_lot::ExpectCapacitorFigures(partFigures(lot, 1));
    // The overload and the 1012 Ω reading are the rejects, listed in the order taken.
    const auto& rejects = lot.parts()[0].listedRejects();
    ASSERT_EQ(rejects.size(), 2u);
    EXPECT_EQ(rejects[0].number, 5);
    EXPECT_FALSE(rejects[0].value);
    EXPECT_EQ(rejects[1].value, 1012);
}

TEST(JournalSource, PutsTheBinTableOfTheEventInForceForItsPartAndTakesItAwayAgain)
{
    report::Lot lot = report::ReadJournalBytes(hand_lot::Journal(), kName);
    ASSERT_TRUE(lot.parts()[0].binTable());
    ASSERT_EQ(lot.parts()[0].binTable()->bins.size(), 2u);
    EXPECT_EQ(lot.parts()[0].binTable()->bins[1].high, 1);
    EXPECT_FALSE(lot.parts()[1].binTable());

    const QByteArray removed = hand_lot::Journal()
        + hand_lot::JournalEvent("2026-12-10T08:00:09.000Z", QStringLiteral("bin table\n"), 1, "R1k");
    EXPECT_FALSE(report::ReadJournalBytes(removed, kName).parts()[0].binTable());
}

TEST(JournalSource, KeepsThePartAndTheSpanOfTimeAskedFor)
{
    report::LotFilter onePart;
    onePart.partName = QStringLiteral("C100n");
    const report::Lot capacitors = report::ReadJournalBytes(hand_lot::Journal(), kName, onePart);
    ASSERT_EQ(capacitors.parts().size(), 1u);
    hand_lot::ExpectCapacitorFigures(report::LotJson(capacitors));

    // 08:00:02 to 08:00:04, both ends included: 1004 and 996 of R1k, 100 nF of C100n.
    report::LotFilter span;
    span.from = QDateTime::fromString(QStringLiteral("2026-12-10T08:00:02Z"), Qt::ISODate);
    span.to = QDateTime::fromString(QStringLiteral("2026-12-10T08:00:04Z"), Qt::ISODate);
    const report::Lot early = report::ReadJournalBytes(hand_lot::Journal(), kName, span);
    ASSERT_EQ(early.parts().size(), 2u);
    EXPECT_EQ(early.parts()[0].values(), (std::vector<double>{1004, 996}));
    EXPECT_EQ(early.parts()[1].values(), (std::vector<double>{100e-9}));
}

TEST(JournalSource, ReadsAJournalOfAnOlderProgramAsOnePartWithoutLimits)
{
    QStringList header = hand_lot::JournalHeader();
    header.resize(header.size() - 6);
    QByteArray journal = recording::CsvLine(header);
    for (const auto& row : hand_lot::Rows()) {
        QStringList fields = QString::fromUtf8(hand_lot::JournalRow(row)).trimmed().split(u',');
        fields.resize(header.size());
        journal += recording::CsvLine(fields);
    }
    const report::Lot lot = report::ReadJournalBytes(journal, kName);
    ASSERT_EQ(lot.parts().size(), 1u);
    const QJsonObject figures = report::LotJson(lot);
    EXPECT_EQ(figures.value("n").toInteger(), 7);
    EXPECT_TRUE(figures.value("lsl").isNull());
    EXPECT_EQ(figures.value("bins").toObject(), QJsonObject());
}

// Each bad journal is refused whole, naming the file, the line and what is wrong there.
TEST(JournalSource, RefusesABadJournalNamingTheFileTheLineAndTheReason)
{
    const QByteArray header = recording::CsvLine(hand_lot::JournalHeader());
    const QByteArray good = hand_lot::JournalRow(hand_lot::Rows()[0]);
    const auto replaced = [&good](const char* from, const char* to) { return QByteArray(good).replace(from, to); };
    const struct {
        const char* what;
        QByteArray journal;
        const char* expected;
    } cases[] = {
        {"empty", QByteArray(), "lot.csv: the file is empty"},
        {"no journal", "a,b,c\r\n1,2,3\r\n", "lot.csv, line 1: the first line names no column Timestamp"},
        {"a field short", header + good.left(good.lastIndexOf(',')) + "\r\n",
         "lot.csv, line 2: 27 fields where the first line names 28"},
        {"a value that is no number", header + good + replaced(",1000,\xCE\xA9", ",1e999,\xCE\xA9"),
         "lot.csv, line 3: primary_value holds '1e999', which is not a finite number"},
        {"a verdict unknown", header + replaced(",pass,", ",fine,"),
         "line 2: verdict holds 'fine', which is not a verdict"},
        {"a bin unknown", header + replaced(",1,1,R1k", ",10,1,R1k"), "line 2: bin holds '10', which is not a bin"},
        {"a time that is none", header + replaced("2026-12-10T08", "yesterday 08"),
         "line 2: Timestamp holds 'yesterday 08"},
        {"a unit unknown", header + replaced("\xCE\xA9", "V"), "line 2: primary_unit holds 'V'"},
        {"a quote left open", header + good + "\"open", "line 3: the quote opened in field 1 is never closed"},
        {"a bad bin table", header + hand_lot::JournalEvent("2026-12-10T08:00:00Z", "bin table\nnonsense", 1, "R1k"),
         "line 2: the bin table in the Event column cannot be read (line 1:"},
    };
    for (const auto& bad : cases) {
        try {
            report::ReadJournalBytes(bad.journal, kName);
            ADD_FAILURE() << bad.what << " was read";
        } catch (const report::ReportError& error) {
            EXPECT_EQ(error.code(), platform::UsageError) << bad.what;
            EXPECT_TRUE(error.message().contains(QLatin1String(bad.expected)))
                << bad.what << ": " << error.message().toStdString();
        }
    }
}

TEST(JournalSource, SaysWhenTheJournalCannotBeRead)
{
    try {
        report::ReadJournal(QStringLiteral("/nonexistent/lot.csv"));
        ADD_FAILURE() << "a missing journal was read";
    } catch (const report::ReportError& error) {
        EXPECT_EQ(error.code(), platform::UsageError);
        EXPECT_TRUE(error.message().startsWith(QLatin1String("cannot read the journal /nonexistent/lot.csv: ")))
            << error.message().toStdString();
    }
}

} // namespace
