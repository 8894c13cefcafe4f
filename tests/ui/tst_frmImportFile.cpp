#include "ModalDriver.h"
#include "RecordingUi.h"
#include "UiHarness.h"
#include "entries/LoginStore.h"
#include "transfer/TransferExport.h"
#include "transfer/TransferImport.h"
#include "ui/EntryListView.h"
#include "ui/TransferCommands.h"
#include "ui/frmImportFile.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

class tst_frmImportFile : public QObject
{
    Q_OBJECT

private:
    template <typename T> static T *child(QWidget *w, const char *name)
    {
        return w->findChild<T *>(QString::fromLatin1(name));
    }

    // An exporting installation with two live entries and one deleted, written to its transfer
    // file through the Export command.
    static QString exportFrom(UiHarness &a)
    {
        a.setMasters("exporter one", "exporter two");
        a.addEntry("alice", "mail", "pw-1");
        a.addEntry("gone", "old", "pw-x");
        a.addEntry("bob", "bank", "p w,2");
        LoginStore(a.state.LoginFile, a.ui).deletelogin(1001);
        const QString path = a.home.file(QStringLiteral("list.pqx"));
        RecordingUi ui;
        AppContext context{ui, a.state, a.settings};
        frmMain main(context);
        InstallTransferCommands(main);
        ui.replies << path;
        main.run(MainCommand::Export);
        [&] {
            QCOMPARE(ui.fileDialogs.size(), 1);
            QCOMPARE(ui.fileDialogs[0].kind, QStringLiteral("save"));
            QCOMPARE(ui.fileDialogs[0].title, QStringLiteral("Pellora Password Import/Export"));
            QCOMPARE(ui.fileDialogs[0].filter, QStringLiteral("Pellora (*.pqx)|*.pqx"));
            QCOMPARE(ui.fileDialogs[0].initialName, QStringLiteral("*.pqx"));
            QVERIFY(ui.shown.isEmpty());
            QVERIFY(ui.busyPushes > 0);
            QCOMPARE(ui.busyDepth, 0);
            QCOMPARE(QFileInfo(path).size(), qint64(3 * LoginRecord::Size));
        }();
        return path;
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void commandsAreInstalledAndExportCancelWritesNothing()
    {
        UiHarness h;
        h.setMasters("one master", "two master");
        frmMain main(h.context);
        QVERIFY(!main.action(MainCommand::Import)->isEnabled());
        InstallTransferCommands(main);
        const int pushesBefore = h.ui.busyPushes;
        for (MainCommand c : {MainCommand::Import, MainCommand::Export, MainCommand::ExportText})
            QVERIFY(main.action(c)->isEnabled());
        main.run(MainCommand::Export); // the save dialog answers with no name
        QVERIFY(h.ui.shown.isEmpty());
        QCOMPARE(h.ui.busyPushes, pushesBefore);
        QVERIFY(QDir(h.home.path()).entryList({QStringLiteral("*.pqx")}).isEmpty());
    }

    void exportThenImportUnderOtherMastersThroughTheDialog()
    {
        UiHarness a;
        const QString path = exportFrom(a);
        UiHarness b;
        b.setMasters("importer 1", "importer 2");
        b.addEntry("own", "entry", "mine");
        frmMain main(b.context);
        InstallTransferCommands(main);
        main.LoadList();
        QString seen;
        bool stillOpen = false;
        WhenModal([&seen, &stillOpen, path](QWidget *dialog) {
            seen = dialog->objectName();
            Type(dialog, "Text1", QStringLiteral("exporter one"));
            Type(dialog, "Text2", QStringLiteral("exporter two"));
            Type(dialog, "Text3", path);
            Click(dialog, "Command1");
            stillOpen = dialog->isVisible();
            if (stillOpen)
                dialog->close();
        });
        main.run(MainCommand::Import);
        QCOMPARE(seen, QStringLiteral("frmImportFile"));
        QVERIFY(!stillOpen);
        QVERIFY(b.ui.shown.isEmpty());
        QCOMPARE(b.passwordOf(1001), QByteArray("pw-1"));
        QCOMPARE(b.passwordOf(1002), QByteArray("p w,2"));
        QCOMPARE(main.ListView1()->topLevelItemCount(), 3);
        QVERIFY(main.ListView1()->findRow(QStringLiteral("PQ1002")));
        QCOMPARE(b.ui.busyDepth, 0);
    }

    void wrongMastersAndEmptyFieldsKeepTheDialogOpen()
    {
        UiHarness a;
        const QString path = exportFrom(a);
        UiHarness b;
        b.setMasters("importer 1", "importer 2");
        int reloads = 0;
        frmImportFile dialog(b.context, [&reloads] { ++reloads; });
        dialog.show();
        const QString empty = b.home.file(QStringLiteral("empty.pqx"));
        WriteFile(empty, {});
        Click(&dialog, "Command1");
        Type(&dialog, "Text3", path);
        Click(&dialog, "Command1");
        Type(&dialog, "Text1", QStringLiteral("exporter one"));
        Click(&dialog, "Command1");
        Type(&dialog, "Text2", QStringLiteral("Exporter two")); // case counts
        Click(&dialog, "Command1");
        Type(&dialog, "Text3", empty);
        Click(&dialog, "Command1");
        Type(&dialog, "Text3", b.home.file(QStringLiteral("missing.pqx")));
        Click(&dialog, "Command1");
        QCOMPARE(b.ui.messages(),
                 (QStringList{"Please enter a valid filename", "Please enter the Master password",
                              "Please enter the Master password",
                              "The passwords do not match the passwords used for exporting this "
                              "list.",
                              "Please enter a valid filename", "Please enter a valid filename"}));
        QVERIFY(dialog.isVisible());
        QCOMPARE(reloads, 0);
        QVERIFY(!QFileInfo::exists(b.state.LoginFile) || QFileInfo(b.state.LoginFile).size() == 0);
        QCOMPARE(b.ui.busyDepth, 0);
    }

    void browseFillsThePathAndCancelKeepsIt()
    {
        UiHarness h;
        RecordingUi ui;
        AppContext context{ui, h.state, h.settings};
        frmImportFile dialog(context, [] {});
        auto *path = child<QLineEdit>(&dialog, "Text3");
        path->setText(QStringLiteral("typed.pqx"));
        Click(&dialog, "Command3");
        QCOMPARE(path->text(), QStringLiteral("typed.pqx"));
        ui.replies << QStringLiteral("/somewhere/chosen.pqx");
        Click(&dialog, "Command3");
        QCOMPARE(path->text(), QStringLiteral("/somewhere/chosen.pqx"));
        QCOMPARE(ui.fileDialogs.size(), 2);
        QCOMPARE(ui.fileDialogs[1].kind, QStringLiteral("open"));
        QCOMPARE(ui.fileDialogs[1].title, QStringLiteral("Pellora Password Import/Export"));
        QCOMPARE(ui.fileDialogs[1].filter, QStringLiteral("Pellora (*.pqx)|*.pqx"));
        QCOMPARE(ui.fileDialogs[1].initialName, QStringLiteral("*.pqx"));
        QVERIFY(child<QPushButton>(&dialog, "Command3")->text().isEmpty());
        QVERIFY(ui.shown.isEmpty());
    }

    void dialogMannersAndShowPasswords()
    {
        UiHarness h;
        frmImportFile dialog(h.context, [] {});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Import Passwords"));
        auto *m1 = child<QLineEdit>(&dialog, "Text1");
        auto *m2 = child<QLineEdit>(&dialog, "Text2");
        QCOMPARE(child<QLabel>(&dialog, "Label2")->buddy(), m1);
        QCOMPARE(child<QLabel>(&dialog, "Label3")->buddy(), m2);
        QCOMPARE(child<QLabel>(&dialog, "Label4")->buddy(), child<QLineEdit>(&dialog, "Text3"));
        QCOMPARE(child<QLabel>(&dialog, "Label1")->text(),
                 QStringLiteral("Enter the Master Passwords for this file"));
        QVERIFY(!m1->accessibleName().isEmpty() && !m2->accessibleName().isEmpty());
        QCOMPARE(m1->echoMode(), QLineEdit::Password);
        auto *show = child<QCheckBox>(&dialog, "Check1");
        show->click();
        QCOMPARE(m1->echoMode(), QLineEdit::Normal);
        QCOMPARE(m2->echoMode(), QLineEdit::Normal);
        show->click();
        QCOMPARE(m2->echoMode(), QLineEdit::Password);

        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), m1);
        QTest::keyClick(&dialog, Qt::Key_2, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), m2);
        QTest::keyClick(m2, Qt::Key_Return); // the default button is OK
        QCOMPARE(h.ui.messages(), QStringList{"Please enter a valid filename"});
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(tst_frmImportFile)
#include "tst_frmImportFile.moc"
