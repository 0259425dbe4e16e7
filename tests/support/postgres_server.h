#pragma once
// A PostgreSQL server of the test's own, from Debian's postgresql package: a cluster made
// by initdb in a temporary folder, reached only through a Unix socket in that folder, and
// started and stopped by the test. PostgreSQL refuses to run as root, as which CI runs the
// tests: then the folder is given to the unprivileged user nobody and the server's programs
// run as that user.
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class PostgresServer {
public:
    // The cluster's superuser, who may connect without a password through the socket.
    static const QString kSuperuser;

    // Makes the cluster; ready() says whether it could.
    PostgresServer();
    // Stops the server if it runs.
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // False, with problem() saying why, when a step failed.
    bool ready() const { return m_problem.isEmpty(); }
    [[nodiscard]] bool start();
    [[nodiscard]] bool stop();
    const QString& problem() const { return m_problem; }

    // The URL of a database of the server, for a user (the superuser unless named).
    QString url(const QString& database = QStringLiteral("postgres"), const QString& user = kSuperuser) const;
    // Statements and queries as the superuser; std::runtime_error with the server's words
    // when they fail.
    void execute(const QString& sql, const QString& database = QStringLiteral("postgres")) const;
    QList<QStringList> select(const QString& sql, const QString& database = QStringLiteral("postgres")) const;

private:
    bool run(const QString& program, const QStringList& arguments);
    QString dataFolder() const;

    QTemporaryDir m_folder;
    bool m_running = false;
    QString m_problem;
};
