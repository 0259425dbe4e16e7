#pragma once
#include "localisation/designed_lexicon.h"

namespace localisation {

// The lexicons of the main window with their Russian design texts: the seven of the
// designed window and D4 for the texts of the recording journal, CSV export and trend chart.
struct MainLexicons {
    explicit MainLexicons(const QString& ownerName = QStringLiteral("Form1"));

    TDesignedLexicon Dlang_connect; // connection texts, ConnectionItem
    TDesignedLexicon Dlang1;        // metric prefixes, PrefixItem
    TDesignedLexicon Dlang2;        // equivalent circuit, CircuitItem
    TDesignedLexicon Dlang3;        // units, UnitItem
    TDesignedLexicon D1;            // captions and messages, CaptionItem
    TDesignedLexicon D2;            // table column titles, ColumnTitleItem
    TDesignedLexicon D3;            // short texts, ShortTextItem
    TDesignedLexicon D4;            // texts of the program's additions, AdditionItem

    void bindTo(LexiconTranslator* engine);
};

// Each lexicon's items by name; an item the window never shows has none.

// The items of Dlang_connect: the connect button's captions and the link's status lines.
enum ConnectionItem {
    ConnectCaption = 0,    // "Connect"; the button's caption while the meter is not linked
    DisconnectCaption = 1, // "Disconnect"
    ConnectingLine = 2,    // "Connecting..."
    NoConnectionLine = 3,  // "No connection"
    ConnectedLine = 4,     // "Connected"
    DisconnectedLine = 5,  // "Disconnected"
};

// The items of Dlang1: metric prefixes.
enum PrefixItem {
    MegaPrefix = 0,
    KiloPrefix = 1,
    MilliPrefix = 2,
    MicroPrefix = 3, // only tells whether micro is written in Russian
    NanoPrefix = 4,
    PicoPrefix = 5,
};

// The items of Dlang2: the equivalent circuit's letters in the log.
enum CircuitItem {
    SeriesCircuitLetter = 2,   // "S"
    ParallelCircuitLetter = 3, // "P"
};

// The items of Dlang3: units, and the marks of the voltage view's readings.
enum UnitItem {
    HertzUnit = 0,
    VoltRmsUnit = 1,
    VoltUnit = 2,
    OhmUnit = 3, // only tells whether ohm is written in Russian
    HenryUnit = 4,
    FaradUnit = 5,
    RmsMark = 6,        // "V", this mark and "=" before the rms voltage
    PeakToPeakMark = 7, // the same before the peak-to-peak voltage
};

// The items of D1: headings, the start/stop captions and the profile commands' messages.
enum CaptionItem {
    ProfileHeading = 0,   // "Profile", followed by the open profile's title
    RecordingHeading = 1, // "Data recording"
    StopCaption = 2,      // "Stop", while recording runs
    ProfileCreated = 4,   // "File created successfully!"
    FailedMessage = 5,    // "Failed!"
    ReferenceHeading = 6, // "Reference data"
    StartCaption = 8,     // "Start", while recording is stopped
};

// The items of D2: the measurement log's column titles in the order of its columns, then
// the titles the profile table puts over some of them.
enum ColumnTitleItem {
    PositionTitle = 1, // the log's column 0; column c has the title PositionTitle + c
    TimeTitle = 2,
    PrimaryTitle = 3,
    SecondaryTitle = 4,
    CircuitTitle = 5,
    FrequencyTitle = 6,
    LevelTitle = 7,
    RejectTitle = 8,
    PrimaryDeviationTitle = 9,
    SecondaryDeviationTitle = 10,
    PartNameTitle = 11,
    PrimaryReferenceTitle = 12,
    SecondaryReferenceTitle = 13,
    StartPositionTitle = 14,
    IntervalTitle = 15,
};

// The items of D3: short texts of the resistance view and of the tables.
enum ShortTextItem {
    FixedRangeSubscript = 0, // after the current's "I" for a fixed range
    AutoRangeSubscript = 1,  // the same for the automatic range
    JunctionFoundText = 2,   // the main reading when a junction is found
    RejectMark = 3,          // "+" in the reject column
    PassMark = 4,            // "-" in the reject column
    SecondsUnit = 5,         // after the report interval in the profile table
};

// The items of D4. Those with %1 and %2 take the port or file and a reason.
enum AdditionItem {
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
    BenchTitle = 17,       // the bench window's title
    BenchNotRead = 18,     // "Bench settings not read: " and the reason
    BenchNotKept = 19,     // "Bench settings not kept: " and the reason
    PortWriteStalled = 20, // the dongle took no byte of a write in time, and the port
    PortFailed = 21,       // the open port failed: the port and the system's reason
    // Forwarding to a server: %1 the server, and the readings that wait.
    ServerReached = 22,    // %2 waiting
    ServerAway = 23,       // %2 the reason, %3 waiting
    ServerBack = 24,       // %2 waiting
    ServerRefused = 25,    // and the reason
    ForwardingPaused = 26, // the local database cannot be read, and the reason
    AllForwarded = 27,
    LeftWaiting = 28, // %1 waiting, %2 the local file, %3 the server
    // Sorting into bins.
    BinsTitle = 29,  // the bins window's title
    BinHeading = 30, // the bin's column in the log and the editor
    BinModeHeading = 31,
    BinLowHeading = 32,
    BinHighHeading = 33,
    BinSecondaryLowHeading = 34,
    BinSecondaryHighHeading = 35,
    BinAuxOn = 36,
    BinAdd = 37,
    BinRemove = 38,
    BinImport = 39,
    BinExport = 40,
    BinCountsReset = 41,
    BinLastReading = 42,
    NoBinTable = 43,
    BinTableFiles = 44,       // the file dialogs' filter
    BinTableNotRead = 45,     // and the reason
    BinTableNotSaved = 46,    // and the reason
    BinTableExported = 47,    // and the file
    LotReportWritten = 48,    // and the files
    LotReportNotWritten = 49, // and the reason
    NoJournalToReport = 50,
};

} // namespace localisation
