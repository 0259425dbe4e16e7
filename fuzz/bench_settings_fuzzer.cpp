// The bench settings file in the configuration folder, as the window reads it at its start
// and writes it when the bench window is closed. Each line that cannot be taken is said
// with its number; what is read can be kept as it is; its database carries no password
// libpq would read; and the settings written and read again are
// the same settings, with nothing to say about them.
//
// The input: the file.
#include "fuzz/fuzz_property.h"
#include "fuzz/scratch_folder.h"
#include "store/bench_settings.h"
#include "store/store_error.h"

#include <libpq-fe.h>

#include <QRegularExpression>

#include <cstdint>

namespace {

using fuzz::require;
using store::BenchSettings;

QString settingsText(const BenchSettings& settings)
{
    return QStringLiteral("database \"%1\", station \"%2\", operator \"%3\", lot \"%4\"")
        .arg(settings.database, settings.station, settings.operatorName, settings.lot);
}

// Whether libpq, reading the database setting as a URL, finds a password in it.
bool libpqReadsPassword(const QString& database)
{
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(database.toUtf8().constData(), &error);
    PQfreemem(error);
    bool found = false;
    for (const PQconninfoOption* option = options; option && option->keyword; ++option)
        found = found || (qstrcmp(option->keyword, "password") == 0 && option->val && *option->val);
    PQconninfoFree(options);
    return found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString readPath = fuzz::scratchPath(QStringLiteral("read/bench.conf"));
    static const QString writtenPath = fuzz::scratchPath(QStringLiteral("written/bench.conf"));
    static const QRegularExpression numberedProblem(QStringLiteral("^line [1-9][0-9]*: \\S"));
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QDir().mkpath(QFileInfo(readPath).absolutePath());
    fuzz::writeScratchFile(readPath, bytes);

    const store::BenchSettingsReading reading = store::LoadBenchSettings(readPath);
    const BenchSettings& settings = reading.settings;
    const auto details = [&] { return fuzz::shown(bytes) + QStringLiteral(" read as ") + settingsText(settings); };
    for (const QString& problem : reading.problems)
        require(numberedProblem.match(problem).hasMatch(), "a line not taken is said with its number",
                [&] { return fuzz::shown(bytes) + QStringLiteral(": ") + problem; });
    require(!libpqReadsPassword(settings.database), "a database read carries no password", details);
    const QString problem = store::BenchSettingsProblem(settings);
    require(problem.isEmpty(), "settings read can be kept as they are", [&] { return details() + ": " + problem; });

    try {
        store::SaveBenchSettings(writtenPath, settings);
    } catch (const store::StoreError& error) {
        fuzz::propertyFailed("settings read can be written", details() + QStringLiteral(": ") + error.message());
    }
    const store::BenchSettingsReading again = store::LoadBenchSettings(writtenPath);
    require(again.problems.isEmpty(), "settings written read without a problem",
            [&] { return details() + QStringLiteral(": ") + again.problems.join(u'\n'); });
    require(again.settings == settings, "settings written and read again are the same settings",
            [&] { return details() + QStringLiteral(", again as ") + settingsText(again.settings); });
    return 0;
}
