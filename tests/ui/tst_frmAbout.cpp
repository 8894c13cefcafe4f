#include "UiHarness.h"
#include "ui/frmAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class tst_frmAbout : public QObject
{
    Q_OBJECT

private:
    static ExecutableFinder installed(QStringList names)
    {
        return [names](const QString &name) {
            return names.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
        };
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void showsTitleVersionAndButtons()
    {
        UiHarness h;
        frmAbout about(h.context, nullptr, installed({}), [](const QString &) { return true; });
        QCOMPARE(about.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(about.windowTitle(), QStringLiteral("About Pellora"));
        QCOMPARE(about.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(),
                 QStringLiteral("Pellora"));
        QCOMPARE(about.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Version " PELLORA_VERSION));
        auto *ok = about.findChild<QPushButton *>(QStringLiteral("cmdOK"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(about.findChild<QPushButton *>(QStringLiteral("cmdSysInfo"))->text(),
                 QStringLiteral("&System Info..."));
        about.show();
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!about.isVisible());
    }

    void systemInfoWithoutAProgramSaysItIsUnavailable()
    {
        UiHarness h;
        QStringList started;
        frmAbout about(h.context, nullptr, installed({}), [&started](const QString &p) {
            started << p;
            return true;
        });
        about.show();
        QTest::mouseClick(about.findChild<QPushButton *>(QStringLiteral("cmdSysInfo")),
                          Qt::LeftButton);
        QVERIFY(started.isEmpty());
        QCOMPARE(h.ui.messages(),
                 QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
    }

    void systemInfoStartsTheFirstInstalledProgram()
    {
        UiHarness h;
        QStringList started;
        bool starts = true;
        const ProcessStarter start = [&](const QString &p) {
            started << p;
            return starts;
        };
        StartSystemInfo(h.ui, installed({"gnome-system-monitor", "kinfocenter"}), start);
        QCOMPARE(started, QStringList{"/usr/bin/kinfocenter"});
        StartSystemInfo(h.ui, installed({"gnome-system-monitor", "hardinfo"}), start);
        QCOMPARE(started.last(), QStringLiteral("/usr/bin/hardinfo"));
        QVERIFY(h.ui.shown.isEmpty());

        starts = false; // found but refusing to start is just as unavailable
        StartSystemInfo(h.ui, installed({"kinfocenter"}), start);
        QCOMPARE(h.ui.messages(),
                 QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
