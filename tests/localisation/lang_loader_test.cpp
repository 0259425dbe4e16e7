// Loading one language: entries, lexicon items, superior languages and broken lines.
#include "lang_file_writer.h"
#include "localisation/lang_loader.h"
#include "localisation/lang_man_engine.h"
#include "localisation/text_escapes.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

using namespace localisation;
using namespace localisation::testing;

namespace {

// An engine only for its language list, which the loader reads.
struct LanguageListOf {
    explicit LanguageListOf(const QString& exeDir)
    {
        engine.setDesignLanguageName(QStringLiteral("Русский"));
        engine.setDesignLangISOCode(QStringLiteral("ru"));
        engine.setExecutableDir(exeDir);
        engine.setLangSubdirectory(QStringLiteral("lang"));
    }
    LoadedLanguage load(const QString& name, bool* ok = nullptr) const
    {
        LoadedLanguage state;
        const bool loaded =
            LanguageLoader(engine.languageList(), QStringLiteral("LANGUAGE_FILE"), QStringLiteral("LangMan"))
                .LoadLanguage(name, state);
        if (ok)
            *ok = loaded;
        return state;
    }
    TLangManEngine engine;
};

ComponentKey key(const char* component, quint16 id, const char* item = "", const char* owner = "Form1")
{
    return {QString::fromUtf8(component), QString::fromUtf8(owner), id, QString::fromUtf8(item)};
}

const TComponentEntry* entry(const LoadedLanguage& state, const ComponentKey& k)
{
    const auto it = state.DataStruct.find(k);
    return it == state.DataStruct.end() ? nullptr : &it->second;
}

QString item(const LoadedLanguage& state, const char* lexicon, quint16 number)
{
    const TIndexedItems* items = state.DataLexicon.find(QString::fromUtf8(lexicon));
    if (!items || !items->contains(number))
        return QStringLiteral("<none>");
    return DecodeCharCodes(items->at(number).text);
}

QStringList fileWithBody(const QStringList& body, const QString& header = QStringLiteral("%CODE=tt;"))
{
    return QStringList{QStringLiteral("[LANGUAGE_FILE]"), QStringLiteral("0\t%LANGUAGE_NAME=\"Test\"\t") + header}
    + body;
}

} // namespace

TEST(LoadLanguage, ReadsComponentEntriesOnTopOfTheSuperiorLanguage)
{
    const LanguageListOf list(fixturesExeDir());
    bool ok = false;
    const LoadedLanguage english = list.load(QStringLiteral("English"), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(english.current.name, QStringLiteral("English"));
    EXPECT_EQ(english.current.code, QStringLiteral("en"));
    EXPECT_EQ(english.superior.name, QStringLiteral("Basic English"));
    EXPECT_EQ(english.superior.code, QStringLiteral("eb"));

    const TComponentEntry* window = entry(english, key("Form1", 0, "", ""));
    ASSERT_TRUE(window);
    EXPECT_EQ(window->translation, QStringLiteral("RLC \"ZR48\" logger")); // inner quotes kept

    const TComponentEntry* start = entry(english, key("SP1", 0));
    ASSERT_TRUE(start);
    EXPECT_EQ(start->translation, QStringLiteral("Start")); // own text replaces the inherited one
    EXPECT_EQ(start->descent, kDescentLoaded);

    const TComponentEntry* notrans = entry(english, key("Label2", 0));
    ASSERT_TRUE(notrans);
    EXPECT_EQ(notrans->translation, QStringLiteral("Label two")); // "%NOTRANS" keeps the inherited text
    EXPECT_EQ(notrans->flags & TComponentEntry::HasOwnTranslation, 0);

    const TComponentEntry* empty = entry(english, key("Button4", 0));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->translation.isEmpty());

    const TComponentEntry* old = entry(english, key("SP1", 1));
    ASSERT_TRUE(old);
    EXPECT_EQ(old->translation, QStringLiteral("Tab'#9'inside")); // a raw TAB is stored escaped
    EXPECT_EQ(old->flags, TComponentEntry::HasOwnTranslation | TComponentEntry::Old);

    EXPECT_TRUE(entry(english, key("CBox10", 33, "0")));  // "033" is property 33
    EXPECT_TRUE(entry(english, key("CBox10", 33, "01"))); // the address stays text
    EXPECT_FALSE(entry(english, key("CBox10", 33, "1")));
    EXPECT_FALSE(entry(english, key("SP2", 0))); // negative property IDs are skipped
    EXPECT_EQ(english.DataStruct.size(), 7u);
}

TEST(LoadLanguage, ReadsLexiconItems)
{
    const LanguageListOf list(fixturesExeDir());
    const LoadedLanguage english = list.load(QStringLiteral("English"));
    const struct {
        const char* lexicon;
        quint16 number;
        const char* expected;
    } cases[] = {
        {"Form1.Dlang_connect", 0, "Connect"},
        {"Form1.Dlang_connect", 1, "Disconnect"},          // inherited
        {"Form1.Dlang_connect", 2, "Connecting again..."}, // the later line wins
        {"Form1.Dlang_connect", 3, "<none>"},              // empty texts are not stored
        {"Form1.Dlang_connect", 7, "<none>"},              // the item before any head
        {"FORM1.D1", 0, "Profile"},                        // lexicon names ignore letter case
        {"Form1.D1", 4, "File created!\r\n"},
        {"Form1.D1", 3, "it's"},
        {"Form1.D3", 0, "<none>"}, // after the smart strings
        {"LangMan", 0, "<none>"},  // English brings its own engine texts
    };
    for (const auto& c : cases)
        EXPECT_EQ(item(english, c.lexicon, c.number), QString::fromUtf8(c.expected)) << c.lexicon << c.number;
    EXPECT_EQ(english.DataLexicon.find(QStringLiteral("Form1.Dlang_connect"))->at(1).descent, 1);
}

