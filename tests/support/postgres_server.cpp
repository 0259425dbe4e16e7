#include "postgres_server.h"

#include "store/server_connection.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <stdexcept>

#include <pwd.h>
#include <unistd.h>

namespace {

constexpr char kUnprivilegedUser[] = "nobody";
// initdb and a start or stop of the server take seconds; on a loaded machine, many.
constexpr int kStepMs = 120000;

QString program(const char* name)
{
    return QStringLiteral(RLC_POSTGRES_BIN_DIR "/") + QLatin1String(name);
}

QString lastLines(const QByteArray& output)
{
    return QString::fromUtf8(output).trimmed().right(2000);
}

} // namespace

const QString PostgresServer::kSuperuser = QStringLiteral("rlc");

PostgresServer::PostgresServer()
{
    if (!m_folder.isValid()) {
        m_problem = QStringLiteral("no temporary folder: ") + m_folder.errorString();
        return;
    }
    if (::geteuid() == 0) {
        const passwd* user = ::getpwnam(kUnprivilegedUser);
        if (!user || ::chown(QFile::encodeName(m_folder.path()).constData(), user->pw_uid, user->pw_gid) != 0) {
            m_problem = QStringLiteral("the folder cannot be given to the user %1").arg(kUnprivilegedUser);
            return;
        }
    }
    // Without a locale the cluster sorts and reads text the same on every machine; its files
    // need not reach the disk before a test that throws them away.
    run(program("initdb"),
        {QStringLiteral("--pgdata"), dataFolder(), QStringLiteral("--username"), kSuperuser, QStringLiteral("--auth"),
         QStringLiteral("trust"), QStringLiteral("--no-locale"), QStringLiteral("--encoding"), QStringLiteral("UTF8"),
         QStringLiteral("--no-sync")});
}

PostgresServer::~PostgresServer()
{
    if (m_running)
        (void)stop();
}

bool PostgresServer::start()
{
    // The socket alone, in the test's own folder: tests beside each other never meet.
    const QString options = QStringLiteral("-k %1 -c listen_addresses=''").arg(m_folder.path());
    m_running = run(program("pg_ctl"),
                    {QStringLiteral("start"), QStringLiteral("--wait"), QStringLiteral("--pgdata"), dataFolder(),
                     QStringLiteral("--log"), m_folder.filePath("server.log"), QStringLiteral("-o"), options});
    if (!m_running) {
        QFile log(m_folder.filePath(QStringLiteral("server.log")));
        if (log.open(QIODevice::ReadOnly))
            m_problem += QStringLiteral("; the server's log: ") + lastLines(log.readAll());
    }
    return m_running;
}

bool PostgresServer::stop()
{
    // Fast: the server ends the sessions of its clients at once, as a server being taken
    // down for maintenance does.
    const bool stopped = run(program("pg_ctl"),
                             {QStringLiteral("stop"), QStringLiteral("--wait"), QStringLiteral("--pgdata"),
                              dataFolder(), QStringLiteral("--mode"), QStringLiteral("fast")});
    if (stopped)
        m_running = false;
    return stopped;
}

QString PostgresServer::url(const QString& database, const QString& user) const
{
    return QStringLiteral("postgresql:///%1?host=%2&user=%3").arg(database, m_folder.path(), user);
}

void PostgresServer::execute(const QString& sql, const QString& database) const
{
    try {
        store::ServerConnection(url(database)).execute(sql.toUtf8());
    } catch (const store::ServerError& error) {
        throw std::runtime_error((sql + QStringLiteral(": ") + error.reason()).toStdString());
    }
}

QList<QStringList> PostgresServer::select(const QString& sql, const QString& database) const
{
    try {
        return store::ServerConnection(url(database)).select(sql.toUtf8());
    } catch (const store::ServerError& error) {
        throw std::runtime_error((sql + QStringLiteral(": ") + error.reason()).toStdString());
    }
}

bool PostgresServer::run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(m_folder.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (::geteuid() == 0) {
        const QString runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"),
                                                               {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
        process.start(runuser,
                      QStringList{QStringLiteral("-u"), QLatin1String(kUnprivilegedUser), QStringLiteral("--"), tool}
                          + arguments);
    } else {
        process.start(tool, arguments);
    }
    if (!process.waitForFinished(kStepMs) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_problem = QStringLiteral("%1 %2 failed: %3 %4")
                        .arg(tool, arguments.join(u' '), process.errorString(), lastLines(process.readAll()));
        return false;
    }
    m_problem.clear();
    return true;
}

QString PostgresServer::dataFolder() const
{
    return m_folder.filePath(QStringLiteral("cluster"));
}
