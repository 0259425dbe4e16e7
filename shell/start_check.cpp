#include "shell/start_check.h"
#include "platform/install_paths.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

QStringList englishLanguageFileCandidates(const QString& executableDir)
{
    const QString fileName = QLatin1String(install_paths::kEnglishLanguageFile);
    return {QDir::current().filePath(QLatin1String(install_paths::kLanguageSubfolder) + u'/' + fileName),
            QDir(install_paths::installedLanguageFolder(executableDir)).filePath(fileName)};
}

bool englishLanguageFilePresent(const QString& executableDir)
{
    const QStringList candidates = englishLanguageFileCandidates(executableDir);
    return std::any_of(candidates.begin(), candidates.end(),
                       [](const QString& path) { return QFileInfo::exists(path); });
}
