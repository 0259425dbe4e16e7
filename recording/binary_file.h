#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>

namespace recording {

// A file opened for one operation, with positioned reads and writes that report failures
// as FileError.
class BinaryFile {
public:
    enum class Mode {
        ReadOnly,     // an existing file
        ReadWrite,    // an existing file, or a new empty one
        ExistingOnly, // an existing file, read and written
        Truncate,     // a new or emptied file
    };
    BinaryFile(const QString& path, Mode mode);

    qint64 size() const { return m_file.size(); }
    // Exactly `length` bytes at `offset`; fewer bytes in the file are an error.
    QByteArray readAt(qint64 offset, qint64 length);
    // Up to `length` bytes at `offset`; what lies behind the end of the file is missing.
    QByteArray readUpTo(qint64 offset, qint64 length);
    // Writes at `offset`; a gap behind the current end is filled with zeros.
    void writeAt(qint64 offset, const QByteArray& bytes);
    void close();

private:
    [[noreturn]] void fail(const QString& what) const;

    QFile m_file;
};

QByteArray EncodeInt32(qint32 value);
qint32 DecodeInt32(const QByteArray& bytes, qsizetype offset);

} // namespace recording
