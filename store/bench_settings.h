#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace store {

// What the window keeps about its bench beside the state file, whose layout is fixed: the
// database it records into, the station's and operator's names (empty: the computer's), and
// the lot in work. A file of its own in the configuration folder, UTF-8, one setting a line:
//
//   # what the logger keeps about its bench
//   database=postgresql://ann@db.example/lab
//   station=bench 7
//   operator=ann
//   lot=24-117
//
// Blank lines and lines starting with # are skipped. A database URL is kept without a
// password: credentials belong in ~/.pgpass or the PG* variables, never in this file.
struct BenchSettings {
    QString database; // empty: the environment's RLC_DATABASE, else the local file
    QString station;
    QString operatorName;
    QString lot;
    bool operator==(const BenchSettings&) const = default;
};

// The settings a file's bytes hold, and a problem for each line that could not be taken
// ("line 3: ..."); what those lines would have set stays as it was.
struct BenchSettingsReading {
    BenchSettings settings;
    QStringList problems;
};
BenchSettingsReading ReadBenchSettings(const QByteArray& bytes);

// Why these settings cannot be kept (a database URL that cannot be read or that carries a
// password), or empty.
QString BenchSettingsProblem(const BenchSettings& settings);
// The file's bytes; the settings must have no problem.
QByteArray BenchSettingsBytes(const BenchSettings& settings);

// $XDG_CONFIG_HOME/RLC_Data/bench.conf.
QString DefaultBenchSettingsPath();
// A missing file is the defaults. StoreError when the file exists and cannot be read.
BenchSettingsReading LoadBenchSettings(const QString& path);
// Replaces the file at once (never half written). StoreError with the reason.
void SaveBenchSettings(const QString& path, const BenchSettings& settings);

} // namespace store
