#include "ui/CommandLine.h"
#include "ui/Startup.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    // Answered before any window system is touched, so they work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto answer = CommandLineAnswer(arguments)) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    return RunPellora();
}
