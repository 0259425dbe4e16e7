#pragma once
#include "designed_lexicon.h"

namespace localisation {

// The seven lexicons of the main window with their Russian design texts.
struct MainLexicons {
    explicit MainLexicons(const QString& ownerName = QStringLiteral("Form1"));

    TDesignedLexicon Dlang_connect; // connection texts
    TDesignedLexicon Dlang1;        // metric prefixes
    TDesignedLexicon Dlang2;        // equivalent circuit
    TDesignedLexicon Dlang3;        // units
    TDesignedLexicon D1;            // captions and messages
    TDesignedLexicon D2;            // table column titles
    TDesignedLexicon D3;            // short texts

    void bindTo(LexiconTranslator* engine);
};

} // namespace localisation
