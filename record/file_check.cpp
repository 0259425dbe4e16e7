#include "record/file_check.h"

#include "record/record_error.h"

#include <QFile>

namespace record {

// A file that was not there is made to see that it can be, and taken away again.
void CheckCanBeWritten(const QString& path, const QString& what)
{
    QFile file(path);
    const bool existed = file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw RecordError(FileNotWritten, QStringLiteral("cannot write %1 %2: %3").arg(what, path, file.errorString()));
    file.close();
    if (!existed)
        file.remove();
}

} // namespace record
