#include "record/journal_keeper.h"

#include "localisation/main_lexicons.h"
#include "record/console.h"
#include "recording/file_error.h"
#include "recording/recording_journal.h"

#include <QDir>

namespace record {

JournalKeeper::JournalKeeper(const QStringList& columnTitles, const localisation::MainLexicons& lexicons,
                             Console& console) :
    m_lexicons(lexicons),
    m_console(console)
{
    keep([&] {
        m_journal = std::make_unique<recording::RecordingJournal>(recording::RecordingJournal::defaultFolder(),
                                                                  QDateTime::currentDateTime(), columnTitles);
        m_console.say(m_lexicons.D4.GetItem(localisation::JournalOpened) + QDir::toNativeSeparators(m_journal->path()));
    });
}

JournalKeeper::~JournalKeeper() = default;

void JournalKeeper::write(const RecordedRow& row)
{
    keep([&] { m_journal->appendRow(row.cells, row.when, row.verdict, row.numbers); });
}

void JournalKeeper::mark(const QString& event)
{
    keep([&] { m_journal->appendEvent(QDateTime::currentDateTime(), event); });
}

QString JournalKeeper::path() const
{
    return m_journal ? m_journal->path() : QString();
}

// After a failure the journal is given up: a file that lost a line would tell a wrong story.
template <typename Writing> void JournalKeeper::keep(Writing writing)
{
    if (m_failed)
        return;
    try {
        writing();
    } catch (const recording::FileError& error) {
        m_failed = true;
        m_journal.reset();
        m_console.say(m_lexicons.D4.GetItem(localisation::JournalNotKept) + error.message());
    }
}

} // namespace record
