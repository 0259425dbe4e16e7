#pragma once
// Where the program finds its own files. In the build folder everything sits beside the
// executable, and that keeps priority; an installed program finds them in its installed
// folders, located relative to the executable so that an installation moved to another
// prefix still finds them.
#include <QString>
#include <QStringList>

namespace install_paths {

inline constexpr char kLanguageSubfolder[] = "lang";
inline constexpr char kEnglishLanguageFile[] = "eng.lng";

// The installed language folder of an executable in executableDir (…/share/rlc-logger/lang).
QString installedLanguageFolder(const QString& executableDir);

// The folders to load the port finder library from, in this order: the executable's own,
// then the installed private library folder (…/lib/rlc-logger).
QStringList portFinderFolders(const QString& executableDir);

// The language folder for the translation engine: the relative "lang" (below the folder the
// engine takes as the executable's) when the English file is beside the executable, else
// the installed language folder as an absolute path.
QString languageSubdirectory(const QString& executableDir);

} // namespace install_paths
