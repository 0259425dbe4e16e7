#pragma once
// A part of the window that most runs never show (a file dialog, a tool window), built the
// first time it is asked for instead of with the window: a file dialog reads its folder and
// the icons of the files in it, a chart loads its own machinery, and the window should be
// up before any of that.
#include <QWidget>

#include <functional>

namespace panel {

template <typename Part> class BuiltOnFirstUse {
public:
    // build makes the part (parented in the window); built hears of it once, right after,
    // so that the window's translator can take it in before anyone sees it.
    BuiltOnFirstUse(std::function<Part*()> build, std::function<void(QWidget*)> built) :
        m_build(std::move(build)), m_built(std::move(built))
    {
    }

    Part* get()
    {
        if (!m_part) {
            m_part = m_build();
            m_built(m_part);
        }
        return m_part;
    }

private:
    std::function<Part*()> m_build;
    std::function<void(QWidget*)> m_built;
    Part* m_part = nullptr; // owned by its parent widget
};

} // namespace panel
