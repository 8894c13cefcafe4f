#include "ClipboardOwner.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

#include <atomic>
#include <csignal>

namespace {
std::atomic<bool> g_interrupted{false};

extern "C" void noteInterrupt(int)
{
    g_interrupted = true;
}
} // namespace

ClipboardOwner::ClipboardOwner(QGuiApplication &app)
    : m_app(app)
{}

void ClipboardOwner::put(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    auto *data = new QMimeData;
    data->setText(text);
    data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
    clipboard->setMimeData(data);
    m_text = text;
}

void ClipboardOwner::serveThenClear(int seconds)
{
    for (const int signo : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signo, noteInterrupt);
    QTimer::singleShot(seconds * 1000, &m_app, &QCoreApplication::quit);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &m_app, [] {
        if (g_interrupted)
            QCoreApplication::quit();
    });
    watch.start(100);
    QCoreApplication::exec();
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard->text() == m_text)
        clipboard->clear();
}

void ClipboardOwner::serveUntilReplaced()
{
    QObject::connect(
        QGuiApplication::clipboard(), &QClipboard::changed, &m_app, [](QClipboard::Mode mode) {
            if (mode == QClipboard::Clipboard && !QGuiApplication::clipboard()->ownsClipboard())
                QCoreApplication::quit();
        });
    QCoreApplication::exec();
}
