#include "ui/recording/reference_box.h"

#include "localisation/main_lexicons.h"
#include "ui/panel/designed_controls.h"
#include "ui/panel/drop_down_combo.h"
#include "ui/panel/heading_panel.h"
#include "ui/panel/part_spin_edit.h"
#include "recording/log_formats.h"
#include "recording/number_filter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace recording {
namespace {

constexpr int kPartNameLength = 18;
constexpr int kNominalLength = 7;
constexpr int kListedNames = 20;
constexpr int kListedTolerances = 16;
constexpr int kOffItem = 0; // of the tolerance lists

} // namespace

ReferenceBox::ReferenceBox(const localisation::MainLexicons& lexicons, QWidget* parent) :
    QFrame(parent), m_lexicons(lexicons)
{
    buildControls();
    wireControls();
    readReference();
}

void ReferenceBox::buildControls()
{
    using namespace panel;
    setObjectName(QStringLiteral("Panel7"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    JvP1 = heading(this, "JvP1", QStringLiteral("Данные эталона"), QRect(3, 3, 452, 20));
    CBox6 = combo<DropDownCombo>(this, "CBox6", {QStringLiteral("R1")}, QRect(4, 26, 118, 27), true);
    CBox6->lineEdit()->setMaxLength(kPartNameLength);
    CBox6->setInsertPolicy(QComboBox::NoInsert);
    CBox6->setMaxVisibleItems(kListedNames);
    SE2 = named(new PartSpinEdit(this), "SE2", QRect(126, 26, 52, 27));
    SE2->setRange(1, 2);
    SE2->setValue(1);
    BB1 = button(this, "BB1", QStringLiteral("Запись"), QRect(182, 26, 86, 27));
    Button_Add = button(this, "Button_Add", QStringLiteral("Добавить"), QRect(272, 26, 92, 27));
    Button_DEL = button(this, "Button_DEL", QStringLiteral("Удалить"), QRect(368, 26, 86, 27));
    const QStringList tolerances{QStringLiteral("выкл."), QStringLiteral("0,2%"), QStringLiteral("0,3%"),
                                 QStringLiteral("0,5%"),  QStringLiteral("1%"),   QStringLiteral("2%"),
                                 QStringLiteral("3%"),    QStringLiteral("5%"),   QStringLiteral("10%"),
                                 QStringLiteral("20%"),   QStringLiteral(">"),    QStringLiteral("<")};
    CBox2 = combo(this, "CBox2", {QStringLiteral("R"), QStringLiteral("L"), QStringLiteral("C")}, QRect(4, 57, 40, 27));
    E2 = named(new QLineEdit(QStringLiteral("10000"), this), "E2", QRect(46, 57, 56, 27));
    E2->setMaxLength(kNominalLength);
    const QStringList ohms{QStringLiteral("Ом"), QStringLiteral("кОм"), QStringLiteral("МОм")};
    CBox1 = combo(this, "CBox1", ohms, QRect(104, 57, 58, 27));
    CBox3 = combo(this, "CBox3", {QStringLiteral("мкГн"), QStringLiteral("мГн"), QStringLiteral("Гн")},
                  QRect(104, 57, 58, 27));
    CBox4 = combo(this, "CBox4", {QStringLiteral("рФ"), QStringLiteral("нФ"), QStringLiteral("мкФ")},
                  QRect(104, 57, 58, 27));
    CBox3->hide();
    CBox4->hide();
    CBox5 = combo(this, "CBox5", tolerances, QRect(164, 57, 62, 27), true);
    CBox11 =
        combo(this, "CBox11", {QStringLiteral("R"), QStringLiteral("Q"), QStringLiteral("D")}, QRect(232, 57, 40, 27));
    E11 = named(new QLineEdit(QStringLiteral("10000"), this), "E11", QRect(274, 57, 56, 27));
    E11->setMaxLength(kNominalLength);
    CBox31 = combo(this, "CBox31", ohms, QRect(332, 57, 58, 27));
    CBox51 = combo(this, "CBox51", tolerances, QRect(392, 57, 62, 27), true);
    for (QComboBox* tolerance : {CBox5, CBox51}) {
        tolerance->setMaxVisibleItems(kListedTolerances);
        tolerance->setInsertPolicy(QComboBox::NoInsert);
    }
}

void ReferenceBox::wireControls()
{
    connect(CBox2, &QComboBox::currentIndexChanged, this, &ReferenceBox::ShowPrimaryUnitBox);
    connect(CBox11, &QComboBox::currentIndexChanged, this, &ReferenceBox::ShowSecondaryUnitBox);
    connect(E2, &QLineEdit::textEdited, this, [this] { filterNumberEdit(E2, false); });
    connect(E11, &QLineEdit::textEdited, this, [this] { filterNumberEdit(E11, false); });
    for (QComboBox* tolerance : {CBox5, CBox51}) {
        // Typed text is shaped into digits and "%", which no list's "off" item reads like.
        connect(tolerance->lineEdit(), &QLineEdit::textEdited, this, [this, tolerance] {
            setToleranceOff(tolerance, false);
            filterNumberEdit(tolerance->lineEdit(), true);
        });
        // A choice from the list (the item already chosen, too, after typing) or by code.
        const auto chosen = [this, tolerance](int item) { chooseTolerance(tolerance, item); };
        connect(tolerance, &QComboBox::activated, this, chosen);
        connect(tolerance, &QComboBox::currentIndexChanged, this, chosen);
    }
    connect(CBox6, &QComboBox::activated, this, [this](int item) { emit partChosen(item + 1); });
    connect(CBox6, &panel::DropDownCombo::droppedDown, this, &ReferenceBox::partListOpening);
    const auto stepped = [this] { emit partStepped(SE2->value()); };
    connect(SE2, &panel::PartSpinEdit::topClicked, this, stepped);
    connect(SE2, &panel::PartSpinEdit::bottomClicked, this, stepped);
    connect(BB1, &QPushButton::clicked, this, &ReferenceBox::storeRequested);
    connect(Button_Add, &QPushButton::clicked, this, &ReferenceBox::insertRequested);
    connect(Button_DEL, &QPushButton::clicked, this, &ReferenceBox::deleteRequested);
    // The reference is read into numbers whenever one of its controls changes, by the user
    // or by a stored part, and never again while readings are judged.
    for (QLineEdit* edit : {E2, E11, CBox5->lineEdit(), CBox51->lineEdit()})
        connect(edit, &QLineEdit::textChanged, this, &ReferenceBox::readReference);
    for (QComboBox* box : {CBox2, CBox1, CBox3, CBox4, CBox11, CBox31})
        connect(box, &QComboBox::currentIndexChanged, this, &ReferenceBox::readReference);
}

// --- the part ------------------------------------------------------------------------------

int ReferenceBox::partNumber() const
{
    return SE2->value();
}

void ReferenceBox::setPartNumber(int partNumber)
{
    SE2->setValue(partNumber);
}

void ReferenceBox::setPartCount(int partCount)
{
    SE2->setMaximum(partCount + 1);
}

void ReferenceBox::setPartNames(const QStringList& names)
{
    for (int i = 0; i < names.size(); ++i) {
        if (i < CBox6->count())
            CBox6->setItemText(i, names[i]);
        else
            CBox6->addItem(names[i]);
    }
}

QString ReferenceBox::listedName(int partNumber) const
{
    return CBox6->itemText(partNumber - 1);
}

void ReferenceBox::selectPartName(int partNumber)
{
    const QSignalBlocker quiet(CBox6);
    CBox6->setCurrentIndex(partNumber - 1);
}

void ReferenceBox::offerPartEditing(bool offered)
{
    Button_Add->setEnabled(offered);
    Button_DEL->setEnabled(offered);
}

// The one place that knows which unit box belongs to which kind.
QComboBox* ReferenceBox::primaryUnitBox(ReferenceKind kind) const
{
    switch (kind) {
    case ReferenceKind::Inductance: return CBox3;
    case ReferenceKind::Capacitance: return CBox4;
    case ReferenceKind::Resistance: break;
    }
    return CBox1;
}

ReferenceKind ReferenceBox::primaryKind() const
{
    return ReferenceKind(CBox2->currentIndex());
}

bool ReferenceBox::secondaryIsResistance() const
{
    return SecondaryReferenceKind(CBox11->currentIndex()) == SecondaryReferenceKind::Resistance;
}

bool ReferenceBox::isToleranceOff(const QComboBox* toleranceBox) const
{
    return toleranceBox == CBox5 ? m_primaryToleranceOff : m_secondaryToleranceOff;
}

void ReferenceBox::setToleranceOff(const QComboBox* toleranceBox, bool off)
{
    (toleranceBox == CBox5 ? m_primaryToleranceOff : m_secondaryToleranceOff) = off;
}

std::optional<QString> ReferenceBox::tolerance(const QComboBox* toleranceBox) const
{
    if (isToleranceOff(toleranceBox))
        return std::nullopt;
    return toleranceBox->currentText();
}

void ReferenceBox::chooseTolerance(QComboBox* toleranceBox, int item)
{
    setToleranceOff(toleranceBox, item == kOffItem);
    readReference();
}

// A stored "off" shows the list's "off" item in the current language.
void ReferenceBox::showStoredTolerance(QComboBox* toleranceBox, const QString& storedText)
{
    const std::optional<QString> stored = ToleranceOfStored(storedText);
    setToleranceOff(toleranceBox, !stored);
    toleranceBox->setEditText(stored ? *stored : toleranceBox->itemText(kOffItem));
}

Reference ReferenceBox::reference() const
{
    Reference reference;
    reference.primary = {primaryKind(), primaryUnitBox(primaryKind())->currentIndex(), E2->text(), tolerance(CBox5)};
    reference.secondary = {SecondaryReferenceKind(CBox11->currentIndex()), CBox31->currentIndex(), E11->text(),
                           tolerance(CBox51)};
    return reference;
}

QString ReferenceBox::partName() const
{
    return CBox6->currentText();
}

PartRecord ReferenceBox::partRecord(int startPosition, const StoredSettings& settings) const
{
    PartRecord part;
    part.name = partName();
    part.startPosition = startPosition;
    part.primaryTolerance = StoredToleranceText(tolerance(CBox5));
    part.primaryKind = quint8(CBox2->currentIndex());
    part.primaryUnit = quint8(primaryUnitBox(primaryKind())->currentIndex());
    part.primaryNominal = E2->text();
    part.secondaryTolerance = StoredToleranceText(tolerance(CBox51));
    part.secondaryKind = quint8(CBox11->currentIndex());
    part.secondaryUnit = secondaryIsResistance() ? quint8(CBox31->currentIndex()) : 0;
    part.secondaryNominal = E11->text();
    part.settings = settings;
    return part;
}

void ReferenceBox::showPart(const PartRecord& part)
{
    CBox6->setEditText(part.name);
    showStoredTolerance(CBox5, part.primaryTolerance);
    CBox2->setCurrentIndex(part.primaryKind);
    primaryUnitBox(ReferenceKind(part.primaryKind))->setCurrentIndex(part.primaryUnit);
    E2->setText(part.primaryNominal);
    showStoredTolerance(CBox51, part.secondaryTolerance);
    CBox11->setCurrentIndex(part.secondaryKind);
    if (secondaryIsResistance())
        CBox31->setCurrentIndex(part.secondaryUnit);
    CBox31->setVisible(secondaryIsResistance());
    E11->setText(part.secondaryNominal);
    ShowPrimaryUnitBox();
}

// --- the reference -------------------------------------------------------------------------

void ReferenceBox::readReference()
{
    const ReferenceValues read = ReadReference(reference());
    if (std::exchange(m_reference, read) != read)
        emit referenceChanged(m_reference);
}

std::optional<PrimaryBand> ReferenceBox::primaryBand(ReferenceKind kind) const
{
    if (kind != m_reference.primary.kind)
        return std::nullopt;
    return PrimaryToleranceBand(m_reference.primary);
}

void ReferenceBox::ShowPrimaryUnitBox()
{
    for (ReferenceKind shown : {ReferenceKind::Resistance, ReferenceKind::Inductance, ReferenceKind::Capacitance})
        primaryUnitBox(shown)->setVisible(shown == primaryKind());
}

void ReferenceBox::ShowSecondaryUnitBox()
{
    CBox31->setVisible(secondaryIsResistance());
}

// Shapes what the user types; a choice from a tolerance list is left as it is.
void ReferenceBox::filterNumberEdit(QLineEdit* edit, bool toleranceBox)
{
    const FilteredText filtered =
        FilterNumberText(edit->text(), edit->cursorPosition(), SystemDecimalSeparator(), toleranceBox);
    {
        const QSignalBlocker quiet(edit);
        edit->setText(filtered.text);
        edit->setCursorPosition(filtered.caret);
    }
    readReference(); // the shaped text was set without a word
    if (toleranceBox)
        CBox2->setFocus();
}

void ReferenceBox::FormCreate()
{
    SE2->setStep(-1);
    offerPartEditing(false);
}

void ReferenceBox::showHeading()
{
    JvP1->setCaption(m_lexicons.D1.GetItem(localisation::ReferenceHeading));
}

// The switch gave each tolerance box back its chosen item, which the box now shows in the
// new language, typed text or not: the box is off when that item is the "off" item.
void ReferenceBox::languageSwitched()
{
    showHeading();
    for (QComboBox* toleranceBox : {CBox5, CBox51})
        setToleranceOff(toleranceBox, toleranceBox->currentIndex() == kOffItem);
    readReference();
}

} // namespace recording
