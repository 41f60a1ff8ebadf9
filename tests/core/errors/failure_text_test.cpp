#include "core/errors/failure_text.h"

#include <gtest/gtest.h>

namespace {

TEST(FailureText, TheKeysTextThenTheDetail) {
    core::Language texts;
    texts.setText(QStringLiteral("ER_CANNOT_SAVE=cannot save the file\r\n"));
    EXPECT_EQ(core::failureText(texts, core::failure("ER_CANNOT_SAVE", "disk full")),
              "cannot save the file: disk full");
    EXPECT_EQ(core::failureText(texts, core::failure("ER_CANNOT_SAVE")), "cannot save the file");
    // A key without a text is shown as it is, so nothing is lost.
    EXPECT_EQ(core::failureText(texts, core::failure("ER_NOT_THERE", "x")), "ER_NOT_THERE: x");
}

TEST(Result, HoldsAValueOrAFailure) {
    const core::Result<int> good = 7;
    ASSERT_TRUE(good.ok());
    EXPECT_EQ(good.value(), 7);
    const core::Result<int> bad = core::failure("ER_UNKNOWN", "why");
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.failure(), core::failure("ER_UNKNOWN", "why"));
    const core::Status done;
    EXPECT_TRUE(done);
    const core::Status failed = core::failure("ER_UNKNOWN");
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.failure().key, "ER_UNKNOWN");
    EXPECT_TRUE(failed.failure().detail.isEmpty());
}

}  // namespace
