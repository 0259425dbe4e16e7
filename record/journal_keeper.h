#pragma once
#include "record/recorded_row.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace localisation {
struct MainLexicons;
}
namespace recording {
class RecordingJournal;
}

namespace record {

class Console;

// The logger's recording journal, kept the same way: every row and every event of the
// link on disk the moment it happens, in the data folder's journal folder. A journal that
// cannot be kept is said, with the reason, and the recording goes on without it.
class JournalKeeper {
public:
    JournalKeeper(const QStringList& columnTitles, const localisation::MainLexicons& lexicons, Console& console);
    ~JournalKeeper();

    void write(const RecordedRow& row);
    void mark(const QString& event);
    // The journal could not be made, or a line of it could not be written.
    bool failed() const { return m_failed; }
    // Empty without a journal.
    QString path() const;

private:
    template <typename Writing> void keep(Writing writing);

    const localisation::MainLexicons& m_lexicons;
    Console& m_console;
    std::unique_ptr<recording::RecordingJournal> m_journal;
    bool m_failed = false;
};

} // namespace record
