#include "ui/AppIdentity.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QRegularExpression>
#include <QTest>

namespace {
QString SourceFile(const QString &relative)
{
    QFile file(QStringLiteral(PELLORA_SOURCE_DIR "/") + relative);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}
} // namespace

// The program, its desktop entry, its AppStream component and its icon all go by one id, so
// the desktop can match a running window to its menu entry and icon.
class tst_AppIdentity : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesTheProgramAndItsDesktopEntryOnce()
    {
        SetApplicationIdentity();
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Pellora"));
        QCOMPARE(QApplication::organizationName(), QStringLiteral("Brantwick"));
        QCOMPARE(QGuiApplication::desktopFileName(), QLatin1String(kDesktopFileId));
        // A display name would be appended to every window title ("Options - Pellora").
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Pellora"));
        QVERIFY(!QApplication::windowIcon().isNull());
    }

    void theBuiltInIconHasEverySizeWithoutATheme()
    {
        QIcon::setThemeName(QString());
        const QIcon icon = ApplicationIcon();
        QVERIFY(!icon.isNull());
        for (const int size : {16, 32, 48, 256})
            QCOMPARE(icon.pixmap(size, size).size(), QSize(size, size));
        // Not a grey square: the pixels come from the picture.
        const QImage image = icon.pixmap(64, 64).toImage();
        QVERIFY(image.pixelColor(32, 32) != image.pixelColor(1, 1));
    }

    void desktopEntryAndMetadataCarryTheSameId()
    {
        const QString id = QLatin1String(kDesktopFileId);
        const QString entry =
            SourceFile(QStringLiteral("resources/desktop/") + id + QStringLiteral(".desktop"));
        QVERIFY(!entry.isEmpty());
        QVERIFY(entry.contains(QRegularExpression(QStringLiteral("^Icon=") + id + QLatin1Char('$'),
                                                  QRegularExpression::MultilineOption)));
        QVERIFY(entry.contains(QRegularExpression(QStringLiteral("^Exec=pellora$"),
                                                  QRegularExpression::MultilineOption)));
        const QString meta =
            SourceFile(QStringLiteral("resources/desktop/") + id + QStringLiteral(".metainfo.xml"));
        QVERIFY(meta.contains(QStringLiteral("<id>") + id + QStringLiteral("</id>")));
        QVERIFY(meta.contains(QStringLiteral("<launchable type=\"desktop-id\">") + id +
                              QStringLiteral(".desktop</launchable>")));
        QVERIFY(meta.contains(QStringLiteral("<release version=\"" PELLORA_VERSION "\"")));
        QVERIFY(QFile::exists(QStringLiteral(PELLORA_SOURCE_DIR "/resources/icons/") + id +
                              QStringLiteral(".svg")));
    }
};

QTEST_MAIN(tst_AppIdentity)
#include "tst_AppIdentity.moc"
