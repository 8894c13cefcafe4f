#include "transfer/TextExport.h"
#include "TransferFixture.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
struct RecordingView : TextExportView
{
    QList<int> progress;
    bool progressVisible = false;
    bool finishedVisible = false;
    void setProgress(int percent) override { progress << percent; }
    void showProgress(bool visible) override { progressVisible = visible; }
    void showFinished(bool visible) override { finishedVisible = visible; }
};

struct Column
{
    QByteArray heading, label, value;
};
// The columns of the login, the description, the password and the validation rules.
const QList<QList<Column>> kColumns = {
    {{"Login", "Login: ", "alice"}},
    {{"Description", "Description: ", "Mail box"}},
    {{"Password", "Password: ", "p w,1"}},
    {{"Expiry-Days", "Expiry Period-Days: ", "30"},
     {"Case Sensitive", "Case Sensitive: ", "True"},
     {"Allow Space", "Allow Space Char: ", "False"},
     {"Require AlphaNumeric", "Require AlphaNumeric: ", "False"},
     {"Allow Extended Characters", "Allow special chars: ", "True"},
     {"Minimum Length", "Min Length: ", "6"},
     {"Maximum Length", "Max length: ", "15"}},
};
// Named delimiters are compared exactly; any other text is the delimiter as typed.
const QList<std::pair<QString, QByteArray>> kDelimiters = {
    {"Comma", ","}, {"TAB", "\t"}, {"Semicolon", ";"}, {"Space", " "}, {"Tab", "Tab"}, {"", ""}};
} // namespace

class TextExportTest : public ::testing::Test
{
protected:
    TransferFixture f;
    Installation &a = f.exporter;
    RecordingView view;
    QString path = f.home.file(QStringLiteral("export.txt"));

    void SetUp() override
    {
        a.add("  alice ", "p w,1", "Mail box ");
        a.add("dropped", "x");
        LoginStore(a.state.LoginFile, a.ui).deletelogin(1001);
    }
    bool run(const TextExportOptions &o = {}, TextExportMode mode = TextExportMode::Append)
    {
        return ExportTextFile(a.ui, a.state, f.settings, view, path, o, mode);
    }
};

TEST_F(TextExportTest, EveryFieldCombinationInBothFormatsWithAndWithoutHeadings)
{
    for (int combo = 0; combo < 32; ++combo) {
        const auto &[delimiterText, delimiter] = kDelimiters[combo % kDelimiters.size()];
        const TextExportOptions o{bool(combo & 1), bool(combo & 2),  bool(combo & 4),
                                  bool(combo & 8), bool(combo & 16), delimiterText};
        QByteArrayList headings, values;
        QByteArray expected;
        for (int group = 0; group < 4; ++group) {
            for (const Column &c : kColumns[group]) {
                if (group == 0 || combo & (1 << (group - 1))) {
                    headings << c.heading;
                    values << c.value;
                    expected += c.label + c.value + "\r\n";
                }
            }
        }
        if (!o.vertical)
            expected = (o.headings ? headings.join(delimiter) + "\r\n" : "") +
                       values.join(delimiter) + "\r\n";
        QFile::remove(path);
        ASSERT_TRUE(run(o));
        EXPECT_EQ(ReadFile(path), expected) << "combination " << combo;
    }
    EXPECT_TRUE(a.ui.shown.isEmpty());
    EXPECT_EQ(a.ui.busyDepth, 0);
}

TEST_F(TextExportTest, TextIsWindows1252)
{
    a.add("caf\xe9", "pw");
    TextExportOptions o{true, false, false, false, false, QStringLiteral("\u20ac")};
    ASSERT_TRUE(run(o));
    const QByteArray written = "alice\x80Mail box\r\ncaf\xe9\x80"
                               "desc\r\n";
    EXPECT_EQ(ReadFile(path), written);
    o.delimiterText = QStringLiteral("\u263a");
    EXPECT_FALSE(run(o));
    EXPECT_EQ(a.ui.messages(), QStringList{TextExportMessages::DelimiterNotWritable});
    EXPECT_EQ(ReadFile(path), written);
}

TEST_F(TextExportTest, NewFileIsPrivateProgressEndsInTheNoticeAndUnreadablePasswordsAreCounted)
{
    f.settings.save(Setting::LogExports, QStringLiteral("1"));
    a.state.ActiveMaster2 = "a different master";
    ASSERT_TRUE(run({false, true}));
    EXPECT_EQ(ReadFile(path), "alice,\r\n");
    EXPECT_EQ(a.ui.messages(),
              QStringList{QString(TextExportMessages::PasswordsUnreadable).arg(1)});
    EXPECT_EQ(FileMode(path), 0600);
    EXPECT_FALSE(view.progressVisible);
    EXPECT_TRUE(view.finishedVisible);
    EXPECT_EQ(view.progress.last(), 100);
    EXPECT_TRUE(ReadFile(a.state.LogFile).contains("\tExported Plain Text To: "));

    // Before the export: an empty path is refused, and an existing file replaced only on a yes.
    a.ui.answers << true << false;
    EXPECT_EQ(PrepareTextExportTarget(a.ui, a.state, path), TextExportMode::Replace);
    EXPECT_EQ(PrepareTextExportTarget(a.ui, a.state, path), TextExportMode::Append);
    EXPECT_EQ(PrepareTextExportTarget(a.ui, a.state, {}), std::nullopt);
    EXPECT_EQ(a.ui.messages().last(), TextExportMessages::NoPath);
    EXPECT_EQ(a.ui.asked, QStringList(2, TextExportMessages::Overwrite));
}

// A pipe, a full disk or a store past the last record number: the file stays as it was, and a
// store too large is refused before any file is touched.
TEST_F(TextExportTest, FailuresLeaveTheFileAsItWas)
{
    const QString fifo = f.home.file(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(ExportTextFile(a.ui, a.state, f.settings, view, fifo, {})) << "no hang";
    EXPECT_FALSE(view.progressVisible || view.finishedVisible);
    for (int i = 0; i < 40; ++i)
        a.add("user" + QByteArray::number(i), "pw");
    WriteFile(path, "earlier\r\n");
    for (TextExportMode mode : {TextExportMode::Replace, TextExportMode::Append}) {
        FileSizeLimit limit(100);
        EXPECT_FALSE(run({}, mode));
    }
    QFile::resize(a.state.LoginFile, 218 * 32768);
    EXPECT_FALSE(run({}, TextExportMode::Replace));
    EXPECT_FALSE(ExportTextFile(a.ui, a.state, f.settings, view, path + "-new", {}));
    EXPECT_FALSE(QFileInfo::exists(path + "-new"));
    EXPECT_EQ(ReadFile(path), "earlier\r\n") << "neither a half replacement nor half an append";
    const QString error = QStringLiteral("An error has occurred in ExportFile ");
    EXPECT_EQ(a.ui.messages(),
              QStringList({"The filename is not valid", error + "75 Path/File access error",
                           error + "61 Disk full", error + "61 Disk full", error + "6 Overflow",
                           error + "6 Overflow"}));
    EXPECT_EQ(a.ui.busyDepth, 0);
}
