// A program made of the widget-free libraries alone, as a recorder without a window is. It
// is built, not run: its dynamic section shows which Qt modules these libraries bring.
#include "link/dongle_link.h"
#include "localisation/main_lexicons.h"
#include "recording/measurement_log_model.h"
#include "session/meter_session.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    const QCoreApplication application(argc, argv);
    const localisation::MainLexicons lexicons;
    dongle::DongleLink link;
    const session::MeterSession meter(link, lexicons);
    const recording::MeasurementLogModel log;
    return log.rowCount();
}
