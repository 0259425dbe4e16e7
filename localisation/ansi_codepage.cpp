#include "localisation/ansi_codepage.h"

#include <QHash>
#include <array>
#include <iconv.h>

namespace localisation {
namespace {

constexpr const char* kCodePage = "WINDOWS-1251";

// Both directions come from iconv once: the 256 code-page bytes decoded to Unicode.
struct CodePageTables {
    std::array<char32_t, 256> decode{};
    QHash<char32_t, char> encode;

    CodePageTables()
    {
        iconv_t cd = iconv_open("UTF-32LE", kCodePage);
        for (std::size_t b = 0; b < decode.size(); ++b) {
            char in = char(b);
            char32_t out = 0xFFFD;
            char* inPtr = &in;
            size_t inLeft = 1;
            char* outPtr = reinterpret_cast<char*>(&out);
            size_t outLeft = sizeof out;
            if (cd == iconv_t(-1) || iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
                out = 0xFFFD;
            decode[b] = out;
            if (out != 0xFFFD && !encode.contains(out))
                encode.insert(out, char(b));
        }
        if (cd != iconv_t(-1))
            iconv_close(cd);
    }
};

const CodePageTables& tables()
{
    static const CodePageTables instance;
    return instance;
}

} // namespace

QByteArray toAnsi(const QString& text)
{
    const auto& t = tables();
    QByteArray out;
    out.reserve(text.size());
    for (char32_t cp : text.toUcs4()) {
        auto it = t.encode.constFind(cp);
        out += it != t.encode.constEnd() ? *it : '?';
    }
    return out;
}

QString fromAnsi(const QByteArray& bytes)
{
    const auto& t = tables();
    std::u32string s;
    s.reserve(std::size_t(bytes.size()));
    for (char b : bytes)
        s += t.decode[quint8(b)];
    return QString::fromUcs4(s.data(), qsizetype(s.size()));
}

} // namespace localisation
