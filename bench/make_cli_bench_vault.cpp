// Makes the vault the command-line benchmark reads: the masters in the settings and a store of
// every entry a store can number (LoginIDs 1 to 32767), under $XDG_CONFIG_HOME and
// $XDG_DATA_HOME. Usage: make_cli_bench_vault MASTER1 MASTER2
#include "BenchFixture.h"
#include "app/DataFolder.h"
#include "app/Settings.h"
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

    const QString folder = DataFolderPath();
    MakePath(folder);
    DurableFile::replace(JoinPath(folder, QStringLiteral("Pellora.lgn")),
                         Bench::Store(RecordFile::MaxRecords, value1 + value2));
    return 0;
}
