#pragma once
#include "report/lot.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace report {

// What every source holds of a reading, each in its own column: a database's reading_rows
// and the journal's numeric columns name them alike. The primary value is none both for an
// overload (its unit is kept) and where the meter named no primary (no unit either).
struct ReadingFields {
    QDateTime takenAt;
    std::optional<int> partNumber;
    QString partName;
    std::optional<double> primaryValue;
    QString primaryUnit;
    std::optional<recording::VerdictCode> verdict;
    std::optional<bins::Bin> bin;
    std::optional<double> nominal, lsl, usl;
};
LotReading ReadingOf(const ReadingFields& fields);

// The fields as texts, read as the files and the server write them; a text that is no such
// field is a FieldProblem saying which column holds what.
class FieldProblem {
public:
    explicit FieldProblem(QString reason) : m_reason(std::move(reason)) {}
    const QString& reason() const { return m_reason; }

private:
    QString m_reason;
};
// A number as NumberText writes it ("." as the decimal point, an exponent allowed), or none
// for an empty text. Not finite or no number: a problem. Numbers are read from their UTF-8
// bytes, where a journal holds them.
std::optional<double> NumberField(QByteArrayView text, const QString& column);
std::optional<int> WholeNumberField(QByteArrayView text, const QString& column);
// pass, reject-primary, reject-secondary, reject-both, unreadable; none for an empty text.
std::optional<recording::VerdictCode> VerdictField(const QString& text, const QString& column);
// 1 to 9, AUX, OUT; none for an empty text.
std::optional<bins::Bin> BinField(const QString& text, const QString& column);
// ISO 8601 with a UTC offset or Z, as the journal and the server write times.
QDateTime TimeField(const QString& text, const QString& column);
// Ω, H or F, or empty.
QString UnitField(const QString& text, const QString& column);

} // namespace report
