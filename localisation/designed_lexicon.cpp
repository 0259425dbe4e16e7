#include "localisation/designed_lexicon.h"
#include "localisation/text_escapes.h"

namespace localisation {

TDesignedLexicon::TDesignedLexicon(QString ownerName, QString name, const QStringList& designTexts) :
    m_ownerName(std::move(ownerName)), m_name(std::move(name))
{
    for (const QString& text : designTexts)
        m_items << EncodeControlChars(text);
}

TDesignedLexicon::~TDesignedLexicon()
{
    setLangManEngine(nullptr);
}

void TDesignedLexicon::setLangManEngine(LexiconTranslator* engine)
{
    if (engine == m_engine)
        return;
    if (m_engine)
        m_engine->unregisterLexicon(this);
    m_engine = engine;
    if (m_engine)
        m_engine->registerLexicon(this);
}

QString TDesignedLexicon::GetItem(int index) const
{
    if (!IsDefined(index))
        return {};
    if (m_engine)
        return m_engine->TranslateString(m_items[index], qualifiedName(), index);
    return DecodeCharCodes(m_items[index]);
}

QString TDesignedLexicon::GetLocStr(int index) const
{
    if (index < 0 || index >= m_items.size())
        return {};
    return DecodeCharCodes(m_items[index]);
}

bool TDesignedLexicon::IsDefined(int index) const
{
    return index >= 0 && index < m_items.size() && !m_items[index].isEmpty();
}

bool TDesignedLexicon::IsDefined(const QString& locStr) const
{
    return m_items.contains(EncodeControlChars(locStr));
}

int TDesignedLexicon::CreateItem(const QString& text)
{
    m_items << EncodeControlChars(text);
    return int(m_items.size()) - 1;
}

} // namespace localisation
