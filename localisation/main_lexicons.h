#pragma once
#include "localisation/designed_lexicon.h"

namespace localisation {

// The lexicons of the main window with their Russian design texts: the seven of the
// designed window and D4 for the texts of the recording journal, CSV export and trend chart.
struct MainLexicons {
    explicit MainLexicons(const QString& ownerName = QStringLiteral("Form1"));

    TDesignedLexicon Dlang_connect; // connection texts
    TDesignedLexicon Dlang1;        // metric prefixes
    TDesignedLexicon Dlang2;        // equivalent circuit
    TDesignedLexicon Dlang3;        // units
    TDesignedLexicon D1;            // captions and messages
    TDesignedLexicon D2;            // table column titles
    TDesignedLexicon D3;            // short texts
    TDesignedLexicon D4;            // texts of the program's additions, see AdditionText

    void bindTo(LexiconTranslator* engine);
};

// The items of D4. Those with %1 and %2 take the port or file and a reason.
enum AdditionText {
    JournalOpened = 0,       // "Recording journal: " and the file
    JournalNotKept = 1,      // "Journal not kept: " and the reason
    CsvWritten = 2,          // "CSV file written: " and the file
    FileNotWritten = 3,      // "Could not write the file: " and the reason
    ExcelWritten = 4,        // "Excel file written: " and the file
    NoApplicationToOpen = 5, // "No application to open the file: " and the file
    ProfilePathTooLong = 6,  // the profile path cannot be remembered, and the path
    NoProfileOpen = 7,       // a profile operation without an open profile
    TrendTitle = 8,          // the trend window's title
    PortPermissionDenied = 9,
    PortBusy = 10,
    DongleRemoved = 11,
    PortCannotOpen = 12,
    MeterSilent = 13, // no readings for %1 seconds
    MeterReportsAgain = 14,
    StateFileNotRead = 15, // "State file not read: " and the reason
    DatabaseNotKept = 16,  // "Measurement database not kept: " and the reason
    // Forwarding to a server: %1 the server, and the readings that wait.
    ServerReached = 17,    // %2 waiting
    ServerAway = 18,       // %2 the reason, %3 waiting
    ServerBack = 19,       // %2 waiting
    ServerRefused = 20,    // and the reason
    ForwardingPaused = 21, // the local database cannot be read, and the reason
    AllForwarded = 22,
    LeftWaiting = 23,      // %1 waiting, %2 the local file, %3 the server
    DatabaseNotNamed = 24, // RLC_DATABASE cannot be used, and why
};

} // namespace localisation
