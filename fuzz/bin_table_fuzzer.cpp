// The bin table's file, as a user writes it by hand or another program does. Every input is
// refused with a reason, or read into a table that can be written; a
// table written reads back as the very same table, and is written again byte for byte.
#include "bins/bin_table_csv.h"
#include "fuzz/fuzz_property.h"

#include <cstdint>

namespace {

using fuzz::require;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const bins::BinTableReading reading = bins::ReadBinTable(bytes);
    const auto input = [&] { return fuzz::shown(bytes); };
    if (!reading.table) {
        require(!reading.problem.isEmpty(), "a refused table says why", input);
        return 0;
    }
    const bins::BinTable& table = *reading.table;
    require(bins::BinTableProblem(table).isEmpty(), "a table read can be written",
            [&] { return input() + QStringLiteral(": ") + bins::BinTableProblem(table); });
    const QByteArray written = bins::BinTableBytes(table);
    const bins::BinTableReading reread = bins::ReadBinTable(written);
    require(reread.table == table, "a table written reads back as the same table",
            [&] { return input() + QStringLiteral(" written as ") + fuzz::shown(written) + u' ' + reread.problem; });
    require(bins::BinTableBytes(*reread.table) == written, "a table written again is the same bytes",
            [&] { return fuzz::shown(written); });
    return 0;
}
