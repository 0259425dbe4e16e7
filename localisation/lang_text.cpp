#include "localisation/lang_text.h"

namespace localisation {

QString KeyValue(const QString& value, const QString& key)
{
    const qsizetype keyAt = value.indexOf(key);
    if (keyAt < 0)
        return {};
    const qsizetype start = keyAt + key.size();
    const qsizetype end = value.indexOf(u';', start);
    if (end < 0)
        return {};
    return value.mid(start, end - start);
}

QString QuotedText(const QString& value)
{
    const qsizetype first = value.indexOf(u'"');
    const qsizetype last = value.lastIndexOf(u'"');
    if (first < 0 || last == first)
        return {};
    return value.mid(first + 1, last - first - 1);
}

QString NormalizeLangCode(const QString& text)
{
    QString code = text.trimmed().left(2);
    for (QChar& c : code)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    const auto isLetter = [](QChar c) { return c >= u'a' && c <= u'z'; };
    if (code.size() != 2 || !isLetter(code[0]) || !isLetter(code[1]) || code == u"xx")
        return {};
    return code;
}

} // namespace localisation
