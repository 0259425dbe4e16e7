#pragma once
#include "localisation/lang_data.h"
#include "localisation/lang_file_cache.h"
#include "localisation/lang_list.h"

// Reading one language in full: its component entries and lexicon items, on top of the
// texts of its chain of superior languages.
namespace localisation {

struct LanguageIdentity {
    QString name;
    QString code;
};

// What a load leaves behind; the engine keeps one of these for the current language.
struct LoadedLanguage {
    TComponentStructure DataStruct;
    TLexiconData DataLexicon;
    LanguageIdentity current;  // the design language until a load succeeds
    LanguageIdentity superior; // empty until a load records one
};

class LanguageLoader {
public:
    // langManLexicon names the block that "%LANGMAN" opens: the engine's own texts. The
    // files are read through the cache when one is given, else from the disk.
    LanguageLoader(const TLangCoreData& languages, QString signature, QString langManLexicon,
                   LangFileCache* files = nullptr);

    // Loads the named language (letter case ignored when it is looked up) into state. True
    // when it counts as loaded; the design language loads without reading anything. On
    // failure state holds no texts and the design language is current.
    bool LoadLanguage(const QString& name, LoadedLanguage& state) const;

private:
    bool load(const QString& name, bool asSuperior, const QString& chain, LoadedLanguage& state) const;
    bool readFile(const QString& name, const QStringList& lines, const QString& chain, LoadedLanguage& state,
                  QString& code) const;
    qsizetype readHeaderPart(const QString& name, const QStringList& lines, const QString& chain, LoadedLanguage& state,
                             QString& code) const;
    qsizetype readComponentPart(const QStringList& lines, qsizetype from, TComponentStructure& entries) const;
    bool readLexiconPart(const QStringList& lines, qsizetype from, TLexiconData& lexicons) const;
    void reset(bool asSuperior, LoadedLanguage& state) const;
    LanguageIdentity designLanguage() const;
    QString superiorToLoad(const QString& line, const QString& chain) const;
    bool carriesOwnTextsBuiltIn(const QString& name, const QString& code) const;

    const TLangCoreData& m_languages;
    QString m_signature;
    QString m_langManLexicon;
    LangFileCache* m_files;
};

} // namespace localisation