TEST(LoadLanguage, ACircleOfSuperiorLanguagesIsBrokenByTheDesignLanguage)
{
    const LanguageListOf list(fixturesExeDir());
    bool ok = false;
    const LoadedLanguage basic = list.load(QStringLiteral("Basic English"), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(basic.superior.name, QStringLiteral("English"));
    EXPECT_EQ(entry(basic, key("SP1", 0))->translation, QStringLiteral("Basic start"));
    EXPECT_EQ(entry(basic, key("Button4", 0))->descent, 1); // from English, one level up
    EXPECT_EQ(item(basic, "Form1.Dlang_connect", 0), QStringLiteral("Basic connect"));
    EXPECT_EQ(item(basic, "LangMan", 0), QStringLiteral("basic engine text"));
}

TEST(LoadLanguage, TheDesignLanguageLoadsWithoutTextsAndUnknownNamesFail)
{
    const LanguageListOf list(fixturesExeDir());
    bool ok = false;
    const LoadedLanguage design = list.load(QStringLiteral("русский"), &ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(design.DataStruct.empty());
    EXPECT_EQ(design.current.name, QStringLiteral("Русский"));

    list.load(QStringLiteral("Klingon"), &ok);
    EXPECT_FALSE(ok);
}

TEST(LoadLanguage, BrokenFilesFailAndLeaveNothingLoaded)
{
    const struct {
        const char* what;
        QStringList lines;
    } cases[] = {
        {"empty lexicon name",
         fileWithBody({"0\t\"Start\"\t%COMPONENT=SP1;\t%OWNER=Form1;", "0\t%LEXICON_STRINGS", "0\t%LEXICON_NAME=;",
                       "0\t\"x\""})},
        {"signature changed since listing", {"[OTHER_FILE]", "0\t%LANGUAGE_NAME=\"Test\"", ""}},
    };
    for (const auto& c : cases) {
        LangFolder folder;
        folder.write(QStringLiteral("test.lng"), fileWithBody({QString()}));
        const LanguageListOf list(folder.exeDir());
        folder.write(QStringLiteral("test.lng"), c.lines);
        bool ok = true;
        const LoadedLanguage state = list.load(QStringLiteral("Test"), &ok);
        EXPECT_FALSE(ok) << c.what;
        EXPECT_TRUE(state.DataStruct.empty()) << c.what;
        EXPECT_TRUE(state.DataLexicon.isEmpty()) << c.what;
        EXPECT_EQ(state.current.name, QStringLiteral("Русский")) << c.what;
    }
}

// The list takes a signature line with a control character behind it; so must the loader,
// or the language is offered and then cannot be loaded.
TEST(LoadLanguage, ASignatureLineTheListTookLoads)
{
    LangFolder folder;
    QStringList lines = fileWithBody({"0\t\"Start\"\t%COMPONENT=SP1;\t%OWNER=Form1;"});
    lines[0] = QStringLiteral(" [LANGUAGE_FILE]\a");
    folder.write(QStringLiteral("test.lng"), lines);
    const LanguageListOf list(folder.exeDir());
    ASSERT_EQ(list.engine.languageList().indexOfName(QStringLiteral("Test")), 1);
    bool ok = false;
    const LoadedLanguage state = list.load(QStringLiteral("Test"), &ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(entry(state, key("SP1", 0)));
}

TEST(LoadLanguage, MarkersNeedTheirNumberColumn)
{
    LangFolder folder;
    folder.write(QStringLiteral("test.lng"),
                 fileWithBody({"0\t\"Start\"\t%COMPONENT=SP1;\t%OWNER=Form1;", "%LEXICON_STRINGS",
                               "0\t%LEXICON_NAME=Form1.D1;", "0\t\"Profile\"", "x\t\"Not a number\"\t%COMPONENT=SP3;",
                               "1\t\"Later entry\"\t%COMPONENT=SP2;\t%OWNER=Form1;"}));
    const LanguageListOf list(folder.exeDir());
    bool ok = false;
    const LoadedLanguage state = list.load(QStringLiteral("Test"), &ok);
    ASSERT_TRUE(ok);
    // Without "0" and TAB the marker is not seen: the items that follow are read as
    // component entries and dropped for lack of a component name.
    EXPECT_TRUE(state.DataLexicon.isEmpty());
    EXPECT_TRUE(entry(state, key("SP2", 1)));
    EXPECT_FALSE(entry(state, key("SP3", 0, "", "")));
    EXPECT_EQ(state.DataStruct.size(), 2u);
}

TEST(LoadLanguage, HeaderCodeRules)
{
    const struct {
        const char* header;
        const char* code;
    } cases[] = {{"%CODE=en", ""}, {"%CODE=RU;", "ru"}, {"%CODE=e1;", ""}};
    for (const auto& c : cases) {
        LangFolder folder;
        folder.write(QStringLiteral("test.lng"), fileWithBody({"0\t%LEXICON_STRINGS"}, QString::fromUtf8(c.header)));
        const LanguageListOf list(folder.exeDir());
        bool ok = false;
        EXPECT_EQ(list.load(QStringLiteral("Test"), &ok).current.code, QString::fromUtf8(c.code)) << c.header;
        EXPECT_TRUE(ok);
    }
}
