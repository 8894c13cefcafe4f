#include "ModalDriver.h"
#include "UiHarness.h"
#include "ui/frmExportTextDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>

class tst_frmExportTextDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void formatsDelimitersAndOverwriting()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("alice", "Mail box", "p w1");
        h.addEntry("bob", "bank", "pw2");
        frmExportTextDialog dialog(h.context);
        dialog.show();
        auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("Combo1"));
        auto *headings = dialog.findChild<QCheckBox *>(QStringLiteral("chkHeadings"));
        auto *finished = dialog.findChild<QLabel *>(QStringLiteral("lblFinished"));
        auto *progress = dialog.findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
        QVERIFY(combo->isVisible() && headings->isVisible());
        QVERIFY(!finished->isVisible() && !progress->isVisible());
        Click(&dialog, "OKButton");
        QCOMPARE(h.ui.messages(), QStringList{"Please enter a valid path and filename, or press "
                                              "the browse button to locate a file."});
        QVERIFY(!finished->isVisible());

        dialog.findChild<QRadioButton *>(QStringLiteral("Option10"))->click();
        QVERIFY(!combo->isVisible() && !headings->isVisible());
        QVERIFY(!dialog.findChild<QLabel *>(QStringLiteral("lblDelimit"))->isVisible());
        const QString path = h.home.file(QStringLiteral("out.txt"));
        Type(&dialog, "Text1", path);
        Click(&dialog, "OKButton");
        const QByteArray vertical = "Login: alice\r\nLogin: bob\r\n";
        QCOMPARE(ReadFile(path), vertical);
        QVERIFY(finished->isVisible() && !progress->isVisible());
        QVERIFY(dialog.isVisible()); // stays open until Done
        QVERIFY(h.ui.asked.isEmpty());

        dialog.findChild<QRadioButton *>(QStringLiteral("Option11"))->click();
        QVERIFY(combo->isVisible() && headings->isVisible());
        dialog.findChild<QCheckBox *>(QStringLiteral("Check12"))->click();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("|"));
        h.ui.answers << false << true;
        Click(&dialog, "OKButton"); // No: appended
        QCOMPARE(ReadFile(path), vertical + "alice|p w1\r\nbob|pw2\r\n");
        combo->setEditText(QStringLiteral("comma"));
        Click(&dialog, "OKButton"); // Yes: replaced
        QCOMPARE(ReadFile(path), QByteArray("alicecommap w1\r\nbobcommapw2\r\n"));
        QCOMPARE(h.ui.asked, QStringList(2, "File exists. Do you wish to overwrite?"));
        QCOMPARE(h.ui.messages().size(), 1);
        Click(&dialog, "CancelButton");
        QVERIFY(!dialog.isVisible());
    }

    // A bare name goes to the home folder, not beside the store; the program's own files are
    // refused by name and left as they were.
    void bareNamesGoHomeAndOwnFilesAreRefused()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("alice", "Mail box", "p w1");
        QDir::setCurrent(h.state.DataFolder);
        frmExportTextDialog dialog(h.context);
        dialog.show();
        Type(&dialog, "Text1", QStringLiteral("bare.txt"));
        Click(&dialog, "OKButton");
        QCOMPARE(ReadFile(QDir::home().filePath(QStringLiteral("bare.txt"))),
                 QByteArray("alice\r\n"));
        QVERIFY(!QFile::exists(h.state.DataFolder + QStringLiteral("bare.txt")));
        QCOMPARE(dialog.findChild<QLineEdit *>(QStringLiteral("Text1"))->text(),
                 QDir::home().filePath(QStringLiteral("bare.txt")));

        const QByteArray store = ReadFile(h.state.LoginFile);
        Type(&dialog, "Text1", h.state.LoginFile);
        Click(&dialog, "OKButton");
        QCOMPARE(ReadFile(h.state.LoginFile), store);
        QCOMPARE(h.ui.messages(),
                 QStringList{h.state.LoginFile + " is one of Pellora's own files, which an export "
                                                 "never writes. Please choose another file."});
        QVERIFY(h.ui.asked.isEmpty());
    }
};

QTEST_MAIN(tst_frmExportTextDialog)
#include "tst_frmExportTextDialog.moc"
