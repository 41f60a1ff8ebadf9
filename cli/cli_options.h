// The command line of velmarfilter-cli.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/settings/program_options.h"

namespace cli {

// The longest --queue-wait: a day.
inline constexpr int kMaxQueueWaitSeconds = 86400;

struct CliOptions {
    QStringList pictures;
    QString queueFile;
    // How long to wait for another run of the same queue to end; 0: refuse at once.
    int queueWaitSeconds = 0;
    QString settingsFile;
    QStringList settingAssignments;  // "NAME=VALUE" of each --set, in order
    QString saveSettingsFile;
    bool showSettings = false;
    QString memoryBudget;  // megabytes as given; empty: VF_MEMORY_BUDGET_MB or the machine's share
    core::ProgramOptions output = defaultOutput();
    bool help = false;
    bool version = false;

    // The program's output defaults, except that an existing file is kept unless --overwrite
    // is given.
    static core::ProgramOptions defaultOutput();
};

// The options, or a message saying what is wrong with the command line.
struct ParsedCommandLine {
    std::optional<CliOptions> options;
    QString error;
};

ParsedCommandLine parseCommandLine(const QStringList& arguments);

QString usageText();

}  // namespace cli
