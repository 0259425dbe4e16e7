// Entry point: answer the command line, refuse to start without the English language file,
// then run the main window.
#include "shell/command_line.h"
#include "shell/form1.h"
#include "shell/start_check.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char** argv)
{
    if (const auto exit = readCommandLine(argumentsOf(argc, argv))) {
        std::fputs(qPrintable(exit->message), exit->exitCode == 0 ? stdout : stderr);
        return exit->exitCode;
    }
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("rlc-logger"));
    const QString executableDir = QCoreApplication::applicationDirPath();
    if (!englishLanguageFilePresent(executableDir)) {
        std::fprintf(stderr, "rlc-logger: the English language file is in none of: %s\n",
                     qPrintable(englishLanguageFileCandidates(executableDir).join(QStringLiteral(", "))));
        QMessageBox::information(nullptr, QString(), QStringLiteral("Lang file is missing"));
        return 1;
    }
    TForm1 form;
    form.createAndShow();
    return app.exec();
}
