#pragma once
#include "platform/command_line_answer.h"
#include "report/lot.h"
#include "report/report_files.h"
#include "store/database_url.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace report {

// What a report is asked to be, from the command line: a lot from a journal or from a
// database, which readings of it, and the files to write.
struct ReportOptions {
    QString journalPath;                        // the lot from this journal, or
    std::optional<store::DatabaseUrl> database; // from this database
    QString lot;                                // the lot's name in the database
    LotFilter filter;
    ReportPaths outputs;
};

// The database is --db, else the one RLC_DATABASE names (given here) when no journal is.
std::variant<ReportOptions, platform::CommandLineAnswer> ReadReportOptions(const QStringList& arguments,
                                                                           const QString& databaseFromEnvironment = {});

} // namespace report
