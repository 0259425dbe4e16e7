#pragma once
#include "localisation/lang_man_engine.h"
#include "localisation/main_lexicons.h"

namespace record {

// The texts of the table, the link and the journal in English, from the logger's language
// file beside the program or in its installed language folder. Where that file is
// missing the built-in texts stand, which the caller says.
class RecorderTexts {
public:
    RecorderTexts();
    RecorderTexts(const RecorderTexts&) = delete;
    RecorderTexts& operator=(const RecorderTexts&) = delete;

    const localisation::MainLexicons& lexicons() const { return m_lexicons; }
    bool englishFound() const;
    // The folder the English file was looked for in.
    QString languageFolder() const { return m_engine.LangsDir(); }

private:
    localisation::TLangManEngine m_engine;
    localisation::MainLexicons m_lexicons;
};

} // namespace record
