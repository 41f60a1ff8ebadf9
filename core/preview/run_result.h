// What a preview or full run hands back to the window.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

#include "dnr.h"

namespace core {

enum class RunEnd { Done, Aborted, Failed };

struct RunResult {
    RunEnd end = RunEnd::Failed;
    // The last step reached; a failure is reported as "ER_DLL" with this number.
    int32_t lastStep = 0;
    QString detail;  // why a failed run failed (for the log; the user sees the step)
    // The processed picture as the screen shows it (rows top-down); null unless Done.
    QImage display;
    // The red-eye marks with the sizes the engine found for those that asked for it.
    std::vector<RedEyeEntry> redEyes;

    bool done() const { return end == RunEnd::Done; }
};

}  // namespace core
