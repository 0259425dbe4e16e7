#include "localisation/lang_data.h"

namespace localisation {

std::strong_ordering operator<=>(const ComponentKey& a, const ComponentKey& b)
{
    const auto byText = [](const QString& x, const QString& y) { return QString::compare(x, y) <=> 0; };
    if (auto c = byText(a.component, b.component); c != 0)
        return c;
    if (auto c = byText(a.owner, b.owner); c != 0)
        return c;
    if (auto c = a.propertyId <=> b.propertyId; c != 0)
        return c;
    return byText(a.itemAddress, b.itemAddress);
}

TIndexedItems& TLexiconData::lexicon(const QString& name)
{
    return m_lexicons[name.toCaseFolded()];
}

const TIndexedItems* TLexiconData::find(const QString& name) const
{
    const auto it = m_lexicons.constFind(name.toCaseFolded());
    return it == m_lexicons.cend() ? nullptr : &*it;
}

void TLexiconData::remove(const QString& name)
{
    m_lexicons.remove(name.toCaseFolded());
}

} // namespace localisation
