#include "entries/PasswordGenerator.h"

#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>
#include <set>

// A minimum above the maximum gives floor(min - 4r) for r in [0, 1), so 10 only for r = 0.
TEST(GeneratorTest, CharacterSetsAndLengthsOverManyDraws)
{
    const std::set<int> sixTo15{6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const QString every = QStringLiteral("[a-z]|[A-Z]|[0-9]|[:-@]");
    const std::tuple<std::function<QByteArray()>, QString, std::set<int>, size_t> rows[] = {
        {[] { return GeneratePassword(false, false, false, 6, 15); }, "[a-z]", sixTo15, 1},
        {[] { return GeneratePassword(true, false, false, 6, 15); }, "[a-z]|[A-Z]", sixTo15, 1},
        {[] { return GeneratePassword(true, true, true, 6, 15); }, every, sixTo15, 1},
        {[] { return GeneratePassword(false, false, false, 10, 5); }, "[a-z]", {6, 7, 8, 9}, 1},
        {[] { return GeneratePassword(false, false, false, -5, -1); }, "[a-z]", {0}, 1},
        {[] { return GenerateVaultPassword(); }, every, {12}, 2000}};
    for (const auto &[make, kinds, lengths, distinct] : rows) {
        std::set<int> seen;
        std::set<QByteArray> passwords;
        QString text;
        for (int i = 0; i < 2000; ++i) {
            const QByteArray pw = make();
            seen.insert(int(pw.size()));
            passwords.insert(pw);
            text += QString::fromLatin1(pw);
        }
        EXPECT_EQ(seen, lengths) << kinds.toStdString();
        EXPECT_EQ(text.count(QRegularExpression(kinds)), text.size()) << kinds.toStdString();
        for (const QString &kind : kinds.split('|'))
            EXPECT_TRUE(text.isEmpty() || text.contains(QRegularExpression(kind)))
                << kind.toStdString();
        EXPECT_GE(passwords.size(), distinct);
    }
}
