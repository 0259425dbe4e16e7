#include "localisation/lang_loader.h"
#include "localisation/lang_file_lines.h"
#include "localisation/lang_header.h"
#include "localisation/lang_text.h"
#include "localisation/text_escapes.h"

namespace localisation {
namespace {

constexpr qsizetype kMinValueLength = 3;

// Lines that take part in the component and lexicon parts: a number and a value of at
// least three characters.
std::optional<qint64> numberOfUsableLine(const LangFileLine& line)
{
    if (line.value.size() < kMinValueLength)
        return std::nullopt;
    return line.number();
}

bool isMarker(const QString& value)
{
    return !value.startsWith(u'"');
}

QString chainWith(const QString& chain, const QString& name)
{
    return chain.isEmpty() ? u'-' + name + u'-' : chain + name + u'-';
}

void markInherited(LoadedLanguage& state)
{
    const auto older = [](quint8& descent) {
        if (descent < kDescentMaxInherited)
            ++descent;
    };
    for (auto& [key, entry] : state.DataStruct)
        older(entry.descent);
    state.DataLexicon.forEachItem([&](TIndexedItem& item) { older(item.descent); });
}

} // namespace

LanguageLoader::LanguageLoader(const TLangCoreData& languages, QString signature, QString langManLexicon,
                               LangFileCache* files) :
    m_languages(languages),
    m_signature(std::move(signature)), m_langManLexicon(std::move(langManLexicon)), m_files(files)
{
}

bool LanguageLoader::LoadLanguage(const QString& name, LoadedLanguage& state) const
{
    return load(name, false, QString(), state);
}

bool LanguageLoader::load(const QString& name, bool asSuperior, const QString& chain, LoadedLanguage& state) const
{
    reset(asSuperior, state);
    const qsizetype position = m_languages.indexOfName(name);
    if (position < 0)
        return false;
    if (position == 0)
        return true; // the design language: its texts are the ones built in

    const QString& path = m_languages.FileNames[position];
    const std::optional<QStringList> lines = m_files ? m_files->lines(path) : readLanguageFileLines(path);
    QString code;
    if (!lines || !readFile(name, *lines, chain, state, code)) {
        reset(asSuperior, state);
        return false;
    }
    if (carriesOwnTextsBuiltIn(name, code))
        state.DataLexicon.remove(m_langManLexicon);

    if (asSuperior) {
        state.superior = {name, code};
    } else {
        state.current = {name, code};
        if (state.superior.name.isEmpty())
            state.superior = designLanguage();
    }
    return true;
}

bool LanguageLoader::readFile(const QString& name, const QStringList& lines, const QString& chain,
                              LoadedLanguage& state, QString& code) const
{
    if (lines.isEmpty() || !isSignatureLine(lines[0], m_signature))
        return false;
    const qsizetype componentStart = readHeaderPart(name, lines, chain, state, code);
    const qsizetype lexiconStart = readComponentPart(lines, componentStart, state.DataStruct);
    return readLexiconPart(lines, lexiconStart, state.DataLexicon);
}

// Every header line loads the superior language first, so the file's own texts land on
// top of the inherited ones. The header part ends at the line that names the language.
qsizetype LanguageLoader::readHeaderPart(const QString& name, const QStringList& lines, const QString& chain,
                                         LoadedLanguage& state, QString& code) const
{
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (!line.contains(u"%LANGUAGE_NAME="))
            continue;
        code = NormalizeLangCode(KeyValue(line, QStringLiteral("%CODE=")));
        load(superiorToLoad(line, chain), true, chainWith(chain, name), state);
        markInherited(state);
        if (QuotedText(line) == name)
            return i + 1;
    }
    return lines.size();
}

