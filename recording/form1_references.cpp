// The reference box: kinds, units, nominal values and tolerances, and the evaluation of
// every RLCD reading against them.
#include "form1.h"

#include "decimal_text.h"
#include "log_formats.h"
#include "number_filter.h"
#include "session/meter_session.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

int unitIndexOfKind(int kind, const QComboBox* r, const QComboBox* l, const QComboBox* c)
{
    switch (kind) {
    case 1: return l->currentIndex();
    case 2: return c->currentIndex();
    default: return r->currentIndex();
    }
}

} // namespace

int TForm1::EvaluateTolerance()
{
    recording::Reference ref;
    ref.primary.nominalText = E2->text();
    ref.primary.toleranceText = CBox5->currentText();
    ref.primary.offText = CBox5->itemText(0);
    ref.primary.kind = recording::ReferenceKind(CBox2->currentIndex());
    ref.primary.unitIndex = unitIndexOfKind(CBox2->currentIndex(), CBox1, CBox3, CBox4);
    ref.secondary.nominalText = E11->text();
    ref.secondary.toleranceText = CBox51->currentText();
    ref.secondary.offText = CBox51->itemText(0);
    ref.secondary.kind = recording::SecondaryReferenceKind(CBox11->currentIndex());
    ref.secondary.unitIndex = CBox31->currentIndex();
    recording::ImpedanceReading in;
    const meter::RlcdReading& reading = m_session->lastReading();
    in.serR = reading.SerR;
    in.serX = reading.SerX;
    in.parR = reading.ParR;
    in.parX = reading.ParX;
    in.testFreqHz = m_session->testFreqHz();
    in.serPer = m_session->settings().SerPer;
    return recording::EvaluateTolerance(ref, in, Deviations);
}

void TForm1::ShowPrimaryUnitBox()
{
    const int kind = CBox2->currentIndex();
    CBox1->setVisible(kind == 0);
    CBox3->setVisible(kind == 1);
    CBox4->setVisible(kind == 2);
}

void TForm1::ShowSecondaryUnitBox()
{
    CBox31->setVisible(CBox11->currentIndex() == 0);
}

// Shapes what the user types; a choice from a tolerance list is left as it is.
void TForm1::filterNumberEdit(QLineEdit* edit, bool toleranceBox)
{
    const recording::FilteredText filtered = recording::FilterNumberText(
        edit->text(), edit->cursorPosition(), recording::SystemDecimalSeparator(), toleranceBox);
    {
        const QSignalBlocker quiet(edit);
        edit->setText(filtered.text);
        edit->setCursorPosition(filtered.caret);
    }
    if (toleranceBox)
        CBox2->setFocus();
}

void TForm1::wireReferences()
{
    connect(CBox2, &QComboBox::currentIndexChanged, this, &TForm1::ShowPrimaryUnitBox);
    connect(CBox11, &QComboBox::currentIndexChanged, this, &TForm1::ShowSecondaryUnitBox);
    connect(E2, &QLineEdit::textEdited, this, [this] { filterNumberEdit(E2, false); });
    connect(E11, &QLineEdit::textEdited, this, [this] { filterNumberEdit(E11, false); });
    connect(CBox5->lineEdit(), &QLineEdit::textEdited, this, [this] { filterNumberEdit(CBox5->lineEdit(), true); });
    connect(CBox51->lineEdit(), &QLineEdit::textEdited, this, [this] { filterNumberEdit(CBox51->lineEdit(), true); });
}
