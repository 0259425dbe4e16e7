// rlc-report: the report of a lot, from a recording journal or from the measurement
// database, as HTML, PDF and JSON. Answers the command line, reads the lot, writes the
// files; the exit code says how it went (see platform/exit_code.h).
#include "platform/console.h"
#include "platform/program_arguments.h"
#include "report/database_source.h"
#include "report/journal_source.h"
#include "report/report_error.h"
#include "report/report_files.h"
#include "report/report_options.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

namespace {

QString outputsText(const report::ReportPaths& paths)
{
    QStringList written;
    for (const QString& path : {paths.html, paths.pdf, paths.json}) {
        if (!path.isEmpty())
            written << path;
    }
    return written.join(QStringLiteral(", "));
}

report::Lot readLot(const report::ReportOptions& options)
{
    if (options.database)
        return report::ReadDatabaseLot(*options.database, options.lot, options.filter);
    return report::ReadJournal(options.journalPath, options.filter);
}

} // namespace

int main(int argc, char** argv)
{
    const QStringList arguments = ProgramArguments(argc, argv);
    const auto read = report::ReadReportOptions(arguments, qEnvironmentVariable("RLC_DATABASE"));
    if (const auto* answer = std::get_if<platform::CommandLineAnswer>(&read)) {
        std::fputs(answer->text.toUtf8().constData(), answer->exitCode == platform::Done ? stdout : stderr);
        return answer->exitCode;
    }
    const auto& options = std::get<report::ReportOptions>(read);
    platform::Console console(stderr, QFileInfo(arguments.first()).fileName(), false);
    // The PDF is drawn with Qt Gui's painter; the program never shows a window, so it needs
    // no display whatever the environment says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    try {
        const report::Lot lot = readLot(options);
        if (lot.parts().empty())
            console.say(QStringLiteral("%1 holds no reading of this lot%2; the report says so")
                            .arg(lot.origin().source,
                                 options.filter.partName.isEmpty() && !options.filter.from.isValid()
                                         && !options.filter.to.isValid()
                                     ? QString()
                                     : QStringLiteral(" with the part and times asked for")));
        report::WriteReport(lot, options.outputs);
        const std::size_t parts = lot.parts().size();
        console.say(
            QStringLiteral("%1 readings of %2 %3 reported: %4")
                .arg(lot.readings())
                .arg(parts)
                .arg(parts == 1 ? QStringLiteral("part") : QStringLiteral("parts"), outputsText(options.outputs)));
        return platform::Done;
    } catch (const report::ReportError& error) {
        console.say(error.message());
        return error.code();
    }
}
