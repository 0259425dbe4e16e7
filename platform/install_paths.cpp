#include "platform/install_paths.h"

#include <QDir>
#include <QFileInfo>

namespace install_paths {

namespace {

QString besideExecutable(const QString& executableDir, const QString& relativePath)
{
    return QDir::cleanPath(executableDir + u'/' + relativePath);
}

} // namespace

QString installedLanguageFolder(const QString& executableDir)
{
    return besideExecutable(executableDir,
                            QStringLiteral(RLC_DATADIR_FROM_BINDIR "/") + QLatin1String(kLanguageSubfolder));
}

QStringList portFinderFolders(const QString& executableDir)
{
    return {QDir::cleanPath(executableDir),
            besideExecutable(executableDir, QStringLiteral(RLC_PRIVATE_LIBDIR_FROM_BINDIR))};
}

QString languageSubdirectory(const QString& executableDir)
{
    const QString beside = QLatin1String(kLanguageSubfolder);
    if (QFileInfo::exists(QDir(executableDir).filePath(beside + u'/' + QLatin1String(kEnglishLanguageFile))))
        return beside;
    return installedLanguageFolder(executableDir);
}

} // namespace install_paths
