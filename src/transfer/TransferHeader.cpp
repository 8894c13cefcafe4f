#include "transfer/TransferHeader.h"

#include "entries/LoginRecord.h"
#include "master/MasterPasswords.h"

QByteArray MakeTransferHeader(const QByteArray &activeMaster1, const QByteArray &activeMaster2)
{
    LoginRecord header;
    header.LoginID = 0;
    header.Login = activeMaster1;
    header.Description = activeMaster2;
    header.Password = QByteArray(LoginRecord::TextWidth, '\0');
    header.Deleted = true;
    header.MinLength = qint16(activeMaster2.size());
    header.MaxLength = qint16(activeMaster1.size());
    return header.encode();
}

std::optional<TransferMasters> ReadTransferHeader(const QByteArray &headerRecord)
{
    if (headerRecord.size() < LoginRecord::Size)
        return std::nullopt;
    const LoginRecord header = LoginRecord::decode(headerRecord);
    const auto fits = [](qint16 n) { return n >= 0 && n <= LoginRecord::TextWidth; };
    if (header.LoginID != 0 || !header.Deleted || !fits(header.MinLength) ||
        !fits(header.MaxLength))
        return std::nullopt;
    return TransferMasters{header.Login.left(header.MaxLength),
                           header.Description.left(header.MinLength)};
}

bool ImportHeaderMatches(const TransferMasters &header, const QByteArray &typedMaster1,
                         const QByteArray &typedMaster2)
{
    return MasterValue(typedMaster1) == header.master1 &&
           MasterValue(typedMaster2) == header.master2;
}
