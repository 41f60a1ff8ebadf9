// The caption over the source's full view.
#include <gtest/gtest.h>

#include "core/preview/full_view_texts.h"

namespace core {
namespace {

QString bracketed(const QString& key) {
    return QLatin1Char('[') + key + QLatin1Char(']');
}

TEST(SourceViewCaption, NameSizeAndPlugInNote) {
    EXPECT_EQ(
        sourceViewCaption(QStringLiteral("cups.jpg"), QStringLiteral("640x480"), false, bracketed),
        QStringLiteral("[ALS_SOURCE]: cups.jpg (640x480)"));
    EXPECT_EQ(
        sourceViewCaption(QStringLiteral("cups.jpg"), QStringLiteral("640x480"), true, bracketed),
        QStringLiteral("[ALS_SOURCE]: cups.jpg (640x480), [ALS_MODIFIED_BY_PLUGIN]"));
}

}  // namespace
}  // namespace core
