#include "localisation/lang_list.h"

#include <QDir>
#include <QFileInfo>

namespace localisation {
namespace {

qsizetype indexIgnoringCase(const QStringList& list, const QString& text)
{
    if (text.isEmpty())
        return -1;
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

void TLangCoreData::clear()
{
    Languages.clear();
    LangCodes.clear();
    FileNames.clear();
    FlagImages.clear();
}

void TLangCoreData::append(const QString& name, const QString& code, const QString& fileName, const QByteArray& flag)
{
    Languages << name;
    LangCodes << code;
    FileNames << fileName;
    FlagImages << flag;
}

qsizetype TLangCoreData::indexOfName(const QString& name) const
{
    return indexIgnoringCase(Languages, name);
}

qsizetype TLangCoreData::indexOfCodeOrName(const QString& codeOrName) const
{
    const qsizetype byCode = indexIgnoringCase(LangCodes, codeOrName);
    return byCode >= 0 ? byCode : indexOfName(codeOrName);
}

QString languageDirectory(const QString& executableDir, const QString& subdirectory)
{
    QString sub = subdirectory;
    QString dir;
    if (sub.startsWith(u'/')) {
        dir = sub;
    } else {
        if (sub.startsWith(u'\\'))
            sub.remove(0, 1);
        dir = executableDir;
        if (!dir.endsWith(u'/'))
            dir += u'/';
        dir += sub;
    }
    dir.replace(u'\\', u'/');
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

QStringList languageFilesIn(const QString& directory, const QString& extension)
{
    QStringList files;
    const QDir dir(directory);
    for (const QString& entry : dir.entryList(QDir::Files, QDir::Name)) {
        if (u'.' + QFileInfo(entry).suffix().toLower() == extension.toLower())
            files << directory + entry;
    }
    return files;
}

} // namespace localisation
