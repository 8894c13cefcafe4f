#include "ModalDriver.h"
#include "RecordingUi.h"
#include "UiHarness.h"
#include "entries/LoginStore.h"
#include "ui/TransferCommands.h"
#include "ui/frmExportTextDialog.h"
#include "ui/frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

class tst_frmExportTextDialog : public QObject
{
    Q_OBJECT

private:
    template <typename T> static T *child(QWidget *w, const char *name)
    {
        return w->findChild<T *>(QString::fromLatin1(name));
    }

    // Two live entries and a deleted one between them.
    static void addEntries(UiHarness &h)
    {
        h.setMasters("first master", "second master");
        h.addEntry("alice", "Mail box", "p w1", 30);
        h.addEntry("gone", "old", "x");
        h.addEntry("bob", "bank", "pw2");
        LoginStore(h.state.LoginFile, h.ui).deletelogin(1001);
    }

    static void exportTo(frmExportTextDialog &dialog, const QString &path)
    {
        Type(&dialog, "Text1", path);
        Click(&dialog, "OKButton");
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void opensWithItsControlsAsLoaded()
    {
        UiHarness h;
        frmExportTextDialog dialog(h.context);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Export Options"));
        auto *login = child<QCheckBox>(&dialog, "Check10");
        QVERIFY(login->isChecked() && !login->isEnabled());
        for (const char *name : {"Check11", "Check12", "Check13", "chkHeadings"})
            QVERIFY(!child<QCheckBox>(&dialog, name)->isChecked());
        QVERIFY(child<QRadioButton>(&dialog, "Option11")->isChecked());
        auto *combo = child<QComboBox>(&dialog, "Combo1");
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->currentText(), QStringLiteral("Comma"));
        const QStringList items{"Comma", "Semicolon", "Space", "TAB"};
        for (int i = 0; i < items.size(); ++i)
            QCOMPARE(combo->itemText(i), items[i]);
        QCOMPARE(combo->count(), 4);
        auto *progress = child<QProgressBar>(&dialog, "ProgressBar1");
        QVERIFY(!progress->isVisible());
        QCOMPARE(progress->maximum(), 100);
        QVERIFY(!child<QLabel>(&dialog, "lblFinished")->isVisible());
        QCOMPARE(child<QLabel>(&dialog, "lblDelimit")->buddy(), combo);
        QCOMPARE(child<QLabel>(&dialog, "Label4")->buddy(), child<QLineEdit>(&dialog, "Text1"));
        QVERIFY(child<QPushButton>(&dialog, "OKButton")->isDefault());

        child<QRadioButton>(&dialog, "Option10")->click();
        QVERIFY(!combo->isVisible());
        QVERIFY(!child<QLabel>(&dialog, "lblDelimit")->isVisible());
        QVERIFY(!child<QCheckBox>(&dialog, "chkHeadings")->isVisible());
        child<QRadioButton>(&dialog, "Option11")->click();
        QVERIFY(combo->isVisible() && child<QCheckBox>(&dialog, "chkHeadings")->isVisible());
    }

    void bothFormatsWriteTheExpectedBytes()
    {
        UiHarness h;
        addEntries(h);
        frmExportTextDialog dialog(h.context);
        dialog.show();
        auto *progress = child<QProgressBar>(&dialog, "ProgressBar1");
        QSignalSpy steps(progress, &QProgressBar::valueChanged);
        child<QCheckBox>(&dialog, "Check11")->click();
        child<QCheckBox>(&dialog, "Check12")->click();
        child<QCheckBox>(&dialog, "chkHeadings")->click();
        const QString wide = h.home.file(QStringLiteral("wide.txt"));
        exportTo(dialog, wide);
        QCOMPARE(
            ReadFile(wide),
            QByteArray("Login,Description,Password\r\nalice,Mail box,p w1\r\nbob,bank,pw2\r\n"));
        QVERIFY(child<QLabel>(&dialog, "lblFinished")->isVisible());
        QVERIFY(!progress->isVisible());
        QCOMPARE(steps.last().at(0).toInt(), 100);
        QVERIFY(dialog.isVisible()); // stays open until Done

        child<QCheckBox>(&dialog, "Check11")->click();
        child<QCheckBox>(&dialog, "Check12")->click();
        child<QCheckBox>(&dialog, "Check13")->click();
        child<QRadioButton>(&dialog, "Option10")->click();
        const QString tall = h.home.file(QStringLiteral("tall.txt"));
        exportTo(dialog, tall);
        const QByteArray rules = "Case Sensitive: False\r\nAllow Space Char: False\r\n"
                                 "Require AlphaNumeric: False\r\nAllow special chars: False\r\n"
                                 "Min Length: 6\r\nMax length: 15\r\n";
        QCOMPARE(ReadFile(tall), "Login: alice\r\nExpiry Period-Days: 30\r\n" + rules +
                                     "Login: bob\r\nExpiry Period-Days: 0\r\n" + rules);
        QVERIFY(h.ui.shown.isEmpty());
        QCOMPARE(h.ui.busyDepth, 0);
        Click(&dialog, "CancelButton");
        QVERIFY(!dialog.isVisible());
    }

