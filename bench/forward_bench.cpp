// Forwarding a backlog: 100,000 readings that waited in the local database through a long
// outage, sent by the forwarder to a PostgreSQL server of the benchmark's own, against
// PostgreSQL's own COPY of the same rows into the same layout, the fastest way in that the
// server has. The forwarder reads the rows from the local file, sends them in batches of a
// transaction each, passes over rows the server has, and strikes them off the local list;
// the goal is within three times the COPY. Each on a fresh database, in turns; prints the
// medians and their ratio, never fails on time.
#include "forwarding_bench.h"
#include "postgres_server.h"
#include "store/copy_text.h"
#include "store/database_url.h"
#include "store/forwarder.h"
#include "store/server_connection.h"
#include "store/server_schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kBacklog = 100000;
constexpr int kRuns = 3;
constexpr double kGoalTimes = 3;
constexpr int kDrainWaitMs = 600000;

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// The local table's rows as COPY reads them, with their columns.
struct CopyRows {
    QByteArray columns;
    QByteArray lines;
};

CopyRows copyRowsOf(const QString& localPath, const char* table)
{
    store::SqliteConnection local(localPath);
    store::SqliteStatement rows(local, QByteArray("SELECT * FROM ").append(table).constData(), "read the rows");
    CopyRows copy;
    for (int column = 0; column < rows.columns(); ++column)
        copy.columns += (column > 0 ? ", " : "") + rows.name(column);
    while (rows.step())
        store::AppendCopyLine(copy.lines, rows);
    return copy;
}

// A database with this program's layout and nothing in it.
QString freshDatabase(const PostgresServer& server, const QString& name)
{
    server.execute(QStringLiteral("CREATE DATABASE ") + name);
    store::ServerConnection connection(server.url(name));
    store::CreateServerSchemaUpTo(connection, store::kServerSchemaVersion);
    return server.url(name);
}

double copyMs(const QString& url, const CopyRows& recordings, const CopyRows& readings)
{
    store::ServerConnection connection(url);
    connection.copyIn("COPY recordings (" + recordings.columns + ") FROM STDIN", recordings.lines);
    QElapsedTimer clock;
    clock.start();
    connection.copyIn("COPY readings (" + readings.columns + ") FROM STDIN", readings.lines);
    return double(clock.nsecsElapsed()) / 1e6;
}

// -1 when the forwarder could not send everything.
double forwardMs(const QString& url, const QString& localPath)
{
    store::Forwarder forwarder(localPath, std::get<store::DatabaseUrl>(store::ReadDatabaseUrl(url)));
    qint64 left = -1;
    QObject::connect(&forwarder, &store::Forwarder::drained, [&left](qint64 waiting) { left = waiting; });
    QElapsedTimer clock;
    clock.start();
    forwarder.start();
    forwarder.drain();
    if (!QTest::qWaitFor([&] { return left >= 0; }, kDrainWaitMs) || left != 0)
        return -1;
    return double(clock.nsecsElapsed()) / 1e6;
}

void listEverythingAgain(const QString& localPath)
{
    store::SqliteConnection local(localPath);
    local.execute("INSERT INTO unsent SELECT 'recording', recording_id FROM recordings; "
                  "INSERT INTO unsent SELECT 'reading', reading_id FROM readings",
                  "list the backlog again");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    PostgresServer server;
    if (!server.ready() || !server.start()) {
        std::fprintf(stderr, "no PostgreSQL server: %s\n", qPrintable(server.problem()));
        return 1;
    }
    QTemporaryDir folder;
    ForwardingBench bench(folder.filePath(QStringLiteral("measurements.sqlite")));
    bench.openRecording();
    bench.storeBacklog(kBacklog);
    bench.closeRecording();
    const CopyRows recordings = copyRowsOf(bench.path(), "recordings");
    const CopyRows readings = copyRowsOf(bench.path(), "readings");

    std::vector<double> copied, forwarded;
    for (int run = 1; run <= kRuns; ++run) {
        copied.push_back(copyMs(freshDatabase(server, QStringLiteral("copied_%1").arg(run)), recordings, readings));
        if (run > 1)
            listEverythingAgain(bench.path());
        const double ms = forwardMs(freshDatabase(server, QStringLiteral("forwarded_%1").arg(run)), bench.path());
        if (ms < 0) {
            std::fprintf(stderr, "the forwarder did not send the whole backlog\n");
            return 1;
        }
        forwarded.push_back(ms);
    }
    const double copyMedian = median(copied);
    const double forwardMedian = median(forwarded);
    std::printf("%d readings, median of %d runs each on a fresh database\n", kBacklog, kRuns);
    std::printf("  COPY into readings            %8.0f ms  %8.0f readings/s\n", copyMedian,
                kBacklog / copyMedian * 1e3);
    std::printf("  forwarded from the local file %8.0f ms  %8.0f readings/s\n", forwardMedian,
                kBacklog / forwardMedian * 1e3);
    std::printf("  forwarding takes %.2f × the COPY (goal within %g ×)\n", forwardMedian / copyMedian, kGoalTimes);
    return 0;
}
