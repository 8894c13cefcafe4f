#include "UiHarness.h"
#include "app/DataFolder.h"
#include "crypto/cPQCrypt.h"
#include "log/LogRecord.h"
#include "platform/Clock.h"
#include "ui/EntryListView.h"
#include "ui/FileVaultCommands.h"
#include "ui/frmMain.h"
#include "ui/frmProgressStatus.h"

#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>
#include <memory>

namespace {
// Watches the progress window come and go, and what it showed as it went.
class ProgressWatch : public QObject
{
public:
    int opened = 0;
    int closed = 0;
    QString title;
    QString lastStatus;
    int lastProgress = -1;

    ProgressWatch() { qApp->installEventFilter(this); }
    ~ProgressWatch() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<frmProgressStatus *>(watched);
        if (!window)
            return false;
        if (event->type() == QEvent::Show) {
            ++opened;
            title = window->windowTitle();
        } else if (event->type() == QEvent::Hide) {
            ++closed;
            lastStatus = window->statusText();
            lastProgress = window->progress();
        }
        return false;
    }
};

struct DropWorld
{
    UiHarness h;
    std::unique_ptr<frmMain> main;
    ProgressWatch watch;

    DropWorld()
    {
        h.setMasters("first master", "second master");
        main = std::make_unique<frmMain>(h.context);
        InstallFileVaultCommands(*main);
        main->show();
    }
    QString put(const QString &name, const QByteArray &bytes) const
    {
        const QString path = h.home.file(name);
        WriteFile(path, bytes);
        return path;
    }
    EntryListView *list() const { return main->ListView1(); }
    QTreeWidgetItem *row(qint16 id) const { return list()->findRow(EntryListView::rowKey(id)); }

    // Drags the files over the row (selecting it, as the pointer does) and drops them there, then
    // waits for the drop to end. Without a row the files are dropped on the list's empty part.
    void drop(QTreeWidgetItem *onto, const QStringList &paths, Qt::KeyboardModifiers held)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        dropData(onto, data, held);
        QTRY_COMPARE(watch.closed, watch.opened);
    }
    void dropData(QTreeWidgetItem *onto, const QMimeData &data, Qt::KeyboardModifiers held)
    {
        const int before = watch.opened;
        QWidget *viewport = list()->viewport();
        const QPoint at = onto ? list()->visualItemRect(onto).center()
                               : QPoint(viewport->width() / 2, viewport->height() - 2);
        // As a real drag does: the list has to take the drag in before it is moved and dropped.
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, held);
        QApplication::sendEvent(viewport, &enter);
        if (onto) {
            QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, held);
            QApplication::sendEvent(viewport, &move);
        }
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, held);
        QApplication::sendEvent(viewport, &dropped);
        if (!data.urls().isEmpty())
            QTRY_COMPARE(watch.opened, before + 1);
    }
};
} // namespace

