// The real message boxes, prompt and file dialogs, answered as a user would.
#include "ModalDriver.h"
#include "TempHome.h"
#include "ui/QtUi.h"
#include "ui/StartFolder.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

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
    void boxesShowTheirTextUnderTheArrowAndAnswer()
    {
        QtUi ui;
        ui.pushBusy(); // a question must not hide under the busy pointer
        Seen seen;
        AnswerBox(seen, Qt::Key_Return);
        ui.message(QStringLiteral("Saved."));
        QCOMPARE(seen.title, QStringLiteral("Pellora"));
        QCOMPARE(seen.text, QStringLiteral("Saved."));
        QCOMPARE(seen.cursor, Qt::ArrowCursor);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

        AnswerBox(seen, Qt::Key_Return);
        QVERIFY(ui.ask(QStringLiteral("Overwrite?"), QStringLiteral("Export")));
        QVERIFY(seen.defaultYes);
        QCOMPARE(seen.title, QStringLiteral("Export"));
        AnswerBox(seen, Qt::Key_N);
        QVERIFY(!ui.ask(QStringLiteral("Overwrite?")));

        AnswerBox(seen, Qt::Key_Return); // a reset must not follow a reflex Enter
        QVERIFY(!ui.askDefaultNo(QStringLiteral("Delete everything?")));
        QVERIFY(!seen.defaultYes);
        AnswerBox(seen, Qt::Key_Y);
        QVERIFY(ui.askDefaultNo(QStringLiteral("Delete everything?")));
        ui.popBusy();
        QVERIFY(!QApplication::overrideCursor());
    }

    void promptGivesTheTextOrNothingWhenCancelled()
    {
        QtUi ui;
        for (const bool accept : {true, false}) {
            QString label;
            WhenModal([&label, accept](QWidget *w) {
                auto *input = qobject_cast<QInputDialog *>(w);
                QVERIFY(input);
                label = input->labelText();
                input->setTextValue(QStringLiteral("mail"));
                accept ? input->accept() : input->reject();
            });
            QCOMPARE(ui.prompt(QStringLiteral("Find what?")),
                     accept ? QStringLiteral("mail") : QString());
            QCOMPARE(label, QStringLiteral("Find what?"));
        }
    }

    void fileDialogsStartInTheFolderLastUsedAndRememberTheChoice()
    {
        TempHome home;
        const QString folder = home.file(QStringLiteral("work"));
        QDir().mkpath(folder);
        WriteFile(folder + QStringLiteral("/in.pqx"), "x");
        RememberFolder(folder);
        QCOMPARE(QtUi::qtFilter(QStringLiteral("Lists (*.pqx)|*.pqx|All (*.*)|*.*")),
                 QStringLiteral("Lists (*.pqx);;All (*.*)"));
        QCOMPARE(QtUi::startName(QStringLiteral("*.pqx")), folder);
        QCOMPARE(QtUi::startName(QStringLiteral("out.txt")), folder + QStringLiteral("/out.txt"));
        QCOMPARE(QtUi::startName(home.dataFolder() + QStringLiteral("Pellora.lgn")),
                 folder + QStringLiteral("/Pellora.lgn")); // never beside the store

        QtUi ui;
        QString shownFolder;
        WhenModal([&shownFolder](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            QVERIFY(dialog);
            shownFolder = dialog->directory().absolutePath();
            dialog->selectFile(QStringLiteral("in.pqx"));
            static_cast<QDialog *>(dialog)->accept();
        });
        QCOMPARE(ui.openFileName(QStringLiteral("Import"), QStringLiteral("Lists (*.pqx)|*.pqx"),
                                 QStringLiteral("*.pqx")),
                 folder + QStringLiteral("/in.pqx"));
        QCOMPARE(shownFolder, folder);

        const QString sub = folder + QStringLiteral("/sub");
        QDir().mkpath(sub);
        WhenModal([sub](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            QVERIFY(dialog);
            dialog->selectFile(sub + QStringLiteral("/out"));
            static_cast<QDialog *>(dialog)->accept();
        });
        QCOMPARE(ui.saveFileName(QStringLiteral("Export"), QStringLiteral("Text (*.txt)|*.txt"),
                                 QStringLiteral("out.txt"), QStringLiteral(".txt")),
                 sub + QStringLiteral("/out.txt"));
        QCOMPARE(StartFolder(), sub);
        WhenModal([](QWidget *w) { qobject_cast<QDialog *>(w)->reject(); });
        QCOMPARE(ui.saveFileName(QStringLiteral("Export"), {}, {}), QString());
    }
};

QTEST_MAIN(tst_QtUi)
#include "tst_QtUi.moc"
