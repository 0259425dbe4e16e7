// The engine: settings, initialisation on first use, switching and who hears about it.
#include "lang_file_writer.h"
#include "localisation/lang_man_engine.h"
#include "localisation/main_lexicons.h"
#include "localisation/rlc_language_settings.h"

#include <QFile>
#include "qt_printers.h"

#include <gtest/gtest.h>

using namespace localisation;
using namespace localisation::testing;

namespace {

// The logger's engine over a folder of language files, with the seven lexicons bound and
// every event written down.
struct LoggerEngine {
    explicit LoggerEngine(const QString& exeDir = fixturesExeDir())
    {
        configureRlcLanguageSettings(engine);
        engine.setExecutableDir(exeDir);
        lexicons.bindTo(&engine);
        engine.OnChangeLangQuery = [this](TLangManEngine*, bool& Continue) {
            events << QStringLiteral("query");
            Continue = allowSwitch;
        };
        engine.OnChangeLanguage = [this](TLangManEngine* sender) {
            events << QStringLiteral("changed:") + sender->CurrentLanguage();
        };
    }
    TLangManEngine engine;
    MainLexicons lexicons;
    QStringList events;
    bool allowSwitch = true;
};

// A component that writes down what the engine asks of it.
class RecordingComponent final : public TLangManComponent {
public:
    RecordingComponent(QString name, QStringList& log) : m_name(std::move(name)), m_log(log) {}

protected:
    void init() override { m_log << m_name + QStringLiteral(".init"); }
    void applyLanguage() override { m_log << m_name + QStringLiteral(".apply"); }

private:
    QString m_name;
    QStringList& m_log;
};

} // namespace

TEST(LangManEngine, LoggerSettings)
{
    TLangManEngine engine;
    configureRlcLanguageSettings(engine);
    EXPECT_EQ(engine.DesignLangISOCode(), QStringLiteral("ru"));
    EXPECT_EQ(engine.DesignLanguageName(), QStringLiteral("Русский"));
    EXPECT_EQ(engine.DefaultLanguage(), QStringLiteral("English"));
    EXPECT_EQ(engine.LangFileExtension(), QStringLiteral(".lng"));
    EXPECT_EQ(engine.LangFileSignature(), QStringLiteral("LANGUAGE_FILE"));
    EXPECT_TRUE(engine.LangsDir().endsWith(QStringLiteral("/lang/")));
    EXPECT_EQ(engine.CurrentLanguage(), QStringLiteral("Русский"));
    EXPECT_EQ(engine.CurrentLanguageISO(), QStringLiteral("ru"));
    EXPECT_FALSE(engine.initialized());
}

TEST(LangManEngine, DesignLanguageSettingsFollowEachOther)
{
    TLangManEngine engine;
    EXPECT_EQ(engine.DefaultLanguage(), QStringLiteral("Design language"));
    engine.setDesignLangISOCode(QStringLiteral("ru - Russian"));
    EXPECT_EQ(engine.DesignLanguageName(), QStringLiteral("Russian")); // named by the code's text
    EXPECT_EQ(engine.DefaultLanguage(), QStringLiteral("Russian"));    // the default follows
    EXPECT_EQ(engine.CurrentLanguage(), QStringLiteral("Russian"));
    EXPECT_EQ(engine.languageList().LangCodes[0], QStringLiteral("ru"));

    engine.setDesignLanguageName(QStringLiteral("Русский"));
    engine.setDesignLangISOCode(QStringLiteral("uk - Ukrainian")); // an explicit name stays
    EXPECT_EQ(engine.DesignLanguageName(), QStringLiteral("Русский"));
    EXPECT_EQ(engine.CurrentLanguageISO(), QStringLiteral("uk"));

    engine.setDesignLanguageName(QString());
    EXPECT_EQ(engine.DesignLanguageName(), QStringLiteral("Design language"));
    engine.setLangFileExtension(QStringLiteral("txt"));
    EXPECT_EQ(engine.LangFileExtension(), QStringLiteral(".txt"));
}

