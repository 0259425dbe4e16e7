// The recorder's command line: what each option asks for, and every mistake answered with
// the usage exit code and words that name the option.
#include "record/record_error.h"
#include "record/record_options.h"
#include "qt_printers.h"
#include "rlc_version.h"

#include <gtest/gtest.h>

#include <functional>

using namespace std::chrono_literals;

namespace {

using record::CommandLineAnswer;
using record::RecordOptions;

std::variant<RecordOptions, CommandLineAnswer> read(const QStringList& options)
{
    return record::ReadRecordOptions(QStringList{QStringLiteral("/usr/bin/rlc-record")} + options);
}

struct OptionsCase {
    const char* name;
    QStringList arguments;
    std::function<void(RecordOptions&)> expected; // applied to the defaults
};

class RecordOptionsRead : public testing::TestWithParam<OptionsCase> {};

TEST_P(RecordOptionsRead, AsTheOptionsSay)
{
    const auto result = read(GetParam().arguments);
    ASSERT_TRUE(std::holds_alternative<RecordOptions>(result))
        << std::get<CommandLineAnswer>(result).text.toStdString();
    const RecordOptions& options = std::get<RecordOptions>(result);
    RecordOptions expected;
    GetParam().expected(expected);
    EXPECT_EQ(options.port, expected.port);
    EXPECT_EQ(options.profilePath, expected.profilePath);
    EXPECT_EQ(options.partNumber, expected.partNumber);
    EXPECT_EQ(options.intervalItem, expected.intervalItem);
    EXPECT_EQ(options.count, expected.count);
    EXPECT_EQ(options.duration, expected.duration);
    EXPECT_EQ(options.linkTimeout, expected.linkTimeout);
    EXPECT_EQ(options.csvPath, expected.csvPath);
    EXPECT_EQ(options.jsonLines, expected.jsonLines);
    EXPECT_EQ(options.xlsxPath, expected.xlsxPath);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordOptionsRead,
    testing::Values(
        OptionsCase{"NothingGivenRecordsCsvToStandardOutputForEver", {}, [](RecordOptions&) {}},
        OptionsCase{"PartOfAProfile",
                    {"--profile", "/p/parts.hex1", "--part", "3"},
                    [](RecordOptions& o) {
                        o.profilePath = "/p/parts.hex1";
                        o.partNumber = 3;
                    }},
        OptionsCase{"IntervalsAreTheBoxItems", {"--interval", "0.5"}, [](RecordOptions& o) { o.intervalItem = 0; }},
        OptionsCase{"TwoSecondInterval", {"--interval", "2"}, [](RecordOptions& o) { o.intervalItem = 2; }},
        OptionsCase{"ShortOptions",
                    {"-p", "/dev/ttyACM0", "-n", "25", "-d", "15m"},
                    [](RecordOptions& o) {
                        o.port = "/dev/ttyACM0";
                        o.count = 25;
                        o.duration = 15min;
                    }},
        OptionsCase{"Outputs",
                    {"--csv", "a.csv", "--jsonl", "--xlsx", "b.xlsx"},
                    [](RecordOptions& o) {
                        o.csvPath = "a.csv";
                        o.jsonLines = true;
                        o.xlsxPath = "b.xlsx";
                    }},
        OptionsCase{
            "LinkTimeoutZeroWaitsForEver", {"--link-timeout", "0"}, [](RecordOptions& o) { o.linkTimeout = 0s; }},
        OptionsCase{"LongestLinkTimeoutTheTimerKeeps",
                    {"--link-timeout", "2147483"},
                    [](RecordOptions& o) { o.linkTimeout = 2147483s; }}),
    [](const testing::TestParamInfo<OptionsCase>& test) { return std::string(test.param.name); });

struct MistakeCase {
    const char* name;
    QStringList arguments;
    const char* named; // the words that tell the user what to change
};

class RecordOptionsMistake : public testing::TestWithParam<MistakeCase> {};

TEST_P(RecordOptionsMistake, IsAUsageErrorThatNamesIt)
{
    const auto result = read(GetParam().arguments);
    ASSERT_TRUE(std::holds_alternative<CommandLineAnswer>(result));
    const CommandLineAnswer& answer = std::get<CommandLineAnswer>(result);
    EXPECT_EQ(answer.exitCode, record::UsageError);
    EXPECT_TRUE(answer.text.startsWith(QStringLiteral("rlc-record: "))) << answer.text.toStdString();
    EXPECT_TRUE(answer.text.contains(QString::fromUtf8(GetParam().named))) << answer.text.toStdString();
    EXPECT_TRUE(answer.text.contains(QStringLiteral("--help"))) << "where to read more";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordOptionsMistake,
    testing::Values(MistakeCase{"UnknownOption", {"--colour"}, "colour"}, MistakeCase{"MissingValue", {"--csv"}, "csv"},
                    MistakeCase{"StrayArgument", {"readings.csv"}, "readings.csv"},
                    MistakeCase{"IntervalNotOfTheMeter", {"--interval", "3"}, "0.5, 1 or 2"},
                    MistakeCase{"CountOfNothing", {"--count", "0"}, "--count"},
                    MistakeCase{"CountNotANumber", {"--count", "ten"}, "'ten'"},
                    MistakeCase{"DurationWithoutMeaning", {"--duration", "soon"}, "--duration"},
                    MistakeCase{"NegativeLinkTimeout", {"--link-timeout", "-5"}, "--link-timeout"},
                    MistakeCase{"ProfileWithoutPart", {"--profile", "parts.hex1"}, "--part"},
                    MistakeCase{"PartWithoutProfile", {"--part", "2"}, "--profile"},
                    MistakeCase{"PartNumberZero", {"--profile", "parts.hex1", "--part", "0"}, "'0'"},
                    // Longer than the recorder's timers keep: they would fire at once or never.
                    MistakeCase{"DurationBeyondTheTimer", {"--duration", "597h"}, "up to 596h"},
                    MistakeCase{"LinkTimeoutBeyondTheTimer", {"--link-timeout", "2147484"}, "up to 2147483"},
                    // An empty name, as an unset variable in a script gives it, names nothing.
                    MistakeCase{"EmptyPort", {"-p", ""}, "--port takes a serial port"},
                    MistakeCase{"EmptyProfile", {"--profile", "", "--part", "1"}, "--profile takes a file name"},
                    MistakeCase{"EmptyCsvFile", {"--csv="}, "--csv takes a file name"},
                    MistakeCase{"EmptyWorkbook", {"--xlsx", ""}, "--xlsx takes a file name"}),
    [](const testing::TestParamInfo<MistakeCase>& test) { return std::string(test.param.name); });

TEST(RecordOptionsAnswer, HelpListsOptionsExitCodesAndEnvironment)
{
    const auto result = read({QStringLiteral("--help")});
    ASSERT_TRUE(std::holds_alternative<CommandLineAnswer>(result));
    const CommandLineAnswer& help = std::get<CommandLineAnswer>(result);
    EXPECT_EQ(help.exitCode, record::Done);
    EXPECT_TRUE(help.text.startsWith(QStringLiteral("Usage: rlc-record [options]\n"))) << help.text.toStdString();
    for (const char* word : {"--profile", "--part", "--interval", "--count", "--duration", "--csv", "--jsonl", "--xlsx",
                             "--port", "Exit codes", "RLC_DONGLE_PORT", "XDG_DATA_HOME"})
        EXPECT_TRUE(help.text.contains(QLatin1String(word))) << word;
}

TEST(RecordOptionsAnswer, VersionIsTheProjects)
{
    const auto result = read({QStringLiteral("--version")});
    ASSERT_TRUE(std::holds_alternative<CommandLineAnswer>(result));
    EXPECT_EQ(std::get<CommandLineAnswer>(result).exitCode, record::Done);
    EXPECT_EQ(std::get<CommandLineAnswer>(result).text, QStringLiteral("rlc-record " RLC_VERSION "\n"));
}

struct DurationCase {
    const char* text;
    std::optional<std::chrono::milliseconds> length;
};

class DurationText : public testing::TestWithParam<DurationCase> {};

TEST_P(DurationText, ReadsAsTheLengthItSays)
{
    EXPECT_EQ(record::ParseDuration(QString::fromLatin1(GetParam().text)), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(Cases, DurationText,
                         testing::Values(DurationCase{"90", 90s}, DurationCase{"90s", 90s}, DurationCase{"15m", 15min},
                                         DurationCase{"2h", 2h}, DurationCase{"1.5h", 90min},
                                         DurationCase{"0.5", 500ms}, DurationCase{" 3m ", 3min},
                                         DurationCase{"33333.001s", 33333001ms}, DurationCase{"0.0004", std::nullopt},
                                         DurationCase{"0", std::nullopt}, DurationCase{"-5s", std::nullopt},
                                         DurationCase{"5 s", std::nullopt}, DurationCase{"5d", std::nullopt},
                                         DurationCase{"m", std::nullopt}, DurationCase{"", std::nullopt},
                                         DurationCase{"596h", 596h}, DurationCase{"597h", std::nullopt},
                                         DurationCase{"99999999999999999999", std::nullopt}));

} // namespace
