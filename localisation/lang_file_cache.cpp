#include "localisation/lang_file_cache.h"

#include "localisation/lang_file_lines.h"

#include <QFileInfo>

namespace localisation {

std::optional<QStringList> LangFileCache::lines(const QString& path)
{
    const QFileInfo file(path);
    const auto known = m_readings.constFind(path);
    if (known != m_readings.constEnd() && file.exists() && known->modified == file.lastModified()
        && known->size == file.size())
        return known->lines;
    m_readings.remove(path);
    std::optional<QStringList> read = readLanguageFileLines(path);
    if (read)
        m_readings.insert(path, {file.lastModified(), file.size(), *read});
    return read;
}

} // namespace localisation
