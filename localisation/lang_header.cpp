#include "localisation/lang_header.h"
#include "localisation/lang_file_lines.h"
#include "localisation/lang_text.h"

namespace localisation {
namespace {

constexpr qsizetype kMinLinesOfLanguageFile = 3;
constexpr qsizetype kMaxFlagBytesPerLine = 256;

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

QString trimmedOfControls(const QString& line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && line[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && line[end - 1].unicode() <= u' ')
        --end;
    return line.mid(begin, end - begin);
}

bool isFlagMarker(const QString& value)
{
    return value.size() > 2 && !value.startsWith(u'"') && value.contains(u"%FLAG_ICON");
}

} // namespace

QString signatureLine(const QString& signature)
{
    return u'[' + signature + u']';
}

bool isSignatureLine(const QString& line, const QString& signature)
{
    return trimmedOfControls(line) == signatureLine(signature);
}

LangFileHeader parseLangFileHeader(const QStringList& lines, const QString& signature)
{
    if (lines.size() < kMinLinesOfLanguageFile || !isSignatureLine(lines[0], signature))
        return {};

    LangFileHeader header;
    qsizetype headerLine = 1;
    for (; headerLine < lines.size(); ++headerLine) {
        const QString value = LangFileLine::split(lines[headerLine]).value;
        if (!value.contains(u"%LANGUAGE_NAME="))
            continue;
        header.ids.Code = KeyValue(value, QStringLiteral("%CODE="));
        header.ids.Name = QuotedText(value);
        if (!header.ids.Name.isEmpty())
            break;
    }
    if (header.ids.Name.isEmpty())
        return {};
    header.ids.Code = NormalizeLangCode(header.ids.Code);

    for (qsizetype i = headerLine + 1; i < lines.size(); ++i) {
        if (isFlagMarker(LangFileLine::split(lines[i]).value)) {
            header.flagImage = parseFlagImage(lines.mid(i + 1));
            break;
        }
    }
    return header;
}

LangFileHeader readLangFileHeader(const QString& path, const QString& signature)
{
    const std::optional<QStringList> lines = readLanguageFileLines(path);
    if (!lines)
        return {};
    return parseLangFileHeader(*lines, signature);
}

QByteArray parseFlagImage(const QStringList& flagLines)
{
    QByteArray image;
    for (const QString& line : flagLines) {
        const QString value = LangFileLine::split(line).value;
        for (qsizetype i = 0, bytes = 0; i + 1 < value.size() && bytes < kMaxFlagBytesPerLine; i += 2, ++bytes) {
            const int high = hexDigit(value[i]);
            const int low = hexDigit(value[i + 1]);
            if (high < 0 || low < 0)
                break;
            image.append(char(high * 16 + low));
        }
    }
    return image;
}

} // namespace localisation
