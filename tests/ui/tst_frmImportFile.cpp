#include "ModalDriver.h"
#include "UiHarness.h"
#include "entries/LoginStore.h"
#include "ui/EntryListView.h"
#include "ui/TransferCommands.h"
#include "ui/frmMain.h"

#include <QFileInfo>
#include <QTest>

class tst_frmImportFile : public QObject
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
        const QString path = a.home.file(QStringLiteral("list.pqx"));
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
        bool stillOpen = true;
        WhenModal(
            [&, path](QWidget *dialog) {
                Click(dialog, "Command1");
                Type(dialog, "Text3", path);
                Click(dialog, "Command1");
                Type(dialog, "Text1", QStringLiteral("exporter one"));
                Click(dialog, "Command1");
                Type(dialog, "Text2", QStringLiteral("Exporter two")); // case counts
                Click(dialog, "Command1");
                openAfterRefusals = dialog->isVisible();
                Type(dialog, "Text2", QStringLiteral("exporter two"));
                Click(dialog, "Command1");
                stillOpen = dialog->isVisible();
                if (stillOpen)
                    dialog->close();
            },
            QStringLiteral("frmImportFile"));
        main.run(MainCommand::Import);
        QCOMPARE(b.ui.messages(),
                 (QStringList{"Please enter a valid filename", "Please enter the Master password",
                              "Please enter the Master password",
                              "The passwords do not match the passwords used for exporting this "
                              "list."}));
        QVERIFY(openAfterRefusals && !stillOpen);
        QVERIFY(a.ui.shown.isEmpty());
        QCOMPARE(b.passwordOf(1001), QByteArray("pw-1"));
        QCOMPARE(b.passwordOf(1002), QByteArray("p w,2"));
        QCOMPARE(main.ListView1()->rowCount(), 3);
        QCOMPARE(b.ui.busyDepth, 0);
    }
};

QTEST_MAIN(tst_frmImportFile)
#include "tst_frmImportFile.moc"
