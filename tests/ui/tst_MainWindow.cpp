// The main window as it is used every day, with the entry editor it opens and files dropped on it.
#include "ModalDriver.h"
#include "StoreFixture.h"
#include "UiHarness.h"
#include "crypto/Cipher.h"
#include "entries/EntryStore.h"
#include "entries/RecordFile.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "ui/EntryCommands.h"
#include "ui/EntryEditor.h"
#include "ui/EntryListView.h"
#include "ui/EntrySortProxy.h"
#include "ui/FileVaultCommands.h"
#include "ui/ListCommands.h"
#include "ui/MainWindow.h"
#include "ui/SecretClipboard.h"
#include "ui/ViewCommands.h"

using namespace Qt::StringLiterals;

namespace {
const QDateTime kOpened(QDate(2024, 3, 1), QTime(10, 0));

QDateTime At(int month, int day)
{
    return QDateTime(QDate(2024, month, day), QTime(9, 0));
}

struct Main
{
    UiHarness h;
    MainWindow w{h.context};

    explicit Main(bool masters = true)
        : h(masters)
    {
        InstallViewCommands(w);
        InstallListCommands(w);
        InstallEntryCommands(w);
    }
    QStringList rows(int column = EntryListView::ColLogin, bool reload = false)
    {
        if (reload)
            w.loadList();
        QStringList cells; // trimmed, in display order
        for (int row = 0; row < w.entryList()->rowCount(); ++row)
            cells << w.entryList()->text(row, column).trimmed();
        return cells;
    }
    void select(qint16 id)
    {
        w.loadList();
        w.selectEntry(id);
    }
    QString log() const { return QString::fromUtf8(ReadFile(h.state.LogFile)); }
};

// Answers the next editor a command opens, then makes sure it is closed so no test can hang.
void OnEditor(const std::function<void(QWidget *)> &inside)
{
    WhenModal(
        [inside](QWidget *editor) {
            inside(editor);
            editor->close();
        },
        u"entryEditor"_s);
}

// Drags the data over the row (selecting it, as the pointer does) or the list's empty part,
// drops it there and lets the drop's work run.
void Drop(MainWindow &main, qint16 onId, const QMimeData &data, Qt::KeyboardModifiers held)
{
    const int onto = main.entryList()->findRow(EntryListView::rowKey(onId));
    QWidget *viewport = main.entryList()->viewport();
    const QPoint at = onto >= 0 ? main.entryList()->rowRect(onto).center()
                                : QPoint(viewport->width() / 2, viewport->height() - 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, held);
    QApplication::sendEvent(viewport, &enter);
    if (onto >= 0) {
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, held);
        QApplication::sendEvent(viewport, &move);
    }
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, held);
    QApplication::sendEvent(viewport, &dropped);
    QTest::qWait(20);
}
void Drop(MainWindow &main, qint16 onId, const QString &path, Qt::KeyboardModifiers held = {})
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    Drop(main, onId, data, held);
}
} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { Clock::fix(std::nullopt); }

    void theListShowsLiveEntriesSortedAsTheSettingsSay()
    {
        Main m;
        m.h.addEntry(" zed", "bank  of  ours", "p", 10, At(5, 1));
        m.h.addEntry("amy", "beta", "p", 0);
        m.h.addEntry("gone", "x", "p");
        m.h.addEntry("kim", "gamma", "p", 10, At(1, 1));
        EntryStore(m.h.state.LoginFile, m.h.ui).remove(1002);
        QCOMPARE(m.rows(EntryListView::ColLoginID, true), (QStringList{"1000", "1001", "1003"}));
        EntryListView *list = m.w.entryList();
        QCOMPARE(list->text(1, EntryListView::ColExpiry), u"Never"_s);
        // Only the padding goes: a leading blank is part of what was typed.
        auto *delegate = qobject_cast<QStyledItemDelegate *>(list->itemDelegate());
        auto shown = [&](int c) {
            return delegate->displayText(list->model()->index(0, c).data(), QLocale());
        };
        QCOMPARE(shown(EntryListView::ColDescription), u"bank  of  ours"_s);
        QCOMPARE(shown(EntryListView::ColLogin), u" zed"_s);

        m.h.settings.save(Setting::OrderByLogin, u"true"_s);
        QCOMPARE(m.rows(2, true), (QStringList{"zed", "amy", "kim"})); // lower-case true is no True
        m.h.settings.save(Setting::OrderByID, u"True"_s);
        m.h.settings.save(Setting::OrderByExpiry, u"True"_s);
        QCOMPARE(m.rows(2, true), (QStringList{"kim", "zed", "amy"})); // expiry wins, never last
        m.h.settings.save(Setting::OrderDirection, u"1"_s);
        QCOMPARE(m.rows(2, true), (QStringList{"amy", "zed", "kim"}));
        m.h.settings.save(Setting::OrderDirection, u"down"_s);
        m.w.loadList();
        QCOMPARE(m.h.lastMessage(),
                 u"An error has occurred in frmMain_LoadList 13 Type mismatch"_s);

        Main ids;
        LoginRecord r;
        r.Login = r.Description = FitText("x");
        QByteArray bytes;
        for (qint16 id : {qint16(1001), qint16(10000), qint16(1000)}) {
            r.LoginID = id;
            bytes += r.encode();
        }
        WriteFile(ids.h.state.LoginFile, bytes);
        QCOMPARE(ids.rows(0, true), (QStringList{"1000", "10000", "1001"})); // ids sort as text
        WriteFile(ids.h.state.LoginFile, QByteArray(LoginRecord().encode()).repeated(32768));
        QCOMPARE(ids.rows(0, true), QStringList());
        QCOMPARE(ids.h.lastMessage(), u"An error has occurred in frmMain_LoadList 6 Overflow"_s);
    }

    // The size comes and goes in twips; a minimized window saves none; a window that would open
    // off the screen is brought back onto it.
    void geometryIsRestoredAndSavedInTwips()
    {
        UiHarness h;
        for (const auto &[key, twips] : {std::pair{Setting::MainLeft, "1500"},
                                         {Setting::MainTop, "1500"},
                                         {Setting::MainWidth, "9000"},
                                         {Setting::MainHeight, "7500"}})
            h.settings.save(key, QString::fromLatin1(twips));
        {
            MainWindow w(h.context);
            const double px = 1440.0 / w.logicalDpiX();
            QCOMPARE(w.size(), QSize(qRound(9000 / px), qRound(7500 / px)));
            w.show();
            w.resize(qRound(12000 / px), qRound(6000 / px));
            w.close();
            QCOMPARE(qRound(h.settings.getDouble(Setting::MainWidth)), 12000);
            w.showMinimized();
            w.resize(200, 200);
            w.close();
            QCOMPARE(qRound(h.settings.getDouble(Setting::MainWidth)), 12000);
        }
        h.settings.save(Setting::MainLeft, u"-99999999"_s);
        h.settings.save(Setting::MainTop, u"left"_s);
        MainWindow lost(h.context);
        QVERIFY(lost.x() > -100000 && lost.y() >= 0);
    }

    void findClipAndCopyActOnTheSelectedRow()
    {
        Main m;
        m.h.addEntry("zoe", "Mail account", "s3cret");
        m.h.addEntry("mailman", "post", "p");
        m.h.settings.save(Setting::ClearClipboardSeconds, u"2"_s);
        m.w.loadList();
        m.h.ui.replies << u"mail"_s << u"MAIL"_s << u" "_s;
        FindEntry(m.w);
        QCOMPARE(m.h.lastMessage(), u"Found, and selected the item for you."_s);
        QCOMPARE(m.w.selectedText(0), u"1001"_s);
        FindEntry(m.w);
        QCOMPARE(m.h.lastMessage(), u"No match found"_s);
        m.w.run(MainCommand::Desc);
        FindEntry(m.w);
        QCOMPARE(m.w.selectedText(0), u"1001"_s); // descending shows 1001 first
        const int before = m.h.ui.shown.size();
        FindEntry(m.w); // a cancelled prompt
        QCOMPARE(m.h.ui.shown.size(), before);
        m.w.run(MainCommand::Refresh);
        QCOMPARE(m.w.entryList()->text(0, 0), u"1000"_s); // Desc lost on refresh

        m.w.entryList()->selectRow(0);
        ClipPassword(m.w);
        QClipboard *clipboard = QApplication::clipboard();
        QCOMPARE(clipboard->text(), u"s3cret"_s);
        QCOMPARE(clipboard->mimeData()->data(u"x-kde-passwordManagerHint"_s), "secret");
        QCOMPARE(m.w.statusText(), u"Password copied; clears in 2 s"_s);
        QTRY_COMPARE(m.w.statusText(), u"Password copied; clears in 1 s"_s);
        QTRY_COMPARE_WITH_TIMEOUT(clipboard->text(), QString(), 3000);
        QCOMPARE(m.w.statusText(), u"Clipboard cleared"_s);
        CopyLogin(m.w);
        clipboard->setText(u"copied after"_s); // by the user: the end does not take it away
        m.w.close();
        QCOMPARE(clipboard->text(), u"copied after"_s);
        // 0 keeps it until the end, which empties it.
        m.h.settings.save(Setting::ClearClipboardSeconds, u"0"_s);
        ClipPassword(m.w);
        QCOMPARE(m.w.statusText(), u"Password copied"_s);
        QVERIFY(m.w.clipboard().holdsOurs());
        m.w.close();
        QCOMPARE(clipboard->text(), QString());

        m.w.entryList()->selectRow(-1);
        clipboard->setText(u"before"_s);
        ClipPassword(m.w);
        QCOMPARE(clipboard->text(), u"before"_s);
        QCOMPARE(m.h.ui.shown.size(), before);
        m.h.state.ActiveMaster2 = "other masters";
        m.w.entryList()->selectRow(0);
        ClipPassword(m.w);
        QCOMPARE(m.h.lastMessage(),
                 u"An error has occurred in ClipPassword 13 Type mismatch\r\nLinenum = 4"_s);
    }

    void toolbarDispatchAndTheViewToggles()
    {
        Main m(false);
        int found = 0;
        m.w.setCommand(MainCommand::Find, [&found] { ++found; });
        m.w.runToolbarButton(u"find"_s);
        m.w.runToolbarButton(u"Find"_s);
        QCOMPARE(found, 1);
        QVERIFY(!m.w.action(MainCommand::Import)->isEnabled()); // not installed: unavailable

        m.h.settings.save(Setting::ShowTipsAtStartup, u"0"_s);
        QVERIFY(m.w.action(MainCommand::ToggleTips)->isChecked());
        m.w.action(MainCommand::ToggleTips)->trigger(); // unchecking stores nothing
        QCOMPARE(m.h.settings.get(Setting::ShowTipsAtStartup), u"0"_s);
        m.w.action(MainCommand::ToggleTips)->trigger();
        QCOMPARE(m.h.settings.get(Setting::ShowTipsAtStartup), u"1"_s);
        m.w.action(MainCommand::ToggleStatusBar)->trigger();
        QVERIFY(m.w.statusBar()->isHidden());
    }

    // The search box filters as one types, in any case; a header click sorts by date, not by the
    // date's text, and shows the arrow; due and expired entries are marked.
    void searchSortAndMarksOfTheList()
    {
        Main m;
        Clock::fix(QDateTime(QDate(2024, 3, 10), QTime(12, 0)));
        m.h.addEntry("alice", "Example Bank", "pw1", 5, At(12, 1));
        m.h.addEntry("bob", "Mail", "pw2", 0);
        m.h.addEntry("bankteller", "Shop", "pw3", 5, At(2, 1));
        m.h.addEntry("dave", "d", "pw4", 5, At(3, 10));
        m.w.loadList();
        ShowActive(&m.w);
        QCOMPARE(m.w.selectedRow(), 0); // the first row really is selected after loading
        QLineEdit *box = m.w.searchBox();
        QTest::keyClick(&m.w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, u"BANK"_s);
        QCOMPARE(m.rows(), (QStringList{"alice", "bankteller"}));
        QCOMPARE(m.w.selectedRow(), 0);
        QTest::keyClicks(box, u"t"_s);
        QCOMPARE(m.rows(), QStringList{"bankteller"});
        box->insert(u"\u263a"_s); // no stored text holds it
        QCOMPARE(m.rows(), QStringList());
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(box->text(), QString());
        QCOMPARE(m.rows(), (QStringList{"alice", "bob", "bankteller", "dave"})); // in id order
        QCOMPARE(m.rows(EntryListView::ColExpirySort),                           // never sorts last
                 (QStringList{"20241206", "25000101", "20240206", "20240315"}));
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m.w.entryList()));
        // Enter in the box edits the first row shown; with nothing shown it does nothing.
        int edits = 0;
        m.w.setCommand(MainCommand::EditLogin, [&edits] { ++edits; });
        box->setText(u"mail"_s);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(m.w.selectedText(EntryListView::ColLogin).trimmed(), u"bob"_s);
        box->setText(u"nobody"_s);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(edits, 1);
        box->clear();

        EntrySortProxy *proxy = m.w.entryList()->proxy();
        auto at = [proxy](int row, int role) {
            return proxy->index(row, EntryListView::ColExpiry).data(role);
        };
        QList<int> marks;
        for (int row = 0; row < proxy->rowCount(); ++row)
            marks << at(row, EntrySortProxy::MarkRole).toInt();
        using Mark = EntrySortProxy::Mark;
        QCOMPARE(marks, (QList<int>{int(Mark::None), int(Mark::None), int(Mark::Expired),
                                    int(Mark::DueSoon)}));
        QVERIFY(at(2, Qt::ToolTipRole).toString().contains(u"expired"_s));
        QHeaderView *header = m.w.entryList()->header();
        QCOMPARE(header->sortIndicatorSection(), int(EntryListView::ColLoginID));
        header->sectionClicked(EntryListView::ColExpiry);
        QCOMPARE(m.w.entryList()->sortKey(), int(EntryListView::ColExpirySort));
        QCOMPARE(m.rows(), (QStringList{"bankteller", "dave", "alice", "bob"})); // not 12/.. < 2/..
        QCOMPARE(header->sortIndicatorSection(), int(EntryListView::ColExpiry));
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        header->sectionClicked(EntryListView::ColExpiry);
        QCOMPARE(m.rows(), (QStringList{"bob", "alice", "dave", "bankteller"}));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        header->sectionClicked(EntryListView::ColLogin); // another column keeps the direction
        QCOMPARE(m.rows(), (QStringList{"dave", "bob", "bankteller", "alice"}));
    }

    void deleteMarksTheRecordAndUndoBringsItBack()
    {
        Main m;
        m.h.state.LogPwdChanges = true;
        for (const char *login : {"alice", "bob", "carol"})
            m.h.addEntry(login, "desc", "pw-"_ba + login);
        m.select(1001);
        m.w.runToolbarButton(u"Delete"_s);
        QVERIFY(m.h.ui.asked.isEmpty() && m.h.ui.shown.isEmpty());
        QCOMPARE(m.rows(), (QStringList{"alice", "carol"}));
        const QList<LoginRecord> stored = ReadRecords(m.h.state.LoginFile);
        QVERIFY(stored.size() == 3 && stored[1].Deleted && !stored[0].Deleted);
        QVERIFY(m.log().contains("Deleted bob, "));

        // From the keyboard: Delete leaves nothing selected for a second press.
        m.w.loadList();
        ShowActive(&m.w);
        QWidget *list = m.w.entryList();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Delete);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(m.rows(), QStringList{"carol"});
        QVERIFY(m.w.statusText().startsWith(u"Entry 1000 deleted"_s));
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier); // the newest deletion first
        QCOMPARE(m.rows(), (QStringList{"alice", "carol"}));
        QCOMPARE(m.w.statusText(), u"Entry 1000 restored"_s);
        QCOMPARE(m.w.selectedText(EntryListView::ColLogin).trimmed(), u"alice"_s);
        QVERIFY(m.w.action(MainCommand::UndoDelete)->isEnabled());
        // The list's own copy of a padded cell gives way to Copy Password.
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), u"pw-alice"_s);
        EntryStore(m.h.state.LoginFile, m.h.ui).compact();
        m.w.loadList(); // as after an add, which compacts first
        QVERIFY(!m.w.action(MainCommand::UndoDelete)->isEnabled());
        QCOMPARE(m.w.deletedEntries().count(), 0);

        m.select(1000);
        QFile::remove(m.h.state.LoginFile);
        const QString logged = m.log();
        m.w.run(MainCommand::DeleteLogin);
        QVERIFY(m.h.ui.messages().last().startsWith("An error has occurred in deletelogin "));
        QCOMPARE(m.rows(), (QStringList{"alice", "carol"}));
        QCOMPARE(m.log(), logged);
    }

    void theListOpensItsMenuAndTheEditorFromTheKeyboard()
    {
        Main m;
        m.h.addEntry("alice", "bank", "pw1");
        m.w.loadList();
        ShowActive(&m.w);
        m.w.setCommand(MainCommand::EditLogin, [] {}); // the spy is enough
        EntryListView *list = m.w.entryList();
        QCOMPARE(list->accessibleName(), u"Entries"_s);
        QSignalSpy popup(list, &EntryListView::popupRequested);
        QSignalSpy edit(list, &EntryListView::editRequested);
        list->setFocus();

        // Nothing selected: neither key acts.
        list->setCurrentIndex({});
        QTest::keyClick(list, Qt::Key_Return);
        QContextMenuEvent fromKeyboard(QContextMenuEvent::Keyboard, QPoint(5, 5), QPoint(5, 5));
        QApplication::sendEvent(list, &fromKeyboard);
        QCOMPARE(edit.count() + popup.count(), 0);

        list->selectRow(0);
        QTest::keyClick(list, Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(edit.count(), 2);
        // The menu runs its own loop: note which one is up, then close it.
        QPointer<QWidget> shown;
        auto closeMenu = [&shown] {
            QTimer::singleShot(0, [&shown] {
                if ((shown = QApplication::activePopupWidget()))
                    shown->close();
            });
        };
        closeMenu();
        QApplication::sendEvent(list, &fromKeyboard);
        QCoreApplication::processEvents();
        QCOMPARE(popup.count(), 1);
        QCOMPARE(shown.data(), static_cast<QWidget *>(m.w.popupMenu()));
        // At the row, not wherever the pointer happens to be.
        const QPoint at = popup.at(0).at(0).toPoint();
        QVERIFY(list->rowRect(0).contains(list->viewport()->mapFromGlobal(at)));
        closeMenu();
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        QCoreApplication::processEvents();
        QCOMPARE(popup.count(), 2);
        // A mouse's menu event is left to the right button's release.
        QContextMenuEvent fromMouse(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
        QApplication::sendEvent(list, &fromMouse);
        QCOMPARE(popup.count(), 2);
    }

    // New stores the editor's defaults, and capitals made lower case when the user agrees; Edit
    // opens an entry as saved and saves it unchanged; without a readable row no editor opens.
    void newAndEditGoThroughTheEditor()
    {
        Main m;
        m.h.state.LogPwdChanges = true;
        Clock::fix(kOpened);
        OnEditor([&m](QWidget *editor) {
            QStringList defaults{Find<QLabel>(editor, "changeBefore")->text()};
            for (const char *name : {"expireDays", "expireStart", "lengthLimit0", "lengthLimit1"})
                defaults << Find<QLineEdit>(editor, name)->text();
            QCOMPARE(defaults, (QStringList{"Never", "0", "3/1/2024 10:00:00 AM", "6", "15"}));
            QCOMPARE(editor->focusWidget(), Find(editor, "description"));
            Type(editor, "description", u"Bank"_s);
            Type(editor, "login", u"jsmith"_s);
            Type(editor, "password", u"ABCDEF"_s); // Case Sensitive is off
            m.h.ui.answers << true;                // and the user agrees to lower case
            Clock::fix(kOpened.addSecs(300));
            QTest::keyClick(Find(editor, "password"), Qt::Key_Return); // OK is the default
            QVERIFY(!editor->isVisible());
        });
        m.w.runToolbarButton(u"NewLogin"_s);
        QVERIFY(m.h.ui.shown.isEmpty());
        QCOMPARE(ReadRecords(m.h.state.LoginFile).value(0).ExpireStart,
                 Convert::ToOleDate(kOpened)); // when the editor opened
        QCOMPARE(m.h.passwordOf(1000), QByteArray("abcdef"));
        QCOMPARE(m.rows(), QStringList{u"jsmith"_s});
        QVERIFY(m.log().contains("\tAdded jsmith, "));
        m.w.entryList()->selectRow(-1);
        const QByteArray one = ReadFile(m.h.state.LoginFile);
        m.w.run(MainCommand::EditLogin);
        m.w.run(MainCommand::DeleteLogin);
        QVERIFY(m.h.ui.shown.isEmpty());
        QCOMPARE(ReadFile(m.h.state.LoginFile), one);

        Clock::fix(kOpened);
        OnEditor([](QWidget *editor) {
            Type(editor, "description", u"bank"_s);
            Type(editor, "login", u"alice"_s);
            Type(editor, "password", u"S3cret!"_s);
            for (const char *rule : {"rule0", "rule1", "rule2"})
                Find<QCheckBox>(editor, rule)->setChecked(true);
            Type(editor, "lengthLimit0", u"7"_s);
            Type(editor, "lengthLimit1", u"20"_s);
            Type(editor, "expireDays", u"30"_s);
            Click(editor, "okButton");
        });
        m.w.run(MainCommand::NewLogin);
        QCOMPARE(m.rows(0), (QStringList{"1000", "1001"}));
        const QByteArray saved = ReadFile(m.h.state.LoginFile);
        QString password, nextChange;
        OnEditor([&](QWidget *editor) {
            password = Find<QLineEdit>(editor, "password")->text();
            nextChange = Find<QLabel>(editor, "changeBefore")->text();
            Click(editor, "okButton");
        });
        m.w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m.w));
        const QRect at = m.w.entryList()->rowRect(1);
        QTest::mouseDClick(m.w.entryList()->viewport(), Qt::LeftButton, {}, at.center());
        QCOMPARE(password, u"S3cret!"_s);
        QCOMPARE(nextChange, u"3/31/2024 10:00:00 AM"_s);
        QCOMPARE(ReadFile(m.h.state.LoginFile), saved);
        QVERIFY(m.log().contains("Updated alice, "));
        OnEditor([](QWidget *editor) {
            Type(editor, "description", u"savings bank"_s);
            Click(editor, "okButton");
        });
        m.w.run(MainCommand::EditLogin);
        QCOMPARE(m.rows(EntryListView::ColDescription), (QStringList{"Bank", "savings bank"}));

        bool opened = false;
        QTimer guard;
        guard.callOnTimeout([&opened] {
            if (QWidget *modal = QApplication::activeModalWidget())
                opened = modal->close();
        });
        guard.start(10);
        m.h.state.ActiveMaster2 = "written under other masters";
        m.w.run(MainCommand::EditLogin);
        QVERIFY(!opened);
        QCOMPARE(m.h.ui.messages(), QStringList{"An error occurred reading this item. "});
        QCOMPARE(m.h.ui.busyDepth, 0);
    }

    // Each box takes 64 characters, typed or pasted; the next change follows the days; the help
    // topic follows the tab; a refused or failed save keeps the input.
    void theEditorLimitsTypingAndKeepsRefusedInput()
    {
        Main m;
        OnEditor([&m](QWidget *e) {
            ShowActive(e);
            auto box = [e](const char *name) { return Find<QLineEdit>(e, name); };
            auto label = [e] { return Find<QLabel>(e, "changeBefore")->text(); };
            for (const auto &[name, field] : {std::pair{"description", "description"},
                                              {"login", "login"},
                                              {"password", "password"}}) {
                m.h.ui.shown.clear();
                QTest::keyClicks(box(name), QString(64, u'k'));
                QVERIFY(m.h.ui.shown.isEmpty());
                QTest::keyClick(box(name), Qt::Key_Z);
                QCOMPARE(m.h.ui.messages(),
                         QStringList{u"Only 64 characters can be stored for a %1."_s.arg(field)});
                QCOMPARE(box(name)->text(), QString(64, u'k'));
            }
            box("description")->clear();
            box("description")->insert(QString(10000, u'p')); // as a paste does
            QCOMPARE(box("description")->text(), QString(64, u'p'));

            Type(e, "expireStart", u"3/1/2024"_s);
            Type(e, "expireDays", u"30"_s);
            QCOMPARE(label(), u"3/31/2024"_s);
            Type(e, "expireDays", u"thirty"_s);
            QCOMPARE(label(), u"3/31/2024"_s); // no number: the label keeps its text
            Type(e, "expireDays", u"0"_s);
            QCOMPARE(label(), u"Never"_s);

            auto *tabs = Find<QTabBar>(e, "editorTabs");
            QList<int> topics; // the help topic follows the tab: Password, Expiry, Validation
            for (int tab = 0; tab < 3; ++tab) {
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
                topics << e->property("helpTopic").toInt();
            }
            QCOMPARE(topics, (QList<int>{1001, 1008, 1009}));

            auto refused = [&m, e](const QString &message) {
                Click(e, "okButton");
                QVERIFY2(m.h.lastMessage().startsWith(message), qPrintable(m.h.lastMessage()));
                QVERIFY(e->isVisible());
            };
            Type(e, "description", u"Bank"_s);
            Type(e, "password", u"abc def1"_s);
            Type(e, "lengthLimit0", u"six"_s);
            refused(u"The password has a space; this entry allows none (Validation tab, \"Allow "
                    u"SPACE character\")."_s);
            QCOMPARE(box("password")->text(), u"abc def1"_s); // as the check left it
            QCOMPARE(box("lengthLimit0")->text(), u"0"_s);
            QVERIFY(!QFile::exists(m.h.state.LoginFile));
            m.h.state.LogPwdChanges = true;
            m.h.state.LoginFile = m.h.home.dataFolder(); // a folder cannot take records
            Type(e, "password", u"abcdefg1"_s);
            refused(u"An error has occurred in Addlogin "_s);
            QCOMPARE(box("password")->text(), u"abcdefg1"_s);
            QVERIFY(!QFile::exists(m.h.state.LogFile));
        });
        m.w.run(MainCommand::NewLogin);
    }

    // The row dropped on gives the key; a modifier deciphers. A drop with no row selected, or
    // without files, writes nothing.
    void aDropEnciphersAndAModifierDeciphers()
    {
        UiHarness h(true);
        const qint16 first = h.addEntry("site", "first", "entry pw");
        const qint16 second = h.addEntry("other", "second", "other pw");
        MainWindow main(h.context);
        InstallFileVaultCommands(main);
        main.show();
        main.loadList();
        QByteArray plain;
        for (int b = 0; b < 256; ++b)
            plain.append(char(b));
        const QString a = h.home.file(u"a.bin"_s);
        WriteFile(a, plain);
        Drop(main, first, a);
        QCOMPARE(ReadFile(a), Cipher::crypt(plain, "entry pw"));
        Drop(main, first, a, Qt::AltModifier);
        QCOMPARE(ReadFile(a), plain);
        Drop(main, first, a);
        Drop(main, second, a, Qt::ShiftModifier);
        QCOMPARE(main.selectedLoginId(), std::optional<qint16>(second));
        QCOMPARE(ReadFile(a), Cipher::crypt(Cipher::crypt(plain, "entry pw"), "other pw"));

        const QByteArray scrambled = ReadFile(a);
        const int runs = h.ui.busyPushes;
        main.entryList()->clearSelection();
        Drop(main, 0, a);
        QCOMPARE(h.ui.busyPushes, runs + 1);
        QMimeData pathAsText;
        pathAsText.setText(a);
        Drop(main, second, pathAsText, {});
        QCOMPARE(h.ui.busyPushes, runs + 1);
        QCOMPARE(ReadFile(a), scrambled);
        QVERIFY(h.ui.shown.isEmpty());

        const QByteArray store = ReadFile(h.state.LoginFile);
        Drop(main, first, h.state.LoginFile);
        QCOMPARE(ReadFile(h.state.LoginFile), store);
        QCOMPARE(h.ui.messages(), QStringList{"These are Pellora's own files, which it never "
                                              "encrypts or decrypts, so nothing has been "
                                              "changed:\n" +
                                              h.state.LoginFile});
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
