// Moving entries in and out: the export command, the import dialog and the text export dialog.
#include "ModalDriver.h"
#include "UiHarness.h"
#include "entries/LoginStore.h"
#include "ui/EntryListView.h"
#include "ui/TransferCommands.h"
#include "ui/frmExportTextDialog.h"
#include "ui/frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>

using namespace Qt::StringLiterals;

class tst_Transfer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void exportCommandThenImportDialogUnderOtherMasters()
    {
        UiHarness a;
        a.setMasters("exporter one", "exporter two");
        a.addEntry("alice", "mail", "pw-1");
        a.addEntry("gone", "old", "pw-x");
        a.addEntry("bob", "bank", "p w,2");
        LoginStore(a.state.LoginFile, a.ui).deletelogin(1001);
        const QString path = a.home.file(u"list.pqx"_s);
        {
            frmMain main(a.context);
            InstallTransferCommands(main);
            a.ui.replies << path;
            main.run(MainCommand::Export);
        }
        QCOMPARE(QFileInfo(path).size(), qint64(3 * LoginRecord::Size));

        UiHarness b;
        b.setMasters("importer 1", "importer 2");
        b.addEntry("own", "entry", "mine");
        frmMain main(b.context);
        InstallTransferCommands(main);
        main.LoadList();
        bool openAfterRefusals = false;
        WhenModal(
            [&, path](QWidget *dialog) {
                const std::pair<const char *, QString> steps[] = {
                    {nullptr, {}},
                    {"Text3", path},
                    {"Text1", u"exporter one"_s},
                    {"Text2", u"Exporter two"_s}, // case counts
                };
                for (const auto &[field, text] : steps) {
                    if (field)
                        Type(dialog, field, text);
                    Click(dialog, "Command1");
                }
                openAfterRefusals = dialog->isVisible();
                Type(dialog, "Text2", u"exporter two"_s);
                Click(dialog, "Command1");
            },
            u"frmImportFile"_s);
        main.run(MainCommand::Import);
        QCOMPARE(b.ui.messages(),
                 (QStringList{"Please enter a valid filename", "Please enter the Master password",
                              "Please enter the Master password",
                              "The passwords do not match the passwords used for exporting this "
                              "list."}));
        QVERIFY(openAfterRefusals);
        QVERIFY(a.ui.shown.isEmpty());
        QCOMPARE(b.passwordOf(1001), QByteArray("pw-1"));
        QCOMPARE(b.passwordOf(1002), QByteArray("p w,2"));
        QCOMPARE(main.ListView1()->rowCount(), 3);
        QCOMPARE(b.ui.busyDepth, 0);
    }

    void textExportFormatsDelimitersAndOverwriting()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("alice", "Mail box", "p w1");
        h.addEntry("bob", "bank", "pw2");
        frmExportTextDialog dialog(h.context);
        dialog.show();
        auto *combo = dialog.findChild<QComboBox *>(u"Combo1"_s);
        auto *finished = dialog.findChild<QLabel *>(u"lblFinished"_s);
        QVERIFY(combo->isVisible() && !finished->isVisible());
        Click(&dialog, "OKButton");
        QCOMPARE(h.ui.messages(), QStringList{"Please enter a valid path and filename, or press "
                                              "the browse button to locate a file."});

        dialog.findChild<QRadioButton *>(u"Option10"_s)->click();
        QVERIFY(!combo->isVisible() && !dialog.findChild<QLabel *>(u"lblDelimit"_s)->isVisible());
        const QString path = h.home.file(u"out.txt"_s);
        Type(&dialog, "Text1", path);
        Click(&dialog, "OKButton");
        const QByteArray vertical = "Login: alice\r\nLogin: bob\r\n";
        QCOMPARE(ReadFile(path), vertical);
        QVERIFY(finished->isVisible());
        QVERIFY(!dialog.findChild<QProgressBar *>(u"ProgressBar1"_s)->isVisible());
        QVERIFY(dialog.isVisible()); // stays open until Done

        dialog.findChild<QRadioButton *>(u"Option11"_s)->click();
        QVERIFY(combo->isVisible() && dialog.findChild<QCheckBox *>(u"chkHeadings"_s)->isVisible());
        dialog.findChild<QCheckBox *>(u"Check12"_s)->click();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), u"|"_s);
        h.ui.answers << false << true;
        Click(&dialog, "OKButton"); // No: appended
        QCOMPARE(ReadFile(path), vertical + "alice|p w1\r\nbob|pw2\r\n");
        combo->setEditText(u"comma"_s);
        Click(&dialog, "OKButton"); // Yes: replaced
        QCOMPARE(ReadFile(path), QByteArray("alicecommap w1\r\nbobcommapw2\r\n"));
        QCOMPARE(h.ui.asked, QStringList(2, "File exists. Do you wish to overwrite?"));
        Click(&dialog, "CancelButton");
        QVERIFY(!dialog.isVisible());
    }

    // A bare name goes to the home folder, not beside the store; the program's own files are
    // refused by name and left as they were.
    void textExportSendsBareNamesHomeAndRefusesOwnFiles()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("alice", "Mail box", "p w1");
        QDir::setCurrent(h.state.DataFolder);
        frmExportTextDialog dialog(h.context);
        dialog.show();
        Type(&dialog, "Text1", u"bare.txt"_s);
        Click(&dialog, "OKButton");
        const QString home = QDir::home().filePath(u"bare.txt"_s);
        QCOMPARE(ReadFile(home), QByteArray("alice\r\n"));
        QVERIFY(!QFile::exists(h.state.DataFolder + u"bare.txt"_s));
        QCOMPARE(dialog.findChild<QLineEdit *>(u"Text1"_s)->text(), home);

        const QByteArray store = ReadFile(h.state.LoginFile);
        Type(&dialog, "Text1", h.state.LoginFile);
        Click(&dialog, "OKButton");
        QCOMPARE(ReadFile(h.state.LoginFile), store);
        QCOMPARE(h.ui.messages(),
                 QStringList{h.state.LoginFile + " is one of Pellora's own files, which an export "
                                                 "never writes. Please choose another file."});
    }
};

QTEST_MAIN(tst_Transfer)
#include "tst_Transfer.moc"
