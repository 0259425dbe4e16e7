#include "localisation/lang_file_lines.h"
#include "localisation/ansi_codepage.h"

#include <QFile>
#include <QStringDecoder>

namespace localisation {
namespace {

QString decodeWithMark(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder utf16le(QStringDecoder::Utf16LE);
        return utf16le(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16be(QStringDecoder::Utf16BE);
        return utf16be(bytes.mid(2));
    }
    return fromAnsi(bytes);
}

} // namespace

QString decodeLanguageFileText(const QByteArray& bytes)
{
    QString text = decodeWithMark(bytes);
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

QStringList splitLanguageFileLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

std::optional<QStringList> readLanguageFileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return splitLanguageFileLines(decodeLanguageFileText(bytes));
}

LangFileLine LangFileLine::split(const QString& line)
{
    const qsizetype tab = line.indexOf(u'\t');
    if (tab < 0)
        return {};
    return {line.left(tab), line.mid(tab + 1)};
}

std::optional<qint64> LangFileLine::number() const
{
    qsizetype pos = 0;
    if (pos < numberColumn.size() && (numberColumn[pos] == u'+' || numberColumn[pos] == u'-'))
        ++pos;
    if (pos == numberColumn.size())
        return std::nullopt;
    for (qsizetype i = pos; i < numberColumn.size(); ++i)
        if (numberColumn[i] < u'0' || numberColumn[i] > u'9')
            return std::nullopt;
    bool ok = false;
    const qint64 parsed = numberColumn.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return parsed;
}

} // namespace localisation