    void typedDelimitersAreUsedAsTyped()
    {
        UiHarness h;
        addEntries(h);
        frmExportTextDialog dialog(h.context);
        dialog.show();
        child<QCheckBox>(&dialog, "Check12")->click();
        auto *combo = child<QComboBox>(&dialog, "Combo1");
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("|"));
        const QString bar = h.home.file(QStringLiteral("bar.txt"));
        exportTo(dialog, bar);
        QCOMPARE(ReadFile(bar), QByteArray("alice|p w1\r\nbob|pw2\r\n"));
        QCOMPARE(combo->count(), 4); // nothing typed joins the list
        combo->setEditText(QStringLiteral("comma"));
        const QString word = h.home.file(QStringLiteral("word.txt"));
        exportTo(dialog, word);
        QCOMPARE(ReadFile(word), QByteArray("alicecommap w1\r\nbobcommapw2\r\n"));
    }

    void anExistingFileIsAppendedToOrReplaced()
    {
        UiHarness h;
        addEntries(h);
        frmExportTextDialog dialog(h.context);
        dialog.show();
        const QString path = h.home.file(QStringLiteral("out.txt"));
        WriteFile(path, "before\r\n");
        h.ui.answers << false << true;
        exportTo(dialog, path);
        QCOMPARE(ReadFile(path), QByteArray("before\r\nalice\r\nbob\r\n"));
        exportTo(dialog, path);
        QCOMPARE(ReadFile(path), QByteArray("alice\r\nbob\r\n"));
        QCOMPARE(h.ui.asked, (QStringList{"File exists. Do you wish to overwrite?",
                                          "File exists. Do you wish to overwrite?"}));
        QVERIFY(child<QLabel>(&dialog, "lblFinished")->isVisible());
    }

    void anEmptyPathAndBrowsing()
    {
        UiHarness h;
        RecordingUi ui;
        AppContext context{ui, h.state, h.settings};
        frmExportTextDialog dialog(context);
        dialog.show();
        Click(&dialog, "OKButton");
        QCOMPARE(ui.messages(), QStringList{"Please enter a valid path and filename, or press "
                                            "the browse button to locate a file."});
        QVERIFY(!child<QProgressBar>(&dialog, "ProgressBar1")->isVisible());
        QVERIFY(!child<QLabel>(&dialog, "lblFinished")->isVisible());

        auto *path = child<QLineEdit>(&dialog, "Text1");
        path->setText(QStringLiteral("kept.txt"));
        Click(&dialog, "Command1");
        QCOMPARE(path->text(), QStringLiteral("kept.txt"));
        ui.replies << QStringLiteral("/tmp/chosen.txt");
        Click(&dialog, "Command1");
        QCOMPARE(path->text(), QStringLiteral("/tmp/chosen.txt"));
        QCOMPARE(ui.fileDialogs.size(), 2);
        QCOMPARE(ui.fileDialogs[0].kind, QStringLiteral("save"));
        QCOMPARE(ui.fileDialogs[0].title, QStringLiteral("Export to Text File"));
        QCOMPARE(ui.fileDialogs[0].filter, QStringLiteral("Text (*.txt)|*.txt"));
        QCOMPARE(ui.fileDialogs[0].defaultSuffix, QStringLiteral(".txt"));
    }

    void theMenuCommandOpensItModally()
    {
        UiHarness h;
        frmMain main(h.context);
        InstallTransferCommands(main);
        QString seen;
        bool modal = false;
        WhenModal([&seen, &modal](QWidget *dialog) {
            seen = dialog->objectName();
            modal = dialog->isModal();
            Click(dialog, "CancelButton");
        });
        main.run(MainCommand::ExportText);
        QCOMPARE(seen, QStringLiteral("frmExportTextDialog"));
        QVERIFY(modal);
    }
};

QTEST_MAIN(tst_frmExportTextDialog)
#include "tst_frmExportTextDialog.moc"
