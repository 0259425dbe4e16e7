#include "platform/console.h"

#include <utility>

namespace platform {
namespace {

// Back to the start of the line and erase it, as every terminal since the VT100 does.
constexpr char kEraseLine[] = "\r\x1b[K";

} // namespace

Console::Console(std::FILE* stream, QString program, bool showsProgress) :
    m_stream(stream), m_program(std::move(program)), m_showsProgress(showsProgress)
{
}

void Console::say(const QString& line)
{
    clearProgress();
    std::fputs((m_program + QStringLiteral(": ") + line + u'\n').toUtf8().constData(), m_stream);
    drawProgress();
    std::fflush(m_stream);
}

void Console::showProgress(const QString& progress)
{
    if (!m_showsProgress)
        return;
    clearProgress();
    m_progress = progress;
    drawProgress();
    std::fflush(m_stream);
}

void Console::endProgress()
{
    if (m_progress.isEmpty())
        return;
    std::fputc('\n', m_stream);
    std::fflush(m_stream);
    m_progress.clear();
}

void Console::clearProgress()
{
    if (!m_progress.isEmpty())
        std::fputs(kEraseLine, m_stream);
}

void Console::drawProgress()
{
    if (!m_progress.isEmpty())
        std::fputs(m_progress.toUtf8().constData(), m_stream);
}

} // namespace platform
