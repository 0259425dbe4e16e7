// What the lot report costs for a lot of 1,000,000 readings, set beside numpy computing the
// same statistics from the same journal in one run: the statistics (the journal read and
// every figure, percentiles and capability indices included) and the whole report (HTML,
// PDF and JSON), each as processor time and as a ratio to numpy's (goal: within 2 ×). Then
// the streaming cost: a reading added to a part's lot statistics, in nanoseconds. Prints its
// figures; never fails on time. numpy comes from Debian's python3-numpy.
#include "bins/lot_statistics.h"
#include "recording/csv_format.h"
#include "recording/recording_journal.h"
#include "recording/row_numbers.h"
#include "report/journal_source.h"
#include "report/report_files.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <time.h>

#include <cstdio>
#include <random>

namespace {

constexpr int kReadings = 1'000'000;
constexpr double kNominal = 1000, kLsl = 990, kUsl = 1010, kSigma = 3;
constexpr double kGoalRatio = 2;
constexpr int kPythonWaitMs = 600000;

// numpy's side: the journal read with Python's csv module, the primary values of the rows
// taken into an array, and the same figures; it prints its own processor seconds.
const char* const kNumpyScript = R"py(
import csv, sys, time
import numpy as np
start = time.process_time()
with open(sys.argv[1], encoding="utf-8-sig", newline="") as journal:
    rows = csv.reader(journal)
    header = next(rows)
    value, event = header.index("primary_value"), header.index("Event")
    values = np.array([float(row[value]) for row in rows if not row[event] and row[value]])
lsl, usl = float(sys.argv[2]), float(sys.argv[3])
mean = values.mean()
stdev, population = values.std(ddof=1), values.std()
median, p05, p95 = np.percentile(values, [50, 5, 95])
within = np.abs(np.diff(values)).mean() / 1.128
pp, ppk = (usl - lsl) / (6 * stdev), min(usl - mean, mean - lsl) / (3 * stdev)
cp, cpk = (usl - lsl) / (6 * within), min(usl - mean, mean - lsl) / (3 * within)
print(time.process_time() - start, values.size, mean, stdev, median, p05, p95, pp, ppk, cp, cpk)
)py";

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// A journal as the recorder writes it, of one part judged against 990 to 1010 Ω.
void writeJournal(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    QStringList header;
    for (int column = 1; column <= 10; ++column)
        header << QStringLiteral("Column %1").arg(column);
    header << QStringLiteral("Timestamp") << QStringLiteral("Verdict") << QStringLiteral("Event")
           << recording::NumericColumnNames() << recording::RecordingJournal::PartColumnNames();
    file.write(recording::Utf8ByteOrderMark + recording::CsvLine(header));
    std::mt19937 generator(25);
    std::normal_distribution<double> values(kNominal + 1, kSigma);
    const QDateTime start(QDate(2026, 12, 10), QTime(8, 0), Qt::UTC);
    for (int index = 0; index < kReadings; ++index) {
        const double value = values(generator);
        const bool pass = value >= kLsl && value <= kUsl;
        QStringList fields;
        fields << QStringLiteral("1") << QStringLiteral("10.12.26 08:00:00") << QStringLiteral("R 1.0012 k\u03A9")
               << QStringLiteral("Q 0.0000") << QStringLiteral("S") << QStringLiteral("1 kHz")
               << QStringLiteral("1.0 Vrms") << (pass ? QStringLiteral("-") : QStringLiteral("+")) << QString()
               << QString() << start.addMSecs(qint64(index) * 500).toString(Qt::ISODate) << QStringLiteral("0")
               << QString() << recording::NumberText(value) << QStringLiteral("\u03A9") << QString() << QString()
               << QStringLiteral("1000") << QStringLiteral("1")
               << (pass ? QStringLiteral("pass") : QStringLiteral("reject-primary")) << QString() << QString()
               << QString() << QStringLiteral("1") << QStringLiteral("R1k") << recording::NumberText(kNominal)
               << recording::NumberText(kLsl) << recording::NumberText(kUsl);
        file.write(recording::CsvLine(fields));
    }
}

