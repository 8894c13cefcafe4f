#include "UiHarness.h"
#include "crypto/cPQCrypt.h"
#include "ui/EntryListView.h"
#include "ui/FileVaultCommands.h"
#include "ui/frmMain.h"
#include "ui/frmProgressStatus.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTest>

class tst_Drop : public QObject
{
    Q_OBJECT

    // Drags the data over the row (selecting it, as the pointer does) or the list's empty part,
    // drops it there and lets the drop's work run.
    static void drop(frmMain &main, qint16 onId, const QMimeData &data, Qt::KeyboardModifiers held)
    {
        const int onto = main.ListView1()->findRow(EntryListView::rowKey(onId));
        QWidget *viewport = main.ListView1()->viewport();
        const QPoint at = onto >= 0 ? main.ListView1()->rowRect(onto).center()
                                    : QPoint(viewport->width() / 2, viewport->height() - 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, held);
        QApplication::sendEvent(viewport, &enter);
        if (onto >= 0) {
            QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, held);
            QApplication::sendEvent(viewport, &move);
        }
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, held);
        QApplication::sendEvent(viewport, &dropped);
        QTest::qWait(20);
    }
    static void drop(frmMain &main, qint16 onId, const QString &path, Qt::KeyboardModifiers held)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        drop(main, onId, data, held);
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void theProgressWindowShowsWhatTheDropTellsIt()
    {
        frmProgressStatus w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Progress Status"));
        w.view().open();
        w.view().setStatus(QStringLiteral("Processing... /a"));
        w.view().setProgress(25);
        QVERIFY(w.isVisible());
        QCOMPARE(w.statusText(), QStringLiteral("Processing... /a"));
        QCOMPARE(w.progress(), 25);
        w.view().close();
        QVERIFY(!w.isVisible());
    }

    // The row dropped on gives the key; any of Shift, Ctrl and Alt deciphers. A drop with no row
    // selected, or without files, writes nothing.
    void aDropEnciphersAndAModifierDeciphers()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        const qint16 first = h.addEntry("site", "first", "entry pw");
        const qint16 second = h.addEntry("other", "second", "other pw");
        frmMain main(h.context);
        InstallFileVaultCommands(main);
        main.show();
        main.LoadList();
        QByteArray plain;
        for (int b = 0; b < 256; ++b)
            plain.append(char(b));
        const QString a = h.home.file(QStringLiteral("a.bin"));
        WriteFile(a, plain);

        for (const auto held : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
            drop(main, first, a, Qt::NoModifier);
            QCOMPARE(ReadFile(a), Crypt().Encrypt(plain, "entry pw"));
            drop(main, first, a, held);
            QCOMPARE(ReadFile(a), plain);
        }
        drop(main, first, a, Qt::NoModifier);
        drop(main, second, a, Qt::ShiftModifier);
        QCOMPARE(main.selectedLoginId(), std::optional<qint16>(second));
        QCOMPARE(ReadFile(a), Crypt().DeCrypt(Crypt().Encrypt(plain, "entry pw"), "other pw"));

        const QByteArray scrambled = ReadFile(a);
        const int runs = h.ui.busyPushes;
        main.ListView1()->clearSelection();
        drop(main, 0, a, Qt::NoModifier);
        QCOMPARE(h.ui.busyPushes, runs + 1);
        QMimeData pathAsText;
        pathAsText.setText(a);
        drop(main, second, pathAsText, Qt::NoModifier);
        QCOMPARE(h.ui.busyPushes, runs + 1);
        QCOMPARE(ReadFile(a), scrambled);
        QVERIFY(h.ui.shown.isEmpty());
        QVERIFY(main.ListView1()->acceptDrops());

        const QByteArray store = ReadFile(h.state.LoginFile);
        drop(main, first, h.state.LoginFile, Qt::NoModifier);
        QCOMPARE(ReadFile(h.state.LoginFile), store);
        QCOMPARE(h.ui.messages(), QStringList{"These are Pellora's own files, which it never "
                                              "encrypts or decrypts, so nothing has been "
                                              "changed:\n" +
                                              h.state.LoginFile});
    }
};

QTEST_MAIN(tst_Drop)
#include "tst_Drop.moc"
