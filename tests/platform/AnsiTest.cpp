#include "platform/Ansi.h"

#include <gtest/gtest.h>

TEST(Ansi, EveryByteSurvivesBothWaysThroughTheWindows1252UpperHalf)
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    EXPECT_EQ(Ansi::fromText(Ansi::toText(all)), std::optional<QByteArray>(all));
}
