#include "ModalDriver.h"
#include "StoreFixture.h"
#include "UiHarness.h"
#include "entries/LoginStore.h"
#include "platform/Clock.h"
#include "ui/EntryCommands.h"
#include "ui/EntryListView.h"
#include "ui/frmMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>

namespace {
// A main window with the entry commands installed.
struct MainWithEntries
{
    MainWithEntries()
    {
        h.setMasters("first master", "second master");
        InstallEntryCommands(main);
    }
    void select(const QString &key)
    {
        main.LoadList();
        main.ListView1()->selectRow(main.ListView1()->findRow(key));
    }
    QStringList ids() const
    {
        QStringList out;
        for (int i = 0; i < main.ListView1()->rowCount(); ++i)
            out << main.ListView1()->text(i, EntryListView::ColLoginID);
        return out;
    }
    QString log() const { return QString::fromUtf8(ReadFile(h.state.LogFile)); }

    UiHarness h;
    frmMain main{h.context};
};

// Answers the next editor a command opens, then makes sure it is closed so no test can hang.
void OnEditor(const std::function<void(QWidget *)> &inside)
{
    WhenModal(
        [inside](QWidget *editor) {
            inside(editor);
            editor->close();
        },
        QStringLiteral("frmLogins"));
}
} // namespace

class tst_EntryCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { Clock::fix(std::nullopt); }

    void anEntryMadeWithNewOpensInEditAsSavedAndSavesUnchanged()
    {
        MainWithEntries m;
        m.h.state.LogPwdChanges = true;
        Clock::fix(QDateTime(QDate(2024, 3, 1), QTime(10, 0)));
        OnEditor([](QWidget *editor) {
            Type(editor, "txtLoginDesc", QStringLiteral("bank"));
            Type(editor, "txtLogin", QStringLiteral("alice"));
            Type(editor, "txtPassword", QStringLiteral("S3cret!"));
            for (const char *rule : {"chkValidation0", "chkValidation1", "chkValidation2"})
                editor->findChild<QCheckBox *>(rule)->setChecked(true);
            Type(editor, "txtValLength0", QStringLiteral("7"));
            Type(editor, "txtValLength1", QStringLiteral("20"));
            Type(editor, "txtExpireDays", QStringLiteral("30"));
            Click(editor, "cmdOK");
        });
        m.main.Toolbar1_ButtonClick(QStringLiteral("NewLogin"));
        QCOMPARE(m.ids(), QStringList{QStringLiteral("1000")});
        QVERIFY(m.log().contains("Added alice, "));

        const QByteArray saved = ReadFile(m.h.state.LoginFile);
        QString password, nextChange;
        OnEditor([&](QWidget *editor) {
            password = editor->findChild<QLineEdit *>("txtPassword")->text();
            nextChange = editor->findChild<QLabel *>("lblChangeBefore")->text();
            Click(editor, "cmdOK");
        });
        m.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m.main));
        const QRect at = m.main.ListView1()->rowRect(0);
        QTest::mouseDClick(m.main.ListView1()->viewport(), Qt::LeftButton, {}, at.center());
        QCOMPARE(password, QStringLiteral("S3cret!"));
        QCOMPARE(nextChange, QStringLiteral("3/31/2024 10:00:00 AM"));
        QCOMPARE(ReadFile(m.h.state.LoginFile), saved);
        QVERIFY(m.log().contains("Updated alice, "));

        OnEditor([](QWidget *editor) {
            Type(editor, "txtLoginDesc", QStringLiteral("savings bank"));
            Click(editor, "cmdOK");
        });
        m.main.run(MainCommand::EditLogin);
        QCOMPARE(m.main.selectedText(EntryListView::ColDescription).trimmed(),
                 QStringLiteral("savings bank"));
    }

    void editOfAnUnreadableEntryOrWithoutARowOpensNoEditor()
    {
        MainWithEntries m;
        m.h.addEntry("alice", "bank", "s3cret");
        m.main.LoadList();
        m.main.ListView1()->selectRow(-1);
        bool opened = false;
        QTimer guard;
        guard.callOnTimeout([&opened] {
            if (QWidget *modal = QApplication::activeModalWidget())
                opened = modal->close();
        });
        guard.start(10);
        const QByteArray store = ReadFile(m.h.state.LoginFile);
        m.main.run(MainCommand::EditLogin);
        m.main.run(MainCommand::DeleteLogin);
        QVERIFY(m.h.ui.shown.isEmpty());
        QCOMPARE(m.ids(), QStringList{QStringLiteral("1000")});
        QCOMPARE(ReadFile(m.h.state.LoginFile), store);

        m.select(QStringLiteral("PQ1000"));
        m.h.state.ActiveMaster2 = "written under other masters";
        m.main.run(MainCommand::EditLogin);
        QVERIFY(!opened);
        QCOMPARE(m.h.ui.messages(), QStringList{"An error occurred reading this item. "});
        QCOMPARE(m.h.ui.busyDepth, 0);
    }

    void deleteDropsTheRowAndMarksTheRecord()
    {
        MainWithEntries m;
        m.h.state.LogPwdChanges = true;
        for (const char *login : {"alice", "bob", "carol"})
            m.h.addEntry(login, "desc", "pw");
        m.select(QStringLiteral("PQ1001"));
        m.main.Toolbar1_ButtonClick(QStringLiteral("Delete"));
        QVERIFY(m.h.ui.asked.isEmpty() && m.h.ui.shown.isEmpty());
        QCOMPARE(m.ids(), (QStringList{"1000", "1002"}));
        const QList<LoginRecord> stored = ReadRecords(m.h.state.LoginFile);
        QVERIFY(stored.size() == 3 && stored[1].Deleted && !stored[0].Deleted);
        QVERIFY(m.log().contains("Deleted bob, "));

        m.select(QStringLiteral("PQ1000"));
        QFile::remove(m.h.state.LoginFile);
        m.main.run(MainCommand::DeleteLogin);
        QVERIFY(m.h.ui.messages().last().startsWith("An error has occurred in deletelogin "));
        QCOMPARE(m.ids(), (QStringList{"1000", "1002"}));
        QVERIFY(!m.log().contains("Deleted alice, "));
    }
};

QTEST_MAIN(tst_EntryCommands)
#include "tst_EntryCommands.moc"
