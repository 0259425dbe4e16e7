#include "record/chosen_part.h"

#include "bins/bin_table_csv.h"
#include "record/record_error.h"
#include "recording/file_error.h"
#include "recording/profile_file.h"

namespace record {

recording::PartRecord LoadChosenPart(const QString& profilePath, int partNumber)
{
    namespace profile_file = recording::profile_file;
    int partCount = 0;
    try {
        partCount = profile_file::ReadPartCount(profilePath);
    } catch (const recording::FileError& error) {
        throw RecordError(UsageError,
                          QStringLiteral("cannot read the profile: %1. Name a profile file (*.hex1) "
                                         "made by the logger with --profile.")
                              .arg(error.message()));
    }
    if (partCount == 0)
        throw RecordError(UsageError,
                          QStringLiteral("the profile %1 holds no part; store one in it with the "
                                         "logger first.")
                              .arg(profilePath));
    if (partNumber > partCount)
        throw RecordError(UsageError,
                          QStringLiteral("the profile %1 has no part %3: its parts are numbered 1 "
                                         "to %2; choose one of them with --part.")
                              .arg(profilePath)
                              .arg(partCount)
                              .arg(partNumber));
    try {
        return profile_file::LoadPart(profilePath, partNumber);
    } catch (const recording::FileError& error) {
        throw RecordError(
            UsageError, QStringLiteral("cannot read part %1 of the profile: %2").arg(partNumber).arg(error.message()));
    }
}

bins::BinTable LoadChosenBinTable(const QString& path)
{
    try {
        return bins::LoadBinTable(path);
    } catch (const recording::FileError& error) {
        throw RecordError(UsageError,
                          error.message() + QStringLiteral(". Correct the file, or name another with --bins."));
    }
}

} // namespace record
