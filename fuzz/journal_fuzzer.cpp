// The recording journal as rlc-report and the window's lot report read it. A journal is read
// whole or refused whole: a refusal names the file and, past the first line's own troubles,
// a line the input has, with a reason; a lot read holds no more readings than the input has
// lines after its header, each part counts no more figures than readings, and its median
// lies between its extremes; and the lot read again for its first part alone is that part's
// readings, no more.
//
// The input: the journal's bytes.
#include "fuzz/fuzz_property.h"
#include "report/journal_source.h"
#include "report/report_error.h"

#include <QRegularExpression>

#include <cstdint>

namespace {

using fuzz::require;

const QString kName = QStringLiteral("fuzz.csv");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QRegularExpression refusal(QStringLiteral("^fuzz\\.csv(: the file is empty|, line ([0-9]+): \\S)"));
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qint64 lines = bytes.count('\n') + 1;
    try {
        const report::Lot lot = report::ReadJournalBytes(bytes, kName);
        const auto details = [&] { return fuzz::shown(bytes); };
        require(lot.readings() <= lines - 1, "no more readings than lines after the header", details);
        for (const report::PartLot& part : lot.parts()) {
            const bins::LotFigures figures = part.figures();
            require(figures.n + figures.overloads <= part.readings(), "no more figures than readings", details);
            if (figures.n > 0)
                require(*figures.min <= *figures.median && *figures.median <= *figures.max,
                        "the median lies between the extremes", details);
        }
        if (!lot.parts().empty() && !lot.parts().front().name().isEmpty()) {
            report::LotFilter onePart;
            onePart.partName = lot.parts().front().name();
            const report::Lot alone = report::ReadJournalBytes(bytes, kName, onePart);
            qint64 named = 0;
            for (const report::PartLot& part : lot.parts())
                named += part.name() == onePart.partName ? part.readings() : 0;
            require(alone.readings() == named, "a part asked for alone keeps its readings, no more", details);
        }
    } catch (const report::ReportError& error) {
        const QRegularExpressionMatch match = refusal.match(error.message());
        require(match.hasMatch() && match.captured(2).toLongLong() <= lines,
                "a refusal names the file and a line the input has",
                [&] { return fuzz::shown(bytes) + QStringLiteral(": ") + error.message(); });
    }
    return 0;
}
