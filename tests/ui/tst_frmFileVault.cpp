#include "UiHarness.h"
#include "crypto/cPQCrypt.h"
#include "platform/Ansi.h"
#include "ui/EntryListView.h"
#include "ui/FileVaultCommands.h"
#include "ui/frmFileVault.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStorageInfo>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace {
const QString kTooShort = QStringLiteral("Please enter a password of between 8 and 64 characters, "
                                         "or tick the option to use the master passwords");

// Every byte value, several times over, so nothing is lost to a text conversion.
QByteArray AllBytes(int rounds)
{
    QByteArray bytes;
    for (int r = 0; r < rounds; ++r) {
        for (int b = 0; b < 256; ++b)
            bytes.append(char((b + r) & 0xff));
    }
    return bytes;
}

QString Caption(const QString &text)
{
    return QString(text).remove(QLatin1Char('&'));
}

// A main window with masters, the vault window over it, and a folder of files to work on.
struct VaultWorld
{
    UiHarness h;
    QString folder;
    std::unique_ptr<frmMain> main;
    std::unique_ptr<frmFileVault> w;

    VaultWorld()
    {
        h.setMasters("first master", "second master");
        folder = h.home.file(QStringLiteral("work"));
        QDir().mkpath(folder);
        QDir::setCurrent(folder);
        main = std::make_unique<frmMain>(h.context);
    }
    // Opens the window on the folder as it now stands.
    void open()
    {
        w = std::make_unique<frmFileVault>(h.context, *main);
        w->show();
    }
    QString put(const QString &name, const QByteArray &bytes) const
    {
        const QString path = folder + QLatin1Char('/') + name;
        WriteFile(path, bytes);
        return path;
    }
    template <typename T> T *control(const char *name) const
    {
        T *found = w->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
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
    void useFilePassword(const QString &password) const
    {
        control<QCheckBox>("Check2")->click();
        control<QLineEdit>("Text3")->setText(password);
    }
    void click(const char *button) const { control<QPushButton>(button)->click(); }
};

// Drags data over the widget and drops it there when the widget takes the drag in. The action
// the drop was taken with, or IgnoreAction when the drag was refused.
Qt::DropAction DragOnto(QWidget *target, const QMimeData &data)
{
    const QPoint at = target->rect().center();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return Qt::IgnoreAction;
    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}
} // namespace

