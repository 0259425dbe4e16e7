#pragma once
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

// Which texts of a widget take part in translation, and how they are written back. A
// property is one text or a list of texts, each with the item address that tells them
// apart in a language file.
namespace localisation {

namespace PropertyId {
inline constexpr quint16 Caption = 0;
inline constexpr quint16 Hint = 1;
inline constexpr quint16 TextHint = 2;
inline constexpr quint16 Text = 5;
inline constexpr quint16 Title = 6;
inline constexpr quint16 Lines = 32;
inline constexpr quint16 Items = 33;
inline constexpr quint16 Filter = 96;
} // namespace PropertyId

struct TextProperty {
    quint16 propertyId = 0;
    bool singleText = true;    // a list's texts are its lines or filter descriptions
    QStringList texts;         // as the widget shows them now
    QStringList itemAddresses; // one per text; empty for a single text
    std::function<void(const QStringList& texts)> write;
};

// The translatable properties of one widget in the order they are applied, already cut
// down by the widget's "tag" property. isWindow marks the client's own window.
std::vector<TextProperty> translatableProperties(QWidget* widget, bool isWindow);

// Qt builds some widgets from parts of its own (a combo box's list, a file dialog's
// controls); those parts are not components of the window.
bool hasPartsOfItsOwn(const QWidget* widget);

} // namespace localisation
