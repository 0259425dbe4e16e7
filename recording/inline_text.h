#pragma once
#include <QString>
#include <QStringView>

#include <array>
#include <charconv>
#include <string_view>

namespace recording {

// A short text kept in place instead of on the heap: the numbers and times the log shows.
// An export makes one for each of its hundreds of thousands of cells, to measure it and to
// take its number from, and most of them never become a QString. Characters beyond the
// capacity are dropped; the log's texts of this kind are far shorter.
class InlineText {
public:
    static constexpr qsizetype Capacity = 40;

    InlineText() = default;
    explicit InlineText(QStringView text) { append(text); }

    void append(QChar c)
    {
        if (m_size < Capacity)
            m_chars[std::size_t(m_size++)] = c.unicode();
    }
    void append(QStringView text)
    {
        for (QChar c : text)
            append(c);
    }
    void appendLatin1(std::string_view text)
    {
        for (char c : text)
            append(QChar::fromLatin1(c));
    }
    // In decimal digits, as QString::number(number).
    void appendNumber(int number)
    {
        std::array<char, 16> digits{};
        const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
        appendLatin1({digits.data(), std::size_t(end - digits.data())});
    }
    // In the fewest digits that read back as the same double, with '.' as the point:
    // 4706.53173828125, 1e-09.
    void appendNumber(double number)
    {
        std::array<char, 32> digits{};
        const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
        appendLatin1({digits.data(), std::size_t(end - digits.data())});
    }
    // Every occurrence of one character replaced by another.
    void replace(QChar from, QChar to)
    {
        for (qsizetype i = 0; i < m_size; ++i)
            if (m_chars[std::size_t(i)] == from.unicode())
                m_chars[std::size_t(i)] = to.unicode();
    }

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    QStringView view() const { return QStringView(m_chars.data(), m_size); }
    QString toString() const { return view().toString(); }

private:
    std::array<char16_t, Capacity> m_chars{};
    qsizetype m_size = 0;
};

} // namespace recording
