#pragma once
#include <QString>

#include <cstdio>

namespace platform {

// Standard error as a program without a window talks to the person or script watching it: lines that
// say what happened, each behind the program's name, and, on a terminal, one progress
// line that is rewritten in place. A line said while progress shows takes its place and
// the progress is drawn again below it, so the two never mix.
class Console {
public:
    Console(std::FILE* stream, QString program, bool showsProgress);

    void say(const QString& line);
    void showProgress(const QString& progress);
    // The progress line stays as it was last drawn; later lines go below it.
    void endProgress();

private:
    void clearProgress();
    void drawProgress();

    std::FILE* m_stream;
    QString m_program;
    bool m_showsProgress;
    QString m_progress; // drawn at the end of the stream, without a line end
};

} // namespace platform
