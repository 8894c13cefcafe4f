// The dialogs: options, file vault, import and export, help and About, and their access keys.
#include "ModalDriver.h"
#include "UiHarness.h"
#include "crypto/Cipher.h"
#include "entries/EntryStore.h"
#include "platform/Ansi.h"
#include "transfer/TransferExport.h"
#include "ui/AboutDialog.h"
#include "ui/CurrentMastersDialog.h"
#include "ui/EntryEditor.h"
#include "ui/EntryListView.h"
#include "ui/FileVaultCommands.h"
#include "ui/FileVaultWindow.h"
#include "ui/HelpCommands.h"
#include "ui/HelpWindow.h"
#include "ui/ImportDialog.h"
#include "ui/LogViewer.h"
#include "ui/LoginDialog.h"
#include "ui/MainWindow.h"
#include "ui/OptionsDialog.h"
#include "ui/ProgressWindow.h"
#include "ui/StartFolder.h"
#include "ui/TextExportDialog.h"
#include "ui/TipDialog.h"
#include "ui/TransferCommands.h"

using namespace Qt::StringLiterals;

namespace {
// A dialog opened over a main window with masters set.
template <typename T> struct OverMain
{
    UiHarness h{true};
    MainWindow main{h.context};
    std::unique_ptr<T> w;

    T &open()
    {
        main.loadList();
        w = std::make_unique<T>(h.context, main);
        return *w;
    }
    template <typename C = QAbstractButton> C *get(const char *name) const
    {
        return Find<C>(w.get(), name);
    }
};

struct Options : OverMain<OptionsDialog>
{
    QLineEdit *master(int n) { return get<QLineEdit>(n == 1 ? "master1" : "master2"); }
    // Change...: the current masters typed (a wrong pair first when asked), then the warning
    // answered.
    bool unlock(bool wrongFirst = false, bool acceptWarning = true)
    {
        WhenModal(
            [wrongFirst](QWidget *d) {
                for (bool wrong : {wrongFirst, false}) {
                    Type(d, "current1", wrong ? "second master" : "first master");
                    Type(d, "current2", wrong ? "first master" : "second master");
                    Click(d, "okButton");
                }
            },
            u"currentMastersDialog"_s);
        h.ui.answers << acceptWarning;
        return w->unlockMasters();
    }
};

// The vault window opened on the folder last used, which holds the named files (each holding its
// own name).
struct VaultWorld : OverMain<FileVaultWindow>
{
    QString folder = h.home.file(u"work"_s);

    VaultWorld(const QStringList &names = {})
    {
        QDir(folder).mkpath(u"sub"_s);
        RememberFolder(folder);
        for (const QString &name : names)
            WriteFile(folder + u'/' + name, name.toUtf8());
        open().show();
    }
    QByteArray read(const QString &name) const { return ReadFile(folder + u'/' + name); }
    QListWidget *files() const { return get<QListWidget>("fileList"); }
    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < files()->count(); ++i)
            names << files()->item(i)->text();
        return names;
    }
    QLineEdit *password() const { return get<QLineEdit>("password"); }
};

const QString kHelpFile = u"" PELLORA_BINARY_DIR "/Pellora.hlp"_s;

ExecutableFinder Installed(const QStringList &names)
{
    return [names](const QString &name) {
        return names.contains(name) ? u"/usr/bin/"_s + name : QString();
    };
}

