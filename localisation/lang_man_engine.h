#pragma once
#include "localisation/designed_lexicon.h"
#include "localisation/lang_file_cache.h"
#include "localisation/lang_loader.h"
#include "localisation/lang_man_component.h"

#include <functional>
#include <memory>
#include <vector>

namespace localisation {

// The translation engine of the application: keeps the list of languages, the texts of
// the current language, switches languages and tells every bound component about it.
// Widget-free; windows take part through a client, lexicons through TranslateString.
class TLangManEngine final : public LexiconTranslator {
public:
    explicit TLangManEngine(QString componentName = QStringLiteral("LangMan"));
    ~TLangManEngine() override;
    TLangManEngine(const TLangManEngine&) = delete;
    TLangManEngine& operator=(const TLangManEngine&) = delete;

    const QString& name() const { return m_name; }

    // --- Settings; each one that shapes the language list has it built anew. The list is
    // built when it is next needed, so a row of settings scans the folder once.
    QString DesignLangISOCode() const { return m_designCode; }
    void setDesignLangISOCode(const QString& isoText);
    QString DesignLanguageName() const { return m_designName; }
    void setDesignLanguageName(const QString& name);
    QString DefaultLanguage() const { return m_defaultLanguage; }
    void setDefaultLanguage(const QString& language);
    QString LangSubdirectory() const { return m_langSubdirectory; }
    void setLangSubdirectory(const QString& subdirectory);
    QString LangFileExtension() const { return m_langFileExtension; }
    void setLangFileExtension(const QString& extension);
    QString LangFileSignature() const { return m_langFileSignature; }
    void setLangFileSignature(const QString& signature);
    // The folder the language directory is found below; the application's folder unless
    // set otherwise (tests point it at a folder of their own).
    QString executableDir() const { return m_executableDir; }
    void setExecutableDir(const QString& dir);
    QString LangsDir() const;

    // --- The language list.
    // Builds the list now and shows it in the language selectors.
    void BuildLanguageList();
    const TLangCoreData& languageList() const;
    void AssignLanguagesList(QStringList& target) const { target = languageList().Languages; }
    // Look-ups by code first, then by name, letter case ignored; a language that is not
    // listed gives an empty text, false or an empty image.
    QString GetLanguageFile(const QString& isoOrLangName) const;
    QString GetLanguageFile(qsizetype languageIndex) const;
    QString GetISOCode(const QString& isoOrLangName) const;
    QString GetISOCode(qsizetype languageIndex) const;
    bool LangExists(const QString& isoOrLangName) const;
    QByteArray FlagImage(const QString& isoOrLangName) const;
    QByteArray FlagImage(qsizetype languageIndex) const;

    // --- The current language.
    QString CurrentLanguage() const { return m_state.current.name; }
    // Switches when the value differs from both the current name and the current code.
    void setCurrentLanguage(const QString& isoOrLangName);
    QString CurrentLanguageISO() const { return m_state.current.code; }
    // Position of the current language in the list; 0 for the design language.
    qsizetype currentLanguageIndex() const;
    const LanguageIdentity& currentSuperiorLanguage() const { return m_state.superior; }
    const TComponentStructure& DataStruct() const { return m_state.DataStruct; }
    const TLexiconData& DataLexicon() const { return m_state.DataLexicon; }

    // --- Initialisation and switching.
    bool initialized() const { return m_initialized; }
    // Runs at the first of: a client's window created, a lexicon asked for an item, the
    // application activated. Later calls only bring late components up to date.
    void InitEngine(bool withDefaultSwitch);
    // The application calls this when it is activated; only the first call counts.
    void ApplicationActivated();
    // Switches to a language given by code or name; returns the current language afterwards.
    QString Translate(const QString& isoOrLangName);
    QString TranslateString(const QString& designText, const QString& lexiconName, int itemNr) override;

    // Before a switch; setting Continue to false cancels it.
    std::function<void(TLangManEngine* sender, bool& Continue)> OnChangeLangQuery;
    // After a switch, once every component has been brought to the new language.
    std::function<void(TLangManEngine* sender)> OnChangeLanguage;

    // --- Registration (done by the components themselves when bound).
    void registerComponent(TLangManComponent* component);
    void unregisterComponent(TLangManComponent* component);
    void registerLexicon(TDesignedLexicon* lexicon) override;
    void unregisterLexicon(TDesignedLexicon* lexicon) override;
    // Registered components in the order they were bound; lexicons appear as adapters.
    const std::vector<TLangManComponent*>& SpanClients() const { return m_spanClients; }

private:
    class LexiconMember;

    void languageListChanged();
    void readLanguageList() const;
    bool isDesignLanguageCurrent() const;
    void renameDesignLanguage(const QString& name);
    void loadLanguage(const QString& name);
    void tellLanguageChanged();
    void bringComponentsUpToDate();
    void refreshLangControls();
    bool isRegistered(const TLangManComponent* component) const;
    // Calls visit for each component registered now, skipping any that unregister meanwhile.
    void forEachComponent(const std::function<void(TLangManComponent*)>& visit);

    QString m_name;
    QString m_designCode;
    QString m_designName = QStringLiteral("Design language");
    bool m_designNameSetExplicitly = false;
    QString m_defaultLanguage = m_designName;
    QString m_langSubdirectory;
    QString m_langFileExtension = QStringLiteral(".lng");
    QString m_langFileSignature = QStringLiteral("LANGUAGE_FILE");
    QString m_executableDir;

    // The list is what the language folder holds: read when first needed after a change.
    mutable TLangCoreData m_languages;
    mutable bool m_languageListStale = true;
    mutable LangFileCache m_files;
    LoadedLanguage m_state;
    bool m_initialized = false;
    bool m_activationHandled = false;

    std::vector<TLangManComponent*> m_spanClients;
    std::vector<std::unique_ptr<LexiconMember>> m_lexiconMembers;
};

} // namespace localisation
