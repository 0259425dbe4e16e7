#pragma once
#include <QMap>
#include <QString>
#include <compare>
#include <map>

// The texts of one language as the engine holds them: component entries looked up by
// exact key, and lexicon items looked up by lexicon name and item number.
namespace localisation {

// Which text of which component: compared exactly, letter case counts. The property ID is
// a number, so "033" and "33" are the same; the item address is text, so "01" is not "1".
struct ComponentKey {
    QString component;
    QString owner;
    quint16 propertyId = 0;
    QString itemAddress;

    friend std::strong_ordering operator<=>(const ComponentKey& a, const ComponentKey& b);
    friend bool operator==(const ComponentKey& a, const ComponentKey& b) = default;
};

// Descent of an entry: 0 read from the file being loaded, 1..254 inherited through that
// many superior languages, 255 not loaded (design texts).
inline constexpr quint8 kDescentLoaded = 0;
inline constexpr quint8 kDescentMaxInherited = 254;
inline constexpr quint8 kDescentNotLoaded = 255;

struct TComponentEntry {
    enum Flag : quint8 {
        HasOwnTranslation = 1, // the line was not "%NOTRANS"
        Old = 2,               // "%OLD": no component claimed it when the file was written
    };
    QString translation; // control characters escaped
    quint8 descent = kDescentLoaded;
    quint8 flags = 0;
};

// Component entries, kept sorted by key (component, owner, property ID, item address).
using TComponentStructure = std::map<ComponentKey, TComponentEntry>;

struct TIndexedItem {
    QString text; // control characters escaped
    quint8 descent = kDescentLoaded;
};

// One lexicon: item number to text.
using TIndexedItems = std::map<quint16, TIndexedItem>;

// Lexicons by name, letter case ignored.
class TLexiconData {
public:
    // The lexicon of that name, created when missing.
    TIndexedItems& lexicon(const QString& name);
    const TIndexedItems* find(const QString& name) const;
    void remove(const QString& name);
    void clear() { m_lexicons.clear(); }
    bool isEmpty() const { return m_lexicons.isEmpty(); }

    // Every item, for marking what a superior language brought in.
    template <typename Visit> void forEachItem(Visit visit)
    {
        for (auto& lexicon : m_lexicons)
            for (auto& [number, item] : lexicon)
                visit(item);
    }

private:
    QMap<QString, TIndexedItems> m_lexicons; // keyed by the case-folded name
};

} // namespace localisation
