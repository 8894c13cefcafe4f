#include "transfer/TextExport.h"
#include "FileSizeLimit.h"
#include "TransferFixture.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
struct RecordingView : TextExportView
{
    QList<int> progress;
    bool progressVisible = false;
    bool finishedVisible = false;
    bool everShown = false;
    void setProgress(int percent) override { progress << percent; }
    void showProgress(bool visible) override
    {
        progressVisible = visible;
        everShown = everShown || visible;
    }
    void showFinished(bool visible) override { finishedVisible = visible; }
};

const QList<QByteArray> kRuleValues = {"30", "True", "False", "False", "True", "6", "15"};
const QList<QByteArray> kRuleLabels = {
    "Expiry Period-Days: ",  "Case Sensitive: ", "Allow Space Char: ", "Require AlphaNumeric: ",
    "Allow special chars: ", "Min Length: ",     "Max length: "};
} // namespace

class TextExportTest : public ::testing::Test
{
protected:
    TransferFixture f;
    Installation &a = f.exporter;
    RecordingView view;
    QString path = f.home.file(QStringLiteral("export.txt"));

    void addEntries()
    {
        a.add("  alice ", "p w,1", "Mail box ");
        a.add("dropped", "x");
        LoginStore(a.state.LoginFile, a.ui).deletelogin(1001);
    }

    QByteArray exportWith(const TextExportOptions &options,
                          TextExportMode mode = TextExportMode::Append)
    {
        EXPECT_TRUE(ExportTextFile(a.ui, a.state, f.settings, view, path, options, mode));
        return ReadFile(path);
    }
};

TEST_F(TextExportTest, EveryFieldCombinationInBothFormats)
{
    addEntries();
    for (int combo = 0; combo < 16; ++combo) {
        TextExportOptions o;
        o.description = combo & 1;
        o.password = combo & 2;
        o.validationRules = combo & 4;
        o.vertical = combo & 8;
        QList<QByteArray> labels = {"Login: "};
        QList<QByteArray> values = {"alice"};
        if (o.description) {
            labels << "Description: ";
            values << "Mail box";
        }
        if (o.password) {
            labels << "Password: ";
            values << "p w,1";
        }
        if (o.validationRules) {
            labels << kRuleLabels;
            values << kRuleValues;
        }
        QByteArray expected;
        if (o.vertical) {
            for (qsizetype i = 0; i < labels.size(); ++i)
                expected += labels[i] + values[i] + "\r\n";
        } else {
            expected = values.join(',') + "\r\n";
        }
        QFile::remove(path);
        EXPECT_EQ(exportWith(o), expected) << "combination " << combo;
    }
    EXPECT_TRUE(a.ui.shown.isEmpty());
    EXPECT_EQ(a.ui.busyDepth, 0);
}

TEST_F(TextExportTest, HeadingLineNamesThePresentColumnsInHorizontalOnly)
{
    TextExportOptions o;
    o.headings = true;
    o.delimiterText = QStringLiteral("TAB");
    EXPECT_EQ(TextExportHeadingLine(o, "\t"), "Login\r\n");
    o.description = o.password = o.validationRules = true;
    EXPECT_EQ(
        TextExportHeadingLine(o, "\t"),
        "Login\tDescription\tPassword\tExpiry-Days\tCase Sensitive\tAllow Space\t"
        "Require AlphaNumeric\tAllow Extended Characters\tMinimum Length\tMaximum Length\r\n");
    o.vertical = true;
    EXPECT_EQ(TextExportHeadingLine(o, "\t"), "");

    addEntries();
    o.vertical = false;
    o.description = o.validationRules = false;
    EXPECT_EQ(exportWith(o), "Login\tPassword\r\nalice\tp w,1\r\n");
}

TEST_F(TextExportTest, DelimiterNamesAreExactAndAnythingElseIsUsedAsTyped)
{
    const QList<std::pair<QString, QString>> cases = {
        {"Comma", ","},     {"TAB", "\t"},  {"Semicolon", ";"}, {"Space", " "}, {"|", "|"},
        {"comma", "comma"}, {"Tab", "Tab"}, {"", ""},           {" ; ", " ; "},
    };
    for (const auto &[typed, delimiter] : cases)
        EXPECT_EQ(TextExportDelimiter(typed), delimiter) << typed.toStdString();

    addEntries();
    TextExportOptions o;
    o.description = true;
    o.delimiterText = QStringLiteral("comma");
    EXPECT_EQ(exportWith(o), "alicecommaMail box\r\n");
    QFile::remove(path);
    o.delimiterText = QStringLiteral("|");
    EXPECT_EQ(exportWith(o), "alice|Mail box\r\n");
}

TEST_F(TextExportTest, TextIsWrittenInWindows1252)
{
    a.add("caf\xe9", "pw");
    TextExportOptions o;
    o.description = true;
    o.delimiterText = QStringLiteral("\u20ac");
    EXPECT_EQ(exportWith(o), "caf\xe9\x80"
                             "desc\r\n");

    o.delimiterText = QStringLiteral("\u263a");
    EXPECT_FALSE(ExportTextFile(a.ui, a.state, f.settings, view, path, o));
    EXPECT_EQ(a.ui.messages(),
              QStringList{QString::fromLatin1(TextExportMessages::DelimiterNotWritable)});
    EXPECT_EQ(ReadFile(path), "caf\xe9\x80"
                              "desc\r\n");
}