// Checks the window as it shows now (one page of a tabbed window at a time): an access key reaches
// one control only, a label's hands the focus to its field, and password boxes have a name.
void AuditPage(QWidget *window)
{
    QHash<QString, QString> taken;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible() || !w->isEnabled() || w->window() != window)
            continue;
        auto *label = qobject_cast<QLabel *>(w);
        QStringList captions{label ? label->text() : QString()};
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            captions = {button->text()};
        else if (auto *tabs = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                captions << tabs->tabText(i);
        }
        for (const QString &caption : captions) {
            const QKeySequence key = QKeySequence::mnemonic(caption);
            const QString where = window->objectName() + u' ' + caption;
            if (key.isEmpty())
                continue;
            QVERIFY2(!taken.contains(key.toString()),
                     qPrintable(where + u" shares its key with "_s + taken[key.toString()]));
            taken.insert(key.toString(), caption);
            if (!label)
                continue;
            QVERIFY2(label->buddy(), qPrintable(where + u": the label has no field"_s));
            QTest::keySequence(window, key);
            QVERIFY2(QApplication::focusWidget() == label->buddy(),
                     qPrintable(where + u": Alt+key did not reach the field"_s));
        }
    }
    for (auto *box : window->findChildren<QLineEdit *>())
        QVERIFY2(box->echoMode() != QLineEdit::Password || !box->accessibleName().isEmpty(),
                 qPrintable(window->objectName() + u' ' + box->objectName()));
}
} // namespace