std::optional<double> numpySeconds(const QString& journal)
{
    QProcess python;
    python.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"), QString::fromUtf8(kNumpyScript), journal, QString::number(kLsl), QString::number(kUsl)});
    if (!python.waitForFinished(kPythonWaitMs) || python.exitCode() != 0) {
        std::fprintf(stderr, "numpy did not run: %s\n", python.readAllStandardError().constData());
        return std::nullopt;
    }
    const QByteArray figures = python.readAllStandardOutput().trimmed();
    std::printf("numpy's figures:  %s\n", figures.constData());
    return figures.split(' ').first().toDouble();
}

void streamingCost()
{
    bins::LotStatistics statistics({kLsl, kUsl});
    recording::RowNumbers row;
    row.values.primaryKind = meter::PrimaryParameter::Resistance;
    row.verdict = recording::VerdictPass;
    std::mt19937 generator(7);
    std::normal_distribution<double> values(kNominal, kSigma);
    std::vector<double> drawn(kReadings);
    for (double& value : drawn)
        value = values(generator);
    const double before = processCpuSeconds();
    for (const double value : drawn) {
        row.values.primary = recording::MeasuredValue{value, false};
        statistics.add(row, bins::NumberedBin(1));
    }
    const double seconds = processCpuSeconds() - before;
    std::printf("streaming: %.1f ns processor time a reading added to the lot statistics (n = %lld)\n",
                seconds * 1e9 / kReadings, static_cast<long long>(statistics.figures().n));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTemporaryDir folder;
    const QString journal = folder.filePath(QStringLiteral("lot.csv"));
    writeJournal(journal);
    std::printf("journal of %d readings: %.1f MB\n", kReadings, double(QFile(journal).size()) / 1e6);

    const double statisticsStart = processCpuSeconds();
    const report::Lot lot = report::ReadJournal(journal);
    const bins::LotFigures figures = lot.parts().front().figures();
    const double statisticsSeconds = processCpuSeconds() - statisticsStart;
    std::printf("our figures:      n %lld mean %.9g stdev %.9g median %.9g p05 %.9g p95 %.9g pp %.6g ppk %.6g "
                "cp %.6g cpk %.6g\n",
                static_cast<long long>(figures.n), *figures.mean, *figures.stdev, *figures.median, *figures.p05,
                *figures.p95, *figures.pp, *figures.ppk, *figures.cp, *figures.cpk);

    const report::ReportPaths paths{folder.filePath(QStringLiteral("lot.html")),
                                    folder.filePath(QStringLiteral("lot.pdf")),
                                    folder.filePath(QStringLiteral("lot.json"))};
    const double reportStart = processCpuSeconds();
    report::WriteReport(lot, paths);
    const double reportSeconds = processCpuSeconds() - reportStart;
    std::printf("report files: HTML %.0f kB, PDF %.0f kB\n", double(QFile(paths.html).size()) / 1e3,
                double(QFile(paths.pdf).size()) / 1e3);

    const std::optional<double> numpy = numpySeconds(journal);
    std::printf("statistics:            %6.2f s processor time\n", statisticsSeconds);
    std::printf("statistics and report: %6.2f s processor time\n", statisticsSeconds + reportSeconds);
    if (numpy) {
        std::printf("numpy:                 %6.2f s processor time\n", *numpy);
        std::printf("ratio, statistics to numpy:            %.2f × (goal within %g ×)\n", statisticsSeconds / *numpy,
                    kGoalRatio);
        std::printf("ratio, statistics and report to numpy: %.2f × (goal within %g ×)\n",
                    (statisticsSeconds + reportSeconds) / *numpy, kGoalRatio);
    }
    streamingCost();
    return numpy ? 0 : 1;
}
