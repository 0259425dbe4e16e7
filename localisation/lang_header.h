#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// The header of a language file: what the language list needs without loading the texts.
namespace localisation {

struct TLangIDs {
    QString Name; // empty: not a language file
    QString Code; // normalised two-letter code, possibly empty
};

struct LangFileHeader {
    TLangIDs ids;
    QByteArray flagImage; // a bitmap when it starts with "BM", an icon otherwise; may be empty
};

// The signature line as written: "[" + signature + "]".
QString signatureLine(const QString& signature);
// Whether a file's first line is the signature line. Blanks and control characters around
// it do not count, for the list and the loader alike.
bool isSignatureLine(const QString& line, const QString& signature);

// An empty header when the file is missing, unreadable, shorter than three lines, lacks
// the signature line or names no language.
LangFileHeader readLangFileHeader(const QString& path, const QString& signature);
LangFileHeader parseLangFileHeader(const QStringList& lines, const QString& signature);

// The bytes of the flag lines: hexadecimal pairs of each value, at most 256 bytes per line,
// up to the first character that is not a hexadecimal digit.
QByteArray parseFlagImage(const QStringList& flagLines);

} // namespace localisation
