#include "ui/localisation/component_texts.h"
#include "ui/localisation/lang_combo.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSignalBlocker>

namespace localisation {
namespace {

// The "tag" of a component narrows what it offers for translation.
enum Tag {
    TagSkipComponent = -799,
    TagWithoutHints = -798,
    TagWithoutText = -797,
    TagOnlyText = -790,
    TagOnlyHints = -789,
};

bool isHint(quint16 id)
{
    return id == PropertyId::Hint || id == PropertyId::TextHint;
}

bool tagAllows(int tag, quint16 id)
{
    switch (tag) {
    case TagSkipComponent: return false;
    case TagWithoutHints: return !isHint(id);
    case TagWithoutText: return id != PropertyId::Text;
    case TagOnlyText: return id == PropertyId::Text;
    case TagOnlyHints: return isHint(id);
    default: return true;
    }
}

TextProperty single(quint16 id, const QString& text, std::function<void(const QString&)> write)
{
    return {id, true, {text}, {QString()}, [write = std::move(write)](const QStringList& t) { write(t.value(0)); }};
}

QStringList lineAddresses(qsizetype count)
{
    QStringList addresses;
    for (qsizetype i = 0; i < count; ++i)
        addresses << QString::number(i);
    return addresses;
}

TextProperty lines(quint16 id, const QStringList& texts, std::function<void(const QStringList&)> write)
{
    return {id, false, texts, lineAddresses(texts.size()), std::move(write)};
}

// The old toolkit's combo boxes report no change when code sets them; neither do ours.
void setComboText(QComboBox* combo, const QString& text)
{
    const QSignalBlocker quiet(combo);
    if (combo->isEditable())
        combo->setEditText(text);
    else
        combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

// An editable box keeps what its edit shows; its text is a property of its own.
void setComboItems(QComboBox* combo, const QStringList& items)
{
    const QSignalBlocker quiet(combo);
    const QString editText = combo->currentText();
    for (int i = 0; i < combo->count() && i < items.size(); ++i)
        combo->setItemText(i, items[i]);
    if (combo->isEditable())
        combo->setEditText(editText);
}

QStringList comboItems(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QStringList listItems(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

void setListItems(QListWidget* list, const QStringList& items)
{
    for (int i = 0; i < list->count() && i < items.size(); ++i)
        list->item(i)->setText(items[i]);
}

// A name filter "Profiles (*.hex1)" has a description and a mask; "*.hex1" only a mask.
struct NameFilter {
    QString description;
    QString mask;

    static NameFilter parse(const QString& filter)
    {
        static const QRegularExpression withDescription(QStringLiteral(R"(^(.*?)\s*\(([^()]*)\)\s*$)"));
        const QRegularExpressionMatch match = withDescription.match(filter);
        if (!match.hasMatch())
            return {QString(), filter.trimmed()};
        return {match.captured(1), match.captured(2)};
    }
    QString text() const { return description.isEmpty() ? mask : description + QStringLiteral(" (") + mask + u')'; }
    // "[*:hex1]": the mask with "." as ":" and list separators and quotes as blanks.
    QString itemAddress() const
    {
        QString address = mask;
        address.replace(u'.', u':');
        for (QChar separator : {u',', u';', u'"'})
            address.replace(separator, u' ');
        return u'[' + address + u']';
    }
};

TextProperty filterDescriptions(QFileDialog* dialog)
{
    QList<NameFilter> filters;
    for (const QString& filter : dialog->nameFilters())
        filters << NameFilter::parse(filter);
    TextProperty property{PropertyId::Filter, false, {}, {}, {}};
    for (const NameFilter& filter : filters) {
        property.texts << filter.description;
        property.itemAddresses << filter.itemAddress();
    }
    property.write = [dialog, filters](const QStringList& descriptions) mutable {
        QStringList rebuilt;
        for (qsizetype i = 0; i < filters.size(); ++i) {
            filters[i].description = descriptions.value(i);
            rebuilt << filters[i].text();
        }
        dialog->setNameFilters(rebuilt);
    };
    return property;
}

// In the order the families are applied: Caption, Text, Hint, TextHint, Title, Lines,
// Items, Filter.
std::vector<TextProperty> allProperties(QWidget* widget, bool isWindow)
{
    std::vector<TextProperty> properties;
    auto* label = qobject_cast<QLabel*>(widget);
    auto* button = qobject_cast<QAbstractButton*>(widget);
    auto* groupBox = qobject_cast<QGroupBox*>(widget);
    auto* lineEdit = qobject_cast<QLineEdit*>(widget);
    auto* combo = qobject_cast<QComboBox*>(widget);
    auto* fileDialog = qobject_cast<QFileDialog*>(widget);
    auto* memo = qobject_cast<QPlainTextEdit*>(widget);
    auto* list = qobject_cast<QListWidget*>(widget);

    if (isWindow)
        properties.push_back(single(PropertyId::Caption, widget->windowTitle(),
                                    [widget](const QString& t) { widget->setWindowTitle(t); }));
    else if (label)
        properties.push_back(
            single(PropertyId::Caption, label->text(), [label](const QString& t) { label->setText(t); }));
    else if (button)
        properties.push_back(
            single(PropertyId::Caption, button->text(), [button](const QString& t) { button->setText(t); }));
    else if (groupBox)
        properties.push_back(
            single(PropertyId::Caption, groupBox->title(), [groupBox](const QString& t) { groupBox->setTitle(t); }));

    if (lineEdit)
        properties.push_back(
            single(PropertyId::Text, lineEdit->text(), [lineEdit](const QString& t) { lineEdit->setText(t); }));
    else if (combo)
        properties.push_back(
            single(PropertyId::Text, combo->currentText(), [combo](const QString& t) { setComboText(combo, t); }));

    properties.push_back(
        single(PropertyId::Hint, widget->toolTip(), [widget](const QString& t) { widget->setToolTip(t); }));

    if (lineEdit)
        properties.push_back(single(PropertyId::TextHint, lineEdit->placeholderText(),
                                    [lineEdit](const QString& t) { lineEdit->setPlaceholderText(t); }));
    if (fileDialog)
        properties.push_back(single(PropertyId::Title, fileDialog->windowTitle(),
                                    [fileDialog](const QString& t) { fileDialog->setWindowTitle(t); }));
    if (memo)
        properties.push_back(lines(PropertyId::Lines, memo->toPlainText().split(u'\n'),
                                   [memo](const QStringList& l) { memo->setPlainText(l.join(u'\n')); }));
    if (combo && !dynamic_cast<TLangCombo*>(combo))
        properties.push_back(
            lines(PropertyId::Items, comboItems(combo), [combo](const QStringList& l) { setComboItems(combo, l); }));
    else if (list)
        properties.push_back(
            lines(PropertyId::Items, listItems(list), [list](const QStringList& l) { setListItems(list, l); }));
    if (fileDialog)
        properties.push_back(filterDescriptions(fileDialog));
    return properties;
}

} // namespace

std::vector<TextProperty> translatableProperties(QWidget* widget, bool isWindow)
{
    if (qobject_cast<QAbstractSpinBox*>(widget))
        return {};
    const int tag = widget->property("tag").value<int>();
    std::vector<TextProperty> properties = allProperties(widget, isWindow);
    std::erase_if(properties, [tag](const TextProperty& p) { return !tagAllows(tag, p.propertyId); });
    return properties;
}

bool hasPartsOfItsOwn(const QWidget* widget)
{
    const bool scrollingView =
        qobject_cast<const QAbstractScrollArea*>(widget) && !qobject_cast<const QScrollArea*>(widget);
    return scrollingView || qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget)
        || qobject_cast<const QDialog*>(widget) || qobject_cast<const QLineEdit*>(widget);
}

} // namespace localisation
