// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "JapaneseTranslations.h"
#include "Link.h"
#include "MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

namespace {

// The options every Qt program takes, which QApplication itself removes from the command
// line once it is made: those with a value, then those without.
const QStringList qtOptionsWithValue{"platform", "platformpluginpath", "platformtheme", "plugin", "display",
                                    "geometry", "qwindowgeometry", "title", "qwindowtitle", "icon", "qwindowicon",
                                    "name", "visual", "session", "style", "stylesheet", "qmljsdebugger"};
const QStringList qtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

// --help and --version, answered without a display; one argument in a link's form (27,
// 27,31 or 3-100) to show at once; anything else given on the command line that is not one
// of Qt's own options is refused in one line. Nothing else means: open the window.
std::optional<int> answerCommandLine(int argc, char *argv[], QString *link)
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Explains the Collatz (3x+1) problem and lets you try it, in a Japanese window.\n"
        "Without options it opens the window; Qt's own options (-platform, -style, -display, -reverse, ...) "
        "apply to it."));
    parser.addPositionalArgument(QStringLiteral("start"),
                                 QStringLiteral("27: that experiment; 27,31: up to four compared in the graph; 3-100: that range surveyed."),
                                 QStringLiteral("[27 | 27,31 | 3-100]"));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show a short help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    // Qt's options, each under all its names, since which one was given does not matter.
    QCommandLineOption qtOptions(qtOptionsWithValue, QString(), QStringLiteral("value"));
    QCommandLineOption qtSwitches(qtFlags);
    qtOptions.setFlags(QCommandLineOption::HiddenFromHelp);
    qtSwitches.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({help, version, qtOptions, qtSwitches});

    const bool parsed = parser.parse(QCoreApplication::arguments());
    const QStringList arguments = parser.positionalArguments();
    // A start out of range still opens the window, which says why it cannot show it.
    const bool understood = arguments.size() == 1 && Link::parse(arguments.first().toStdU16String()).kind != Link::Kind::NotUnderstood;
    if (!parsed || (!arguments.isEmpty() && !understood)) {
        const QString error = parsed ? QStringLiteral("Unexpected argument '%1'.").arg(arguments.join(QLatin1Char(' '))) : parser.errorText();
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
    *link = arguments.value(0);
    return std::nullopt;
}

// Qt answers a display it cannot use with a page of advice and an abort. While the
// application is made, its messages are held here; should it fail, the program says
// what Qt found, in a few lines, and what to do; otherwise they are passed on.
QStringList heldMessages;
QStringList heldPlatformMessages;

QString environmentValue(const char *name)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? QStringLiteral("%1 is not set").arg(QLatin1String(name))
                           : QStringLiteral("%1 is %2").arg(QLatin1String(name), QString::fromLocal8Bit(value));
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        heldMessages << qFormatLogMessage(type, context, message);
        if (QLatin1String(context.category).startsWith(QLatin1String("qt.qpa")))
            heldPlatformMessages << heldMessages.last();
        return;
    }
    for (const QString &held : std::as_const(heldPlatformMessages))
        std::fprintf(stderr, "collatz: %s\n", qPrintable(held));
    std::fprintf(stderr, "collatz: %s\n", qPrintable(message.section(QLatin1Char('\n'), 0, 0)));
    QString where = environmentValue("DISPLAY");
    QString hint;
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
        where += QStringLiteral(", ") + environmentValue("WAYLAND_DISPLAY");
        hint = QStringLiteral("on Wayland, Qt needs its Wayland platform (Debian's qt6-wayland); ");
    }
    std::fprintf(stderr, "collatz: cannot show the window (%s); %sto use a virtual display: xvfb-run -a collatz\n",
                 qPrintable(where), qPrintable(hint));
    std::_Exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    QString link;
    if (const std::optional<int> status = argc > 1 ? answerCommandLine(argc, argv, &link) : std::nullopt)
        return *status;
    const QtMessageHandler passOn = qInstallMessageHandler(holdMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(passOn);
    for (const QString &message : std::as_const(heldMessages))
        std::fprintf(stderr, "%s\n", qPrintable(message));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.collatzexperiment.Collatz"));
    installJapaneseTranslations(app);
    MainWindow window;
    window.show();
    window.openLink(link);
    return app.exec();
}
