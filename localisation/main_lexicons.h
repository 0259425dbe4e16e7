#pragma once
#include "designed_lexicon.h"

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
    TDesignedLexicon D4;            // journal, CSV export and trend chart

    void bindTo(LexiconTranslator* engine);
};

} // namespace localisation
