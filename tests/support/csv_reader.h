#pragma once
// An RFC 4180 reader written for the tests, independent of the program's writers.
#include <QList>
#include <QString>
#include <QStringList>

// Records of CR LF-separated CSV text; quoted fields may hold separators, quotes and line
// breaks.
QList<QStringList> parseCsv(const QString& text);
