#pragma once

#include "StoreFixture.h"
#include "app/Settings.h"
#include "entries/PasswordField.h"
#include "master/MasterPasswords.h"

#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

// A private home with a store path, a recording Ui and the settings store.
struct MasterFixture : ::testing::Test
{
    StoreFixture f;
    Settings settings;

    // Stores the two masters as the options dialog would and returns their entry key.
    QByteArray storeMasters(const QByteArray &plain1, const QByteArray &plain2)
    {
        settings.saveBytes(Setting::Master1, MasterValue(plain1));
        settings.saveBytes(Setting::Master2, MasterValue(plain2));
        return MasterValue(plain1) + MasterValue(plain2);
    }

    static LoginRecord Entry(qint16 id, const QByteArray &login, const QByteArray &password,
                             const QByteArray &entryKey, bool deleted = false)
    {
        LoginRecord r = MakeRecord(login, "for " + login, *EncodePasswordField(password, entryKey));
        r.LoginID = id;
        r.Deleted = deleted;
        return r;
    }

    static QByteArray Bytes(const QList<LoginRecord> &records)
    {
        QByteArray out;
        for (const LoginRecord &r : records)
            out += r.encode();
        return out;
    }

    static unsigned Mode(const QString &path)
    {
        struct stat st
        {
        };
        if (stat(path.toLocal8Bit().constData(), &st) != 0)
            return 0;
        return st.st_mode & 0777;
    }
};

// While it lives, writes past the given file size fail for the whole process, even for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
        : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};
