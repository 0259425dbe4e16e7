#pragma once
// The real program in a process of its own, on the offscreen platform, pointed at the
// simulated meter, in a data folder of its own whose state file asks it to connect by
// itself. With the meter holding, every reading is logged, so a recording journal is
// written at once.
#include "sim/meter_simulator.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

// The meter reports hold: with recording stopped every such reading is logged.
inline void holdReadings(sim::MeterSimulator& simulator)
{
    simulator.meter().applyCommand(sim::MeterCommand{{0x01, 0x24, 0x80, 0xA1, 0x0A}});
}

inline void startLogger(QProcess& logger, const QString& program, const QString& workingDirectory,
                        const QString& dataHome, const QString& port)
{
    QDir(dataHome).mkpath(QStringLiteral("RLC_Data"));
    QFile state(dataHome + QStringLiteral("/RLC_Data/1.dat"));
    ASSERT_TRUE(state.open(QIODevice::WriteOnly));
    state.write(QByteArray(204, '\0') + QByteArray(1, '\x01')); // connect automatically
    state.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    env.insert(QStringLiteral("RLC_DONGLE_PORT"), port);
    logger.setProcessEnvironment(env);
    logger.setWorkingDirectory(workingDirectory);
    logger.start(program, {});
    ASSERT_TRUE(logger.waitForStarted(5000)) << program.toStdString();
}

// Full paths of the recording journals written so far.
inline QStringList journalFiles(const QString& dataHome)
{
    const QDir folder(dataHome + QStringLiteral("/RLC_Data/journal"));
    QStringList paths;
    for (const QString& name : folder.entryList({QStringLiteral("*.csv")}, QDir::Files))
        paths << folder.filePath(name);
    return paths;
}