class tst_Dialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Cancel and refused masters save nothing; an apply stores and resorts at once and
    // re-encrypts only after an edit of the masters.
    void optionsOpenMaskedAndApplyOnlyWhatWasEdited()
    {
        Options o;
        o.h.addEntry("a", "d", "alpha-1", 3, QDateTime(QDate(2024, 1, 1), QTime(9, 0)));
        o.h.addEntry("gone", "d", "beta-22");
        o.h.addEntry("b", "d", "gamma", 3, QDateTime(QDate(2024, 6, 1), QTime(9, 0)));
        EntryStore(o.h.state.LoginFile, o.h.ui).remove(1001);
        const quint64 written = FileInode(o.h.state.LoginFile);
        o.open().show();
        QVERIFY(QTest::qWaitForWindowExposed(o.w.get()));
        QVERIFY(o.get<QRadioButton>("sortField0")->isChecked());
        QVERIFY(!o.get<QCheckBox>("descending")->isChecked());
        for (int i = 0; i < 7; ++i)
            QVERIFY(!o.w->findChild<QCheckBox *>(u"logEvent%1"_s.arg(i))->isChecked());
        QCOMPARE(o.master(1)->text(), QString()); // nothing shows before the current masters
        QVERIFY(!o.master(1)->isEnabled() && !o.master(2)->isEnabled());
        QTest::keyClick(o.w.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(o.get<QTabWidget>("optionTabs")->currentIndex(), 1); // from the first to the last

        QVERIFY(o.unlock(true));
        QCOMPARE(o.h.ui.shown.first().text, u"Invalid Password(s), try again!"_s);
        QCOMPARE(o.h.ui.asked.last(), QString::fromLatin1(kMasterChangeWarning));
        QCOMPARE(o.master(1)->text(), u"first master"_s);
        QCOMPARE(o.master(1)->echoMode(), QLineEdit::Password);
        o.get<QCheckBox>("showPassword")->setChecked(true);
        QCOMPARE(o.master(2)->echoMode(), QLineEdit::Normal);
        QVERIFY(!o.w->changeFlag());
        o.master(1)->setText(u"1234567"_s);
        o.master(2)->setText(u"abcdefgh"_s);
        QVERIFY(!o.w->apply());
        QVERIFY(o.h.lastMessage().startsWith(u"Master Passwords must be:"_s));

        o.get<QRadioButton>("sortField2")->setChecked(true);
        o.get<QCheckBox>("logEvent0")->setChecked(true);
        QTest::keyClicks(o.master(1), u"xyz"_s);
        QTest::keyClick(o.w.get(), Qt::Key_Escape);
        QCOMPARE(o.w->result(), int(OptionsDialog::Closed));
        QCOMPARE(o.h.settings.get(Setting::OrderByLogin) + o.h.settings.get(Setting::LogStartup),
                 u"False0"_s);
        QCOMPARE(o.h.settings.getBytes(Setting::Master1), o.h.state.ActiveMaster1);

        o.h.settings.save(Setting::LogMasterChange, u"1"_s);
        o.open();
        QVERIFY(!o.unlock(false, false)); // a refused warning keeps them closed
        QVERIFY(!o.master(1)->isEnabled());
        o.get<QRadioButton>("sortField3")->setChecked(true);
        o.get<QCheckBox>("descending")->setChecked(true);
        o.get<QCheckBox>("logEvent3")->setChecked(true);
        o.get<QSpinBox>("clearClipboard")->setValue(25);
        QVERIFY(o.w->apply());
        QCOMPARE(o.h.settings.get(Setting::ClearClipboardSeconds), u"25"_s);
        const Settings &s = o.h.settings;
        const QStringList order{s.get(Setting::OrderByID),      s.get(Setting::OrderByDescription),
                                s.get(Setting::OrderByLogin),   s.get(Setting::OrderByExpiry),
                                s.get(Setting::OrderDirection), s.get(Setting::LogPwdChanges)};
        QCOMPARE(order, (QStringList{"False", "False", "False", "True", "1", "1"}));
        QVERIFY(o.h.state.LogPwdChanges);
        QCOMPARE(o.main.entryList()->text(0, EntryListView::ColLogin).trimmed(), u"b"_s);
        QVERIFY(o.unlock());
        QVERIFY(o.w->apply());
        QCOMPARE(FileInode(o.h.state.LoginFile), written);
        QVERIFY(!ReadFile(o.h.state.LogFile).contains("Master Password Change"));
        QCOMPARE(o.main.statusText(), u"Options saved"_s);

        o.master(1)->selectAll();
        QTest::keyClicks(o.master(1), u"a brand new master"_s);
        QVERIFY(o.w->changeFlag());
        QVERIFY(o.w->apply());
        QCOMPARE(o.h.settings.getBytes(Setting::Master1), o.h.state.ActiveMaster1);
        QCOMPARE(o.h.passwordOf(1000), QByteArray("alpha-1"));
        QVERIFY(ReadFile(o.h.state.LogFile).contains("Successful Master Password Change"));
        QCOMPARE(o.main.statusText(), u"Masters changed; 3 entries re-encrypted"_s);

        o.h.settings.save(Setting::OrderByLogin, u"maybe"_s);
        o.open();
        QCOMPARE(o.h.lastMessage(), u"An error has occurred in frmOptionsLoad 13 Type mismatch"_s);
    }

    // The program's current folder is its data folder; the window opens in the folder last used,
    // or in the home folder when none was used or the last was one of the program's own.
    void opensWhereLastUsedAndListsWhatThePatternMatches()
    {
        VaultWorld v({"b.TXT", "a.txt", "README", "c.doc", ".hidden", "sub/inner.doc"});
        QCOMPARE(v.w->currentRun().folder, v.folder);
        QCOMPARE(v.listed(), (QStringList{"a.txt", "b.TXT", "c.doc", "README"}));
        auto *box = v.get<QLineEdit>("fileFilter");
        QCOMPARE(box->text(), u"*.*"_s);
        box->clear();
        QTest::keyClicks(box, u"*.tx"_s);
        QVERIFY(v.listed().isEmpty());
        QTest::keyClick(box, Qt::Key_T);
        QCOMPARE(v.listed(), (QStringList{"a.txt", "b.TXT"}));
        box->setText(u"*.doc; readme.*"_s);
        QCOMPARE(v.listed(), (QStringList{"c.doc", "README"}));

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
            QCOMPARE(FileVaultWindow(v.h.context, v.main).currentRun().folder, QDir::homePath());
        }
    }

    // The key options exclude each other; a short password is refused; a run holds the buttons and
    // keeps the password as an entry; the masters never become one; a close waits for the run.
    void theKeyOptionsThenEncryptAndDecryptTheSelectedFiles()
    {
        VaultWorld v({"one.bin", "two.txt", "three.dat"});
        QAbstractButton *useMasters = v.get("useMasters"), *addPassword = v.get("addPassword"),
                        *show = v.get("showPassword"), *create = v.get("createButton");
        QVERIFY(addPassword->isChecked());
        QTest::mouseClick(useMasters, Qt::LeftButton);
        QVERIFY(!useMasters->isEnabled() && !useMasters->isChecked());

        addPassword->click();
        v.password()->setText(u"typed before"_s);
        show->click();
        useMasters->click();
        QCOMPARE(v.password()->text(), Ansi::toText(v.h.state.entryKey()));
        for (QWidget *off : QWidgetList{v.password(), create, addPassword, show})
            QVERIFY(!off->isEnabled());
        QVERIFY(!addPassword->isChecked() && !show->isChecked());
        QTest::mouseClick(show, Qt::LeftButton); // the masters cannot be shown in clear
        QCOMPARE(v.password()->echoMode(), QLineEdit::Password);

        useMasters->click();
        QVERIFY(v.password()->text().isEmpty()); // what was typed before is gone too
        for (QWidget *on : QWidgetList{v.password(), create, addPassword, show})
            QVERIFY(on->isEnabled());
        QVERIFY(!addPassword->isChecked() && !show->isChecked());
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
        for (QListWidgetItem *item : v.files()->findItems(u"o"_s, Qt::MatchContains))
            item->setSelected(true);
        v.password()->setText(u"seven77"_s);
        v.get("encryptButton")->click();
        QCOMPARE(v.h.ui.messages(),
                 QStringList{"Please enter a password of between 8 and 64 characters, or tick the "
                             "option to use the master passwords"});
        QCOMPARE(v.w->statusText(), u"Processing finished"_s);

        v.password()->setText(u" file pw "_s);
        bool buttonsHeld = true;
        auto *bar = v.get<QProgressBar>("progressBar");
        auto held = connect(bar, &QProgressBar::valueChanged, v.w.get(), [&] {
            for (const char *b : {"encryptButton", "decryptButton", "closeButton"})
                buttonsHeld = buttonsHeld && !v.get(b)->isEnabled();
        });
        v.get("encryptButton")->click();
        QCOMPARE(v.read("one.bin"), Cipher::crypt("one.bin", " file pw "));
        QCOMPARE(v.read("two.txt"), Cipher::crypt("two.txt", " file pw "));
        QCOMPARE(v.read("three.dat"), QByteArray("three.dat"));
        QVERIFY(buttonsHeld);
        QCOMPARE(v.w->statusText(), u"Processing finished"_s);
        for (const char *b : {"encryptButton", "decryptButton", "closeButton"})
            QVERIFY(v.get(b)->isEnabled());
        QCOMPARE(v.main.entryList()->rowCount(), 2);
        const EntryListView *list = v.main.entryList();
        QCOMPARE(list->text(0, EntryListView::ColDescription).trimmed(), u"one.bin"_s);
        QCOMPARE(v.h.passwordOf(list->text(0, 0).toShort()), QByteArray("file pw"));

        v.get("addPassword")->click();
        v.get("decryptButton")->click();
        QCOMPARE(v.read("one.bin"), QByteArray("one.bin"));
        QCOMPARE(v.read("two.txt"), QByteArray("two.txt"));

        v.get("useMasters")->click();
        disconnect(held);
        bool stillOpen = false;
        connect(bar, &QProgressBar::valueChanged, v.w.get(), [&](int value) {
            if (value == 1) {
                v.w->close();
                stillOpen = v.w->isVisible();
            }
        });
        v.get("encryptButton")->click();
        QVERIFY(stillOpen && !v.w->isVisible());
        QCOMPARE(v.read("two.txt"), Cipher::crypt("two.txt", v.h.state.entryKey()));
        QCOMPARE(v.main.entryList()->rowCount(), 2);
        QCOMPARE(v.h.ui.shown.size(), 1);
    }

    void oneWindowFromMenuAndToolbarClosedWithTheMainWindow()
    {
        UiHarness h(true);
        MainWindow main(h.context);
        main.setWindowIcon(QIcon(QPixmap(16, 16)));
        InstallFileVaultCommands(main);
        main.show();
        main.action(MainCommand::FileVault)->trigger();
        QPointer<FileVaultWindow> window = main.findChild<FileVaultWindow *>();
        QVERIFY(window && window->isVisible() && window->isWindow());
        QCOMPARE(window->windowIcon().cacheKey(), main.windowIcon().cacheKey());
        Find<QLineEdit>(window, "password")->setText(u"typed"_s);
        main.runToolbarButton(u"FileVault"_s);
        QCOMPARE(main.findChildren<FileVaultWindow *>().size(), 1);
        main.close();
        QTRY_VERIFY(!window);
        main.show();
        main.run(MainCommand::FileVault);
        window = main.findChild<FileVaultWindow *>();
        QVERIFY(window && Find<QLineEdit>(window, "password")->text().isEmpty());
        QVERIFY(Find<QAbstractButton>(window, "addPassword")->isChecked());
        Find<QAbstractButton>(window, "closeButton")->click();
        QTRY_VERIFY(!window);

        ProgressWindow progress; // what a drop on the list shows
        progress.view().setStatus(u"Processing... /a"_s);
        progress.view().setProgress(25);
        QCOMPARE(progress.statusText() + u' ' + QString::number(progress.progress()),
                 u"Processing... /a 25"_s);
    }

    void importDialogRefusesThenTakesAListUnderOtherMasters()
    {
        UiHarness a;
        a.setMasters("exporter one", "exporter two");
        a.addEntry("alice", "mail", "pw-1");
        a.addEntry("gone", "old", "pw-x");
        a.addEntry("bob", "bank", "p w,2");
        EntryStore(a.state.LoginFile, a.ui).remove(1001);
        const QString path = a.home.file(u"list.pqx"_s);
        QVERIFY(ExportFile(a.ui, a.state, a.settings, path));

        UiHarness b;
        b.setMasters("importer 1", "importer 2");
        b.addEntry("own", "entry", "mine");
        MainWindow main(b.context);
        InstallTransferCommands(main);
        main.loadList();
        bool openAfterRefusals = false;
        WhenModal(
            [&, path](QWidget *dialog) {
                const std::pair<const char *, QString> steps[] = {
                    {nullptr, {}},
                    {"path", path},
                    {"master1", u"exporter one"_s},
                    {"master2", u"Exporter two"_s}, // case counts
                };
                for (const auto &[field, text] : steps) {
                    if (field)
                        Type(dialog, field, text);
                    Click(dialog, "okButton");
                }
                openAfterRefusals = dialog->isVisible();
                Type(dialog, "master2", u"exporter two"_s);
                Click(dialog, "okButton");
            },
            u"importDialog"_s);
        main.run(MainCommand::Import);
        QCOMPARE(b.ui.messages(),
                 (QStringList{"Please enter a valid filename", "Please enter the Master password",
                              "Please enter the Master password",
                              "The passwords do not match the passwords used for exporting this "
                              "list."}));
        QVERIFY(openAfterRefusals);
        QCOMPARE(b.passwordOf(1001), QByteArray("pw-1"));
        QCOMPARE(b.passwordOf(1002), QByteArray("p w,2"));
        QCOMPARE(main.entryList()->rowCount(), 3);
        QCOMPARE(b.ui.busyDepth, 0);
    }

    // A bare name goes to the home folder, not beside the store; the program's own files are
    // refused by name and left as they were.
    void textExportFormatsDelimitersOverwritingAndWhereItWrites()
    {
        UiHarness h(true);
        h.addEntry("alice", "Mail box", "p w1");
        h.addEntry("bob", "bank", "pw2");
        QDir::setCurrent(h.state.DataFolder);
        TextExportDialog dialog(h.context);
        dialog.show();
        auto *combo = Find<QComboBox>(&dialog, "delimiter");
        auto *finished = Find<QLabel>(&dialog, "finished");
        QVERIFY(combo->isVisible() && !finished->isVisible());
        Click(&dialog, "exportButton");
        QCOMPARE(h.ui.messages(), QStringList{"Please enter a valid path and filename, or press "
                                              "the browse button to locate a file."});
        Type(&dialog, "path", u"bare.txt"_s);
        Click(&dialog, "exportButton");
        const QString path = QDir::home().filePath(u"bare.txt"_s);
        QCOMPARE(ReadFile(path), QByteArray("alice\r\nbob\r\n"));
        QVERIFY(!QFile::exists(h.state.DataFolder + u"bare.txt"_s));
        QCOMPARE(Find<QLineEdit>(&dialog, "path")->text(), path);
        QVERIFY(finished->isVisible() && dialog.isVisible()); // it stays open until Done
        QVERIFY(!Find<QProgressBar>(&dialog, "progressBar")->isVisible());

        Find<QRadioButton>(&dialog, "vertical")->click();
        QVERIFY(!combo->isVisible() && !Find<QLabel>(&dialog, "delimiterLabel")->isVisible());
        h.ui.answers << true << false;
        Click(&dialog, "exportButton"); // Yes: replaced
        const QByteArray vertical = "Login: alice\r\nLogin: bob\r\n";
        QCOMPARE(ReadFile(path), vertical);
        Find<QRadioButton>(&dialog, "horizontal")->click();
        QVERIFY(combo->isVisible() && Find<QCheckBox>(&dialog, "headings")->isVisible());
        Find<QCheckBox>(&dialog, "field2")->click();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), u"|"_s);
        Click(&dialog, "exportButton"); // No: appended
        QCOMPARE(ReadFile(path), vertical + "alice|p w1\r\nbob|pw2\r\n");
        QCOMPARE(h.ui.asked, QStringList(2, "File exists. Do you wish to overwrite?"));

        const QByteArray store = ReadFile(h.state.LoginFile);
        Type(&dialog, "path", h.state.LoginFile);
        Click(&dialog, "exportButton");
        QCOMPARE(ReadFile(h.state.LoginFile), store);
        QCOMPARE(h.ui.messages().last(), h.state.LoginFile + " is one of Pellora's own files, "
                                                             "which an export never writes. "
                                                             "Please choose another file.");
        Click(&dialog, "doneButton");
        QVERIFY(!dialog.isVisible());
    }

    // Without a help file each door says so under the main caption; with one, an editor's topic
    // opens at its tab and the search marks the word.
    void helpOpensAtTheTopicAndSearchMarksTheWord()
    {
        UiHarness h;
        MainWindow w(h.context);
        w.setWindowTitle(u"Pellora - work"_s);
        InstallHelpCommands(w);
        w.runToolbarButton(u"Help"_s);
        w.action(MainCommand::HelpSearch)->trigger();
        QDialog editor(&w);
        QVERIFY(!ShowHelpTopic(&editor, 1008));
        QCOMPARE(h.ui.messages(), QStringList(3, u"Unable to display Help Contents. There is "
                                                 u"no Help associated with this project."_s));
        QVERIFY(h.ui.shown.first().title == w.windowTitle() &&
                h.ui.shown.last().title == w.windowTitle());
        QVERIFY(w.findChildren<HelpWindow *>().isEmpty());

        h.state.HelpFile = kHelpFile;
        HelpWindow *topic = ShowHelpTopic(&editor, 1008);
        QVERIFY(topic && QTest::qWaitForWindowExposed(topic));
        QTest::qWait(20);
        QCOMPARE(topic->topics().value(topic->topicAtTop()).anchor, u"1008"_s);
        topic->close();
        HelpWindow *help = ShowHelp(w, HelpCommand::Search);
        QVERIFY(help && QTest::qWaitForWindowActive(help));
        auto *box = Find<QLineEdit>(help, "searchBox");
        QVERIFY(box->hasFocus());
        QTest::keyClicks(box, u"CLIPBOARD"_s);
        QVERIFY(help->matchingTopics().contains(u"Copying a password"_s));
        QTest::keyClick(box, Qt::Key_Return);
        auto *browser = Find<QTextBrowser>(help, "helpText");
        QCOMPARE(browser->textCursor().selectedText().toLower(), u"clipboard"_s);
        box->setText(u"clipboard xyzzy"_s);
        QVERIFY(help->matchingTopics().isEmpty());
    }

    void logViewerAndSystemInfoOpenWhatIsThereOrSaySo()
    {
        UiHarness h;
        QList<QUrl> opened;
        const UrlOpener opener = [&opened](const QUrl &url) {
            opened << url;
            return true;
        };
        ShowLogViewer(h.context, opener);
        QVERIFY(opened.isEmpty());
        QCOMPARE(h.ui.messages(),
                 QStringList{u"Nothing has been logged yet: the activity log "_s + h.state.LogFile +
                             u" does not exist. Choose the events to log on the Logging tab of "
                             u"View > Options..."_s});
        WriteFile(h.state.LogFile, "2024-03-01 10:00:00\tAdded alice, user\n");
        ShowLogViewer(h.context, opener);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(h.state.LogFile)});

        h.ui.shown.clear();
        QStringList started;
        bool starts = true;
        const ProcessStarter start = [&](const QString &p) {
            started << p;
            return starts;
        };
        StartSystemInfo(h.ui, Installed({"gnome-system-monitor", "kinfocenter"}), start);
        QCOMPARE(started, QStringList{"/usr/bin/kinfocenter"});
        QVERIFY(h.ui.shown.isEmpty());
        AboutDialog about(h.context, nullptr, Installed({}), start);
        about.show();
        QTest::mouseClick(Find<QPushButton>(&about, "systemInfoButton"), Qt::LeftButton);
        starts = false; // found but refusing to start is just as unavailable
        StartSystemInfo(h.ui, Installed({"kinfocenter"}), start);
        QCOMPARE(started.size(), 2);
        QCOMPARE(h.ui.messages(),
                 QStringList(2, u"System Information Is Unavailable At This Time"_s));
    }

    // Every page of each window, tabbed ones one tab at a time; the main window's menus.
    void everyWindowAndMenuHasOneControlPerAccessKeyAndLabelledFields()
    {
        UiHarness h(true);
        h.state.EditMode = u"ADD"_s;
        MainWindow main(h.context);
        std::vector<std::unique_ptr<QWidget>> windows;
        windows.push_back(std::make_unique<LoginDialog>(h.context));
        windows.push_back(std::make_unique<ImportDialog>(h.context, [] {}));
        windows.push_back(std::make_unique<TextExportDialog>(h.context));
        windows.push_back(std::make_unique<FileVaultWindow>(h.context, main));
        windows.push_back(std::make_unique<TipDialog>(h.context));
        windows.push_back(std::make_unique<AboutDialog>(h.context));
        windows.push_back(std::make_unique<HelpWindow>());
        windows.push_back(std::make_unique<OptionsDialog>(h.context, main));
        auto editor = std::make_unique<EntryEditor>(main);
        editor->prepare();
        windows.push_back(std::move(editor));
        for (const auto &w : windows) {
            ShowActive(w.get());
            auto *tabs = w->findChild<QTabBar *>();
            for (int i = 0; i < (tabs ? tabs->count() : 1); ++i) {
                if (tabs)
                    tabs->setCurrentIndex(i);
                AuditPage(w.get());
            }
            w->hide();
        }

        // The menu titles, and the items of each menu, each have their own keys.
        QList<QList<QAction *>> groups{main.menuBar()->actions(), main.popupMenu()->actions()};
        for (QAction *title : groups.first())
            groups << title->menu()->actions();
        for (const QList<QAction *> &group : groups) {
            QSet<QString> keys;
            for (QAction *a : group) {
                const QString key = QKeySequence::mnemonic(a->text()).toString();
                QVERIFY2(key.isEmpty() || !keys.contains(key), qPrintable(a->text()));
                keys.insert(key);
            }
        }
    }
};

QTEST_MAIN(tst_Dialogs)
#include "tst_Dialogs.moc"
