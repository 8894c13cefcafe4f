// Makes the vault the command-line benchmark reads: the masters in the settings and a store of
// every entry a store can number (LoginIDs 1 to 32767), under $XDG_CONFIG_HOME and
// $XDG_DATA_HOME. Usage: make_cli_bench_vault MASTER1 MASTER2
#include "app/DataFolder.h"
#include "app/Settings.h"
#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"
#include "entries/RecordFile.h"
#include "master/MasterPasswords.h"
#include "platform/DurableFile.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_cli_bench_vault MASTER1 MASTER2\n");
        return 2;
    }
    const QByteArray value1 = MasterValue(argv[1]);
    const QByteArray value2 = MasterValue(argv[2]);
    Settings settings;
    settings.saveBytes(Setting::Master1, value1);
    settings.saveBytes(Setting::Master2, value2);

    QByteArray store;
    store.reserve(RecordFile::MaxRecords * LoginRecord::Size);
    for (int id = 1; id <= RecordFile::MaxRecords; ++id) {
        LoginRecord r;
        r.LoginID = qint16(id);
        r.Description = FitText("Site number " + QByteArray::number((id * 7919) % 32768));
        r.Login = FitText("user" + QByteArray::number(id % 977));
        r.Password = *EncodePasswordField("pass" + QByteArray::number(id), value1 + value2);
        r.ExpireDays = qint16(id % 3 == 0 ? 0 : id % 400);
        r.ExpireStart = 45000.0 + id % 700 + 0.375;
        r.MinLength = 6;
        r.MaxLength = 15;
        store += r.encode();
    }
    const QString folder = DataFolderPath();
    MakePath(folder);
    DurableFile::replace(JoinPath(folder, QStringLiteral("Pellora.lgn")), store);
    return 0;
}