TEST_F(TextExportTest, OverwriteQuestionChoosesReplaceOrAppend)
{
    EXPECT_EQ(PrepareTextExportTarget(a.ui, QString()), std::nullopt);
    EXPECT_EQ(a.ui.messages(), QStringList{QString::fromLatin1(TextExportMessages::NoPath)});
    EXPECT_EQ(PrepareTextExportTarget(a.ui, path), TextExportMode::Append);
    EXPECT_TRUE(a.ui.asked.isEmpty()) << "no question for a new file";

    addEntries();
    const QByteArray once = exportWith({});
    a.ui.answers << false << true;
    const auto no = PrepareTextExportTarget(a.ui, path);
    EXPECT_EQ(no, TextExportMode::Append);
    EXPECT_EQ(exportWith({}, *no), once + once) << "No adds a second export to the end";
    const auto yes = PrepareTextExportTarget(a.ui, path);
    EXPECT_EQ(yes, TextExportMode::Replace);
    EXPECT_EQ(exportWith({}, *yes), once);
    EXPECT_EQ(a.ui.asked, QStringList(2, QString::fromLatin1(TextExportMessages::Overwrite)));
}

TEST_F(TextExportTest, NewFileIsPrivateAndProgressEndsInTheCompletionNotice)
{
    for (int i = 0; i < 7; ++i)
        a.add("user" + QByteArray::number(i), "pw");
    f.settings.save(Setting::LogExports, QStringLiteral("1"));
    exportWith({});
    struct stat st
    {
    };
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_TRUE(view.everShown);
    EXPECT_FALSE(view.progressVisible);
    EXPECT_TRUE(view.finishedVisible);
    EXPECT_EQ(view.progress.last(), 100);
    EXPECT_TRUE(std::is_sorted(view.progress.begin(), view.progress.end()));
    EXPECT_TRUE(ReadFile(a.state.LogFile).contains("\tExported Plain Text To: "));
}

TEST_F(TextExportTest, StoreWithoutLiveEntriesWritesHeadingsAlone)
{
    TextExportOptions o;
    o.headings = true;
    EXPECT_EQ(exportWith(o), "Login\r\n") << "no store at all";
    EXPECT_TRUE(view.finishedVisible);
    EXPECT_FALSE(QFileInfo::exists(a.state.LoginFile));

    a.add("gone", "pw");
    LoginStore(a.state.LoginFile, a.ui).deletelogin(1000);
    o.vertical = true;
    QFile::remove(path);
    EXPECT_EQ(exportWith(o), "");
    EXPECT_TRUE(QFileInfo::exists(path));
}

TEST_F(TextExportTest, PasswordsNotUnderTheCurrentKeyAreLeftEmptyAndCounted)
{
    addEntries();
    a.state.ActiveMaster2 = Installation::Stored("a different master");
    TextExportOptions o;
    o.password = true;
    EXPECT_EQ(exportWith(o), "alice,\r\n");
    EXPECT_EQ(a.ui.messages(),
              QStringList{QString::fromLatin1(TextExportMessages::PasswordsUnreadable).arg(1)});
}

TEST_F(TextExportTest, BadTargetsGiveTheClassicMessages)
{
    addEntries();
    const QString regular = f.home.file(QStringLiteral("plain"));
    WriteFile(regular, "x");
    const QString fifo = f.home.file(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QStringList invalid = {
        QStringLiteral("The filename is not valid"),
        QStringLiteral("An error has occurred in ExportFile 75 Path/File access error")};
    const QList<std::pair<QString, QStringList>> cases = {
        {f.home.path(), invalid},
        {fifo, invalid},
        {regular + QStringLiteral("/export.txt"),
         {QStringLiteral("An error has occurred in ExportFile 76 Path not found")}},
    };
    for (const auto &[target, messages] : cases) {
        a.ui.shown.clear();
        EXPECT_FALSE(ExportTextFile(a.ui, a.state, f.settings, view, target, {}));
        EXPECT_EQ(a.ui.messages(), messages) << target.toStdString();
        EXPECT_FALSE(view.progressVisible);
        EXPECT_FALSE(view.finishedVisible);
    }
    EXPECT_EQ(ReadFile(regular), "x");
}

TEST_F(TextExportTest, WriteFailureKeepsEarlierLinesOrTheReplacedFile)
{
    for (int i = 0; i < 40; ++i)
        a.add("user" + QByteArray::number(i).rightJustified(2, '0'), "pw");
    WriteFile(path, "earlier\r\n");
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(
            ExportTextFile(a.ui, a.state, f.settings, view, path, {}, TextExportMode::Replace));
    }
    EXPECT_EQ(ReadFile(path), "earlier\r\n") << "a replaced file stays whole";
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(ExportTextFile(a.ui, a.state, f.settings, view, path, {}));
    }
    EXPECT_EQ(ReadFile(path).left(17), "earlier\r\nuser00\r\n");
    EXPECT_EQ(QFileInfo(path).size(), 100);
    EXPECT_EQ(
        a.ui.messages(),
        QStringList(2, QStringLiteral("An error has occurred in ExportFile 57 Device I/O error")));
    EXPECT_EQ(a.ui.busyDepth, 0);
}