class tst_frmFileVault : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void opensWithTheLoadStateAndItsCaptions()
    {
        VaultWorld v;
        v.open();
        QCOMPARE(v.w->objectName(), QStringLiteral("frmFileVault"));
        QCOMPARE(v.w->windowTitle(), QStringLiteral("File Encryption/Decryption"));
        const QList<QPair<const char *, const char *>> captions = {
            {"Check1", "Use master passwords"},
            {"Check2", "Add password to Pellora"},
            {"Check3", "Show Password"},
            {"Command5", "Create"},
            {"Command3", "Encrypt Selected Files"},
            {"Command4", "Decrypt Selected Files"},
            {"Command6", "Close"}};
        for (const auto &[name, caption] : captions) {
            auto *button = v.w->findChild<QAbstractButton *>(QLatin1String(name));
            QVERIFY(button);
            QCOMPARE(Caption(button->text()), QLatin1String(caption));
        }
        QCOMPARE(Caption(v.control<QLabel>("lblCriteria")->text()),
                 QStringLiteral("Selection Criteria:"));
        QCOMPARE(Caption(v.control<QLabel>("Label3")->text()), QStringLiteral("Password"));
        QCOMPARE(v.control<QLabel>("Label3")->buddy(), v.control<QLineEdit>("Text3"));
        QCOMPARE(v.control<QLineEdit>("txtSearchSpec")->text(), QStringLiteral("*.*"));
        QCOMPARE(v.w->statusText(), QStringLiteral("Status"));
        QVERIFY(v.control<QWidget>("StatusBar1")->isAncestorOf(v.control<QLabel>("Panel1")));
        auto *bar = v.control<QProgressBar>("ProgressBar1");
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(v.files()->selectionMode(), QAbstractItemView::ExtendedSelection);

        // The folder lists start at the current folder and its file system.
        QCOMPARE(v.w->currentRun().folder, v.folder);
        auto *drives = v.control<QComboBox>("Drive1");
        QCOMPARE(drives->currentData().toString(), QStorageInfo(v.folder).rootPath());
        QVERIFY(v.control<QTreeWidget>("Dir1")->currentItem());
        QCOMPARE(v.control<QTreeWidget>("Dir1")->currentItem()->text(0), QStringLiteral("work"));
    }

    void theTwoKeyOptionsExcludeEachOther()
    {
        VaultWorld v;
        v.open();
        auto *useMasters = v.control<QCheckBox>("Check1");
        auto *addPassword = v.control<QCheckBox>("Check2");
        auto *show = v.control<QCheckBox>("Check3");
        auto *password = v.control<QLineEdit>("Text3");
        auto *create = v.control<QPushButton>("Command5");
        QVERIFY(addPassword->isChecked());
        QVERIFY(!useMasters->isEnabled());
        QTest::mouseClick(useMasters, Qt::LeftButton);
        QVERIFY(!useMasters->isChecked()); // cannot be ticked while the password is to be kept

        addPassword->click();
        QVERIFY(useMasters->isEnabled());
        password->setText(QStringLiteral("typed before"));
        show->click();
        QCOMPARE(password->echoMode(), QLineEdit::Normal);
        useMasters->click();
        QCOMPARE(password->text(), Ansi::toText(v.h.state.entryKey()));
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QCOMPARE(password->displayText(), QString(password->text().size(), QLatin1Char('*')));
        QVERIFY(!password->isEnabled());
        QVERIFY(!create->isEnabled());
        QVERIFY(!addPassword->isChecked() && !addPassword->isEnabled());
        QVERIFY(!show->isChecked() && !show->isEnabled());
        QTest::mouseClick(show, Qt::LeftButton); // the masters cannot be shown in clear
        QCOMPARE(password->echoMode(), QLineEdit::Password);

        useMasters->click();
        QVERIFY(password->text().isEmpty()); // what was typed before is gone too
        QVERIFY(password->isEnabled() && create->isEnabled());
        QVERIFY(addPassword->isEnabled() && !addPassword->isChecked());
        QVERIFY(show->isEnabled() && !show->isChecked());
        addPassword->click();
        QVERIFY(!useMasters->isEnabled());
    }

    void createGivesATwelveCharacterPasswordShownMasked()
    {
        VaultWorld v;
        v.open();
        auto *password = v.control<QLineEdit>("Text3");
        v.click("Command5");
        const QString first = password->text();
        QCOMPARE(first.size(), 12);
        QCOMPARE(password->displayText(), QStringLiteral("************"));
        v.control<QCheckBox>("Check3")->click();
        QCOMPARE(password->displayText(), first);
        v.click("Command5");
        QCOMPARE(password->text().size(), 12);
        QVERIFY(password->text() != first);
        QCOMPARE(password->displayText(), password->text());
    }

    void thePatternNarrowsAndWidensTheFilesAtEveryKeystroke()
    {
        VaultWorld v;
        for (const char *name : {"b.TXT", "a.txt", "README", "c.doc", ".hidden"})
            v.put(QLatin1String(name), "x");
        QDir(v.folder).mkdir(QStringLiteral("sub"));
        v.open();
        QCOMPARE(v.listed(), (QStringList{"a.txt", "b.TXT", "c.doc", "README"}));

        auto *box = v.control<QLineEdit>("txtSearchSpec");
        box->clear();
        QTest::keyClicks(box, QStringLiteral("*.tx"));
        QVERIFY(v.listed().isEmpty());
        QTest::keyClick(box, Qt::Key_T);
        QCOMPARE(v.listed(), (QStringList{"a.txt", "b.TXT"}));
        box->setText(QStringLiteral("*.doc; readme.*"));
        QCOMPARE(v.listed(), (QStringList{"c.doc", "README"}));
        box->setText(QStringLiteral("?.*"));
        QCOMPARE(v.listed(), (QStringList{"a.txt", "b.TXT", "c.doc"}));
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, QStringLiteral("*.*"));
        QCOMPARE(v.listed().size(), 4); // names without a dot too

        // Opening a subfolder in the folder list shows its files.
        v.put(QStringLiteral("sub/inner.bin"), "y");
        auto *dirs = v.control<QTreeWidget>("Dir1");
        const auto found =
            dirs->findItems(QStringLiteral("sub"), Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(found.size(), 1);
        dirs->setCurrentItem(found.first());
        QTest::keyClick(dirs, Qt::Key_Return);
        QTRY_COMPARE(v.listed(), QStringList{"inner.bin"});
        QCOMPARE(v.w->currentRun().folder, v.folder + QStringLiteral("/sub"));
    }

    void aDriveThatCannotBeOpenedReturnsToTheFoldersDrive()
    {
        VaultWorld v;
        v.open();
        auto *drives = v.control<QComboBox>("Drive1");
        const QString before = drives->currentData().toString();
        drives->addItem(QStringLiteral("/gone"), v.h.home.file(QStringLiteral("not-mounted")));
        drives->setCurrentIndex(drives->count() - 1);
        QCOMPARE(drives->currentData().toString(), before);
        QCOMPARE(v.w->currentRun().folder, v.folder);
        QVERIFY(v.h.ui.shown.isEmpty());
    }

    void encryptThenDecryptRestoresTheSelectedFiles()
    {
        VaultWorld v;
        const QByteArray one = AllBytes(9);
        const QByteArray two = "plain words\r\n";
        const QString onePath = v.put(QStringLiteral("one.bin"), one);
        const QString twoPath = v.put(QStringLiteral("two.txt"), two);
        const QString threePath = v.put(QStringLiteral("three.dat"), "left alone");
        v.open();
        v.useFilePassword(QStringLiteral(" file pw "));
        v.select({"one.bin", "two.txt"});

        auto *bar = v.control<QProgressBar>("ProgressBar1");
        QList<int> progress;
        bool buttonsHeld = true;
        connect(bar, &QProgressBar::valueChanged, v.w.get(), [&](int value) {
            progress << value;
            for (const char *b : {"Command3", "Command4", "Command6"})
                buttonsHeld = buttonsHeld && !v.control<QPushButton>(b)->isEnabled();
        });
        v.click("Command3");
        QCOMPARE(ReadFile(onePath), Crypt().Encrypt(one, " file pw "));
        QCOMPARE(ReadFile(twoPath), Crypt().Encrypt(two, " file pw "));
        QCOMPARE(ReadFile(threePath), QByteArray("left alone"));
        QCOMPARE(progress, (QList<int>{1, 13, 25, 37, 49, 61, 73, 0}));
        QVERIFY(buttonsHeld);
        QCOMPARE(v.w->statusText(), QStringLiteral("Processing finished"));
        for (const char *b : {"Command3", "Command4", "Command6"})
            QVERIFY(v.control<QPushButton>(b)->isEnabled());

        v.click("Command4");
        QCOMPARE(ReadFile(onePath), one);
        QCOMPARE(ReadFile(twoPath), two);
        QVERIFY(v.h.ui.shown.isEmpty());
        QCOMPARE(v.main->ListView1()->topLevelItemCount(), 0); // no entry was asked for
    }

    void keptPasswordsBecomeEntriesShownInTheList()
    {
        VaultWorld v;
        v.put(QStringLiteral("a.txt"), "alpha");
        v.put(QStringLiteral("b.txt"), "bravo");
        v.open();
        v.select({"a.txt", "b.txt"});
        v.control<QLineEdit>("Text3")->setText(QStringLiteral(" spaced pw "));
        v.click("Command3");
        QCOMPARE(v.main->ListView1()->topLevelItemCount(), 2);
        const QTreeWidgetItem *row = v.main->ListView1()->topLevelItem(0);
        QCOMPARE(row->text(EntryListView::ColLogin).trimmed(), QStringLiteral("FileEncryption"));
        QCOMPARE(row->text(EntryListView::ColDescription).trimmed(), QStringLiteral("a.txt"));
        QCOMPARE(v.h.passwordOf(row->text(0).toShort()), QByteArray("spaced pw"));
    }

    void theMasterOptionUsesTheEntryKeyAndKeepsNoEntry()
    {
        VaultWorld v;
        const QString path = v.put(QStringLiteral("m.bin"), AllBytes(1));
        v.open();
        v.control<QCheckBox>("Check2")->click();
        v.control<QCheckBox>("Check1")->click();
        v.select({"m.bin"});
        v.click("Command3");
        QCOMPARE(ReadFile(path), Crypt().Encrypt(AllBytes(1), v.h.state.entryKey()));
        QCOMPARE(v.main->ListView1()->topLevelItemCount(), 0);
        v.click("Command4");
        QCOMPARE(ReadFile(path), AllBytes(1));
    }

    void aShortPasswordIsRefusedAndTouchesNothing()
    {
        VaultWorld v;
        const QString path = v.put(QStringLiteral("a.txt"), "alpha");
        v.open();
        v.useFilePassword(QStringLiteral("seven77"));
        v.select({"a.txt"});
        v.click("Command3");
        QCOMPARE(v.h.ui.messages(), QStringList{kTooShort});
        QCOMPARE(ReadFile(path), QByteArray("alpha"));
        QCOMPARE(v.w->statusText(), QStringLiteral("Processing finished"));
        QVERIFY(v.control<QPushButton>("Command3")->isEnabled());
    }

    void droppingOnThePasswordTakesTheFirstFilesPath()
    {
        VaultWorld v;
        const QString first = v.put(QStringLiteral("key one.bin"), "k");
        const QString second = v.put(QStringLiteral("key two.bin"), "k");
        v.open();
        auto *password = v.control<QLineEdit>("Text3");
        password->setText(QStringLiteral("unchanged"));
        QMimeData noText;
        noText.setData(QStringLiteral("application/octet-stream"), "bytes");
        QCOMPARE(DragOnto(password, noText), Qt::IgnoreAction);
        QMimeData textOnly;
        textOnly.setText(QStringLiteral("dropped words"));
        QCOMPARE(DragOnto(password, textOnly), Qt::CopyAction);
        QCOMPARE(password->text(), QStringLiteral("unchanged")); // no file list, no change

        // What a file manager drops: a list of files, which reads as text too.
        QMimeData files;
        files.setUrls({QUrl(QStringLiteral("https://example.invalid/x")),
                       QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
        QCOMPARE(DragOnto(password, files), Qt::CopyAction);
        QCOMPARE(password->text(), first);
    }

    void closingDuringARunWaitsForItsEnd()
    {
        VaultWorld v;
        const QString a = v.put(QStringLiteral("a.txt"), "alpha");
        const QString b = v.put(QStringLiteral("b.txt"), "bravo");
        v.open();
        v.useFilePassword(QStringLiteral("long enough"));
        v.select({"a.txt", "b.txt"});
        bool stillOpen = false;
        connect(v.control<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged, v.w.get(),
                [&](int value) {
                    if (value != 1)
                        return;
                    v.w->close();
                    stillOpen = v.w->isVisible();
                });
        v.click("Command3");
        QVERIFY(stillOpen);
        QVERIFY(!v.w->isVisible());
        QCOMPARE(ReadFile(b), Crypt().Encrypt("bravo", "long enough"));
        QCOMPARE(ReadFile(a), Crypt().Encrypt("alpha", "long enough"));
    }

    void oneWindowFromMenuAndToolbarClosedWithTheMainWindow()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        frmMain main(h.context);
        main.setWindowIcon(QIcon(QPixmap(16, 16)));
        InstallFileVaultCommands(main);
        main.show();
        QVERIFY(main.action(MainCommand::FileVault)->isEnabled());
        main.action(MainCommand::FileVault)->trigger();
        QList<frmFileVault *> open = main.findChildren<frmFileVault *>();
        QCOMPARE(open.size(), 1);
        QPointer<frmFileVault> window = open.first();
        QVERIFY(window->isVisible());
        QVERIFY(window->isWindow());
        QCOMPARE(window->windowIcon().cacheKey(), main.windowIcon().cacheKey());
        window->findChild<QLineEdit *>(QStringLiteral("Text3"))->setText(QStringLiteral("typed"));

        main.Toolbar1_ButtonClick(QStringLiteral("FileVault"));
        QCOMPARE(main.findChildren<frmFileVault *>().size(), 1);

        main.close();
        QVERIFY(!window || !window->isVisible());
        QTRY_VERIFY(!window);

        main.show();
        main.run(MainCommand::FileVault);
        window = main.findChild<frmFileVault *>();
        QVERIFY(window);
        QVERIFY(window->findChild<QLineEdit *>(QStringLiteral("Text3"))->text().isEmpty());
        QVERIFY(window->findChild<QCheckBox *>(QStringLiteral("Check2"))->isChecked());
        window->findChild<QPushButton *>(QStringLiteral("Command6"))->click();
        QTRY_VERIFY(!window);
    }
};

QTEST_MAIN(tst_frmFileVault)
#include "tst_frmFileVault.moc"
