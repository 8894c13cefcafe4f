// The file vault window, opened from the main window, and the progress window a drop shows.
#include "UiHarness.h"
#include "crypto/cPQCrypt.h"
#include "platform/Ansi.h"
#include "ui/EntryListView.h"
#include "ui/FileVaultCommands.h"
#include "ui/StartFolder.h"
#include "ui/frmFileVault.h"
#include "ui/frmMain.h"
#include "ui/frmProgressStatus.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {
// A main window with masters and the vault window opened on the folder last used, which holds the
// named files (each holding its own name).
struct VaultWorld
{
    UiHarness h{true};
    QString folder = h.home.file(u"work"_s);
    frmMain main{h.context};
    std::unique_ptr<frmFileVault> w;

    VaultWorld(const QStringList &names = {})
    {
        QDir(folder).mkpath(u"sub"_s);
        RememberFolder(folder);
        for (const QString &name : names)
            WriteFile(folder + u'/' + name, name.toUtf8());
        w = std::make_unique<frmFileVault>(h.context, main);
        w->show();
    }
    QByteArray read(const QString &name) const { return ReadFile(folder + u'/' + name); }
    template <typename T = QAbstractButton> T *control(const char *name) const
    {
        return Find<T>(w.get(), name);
    }
    QListWidget *files() const { return control<QListWidget>("File1"); }
    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < files()->count(); ++i)
            names << files()->item(i)->text();
        return names;
    }
    void select(const QStringList &names) const
    {
        for (int i = 0; i < files()->count(); ++i)
            files()->item(i)->setSelected(names.contains(files()->item(i)->text()));
    }
    QLineEdit *password() const { return control<QLineEdit>("Text3"); }
};
} // namespace

