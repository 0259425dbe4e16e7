#include "localisation/lang_man_engine.h"
#include "localisation/lang_text.h"
#include "localisation/text_escapes.h"

#include <QCoreApplication>
#include <algorithm>

namespace localisation {

// A lexicon takes part in registration order like any other component; it has nothing to
// apply and keeps its language in its own field.
class TLangManEngine::LexiconMember final : public TLangManComponent {
public:
    explicit LexiconMember(TDesignedLexicon* member) : lexicon(member) {}
    QString LMComponentLanguage() const override { return lexicon->LMComponentLanguage; }
    TDesignedLexicon* const lexicon;

protected:
    void recordLanguage(const QString& language) override { lexicon->LMComponentLanguage = language; }
};

TLangManEngine::TLangManEngine(QString componentName) :
    m_name(std::move(componentName)),
    m_executableDir(QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString())
{
    m_state.current = {m_designName, m_designCode};
}

TLangManEngine::~TLangManEngine()
{
    const std::vector<TLangManComponent*> components = std::move(m_spanClients);
    m_spanClients.clear();
    const auto members = std::move(m_lexiconMembers);
    m_lexiconMembers.clear();
    for (TLangManComponent* component : components)
        component->detachFromEngine();
    for (const auto& member : members)
        member->lexicon->setLangManEngine(nullptr);
}

// --- Settings

void TLangManEngine::setDesignLangISOCode(const QString& isoText)
{
    m_designCode = NormalizeLangCode(isoText);
    if (!m_languageListStale && m_languages.size() > 0)
        m_languages.LangCodes[0] = m_designCode;
    if (isDesignLanguageCurrent())
        m_state.current.code = m_designCode;
    // "ru - Russian" also names the language, until a name is given on its own.
    const QString trimmed = isoText.trimmed();
    const qsizetype dash = trimmed.indexOf(u'-');
    if (trimmed.size() > 3 && dash >= 0 && !m_designNameSetExplicitly)
        renameDesignLanguage(trimmed.mid(dash + 1).trimmed());
}

void TLangManEngine::setDesignLanguageName(const QString& name)
{
    m_designNameSetExplicitly = true;
    renameDesignLanguage(name);
}

void TLangManEngine::renameDesignLanguage(const QString& name)
{
    const QString oldName = m_designName;
    const bool wasCurrent = isDesignLanguageCurrent();
    m_designName = name.isEmpty() ? QStringLiteral("Design language") : name;
    if (wasCurrent)
        m_state.current.name = m_designName;
    if (m_defaultLanguage == oldName)
        m_defaultLanguage = m_designName;
    languageListChanged();
}

void TLangManEngine::setDefaultLanguage(const QString& language)
{
    if (language == m_defaultLanguage)
        return;
    const QString oldDefault = m_defaultLanguage;
    m_defaultLanguage = language;
    const bool showingOldDefault =
        !oldDefault.isEmpty() && (m_state.current.name == oldDefault || m_state.current.code == oldDefault);
    if (m_initialized && showingOldDefault)
        Translate(language);
}

void TLangManEngine::setLangSubdirectory(const QString& subdirectory)
{
    m_langSubdirectory = subdirectory.trimmed();
    languageListChanged();
}

void TLangManEngine::setLangFileExtension(const QString& extension)
{
    m_langFileExtension = extension.startsWith(u'.') ? extension : u'.' + extension;
    languageListChanged();
}

void TLangManEngine::setLangFileSignature(const QString& signature)
{
    m_langFileSignature = signature;
    languageListChanged();
}

void TLangManEngine::setExecutableDir(const QString& dir)
{
    m_executableDir = dir;
    languageListChanged();
}

QString TLangManEngine::LangsDir() const
{
    return languageDirectory(m_executableDir, m_langSubdirectory);
}

// --- The language list

void TLangManEngine::BuildLanguageList()
{
    readLanguageList();
    refreshLangControls();
}

// A selector shows the list again, which reads it anew; with no selector bound the list
// waits until somebody needs it.
void TLangManEngine::languageListChanged()
{
    m_languageListStale = true;
    refreshLangControls();
}

const TLangCoreData& TLangManEngine::languageList() const
{
    if (m_languageListStale)
        readLanguageList();
    return m_languages;
}

void TLangManEngine::readLanguageList() const
{
    m_languageListStale = false;
    m_languages.clear();
    m_languages.append(m_designName, m_designCode, m_designName, {});
    for (const QString& path : languageFilesIn(LangsDir(), m_langFileExtension)) {
        const std::optional<QStringList> lines = m_files.lines(path);
        const LangFileHeader header = lines ? parseLangFileHeader(*lines, m_langFileSignature) : LangFileHeader{};
        if (header.ids.Name.isEmpty())
            continue;
        // A name listed again after the design language is left out; the first file wins.
        if (m_languages.indexOfName(header.ids.Name) > 0)
            continue;
        m_languages.append(header.ids.Name, header.ids.Code, path, header.flagImage);
    }
}

QString TLangManEngine::GetLanguageFile(const QString& isoOrLangName) const
{
    return GetLanguageFile(languageList().indexOfCodeOrName(isoOrLangName));
}

QString TLangManEngine::GetLanguageFile(qsizetype languageIndex) const
{
    const TLangCoreData& list = languageList();
    return languageIndex >= 0 && languageIndex < list.size() ? list.FileNames[languageIndex] : QString();
}

QString TLangManEngine::GetISOCode(const QString& isoOrLangName) const
{
    return GetISOCode(languageList().indexOfCodeOrName(isoOrLangName));
}

QString TLangManEngine::GetISOCode(qsizetype languageIndex) const
{
    const TLangCoreData& list = languageList();
    return languageIndex >= 0 && languageIndex < list.size() ? list.LangCodes[languageIndex] : QString();
}

bool TLangManEngine::LangExists(const QString& isoOrLangName) const
{
    return languageList().indexOfCodeOrName(isoOrLangName) >= 0;
}

QByteArray TLangManEngine::FlagImage(const QString& isoOrLangName) const
{
    return FlagImage(languageList().indexOfCodeOrName(isoOrLangName));
}

QByteArray TLangManEngine::FlagImage(qsizetype languageIndex) const
{
    const TLangCoreData& list = languageList();
    return languageIndex >= 0 && languageIndex < list.size() ? list.FlagImages[languageIndex] : QByteArray();
}

// --- The current language

void TLangManEngine::setCurrentLanguage(const QString& isoOrLangName)
{
    if (isoOrLangName != m_state.current.name && isoOrLangName != m_state.current.code)
        Translate(isoOrLangName);
}

qsizetype TLangManEngine::currentLanguageIndex() const
{
    return std::max<qsizetype>(0, languageList().indexOfName(m_state.current.name));
}

bool TLangManEngine::isDesignLanguageCurrent() const
{
    return m_state.current.name == m_designName;
}

// --- Initialisation and switching

void TLangManEngine::InitEngine(bool withDefaultSwitch)
{
    if (m_initialized) {
        forEachComponent([](TLangManComponent* component) { component->init(); });
    } else {
        m_initialized = true;
        forEachComponent([](TLangManComponent* component) { component->init(); });
        const bool defaultIsDesign = m_defaultLanguage == m_designName || m_defaultLanguage == m_designCode;
        if (withDefaultSwitch && !defaultIsDesign)
            Translate(m_defaultLanguage);
    }
    bringComponentsUpToDate();
}

// Components bound after the last switch catch up. While the design language is current,
// one that has never been brought to a language already shows its design texts.
void TLangManEngine::bringComponentsUpToDate()
{
    const QString current = m_state.current.name;
    forEachComponent([&](TLangManComponent* component) {
        if (component->LMComponentLanguage() == current)
            return;
        if (isDesignLanguageCurrent() && component->LMComponentLanguage().isEmpty())
            component->recordLanguage(current);
        else
            component->languageChanged(current);
    });
}

void TLangManEngine::ApplicationActivated()
{
    if (m_activationHandled)
        return;
    m_activationHandled = true;
    InitEngine(true);
}

QString TLangManEngine::Translate(const QString& isoOrLangName)
{
    bool Continue = true;
    if (OnChangeLangQuery)
        OnChangeLangQuery(this, Continue);
    if (!Continue) {
        refreshLangControls();
        return CurrentLanguage();
    }
    if (!m_initialized)
        InitEngine(false);

    const qsizetype position = languageList().indexOfCodeOrName(isoOrLangName);
    if (position < 0) {
        refreshLangControls();
        return CurrentLanguage();
    }
    // The listed spelling, so a name that differs only in letter case still finds the
    // file's header line and loads its texts.
    loadLanguage(languageList().Languages[position]);
    tellLanguageChanged();
    if (OnChangeLanguage)
        OnChangeLanguage(this);
    refreshLangControls();
    return CurrentLanguage();
}

void TLangManEngine::loadLanguage(const QString& name)
{
    // A failed load leaves the design language current with no texts: every component then
    // falls back to its design texts, which is what the user gets to see.
    const LanguageLoader loader(languageList(), m_langFileSignature, m_name, &m_files);
    loader.LoadLanguage(name, m_state);
}

void TLangManEngine::tellLanguageChanged()
{
    const QString current = m_state.current.name;
    forEachComponent([&](TLangManComponent* component) { component->languageChanged(current); });
}

QString TLangManEngine::TranslateString(const QString& designText, const QString& lexiconName, int itemNr)
{
    if (!m_initialized)
        InitEngine(true);
    QString text = designText;
    const TIndexedItems* lexicon = m_state.DataLexicon.find(lexiconName);
    if (lexicon && itemNr >= 0 && itemNr <= 0xFFFF) {
        const auto item = lexicon->find(quint16(itemNr));
        if (item != lexicon->end() && !item->second.text.isEmpty())
            text = item->second.text;
    }
    return DecodeCharCodes(text);
}

void TLangManEngine::refreshLangControls()
{
    forEachComponent([](TLangManComponent* component) { component->refreshLangControl(); });
}

// --- Registration

void TLangManEngine::registerComponent(TLangManComponent* component)
{
    if (isRegistered(component))
        return;
    m_spanClients.push_back(component);
    component->refreshLangControl();
}

void TLangManEngine::unregisterComponent(TLangManComponent* component)
{
    std::erase(m_spanClients, component);
}

void TLangManEngine::registerLexicon(TDesignedLexicon* lexicon)
{
    m_lexiconMembers.push_back(std::make_unique<LexiconMember>(lexicon));
    m_spanClients.push_back(m_lexiconMembers.back().get());
}

void TLangManEngine::unregisterLexicon(TDesignedLexicon* lexicon)
{
    const auto member = std::find_if(m_lexiconMembers.begin(), m_lexiconMembers.end(),
                                     [&](const auto& m) { return m->lexicon == lexicon; });
    if (member == m_lexiconMembers.end())
        return;
    std::erase(m_spanClients, member->get());
    m_lexiconMembers.erase(member);
}

bool TLangManEngine::isRegistered(const TLangManComponent* component) const
{
    return std::find(m_spanClients.begin(), m_spanClients.end(), component) != m_spanClients.end();
}

void TLangManEngine::forEachComponent(const std::function<void(TLangManComponent*)>& visit)
{
    const std::vector<TLangManComponent*> snapshot = m_spanClients;
    for (TLangManComponent* component : snapshot)
        if (isRegistered(component))
            visit(component);
}

} // namespace localisation
