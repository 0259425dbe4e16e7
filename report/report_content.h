#pragma once
#include "report/figure.h"
#include "report/lot.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace report {

// What the report says, once, for the HTML and the PDF alike.
using Facts = QList<std::pair<QString, QString>>; // a name and its value
struct Table {
    QStringList header;
    QList<QStringList> rows;
};
struct PartReport {
    QString heading;
    Facts part; // the part, its nominal, limits and times
    std::optional<Table> binTable;
    Table statistics; // figure, value
    Figure histogram, runChart;
    std::optional<Figure> binCounts;
    Table rejects;       // the first ones listed
    QString rejectsNote; // how many there are, and how many are not listed
};
struct ReportContent {
    QString title;
    Facts origin; // lot, source, station, operator, times, program versions
    std::vector<PartReport> parts;
};

// An undefined figure, as every report shows it: never a zero, never infinity.
inline const QString kUndefined = QStringLiteral("\u2013");

ReportContent ContentOf(const Lot& lot);

} // namespace report
