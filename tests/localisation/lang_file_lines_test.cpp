// From bytes to lines: byte-order marks, the code page, line ends and the two columns.
#include "localisation/lang_file_lines.h"
#include "lang_file_writer.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

using namespace localisation;
using namespace localisation::testing;

TEST(LanguageFileText, ByteOrderMarkPicksTheEncoding)
{
    const QString text = QStringLiteral("[LANGUAGE_FILE]\r\n0\t\"Английский ü\"");
    for (Encoding encoding : {Encoding::Utf8WithMark, Encoding::Utf16LE, Encoding::Utf16BE}) {
        EXPECT_EQ(decodeLanguageFileText(encodeLanguageFile(text, encoding)), text) << int(encoding);
    }
}

TEST(LanguageFileText, WithoutMarkTheCodePageIsUsed)
{
    const QString russian = QStringLiteral("0\t\"Английский\"");
    EXPECT_EQ(decodeLanguageFileText(toAnsi(russian)), russian);

    // UTF-8 without its mark is read byte by byte in the code page: right for ASCII,
    // wrong for everything else.
    const QByteArray utf8 = encodeLanguageFile(russian, Encoding::Utf8WithoutMark);
    EXPECT_NE(decodeLanguageFileText(utf8), russian);
    EXPECT_EQ(decodeLanguageFileText(utf8), fromAnsi(utf8));
    EXPECT_TRUE(decodeLanguageFileText(utf8).startsWith(QStringLiteral("0\t\"")));
}

TEST(LanguageFileText, NulEndsTheText)
{
    EXPECT_EQ(decodeLanguageFileText(QByteArray("abc\0def", 7)), QStringLiteral("abc"));
    const QByteArray utf16 =
        encodeLanguageFile(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd"), Encoding::Utf16LE);
    EXPECT_EQ(decodeLanguageFileText(utf16), QStringLiteral("ab"));
}

TEST(LanguageFileLines, EveryKindOfLineEndEndsALine)
{
    const struct {
        const char* text;
        QStringList lines;
    } cases[] = {
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},                   // a closing break adds no line
        {"a\r\nb\r\n\r\n", {"a", "b", ""}}, // an empty line before the last break counts
        {"a\n\rb", {"a", "", "b"}},         // LF CR is two breaks
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitLanguageFileLines(QString::fromUtf8(c.text)), c.lines) << c.text;
}

TEST(LangFileLine, SplitsAtTheFirstTabAndReadsTheNumber)
{
    const LangFileLine entry = LangFileLine::split(QStringLiteral("033\t\"a\tb\""));
    EXPECT_EQ(entry.numberColumn, QStringLiteral("033"));
    EXPECT_EQ(entry.value, QStringLiteral("\"a\tb\""));
    EXPECT_EQ(entry.number(), 33);

    const LangFileLine noTab = LangFileLine::split(QStringLiteral("%LEXICON_STRINGS"));
    EXPECT_TRUE(noTab.numberColumn.isEmpty());
    EXPECT_TRUE(noTab.value.isEmpty());

    const struct {
        const char* column;
        std::optional<qint64> number;
    } cases[] = {{"0", 0},
                 {"-5", -5},
                 {"+7", 7},
                 {"", std::nullopt},
                 {"-", std::nullopt},
                 {"1a", std::nullopt},
                 {" 1", std::nullopt},
                 {"99999999999999999999", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ((LangFileLine{QString::fromUtf8(c.column), {}}.number()), c.number) << c.column;
}