// A superior language that is not listed, or that is already being loaded further up the
// chain, would leave a gap or close a circle: the design language stands in for it.
QString LanguageLoader::superiorToLoad(const QString& line, const QString& chain) const
{
    const QString superior = KeyValue(line, QStringLiteral("%SUPERIOR_LANGUAGE="));
    const bool inChain = chain.contains(u'-' + superior + u'-', Qt::CaseInsensitive);
    if (superior.isEmpty() || m_languages.indexOfName(superior) < 0 || inChain)
        return designLanguage().name;
    return superior;
}

qsizetype LanguageLoader::readComponentPart(const QStringList& lines, qsizetype from,
                                            TComponentStructure& entries) const
{
    for (qsizetype i = from; i < lines.size(); ++i) {
        const LangFileLine line = LangFileLine::split(lines[i]);
        const std::optional<qint64> number = numberOfUsableLine(line);
        if (!number)
            continue;
        if (isMarker(line.value) && line.value.contains(u"%LEXICON_STRINGS"))
            return i + 1;
        if (*number < 0)
            continue;
        ComponentKey key{KeyValue(line.value, QStringLiteral("%COMPONENT=")),
                         KeyValue(line.value, QStringLiteral("%OWNER=")), quint16(*number),
                         KeyValue(line.value, QStringLiteral("%ITEM="))};
        if (key.component.isEmpty())
            continue;

        const bool hasOwnTranslation = !line.value.contains(u"%NOTRANS");
        const auto [it, added] = entries.try_emplace(std::move(key));
        TComponentEntry& entry = it->second;
        if (added || hasOwnTranslation)
            entry.translation = EncodeControlChars(QuotedText(line.value));
        entry.flags = (hasOwnTranslation ? TComponentEntry::HasOwnTranslation : 0)
            | (line.value.contains(u"%OLD") ? TComponentEntry::Old : 0);
        entry.descent = kDescentLoaded;
    }
    return lines.size();
}

bool LanguageLoader::readLexiconPart(const QStringList& lines, qsizetype from, TLexiconData& lexicons) const
{
    std::optional<QString> currentLexicon;
    for (qsizetype i = from; i < lines.size(); ++i) {
        const LangFileLine line = LangFileLine::split(lines[i]);
        const std::optional<qint64> number = numberOfUsableLine(line);
        if (!number)
            continue;
        if (isMarker(line.value)) {
            if (line.value.contains(u"%SMART_STRINGS"))
                break;
            if (line.value.contains(u"%LANGMAN")) {
                currentLexicon = m_langManLexicon;
                continue;
            }
            if (line.value.contains(u"%LEXICON_NAME=")) {
                const QString name = KeyValue(line.value, QStringLiteral("%LEXICON_NAME="));
                if (name.isEmpty())
                    return false;
                lexicons.lexicon(name);
                currentLexicon = name;
                continue;
            }
        }
        const QString text = EncodeControlChars(QuotedText(line.value));
        if (*number >= 0 && !text.isEmpty() && currentLexicon)
            lexicons.lexicon(*currentLexicon)[quint16(*number)] = {text, kDescentLoaded};
    }
    return true;
}

void LanguageLoader::reset(bool asSuperior, LoadedLanguage& state) const
{
    state.DataStruct.clear();
    state.DataLexicon.clear();
    state.superior = {};
    if (asSuperior)
        state.superior = designLanguage();
    else
        state.current = designLanguage();
}

LanguageIdentity LanguageLoader::designLanguage() const
{
    if (m_languages.size() == 0)
        return {};
    return {m_languages.Languages[0], m_languages.LangCodes[0]};
}

// The engine ships its own texts for these languages, so a file's "%LANGMAN" block for
// them is not used.
bool LanguageLoader::carriesOwnTextsBuiltIn(const QString& name, const QString& code) const
{
    static const QStringList codes{u"en"_qs, u"de"_qs, u"cs"_qs, u"sk"_qs, u"it"_qs};
    static const QStringList names{u"English"_qs, u"German"_qs, u"Czech"_qs, u"Slovak"_qs, u"Italian"_qs};
    if (!code.isEmpty())
        return codes.contains(code);
    return names.contains(name, Qt::CaseInsensitive);
}

} // namespace localisation
