#include "ui/recording/bench_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace recording {
namespace {

constexpr int kFieldWidth = 420;
// The tag by which the translating client leaves a widget's text alone: the fields hold the
// user's values, not texts of the program.
constexpr int kUntranslatedTag = -799;

QLineEdit* field(QFormLayout* form, const char* captionName, const char16_t* caption, const char* editName)
{
    auto* label = new QLabel(QString::fromUtf16(caption));
    label->setObjectName(captionName);
    auto* edit = new QLineEdit;
    edit->setObjectName(editName);
    edit->setMinimumWidth(kFieldWidth);
    edit->setProperty("tag", kUntranslatedTag);
    form->addRow(label, edit);
    return edit;
}

QPushButton* pushButton(const char* name, const char16_t* caption)
{
    auto* button = new QPushButton(QString::fromUtf16(caption));
    button->setObjectName(name);
    return button;
}

} // namespace

BenchDialog::BenchDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("BenchDialog");
    setWindowModality(Qt::WindowModal);
    auto* form = new QFormLayout;
    m_lot = field(form, "BenchLotCaption", u"Партия", "BenchLotEdit");
    m_station = field(form, "BenchStationCaption", u"Рабочее место", "BenchStationEdit");
    m_operator = field(form, "BenchOperatorCaption", u"Оператор", "BenchOperatorEdit");
    m_database = field(form, "BenchDatabaseCaption", u"База данных", "BenchDatabaseEdit");
    m_problem = new QLabel;
    m_problem->setObjectName("BenchProblem");
    m_problem->setProperty("tag", kUntranslatedTag);
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_problem->hide();

    QPushButton* ok = pushButton("BenchOkButton", u"ОК");
    ok->setDefault(true);
    QPushButton* cancel = pushButton("BenchCancelButton", u"Отмена");
    connect(ok, &QPushButton::clicked, this, &BenchDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addLayout(buttons);
}

void BenchDialog::offer(const store::BenchSettings& settings, const Defaults& defaults)
{
    m_lot->setText(settings.lot);
    m_station->setText(settings.station);
    m_station->setPlaceholderText(defaults.station);
    m_operator->setText(settings.operatorName);
    m_operator->setPlaceholderText(defaults.operatorName);
    m_database->setText(settings.database);
    m_database->setPlaceholderText(defaults.database);
    m_problem->hide();
    open();
    m_lot->setFocus();
}

void BenchDialog::confirm()
{
    const store::BenchSettings chosen{m_database->text().trimmed(), m_station->text().trimmed(),
                                      m_operator->text().trimmed(), m_lot->text().trimmed()};
    if (const QString problem = store::BenchSettingsProblem(chosen); !problem.isEmpty()) {
        m_problem->setText(problem);
        m_problem->show();
        return;
    }
    accept();
    emit settingsChosen(chosen);
}

} // namespace recording
