#include "cli/ListOutput.h"

#include "cli/Json.h"
#include "cli/ListDateText.h"
#include "cli/Output.h"
#include "entries/Expiry.h"
#include "entries/LoginRecord.h"
#include "platform/Ansi.h"

#include <array>

namespace {
// The stored fields' windows-1252 bytes as UTF-8, the pad blanks at their end left out.
class StoredText
{
public:
    StoredText()
    {
        for (int b = 0x80; b < 256; ++b)
            m_upper[size_t(b - 0x80)] = Ansi::toText(QByteArray(1, char(b))).toUtf8();
    }
    void append(QByteArray &out, const QByteArray &field) const
    {
        qsizetype end = field.size();
        while (end > 0 && field[end - 1] == ' ')
            --end;
        // Runs of ASCII are UTF-8 as they stand.
        qsizetype run = 0;
        for (qsizetype i = 0; i < end; ++i) {
            const uchar c = uchar(field[i]);
            if (c < 0x80)
                continue;
            out.append(field.constData() + run, i - run);
            out += m_upper[size_t(c - 0x80)];
            run = i + 1;
        }
        out.append(field.constData() + run, end - run);
    }
    QByteArray utf8(const QByteArray &field) const
    {
        QByteArray out;
        append(out, field);
        return out;
    }

private:
    std::array<QByteArray, 128> m_upper;
};

// An id's decimal text, without a number object per row.
void appendId(QByteArray &out, qint16 id)
{
    char digits[8];
    int at = sizeof digits;
    int value = id < 0 ? -int(id) : int(id);
    do {
        digits[--at] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    if (id < 0)
        digits[--at] = '-';
    out.append(digits + at, qsizetype(sizeof digits) - at);
}

// The output a line at a time into one buffer, written out whenever it grows large, so a long
// list never needs the memory of all its lines at once.
class ChunkedOutput
{
public:
    ChunkedOutput() { m_buffer.reserve(kChunk + 4096); }
    ~ChunkedOutput() { Output::outBytes(m_buffer); }
    ChunkedOutput(const ChunkedOutput &) = delete;
    ChunkedOutput &operator=(const ChunkedOutput &) = delete;

    QByteArray &buffer() { return m_buffer; }
    void lineDone()
    {
        if (m_buffer.size() < kChunk)
            return;
        Output::outBytes(m_buffer);
        m_buffer.resize(0);
    }

private:
    static constexpr qsizetype kChunk = 64 * 1024;
    QByteArray m_buffer;
};

} // namespace

void WriteListLines(const std::vector<const char *> &rows)
{
    const StoredText stored;
    const ListDateText dates;
    ChunkedOutput output;
    QByteArray &out = output.buffer();
    for (const char *record : rows) {
        const LoginRecord row = LoginRecord::decode(record);
        appendId(out, row.LoginID);
        out += '\t';
        stored.append(out, row.Description);
        out += '\t';
        stored.append(out, row.Login);
        out += '\t';
        if (row.ExpireDays == 0) {
            out += "Never";
        } else if (const auto [date, time] = ExpiryMoment(row); date.isValid()) {
            dates.append(out, date, time);
        }
        out += '\n';
        output.lineDone();
    }
}

void WriteListJson(const std::vector<const char *> &rows)
{
    const StoredText stored;
    ChunkedOutput output;
    QByteArray &out = output.buffer();
    out += '[';
    bool first = true;
    for (const char *record : rows) {
        const LoginRecord row = LoginRecord::decode(record);
        out += first ? "\n  {\"id\": " : ",\n  {\"id\": ";
        first = false;
        appendId(out, row.LoginID);
        out += ", \"description\": ";
        Json::appendString(out, stored.utf8(row.Description));
        out += ", \"login\": ";
        Json::appendString(out, stored.utf8(row.Login));
        out += ", \"expires\": ";
        if (row.ExpireDays == 0) {
            out += "null";
        } else {
            const auto [date, time] = ExpiryMoment(row);
            out += Json::dateTime(date, time);
        }
        out += '}';
        output.lineDone();
    }
    out += rows.empty() ? "]\n" : "\n]\n";
}
