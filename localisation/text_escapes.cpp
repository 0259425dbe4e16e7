#include "localisation/text_escapes.h"

namespace localisation {

QString EncodeControlChars(const QString& text)
{
    QString out;
    out.reserve(text.size());
    bool afterEscape = false;
    for (QChar c : text) {
        const ushort code = c.unicode();
        if (code == 0)
            continue;
        // "#" and digits right behind an escape would read as more of it ("'#9'#1" is TAB
        // and code 1), so such a "#" travels as an escape too.
        if (code < 32 || (afterEscape && c == u'#')) {
            out += QStringLiteral("'#%1'").arg(code);
            afterEscape = true;
        } else {
            out += c;
            afterEscape = false;
        }
    }
    return out;
}

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads the digits at pos; returns false when there are none. A value that does not fit
// a character is reported through tooLarge so the caller can leave the escape alone.
bool readCode(const QString& s, qsizetype& pos, uint& code, bool& tooLarge)
{
    if (pos >= s.size() || !isDigit(s[pos]))
        return false;
    quint64 value = 0;
    tooLarge = false;
    while (pos < s.size() && isDigit(s[pos])) {
        value = value * 10 + (s[pos].unicode() - u'0');
        if (value > 65535)
            tooLarge = true;
        if (value > 1000000)
            value = 1000000; // keeps the number bounded; it is too large either way
        ++pos;
    }
    code = uint(value);
    return true;
}

} // namespace

QString DecodeCharCodes(const QString& text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        if (text[i] != u'\'') {
            out += text[i++];
            continue;
        }
        // An apostrophe starts an escape only when "#" follows, with at most one blank.
        qsizetype hash = i + 1;
        if (hash < n && text[hash] == u' ')
            ++hash;
        if (hash >= n || text[hash] != u'#') {
            out += text[i++];
            continue;
        }
        qsizetype pos = hash + 1;
        uint code = 0;
        bool tooLarge = false;
        if (!readCode(text, pos, code, tooLarge)) {
            out += text.mid(i, hash + 1 - i);
            i = hash + 1;
            continue;
        }
        if (tooLarge) {
            out += text.mid(i, pos - i);
            i = pos;
            continue;
        }
        out += QChar(char16_t(code));
        // After the digits one blank and one apostrophe are skipped; "#digits" directly
        // after an escape continue it without a new apostrophe ("'#13#10").
        for (;;) {
            if (pos < n && text[pos] == u' ')
                ++pos;
            if (pos < n && text[pos] == u'\'')
                ++pos;
            if (!(pos + 1 < n && text[pos] == u'#' && isDigit(text[pos + 1])))
                break;
            qsizetype next = pos + 1;
            readCode(text, next, code, tooLarge);
            if (tooLarge) {
                out += text.mid(pos, next - pos);
                pos = next;
                break;
            }
            out += QChar(char16_t(code));
            pos = next;
        }
        i = pos;
    }
    return out;
}

} // namespace localisation