class tst_Drop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void theProgressWindowShowsAndCloses()
    {
        frmProgressStatus w;
        QCOMPARE(w.objectName(), QStringLiteral("frmProgressStatus"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Progress Status"));
        auto *bar = w.findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
        QVERIFY(bar);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
        auto *status = w.findChild<QStatusBar *>(QStringLiteral("StatusBar1"));
        QVERIFY(status);
        QCOMPARE(status->findChildren<QLabel *>().size(), 1);
        w.view().open();
        QVERIFY(w.isVisible());
        w.view().setStatus(QStringLiteral("Processing... /a"));
        w.view().setProgress(25);
        QCOMPARE(w.statusText(), QStringLiteral("Processing... /a"));
        QCOMPARE(bar->value(), 25);
        w.view().close();
        QVERIFY(!w.isVisible());
    }

    void aDropEnciphersAndAModifierDeciphers()
    {
        DropWorld d;
        const qint16 first = d.h.addEntry("site", "first", "entry pw");
        const qint16 second = d.h.addEntry("other", "second", "other pw");
        d.main->LoadList();
        QByteArray plain;
        for (int b = 0; b < 256; ++b)
            plain.append(char(b));
        const QString a = d.put(QStringLiteral("a.bin"), plain);
        const QString b = d.put(QStringLiteral("b.txt"), "bravo");

        d.drop(d.row(first), {a, b}, Qt::NoModifier);
        QCOMPARE(ReadFile(a), Crypt().Encrypt(plain, "entry pw"));
        QCOMPARE(ReadFile(b), Crypt().Encrypt("bravo", "entry pw"));
        QCOMPARE(d.watch.title, QStringLiteral("Progress Status"));
        QCOMPARE(d.watch.lastStatus, QStringLiteral("Processing Complete"));
        QCOMPARE(d.watch.lastProgress, 0);
        d.drop(d.row(first), {a, b}, Qt::ShiftModifier);
        QCOMPARE(ReadFile(a), plain);
        QCOMPARE(ReadFile(b), QByteArray("bravo"));

        d.drop(d.row(first), {a}, Qt::ControlModifier);
        QCOMPARE(ReadFile(a), Crypt().DeCrypt(plain, "entry pw"));
        d.drop(d.row(first), {a}, Qt::AltModifier);
        QCOMPARE(ReadFile(a), plain);

        // The row dropped on is the key: another entry scrambles further instead of restoring.
        d.drop(d.row(first), {b}, Qt::NoModifier);
        d.drop(d.row(second), {b}, Qt::ShiftModifier);
        QCOMPARE(d.main->selectedLoginId(), std::optional<qint16>(second));
        QCOMPARE(ReadFile(b), Crypt().DeCrypt(Crypt().Encrypt("bravo", "entry pw"), "other pw"));
        QVERIFY(d.h.ui.shown.isEmpty());
        QVERIFY(d.list()->acceptDrops());
    }

    void aDropWithNoSelectedRowWritesNothing()
    {
        DropWorld d;
        d.h.addEntry("site", "first", "entry pw");
        d.main->LoadList();
        d.list()->clearSelection();
        const QString a = d.put(QStringLiteral("a.txt"), "alpha");
        d.drop(nullptr, {a}, Qt::NoModifier);
        QCOMPARE(d.watch.opened, 1);
        QCOMPARE(ReadFile(a), QByteArray("alpha"));
        QCOMPARE(d.watch.lastStatus, QStringLiteral("Processing Complete"));
        QVERIFY(d.h.ui.shown.isEmpty());
    }

    void aDropWithoutFilesIsIgnored()
    {
        DropWorld d;
        const qint16 id = d.h.addEntry("site", "first", "entry pw");
        d.main->LoadList();
        QMimeData words;
        words.setText(QStringLiteral("just words"));
        d.dropData(d.row(id), words, Qt::NoModifier);
        QTest::qWait(20);
        QCOMPARE(d.watch.opened, 0);
        QVERIFY(d.h.ui.shown.isEmpty());
    }

    void droppedFilesAreLoggedWithTheEntrysId()
    {
        DropWorld d;
        Clock::fix(QDateTime(QDate(2024, 3, 1), QTime(10, 0)));
        const qint16 id = d.h.addEntry("site", "first", "entry pw");
        d.main->LoadList();
        const QString a = d.put(QStringLiteral("a.txt"), "alpha");
        d.drop(d.row(id), {a}, Qt::NoModifier);
        QVERIFY(!QFile::exists(d.h.state.LogFile)); // logging is off
        d.h.state.LogFileEncryption = true;
        d.drop(d.row(id), {a}, Qt::NoModifier);
        d.drop(d.row(id), {a}, Qt::ShiftModifier);
        Clock::fix(std::nullopt);

        QStringList texts;
        for (const QByteArray &line : ReadFile(d.h.state.LogFile).split('\n')) {
            if (!line.isEmpty())
                texts << QString::fromUtf8(line.mid(line.indexOf('\t') + 1));
        }
        const QString tail =
            QStringLiteral(", ") + GetLoginUserName() + QStringLiteral("3/1/2024 10:00:00 AM");
        QCOMPARE(texts,
                 (QStringList{LogRecord::fit(QStringLiteral("Encrypted: 1000 a.txt") + tail),
                              LogRecord::fit(QStringLiteral("Decrypted: 1000 a.txt") + tail)}));
        QCOMPARE(ReadFile(a), Crypt().Encrypt("alpha", "entry pw"));
    }
};

QTEST_MAIN(tst_Drop)
#include "tst_Drop.moc"
