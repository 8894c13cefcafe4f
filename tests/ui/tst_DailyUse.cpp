// The main window as it is used every day: finding as one types, the sort arrow, due entries
// marked, the keys shown in the menus, the clipboard clearing itself, and Undo Delete.
#include "UiHarness.h"
#include "entries/LoginStore.h"
#include "platform/Clock.h"
#include "ui/EntryCommands.h"
#include "ui/EntryListView.h"
#include "ui/EntrySortProxy.h"
#include "ui/ListCommands.h"
#include "ui/SecretClipboard.h"
#include "ui/ViewCommands.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

namespace {
struct Main
{
    Main()
    {
        h.setMasters("first master", "second master");
        InstallViewCommands(w);
        InstallListCommands(w);
        InstallEntryCommands(w);
    }
    QStringList logins() const
    {
        QStringList out;
        for (int row = 0; row < w.ListView1()->rowCount(); ++row)
            out << w.ListView1()->text(row, EntryListView::ColLogin).trimmed();
        return out;
    }
    void showActive()
    {
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

    UiHarness h;
    frmMain w{h.context};
};
} // namespace

class tst_DailyUse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { Clock::fix(std::nullopt); }

    void theSearchBoxFiltersAsOneTypesInAnyCase()
    {
        Main m;
        m.h.addEntry("alice", "Example Bank", "pw1");
        m.h.addEntry("bob", "Mail", "pw2");
        m.h.addEntry("bankteller", "Shop", "pw3");
        m.w.LoadList();
        m.showActive();
        QCOMPARE(m.w.selectedRow(), 0); // the first row really is selected after loading
        QTest::keyClick(&m.w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), m.w.searchBox());
        QTest::keyClicks(m.w.searchBox(), QStringLiteral("BANK"));
        QCOMPARE(m.logins(), (QStringList{"alice", "bankteller"}));
        QCOMPARE(m.w.selectedRow(), 0);
        QTest::keyClicks(m.w.searchBox(), QStringLiteral("t"));
        QCOMPARE(m.logins(), QStringList{"bankteller"});
        m.w.searchBox()->insert(QStringLiteral("\u263a")); // no stored text holds it
        QCOMPARE(m.logins(), QStringList());
        QTest::keyClick(m.w.searchBox(), Qt::Key_Escape);
        QCOMPARE(m.w.searchBox()->text(), QString());
        QCOMPARE(m.logins(), (QStringList{"alice", "bob", "bankteller"})); // still in id order
        QTest::keyClick(m.w.searchBox(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m.w.ListView1()));

