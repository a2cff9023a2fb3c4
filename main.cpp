#include "Form1.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Form1 form;
    form.show();
    const int code = app.exec();
    // Nothing is kept, so nothing needs tearing down; a chime still sounding would
    // otherwise hold the exit until it has drained.
    std::fflush(nullptr);
    std::_Exit(code);
}
