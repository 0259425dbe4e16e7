#pragma once
#include "localisation/lang_data.h"
#include "localisation/lang_man_component.h"

#include <QPointer>
#include <QWidget>
#include <functional>

namespace localisation {

// Translates one window: records the design texts of the window and its named widgets
// once, and at every language switch writes the current language's texts into them.
// Keys use the window's object name; the window's own texts have an empty owner.
class TLangManClient final : public TLangManComponent {
public:
    explicit TLangManClient(QWidget* window, TLangManEngine* engine = nullptr);

    // True: the window's own creation code runs before the engine initialises, so the
    // texts it sets become design texts. False: the engine initialises first.
    bool InitAfterCreateForm = false;

    // Runs the window's creation code together with the engine's initialisation (with the
    // switch to the default language), in the order InitAfterCreateForm asks for.
    void runFormCreate(const std::function<void()>& formCreate);

    // Initialises the engine if needed; unless that switched the language, applies the
    // current language to the whole window.
    void Translate();
    // A widget created at run time inside the window: optionally renamed, its design texts
    // recorded, and, when translate is set, the current language applied to it. A widget
    // outside the window is refused.
    bool AddComponent(QWidget* component, const QString& name, bool translate);
    // A part of the window built after the window's creation, on first use (a dialog, a
    // tool window): it and its named widgets have their design texts recorded and the
    // current language applied, as if they had been there from the start. A part outside
    // the window is refused.
    bool AddLatePart(QWidget* part);
    // Optionally renames the widget, then applies the current language to it alone.
    void TranslateComponent(QWidget* component, const QString& name);
    // Records the design texts anew from what the window shows now.
    void RecreateTransStruct();

    const TComponentStructure& DesignStruct() const { return m_designStruct; }
    bool collected() const { return m_collected; }

protected:
    void init() override;
    void applyLanguage() override;

private:
    void collect();
    void collectComponent(QWidget* component);
    void applyToComponent(QWidget* component);
    QString ownerOf(const QWidget* component) const;
    bool isWindow(const QWidget* component) const { return component == m_window; }
    // The window, then its named widgets depth first in creation order.
    QList<QWidget*> components() const;
    bool belongsToWindow(const QWidget* component) const;
    // Also across window boundaries: the window's dialogs and tool windows are its parts.
    bool isPartOfWindow(const QWidget* part) const;

    QPointer<QWidget> m_window;
    TComponentStructure m_designStruct;
    bool m_collected = false;
    int m_appliedCount = 0;
};

} // namespace localisation
