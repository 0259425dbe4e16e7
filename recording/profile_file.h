#pragma once
#include "recording/part_record.h"

#include <QString>

namespace recording {

// A profile file: the part count (32-bit, little-endian) at offset 0, 96 zero bytes, then
// part n's record at offset 100 + (n - 1) * 72. Records behind the counted ones (left by
// deletions) are ignored. Every operation opens, works on and closes the file, and reports
// a failure as FileError naming the file and the reason.
//
// Part numbers count from 1. The count an operation works with is the stored count
// limited to the records the file really holds (never below 0), so a truncated or foreign
// file never makes the caller read records that are not there; no operation rewrites the
// count of a file it only reads.
namespace profile_file {

constexpr int HeaderSize = 100;
inline const QString Extension = QStringLiteral(".hex1");

// The profile file for a name chosen in the create or save-as dialog: the extension is
// appended whatever the name already ends with.
QString PathForChosenName(const QString& chosenName);
// " " and the file name without its extension's five characters, for the profile heading.
QString ProfileTitle(const QString& profilePath);

qint64 RecordOffset(int partNumber);

// The number of parts the file holds.
int ReadPartCount(const QString& path);
// Part n; a number outside 1 .. ReadPartCount is refused.
PartRecord LoadPart(const QString& path, int partNumber);
// Writes part n's record without touching the count; n may be at most one past the count.
void WritePartRecord(const QString& path, int partNumber, const PartRecord& record);

// Stores part n: replaces an existing part, or appends it when n is one past the count.
// Further numbers are refused so that no record inside the count stays undefined. The
// record is written before the count, so a failed write never counts a missing record.
// Returns the new count.
int StorePart(const QString& path, int partNumber, const PartRecord& record);
// Inserts a part before part n (n one past the count appends). Returns the new count.
int InsertPart(const QString& path, int partNumber, const PartRecord& record);
// Deletes part n, moving the later parts down; the file keeps its length, so the old last
// record stays behind the new last one. Refused when there is no part n. Returns the new
// count.
int DeletePart(const QString& path, int partNumber);

// A new (or emptied) file at `path` holding `firstPart` as its only part: 172 bytes.
void CreateProfile(const QString& path, const PartRecord& firstPart);

struct OpenResult {
    int partCount = 0;
    bool created = false; // there was no file: a one-part profile was created
};
// Opens the profile at `path`, or creates a one-part profile there when no file exists.
OpenResult OpenOrCreateProfile(const QString& path, const PartRecord& firstPart);

// Copies the whole profile file (also records behind the count) to `target`, emptying a
// file that exists there. Copying a file onto itself leaves it as it is.
void CopyProfile(const QString& source, const QString& target);

} // namespace profile_file
} // namespace recording
