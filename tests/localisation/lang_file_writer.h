#pragma once
// Writes language files for tests byte for byte, in any of the encodings a file can have.
#include "localisation/ansi_codepage.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QStringList>
#include <QTemporaryDir>

namespace localisation::testing {

enum class Encoding { Utf8WithMark, Utf8WithoutMark, Utf16LE, Utf16BE, Ansi };

inline QByteArray encodeLanguageFile(const QString& text, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8WithMark: return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case Encoding::Utf8WithoutMark: return text.toUtf8();
    case Encoding::Utf16LE: return QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE)(text);
    case Encoding::Utf16BE: return QByteArray("\xFE\xFF") + QStringEncoder(QStringEncoder::Utf16BE)(text);
    case Encoding::Ansi: return toAnsi(text);
    }
    return {};
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

// Lines joined with CR LF, as language files are written.
inline void writeLanguageFile(const QString& path, const QStringList& lines, Encoding encoding = Encoding::Utf8WithMark)
{
    writeBytes(path, encodeLanguageFile(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), encoding));
}

// A temporary folder that stands for the executable's folder, with "lang" below it.
class LangFolder {
public:
    LangFolder() { QDir(m_root.path()).mkdir(QStringLiteral("lang")); }
    QString exeDir() const { return m_root.path(); }
    QString path(const QString& fileName) const { return m_root.path() + QStringLiteral("/lang/") + fileName; }
    void write(const QString& fileName, const QStringList& lines, Encoding encoding = Encoding::Utf8WithMark) const
    {
        writeLanguageFile(path(fileName), lines, encoding);
    }

private:
    QTemporaryDir m_root;
};

// The folder of the committed fixture files; its "lang" holds english.lng and basic.lng.
inline QString fixturesExeDir()
{
    return QStringLiteral(RLC_TEST_SOURCE_DIR "/fixtures");
}

} // namespace localisation::testing
