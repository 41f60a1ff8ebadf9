// Every engine test starts from the state the library loads with: the caches empty, the curves,
// statistics, dash counter and brush trail fresh, progress and fast-path settings at their
// defaults. The reset goes through the engine's state owner, the same that releases the caches.
#include <gtest/gtest.h>

#include "engine_state.h"

namespace {

class ResetEngineState : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { dnr::engine_state::resetForTesting(); }
};

// Registered before gtest_main runs the tests; the listener list owns it.
const bool kRegistered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetEngineState);
    return true;
}();

}  // namespace
