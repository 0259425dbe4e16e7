#pragma once
#include "store/bench_settings.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace recording {

// The small window for what the database records about the bench: the lot in work, the
// station's and operator's names and the database. It offers the settings it is shown and
// hands back the ones the user confirms, once they can be kept.
class BenchDialog : public QDialog {
    Q_OBJECT
public:
    // The defaults show in empty fields: the names the computer gives and the database used
    // when none is named.
    struct Defaults {
        QString station;
        QString operatorName;
        QString database;
    };

    explicit BenchDialog(QWidget* parent);

    // Fills the fields and opens the window without waiting for it.
    void offer(const store::BenchSettings& settings, const Defaults& defaults);

signals:
    void settingsChosen(const store::BenchSettings& settings);

private:
    void confirm();

    QLineEdit* m_lot = nullptr;
    QLineEdit* m_station = nullptr;
    QLineEdit* m_operator = nullptr;
    QLineEdit* m_database = nullptr;
    QLabel* m_problem = nullptr;
};

} // namespace recording
