#include "ui/localisation/lang_man_client.h"

#include <optional>
#include "ui/localisation/component_texts.h"
#include "localisation/lang_man_engine.h"
#include "localisation/text_escapes.h"

namespace localisation {
namespace {

// Texts without a single letter-like character (numbers, "0,2%", "+", ">") mean the same
// in every language.
bool hasTranslatableCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= u'A'; });
}

bool isRegistrable(const TextProperty& property, const QString& text, const QString& componentName)
{
    if (property.singleText && (text.isEmpty() || text == componentName))
        return false;
    return hasTranslatableCharacter(text);
}

// Widgets that Qt adds on its own carry names starting with "qt_".
bool isNamedComponent(const QWidget* widget)
{
    const QString name = widget->objectName();
    return !name.isEmpty() && !name.startsWith(u"qt_");
}

void appendDescendants(QWidget* parent, QList<QWidget*>& out)
{
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget)
            continue;
        if (isNamedComponent(widget))
            out << widget;
        if (!hasPartsOfItsOwn(widget))
            appendDescendants(widget, out);
    }
}

} // namespace

TLangManClient::TLangManClient(QWidget* window, TLangManEngine* engine) : m_window(window)
{
    setLangManEngine(engine);
}

void TLangManClient::runFormCreate(const std::function<void()>& formCreate)
{
    TLangManEngine* engine = langManEngine();
    if (!InitAfterCreateForm && engine)
        engine->InitEngine(true);
    formCreate();
    if (InitAfterCreateForm && engine)
        engine->InitEngine(true);
}

void TLangManClient::Translate()
{
    TLangManEngine* engine = langManEngine();
    const int appliedBefore = m_appliedCount;
    if (engine && !engine->initialized())
        engine->InitEngine(true);
    if (m_appliedCount == appliedBefore)
        applyLanguage();
}

bool TLangManClient::AddComponent(QWidget* component, const QString& name, bool translate)
{
    if (!belongsToWindow(component))
        return false;
    if (!name.isEmpty())
        component->setObjectName(name);
    collectComponent(component);
    if (translate)
        applyToComponent(component);
    return true;
}

bool TLangManClient::AddLatePart(QWidget* part)
{
    if (!isPartOfWindow(part))
        return false;
    QList<QWidget*> named;
    if (isNamedComponent(part))
        named << part;
    if (!hasPartsOfItsOwn(part))
        appendDescendants(part, named);
    for (QWidget* component : named) {
        collectComponent(component);
        applyToComponent(component);
    }
    return true;
}

void TLangManClient::TranslateComponent(QWidget* component, const QString& name)
{
    if (!name.isEmpty())
        component->setObjectName(name);
    applyToComponent(component);
}

void TLangManClient::RecreateTransStruct()
{
    m_collected = false;
    collect();
}

void TLangManClient::init()
{
    if (!m_collected)
        collect();
}

void TLangManClient::collect()
{
    m_designStruct.clear();
    for (QWidget* component : components())
        collectComponent(component);
    m_collected = true;
}

void TLangManClient::collectComponent(QWidget* component)
{
    const QString name = component->objectName();
    for (const TextProperty& property : translatableProperties(component, isWindow(component))) {
        for (qsizetype i = 0; i < property.texts.size(); ++i) {
            const QString& text = property.texts[i];
            if (!isRegistrable(property, text, name))
                continue;
            const ComponentKey key{name, ownerOf(component), property.propertyId, property.itemAddresses[i]};
            m_designStruct[key] = {EncodeControlChars(text), kDescentNotLoaded, TComponentEntry::HasOwnTranslation};
        }
    }
}

void TLangManClient::applyLanguage()
{
    ++m_appliedCount;
    for (QWidget* component : components())
        applyToComponent(component);
}

// A text position takes the language's translation when it has a non-empty one, else its
// recorded design text; a position with neither keeps what the window put there. A language
// may also translate a text that is never recorded by the rules (tolerance items written
// with its own decimal separator): that text is recorded the first time, so switching back
// restores it like every other design text.
void TLangManClient::applyToComponent(QWidget* component)
{
    const TLangManEngine* engine = langManEngine();
    const QString name = component->objectName();
    for (const TextProperty& property : translatableProperties(component, isWindow(component))) {
        QStringList texts = property.texts;
        bool anyFound = false;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const ComponentKey key{name, ownerOf(component), property.propertyId, property.itemAddresses[i]};
            std::optional<QString> text;
            if (const auto design = m_designStruct.find(key); design != m_designStruct.end())
                text = design->second.translation;
            if (engine) {
                const auto loaded = engine->DataStruct().find(key);
                if (loaded != engine->DataStruct().end() && !loaded->second.translation.isEmpty()) {
                    if (!text)
                        m_designStruct[key] = {EncodeControlChars(texts[i]), kDescentNotLoaded,
                                               TComponentEntry::HasOwnTranslation};
                    text = loaded->second.translation;
                }
            }
            if (!text)
                continue;
            texts[i] = DecodeCharCodes(*text);
            anyFound = true;
        }
        if (anyFound)
            property.write(texts);
    }
}

QString TLangManClient::ownerOf(const QWidget* component) const
{
    return isWindow(component) ? QString() : m_window->objectName();
}

QList<QWidget*> TLangManClient::components() const
{
    QList<QWidget*> list;
    if (!m_window)
        return list;
    list << m_window.data();
    appendDescendants(m_window, list);
    return list;
}

bool TLangManClient::belongsToWindow(const QWidget* component) const
{
    return component && m_window && m_window->isAncestorOf(component);
}

bool TLangManClient::isPartOfWindow(const QWidget* part) const
{
    for (const QObject* ancestor = part ? part->parent() : nullptr; ancestor && m_window; ancestor = ancestor->parent())
        if (ancestor == m_window)
            return true;
    return false;
}

} // namespace localisation
