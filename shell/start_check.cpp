#include "start_check.h"

#include <QDir>
#include <QFileInfo>

QString englishLanguageFilePath()
{
    return QDir::currentPath() + QStringLiteral("/lang/eng.lng");
}

bool englishLanguageFilePresent()
{
    return QFileInfo::exists(englishLanguageFilePath());
}
