#include "VaultTestFiles.h"

#include "platform/Clock.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>

#include <vector>

#include <sys/stat.h>

QByteArray RandomBytes(qint64 size, quint32 seed)
{
    std::vector<quint32> words(size_t(size / 4 + 1));
    QRandomGenerator(seed).fillRange(words.data(), qsizetype(words.size()));
    return QByteArray(reinterpret_cast<const char *>(words.data()), size);
}

quint64 InodeOf(const QString &path)
{
    struct stat st
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

uint ModeOf(const QString &path)
{
    struct stat st
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

void MakeSparse(const QString &path, qint64 size)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.resize(size);
}

void MakeFifo(const QString &path)
{
    ::mkfifo(QFile::encodeName(path).constData(), 0600);
}

QStringList FolderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

QStringList LogTexts(const QString &logFile)
{
    QStringList texts;
    for (const QByteArray &line : ReadFile(logFile).split('\n')) {
        if (!line.isEmpty())
            texts << QString::fromUtf8(line.mid(line.indexOf('\t') + 1));
    }
    return texts;
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit capped = m_old;
    capped.rlim_cur = rlim_t(bytes);
    ::setrlimit(RLIMIT_FSIZE, &capped);
    // Without this the oversized write would end the test run instead of failing.
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
}

FileSizeLimit::~FileSizeLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
}

VaultFixture::VaultFixture()
{
    const QString data = home.dataFolder();
    state.LoginFile = data + QStringLiteral("Pellora.lgn");
    state.LogFile = data + QStringLiteral("Pellora.log");
    state.ActiveMaster1 = QByteArray("\x91master\0one", 11);
    state.ActiveMaster2 = "\xffmaster two";
    folder = home.path() + QStringLiteral("/files");
    QDir().mkpath(folder);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Clock::fix(QDateTime(QDate(2024, 3, 1), QTime(10, 0)));
}

VaultFixture::~VaultFixture()
{
    Clock::fix(std::nullopt);
    QLocale::setDefault(QLocale::c());
}

QString VaultFixture::put(const QString &name, const QByteArray &bytes) const
{
    WriteFile(pathOf(name), bytes);
    return pathOf(name);
}
