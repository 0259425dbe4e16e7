#pragma once
#include "platform/command_line_answer.h"
#include "store/database_url.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <limits>
#include <optional>
#include <variant>

namespace record {

// What a recording is asked to be, from the command line.
struct RecordOptions {
    static constexpr std::chrono::seconds kDefaultLinkTimeout{60};
    // The longest wait the recorder can time: its timers count milliseconds in an int, so
    // a little over 596 hours. A longer duration or link timeout is refused, never cut.
    static constexpr std::chrono::milliseconds kLongestTimedWait{std::numeric_limits<int>::max()};

    QString port;                                           // empty: the dongle is looked for
    QString profilePath;                                    // empty: no part, the meter's own settings
    int partNumber = 0;                                     // of the profile, from 1
    QString binTablePath;                                   // empty: no bins
    std::optional<int> intervalItem;                        // 0: 0.5 s, 1: 1 s, 2: 2 s
    std::optional<int> count;                               // readings, then the recording ends
    std::optional<std::chrono::milliseconds> duration;      // from the first reading on
    std::chrono::seconds linkTimeout = kDefaultLinkTimeout; // 0: wait for the link for ever
    QString csvPath;                                        // empty: the CSV goes to standard output
    bool jsonLines = false;                                 // standard output carries JSON lines instead
    QString xlsxPath;                                       // empty: no workbook
    std::optional<store::DatabaseUrl> database;             // none: the local database at its place
    QString lot;                                            // empty: none
    QString station;                                        // empty: the host name
    QString operatorName;                                   // empty: the login name

    // JSON lines when asked for, else the CSV unless a file takes it.
    bool rowsGoToStandardOutput() const { return jsonLines || csvPath.isEmpty(); }

    bool operator==(const RecordOptions&) const = default;
};

using platform::CommandLineAnswer;

// The database is --db, else the one RLC_DATABASE names (given here), else the local one.
std::variant<RecordOptions, CommandLineAnswer> ReadRecordOptions(const QStringList& arguments,
                                                                 const QString& databaseFromEnvironment = {});

// "90", "90s", "15m", "2h" or "1.5h", to the nearest millisecond; nullopt for anything else,
// a length of nothing, or one longer than RecordOptions::kLongestTimedWait.
std::optional<std::chrono::milliseconds> ParseDuration(const QString& text);

} // namespace record
