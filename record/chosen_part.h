#pragma once
#include "bins/bin_table.h"
#include "recording/part_record.h"

#include <QString>

namespace record {

// Part n of a profile file, whose references judge the readings and whose settings go to
// the meter. A file that cannot be read, or holds no part n, is a RecordError of usage
// that names the file and says what to choose instead.
recording::PartRecord LoadChosenPart(const QString& profilePath, int partNumber);

// The bin table --bins names, for the chosen part. A file that cannot be read or holds no
// table is a RecordError of usage naming the file and, for a bad line, the line and why.
bins::BinTable LoadChosenBinTable(const QString& path);

} // namespace record
