#include "UiHarness.h"
#include "crypto/cPQCrypt.h"
#include "platform/Ansi.h"
#include "ui/EntryListView.h"
#include "ui/FileVaultCommands.h"
#include "ui/StartFolder.h"
#include "ui/frmFileVault.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace {
// A main window with masters and the vault window opened on the folder last used, which holds the
// named files (each holding its own name).
struct VaultWorld
{
    UiHarness h;
    QString folder = h.home.file(QStringLiteral("work"));
    std::unique_ptr<frmMain> main;
    std::unique_ptr<frmFileVault> w;

    VaultWorld(const QStringList &names = {})
    {
        h.setMasters("first master", "second master");
        main = std::make_unique<frmMain>(h.context);
        QDir(folder).mkpath(QStringLiteral("sub"));
        RememberFolder(folder);
        for (const QString &name : names)
            WriteFile(folder + QLatin1Char('/') + name, name.toUtf8());
        w = std::make_unique<frmFileVault>(h.context, *main);
        w->show();
    }
    QByteArray read(const QString &name) const
    {
        return ReadFile(folder + QLatin1Char('/') + name);
    }
    template <typename T = QAbstractButton> T *control(const char *name) const
    {
        return w->findChild<T *>(QLatin1String(name));
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
    void opensInTheFolderLastUsedNeverInTheDataFolder()
    {
        VaultWorld v;
        QCOMPARE(v.w->currentRun().folder, v.folder);
        QCOMPARE(v.control<QLineEdit>("txtSearchSpec")->text(), QStringLiteral("*.*"));
        QCOMPARE(v.files()->selectionMode(), QAbstractItemView::ExtendedSelection);
        QDir::setCurrent(v.h.state.DataFolder);
        for (const QString &last : {QString(), v.h.state.DataFolder}) {
            RememberFolder(last);
            QCOMPARE(frmFileVault(v.h.context, *v.main).currentRun().folder, QDir::homePath());
        }
    }

    void theKeyOptionsAndCreate()
    {
        VaultWorld v;
        QAbstractButton *useMasters = v.control("Check1"), *addPassword = v.control("Check2"),
                        *show = v.control("Check3"), *create = v.control("Command5");
        QVERIFY(addPassword->isChecked());
        QTest::mouseClick(useMasters, Qt::LeftButton);
        QVERIFY(!useMasters->isEnabled() && !useMasters->isChecked());

        addPassword->click();
        v.password()->setText(QStringLiteral("typed before"));
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
        QCOMPARE(v.password()->displayText(), QStringLiteral("************"));
        show->click();
        create->click();
        QCOMPARE(v.password()->text().size(), 12);
        QVERIFY(v.password()->text() != first);
        QCOMPARE(v.password()->displayText(), v.password()->text());
    }

    void thePatternNarrowsTheFilesAtEveryKeystroke()
    {
        VaultWorld v({"b.TXT", "a.txt", "README", "c.doc", ".hidden", "sub/inner.doc"});
        QCOMPARE(v.listed(), (QStringList{"a.txt", "b.TXT", "c.doc", "README"}));
        auto *box = v.control<QLineEdit>("txtSearchSpec");
        box->clear();
        QTest::keyClicks(box, QStringLiteral("*.tx"));
        QVERIFY(v.listed().isEmpty());
        QTest::keyClick(box, Qt::Key_T);
        QCOMPARE(v.listed(), (QStringList{"a.txt", "b.TXT"}));
        box->setText(QStringLiteral("*.doc; readme.*"));
        QCOMPARE(v.listed(), (QStringList{"c.doc", "README"}));

        auto *dirs = v.control<QTreeWidget>("Dir1");
        dirs->setCurrentItem(
            dirs->findItems("sub", Qt::MatchExactly | Qt::MatchRecursive).value(0));
        QTest::keyClick(dirs, Qt::Key_Return);
        QTRY_COMPARE(v.listed(), QStringList{"inner.doc"});
        QCOMPARE(v.w->currentRun().folder, v.folder + QStringLiteral("/sub"));
    }

    // A short password is refused; a run holds the buttons and keeps the password as an entry
    // when asked; the masters never become one; closing during a run waits for its end.
    void encryptAndDecryptTheSelectedFiles()
    {
        VaultWorld v({"one.bin", "two.txt", "three.dat"});
        v.select({"one.bin", "two.txt"});
        v.password()->setText(QStringLiteral("seven77"));
        v.control("Command3")->click();
        QCOMPARE(v.h.ui.messages(),
                 QStringList{"Please enter a password of between 8 and 64 characters, or tick the "
                             "option to use the master passwords"});
        QCOMPARE(v.w->statusText(), QStringLiteral("Processing finished"));

        v.password()->setText(QStringLiteral(" file pw "));
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
        QCOMPARE(v.w->statusText(), QStringLiteral("Processing finished"));
        for (const char *b : {"Command3", "Command4", "Command6"})
            QVERIFY(v.control(b)->isEnabled());
        QCOMPARE(v.main->ListView1()->rowCount(), 2);
        const EntryListView *list = v.main->ListView1();
        QCOMPARE(list->text(0, EntryListView::ColDescription).trimmed(), QStringLiteral("one.bin"));
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
        QCOMPARE(v.main->ListView1()->rowCount(), 2);
        QCOMPARE(v.h.ui.shown.size(), 1);
    }

    void droppingFilesOnThePasswordTakesTheFirstPath()
    {
        VaultWorld v;
        QMimeData files; // what a file manager drops, which reads as text too
        files.setUrls({QUrl(QStringLiteral("https://example.invalid/x")),
                       QUrl::fromLocalFile(v.folder + "/one"), QUrl::fromLocalFile(v.folder)});
        QDragEnterEvent enter({5, 5}, Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(v.password(), &enter);
        QDropEvent drop({5, 5}, Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(v.password(), &drop);
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QCOMPARE(v.password()->text(), v.folder + "/one");
    }

    void oneWindowFromMenuAndToolbarClosedWithTheMainWindow()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        frmMain main(h.context);
        main.setWindowIcon(QIcon(QPixmap(16, 16)));
        InstallFileVaultCommands(main);
        main.show();
        main.action(MainCommand::FileVault)->trigger();
        QPointer<frmFileVault> window = main.findChild<frmFileVault *>();
        QVERIFY(window && window->isVisible() && window->isWindow());
        QCOMPARE(window->windowIcon().cacheKey(), main.windowIcon().cacheKey());
        window->findChild<QLineEdit *>("Text3")->setText(QStringLiteral("typed"));
        main.Toolbar1_ButtonClick(QStringLiteral("FileVault"));
        QCOMPARE(main.findChildren<frmFileVault *>().size(), 1);

        main.close();
        QTRY_VERIFY(!window);
        main.show();
        main.run(MainCommand::FileVault);
        window = main.findChild<frmFileVault *>();
        QVERIFY(window && window->findChild<QLineEdit *>("Text3")->text().isEmpty());
        QVERIFY(window->findChild<QCheckBox *>("Check2")->isChecked());
        window->findChild<QPushButton *>("Command6")->click();
        QTRY_VERIFY(!window);
    }
};

QTEST_MAIN(tst_frmFileVault)
#include "tst_frmFileVault.moc"
