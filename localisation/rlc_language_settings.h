#pragma once

namespace localisation {

class TLangManEngine;

// The logger's engine settings: Russian design texts, English at start, language files
// "*.lng" signed "LANGUAGE_FILE" in the folder "lang" beside the executable. Builds the
// language list.
void configureRlcLanguageSettings(TLangManEngine& engine);

} // namespace localisation
