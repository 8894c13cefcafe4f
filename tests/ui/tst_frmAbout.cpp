#include "UiHarness.h"
#include "ui/frmAbout.h"

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

    void systemInfoStartsTheFirstInstalledProgramOrIsUnavailable()
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
        QVERIFY(h.ui.shown.isEmpty());

        frmAbout about(h.context, nullptr, installed({}), start);
        about.show();
        QTest::mouseClick(about.findChild<QPushButton *>(QStringLiteral("cmdSysInfo")),
                          Qt::LeftButton);
        starts = false; // found but refusing to start is just as unavailable
        StartSystemInfo(h.ui, installed({"kinfocenter"}), start);
        QCOMPARE(started.size(), 2);
        const QString unavailable =
            QStringLiteral("System Information Is Unavailable At This Time");
        QCOMPARE(h.ui.messages(), (QStringList{unavailable, unavailable}));
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
