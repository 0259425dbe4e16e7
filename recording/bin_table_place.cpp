#include "recording/bin_table_place.h"

#include "recording/state_file.h"

#include <QDir>

namespace recording {
namespace {

constexpr char16_t kFirstPrintable = u' ';
constexpr char16_t kDelete = u'\x7f';
constexpr int kHexDigits = 2;
constexpr int kHexBase = 16;

bool refusedAnywhere(QChar character)
{
    return character.unicode() < kFirstPrintable || character.unicode() == kDelete
        || QStringView(u"%/\\:*?\"<>|").contains(character);
}

QString escaped(QChar character)
{
    return u'%' + QString::number(character.unicode(), kHexBase).toUpper().rightJustified(kHexDigits, u'0');
}

} // namespace

QString BinTableFolder(const QString& profilePath)
{
    return profilePath + QStringLiteral(".bins");
}

QString PartBinTablePath(const QString& profilePath, const QString& partName)
{
    return QDir(BinTableFolder(profilePath)).filePath(BinTableFileName(partName) + QStringLiteral(".csv"));
}

QString SinglePartBinTablePath()
{
    return state_file::DefaultFolder() + QStringLiteral("/bins/current.csv");
}

QString BinTableFileName(const QString& partName)
{
    if (partName.isEmpty())
        return QStringLiteral("%");
    QString name;
    for (qsizetype at = 0; at < partName.size(); ++at) {
        const QChar character = partName[at];
        const bool first = at == 0, last = at == partName.size() - 1;
        const bool special = refusedAnywhere(character) || (first && character == u'.')
            || (last && (character == u'.' || character == u' '));
        name += special ? escaped(character) : QString(character);
    }
    return name;
}

} // namespace recording
