#pragma once
#include <QDateTime>
#include <QHash>
#include <QStringList>

#include <optional>

namespace localisation {

// The lines of the language files read so far. The language list reads every file for its
// header, and a switch reads the chosen language's file (and those of its superiors) for
// its texts: both take the lines of one reading and decoding. A file is read again only
// when it has changed on disk since (its time or size), and a file that went is gone here too.
class LangFileCache {
public:
    // All lines of the file, or nothing when it cannot be read.
    std::optional<QStringList> lines(const QString& path);

private:
    struct Reading {
        QDateTime modified;
        qint64 size = 0;
        QStringList lines;
    };
    QHash<QString, Reading> m_readings;
};

} // namespace localisation
