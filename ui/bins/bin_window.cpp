#include "ui/bins/bin_window.h"

#include "bins/bin_table_csv.h"
#include "ui/bins/bin_table_model.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

namespace bins {
namespace {

// Every bin a reading can go to, in the order the counts are shown.
std::vector<Bin> everyBin()
{
    std::vector<Bin> all;
    for (int number = kFirstBinNumber; number <= kLastBinNumber; ++number)
        all.push_back(NumberedBin(number));
    all.push_back(Bin::Aux);
    all.push_back(Bin::Out);
    return all;
}

constexpr int kCountPointSize = 16;
constexpr int kEditorMinimumWidth = 520;
const QString kNoBin = QStringLiteral("–");

} // namespace

BinWindow::BinWindow(QWidget* parent) :
    QWidget(parent, Qt::Tool), m_model(new BinTableModel(this)), m_editorView(new QTableView), m_add(new QPushButton),
    m_remove(new QPushButton), m_aux(new QCheckBox), m_import(new QPushButton), m_export(new QPushButton),
    m_problem(new QLabel), m_lastCaption(new QLabel), m_lastBin(new QLabel(kNoBin)), m_reset(new QPushButton)
{
    setObjectName("BinWindow");
    buildEditor();
    buildShow();
    showTable(std::nullopt);
    resize(900, 480);
}

void BinWindow::buildEditor()
{
    m_editorView->setObjectName("BinTableEditor");
    m_editorView->setModel(m_model);
    m_editorView->verticalHeader()->hide();
    m_editorView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_editorView->setMinimumWidth(kEditorMinimumWidth);
    m_add->setObjectName("BinAddButton");
    m_remove->setObjectName("BinRemoveButton");
    m_aux->setObjectName("BinAuxCheck");
    m_import->setObjectName("BinImportButton");
    m_export->setObjectName("BinExportButton");
    m_problem->setObjectName("BinProblem");
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #c00000"));
    connect(m_model, &BinTableModel::edited, this, &BinWindow::edited);
    connect(m_add, &QPushButton::clicked, m_model, &BinTableModel::addBin);
    connect(m_remove, &QPushButton::clicked, this, [this] {
        m_model->removeBin(m_editorView->currentIndex().isValid() ? m_editorView->currentIndex().row()
                                                                  : m_model->rowCount() - 1);
    });
    connect(m_aux, &QCheckBox::toggled, m_model, &BinTableModel::setAux);
    connect(m_import, &QPushButton::clicked, this, &BinWindow::chooseImport);
    connect(m_export, &QPushButton::clicked, this, &BinWindow::chooseExport);
}

void BinWindow::buildShow()
{
    m_lastCaption->setObjectName("BinLastCaption");
    m_lastBin->setObjectName("BinLastReading");
    QFont large = m_lastBin->font();
    large.setPointSize(LastBinPointSize);
    large.setBold(true);
    m_lastBin->setFont(large);
    m_lastBin->setAlignment(Qt::AlignCenter);
    m_reset->setObjectName("BinResetButton");
    connect(m_reset, &QPushButton::clicked, this, &BinWindow::resetRequested);

    auto* counts = new QGridLayout;
    int column = 0;
    for (const Bin bin : everyBin()) {
        auto* word = new QLabel(BinWord(bin));
        auto* count = new QLabel(QStringLiteral("0"));
        count->setObjectName(QStringLiteral("BinCount_") + BinWord(bin));
        QFont font = count->font();
        font.setPointSize(kCountPointSize);
        count->setFont(font);
        word->setAlignment(Qt::AlignCenter);
        count->setAlignment(Qt::AlignCenter);
        counts->addWidget(word, 0, column);
        counts->addWidget(count, 1, column);
        m_countLabels[bin] = count;
        ++column;
    }

    auto* editorButtons = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{m_add, m_remove, m_aux})
        editorButtons->addWidget(control);
    editorButtons->addStretch(1);
    editorButtons->addWidget(m_import);
    editorButtons->addWidget(m_export);
    auto* editor = new QVBoxLayout;
    editor->addWidget(m_editorView, 1);
    editor->addLayout(editorButtons);
    editor->addWidget(m_problem);

    auto* show = new QVBoxLayout;
    show->addWidget(m_lastCaption);
    show->addWidget(m_lastBin, 1);
    show->addLayout(counts);
    show->addWidget(m_reset, 0, Qt::AlignRight);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(editor, 3);
    layout->addSpacing(12);
    layout->addLayout(show, 2);
}

void BinWindow::setTexts(const BinWindowTexts& texts)
{
    m_texts = texts;
    setWindowTitle(texts.title);
    m_model->setHeadings(texts.columnHeadings);
    m_aux->setText(texts.aux);
    m_add->setText(texts.addBin);
    m_remove->setText(texts.removeBin);
    m_import->setText(texts.importTable);
    m_export->setText(texts.exportTable);
    m_reset->setText(texts.resetCounts);
    m_lastCaption->setText(texts.lastReading);
    if (m_model->rowCount() == 0)
        showProblem({});
}

void BinWindow::showTable(const std::optional<BinTable>& table)
{
    m_model->setTable(table.value_or(BinTable{}));
    const QSignalBlocker quiet(m_aux);
    m_aux->setChecked(table && table->aux);
    showProblem({});
}

void BinWindow::showLastBin(std::optional<Bin> bin)
{
    m_lastBin->setText(bin ? BinWord(*bin) : kNoBin);
}

void BinWindow::showCounts(const std::map<Bin, qint64>& counts)
{
    for (const auto& [bin, label] : m_countLabels) {
        const auto count = counts.find(bin);
        label->setText(QString::number(count == counts.end() ? 0 : count->second));
    }
}

// Without bins there is no table, which is said rather than left blank.
void BinWindow::showProblem(const QString& problem)
{
    m_problem->setText(problem.isEmpty() && m_model->rowCount() == 0 ? m_texts.noTable : problem);
}

void BinWindow::edited()
{
    const BinTable& table = m_model->table();
    if (table.bins.empty()) {
        showProblem({});
        emit tableEdited(std::nullopt);
        return;
    }
    const QString problem = BinTableProblem(table);
    showProblem(problem);
    if (problem.isEmpty())
        emit tableEdited(table);
}

void BinWindow::chooseImport()
{
    const QString path = QFileDialog::getOpenFileName(this, m_texts.importTable, {}, m_texts.fileFilter);
    if (!path.isEmpty())
        emit importChosen(path);
}

void BinWindow::chooseExport()
{
    const QString path = QFileDialog::getSaveFileName(this, m_texts.exportTable, {}, m_texts.fileFilter);
    if (!path.isEmpty())
        emit exportChosen(path);
}

} // namespace bins
