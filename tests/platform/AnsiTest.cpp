#include "platform/Ansi.h"

#include <gtest/gtest.h>

TEST(Ansi, EveryByteValueSurvivesBothWays)
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = Ansi::toText(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Ansi::fromText(text), std::optional<QByteArray>(all));
}

TEST(Ansi, MapsTheWindows1252UpperHalf)
{
    EXPECT_EQ(Ansi::toText(QByteArray("\x80\x9f\xe9", 3)), QStringLiteral(u"\u20ac\u0178\u00e9"));
    EXPECT_EQ(Ansi::fromText(QStringLiteral(u"\u20ac")), std::optional<QByteArray>("\x80"));
}

TEST(Ansi, RefusesCharactersWithoutAByte)
{
    EXPECT_FALSE(Ansi::fromText(QStringLiteral(u"snow \u2603")));
    EXPECT_FALSE(Ansi::representable(QStringLiteral(u"\u0100")));
    EXPECT_TRUE(Ansi::representable(QStringLiteral(u"caf\u00e9")));
}
