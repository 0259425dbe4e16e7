// The text functions every rule of the language files rests on.
#include "localisation/lang_text.h"
#include "localisation/text_escapes.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

using namespace localisation;

TEST(KeyValue, TakesTextUpToTheNextSemicolonAfterTheFirstOccurrence)
{
    const struct {
        const char* value;
        const char* key;
        const char* expected;
    } cases[] = {
        {"%COMPONENT=SP1;\t%OWNER=Form1;", "%OWNER=", "Form1"},
        {"%OWNER=;", "%OWNER=", ""},
        {"%CODE=en", "%CODE=", ""},                    // nothing closes it
        {"%CODE=en;%CODE=de;", "%CODE=", "en"},        // first occurrence
        {"%code=en;", "%CODE=", ""},                   // letter case counts
        {"\"a %ITEM=3; b\"\t%ITEM=5;", "%ITEM=", "3"}, // found anywhere in the value
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyValue(QString::fromUtf8(c.value), QString::fromUtf8(c.key)), QString::fromUtf8(c.expected))
            << c.value;
}

TEST(QuotedText, TakesTextBetweenFirstAndLastQuote)
{
    const struct {
        const char* value;
        const char* expected;
    } cases[] = {
        {R"("Start"	%COMPONENT=SP1;)", "Start"},
        {R"("Logger "ZR48" v1"	%COMPONENT=Form1;)", R"(Logger "ZR48" v1)"},
        {R"(""	%COMPONENT=X;)", ""},
        {R"("unclosed	%COMPONENT=X;)", ""},
        {"%NOTRANS", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuotedText(QString::fromUtf8(c.value)), QString::fromUtf8(c.expected)) << c.value;
}

TEST(NormalizeLangCode, KeepsTwoLowerCaseLettersOrNothing)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"EN", "en"},    {"en-GB", "en"}, {"ru - Russian", "ru"},
        {"  De ", "de"}, {"x", ""},       {"xx", ""},
        {"XX", ""},      {"e1", ""},      {"", ""},
        {"äb", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeLangCode(QString::fromUtf8(c.text)), QString::fromUtf8(c.expected)) << c.text;
}

TEST(DecodeCharCodes, TurnsEscapesBackAndLeavesMalformedOnesAlone)
{
    const struct {
        const char* escaped;
        const char* expected;
    } cases[] = {
        {"a'#13''#10'b", "a\r\nb"},
        {"a'#13#10b", "a\r\nb"},
        {"it's", "it's"},
        {"'#x", "'#x"},
        {"'#", "'#"},
        {"'", "'"},
        {"'#70000'#65'", "'#70000A"},    // too large stays; the next escape still decodes
        {"'#65#70000'#66'", "A#70000B"}, // too large inside a run ends the run
        {"' #9 'x", "\tx"},              // one blank before "#" and before the apostrophe
        {"'#65''s", "A's"},              // the closing apostrophe is taken only once
        {"'#1234567890123456789012'", "'#1234567890123456789012'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeCharCodes(QString::fromUtf8(c.escaped)), QString::fromUtf8(c.expected)) << c.escaped;
}

// "#" and digits behind a control character stay text: "\t#1" is a TAB, "#" and "1".
TEST(DecodeCharCodes, UndoesEncodeControlChars)
{
    const QString texts[] = {
        QStringLiteral("line 1\r\nline\t2 it's '#") + QChar(31),
        QStringLiteral("Item\t#1"),
        QStringLiteral("\r\n#10 and \x01##2"),
        QStringLiteral("\t#x #5"),
    };
    for (const QString& text : texts)
        EXPECT_EQ(DecodeCharCodes(EncodeControlChars(text)), text) << EncodeControlChars(text).toStdString();
}
