#pragma once

#include <QByteArray>
#include <QtEndian>
#include <QtGlobal>

// One login entry: a 218-byte little-endian record of the store, transfer and check files.
struct LoginRecord
{
    static constexpr int Size = 218;
    static constexpr int TextWidth = 64;

    qint16 LoginID = 0;
    QByteArray Login;       // always TextWidth bytes once fitted
    QByteArray Description; // always TextWidth bytes once fitted
    QByteArray Password;    // the encoded password field
    bool Deleted = false;
    qint16 ExpireDays = 0;
    double ExpireStart = 0.0;
    bool CaseSensitive = false;
    bool AllowSpace = false;
    bool RequireMix = false;
    bool RequireSpecial = false;
    qint16 MinLength = 0;
    qint16 MaxLength = 0;

    // The record whose 218 bytes are all zero: what a failed look-up returns.
    static LoginRecord zero();
    bool isZero() const;

    static LoginRecord decode(const char *bytes);
    static LoginRecord decode(const QByteArray &bytes) { return decode(bytes.constData()); }
    QByteArray encode() const;
};

// Left-aligned copy into a fixed-width text field: cut when longer, space-padded when shorter.
QByteArray FitText(const QByteArray &text, int width = LoginRecord::TextWidth);
// Blanks removed from both ends, as the program's Trim has always done (spaces only).
QByteArray TrimSpaces(const QByteArray &text);

// Field offsets within a record, for code that patches records as raw bytes.
namespace RecordOffset {
inline constexpr int LoginID = 0;
inline constexpr int Login = 2;
inline constexpr int Description = 66;
inline constexpr int Password = 130;
inline constexpr int Deleted = 194;
inline constexpr int MinLength = 214;
inline constexpr int MaxLength = 216;
} // namespace RecordOffset

inline qint16 ReadInt16(const char *p)
{
    return qFromLittleEndian<qint16>(p);
}

inline void WriteInt16(char *p, qint16 value)
{
    qToLittleEndian<qint16>(value, p);
}
