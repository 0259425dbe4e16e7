#include "shell/main_window_start.h"

#include "shell/form1.h"
#include "shell/start_check.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

std::unique_ptr<TForm1> StartMainWindow()
{
    QGuiApplication::setDesktopFileName(QStringLiteral("rlc-logger"));
    const QString executableDir = QCoreApplication::applicationDirPath();
    if (!englishLanguageFilePresent(executableDir)) {
        std::fprintf(stderr, "rlc-logger: the English language file is in none of: %s\n",
                     qPrintable(englishLanguageFileCandidates(executableDir).join(QStringLiteral(", "))));
        QMessageBox::information(nullptr, QString(), QStringLiteral("Lang file is missing"));
        return nullptr;
    }
    auto form = std::make_unique<TForm1>();
    form->createAndShow();
    return form;
}
