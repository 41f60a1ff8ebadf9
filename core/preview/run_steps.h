// The steps a run reports with "ER_DLL" when it fails: the last one it reached.
#pragma once

#include <cstdint>

namespace core {

enum class PreviewRunStep : int32_t {
    BeforeWorkingCopy = 0,
    WorkingCopyMade = 1,
    EngineCalled = 3,
    EngineReturned = 4,
    Display = 5,
};

enum class FullRunStep : int32_t {
    BeforeCopy = 0,
    CopyMade = 1,
    EngineCalled = 3,
    AfterEngine = 5,
    OutputTransferred = 6,
};

constexpr int32_t stepNumber(PreviewRunStep s) {
    return static_cast<int32_t>(s);
}
constexpr int32_t stepNumber(FullRunStep s) {
    return static_cast<int32_t>(s);
}

}  // namespace core
