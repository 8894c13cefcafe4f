// The real message boxes, prompt and file dialogs, answered as a user would.
#include "ModalDriver.h"
#include "TempHome.h"
#include "ui/QtUi.h"
#include "ui/StartFolder.h"

using namespace Qt::StringLiterals;

namespace {
struct Seen
{
    QString title, text;
    Qt::CursorShape cursor = Qt::BlankCursor;
    bool defaultYes = false;
};

// Notes what the box shows, then presses the key (Return takes the default button).
void AnswerBox(Seen &seen, Qt::Key key)
{
    WhenModal([&seen, key](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        seen = {box->windowTitle(), box->text(), QApplication::overrideCursor()->shape(),
                box->defaultButton() == box->button(QMessageBox::Yes)};
        QTest::keyClick(box, key);
    });
}
} // namespace

class tst_QtUi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boxesAndThePromptShowTheirTextUnderTheArrowAndAnswer()
    {
        QtUi ui;
        ui.pushBusy(); // a question must not hide under the busy pointer
        Seen seen;
        AnswerBox(seen, Qt::Key_Return);
        ui.message(u"Saved."_s);
        QCOMPARE(seen.title + u": "_s + seen.text, u"Pellora: Saved."_s);
        QCOMPARE(seen.cursor, Qt::ArrowCursor);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

        AnswerBox(seen, Qt::Key_Return);
        QVERIFY(ui.ask(u"Overwrite?"_s, u"Export"_s));
        QVERIFY(seen.defaultYes);
        QCOMPARE(seen.title, u"Export"_s);
        AnswerBox(seen, Qt::Key_N);
        QVERIFY(!ui.ask(u"Overwrite?"_s));

        AnswerBox(seen, Qt::Key_Return); // a reset must not follow a reflex Enter
        QVERIFY(!ui.askDefaultNo(u"Delete everything?"_s));
        QVERIFY(!seen.defaultYes);
        AnswerBox(seen, Qt::Key_Y);
        QVERIFY(ui.askDefaultNo(u"Delete everything?"_s));
        ui.popBusy();
        QVERIFY(!QApplication::overrideCursor());

        for (const bool accept : {true, false}) {
            QString label;
            WhenModal([&label, accept](QWidget *w) {
                auto *input = qobject_cast<QInputDialog *>(w);
                label = input->labelText();
                input->setTextValue(u"mail"_s);
                accept ? input->accept() : input->reject();
            });
            QCOMPARE(ui.prompt(u"Find what?"_s), accept ? u"mail"_s : QString());
            QCOMPARE(label, u"Find what?"_s);
        }
    }

    void fileDialogsStartInTheFolderLastUsedAndRememberTheChoice()
    {
        TempHome home;
        const QString folder = home.file(u"work"_s);
        QDir().mkpath(folder);
        WriteFile(folder + u"/in.pqx"_s, "x");
        RememberFolder(folder);
        QCOMPARE(QtUi::qtFilter(u"Lists (*.pqx)|*.pqx|All (*.*)|*.*"_s),
                 u"Lists (*.pqx);;All (*.*)"_s);
        QCOMPARE(QtUi::startName(u"*.pqx"_s), folder);
        QCOMPARE(QtUi::startName(u"out.txt"_s), folder + u"/out.txt"_s);
        QCOMPARE(QtUi::startName(home.dataFolder() + u"Pellora.lgn"_s),
                 folder + u"/Pellora.lgn"_s); // never beside the store

        QtUi ui;
        QString shownFolder;
        WhenModal([&shownFolder](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            shownFolder = dialog->directory().absolutePath();
            dialog->selectFile(u"in.pqx"_s);
            static_cast<QDialog *>(dialog)->accept();
        });
        QCOMPARE(ui.openFileName(u"Import"_s, u"Lists (*.pqx)|*.pqx"_s, u"*.pqx"_s),
                 folder + u"/in.pqx"_s);
        QCOMPARE(shownFolder, folder);

        const QString sub = folder + u"/sub"_s;
        QDir().mkpath(sub);
        WhenModal([sub](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            dialog->selectFile(sub + u"/out"_s);
            static_cast<QDialog *>(dialog)->accept();
        });
        QCOMPARE(ui.saveFileName(u"Export"_s, u"Text (*.txt)|*.txt"_s, u"out.txt"_s, u".txt"_s),
                 sub + u"/out.txt"_s);
        QCOMPARE(StartFolder(), sub);
        WhenModal([](QWidget *w) { qobject_cast<QDialog *>(w)->reject(); });
        QCOMPARE(ui.saveFileName(u"Export"_s, {}, {}), QString());
    }
};

QTEST_MAIN(tst_QtUi)
#include "tst_QtUi.moc"
