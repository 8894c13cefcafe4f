#include "filevault/VaultMessages.h"

QString VaultFailureMessage(const QString &name, CipherOutcome outcome, const ClassicError &failure,
                            bool encrypt, bool entryStored)
{
    const QString entry =
        entryStored ? QStringLiteral(" The entry for its password stays in Pellora.") : QString();
    switch (outcome) {
    case CipherOutcome::ReadFailed:
        return VaultReadingFailed(name) +
               (entryStored ? QStringLiteral("\n\nThe file has not been changed.") + entry
                            : QString());
    case CipherOutcome::WriteFailed:
        return VaultWritingFailed(name) +
               (entryStored ? QStringLiteral("\n\nThe file has not been changed.") + entry
                            : QString());
    case CipherOutcome::JournalFailed:
        return VaultWritingFailed(name) +
               QStringLiteral("\n\nPellora could not keep the record that makes the change safe "
                              "(%1), so the file has not been changed.")
                   .arg(failure.text()) +
               entry;
    case CipherOutcome::Pending:
        return VaultWritingFailed(name) +
               QStringLiteral("\n\nAn earlier run left the file partly changed and Pellora has "
                              "not been able to finish it yet, so it has not been changed now.") +
               entry;
    case CipherOutcome::Unfinished:
        return VaultWritingFailed(name) +
               QStringLiteral("\n\nThe file is partly %1 (%2). Pellora keeps a record of the "
                              "change and finishes it before the next run or at its next start.")
                   .arg(encrypt ? QStringLiteral("encrypted") : QStringLiteral("decrypted"),
                        failure.text()) +
               entry;
    case CipherOutcome::Done:
        break;
    }
    return {};
}
