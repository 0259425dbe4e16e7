#pragma once
#include <QString>

namespace recording {

// What the journal marks between its rows: moments that are no reading but explain a gap.
// The journal's own failure cannot be marked in it; it is marked for whoever else keeps the
// recording.
enum class JournalEvent { LinkLost, LinkBack, NoReadings, ReadingsAgain, JournalFailed };

// The words of the journal's Event column: untranslated, for the programs that read it.
inline QString JournalEventWord(JournalEvent event)
{
    switch (event) {
    case JournalEvent::LinkLost: return QStringLiteral("link lost");
    case JournalEvent::LinkBack: return QStringLiteral("link back");
    case JournalEvent::NoReadings: return QStringLiteral("no readings");
    case JournalEvent::ReadingsAgain: return QStringLiteral("readings again");
    case JournalEvent::JournalFailed: return QStringLiteral("journal failed");
    }
    return {};
}

} // namespace recording
