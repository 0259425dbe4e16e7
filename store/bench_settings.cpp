#include "store/bench_settings.h"

#include "platform/whole_file.h"
#include "store/database_url.h"
#include "store/store_error.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <array>

namespace store {
namespace {

constexpr char kHeader[] = "# what the logger keeps about its bench\n";

struct Key {
    const char* name;
    QString BenchSettings::*field;
};

const std::array<Key, 4> kKeys{{
    {"database", &BenchSettings::database},
    {"station", &BenchSettings::station},
    {"operator", &BenchSettings::operatorName},
    {"lot", &BenchSettings::lot},
}};

const Key* keyNamed(QStringView name)
{
    for (const Key& key : kKeys) {
        if (name == QLatin1String(key.name))
            return &key;
    }
    return nullptr;
}

// Why a database setting cannot be kept, or empty.
QString databaseProblem(const QString& text)
{
    if (text.isEmpty())
        return {};
    const auto read = ReadDatabaseUrl(text);
    if (const auto* problem = std::get_if<QString>(&read))
        return *problem;
    const DatabaseUrl& url = std::get<DatabaseUrl>(read);
    if (url.carriesPassword())
        return QStringLiteral("the database URL carries a password, which is not kept; put it in ~/.pgpass or "
                              "PGPASSWORD instead");
    return {};
}

} // namespace

BenchSettingsReading ReadBenchSettings(const QByteArray& bytes)
{
    BenchSettingsReading reading;
    // A line ends as on any system, so a carriage return is never taken into a value.
    static const QRegularExpression lineEnd(QStringLiteral("\\r\\n?|\\n"));
    const QStringList lines = QString::fromUtf8(bytes).split(lineEnd);
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString line = lines[index].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const auto problem = [&](const QString& what) {
            reading.problems << QStringLiteral("line %1: %2").arg(index + 1).arg(what);
        };
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) {
            problem(QStringLiteral("'%1' is no setting=value").arg(line));
            continue;
        }
        const QString name = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        const Key* key = keyNamed(name);
        if (!key) {
            problem(QStringLiteral("there is no setting '%1'").arg(name));
            continue;
        }
        if (key->field == &BenchSettings::database) {
            if (const QString why = databaseProblem(value); !why.isEmpty()) {
                problem(why);
                continue;
            }
        }
        reading.settings.*key->field = value;
    }
    return reading;
}

QString BenchSettingsProblem(const BenchSettings& settings)
{
    for (const Key& key : kKeys) {
        const QString& value = settings.*key.field;
        if (value.contains(u'\n') || value.contains(u'\r'))
            return QStringLiteral("the %1 must fit on one line").arg(QLatin1String(key.name));
    }
    return databaseProblem(settings.database.trimmed());
}

QByteArray BenchSettingsBytes(const BenchSettings& settings)
{
    QByteArray bytes(kHeader);
    for (const Key& key : kKeys) {
        const QString& value = settings.*key.field;
        if (!value.trimmed().isEmpty())
            bytes += QByteArray(key.name) + '=' + value.trimmed().toUtf8() + '\n';
    }
    return bytes;
}

QString DefaultBenchSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/RLC_Data/bench.conf");
}

BenchSettingsReading LoadBenchSettings(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("cannot read the bench settings %1: %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
    return ReadBenchSettings(file.readAll());
}

void SaveBenchSettings(const QString& path, const BenchSettings& settings)
{
    const auto fail = [&path](const QString& reason) {
        throw StoreError(
            QStringLiteral("cannot write the bench settings %1: %2").arg(QDir::toNativeSeparators(path), reason));
    };
    if (const QString problem = BenchSettingsProblem(settings); !problem.isEmpty())
        fail(problem);
    if (const std::optional<QString> problem = platform::WriteWholeFile(path, BenchSettingsBytes(settings)))
        fail(*problem);
}

} // namespace store
