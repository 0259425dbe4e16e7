// Which files make the language list, what their headers say, and where the list is read from.
#include "lang_file_writer.h"
#include "localisation/lang_header.h"
#include "localisation/lang_list.h"
#include "localisation/lang_man_engine.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

using namespace localisation;
using namespace localisation::testing;

namespace {

QStringList headerFile(const QString& name, const QString& extra = QString())
{
    return {QStringLiteral("[LANGUAGE_FILE]"), QStringLiteral("0\t%LANGUAGE_NAME=\"%1\"\t%2").arg(name, extra),
            QStringLiteral("0\t%LEXICON_STRINGS")};
}

} // namespace

TEST(LangFileHeader, ReadsNameCodeAndFlagImage)
{
    const LangFileHeader header =
        readLangFileHeader(fixturesExeDir() + QStringLiteral("/lang/english.lng"), QStringLiteral("LANGUAGE_FILE"));
    EXPECT_EQ(header.ids.Name, QStringLiteral("English"));
    EXPECT_EQ(header.ids.Code, QStringLiteral("en"));
    // "424d0A0B" then "FFz0": pairs in either letter case, each line up to its first non-digit.
    EXPECT_EQ(header.flagImage, QByteArray("BM\x0A\x0B\xFF", 5));
}

TEST(LangFileHeader, CodeNeedsItsSemicolonAndIsNormalised)
{
    const auto codeOf = [](const QString& extra) {
        return parseLangFileHeader(headerFile(QStringLiteral("X"), extra), QStringLiteral("LANGUAGE_FILE")).ids.Code;
    };
    EXPECT_EQ(codeOf(QStringLiteral("%CODE=en")), QString());
    EXPECT_EQ(codeOf(QStringLiteral("%CODE=RU;")), QStringLiteral("ru"));
    EXPECT_EQ(codeOf(QStringLiteral("%CODE=xx;")), QString());
}

TEST(LangFileHeader, FlagLinesStopAtTheFirstNonDigitAndKeepAtMost256BytesPerLine)
{
    const QString longLine = QStringLiteral("0\t") + QString(600, u'A');
    const QByteArray image = parseFlagImage({longLine, QStringLiteral("1\t0102 03"), QStringLiteral("2\t123")});
    EXPECT_EQ(image.size(), 256 + 2 + 1);
    EXPECT_EQ(image.right(3), QByteArray("\x01\x02\x12", 3));
}

TEST(LanguageList, ListsOnlyReadableLanguageFilesAfterTheDesignLanguage)
{
    LangFolder folder;
    folder.write(QStringLiteral("a_two_lines.lng"), headerFile(QStringLiteral("Two lines")).mid(0, 2));
    folder.write(QStringLiteral("b_three_lines.lng"),
                 {QStringLiteral("[LANGUAGE_FILE]"), QStringLiteral("0\t%LANGUAGE_NAME=\"Three lines\""), QString()});
    folder.write(QStringLiteral("c_upper.LNG"), headerFile(QStringLiteral("Upper"), QStringLiteral("%CODE=UP;")));
    folder.write(QStringLiteral("d_other.txt"), headerFile(QStringLiteral("Other extension")));
    folder.write(QStringLiteral("e_signature.lng"),
                 QStringList{QStringLiteral("[LANGUAGE-FILE]")} + headerFile(QStringLiteral("Bad")).mid(1));
    folder.write(QStringLiteral("f_no_name.lng"), headerFile(QString()));
    folder.write(QStringLiteral("g_duplicate.lng"), headerFile(QStringLiteral("three LINES")));
    folder.write(QStringLiteral("h_design.lng"), headerFile(QStringLiteral("Русский")));
    folder.write(QStringLiteral("i_ansi.lng"), headerFile(QStringLiteral("Украинский")), Encoding::Ansi);
    folder.write(QStringLiteral("j_utf8_no_mark.lng"), headerFile(QStringLiteral("Белорусский")),
                 Encoding::Utf8WithoutMark);
    folder.write(QStringLiteral("k_be.lng"), headerFile(QStringLiteral("Big end")), Encoding::Utf16BE);
    writeBytes(folder.path(QStringLiteral("l_nul_after_two.lng")),
               QByteArray("[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=\"Cut\"\r\n") + QByteArray(1, '\0') + "\r\nmore\r\n");

    TLangManEngine engine;
    engine.setExecutableDir(folder.exeDir());
    engine.setDesignLanguageName(QStringLiteral("Русский"));
    engine.setDesignLangISOCode(QStringLiteral("ru - Russian"));
    engine.setLangSubdirectory(QStringLiteral("lang"));

    const QString mojibake = fromAnsi(QStringLiteral("Белорусский").toUtf8());
    const QStringList expectedNames{QStringLiteral("Русский"), QStringLiteral("Three lines"), QStringLiteral("Upper"),
                                    QStringLiteral("Русский"), QStringLiteral("Украинский"),  mojibake,
                                    QStringLiteral("Big end")};
    EXPECT_EQ(engine.languageList().Languages, expectedNames);
    EXPECT_EQ(engine.languageList().LangCodes[0], QStringLiteral("ru"));
    EXPECT_EQ(engine.languageList().LangCodes[2], QStringLiteral("up"));
    EXPECT_EQ(engine.languageList().FileNames[0], QStringLiteral("Русский"));
    EXPECT_EQ(engine.languageList().FileNames[1], folder.path(QStringLiteral("b_three_lines.lng")));
    EXPECT_EQ(engine.GetLanguageFile(QStringLiteral("UP")), folder.path(QStringLiteral("c_upper.LNG")));
    EXPECT_FALSE(engine.LangExists(QStringLiteral("Two lines")));
    EXPECT_TRUE(engine.LangExists(QStringLiteral("three lines")));
}

TEST(LanguageList, MissingFolderLeavesOnlyTheDesignLanguage)
{
    TLangManEngine engine;
    engine.setExecutableDir(QStringLiteral("/nonexistent/folder"));
    engine.setLangSubdirectory(QStringLiteral("lang"));
    EXPECT_EQ(engine.languageList().Languages, QStringList{QStringLiteral("Design language")});
}

TEST(LanguageDirectory, RelativeBelowTheExecutableAbsoluteAsItIs)
{
    const struct {
        const char* exeDir;
        const char* subdirectory;
        const char* expected;
    } cases[] = {
        {"/opt/rlc", "lang", "/opt/rlc/lang/"},
        {"/opt/rlc/", "lang/", "/opt/rlc/lang/"},
        {"/opt/rlc", "\\lang\\ru", "/opt/rlc/lang/ru/"},
        {"/opt/rlc", "", "/opt/rlc/"},
        {"/opt/rlc", "/usr/share/rlc", "/usr/share/rlc/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(languageDirectory(QString::fromUtf8(c.exeDir), QString::fromUtf8(c.subdirectory)),
                  QString::fromUtf8(c.expected))
            << c.subdirectory;
}
