#include "auxiliary/beep.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

// Leaves its scope the way a failed ASSERT does: by returning early.
void BeepThenReturnEarly(QList<int> &heard, bool leaveEarly)
{
    ScopedBeepSink sink([&heard](int frequency, int) { heard << frequency; });
    Beep(800, 500);
    if (leaveEarly)
        return;
    Beep(440, 250);
}

TEST(Beep, ScopedSinkPutsThePreviousSinkBackOnEveryWayOut)
{
    QList<int> outer;
    ScopedBeepSink outerSink([&outer](int frequency, int) { outer << frequency; });
    {
        QList<int> inner;
        BeepThenReturnEarly(inner, true);
        EXPECT_EQ(inner, QList<int>{800});
        BeepThenReturnEarly(inner, false);
        EXPECT_EQ(inner, (QList<int>{800, 800, 440}));
    }
    Beep(800, 200);
    EXPECT_EQ(outer, QList<int>{800});
}

} // namespace
