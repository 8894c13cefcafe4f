#include "StoreFixture.h"
#include "UiHarness.h"
#include "entries/LoginStore.h"
#include "entries/PasswordField.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "ui/EntryCommands.h"
#include "ui/EntryListView.h"
#include "ui/frmLogins.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
// A main window with the entry commands installed and a few entries listed.
struct MainWithEntries
{
    MainWithEntries()
    {
        h.setMasters("first master", "second master");
        InstallEntryCommands(main);
    }
    void select(const QString &id)
    {
        main.LoadList();
        QTreeWidgetItem *row = main.ListView1()->findRow(QStringLiteral("PQ") + id);
        main.ListView1()->setCurrentItem(row);
    }
    QStringList ids() const
    {
        QStringList out;
        for (int i = 0; i < main.ListView1()->topLevelItemCount(); ++i)
            out << main.ListView1()->topLevelItem(i)->text(EntryListView::ColLoginID);
        return out;
    }

    UiHarness h;
    frmMain main{h.context};
};

// Runs `inside` on the editor once a command has opened it modally, then closes it if still open;
// `seen` tells whether one opened. It polls, so nested event loops before the command are harmless.
class ModalWatch
{
public:
    explicit ModalWatch(std::function<void(frmLogins *)> inside)
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this, inside] {
            auto *editor = qobject_cast<frmLogins *>(QApplication::activeModalWidget());
            if (!editor)
                return;
            m_poll.stop();
            seen = true;
            QVERIFY(QTest::qWaitForWindowActive(editor));
            inside(editor);
            if (editor->isVisible())
                editor->reject();
        });
        m_poll.start();
    }
    bool seen = false;

private:
    QTimer m_poll;
};

QLineEdit *box(frmLogins *editor, const char *name)
{
    return editor->findChild<QLineEdit *>(name);
}

void clickOk(frmLogins *editor)
{
    editor->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
}
} // namespace

