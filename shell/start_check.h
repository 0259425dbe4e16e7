#pragma once
#include <QString>
#include <QStringList>

// The program refuses to start unless the English language file is found below the
// current working directory (not beside the executable) or, for an installed program, in
// its installed language folder.
QStringList englishLanguageFileCandidates(const QString& executableDir);
bool englishLanguageFilePresent(const QString& executableDir);
