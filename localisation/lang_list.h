#pragma once
#include "localisation/lang_header.h"

#include <QList>

// The languages the engine can switch to: the design language first, then one entry per
// language file, all searched without regard to letter case.
namespace localisation {

struct TLangCoreData {
    QStringList Languages;        // names
    QStringList LangCodes;        // normalised codes, possibly empty
    QStringList FileNames;        // full paths; the design language carries its own name
    QList<QByteArray> FlagImages; // possibly empty

    void clear();
    void append(const QString& name, const QString& code, const QString& fileName, const QByteArray& flag);
    qsizetype size() const { return Languages.size(); }

    // Position of a name (letter case ignored), or -1.
    qsizetype indexOfName(const QString& name) const;
    // Position by code first, then by name; -1 when neither is listed.
    qsizetype indexOfCodeOrName(const QString& codeOrName) const;
};

// The folder of the language files: an absolute subdirectory stands as it is, anything
// else is taken below the executable's folder. Always ends with "/".
QString languageDirectory(const QString& executableDir, const QString& subdirectory);

// Language files in the folder, sorted by file name so the list does not depend on the
// order in which the file system happens to return them.
QStringList languageFilesIn(const QString& directory, const QString& extension);

} // namespace localisation
