#include "recording/journal_keeper.h"

#include "localisation/main_lexicons.h"
#include "recording/file_error.h"
#include "recording/recording_journal.h"

#include <QDir>

namespace recording {

JournalKeeper::JournalKeeper(const QStringList& columnTitles, const localisation::MainLexicons& lexicons, Say say) :
    m_lexicons(lexicons), m_say(std::move(say))
{
    keep([&] {
        m_journal = std::make_unique<RecordingJournal>(RecordingJournal::defaultFolder(), QDateTime::currentDateTime(),
                                                       columnTitles);
        m_say(m_lexicons.D4.GetItem(localisation::JournalOpened) + QDir::toNativeSeparators(m_journal->path()));
    });
}

JournalKeeper::~JournalKeeper() = default;

void JournalKeeper::write(const LogRowTexts& cells, const QDateTime& when, VerdictCode verdict,
                          const std::optional<RowNumbers>& numbers, const PartInForce& part,
                          const PrimaryReferenceValue& reference)
{
    keep([&] { m_journal->appendRow(cells, when, verdict, numbers, part, reference); });
}

void JournalKeeper::markBinTable(const QDateTime& when, const PartInForce& part, const QString& tableFile)
{
    keep([&] { m_journal->appendBinTable(when, part, tableFile); });
}

void JournalKeeper::mark(JournalEvent event, const QDateTime& when)
{
    keep([&] { m_journal->appendEvent(when, JournalEventWord(event)); });
}

QString JournalKeeper::path() const
{
    return m_journal ? m_journal->path() : QString();
}

template <typename Writing> void JournalKeeper::keep(Writing writing)
{
    if (m_failed)
        return;
    try {
        writing();
    } catch (const FileError& error) {
        m_failed = true;
        m_journal.reset();
        m_say(m_lexicons.D4.GetItem(localisation::JournalNotKept) + error.message());
    }
}

} // namespace recording
