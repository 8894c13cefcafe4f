#pragma once

#include <QByteArray>
#include <optional>

// The stored master values a transfer file was exported under.
struct TransferMasters
{
    QByteArray master1;
    QByteArray master2;
};

// Record 1 of a transfer file: LoginID 0, the two master values fitted into the Login and
// Description fields, a zero password field, Deleted -1, MinLength = length of master2,
// MaxLength = length of master1.
QByteArray MakeTransferHeader(const QByteArray &activeMaster1, const QByteArray &activeMaster2);

// The masters a header record names: the first MaxLength characters of Login and the first
// MinLength of Description. nullopt when the record is no transfer header (no header marks, or
// a length field that is negative or past the 64-character field).
std::optional<TransferMasters> ReadTransferHeader(const QByteArray &headerRecord);

// True when the typed master passwords, stored the usual way, equal the header's values exactly.
bool ImportHeaderMatches(const TransferMasters &header, const QByteArray &typedMaster1,
                         const QByteArray &typedMaster2);
