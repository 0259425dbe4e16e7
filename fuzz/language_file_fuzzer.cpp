// The language files: up to three files in the language folder are listed by their headers
// and each listed language is loaded with its chain of superior languages, as the engine
// does when the user picks one. The bytes of each file are decoded by their byte-order mark
// or the code page and cut into lines; the texts travel with their control characters
// escaped.
//
// The input: the files one after the other, parted by kFileSeparator.
#include "fuzz/fuzz_property.h"
#include "fuzz/scratch_folder.h"
#include "localisation/ansi_codepage.h"
#include "localisation/lang_file_lines.h"
#include "localisation/lang_loader.h"
#include "localisation/lang_man_engine.h"
#include "localisation/lang_text.h"
#include "localisation/text_escapes.h"

#include <QDir>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdint>

namespace {

using fuzz::require;
using namespace localisation;

constexpr QByteArrayView kFileSeparator = "\n==next file==\n";
constexpr int kMostFiles = 3;
const QString kSignature = QStringLiteral("LANGUAGE_FILE");
const QString kLangManLexicon = QStringLiteral("LangMan");
const QString kSubdirectory = QStringLiteral("lang");

QString languageFolder()
{
    static const QString folder = [] {
        const QString path = fuzz::scratchPath(kSubdirectory);
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

QString fileName(int index)
{
    return languageFolder() + QStringLiteral("/%1.lng").arg(QChar(u'a' + index));
}

QList<QByteArray> filesOf(QByteArrayView input)
{
    QList<QByteArray> files;
    while (files.size() < kMostFiles - 1) {
        const qsizetype separator = input.indexOf(kFileSeparator);
        if (separator < 0)
            break;
        files.append(input.first(separator).toByteArray());
        input = input.sliced(separator + kFileSeparator.size());
    }
    files.append(input.toByteArray());
    return files;
}

// The text encoded again as the file was, with the same mark, decodes to itself.
QByteArray encodedLike(const QByteArray& file, const QString& text)
{
    if (file.startsWith("\xEF\xBB\xBF"))
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    if (file.startsWith("\xFF\xFE"))
        return QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE)(text);
    if (file.startsWith("\xFE\xFF"))
        return QByteArray("\xFE\xFF") + QStringEncoder(QStringEncoder::Utf16BE)(text);
    return toAnsi(text);
}

QString shownText(const QString& text)
{
    QString shown;
    for (const QChar c : text)
        shown += c.unicode() < 0x20 || c.unicode() > 0x7E ? QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'))
                                                          : QString(c);
    return shown;
}

void requireDecodingKeptByEncoding(const QByteArray& file)
{
    const QString text = decodeLanguageFileText(file);
    require(!text.contains(QChar(0)), "a language file's text ends at its first NUL");
    // Bytes the code page leaves undefined came in as U+FFFD and go out as "?"; a mark
    // right behind the mark is read as a mark too, so a text that begins with one loses it.
    const bool undefinedAnsi = !file.startsWith("\xEF\xBB\xBF") && !file.startsWith("\xFF\xFE")
        && !file.startsWith("\xFE\xFF") && text.contains(QChar(QChar::ReplacementCharacter));
    if (!undefinedAnsi && !text.startsWith(QChar(QChar::ByteOrderMark)))
        require(decodeLanguageFileText(encodedLike(file, text)) == text,
                "a language file's text written again in its encoding reads the same", [&] { return shownText(text); });

    const QStringList lines = splitLanguageFileLines(text);
    for (const QString& line : lines)
        require(!line.contains(u'\r') && !line.contains(u'\n'), "a line holds no line break");
    QString written;
    for (const QString& line : lines)
        written += line + QStringLiteral("\r\n");
    require(splitLanguageFileLines(written) == lines, "the lines written with CR LF after each read as the same lines");

    // Control characters travel escaped and come back; an apostrophe of the text itself
    // may start what reads as an escape, so texts with one are left out.
    for (const QString& line : lines) {
        if (line.contains(u'\''))
            continue;
        const QString escaped = EncodeControlChars(line);
        require(std::ranges::none_of(escaped, [](QChar c) { return c.unicode() < 0x20; }),
                "an escaped text holds no control character", [&] { return shownText(escaped); });
        require(DecodeCharCodes(escaped) == line, "a text with its control characters escaped decodes to itself",
                [&] { return shownText(line) + QStringLiteral(" escaped as ") + shownText(escaped); });
    }
}

bool escapedTextsOnly(const LoadedLanguage& state)
{
    const auto plain = [](const QString& text) {
        return std::ranges::none_of(text, [](QChar c) { return c.unicode() < 0x20; });
    };
    for (const auto& [key, entry] : state.DataStruct) {
        if (!plain(entry.translation))
            return false;
    }
    bool allPlain = true;
    LoadedLanguage copy = state;
    copy.DataLexicon.forEachItem([&](TIndexedItem& item) { allPlain = allPlain && plain(item.text); });
    return allPlain;
}

// Everything a load leaves, as text, to tell two loads apart.
QString stateText(const LoadedLanguage& state)
{
    QString text = state.current.name + u'|' + state.current.code + u'|' + state.superior.name + u'|'
        + state.superior.code + u'\n';
    for (const auto& [key, entry] : state.DataStruct)
        text += key.component + u'/' + key.owner + u'/' + QString::number(key.propertyId) + u'/' + key.itemAddress
            + u'=' + entry.translation + u' ' + QString::number(entry.descent) + u' ' + QString::number(entry.flags)
            + u'\n';
    LoadedLanguage copy = state;
    copy.DataLexicon.forEachItem(
        [&](TIndexedItem& item) { text += item.text + u' ' + QString::number(item.descent) + u'\n'; });
    return text;
}

// A load fails only on a lexicon without a name.
bool namesAnEmptyLexicon(const QStringList& lines)
{
    const QString key = QStringLiteral("%LEXICON_NAME=");
    return std::ranges::any_of(lines, [&](const QString& line) {
        const QString value = LangFileLine::split(line).value;
        return value.contains(key) && KeyValue(value, key).isEmpty();
    });
}

void requireLoads(const TLangCoreData& languages, qsizetype position)
{
    const QString& name = languages.Languages[position];
    const LanguageLoader loader(languages, kSignature, kLangManLexicon);
    LoadedLanguage first;
    const bool loaded = loader.LoadLanguage(name, first);
    const std::optional<QStringList> lines = readLanguageFileLines(languages.FileNames[position]);
    require(lines.has_value(), "a listed language file can be read");
    require(loaded || namesAnEmptyLexicon(*lines), "a listed language loads unless a lexicon of it has no name",
            [&] { return name; });
    if (!loaded) {
        require(first.current.name == languages.Languages[0] && first.DataStruct.empty() && first.DataLexicon.isEmpty(),
                "a failed load leaves the design language with no texts");
        return;
    }
    require(first.current.name == name, "a loaded language is current", [&] { return name; });
    require(escapedTextsOnly(first), "loaded texts carry their control characters escaped");

    LoadedLanguage second;
    loader.LoadLanguage(name, second);
    require(stateText(second) == stateText(first), "loading a language again gives the same texts",
            [&] { return name; });
}

void requireHeaderNamesALanguage(const TLangCoreData& languages, qsizetype position)
{
    const QString& code = languages.LangCodes[position];
    require(code.isEmpty()
                || (code.size() == 2 && code != u"xx"
                    && std::ranges::all_of(code, [](QChar c) { return c >= u'a' && c <= u'z'; })),
            "a listed code is empty or two small letters", [&] { return code; });
    require(!languages.Languages[position].isEmpty(), "a listed language has a name");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QList<QByteArray> files = filesOf(QByteArrayView(data, qsizetype(size)));
    for (int index = 0; index < kMostFiles; ++index) {
        if (index < files.size())
            fuzz::writeScratchFile(fileName(index), files[index]);
        else
            QFile::remove(fileName(index));
    }
    for (const QByteArray& file : files)
        requireDecodingKeptByEncoding(file);

    TLangManEngine engine;
    engine.setDesignLanguageName(QStringLiteral("Русский"));
    engine.setDesignLangISOCode(QStringLiteral("ru"));
    engine.setExecutableDir(QFileInfo(languageFolder()).path());
    engine.setLangSubdirectory(kSubdirectory);
    engine.setLangFileSignature(kSignature);
    const TLangCoreData& languages = engine.languageList();
    for (qsizetype position = 1; position < languages.size(); ++position) {
        requireHeaderNamesALanguage(languages, position);
        requireLoads(languages, position);
    }
    return 0;
}