        // Enter in the box edits the first row shown; with nothing shown it does nothing.
        int edits = 0;
        m.w.setCommand(MainCommand::EditLogin, [&edits] { ++edits; });
        m.w.searchBox()->setText(QStringLiteral("mail"));
        QTest::keyClick(m.w.searchBox(), Qt::Key_Return);
        QCOMPARE(edits, 1);
        QCOMPARE(m.w.selectedText(EntryListView::ColLogin).trimmed(), QStringLiteral("bob"));
        m.w.searchBox()->setText(QStringLiteral("nobody"));
        QTest::keyClick(m.w.searchBox(), Qt::Key_Return);
        QCOMPARE(edits, 1);
    }

    void aSecondHeaderClickReversesAndTheArrowFollows()
    {
        Main m;
        m.h.addEntry("b", "d", "p", 5, QDateTime(QDate(2024, 6, 1), QTime(9, 0)));
        m.h.addEntry("a", "d", "p", 0);
        m.h.addEntry("c", "d", "p", 5, QDateTime(QDate(2024, 1, 1), QTime(9, 0)));
        m.w.LoadList();
        QHeaderView *header = m.w.ListView1()->header();
        QVERIFY(header->isSortIndicatorShown());
        QCOMPARE(header->sortIndicatorSection(), int(EntryListView::ColLoginID));
        header->sectionClicked(EntryListView::ColExpiry);
        QCOMPARE(m.logins(), (QStringList{"c", "b", "a"}));
        QCOMPARE(header->sortIndicatorSection(), int(EntryListView::ColExpiry));
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        header->sectionClicked(EntryListView::ColExpiry);
        QCOMPARE(m.logins(), (QStringList{"a", "b", "c"}));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        header->sectionClicked(EntryListView::ColLogin); // another column keeps the direction
        QCOMPARE(m.logins(), (QStringList{"c", "b", "a"}));
    }

    void dueAndExpiredEntriesAreMarked()
    {
        Main m;
        Clock::fix(QDateTime(QDate(2024, 3, 10), QTime(12, 0)));
        const QTime nine(9, 0);
        m.h.addEntry("expired", "d", "p", 5, QDateTime(QDate(2024, 3, 1), nine));
        m.h.addEntry("soon", "d", "p", 5, QDateTime(QDate(2024, 3, 10), nine));
        m.h.addEntry("later", "d", "p", 30, QDateTime(QDate(2024, 3, 10), nine));
        m.h.addEntry("never", "d", "p", 0);
        m.w.LoadList();
        EntrySortProxy *proxy = m.w.ListView1()->proxy();
        QList<int> marks;
        for (int row = 0; row < proxy->rowCount(); ++row)
            marks << proxy->index(row, EntryListView::ColExpiry)
                         .data(EntrySortProxy::MarkRole)
                         .toInt();
        using Mark = EntrySortProxy::Mark;
        QCOMPARE(marks, (QList<int>{int(Mark::Expired), int(Mark::DueSoon), int(Mark::None),
                                    int(Mark::None)}));
        QVERIFY(proxy->index(0, EntryListView::ColExpiry)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("expired")));
    }

    void theMenusShowTheDesktopsKeys()
    {
        Main m;
        const QList<std::pair<MainCommand, QKeySequence>> keys = {
            {MainCommand::NewLogin, QKeySequence(Qt::CTRL | Qt::Key_N)},
            {MainCommand::ClipPassword, QKeySequence(Qt::CTRL | Qt::Key_C)},
            {MainCommand::CopyLogin, QKeySequence(Qt::CTRL | Qt::Key_B)},
            {MainCommand::DeleteLogin, QKeySequence(Qt::Key_Delete)},
            {MainCommand::UndoDelete, QKeySequence(Qt::CTRL | Qt::Key_Z)},
            {MainCommand::Search, QKeySequence(Qt::CTRL | Qt::Key_F)},
            {MainCommand::Refresh, QKeySequence(Qt::Key_F5)},
            {MainCommand::Options, QKeySequence(Qt::CTRL | Qt::Key_Comma)},
            {MainCommand::HelpContents, QKeySequence(Qt::Key_F1)},
            {MainCommand::Exit, QKeySequence(Qt::CTRL | Qt::Key_Q)}};
        for (const auto &[command, key] : keys) {
            QList<QAction *> withKey;
            for (QAction *a : m.w.findChildren<QAction *>()) {
                if (a->property("command").toInt() == int(command) && !a->shortcut().isEmpty())
                    withKey << a;
            }
            QVERIFY(!withKey.isEmpty());
            QCOMPARE(withKey.first()->shortcut(), key);
        }
        QCOMPARE(m.w.menuBar()->actions().at(1)->text(), QStringLiteral("&Edit"));
        QVERIFY(m.w.action(MainCommand::EditLogin)->text().endsWith(QStringLiteral("\tEnter")));

        // The keys work on the window; Delete leaves nothing selected for a second press.
        m.h.addEntry("alice", "bank", "pw1");
        m.h.addEntry("bob", "mail", "pw2");
        m.w.LoadList();
        m.showActive();
        m.w.ListView1()->setFocus();
        QTest::keyClick(m.w.ListView1(), Qt::Key_Delete);
        QTest::keyClick(m.w.ListView1(), Qt::Key_Delete);
        QCOMPARE(m.logins(), QStringList{"bob"});
        QVERIFY(m.w.statusText().startsWith(QStringLiteral("Entry 1000 deleted")));
        QTest::keyClick(m.w.ListView1(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m.logins(), (QStringList{"alice", "bob"}));
        QCOMPARE(m.w.statusText(), QStringLiteral("Entry 1000 restored"));
        QCOMPARE(m.w.selectedText(EntryListView::ColLogin).trimmed(), QStringLiteral("alice"));
        QVERIFY(!m.w.action(MainCommand::UndoDelete)->isEnabled());
        // The list's own copy of a padded cell gives way to Copy Password.
        QTest::keyClick(m.w.ListView1(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("pw1"));
        QTest::keyClick(m.w.ListView1(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("alice"));
    }

    void theClipboardClearsItselfOnlyWhileItHoldsWhatPelloraPutThere()
    {
        Main m;
        m.h.addEntry("alice", "bank", "s3cret");
        m.h.settings.save(Setting::ClearClipboardSeconds, QStringLiteral("2"));
        m.w.LoadList();
        ClipPassword(m.w);
        QClipboard *clipboard = QApplication::clipboard();
        QCOMPARE(clipboard->text(), QStringLiteral("s3cret"));
        QCOMPARE(m.w.statusText(), QStringLiteral("Password copied; clears in 2 s"));
        QTRY_COMPARE(m.w.statusText(), QStringLiteral("Password copied; clears in 1 s"));
        QTRY_COMPARE_WITH_TIMEOUT(clipboard->text(), QString(), 3000);
        QCOMPARE(m.w.statusText(), QStringLiteral("Clipboard cleared"));

        // Copied over by the user: neither the delay nor the end takes it away.
        CopyLogin(m.w);
        QCOMPARE(clipboard->text(), QStringLiteral("alice"));
        QCOMPARE(m.w.statusText(), QStringLiteral("Login copied; clears in 2 s"));
        clipboard->setText(QStringLiteral("the user's own"));
        QTest::qWait(2500);
        QCOMPARE(clipboard->text(), QStringLiteral("the user's own"));
        ClipPassword(m.w);
        clipboard->setText(QStringLiteral("copied after"));
        m.w.close();
        QCOMPARE(clipboard->text(), QStringLiteral("copied after"));

        // 0 keeps it until the end, which empties it.
        m.h.settings.save(Setting::ClearClipboardSeconds, QStringLiteral("0"));
        ClipPassword(m.w);
        QCOMPARE(m.w.statusText(), QStringLiteral("Password copied"));
        QVERIFY(m.w.clipboard().holdsOurs());
        m.w.close();
        QCOMPARE(clipboard->text(), QString());
    }

    void undoDeleteEndsWhenCompactionDropsTheRecord()
    {
        Main m;
        for (const char *login : {"alice", "bob", "carol"})
            m.h.addEntry(login, "d", "pw");
        m.w.LoadList();
        for (int i = 0; i < 2; ++i) {
            m.w.ListView1()->selectRow(0);
            m.w.run(MainCommand::DeleteLogin);
        }
        QVERIFY(m.w.action(MainCommand::UndoDelete)->isEnabled());
        m.w.run(MainCommand::UndoDelete); // the newest deletion first
        QCOMPARE(m.logins(), (QStringList{"bob", "carol"}));
        QCOMPARE(m.h.passwordOf(1001), QByteArray("pw"));
        LoginStore(m.h.state.LoginFile, m.h.ui).cleanup();
        m.w.LoadList(); // as after an add, which compacts first
        QVERIFY(!m.w.action(MainCommand::UndoDelete)->isEnabled());
        QCOMPARE(m.w.deletedEntries().count(), 0);
    }
};

QTEST_MAIN(tst_DailyUse)
#include "tst_DailyUse.moc"
