#include "cli/CommandTable.h"

#include "cli/Commands.h"

#include <array>

namespace {
const QString kRuleOptions = QStringLiteral(
    "case-sensitive no-case-sensitive allow-space no-allow-space require-mix no-require-mix "
    "require-special no-require-special min-length= max-length=");
const QString kEntryOptions =
    QStringLiteral("description= login= generate expire-days= start= ") + kRuleOptions;
const QString kListOptions = QStringLiteral("sort= reverse json");

const QString kRuleDetails = QStringLiteral(
    "  --case-sensitive     keep letter case (otherwise the password is kept in lower case)\n"
    "  --allow-space        allow the space character\n"
    "  --require-mix        require letters and digits\n"
    "  --require-special    require a character that is neither a letter nor a digit\n"
    "  --min-length N       the shortest password (a new entry: 6)\n"
    "  --max-length N       the longest password (a new entry: 15)\n");
const QString kEntryDetails =
    QStringLiteral("  --description TEXT   what the login is for\n"
                   "  --login TEXT         the login or user id\n"
                   "  --generate           make a password that satisfies the entry's rules\n"
                   "  --expire-days N      days between password changes, 0 for never\n"
                   "  --start DATE         the ISO 8601 date or date-time the days count from\n");
const QString kListDetails =
    QStringLiteral("  --sort id|description|login|expiry   sort by that column, ascending\n"
                   "  --reverse            the opposite direction\n"
                   "  --json               an array of objects: id, description, login, expires\n");
const QString kVaultDetails = QStringLiteral(
    "  --file-password      the file password is the next secret (otherwise the master\n"
    "                       key)\n"
    "  --add                store the file password as an entry (\"Add password to\n"
    "                       Pellora\"); needs --file-password\n");

const std::array kCommands{
    CommandSpec{"ls", "[--sort id|description|login|expiry] [--reverse] [--json]",
                "list the live entries in the list's order", kListDetails, kListOptions, 0, 0,
                Access::Read, false, PrepareList},
    CommandSpec{"search", "TEXT [--sort COLUMN] [--reverse] [--json]",
                "list the entries whose description or login contains TEXT, ignoring case",
                kListDetails, kListOptions, 1, 1, Access::Read, false, PrepareSearch},
    CommandSpec{"show", "ID [--show-password] [--json]", "show one entry",
                QStringLiteral("  --show-password      the password in clear instead of PROTECTED\n"
                               "  --json               one object with the same keys\n"),
                QStringLiteral("show-password json"), 1, 1, Access::Read, false, PrepareShow},
    CommandSpec{"clip", "ID [--login] [--timeout SECONDS]",
                "copy the password to the clipboard, then clear it",
                QStringLiteral("  --login              copy the login instead\n"
                               "  --timeout SECONDS    clear it after this long if unchanged "
                               "(default 10; 0\n"
                               "                       leaves it)\n"),
                QStringLiteral("login timeout="), 1, 1, Access::Read, true, PrepareClip},
    CommandSpec{"add",
                "--description TEXT --login TEXT [--generate] [--expire-days N] [--start DATE] "
                "[RULES]",
                "add an entry; the password is the next secret unless --generate",
                kEntryDetails + kRuleDetails, kEntryOptions, 0, 0, Access::Write, false,
                PrepareAdd},
    CommandSpec{"edit", "ID [--password | --generate] [OPTIONS OF ADD]",
                "change the fields given of an entry",
                QStringLiteral("  --password           the new password is the next secret\n") +
                    kEntryDetails + kRuleDetails +
                    QStringLiteral("  Each rule option has a --no- form that turns it off.\n"),
                kEntryOptions + QStringLiteral(" password"), 1, 1, Access::Write, false,
                PrepareEdit},
    CommandSpec{"rm", "ID", "delete an entry", {}, {}, 1, 1, Access::Write, false, PrepareRemove},
    CommandSpec{"generate", "[RULES]", "print a password that follows the rules; no masters",
                kRuleDetails, kRuleOptions, 0, 0, Access::Free, false, PrepareGenerate},
    CommandSpec{"export",
                "FILE",
                "write the list to an encrypted transfer file",
                {},
                {},
                1,
                1,
                Access::Read,
                false,
                PrepareExport},
    CommandSpec{"import",
                "FILE",
                "import a transfer file; the exporting installation's two masters are the next "
                "two secrets",
                {},
                {},
                1,
                1,
                Access::Write,
                false,
                PrepareImport},
    CommandSpec{
        "export-text",
        "FILE [--description] [--password] [--validation-rules] [--headings] [--rows] "
        "[--delimiter TEXT] [--append]",
        "write the list as plain text",
        QStringLiteral(
            "  --description        include the descriptions\n"
            "  --password           include the passwords in clear\n"
            "  --validation-rules   include each entry's expiry and rules\n"
            "  --headings           a heading line first (not with --rows)\n"
            "  --rows               one value per line instead of one entry per line\n"
            "  --delimiter TEXT     Comma (default), Semicolon, Space, TAB, or the text itself\n"
            "  --append             add to the end of an existing FILE instead of replacing it\n"),
        QStringLiteral("description password validation-rules headings rows delimiter= append"), 1,
        1, Access::Read, false, PrepareExportText},
    CommandSpec{"encrypt", "FILE... [--file-password] [--add]", "encrypt files in place",
                kVaultDetails, QStringLiteral("file-password add"), 1, -1, Access::Write, false,
                PrepareEncrypt},
    CommandSpec{"decrypt", "FILE... [--file-password] [--add]", "decrypt files in place",
                kVaultDetails, QStringLiteral("file-password add"), 1, -1, Access::Write, false,
                PrepareDecrypt},
    CommandSpec{"change-masters",
                "",
                "change both master passwords; the new ones are the next two secrets",
                {},
                {},
                0,
                0,
                Access::Write,
                false,
                PrepareChangeMasters},
    CommandSpec{"check",
                "",
                "run the self-test and check the store and the master values",
                {},
                {},
                0,
                0,
                Access::Read,
                false,
                PrepareCheck},
};
} // namespace

std::span<const CommandSpec> Commands()
{
    return kCommands;
}

const CommandSpec *FindCommand(const QString &name)
{
    for (const CommandSpec &command : kCommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}