class tst_EntryCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { Clock::fix(std::nullopt); }

    void newOpensTheEditorModallyOverTheMainWindow()
    {
        MainWithEntries m;
        QVERIFY(m.main.action(MainCommand::NewLogin)->isEnabled());
        QVERIFY(m.main.action(MainCommand::EditLogin)->isEnabled());
        QVERIFY(m.main.action(MainCommand::DeleteLogin)->isEnabled());
        ModalWatch watch([&m](frmLogins *editor) {
            QCOMPARE(editor->parentWidget(), &m.main);
            QVERIFY(editor->isModal());
            QCOMPARE(m.h.state.EditMode, QStringLiteral("ADD"));
            QCOMPARE(QApplication::focusWidget(), box(editor, "txtLoginDesc"));
            QTest::keyClicks(box(editor, "txtLoginDesc"), QStringLiteral("Bank"));
            QTest::keyClicks(box(editor, "txtLogin"), QStringLiteral("jsmith"));
            QTest::keyClicks(box(editor, "txtPassword"), QStringLiteral("abcdef"));
            clickOk(editor);
        });
        m.main.Toolbar1_ButtonClick(QStringLiteral("NewLogin"));
        QVERIFY(watch.seen);
        QCOMPARE(m.ids(), QStringList{QStringLiteral("1000")});
        QCOMPARE(m.h.passwordOf(1000), QByteArray("abcdef"));
    }

    void editShowsTheEntryAsSavedAndOkRewritesTheSameRecord()
    {
        MainWithEntries m;
        m.h.state.LogPwdChanges = true;
        m.h.addEntry("other", "mail", "zzzzzz");
        LoginRecord r = MakeRecord("alice", "bank");
        r.Password = *EncodePasswordField("S3cret!", m.h.state.entryKey());
        r.ExpireDays = 30;
        r.ExpireStart = Convert::ToOleDate(QDateTime(QDate(2024, 3, 1), QTime(10, 0)));
        r.CaseSensitive = r.RequireMix = r.RequireSpecial = true;
        r.MinLength = 7;
        r.MaxLength = 20;
        LoginStore(m.h.state.LoginFile, m.h.ui).Addlogin(r);
        const QList<LoginRecord> before = ReadRecords(m.h.state.LoginFile);
        m.select(QStringLiteral("1001"));

        ModalWatch watch([&m](frmLogins *editor) {
            QCOMPARE(m.h.state.EditMode, QStringLiteral("UPDATE"));
            QCOMPARE(m.main.CurrentEntryRow, QStringLiteral("PQ1001"));
            QCOMPARE(box(editor, "txtLoginID")->text(), QStringLiteral("1001"));
            QCOMPARE(box(editor, "txtLoginDesc")->text(), QStringLiteral("bank"));
            QCOMPARE(box(editor, "txtLogin")->text(), QStringLiteral("alice"));
            QCOMPARE(box(editor, "txtPassword")->text(), QStringLiteral("S3cret!"));
            QCOMPARE(box(editor, "txtPassword")->echoMode(), QLineEdit::Password);
            QCOMPARE(box(editor, "txtExpireDays")->text(), QStringLiteral("30"));
            QCOMPARE(box(editor, "txtExpireStart")->text(), QStringLiteral("3/1/2024 10:00:00 AM"));
            QCOMPARE(editor->findChild<QLabel *>(QStringLiteral("lblChangeBefore"))->text(),
                     QStringLiteral("3/31/2024 10:00:00 AM"));
            QStringList checked;
            for (auto *c : editor->findChildren<QCheckBox *>())
                if (c->isChecked())
                    checked << c->objectName();
            checked.sort();
            QCOMPARE(checked, (QStringList{"chkValidation0", "chkValidation1", "chkValidation2"}));
            QCOMPARE(box(editor, "txtValLength0")->text(), QStringLiteral("7"));
            QCOMPARE(box(editor, "txtValLength1")->text(), QStringLiteral("20"));
            clickOk(editor);
        });
        m.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m.main));
        const QRect at = m.main.ListView1()->visualItemRect(m.main.selectedRow());
        QTest::mouseDClick(m.main.ListView1()->viewport(), Qt::LeftButton, {}, at.center());
        QVERIFY(watch.seen);
        const QList<LoginRecord> after = ReadRecords(m.h.state.LoginFile);
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < after.size(); ++i)
            QCOMPARE(after[i].encode(), before[i].encode());
        QVERIFY(QString::fromUtf8(ReadFile(m.h.state.LogFile)).contains("Updated alice, "));

        ModalWatch rename([](frmLogins *editor) {
            box(editor, "txtLoginDesc")->setText(QStringLiteral("savings bank"));
            clickOk(editor);
        });
        m.main.run(MainCommand::EditLogin);
        QCOMPARE(m.main.selectedRow()->text(EntryListView::ColDescription).trimmed(),
                 QStringLiteral("savings bank"));
    }

    void editOfAnUnreadableEntryOpensNoEditor()
    {
        MainWithEntries m;
        m.h.addEntry("alice", "bank", "s3cret");
        m.select(QStringLiteral("1000"));
        m.h.state.ActiveMaster2 = "written under other masters";
        ModalWatch undecodable([](frmLogins *) {});
        mnuChange_Click(m.main);
        QVERIFY(!undecodable.seen);
        QCOMPARE(m.h.ui.messages(), QStringList{"An error occurred reading this item. "});

        m.main.selectedRow()->setText(EntryListView::ColLoginID, QStringLiteral("one"));
        ModalWatch foreignId([](frmLogins *) {});
        mnuChange_Click(m.main);
        QVERIFY(!foreignId.seen);
        QCOMPARE(m.h.ui.messages().size(), 2);
        QCOMPARE(m.h.ui.messages().last(), QStringLiteral("An error occurred reading this item. "));
        QCOMPARE(m.h.ui.busyDepth, 0);
    }

    void editAndDeleteWithoutASelectedRowDoNothing()
    {
        MainWithEntries m;
        m.h.addEntry("alice", "bank", "s3cret");
        m.main.LoadList();
        const QByteArray store = ReadFile(m.h.state.LoginFile);
        ModalWatch watch([](frmLogins *) {});
        m.main.run(MainCommand::EditLogin);
        m.main.run(MainCommand::DeleteLogin);
        QVERIFY(!watch.seen);
        QVERIFY(m.h.ui.shown.isEmpty());
        QCOMPARE(m.ids(), QStringList{QStringLiteral("1000")});
        QCOMPARE(ReadFile(m.h.state.LoginFile), store);
        QCOMPARE(m.h.ui.busyDepth, 0);
    }

    void deleteDropsTheRowAtOnceAndTheNextCompactionTheRecord()
    {
        MainWithEntries m;
        m.h.state.LogPwdChanges = true;
        m.h.addEntry("alice", "bank", "p1");
        m.h.addEntry("bob", "mail", "p2");
        m.h.addEntry("carol", "shop", "p3");
        m.select(QStringLiteral("1001"));
        m.main.Toolbar1_ButtonClick(QStringLiteral("Delete"));
        QVERIFY(m.h.ui.asked.isEmpty() && m.h.ui.shown.isEmpty());
        QCOMPARE(m.ids(), (QStringList{"1000", "1002"}));
        QCOMPARE(m.main.CurrentEntryRow, QStringLiteral("PQ1001"));
        QList<LoginRecord> stored = ReadRecords(m.h.state.LoginFile);
        QCOMPARE(stored.size(), 3);
        QVERIFY(stored[1].Deleted && !stored[0].Deleted && !stored[2].Deleted);
        QVERIFY(QString::fromUtf8(ReadFile(m.h.state.LogFile)).contains("Deleted bob, "));

        LoginStore(m.h.state.LoginFile, m.h.ui).cleanup(); // as the next start-up does
        stored = ReadRecords(m.h.state.LoginFile);
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored[1].LoginID, qint16(1002));
    }

    void aDeleteThatFailsKeepsTheRowAndLogsNothing()
    {
        MainWithEntries m;
        m.h.state.LogPwdChanges = true;
        m.h.addEntry("alice", "bank", "p1");
        m.select(QStringLiteral("1000"));
        m.main.selectedRow()->setText(EntryListView::ColLoginID, QStringLiteral("x1000"));
        mnuDelete_Click(m.main);
        QCOMPARE(m.h.ui.messages(),
                 QStringList{"An error has occurred in frmMainMnuDelete 13 Type mismatch"});
        QCOMPARE(m.main.ListView1()->topLevelItemCount(), 1);

        m.select(QStringLiteral("1000"));
        QFile::remove(m.h.state.LoginFile);
        mnuDelete_Click(m.main);
        QVERIFY(m.h.ui.messages().last().startsWith("An error has occurred in deletelogin "));
        QCOMPARE(m.ids(), QStringList{QStringLiteral("1000")});
        QVERIFY(!QFile::exists(m.h.state.LogFile));
        QCOMPARE(m.h.ui.busyDepth, 0);
    }
};

QTEST_MAIN(tst_EntryCommands)
#include "tst_EntryCommands.moc"
