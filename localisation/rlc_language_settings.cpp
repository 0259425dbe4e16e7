#include "localisation/rlc_language_settings.h"
#include "localisation/lang_man_engine.h"

namespace localisation {

void configureRlcLanguageSettings(TLangManEngine& engine)
{
    engine.setDesignLangISOCode(QStringLiteral("ru - Russian"));
    engine.setDesignLanguageName(QStringLiteral("Русский"));
    engine.setDefaultLanguage(QStringLiteral("English"));
    engine.setLangFileExtension(QStringLiteral(".lng"));
    engine.setLangFileSignature(QStringLiteral("LANGUAGE_FILE"));
    engine.setLangSubdirectory(QStringLiteral("lang"));
}

} // namespace localisation