TEST(LangManEngine, FirstLookupInitialisesAndAlreadyReturnsTheDefaultLanguage)
{
    LoggerEngine logger;
    EXPECT_EQ(logger.lexicons.Dlang_connect.GetItem(localisation::ConnectCaption), QStringLiteral("Connect"));
    EXPECT_TRUE(logger.engine.initialized());
    EXPECT_EQ(logger.engine.CurrentLanguage(), QStringLiteral("English"));
    EXPECT_EQ(logger.engine.CurrentLanguageISO(), QStringLiteral("en"));
    EXPECT_EQ(logger.events, (QStringList{"query", "changed:English"}));
    EXPECT_EQ(logger.lexicons.D1.LMComponentLanguage, QStringLiteral("English"));
}

TEST(LangManEngine, LexiconLookupsFallBackToDesignTexts)
{
    LoggerEngine logger;
    auto& l = logger.lexicons;
    const struct {
        TDesignedLexicon& lexicon;
        int index;
        QString expected;
    } cases[] = {
        {l.Dlang_connect, 1, QStringLiteral("Disconnect")},      // from the superior language
        {l.Dlang_connect, 3, QStringLiteral("Нет подключения")}, // empty translation
        {l.Dlang_connect, 5, QStringLiteral("Отключено")},       // not in the file
        {l.D1, 4, QStringLiteral("File created!\r\n")},
        {l.D2, 0, QString()}, // undefined, though the file has it
        {l.D2, 99, QString()},
        {l.D3, 0, QStringLiteral("п")}, // after the smart strings
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.lexicon.GetItem(c.index), c.expected) << c.lexicon.name().toStdString() << c.index;
}

TEST(LangManEngine, SwitchesByNameOrCodeAndBackToTheDesignLanguage)
{
    LoggerEngine logger;
    logger.engine.InitEngine(true);
    ASSERT_EQ(logger.engine.CurrentLanguage(), QStringLiteral("English"));

    EXPECT_EQ(logger.engine.Translate(QStringLiteral("RU")), QStringLiteral("Русский"));
    EXPECT_EQ(logger.lexicons.Dlang_connect.GetItem(localisation::ConnectCaption), QStringLiteral("Подключить"));
    EXPECT_EQ(logger.lexicons.D1.LMComponentLanguage, QStringLiteral("Русский"));

    EXPECT_EQ(logger.engine.Translate(QStringLiteral("en")), QStringLiteral("English"));
    EXPECT_EQ(logger.lexicons.Dlang_connect.GetItem(localisation::ConnectCaption), QStringLiteral("Connect"));

    // A name in other letter case finds the listed language and its texts.
    logger.engine.Translate(QStringLiteral("basic english"));
    EXPECT_EQ(logger.engine.CurrentLanguage(), QStringLiteral("Basic English"));
    EXPECT_EQ(logger.lexicons.Dlang_connect.GetItem(localisation::ConnectCaption), QStringLiteral("Basic connect"));

    logger.engine.setCurrentLanguage(QStringLiteral("eb")); // the current code: nothing happens
    logger.engine.setCurrentLanguage(QStringLiteral("English"));
    EXPECT_EQ(logger.engine.CurrentLanguage(), QStringLiteral("English"));
    EXPECT_EQ(logger.events.count(QStringLiteral("query")), 5);
}

TEST(LangManEngine, UnknownLanguageOrCancelledSwitchChangesNothing)
{
    LoggerEngine logger;
    logger.engine.InitEngine(true);
    logger.events.clear();

    EXPECT_EQ(logger.engine.Translate(QStringLiteral("Klingon")), QStringLiteral("English"));
    logger.allowSwitch = false;
    EXPECT_EQ(logger.engine.Translate(QStringLiteral("Русский")), QStringLiteral("English"));

    EXPECT_EQ(logger.events, (QStringList{"query", "query"}));
    EXPECT_EQ(logger.lexicons.Dlang_connect.GetItem(localisation::ConnectCaption), QStringLiteral("Connect"));
}

TEST(LangManEngine, DefaultLanguageNotListedKeepsTheDesignLanguageSilently)
{
    LangFolder emptyFolder;
    LoggerEngine logger(emptyFolder.exeDir());
    EXPECT_EQ(logger.lexicons.Dlang_connect.GetItem(localisation::ConnectCaption), QStringLiteral("Подключить"));
    EXPECT_TRUE(logger.engine.initialized());
    EXPECT_EQ(logger.engine.CurrentLanguage(), QStringLiteral("Русский"));
    EXPECT_EQ(logger.events, QStringList{"query"});
    EXPECT_EQ(logger.lexicons.Dlang_connect.LMComponentLanguage, QStringLiteral("Русский"));
}

