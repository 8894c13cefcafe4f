#include "platform/Ansi.h"

#include <gtest/gtest.h>

// Every byte survives both ways through the windows-1252 upper half; a character without a byte
// is refused.
TEST(Ansi, MapsEveryByteBothWaysAndRefusesCharactersWithoutOne)
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    ASSERT_EQ(Ansi::toText(all).size(), 256);
    EXPECT_EQ(Ansi::fromText(Ansi::toText(all)), std::optional<QByteArray>(all));
    EXPECT_EQ(Ansi::toText(QByteArray("\x80\x9f\xe9", 3)), QStringLiteral(u"\u20ac\u0178\u00e9"));
    EXPECT_EQ(Ansi::fromText(QStringLiteral(u"\u20ac")), std::optional<QByteArray>("\x80"));
    EXPECT_FALSE(Ansi::fromText(QStringLiteral(u"snow \u2603")));
    EXPECT_FALSE(Ansi::representable(QStringLiteral(u"\u0100")));
    EXPECT_TRUE(Ansi::representable(QStringLiteral(u"caf\u00e9")));
}
