// The recorder's standard error: lines that say what happened, and on a terminal one
// progress line rewritten in place, which a line never runs into.
#include "record/console.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

const QString kErase = QStringLiteral("\r\x1b[K");

// What the console wrote, read back from a file of its own.
class ConsoleTest : public testing::Test {
protected:
    QString written()
    {
        std::fflush(stream.get());
        std::rewind(stream.get());
        QByteArray bytes;
        for (int c = std::fgetc(stream.get()); c != EOF; c = std::fgetc(stream.get()))
            bytes.append(char(c));
        return QString::fromUtf8(bytes);
    }

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream{std::tmpfile(), &std::fclose};
};

TEST_F(ConsoleTest, OnATerminalLinesTakeThePlaceOfTheProgressWhichFollowsThem)
{
    ASSERT_TRUE(stream);
    record::Console console(stream.get(), QStringLiteral("rlc-record"), true);
    console.say(QStringLiteral("Connected"));
    console.showProgress(QStringLiteral("1 reading"));
    console.showProgress(QStringLiteral("2 readings"));
    console.say(QStringLiteral("Disconnected"));
    console.endProgress();
    console.say(QStringLiteral("done"));

    EXPECT_EQ(written(),
              QStringLiteral("rlc-record: Connected\n") + QStringLiteral("1 reading") + kErase
                  + QStringLiteral("2 readings") + kErase + QStringLiteral("rlc-record: Disconnected\n")
                  + QStringLiteral("2 readings\n") + QStringLiteral("rlc-record: done\n"));
}

// A log file or a pipe gets the lines alone, never the rewriting.
TEST_F(ConsoleTest, ElsewhereOnlyTheLines)
{
    ASSERT_TRUE(stream);
    record::Console console(stream.get(), QStringLiteral("rlc-record"), false);
    console.showProgress(QStringLiteral("1 reading"));
    console.say(QStringLiteral("Connected"));
    console.endProgress();
    EXPECT_EQ(written(), QStringLiteral("rlc-record: Connected\n"));
}

TEST(ProgressText, CountsReadingsAndRejectsAndShowsTheLastValue)
{
    EXPECT_EQ(record::ProgressText(1, 0, QStringLiteral("R 1.0050 kΩ")),
              QStringLiteral("1 reading, 0 rejects, last R 1.0050 kΩ"));
    EXPECT_EQ(record::ProgressText(12, 1, QStringLiteral("C 100.02 nF")),
              QStringLiteral("12 readings, 1 reject, last C 100.02 nF"));
}

} // namespace