TEST(LangManEngine, ListedFileThatCannotBeLoadedFallsBackToTheDesignLanguage)
{
    LangFolder folder;
    QFile::copy(fixturesExeDir() + QStringLiteral("/lang/english.lng"), folder.path(QStringLiteral("english.lng")));
    LoggerEngine logger(folder.exeDir());
    ASSERT_TRUE(logger.engine.LangExists(QStringLiteral("English")));
    QFile::remove(folder.path(QStringLiteral("english.lng")));

    EXPECT_EQ(logger.lexicons.Dlang_connect.GetItem(localisation::ConnectCaption), QStringLiteral("Подключить"));
    EXPECT_EQ(logger.engine.CurrentLanguage(), QStringLiteral("Русский"));
    EXPECT_EQ(logger.events, (QStringList{"query", "changed:Русский"}));
}

TEST(LangManEngine, ComponentsHearInTheOrderTheyWereBound)
{
    QStringList log;
    LoggerEngine logger;
    RecordingComponent first(QStringLiteral("first"), log);
    RecordingComponent second(QStringLiteral("second"), log);
    second.setLangManEngine(&logger.engine);
    first.setLangManEngine(&logger.engine);
    first.OnChangeLanguage = [&](TLangManComponent* sender) {
        log << "first.changed:" + sender->LMComponentLanguage();
    };

    logger.engine.InitEngine(true);
    EXPECT_EQ(log, (QStringList{"second.init", "first.init", "second.apply", "first.apply", "first.changed:English"}));
    EXPECT_EQ(logger.engine.SpanClients().size(), 10u); // the window's eight lexicons, then the two

    // Bound after the switch: the next initialisation call brings it up to date.
    log.clear();
    RecordingComponent late(QStringLiteral("late"), log);
    late.setLangManEngine(&logger.engine);
    logger.engine.InitEngine(true);
    EXPECT_EQ(log, (QStringList{"second.init", "first.init", "late.init", "late.apply"}));
    EXPECT_EQ(late.LMComponentLanguage(), QStringLiteral("English"));

    // Unbound components are not called any more.
    log.clear();
    second.setLangManEngine(nullptr);
    logger.engine.Translate(QStringLiteral("ru"));
    EXPECT_EQ(log, (QStringList{"first.apply", "first.changed:Русский", "late.apply"}));
}

TEST(LangManEngine, ChangingTheDefaultWhileShowingItSwitchesAtOnce)
{
    LoggerEngine logger;
    logger.engine.setDefaultLanguage(QStringLiteral("Basic English")); // not initialised: only stored
    EXPECT_EQ(logger.engine.CurrentLanguage(), QStringLiteral("Русский"));

    logger.engine.InitEngine(true);
    ASSERT_EQ(logger.engine.CurrentLanguage(), QStringLiteral("Basic English"));
    logger.engine.setDefaultLanguage(QStringLiteral("English"));
    EXPECT_EQ(logger.engine.CurrentLanguage(), QStringLiteral("English"));
}

TEST(LangManEngine, FirstActivationInitialisesOnce)
{
    LoggerEngine logger;
    logger.engine.ApplicationActivated();
    logger.engine.Translate(QStringLiteral("ru"));
    logger.engine.ApplicationActivated();
    EXPECT_EQ(logger.engine.CurrentLanguage(), QStringLiteral("Русский"));
    EXPECT_EQ(logger.events.count(QStringLiteral("query")), 2);
}

TEST(LangManEngine, DestroyedEngineUnbindsItsComponents)
{
    MainLexicons lexicons;
    QStringList log;
    RecordingComponent component(QStringLiteral("c"), log);
    {
        TLangManEngine engine;
        lexicons.bindTo(&engine);
        component.setLangManEngine(&engine);
    }
    EXPECT_EQ(lexicons.D1.langManEngine(), nullptr);
    EXPECT_EQ(component.langManEngine(), nullptr);
    EXPECT_EQ(lexicons.D1.GetItem(localisation::ProfileHeading), QStringLiteral("Профиль"));
}
