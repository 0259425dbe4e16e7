#pragma once
#include <QString>
#include <QStringList>

// The command line as the programs read it, before any Qt application object exists.
inline QStringList ProgramArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
