#include "transfer/TextExport.h"
#include "RecordingView.h"
#include "TransferFixture.h"

// The columns of the login, the description, the password and then the seven validation rules.
const QByteArrayList kHeadings = QByteArray("Login|Description|Password|Expiry-Days|Case Sensitive|"
                                            "Allow Space|Require AlphaNumeric|Allow Extended "
                                            "Characters|Minimum Length|Maximum Length")
                                     .split('|');
const QByteArrayList kLabels =
    QByteArray("Login: |Description: |Password: |Expiry Period-Days: |Case Sensitive: |Allow Space "
               "Char: |Require AlphaNumeric: |Allow special chars: |Min Length: |Max length: ")
        .split('|');
const QByteArrayList kValues =
    QByteArray("alice|Mail box|p w,1|30|True|False|False|True|6|15").split('|');
// Named delimiters are compared exactly; any other text is the delimiter, in windows-1252.
const QList<std::pair<QString, QByteArray>> kDelimiters = {
    {"Comma", ","}, {"TAB", "\t"}, {"Semicolon", ";"}, {"Space", " "},
    {"Tab", "Tab"}, {"", ""},      {"\u20ac", "\x80"}};

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
        EntryStore(a.state.LoginFile, a.ui).remove(1001);
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
        for (int column = 0; column < 10; ++column) {
            if (column == 0 || combo & (1 << (std::min(column, 3) - 1))) {
                headings << kHeadings[column];
                values << kValues[column];
                expected += kLabels[column] + kValues[column] + "\r\n";
            }
        }
        if (!o.vertical)
            expected = (o.headings ? headings.join(delimiter) + "\r\n" : "") +
                       values.join(delimiter) + "\r\n";
        QFile::remove(path);
        ASSERT_TRUE(run(o));
        EXPECT_EQ(ReadFile(path), expected) << "combination " << combo;
    }
    EXPECT_TRUE(a.ui.shown.isEmpty() && a.ui.busyDepth == 0);
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
    EXPECT_TRUE(!view.progressVisible && view.finishedVisible && view.progress.last() == 100);
    EXPECT_TRUE(ReadFile(a.state.LogFile).contains("\tExported Plain Text To: "));

    // Before the export: an empty path is refused, and an existing file replaced only on a yes.
    a.ui.answers << true << false;
    EXPECT_EQ(PrepareTextExportTarget(a.ui, a.state, path), TextExportMode::Replace);
    EXPECT_EQ(PrepareTextExportTarget(a.ui, a.state, path), TextExportMode::Append);
    EXPECT_EQ(PrepareTextExportTarget(a.ui, a.state, {}), std::nullopt);
    EXPECT_EQ(a.ui.messages().last(), TextExportMessages::NoPath);
    EXPECT_EQ(a.ui.asked, QStringList(2, TextExportMessages::Overwrite));
}

// A store too large is refused before any file is touched.
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
    EXPECT_FALSE(run({true, false, false, false, false, QStringLiteral("\u263a")}));
    QFile::resize(a.state.LoginFile, 218 * 32768);
    EXPECT_FALSE(run({}, TextExportMode::Replace));
    EXPECT_FALSE(ExportTextFile(a.ui, a.state, f.settings, view, path + "-new", {}) ||
                 QFileInfo::exists(path + "-new"));
    EXPECT_EQ(ReadFile(path), "earlier\r\n") << "neither a half replacement nor half an append";
    const QString error = QStringLiteral("An error has occurred in ExportFile ");
    EXPECT_EQ(a.ui.messages(),
              QStringList({"The filename is not valid", error + "75 Path/File access error",
                           error + "61 Disk full", error + "61 Disk full",
                           TextExportMessages::DelimiterNotWritable, error + "6 Overflow",
                           error + "6 Overflow"}));
    EXPECT_EQ(a.ui.busyDepth, 0);
}
