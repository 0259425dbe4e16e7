#pragma once
#include <QString>
#include <functional>

namespace localisation {

class TLangManEngine;

// Something bound to a translation engine: a window's client, a language selector, or (through
// the engine's adapter) a lexicon. It registers with the engine when bound and unregisters
// when unbound or destroyed; the engine calls it in the order the components were bound.
class TLangManComponent {
public:
    TLangManComponent() = default;
    virtual ~TLangManComponent();
    TLangManComponent(const TLangManComponent&) = delete;
    TLangManComponent& operator=(const TLangManComponent&) = delete;

    void setLangManEngine(TLangManEngine* engine);
    TLangManEngine* langManEngine() const { return m_engine; }

    // Name of the language the component was last brought to; empty before the first.
    virtual QString LMComponentLanguage() const { return m_language; }

    // Fired after every language switch that reached the component.
    std::function<void(TLangManComponent* sender)> OnChangeLanguage;

protected:
    friend class TLangManEngine;

    // Make ready; a client collects its design texts here.
    virtual void init() {}
    // Write the current language's texts; a client rewrites its window here.
    virtual void applyLanguage() {}
    // A language selector shows the language list and the current language.
    virtual void refreshLangControl() {}
    virtual void recordLanguage(const QString& language) { m_language = language; }

    // Apply, record the engine's current language and tell whoever listens.
    void languageChanged(const QString& currentLanguage);

private:
    // The engine going away unbinds without calling back.
    void detachFromEngine() { m_engine = nullptr; }

    TLangManEngine* m_engine = nullptr;
    QString m_language;
};

} // namespace localisation
