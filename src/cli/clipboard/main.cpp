// pellora-clipboard SECONDS: pellora-cli's hands on the clipboard, apart so that only the clip
// command loads the graphical libraries. Reads the text from standard input, puts it on the
// clipboard, says so with one line on standard output, then serves it: for SECONDS and then
// clears it, or with 0 until another program replaces it.
#include "ClipboardOwner.h"
#include "platform/CoreDumps.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {
void onlyQtFailures(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}
} // namespace

int main(int argc, char **argv)
{
    DisableCoreDumps();
    qInstallMessageHandler(onlyQtFailures);
    bool ok = argc == 2;
    const int seconds = ok ? QByteArray(argv[1]).toInt(&ok) : 0;
    if (!ok || seconds < 0) {
        std::fprintf(stderr, "usage: pellora-clipboard SECONDS < text\n");
        return 2;
    }
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return 1;
    const QString text = QString::fromUtf8(input.readAll());
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    ClipboardOwner owner(app);
    owner.put(text);
    std::fputs("copied\n", stdout);
    std::fclose(stdout);
    if (seconds > 0)
        owner.serveThenClear(seconds);
    else
        owner.serveUntilReplaced();
    return 0;
}
