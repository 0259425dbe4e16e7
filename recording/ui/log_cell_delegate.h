#pragma once
#include <QStyledItemDelegate>

namespace localisation {
class TDesignedLexicon;
}

namespace recording {

// Paints the verdict of each log row over its reject and deviation cells: a rejected row
// ("+" in the reject column) gets a red reject cell and red deviation cells for the
// parameters its own verdict names; a passed row ("-") gets a green reject cell. The marks
// are looked up in the short-text lexicon at every paint, so they follow the language.
class LogCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    LogCellDelegate(const localisation::TDesignedLexicon& shortTexts, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const localisation::TDesignedLexicon& m_shortTexts; // D3
};

} // namespace recording
