#pragma once
#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

// Writes the bytes as the whole of the file, making its folder if needed: into a file beside
// it that then takes its place, so a failure or a crash halfway leaves the old file as it was.
// Returns why it could not be written, in words for the user, or nothing when it was.
std::optional<QString> WriteWholeFile(const QString& path, const QByteArray& bytes);

} // namespace platform
