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
#include <QMenuBar>
#include <QMimeData>
#include <QTest>

using namespace Qt::StringLiterals;

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
        QLineEdit *box = m.w.searchBox();
        QTest::keyClick(&m.w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, u"BANK"_s);
        QCOMPARE(m.logins(), (QStringList{"alice", "bankteller"}));
        QCOMPARE(m.w.selectedRow(), 0);
        QTest::keyClicks(box, u"t"_s);
        QCOMPARE(m.logins(), QStringList{"bankteller"});
        box->insert(u"\u263a"_s); // no stored text holds it
        QCOMPARE(m.logins(), QStringList());
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(box->text(), QString());
        QCOMPARE(m.logins(), (QStringList{"alice", "bob", "bankteller"})); // still in id order
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m.w.ListView1()));

        // Enter in the box edits the first row shown; with nothing shown it does nothing.
        int edits = 0;
        m.w.setCommand(MainCommand::EditLogin, [&edits] { ++edits; });
        box->setText(u"mail"_s);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(m.w.selectedText(EntryListView::ColLogin).trimmed(), u"bob"_s);
        box->setText(u"nobody"_s);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(edits, 1);
    }

    void headerClicksSortByDateAndReverseWithTheArrow()
    {
        Main m;
        m.h.addEntry("b", "d", "p", 5, QDateTime(QDate(2024, 12, 1), QTime(9, 0)));
        m.h.addEntry("a", "d", "p", 0);
        m.h.addEntry("c", "d", "p", 5, QDateTime(QDate(2024, 2, 1), QTime(9, 0)));
        m.w.LoadList();
        QHeaderView *header = m.w.ListView1()->header();
        QCOMPARE(header->sortIndicatorSection(), int(EntryListView::ColLoginID));
        header->sectionClicked(EntryListView::ColExpiry);
        QCOMPARE(m.w.ListView1()->sortKey(), int(EntryListView::ColExpirySort));
        QCOMPARE(m.logins(), (QStringList{"c", "b", "a"})); // chronological, not 12/.. < 2/..
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
        m.h.addEntry("expired", "d", "p", 5, QDateTime(QDate(2024, 3, 1), QTime(9, 0)));
        m.h.addEntry("soon", "d", "p", 5, QDateTime(QDate(2024, 3, 10), QTime(9, 0)));
        m.h.addEntry("later", "d", "p", 30, QDateTime(QDate(2024, 3, 10), QTime(9, 0)));
        m.h.addEntry("never", "d", "p", 0);
        m.w.LoadList();
        EntrySortProxy *proxy = m.w.ListView1()->proxy();
        auto at = [proxy](int row, int role) {
            return proxy->index(row, EntryListView::ColExpiry).data(role);
        };
        using Mark = EntrySortProxy::Mark;
        QList<int> marks;
        for (int row = 0; row < proxy->rowCount(); ++row)
            marks << at(row, EntrySortProxy::MarkRole).toInt();
        QCOMPARE(marks, (QList<int>{int(Mark::Expired), int(Mark::DueSoon), int(Mark::None),
                                    int(Mark::None)}));
        QVERIFY(at(0, Qt::ToolTipRole).toString().contains(u"expired"_s));
    }

    void theMenusShowTheDesktopsKeysAndTheKeysWork()
    {
        Main m;
        using C = MainCommand;
        const QList<std::pair<MainCommand, QKeySequence>> keys = {
            {C::NewLogin, Qt::CTRL | Qt::Key_N},
            {C::ClipPassword, Qt::CTRL | Qt::Key_C},
            {C::CopyLogin, Qt::CTRL | Qt::Key_B},
            {C::DeleteLogin, Qt::Key_Delete},
            {C::UndoDelete, Qt::CTRL | Qt::Key_Z},
            {C::Search, Qt::CTRL | Qt::Key_F},
            {C::Refresh, Qt::Key_F5},
            {C::Options, Qt::CTRL | Qt::Key_Comma},
            {C::HelpContents, Qt::Key_F1},
            {C::Exit, Qt::CTRL | Qt::Key_Q}};
        for (const auto &[command, key] : keys) {
            QKeySequence shown;
            for (QAction *a : m.w.findChildren<QAction *>()) {
                if (a->property("command").toInt() == int(command) && shown.isEmpty() &&
                    !a->shortcut().isEmpty())
                    shown = a->shortcut();
            }
            QCOMPARE(shown, key);
        }
        QCOMPARE(m.w.menuBar()->actions().at(1)->text(), u"&Edit"_s);
        QVERIFY(m.w.action(MainCommand::EditLogin)->text().endsWith(u"\tEnter"_s));

        // Delete leaves nothing selected for a second press.
        m.h.addEntry("alice", "bank", "pw1");
        m.h.addEntry("bob", "mail", "pw2");
        m.w.LoadList();
        m.showActive();
        QWidget *list = m.w.ListView1();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Delete);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(m.logins(), QStringList{"bob"});
        QVERIFY(m.w.statusText().startsWith(u"Entry 1000 deleted"_s));
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m.logins(), (QStringList{"alice", "bob"}));
        QCOMPARE(m.w.statusText(), u"Entry 1000 restored"_s);
        QCOMPARE(m.w.selectedText(EntryListView::ColLogin).trimmed(), u"alice"_s);
        QVERIFY(!m.w.action(MainCommand::UndoDelete)->isEnabled());
        // The list's own copy of a padded cell gives way to Copy Password.
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), u"pw1"_s);
        QTest::keyClick(list, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), u"alice"_s);
    }

    void theClipboardClearsItselfOnlyWhileItHoldsWhatPelloraPutThere()
    {
        Main m;
        m.h.addEntry("alice", "bank", "s3cret");
        m.h.settings.save(Setting::ClearClipboardSeconds, u"2"_s);
        m.w.LoadList();
        ClipPassword(m.w);
        QClipboard *clipboard = QApplication::clipboard();
        QCOMPARE(clipboard->text(), u"s3cret"_s);
        QCOMPARE(clipboard->mimeData()->data(u"x-kde-passwordManagerHint"_s), "secret");
        QCOMPARE(m.w.statusText(), u"Password copied; clears in 2 s"_s);
        QTRY_COMPARE(m.w.statusText(), u"Password copied; clears in 1 s"_s);
        QTRY_COMPARE_WITH_TIMEOUT(clipboard->text(), QString(), 3000);
        QCOMPARE(m.w.statusText(), u"Clipboard cleared"_s);

        // Copied over by the user: neither the delay nor the end takes it away.
        CopyLogin(m.w);
        QCOMPARE(m.w.statusText(), u"Login copied; clears in 2 s"_s);
        clipboard->setText(u"the user's own"_s);
        QTest::qWait(2500);
        QCOMPARE(clipboard->text(), u"the user's own"_s);
        ClipPassword(m.w);
        clipboard->setText(u"copied after"_s);
        m.w.close();
        QCOMPARE(clipboard->text(), u"copied after"_s);

        // 0 keeps it until the end, which empties it.
        m.h.settings.save(Setting::ClearClipboardSeconds, u"0"_s);
        ClipPassword(m.w);
        QCOMPARE(m.w.statusText(), u"Password copied"_s);
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
        m.w.run(MainCommand::UndoDelete); // the newest deletion first
        QCOMPARE(m.logins(), (QStringList{"bob", "carol"}));
        QVERIFY(m.w.action(MainCommand::UndoDelete)->isEnabled());
        LoginStore(m.h.state.LoginFile, m.h.ui).cleanup();
        m.w.LoadList(); // as after an add, which compacts first
        QVERIFY(!m.w.action(MainCommand::UndoDelete)->isEnabled());
        QCOMPARE(m.w.deletedEntries().count(), 0);
    }
};

QTEST_MAIN(tst_DailyUse)
#include "tst_DailyUse.moc"
