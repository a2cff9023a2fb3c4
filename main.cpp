#include "Form1.h"
#include "JapaneseTranslations.h"

#include <QApplication>
#include <QCommandLineParser>

#ifdef COLLATZ_X11_PROBE
#include <xcb/xcb.h>
#endif

#include <cstdio>
#include <optional>

namespace {

// --help and --version, answered without a display; anything else given on the
// command line is refused in one line. Nothing means: open the window.
std::optional<int> answerCommandLine(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Explains the Collatz (3x+1) problem and lets you try it, in a Japanese window.\n"
        "Without options it opens the window."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOptions({help, version});

    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QString error = parsed ? QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first())
                                     : parser.errorText();
        std::fprintf(stderr, "collatz: %s See collatz --help.\n", qPrintable(error));
        return 1;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("collatz %s\n", COLLATZ_VERSION);
        return 0;
    }
    return std::nullopt;
}

#ifdef COLLATZ_X11_PROBE
// Why the window cannot be shown, in one line, or nothing when it can. Qt's own answer
// to a missing X display is to abort with a page of advice. Where a platform is named
// or a Wayland display is there, Qt chooses for itself.
QByteArray displayProblem()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return {};
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return "no display to open the window on (DISPLAY is not set)";
    xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reached ? QByteArray() : "cannot open the display \"" + display + "\"";
}
#endif

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1) {
        if (const std::optional<int> status = answerCommandLine(argc, argv))
            return *status;
    }
#ifdef COLLATZ_X11_PROBE
    if (const QByteArray problem = displayProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "collatz: %s; to use a virtual one: xvfb-run -a collatz\n", problem.constData());
        return 1;
    }
#endif
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.collatzexperiment.Collatz"));
    installJapaneseTranslations(app);
    Form1 form;
    form.show();
    return app.exec();
}
