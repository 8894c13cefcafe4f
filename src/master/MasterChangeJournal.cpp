#include "master/MasterChangeJournal.h"

#include "app/Settings.h"
#include "platform/ClassicError.h"
#include "platform/DurableFile.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace MasterChangeJournal {
namespace {
constexpr char kMagic[] = "Pellora master change 1";

QByteArray checksum(const QByteArray &body)
{
    return QCryptographicHash::hash(body, QCryptographicHash::Sha256);
}

QByteArray encode(const NewMasters &m)
{
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out << QByteArray(kMagic) << m.value1 << m.value2;
    return body + checksum(body);
}

std::optional<NewMasters> decode(const QByteArray &bytes)
{
    constexpr qsizetype sumSize = 32;
    if (bytes.size() <= sumSize)
        return std::nullopt;
    const QByteArray body = bytes.left(bytes.size() - sumSize);
    if (checksum(body) != bytes.right(sumSize))
        return std::nullopt;
    QDataStream in(body);
    QByteArray magic;
    NewMasters m;
    in >> magic >> m.value1 >> m.value2;
    if (in.status() != QDataStream::Ok || magic != kMagic)
        return std::nullopt;
    return m;
}

} // namespace

void saveMasters(Settings &settings, const NewMasters &m)
{
    if (settings.getBytes(Setting::Master1) == m.value1 &&
        settings.getBytes(Setting::Master2) == m.value2)
        return;
    settings.saveAll({{Setting::Master1, m.value1}, {Setting::Master2, m.value2}});
}

void replaceStore(const QString &loginFile)
{
    if (QFileInfo::exists(stagedStorePath(loginFile)))
        DurableFile::rename(stagedStorePath(loginFile), loginFile);
    DurableFile::remove(journalPath(loginFile));
}

QString journalPath(const QString &loginFile)
{
    return QFileInfo(loginFile).absoluteDir().filePath(QString::fromLatin1(kJournalName));
}

QString stagedStorePath(const QString &loginFile)
{
    return loginFile + QLatin1String(kStagedStoreSuffix);
}

void stage(const QString &loginFile, const QByteArray &newStore, const NewMasters &masters)
{
    try {
        DurableFile::replace(stagedStorePath(loginFile), newStore);
        DurableFile::replace(journalPath(loginFile), encode(masters));
    } catch (...) {
        QFile::remove(stagedStorePath(loginFile));
        throw;
    }
}

void complete(const QString &loginFile, Settings &settings, const NewMasters &masters)
{
    saveMasters(settings, masters);
    replaceStore(loginFile);
}

void abandon(const QString &loginFile)
{
    DurableFile::remove(journalPath(loginFile));
    QFile::remove(stagedStorePath(loginFile));
}

std::optional<NewMasters> pending(const QString &loginFile)
{
    QFile journal(journalPath(loginFile));
    if (!journal.exists())
        return std::nullopt;
    // An existing journal that cannot be read must not pass for an absent one.
    if (!journal.open(QIODevice::ReadOnly))
        raiseError(ErrorNumber::PermissionDenied);
    return decode(journal.readAll());
}

bool RecoverMasterChange(const QString &loginFile, Settings &settings)
{
    const bool journalExists = QFileInfo::exists(journalPath(loginFile));
    if (const auto masters = pending(loginFile)) {
        complete(loginFile, settings, *masters);
        return true;
    }
    // A journal that does not read back whole was never renamed into place by this program;
    // without a decided change the staged store is dropped.
    const bool staged = QFileInfo::exists(stagedStorePath(loginFile));
    if (staged)
        DurableFile::remove(stagedStorePath(loginFile));
    if (journalExists)
        DurableFile::remove(journalPath(loginFile));
    return staged || journalExists;
}

} // namespace MasterChangeJournal
