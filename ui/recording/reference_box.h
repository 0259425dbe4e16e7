#pragma once
#include "meter/rlcd_decoder.h"
#include "recording/part_record.h"
#include "recording/primary_band.h"
#include "recording/reference.h"
#include "recording/tolerance.h"

#include <QFrame>

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace localisation {
struct MainLexicons;
}
namespace panel {
class DropDownCombo;
class HeadingPanel;
class PartSpinEdit;
} // namespace panel

namespace recording {

// The reference box "Panel7": the part (name, number and the buttons that store, insert
// and delete it) and the primary and secondary reference (kind, nominal value, unit,
// tolerance). It reads the reference into numbers for whoever judges readings, turns the
// controls into a part record and back, and asks for the part operations; the profile
// itself is not kept here.
class ReferenceBox : public QFrame {
    Q_OBJECT
public:
    ReferenceBox(const localisation::MainLexicons& lexicons, QWidget* parent);

    // --- the part ------------------------------------------------------------------------
    int partNumber() const;
    // The name the part box shows.
    QString partName() const;
    void setPartNumber(int partNumber);
    // The part box reaches one past the last part: a new part to be stored.
    void setPartCount(int partCount);
    // The names of the profile's parts in the name list; names behind them stay.
    void setPartNames(const QStringList& names);
    QString listedName(int partNumber) const;
    // Shows the part's name in the list without choosing it.
    void selectPartName(int partNumber);
    // Insert and delete are offered while profiles are edited in multi-part mode.
    void offerPartEditing(bool offered);

    // The controls as part n's record, with the start position and meter settings given.
    PartRecord partRecord(int startPosition, const StoredSettings& settings) const;
    // A stored part fills the controls.
    void showPart(const PartRecord& part);

    // --- the reference -------------------------------------------------------------------
    // The reference as numbers, read whenever a control changes.
    const ReferenceValues& referenceValues() const { return m_reference; }
    // The primary reference's band, when its kind is the given one and its tolerance is on
    // and readable.
    std::optional<PrimaryBand> primaryBand(ReferenceKind kind) const;

    // The heading in the current language.
    void showHeading();
    // After a language switch, which gave the combo boxes back their chosen items: the
    // heading and the tolerance boxes in the new language.
    void languageSwitched();
    // As the window's creation leaves the box: the part box's upper arrow goes to the
    // previous part, and insert and delete wait for multi-part mode.
    void FormCreate();

signals:
    void partChosen(int partNumber);  // from the name list
    void partListOpening();           // the name list is about to show
    void partStepped(int partNumber); // an arrow of the part box has stepped to this part
    void storeRequested();
    void insertRequested();
    void deleteRequested();
    void referenceChanged(const recording::ReferenceValues& reference);

private:
    void buildControls();
    void wireControls();
    QComboBox* primaryUnitBox(ReferenceKind kind) const;
    ReferenceKind primaryKind() const;
    bool secondaryIsResistance() const;
    // The reference as the controls hold it now, and read into numbers.
    Reference reference() const;
    void readReference();
    // A tolerance box's state, and its tolerance: none while it is off.
    bool isToleranceOff(const QComboBox* toleranceBox) const;
    void setToleranceOff(const QComboBox* toleranceBox, bool off);
    std::optional<QString> tolerance(const QComboBox* toleranceBox) const;
    void chooseTolerance(QComboBox* toleranceBox, int item);
    void showStoredTolerance(QComboBox* toleranceBox, const QString& storedText);
    void ShowPrimaryUnitBox();
    void ShowSecondaryUnitBox();
    void filterNumberEdit(QLineEdit* edit, bool toleranceBox);

    const localisation::MainLexicons& m_lexicons;
    ReferenceValues m_reference;
    // Whether each tolerance box is off, decided by what put its text there (a choice from
    // the list, typing, a stored part, a language switch), never by the text itself: the
    // "off" item reads differently in each language. Both start on the designed "off".
    bool m_primaryToleranceOff = true;
    bool m_secondaryToleranceOff = true;
    panel::HeadingPanel* JvP1 = nullptr;
    panel::DropDownCombo* CBox6 = nullptr;
    panel::PartSpinEdit* SE2 = nullptr;
    QPushButton* BB1 = nullptr;
    QPushButton* Button_Add = nullptr;
    QPushButton* Button_DEL = nullptr;
    QComboBox* CBox2 = nullptr;
    QLineEdit* E2 = nullptr;
    QComboBox* CBox1 = nullptr;
    QComboBox* CBox3 = nullptr;
    QComboBox* CBox4 = nullptr;
    QComboBox* CBox5 = nullptr;
    QComboBox* CBox11 = nullptr;
    QLineEdit* E11 = nullptr;
    QComboBox* CBox31 = nullptr;
    QComboBox* CBox51 = nullptr;
};

} // namespace recording
