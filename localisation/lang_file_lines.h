#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Turning the bytes of a language file into lines, and a line into its two columns.
namespace localisation {

// A byte-order mark picks UTF-8, UTF-16 LE or UTF-16 BE; without one the bytes are in the
// single-byte code page. A NUL character ends the text.
QString decodeLanguageFileText(const QByteArray& bytes);

// CR LF, a lone CR and a lone LF each end a line; a break at the very end adds no empty line.
QStringList splitLanguageFileLines(const QString& text);

// All lines of a file, or nothing when it cannot be read.
std::optional<QStringList> readLanguageFileLines(const QString& path);

// A line split at its first TAB. A line without a TAB has both columns empty.
struct LangFileLine {
    QString numberColumn;
    QString value;

    static LangFileLine split(const QString& line);
    // The number column as a decimal integer (optional sign, digits, nothing else).
    std::optional<qint64> number() const;
};

} // namespace localisation
