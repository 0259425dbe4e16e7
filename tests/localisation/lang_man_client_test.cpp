// The client over a small window named "Form1": which texts it records and how every
// switch rewrites them.
#include "ui/localisation/lang_combo.h"
#include "lang_file_writer.h"
#include "ui/localisation/lang_man_client.h"
#include "localisation/lang_man_engine.h"
#include "qt_printers.h"
#include "localisation/rlc_language_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

using namespace localisation;
using namespace localisation::testing;

namespace {

template <typename W> W* named(QWidget* parent, const char* name)
{
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

// A window built like the logger's: texts set in code, some widgets inside unnamed frames.
struct FixtureWindow {
    FixtureWindow()
    {
        window.setObjectName(QStringLiteral("Form1"));
        window.setWindowTitle(QStringLiteral("Регистратор"));
        window.setToolTip(QStringLiteral("Окно"));

        frequency = named<QLabel>(&window, "Label1");
        frequency->setText(QStringLiteral("Частота"));
        ownName = named<QLabel>(&window, "Label2");
        ownName->setText(QStringLiteral("Label2"));
        digits = named<QLabel>(&window, "Label3");
        digits->setText(QStringLiteral("0,2%"));
        noHints = named<QLabel>(&window, "Label4");
        noHints->setText(QStringLiteral("Уровень"));
        noHints->setToolTip(QStringLiteral("Подсказка"));
        noHints->setProperty("tag", -798);
        skipped = named<QLabel>(&window, "Label6");
        skipped->setText(QStringLiteral("Пропуск"));
        skipped->setProperty("tag", -799);

        auto* heading = new QFrame(&window); // unnamed container with an unnamed label
        headingText = new QLabel(QStringLiteral("Профиль"), heading);
        inFrame = named<QLabel>(heading, "Label5");
        inFrame->setText(QStringLiteral("Схема"));

        group = named<QGroupBox>(&window, "GroupBox1");
        group->setTitle(QStringLiteral("Эталон"));
        excel = named<QPushButton>(group, "Button4");
        excel->setText(QStringLiteral("В Excel"));
        excel->setToolTip(QStringLiteral("Экспорт"));
        autoConnect = named<QCheckBox>(&window, "CheckBox_connect_auto");
        autoConnect->setText(QStringLiteral("Автоподключение"));

        partName = named<QComboBox>(&window, "CBox6");
        partName->setEditable(true);
        partName->addItems({QStringLiteral("Резистор"), QStringLiteral("Конденсатор")});
        partName->setEditText(QStringLiteral("Деталь"));
        mode = named<QComboBox>(&window, "CBox10");
        mode->addItems({QStringLiteral("Одна деталь"), QStringLiteral("Много")});
        mode->setCurrentIndex(1);

        frequencies = named<QListWidget>(&window, "ListBox_freq_RLC");
        frequencies->addItems({QStringLiteral("100 Гц"), QStringLiteral("100"), QStringLiteral("1 кГц")});

        name = named<QLineEdit>(&window, "E1");
        name->setPlaceholderText(QStringLiteral("Введите имя"));
        memo = named<QPlainTextEdit>(&window, "Memo1");
        memo->setPlainText(QStringLiteral("Строка 1\n42\nСтрока 3"));
        spin = named<QSpinBox>(&window, "SE1");
        spin->setToolTip(QStringLiteral("Счётчик"));

        openDialog = named<QFileDialog>(&window, "OpenDialog1");
        openDialog->setWindowTitle(QStringLiteral("Открыть профиль"));
        openDialog->setNameFilters({QStringLiteral("Профили (*.hex1)"), QStringLiteral("*.txt")});

        langCombo = named<TLangCombo>(&window, "LangCombo1");
    }

    QWidget window;
    QLabel *frequency, *ownName, *digits, *noHints, *skipped, *headingText, *inFrame;
    QGroupBox* group;
    QPushButton* excel;
    QCheckBox* autoConnect;
    QComboBox *partName, *mode;
    QListWidget* frequencies;
    QLineEdit* name;
    QPlainTextEdit* memo;
    QSpinBox* spin;
    QFileDialog* openDialog;
    TLangCombo* langCombo;
};

QStringList englishFile()
{
    return {
        "[LANGUAGE_FILE]",
        "0\t%LANGUAGE_NAME=\"English\"\t%CODE=en;",
        "0\t\"Logger\"\t%COMPONENT=Form1;\t%OWNER=;",
        "1\t\"Window\"\t%COMPONENT=Form1;\t%OWNER=;",
        "0\t\"Frequency\"\t%COMPONENT=Label1;\t%OWNER=Form1;",
        "0\t\"Level\"\t%COMPONENT=Label4;\t%OWNER=Form1;",
        "1\t\"Hint\"\t%COMPONENT=Label4;\t%OWNER=Form1;",
        "0\t\"Skipped\"\t%COMPONENT=Label6;\t%OWNER=Form1;",
        "0\t\"Digits\"\t%COMPONENT=Label3;\t%OWNER=Form1;",
        "0\t\"Circuit\"\t%COMPONENT=Label5;\t%OWNER=Form1;",
        "0\t\"Reference\"\t%COMPONENT=GroupBox1;\t%OWNER=Form1;",
        "0\t\"To Excel\"\t%COMPONENT=Button4;\t%OWNER=Form1;",
        "1\t\"\"\t%COMPONENT=Button4;\t%OWNER=Form1;",
        "0\t\"Auto'#13#10'connect\"\t%COMPONENT=CheckBox_connect_auto;\t%OWNER=Form1;",
        "5\t\"Part\"\t%COMPONENT=CBox6;\t%OWNER=Form1;",
        "33\t\"Resistor\"\t%COMPONENT=CBox6;\t%OWNER=Form1;\t%ITEM=0;",
        "5\t\"Many\"\t%COMPONENT=CBox10;\t%OWNER=Form1;",
        "33\t\"Single part\"\t%COMPONENT=CBox10;\t%OWNER=Form1;\t%ITEM=0;",
        "33\t\"Many\"\t%COMPONENT=CBox10;\t%OWNER=Form1;\t%ITEM=1;",
        "33\t\"100 Hz\"\t%COMPONENT=ListBox_freq_RLC;\t%OWNER=Form1;\t%ITEM=0;",
        "33\t\"1 kHz\"\t%COMPONENT=ListBox_freq_RLC;\t%OWNER=Form1;\t%ITEM=02;",
        "2\t\"Enter a name\"\t%COMPONENT=E1;\t%OWNER=Form1;",
        "32\t\"Line 3\"\t%COMPONENT=Memo1;\t%OWNER=Form1;\t%ITEM=2;",
        "1\t\"Counter\"\t%COMPONENT=SE1;\t%OWNER=Form1;",
        "6\t\"Open profile\"\t%COMPONENT=OpenDialog1;\t%OWNER=Form1;",
        "96\t\"Profiles\"\t%COMPONENT=OpenDialog1;\t%OWNER=Form1;\t%ITEM=[*:hex1];",
        "33\t\"Klingon\"\t%COMPONENT=LangCombo1;\t%OWNER=Form1;\t%ITEM=0;",
        "0\t%LEXICON_STRINGS",
    };
}

// The window, its client and an engine over a folder holding englishFile().
struct TranslatedWindow {
    TranslatedWindow()
    {
        folder.write(QStringLiteral("eng.lng"), englishFile());
        configureRlcLanguageSettings(engine);
        engine.setExecutableDir(folder.exeDir());
        client.InitAfterCreateForm = true;
        fixture.langCombo->setLangManEngine(&engine);
    }
    LangFolder folder;
    FixtureWindow fixture;
    TLangManEngine engine;
    TLangManClient client{&fixture.window, &engine};
};

ComponentKey key(const char* component, quint16 id, const char* item = "", const char* owner = "Form1")
{
    return {QString::fromUtf8(component), QString::fromUtf8(owner), id, QString::fromUtf8(item)};
}

QStringList listTexts(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace

TEST(LangManClient, RecordsTheDesignTextsOfTheWindowAndItsNamedWidgets)
{
    TranslatedWindow t;
    t.client.runFormCreate([&] { t.fixture.frequency->setText(QStringLiteral("Частота, Гц")); });
    ASSERT_TRUE(t.client.collected());

    std::map<ComponentKey, QString> recorded;
    for (const auto& [k, entry] : t.client.DesignStruct()) {
        recorded[k] = entry.translation;
        EXPECT_EQ(entry.descent, kDescentNotLoaded);
    }
    const std::map<ComponentKey, QString> expected{
        {key("Form1", 0, "", ""), "Регистратор"},
        {key("Form1", 1, "", ""), "Окно"},
        {key("Label1", 0), "Частота, Гц"}, // set by the creation code before collecting
        {key("Label3", 0), "0,2%"},        // not recorded by the rules, taken when English translated it
        {key("Label4", 0), "Уровень"},
        {key("Label5", 0), "Схема"},
        {key("GroupBox1", 0), "Эталон"},
        {key("Button4", 0), "В Excel"},
        {key("Button4", 1), "Экспорт"},
        {key("CheckBox_connect_auto", 0), "Автоподключение"},
        {key("CBox6", 5), "Деталь"},
        {key("CBox6", 33, "0"), "Резистор"},
        {key("CBox6", 33, "1"), "Конденсатор"},
        {key("CBox10", 5), "Много"},
        {key("CBox10", 33, "0"), "Одна деталь"},
        {key("CBox10", 33, "1"), "Много"},
        {key("ListBox_freq_RLC", 33, "0"), "100 Гц"},
        {key("ListBox_freq_RLC", 33, "2"), "1 кГц"},
        {key("E1", 2), "Введите имя"},
        {key("Memo1", 32, "0"), "Строка 1"},
        {key("Memo1", 32, "2"), "Строка 3"},
        {key("OpenDialog1", 6), "Открыть профиль"},
        {key("OpenDialog1", 96, "[*:hex1]"), "Профили"},
        {key("LangCombo1", 5), "Русский"},
    };
    EXPECT_EQ(recorded, expected);
}

TEST(LangManClient, SwitchWritesTranslationsOrDesignTexts)
{
    TranslatedWindow t;
    auto& f = t.fixture;
    int clientEvents = 0;
    t.client.OnChangeLanguage = [&](TLangManComponent*) { ++clientEvents; };
    t.client.runFormCreate([] {});

    ASSERT_EQ(t.engine.CurrentLanguage(), QStringLiteral("English"));
    EXPECT_EQ(clientEvents, 1);
    EXPECT_EQ(t.client.LMComponentLanguage(), QStringLiteral("English"));
    EXPECT_EQ(f.window.windowTitle(), QStringLiteral("Logger"));
    EXPECT_EQ(f.window.toolTip(), QStringLiteral("Window"));
    EXPECT_EQ(f.frequency->text(), QStringLiteral("Frequency"));
    EXPECT_EQ(f.ownName->text(), QStringLiteral("Label2"));
    EXPECT_EQ(f.digits->text(), QStringLiteral("Digits")); // not recorded, but translated
    EXPECT_EQ(f.noHints->text(), QStringLiteral("Level"));
    EXPECT_EQ(f.noHints->toolTip(), QStringLiteral("Подсказка")); // tag -798: hints left out
    EXPECT_EQ(f.skipped->text(), QStringLiteral("Пропуск"));      // tag -799: left alone
    EXPECT_EQ(f.headingText->text(), QStringLiteral("Профиль"));  // unnamed
    EXPECT_EQ(f.inFrame->text(), QStringLiteral("Circuit"));
    EXPECT_EQ(f.group->title(), QStringLiteral("Reference"));
    EXPECT_EQ(f.excel->text(), QStringLiteral("To Excel"));
    EXPECT_EQ(f.excel->toolTip(), QStringLiteral("Экспорт")); // empty translation
    EXPECT_EQ(f.autoConnect->text(), QStringLiteral("Auto\r\nconnect"));
    EXPECT_EQ(f.partName->currentText(), QStringLiteral("Part"));
    EXPECT_EQ(f.partName->itemText(0), QStringLiteral("Resistor"));
    EXPECT_EQ(f.partName->itemText(1), QStringLiteral("Конденсатор"));
    EXPECT_EQ(f.mode->itemText(0), QStringLiteral("Single part"));
    // The list-only box's text was set while its items were still Russian: no item matched.
    EXPECT_EQ(f.mode->currentIndex(), -1);
    EXPECT_EQ(listTexts(f.frequencies), (QStringList{"100 Hz", "100", "1 кГц"})); // "02" is not line 2
    EXPECT_EQ(f.name->placeholderText(), QStringLiteral("Enter a name"));
    EXPECT_EQ(f.memo->toPlainText(), QStringLiteral("Строка 1\n42\nLine 3"));
    EXPECT_EQ(f.spin->toolTip(), QStringLiteral("Счётчик")); // spin boxes are skipped
    EXPECT_EQ(f.openDialog->windowTitle(), QStringLiteral("Open profile"));
    EXPECT_EQ(f.openDialog->nameFilters(), (QStringList{"Profiles (*.hex1)", "*.txt"}));
    EXPECT_EQ(f.langCombo->itemText(0), QStringLiteral("Русский")); // selector items never translated
    EXPECT_EQ(f.langCombo->currentIndex(), 1);
}

TEST(LangManClient, SwitchingBackRestoresDesignTextsEvenAfterTheCodeChangedThem)
{
    TranslatedWindow t;
    auto& f = t.fixture;
    t.client.runFormCreate([] {});
    f.frequency->setText(QStringLiteral("set by code"));
    f.memo->appendPlainText(QStringLiteral("Подключено"));

    t.engine.Translate(QStringLiteral("Русский"));
    EXPECT_EQ(f.window.windowTitle(), QStringLiteral("Регистратор"));
    EXPECT_EQ(f.frequency->text(), QStringLiteral("Частота"));
    EXPECT_EQ(f.excel->text(), QStringLiteral("В Excel"));
    EXPECT_EQ(f.digits->text(), QStringLiteral("0,2%")) << "a text the language translated comes back too";
    EXPECT_EQ(f.mode->itemText(0), QStringLiteral("Одна деталь"));
    EXPECT_EQ(f.partName->currentText(), QStringLiteral("Деталь"));
    EXPECT_EQ(f.memo->toPlainText(), QStringLiteral("Строка 1\n42\nСтрока 3\nПодключено")); // line 3 never recorded
    EXPECT_EQ(f.openDialog->nameFilters(), (QStringList{"Профили (*.hex1)", "*.txt"}));
    EXPECT_EQ(f.langCombo->currentIndex(), 0);
}

TEST(LangManClient, CreationHandlerRunsBeforeOrAfterTheEngineStarts)
{
    for (bool initAfterCreateForm : {true, false}) {
        TranslatedWindow t;
        t.client.InitAfterCreateForm = initAfterCreateForm;
        QString languageSeenByCreation;
        t.client.runFormCreate([&] {
            languageSeenByCreation = t.engine.CurrentLanguage();
            t.fixture.excel->setText(QStringLiteral("Экспорт в Excel"));
        });
        EXPECT_EQ(languageSeenByCreation, initAfterCreateForm ? QStringLiteral("Русский") : QStringLiteral("English"));
        // Collected after the creation code: its text is a design text and gets translated.
        // Collected before: the creation code's text stays as it was written.
        EXPECT_EQ(t.fixture.excel->text(),
                  initAfterCreateForm ? QStringLiteral("To Excel") : QStringLiteral("Экспорт в Excel"));
    }
}

TEST(LangManClient, CancelledSwitchLeavesTextsAndSelectorAsTheyWere)
{
    TranslatedWindow t;
    t.client.runFormCreate([] {});
    t.engine.OnChangeLangQuery = [](TLangManEngine*, bool& Continue) { Continue = false; };

    t.fixture.langCombo->setCurrentIndex(0);
    emit t.fixture.langCombo->activated(0); // as if the user had picked the design language
    EXPECT_EQ(t.engine.CurrentLanguage(), QStringLiteral("English"));
    EXPECT_EQ(t.fixture.frequency->text(), QStringLiteral("Frequency"));
    EXPECT_EQ(t.fixture.langCombo->currentIndex(), 1);
}

TEST(LangManClient, RuntimeWidgetsJoinOnlyFromInsideTheWindow)
{
    TranslatedWindow t;
    t.client.runFormCreate([] {});

    auto* late = new QLabel(QStringLiteral("Уровень"), &t.fixture.window);
    EXPECT_TRUE(t.client.AddComponent(late, QStringLiteral("Label1"), true));
    EXPECT_EQ(late->text(), QStringLiteral("Frequency")); // translated under its new name

    QLabel outsider(QStringLiteral("Чужой"));
    EXPECT_FALSE(t.client.AddComponent(&outsider, QStringLiteral("Label9"), true));
}

// A dialog or tool window built on first use, after the window switched to English, comes
// up in English, with its own named widgets; switching back gives it its design texts.
TEST(LangManClient, LatePartsComeUpInTheCurrentLanguageAndSwitchBack)
{
    TranslatedWindow t;
    t.client.runFormCreate([] {});

    auto* dialog = named<QFileDialog>(&t.fixture.window, "OpenDialog1"); // a window of its own
    dialog->setWindowTitle(QStringLiteral("Открыть профиль"));
    auto* tool = new QWidget(&t.fixture.window, Qt::Tool);
    tool->setObjectName(QStringLiteral("ToolWindow"));
    auto* group = named<QGroupBox>(tool, "GroupBox1");
    group->setTitle(QStringLiteral("Эталон"));
    auto* button = named<QPushButton>(group, "Button4");
    button->setText(QStringLiteral("В Excel"));
    for (QWidget* part : {static_cast<QWidget*>(dialog), tool})
        EXPECT_TRUE(t.client.AddLatePart(part));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Open profile"));
    EXPECT_EQ(group->title(), QStringLiteral("Reference"));
    EXPECT_EQ(button->text(), QStringLiteral("To Excel"));

    t.engine.Translate(QStringLiteral("Русский"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Открыть профиль"));
    EXPECT_EQ(button->text(), QStringLiteral("В Excel"));

    QWidget elsewhere;
    auto* outsider = named<QLabel>(&elsewhere, "Label1");
    EXPECT_FALSE(t.client.AddLatePart(outsider));
    EXPECT_FALSE(t.client.AddLatePart(&elsewhere));
    EXPECT_EQ(outsider->text(), QString());
}
