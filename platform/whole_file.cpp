#include "platform/whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

std::optional<QString> WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("the folder %1 cannot be made").arg(QDir::toNativeSeparators(folder));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace platform
