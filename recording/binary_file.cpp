#include "recording/binary_file.h"

#include "recording/file_error.h"

#include <QtEndian>

namespace recording {
namespace {

QIODevice::OpenMode openModeFor(BinaryFile::Mode mode)
{
    switch (mode) {
    case BinaryFile::Mode::ReadOnly: return QIODevice::ReadOnly;
    case BinaryFile::Mode::ReadWrite: return QIODevice::ReadWrite;
    case BinaryFile::Mode::ExistingOnly: return QIODevice::ReadWrite | QIODevice::ExistingOnly;
    case BinaryFile::Mode::Truncate: return QIODevice::ReadWrite | QIODevice::Truncate;
    }
    return QIODevice::NotOpen;
}

} // namespace

BinaryFile::BinaryFile(const QString& path, Mode mode) : m_file(path)
{
    if (!m_file.open(openModeFor(mode)))
        fail(QStringLiteral("cannot open"));
}

QByteArray BinaryFile::readAt(qint64 offset, qint64 length)
{
    QByteArray bytes = readUpTo(offset, length);
    if (bytes.size() != length)
        fail(QStringLiteral("ends before byte %1").arg(offset + length));
    return bytes;
}

QByteArray BinaryFile::readUpTo(qint64 offset, qint64 length)
{
    if (offset >= m_file.size())
        return {};
    if (!m_file.seek(offset))
        fail(QStringLiteral("cannot seek to byte %1").arg(offset));
    QByteArray bytes = m_file.read(length);
    if (bytes.isNull() && m_file.error() != QFileDevice::NoError)
        fail(QStringLiteral("cannot read"));
    return bytes;
}

void BinaryFile::writeAt(qint64 offset, const QByteArray& bytes)
{
    const qint64 end = m_file.size();
    const bool gap = offset > end;
    if (!m_file.seek(gap ? end : offset))
        fail(QStringLiteral("cannot seek to byte %1").arg(offset));
    const QByteArray data = gap ? QByteArray(offset - end, '\0') + bytes : bytes;
    if (m_file.write(data) != data.size())
        fail(QStringLiteral("cannot write"));
}

void BinaryFile::close()
{
    if (m_file.isWritable() && !m_file.flush())
        fail(QStringLiteral("cannot write"));
    m_file.close();
}

void BinaryFile::fail(const QString& what) const
{
    QString reason = m_file.errorString();
    throw FileError(QStringLiteral("%1: %2 (%3)").arg(m_file.fileName(), what, reason));
}

QByteArray EncodeInt32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

qint32 DecodeInt32(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

} // namespace recording
