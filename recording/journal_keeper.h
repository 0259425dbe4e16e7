#pragma once
#include "recording/journal_event.h"
#include "recording/log_cell.h"
#include "recording/logged_reading.h"
#include "recording/row_numbers.h"
#include "recording/tolerance.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace localisation {
struct MainLexicons;
}

namespace recording {

class RecordingJournal;

// One recording's journal, kept the same way by the window and the recorder: every row and
// every event on disk the moment it happens, in the data folder's journal folder. A journal
// that cannot be made or written is said once, with the file and the reason, and given up:
// a file that lost a line would tell a wrong story. The recording goes on without it.
class JournalKeeper {
public:
    using Say = std::function<void(const QString& line)>;

    // Opens the journal and says where it is, or says why it cannot be kept.
    JournalKeeper(const QStringList& columnTitles, const localisation::MainLexicons& lexicons, Say say);
    ~JournalKeeper();

    void write(const LogRowTexts& cells, const QDateTime& when, VerdictCode verdict,
               const std::optional<RowNumbers>& numbers, const PartInForce& part,
               const PrimaryReferenceValue& reference);
    void mark(JournalEvent event, const QDateTime& when);
    // The bin table in force changed: tableFile as the table's file is written, empty once
    // the part has none.
    void markBinTable(const QDateTime& when, const PartInForce& part, const QString& tableFile);
    // The journal could not be made, or a line of it could not be written.
    bool failed() const { return m_failed; }
    // Empty without a journal.
    QString path() const;

private:
    template <typename Writing> void keep(Writing writing);

    const localisation::MainLexicons& m_lexicons;
    Say m_say;
    std::unique_ptr<RecordingJournal> m_journal;
    bool m_failed = false;
};

} // namespace recording
