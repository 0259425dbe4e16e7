#pragma once
#include <QString>
#include <QStringList>

namespace localisation {

// What a lexicon needs from the translation engine: the current language's text of one
// item, or the design text when the language has none. The engine initialises itself (and
// may switch language) on the first call.
class LexiconTranslator {
public:
    virtual ~LexiconTranslator() = default;
    virtual QString TranslateString(const QString& designText, const QString& lexiconName, int itemNr) = 0;
    virtual void registerLexicon(class TDesignedLexicon* lexicon) = 0;
    virtual void unregisterLexicon(class TDesignedLexicon* lexicon) = 0;
};

// An indexed list of interface texts looked up by item number. Each item has a design
// text (the built-in Russian text); a lookup returns the current language's text when the
// bound engine has one. Nothing translated is cached: every lookup reads the current
// language, so texts built after a switch are in the new language.
class TDesignedLexicon {
public:
    TDesignedLexicon(QString ownerName, QString name, const QStringList& designTexts);
    ~TDesignedLexicon();
    TDesignedLexicon(const TDesignedLexicon&) = delete;
    TDesignedLexicon& operator=(const TDesignedLexicon&) = delete;

    const QString& name() const { return m_name; }
    // Name used in language files: owner window, a full stop, the lexicon's own name.
    QString qualifiedName() const { return m_ownerName + u'.' + m_name; }

    void setLangManEngine(LexiconTranslator* engine);
    LexiconTranslator* langManEngine() const { return m_engine; }

    QString GetItem(int index) const;
    QString GetLocStr(int index) const;
    bool IsDefined(int index) const;
    bool IsDefined(const QString& locStr) const;
    int CreateItem(const QString& text);
    int count() const { return int(m_items.size()); }

    // Name of the language the lexicon was last brought to; set by the engine.
    QString LMComponentLanguage;

private:
    QString m_ownerName;
    QString m_name;
    QStringList m_items; // design texts, control characters escaped
    LexiconTranslator* m_engine = nullptr;
};

} // namespace localisation
