#include "record/recorder_texts.h"

#include "localisation/rlc_language_settings.h"
#include "platform/install_paths.h"

namespace record {
namespace {

const QString kEnglish = QStringLiteral("English");

} // namespace

RecorderTexts::RecorderTexts()
{
    localisation::configureRlcLanguageSettings(m_engine);
    m_engine.setLangSubdirectory(install_paths::languageSubdirectory(m_engine.executableDir()));
    m_engine.setDefaultLanguage(kEnglish);
    m_lexicons.bindTo(&m_engine);
}

bool RecorderTexts::englishFound() const
{
    return m_engine.LangExists(kEnglish);
}

} // namespace record
