#include "Form1.h"

#include <QApplication>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Why the window cannot be shown, in one line, or nothing when it can. Qt's own
// answer to a missing display is to abort with a page of advice.
QByteArray displayProblem()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return {};
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
            return {};
        return "no display to open the window on (DISPLAY is not set)";
    }
    xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reached ? QByteArray() : "cannot open the display \"" + display + "\"";
}

} // namespace

int main(int argc, char *argv[])
{
    if (const QByteArray problem = displayProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "collatz: %s; to use a virtual one: xvfb-run -a collatz\n", problem.constData());
        return 1;
    }
    QApplication app(argc, argv);
    Form1 form;
    form.show();
    return app.exec();
}
