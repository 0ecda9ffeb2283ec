#include <gtest/gtest.h>
#include "limiter/LimiterEngine.h"
TEST(Smoke, Creates) {
    LimiterEngine* e = createEngine();
    ASSERT_NE(e, nullptr);
    releaseEngine(&e);
    EXPECT_EQ(e, nullptr);
}
