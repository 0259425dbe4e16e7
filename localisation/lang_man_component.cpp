#include "localisation/lang_man_component.h"
#include "localisation/lang_man_engine.h"

namespace localisation {

TLangManComponent::~TLangManComponent()
{
    setLangManEngine(nullptr);
}

void TLangManComponent::setLangManEngine(TLangManEngine* engine)
{
    if (engine == m_engine)
        return;
    if (m_engine)
        m_engine->unregisterComponent(this);
    m_engine = engine;
    if (m_engine)
        m_engine->registerComponent(this);
}

void TLangManComponent::languageChanged(const QString& currentLanguage)
{
    applyLanguage();
    recordLanguage(currentLanguage);
    if (OnChangeLanguage)
        OnChangeLanguage(this);
}

} // namespace localisation
