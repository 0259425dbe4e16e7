#pragma once
#include <QString>

namespace recording {

// Where the bin tables are kept. A part's table lives beside its profile: the part named N
// of the profile P.hex1 keeps it in P.hex1.bins/N.csv, so the profile file itself stays as
// it always was. Tables go by the part's name: parts that move up or down when another is
// inserted or deleted keep theirs. Work without a profile keeps one table,
// RLC_Data/bins/current.csv beside the state file.
QString BinTableFolder(const QString& profilePath);
QString PartBinTablePath(const QString& profilePath, const QString& partName);
QString SinglePartBinTablePath();

// A part's name as the name of its table's file, without ".csv". Every character stays as
// it is except those some file system refuses or reads specially, which are written as "%"
// and the two hex digits of their code: "%" itself, / \ : * ? " < > |, control characters,
// a leading "." (a hidden file, or "." and "..") and a trailing "." or space (dropped by
// Windows). An empty name is "%". As every "%" of a name is written so, two names never
// share a file.
QString BinTableFileName(const QString& partName);

} // namespace recording
