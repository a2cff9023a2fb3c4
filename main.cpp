// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Form1.h"
#include "JapaneseTranslations.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

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
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show a short help and exit."));
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

// Qt answers a display it cannot open with a page of advice and an abort. While the
// application is made, its messages are held here; should it fail, the program says so
// in one line instead, and otherwise passes them on.
QStringList heldMessages;

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        heldMessages << qFormatLogMessage(type, context, message);
        return;
    }
    const QByteArray display = qgetenv("DISPLAY");
    std::fprintf(stderr, "collatz: cannot open a display to show the window on (%s); to use a virtual one: "
                         "xvfb-run -a collatz\n",
                 display.isEmpty() ? "DISPLAY is not set" : qPrintable("DISPLAY is " + display));
    std::_Exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1) {
        if (const std::optional<int> status = answerCommandLine(argc, argv))
            return *status;
    }
    const QtMessageHandler passOn = qInstallMessageHandler(holdMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(passOn);
    for (const QString &message : std::as_const(heldMessages))
        std::fprintf(stderr, "%s\n", qPrintable(message));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.collatzexperiment.Collatz"));
    installJapaneseTranslations(app);
    Form1 form;
    form.show();
    return app.exec();
}
