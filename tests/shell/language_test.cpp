// The switch from the Russian design texts to English in the middle of the window's
// creation, and what the window keeps around it.
#include "window_fixture.h"

#include "ui/panel/heading_panel.h"
#include "localisation/lang_man_engine.h"
#include "localisation/main_lexicons.h"
#include "recording/measurement_log_model.h"
#include "ui/trend/trend_chart_window.h"

#include <QAbstractAxis>
#include <QAbstractButton>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>

namespace {

bool hasCyrillic(const QString& text)
{
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return text.contains(cyrillic);
}

// Every text a user can see in the window: captions, edits, combo texts and lines, list
// lines, table titles and cells, the status log. The trend window's title, the status log
// and the table come through the test's accessors.
QStringList visibleTexts(const QWidget& window, const WindowTest& test)
{
    QStringList texts{window.windowTitle(), test.trendWindow()->windowTitle(), test.memo()};
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            texts << edit->text();
        else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            texts << combo->currentText();
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        }
    }
    for (QListWidget* list : window.findChildren<QListWidget*>())
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
    for (QChartView* chartView : window.findChildren<QChartView*>())
        for (const QAbstractAxis* axis : chartView->chart()->axes())
            texts << axis->titleText();
    const recording::MeasurementLogModel& log = test.log();
    for (int column = 0; column < 10; ++column)
        texts << log.headerText(column);
    for (int row = 1; row < log.gridRowCount(); ++row)
        for (int column = 0; column < 10; ++column)
            texts << log.gridCell(row, column);
    return texts;
}

} // namespace

TEST_F(WindowTest, StartsInEnglishWithNoCyrillicAnywhereAndKeepsItsSelections)
{
    startWindow();
    connectByClick();
    click("SP1");
    ASSERT_TRUE(waitFor([&] { return logRow() >= 3; }));
    click("SP1");
    click("Button_Trend");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(trendWindow()));
    QTest::qWait(150); // the chart redraws at its own pace

    EXPECT_EQ(languageManager().CurrentLanguage(), QStringLiteral("English"));
    QStringList offending;
    for (const QString& text : visibleTexts(*form, *this))
        if (hasCyrillic(text))
            offending << text;
    EXPECT_TRUE(offending.isEmpty()) << offending.join(QStringLiteral(" | ")).toStdString();

    EXPECT_EQ(child<QComboBox>("CBox10")->currentIndex(), 0);
    EXPECT_EQ(child<QComboBox>("CB1")->currentIndex(), 1);
    EXPECT_EQ(child<panel::HeadingPanel>("JvP8")->caption(), QStringLiteral("Profile"));
    EXPECT_EQ(child<panel::HeadingPanel>("JvP1")->caption(), QStringLiteral("Reference data"));
    EXPECT_EQ(child<panel::HeadingPanel>("JvP11")->caption(), QStringLiteral("Data recording"));
    EXPECT_EQ(log().headerText(0), QStringLiteral("Position"));
    EXPECT_TRUE(labelText("L_prim_n").endsWith(QStringLiteral("Ω"))) << labelText("L_prim_n").toStdString();
}

TEST_F(WindowTest, WithoutAnEnglishFileTheWindowStaysRussianAfterTheQueryHandlerRan)
{
    QTemporaryDir noLanguages;
    form = std::make_unique<TForm1>();
    languageManager().setExecutableDir(noLanguages.path());
    child<QTimer>("T3")->setInterval(100);
    showWindow();

    EXPECT_EQ(child<QAbstractButton>("B2")->text(), QStringLiteral("Подключить"));
    EXPECT_EQ(child<QAbstractButton>("SP1")->text(), QStringLiteral("Пуск"));
    EXPECT_EQ(log().headerText(0), QStringLiteral("Позиция"));
    // The query handler ran: the selector's index went to the state file, "AT" to the
    // dongle and the dongle watch was started.
    const QByteArray state = stateFile();
    ASSERT_GE(state.size(), 204);
    EXPECT_EQ(state.mid(200, 4), QByteArray(4, '\0'));
    EXPECT_TRUE(waitFor([&] { return simulator->receivedAtTexts().contains("AT"); }));
    EXPECT_TRUE(child<QTimer>("T3")->isActive());
}

TEST_F(WindowTest, FirstLexiconLookupAlreadyReturnsEnglish)
{
    form = std::make_unique<TForm1>();
    EXPECT_EQ(lexicons().Dlang_connect.GetItem(localisation::ConnectCaption), QStringLiteral("Connect"));
    EXPECT_EQ(languageManager().CurrentLanguage(), QStringLiteral("English"));
}

// The file dialogs and the trend window are built when first asked for, long after the
// switch to English, and still come up in English like the rest of the window.
TEST_F(WindowTest, DialogsAndTheTrendWindowBuiltOnFirstUseComeUpInEnglish)
{
    startWindow();
    EXPECT_TRUE(form->findChildren<QFileDialog*>().isEmpty()) << "a dialog was built before anyone asked for it";
    EXPECT_TRUE(form->findChildren<trend::TrendChartWindow*>().isEmpty());

    QStringList dialogTitles;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            dialogTitles << dialog->windowTitle();
            dialog->reject();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->accept();
        }
    });
    answer.start(20);
    for (const char* button : {"SB2", "SB1", "Button4"})
        click(button);
    EXPECT_EQ(dialogTitles, (QStringList{"Open profile", "Save profile", "Save table"}));

    click("Button_Trend");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(trendWindow()));
    EXPECT_EQ(trendWindow()->windowTitle(), QStringLiteral("Trend"));
    EXPECT_EQ(child<QPushButton>("TrendSaveButton")->text(), QStringLiteral("Save PNG…"));
    EXPECT_EQ(labelText("TrendMeanCaption"), QStringLiteral("Mean"));
}