class tst_frmFileVault : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The program's current folder is its data folder; the window opens in the folder last used,
    // or in the home folder when none was used or the last was one of the program's own.
    void opensWhereLastUsedAndListsWhatThePatternMatches()
    {
        VaultWorld v({"b.TXT", "a.txt", "README", "c.doc", ".hidden", "sub/inner.doc"});
        QCOMPARE(v.w->currentRun().folder, v.folder);
        QCOMPARE(v.files()->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(v.listed(), (QStringList{"a.txt", "b.TXT", "c.doc", "README"}));
        auto *box = v.control<QLineEdit>("txtSearchSpec");
        QCOMPARE(box->text(), u"*.*"_s);
        box->clear();
        QTest::keyClicks(box, u"*.tx"_s);
        QVERIFY(v.listed().isEmpty());
        QTest::keyClick(box, Qt::Key_T);
        QCOMPARE(v.listed(), (QStringList{"a.txt", "b.TXT"}));
        box->setText(u"*.doc; readme.*"_s);
        QCOMPARE(v.listed(), (QStringList{"c.doc", "README"}));
        auto *dirs = v.control<QTreeWidget>("Dir1");
        dirs->setCurrentItem(
            dirs->findItems("sub", Qt::MatchExactly | Qt::MatchRecursive).value(0));
        QTest::keyClick(dirs, Qt::Key_Return);
        QTRY_COMPARE(v.listed(), QStringList{"inner.doc"});
        QCOMPARE(v.w->currentRun().folder, v.folder + u"/sub"_s);

        QMimeData files; // what a file manager drops, which reads as text too
        files.setUrls({QUrl(u"https://example.invalid/x"_s), QUrl::fromLocalFile(v.folder + "/one"),
                       QUrl::fromLocalFile(v.folder)});
        QDragEnterEvent enter({5, 5}, Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(v.password(), &enter);
        QDropEvent drop({5, 5}, Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(v.password(), &drop);
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QCOMPARE(v.password()->text(), v.folder + "/one"); // the first path

        QDir::setCurrent(v.h.state.DataFolder);
        for (const QString &last : {QString(), v.h.state.DataFolder}) {
            RememberFolder(last);
            QCOMPARE(frmFileVault(v.h.context, v.main).currentRun().folder, QDir::homePath());
        }
    }

    // The key options exclude each other. A short password is refused; a run holds the buttons
    // and keeps the password as an entry when asked; the masters never become one; closing during
    // a run waits for its end.
    void theKeyOptionsThenEncryptAndDecryptTheSelectedFiles()
    {
        VaultWorld v({"one.bin", "two.txt", "three.dat"});
        QAbstractButton *useMasters = v.control("Check1"), *addPassword = v.control("Check2"),
                        *show = v.control("Check3"), *create = v.control("Command5");
        QVERIFY(addPassword->isChecked());
        QTest::mouseClick(useMasters, Qt::LeftButton);
        QVERIFY(!useMasters->isEnabled() && !useMasters->isChecked());

        addPassword->click();
        v.password()->setText(u"typed before"_s);
        show->click();
        useMasters->click();
        QCOMPARE(v.password()->text(), Ansi::toText(v.h.state.entryKey()));
        QVERIFY(!v.password()->isEnabled() && !create->isEnabled());
        QVERIFY(!addPassword->isChecked() && !addPassword->isEnabled());
        QVERIFY(!show->isChecked() && !show->isEnabled());
        QTest::mouseClick(show, Qt::LeftButton); // the masters cannot be shown in clear
        QCOMPARE(v.password()->echoMode(), QLineEdit::Password);

        useMasters->click();
        QVERIFY(v.password()->text().isEmpty()); // what was typed before is gone too
        QVERIFY(v.password()->isEnabled() && create->isEnabled());
        QVERIFY(addPassword->isEnabled() && !addPassword->isChecked());
        QVERIFY(show->isEnabled() && !show->isChecked());
        addPassword->click();
        QVERIFY(!useMasters->isEnabled());

        create->click();
        const QString first = v.password()->text();
        QCOMPARE(first.size(), 12);
        QCOMPARE(v.password()->displayText(), u"************"_s);
        show->click();
        create->click();
        QCOMPARE(v.password()->text().size(), 12);
        QVERIFY(v.password()->text() != first);
        QCOMPARE(v.password()->displayText(), v.password()->text());
        v.select({"one.bin", "two.txt"});
        v.password()->setText(u"seven77"_s);
        v.control("Command3")->click();
        QCOMPARE(v.h.ui.messages(),
                 QStringList{"Please enter a password of between 8 and 64 characters, or tick the "
                             "option to use the master passwords"});
        QCOMPARE(v.w->statusText(), u"Processing finished"_s);

        v.password()->setText(u" file pw "_s);
        bool buttonsHeld = true;
        auto *bar = v.control<QProgressBar>("ProgressBar1");
        auto held = connect(bar, &QProgressBar::valueChanged, v.w.get(), [&] {
            for (const char *b : {"Command3", "Command4", "Command6"})
                buttonsHeld = buttonsHeld && !v.control(b)->isEnabled();
        });
        v.control("Command3")->click();
        QCOMPARE(v.read("one.bin"), Crypt().Encrypt("one.bin", " file pw "));
        QCOMPARE(v.read("two.txt"), Crypt().Encrypt("two.txt", " file pw "));
        QCOMPARE(v.read("three.dat"), QByteArray("three.dat"));
        QVERIFY(buttonsHeld);
        QCOMPARE(v.w->statusText(), u"Processing finished"_s);
        for (const char *b : {"Command3", "Command4", "Command6"})
            QVERIFY(v.control(b)->isEnabled());
        QCOMPARE(v.main.ListView1()->rowCount(), 2);
        const EntryListView *list = v.main.ListView1();
        QCOMPARE(list->text(0, EntryListView::ColDescription).trimmed(), u"one.bin"_s);
        QCOMPARE(v.h.passwordOf(list->text(0, 0).toShort()), QByteArray("file pw"));

        v.control("Check2")->click();
        v.control("Command4")->click();
        QCOMPARE(v.read("one.bin"), QByteArray("one.bin"));
        QCOMPARE(v.read("two.txt"), QByteArray("two.txt"));

        v.control("Check1")->click();
        disconnect(held);
        bool stillOpen = false;
        connect(bar, &QProgressBar::valueChanged, v.w.get(), [&](int value) {
            if (value == 1) {
                v.w->close();
                stillOpen = v.w->isVisible();
            }
        });
        v.control("Command3")->click();
        QVERIFY(stillOpen && !v.w->isVisible());
        QCOMPARE(v.read("two.txt"), Crypt().Encrypt("two.txt", v.h.state.entryKey()));
        QCOMPARE(v.main.ListView1()->rowCount(), 2);
        QCOMPARE(v.h.ui.shown.size(), 1);
    }

    void oneWindowFromMenuAndToolbarClosedWithTheMainWindow()
    {
        UiHarness h(true);
        frmMain main(h.context);
        main.setWindowIcon(QIcon(QPixmap(16, 16)));
        InstallFileVaultCommands(main);
        main.show();
        main.action(MainCommand::FileVault)->trigger();
        QPointer<frmFileVault> window = main.findChild<frmFileVault *>();
        QVERIFY(window && window->isVisible() && window->isWindow());
        QCOMPARE(window->windowIcon().cacheKey(), main.windowIcon().cacheKey());
        Find<QLineEdit>(window, "Text3")->setText(u"typed"_s);
        main.Toolbar1_ButtonClick(u"FileVault"_s);
        QCOMPARE(main.findChildren<frmFileVault *>().size(), 1);
        main.close();
        QTRY_VERIFY(!window);
        main.show();
        main.run(MainCommand::FileVault);
        window = main.findChild<frmFileVault *>();
        QVERIFY(window && Find<QLineEdit>(window, "Text3")->text().isEmpty());
        QVERIFY(Find<QAbstractButton>(window, "Check2")->isChecked());
        Find<QAbstractButton>(window, "Command6")->click();
        QTRY_VERIFY(!window);

        frmProgressStatus progress; // what a drop on the list shows
        QCOMPARE(progress.windowTitle(), u"Progress Status"_s);
        progress.view().open();
        progress.view().setStatus(u"Processing... /a"_s);
        progress.view().setProgress(25);
        QVERIFY(progress.isVisible());
        QCOMPARE(progress.statusText(), u"Processing... /a"_s);
        QCOMPARE(progress.progress(), 25);
        progress.view().close();
        QVERIFY(!progress.isVisible());
    }
};

QTEST_MAIN(tst_frmFileVault)
#include "tst_frmFileVault.moc"
