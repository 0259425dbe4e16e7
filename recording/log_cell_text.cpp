#include "recording/log_cell_text.h"

#include "recording/log_formats.h"

namespace recording {
namespace {

class TextOfCell {
public:
    explicit TextOfCell(const LogDisplayTexts& texts) : m_texts(texts) {}

    QString operator()(std::monostate) const { return {}; }
    QString operator()(const QString& text) const { return text; }
    QString operator()(int number) const { return QString::number(number); }
    QString operator()(const QDateTime& when) const { return FormatLogTimestamp(when, m_texts.timeSeparator); }
    QString operator()(LogDeviation deviation) const
    {
        return FormatDeviation(deviation.percent, m_texts.decimalSeparator);
    }
    QString operator()(LogVerdictMark mark) const
    {
        return mark.verdict != VerdictPass ? m_texts.rejectMark : m_texts.passMark;
    }

private:
    const LogDisplayTexts& m_texts;
};

} // namespace

QString LogCellText(const LogCell& cell, const LogDisplayTexts& texts)
{
    return std::visit(TextOfCell(texts), cell);
}

} // namespace recording
