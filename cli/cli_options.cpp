#include "cli/cli_options.h"

#include "core/batch/memory_budget.h"
#include "core/paths/output_formats.h"
#include "core/paths/output_name_pieces.h"

namespace cli {

core::ProgramOptions CliOptions::defaultOutput() {
    core::ProgramOptions o = core::defaultProgramOptions();
    o.outputOverwrite = 0;
    return o;
}

// The help text spells out the limits.
static_assert(core::kFirstJpegQualityStep == 7 && core::kLastJpegQualityStep == 12);
static_assert(core::ProgramOptions::kPrefixCapacity == 5);

QString usageText() {
    return QStringLiteral(
        "Usage: velmarfilter-cli [options] PICTURE...\n"
        "       velmarfilter-cli [options] --queue FILE\n"
        "\n"
        "Reduces the noise of pictures (and applies the other corrections of a settings file)\n"
        "without a window. Each picture is processed with the settings in effect and saved\n"
        "under a new name; the pictures themselves are never changed.\n"
        "\n"
        "Input:\n"
        "  --queue FILE         process a queue file; finished items are removed from it\n"
        "  --queue-wait SECONDS while another run holds the queue file, wait up to SECONDS\n"
        "                       for it to end (default: refuse at once)\n"
        "  --settings FILE.vrs  take the settings of a settings file (default: the program's\n"
        "                       default settings)\n"
        "\n"
        "Settings (for pictures named on the command line):\n"
        "  --set NAME=VALUE     set one field of the settings by its name, after --settings;\n"
        "                       numbers are checked against the field's range, text fields\n"
        "                       such as CaptionText take text (--set CaptionText=\"Kite [date]\")\n"
        "  --save-settings FILE.vrs\n"
        "                       write the resulting settings as a settings file the program\n"
        "                       window opens (no picture needed)\n"
        "  --show-settings      print the fields that differ from the defaults (no picture\n"
        "                       needed)\n"
        "  With --settings or --set and the crop on (CropOn=1), every picture gets its own crop\n"
        "  frame, fitted to its size and orientation, as when many pictures are put on the\n"
        "  queue at once.\n"
        "\n"
        "Output (default: JPEG, quality 98, in the sub-folder \"filtered\" beside each picture,\n"
        "named with the suffix \"_dnr\"; photo.jpg gives filtered/photo_dnr.jpg):\n"
        "  --format F           bmp, jpg, jpg-progressive, jp2, psd, tif or png\n"
        "  --jpeg-quality N     7..12: quality 81, 89, 93, 96, 98, 100\n"
        "  --output-dir DIR     write into DIR\n"
        "  --subfolder NAME     write into the sub-folder NAME beside each picture\n"
        "  --in-place           write into the picture's own folder (a picture whose output\n"
        "                       name would be its own is refused, never replaced)\n"
        "  --prefix TEXT        put TEXT (at most 5 characters) before the name\n"
        "  --suffix TEXT        put TEXT (at most 5 characters) after the name\n"
        "  --overwrite          replace existing output files (default: keep them)\n"
        "\n"
        "Memory:\n"
        "  --memory-budget MB   refuse pictures whose processing would need more memory\n"
        "                       (default: VF_MEMORY_BUDGET_MB, else 75% of the available memory)\n"
        "\n"
        "  --help               show this text\n"
        "  --version            show the version\n"
        "\n"
        "Exit status: 0 when every picture was done, 1 when any failed, 2 for a bad command "
        "line.\n");
}

ParsedCommandLine parseCommandLine(const QStringList& arguments) {
    ParsedCommandLine result;
    CliOptions o;
    bool queueWaitGiven = false;
    auto fail = [&](const QString& message) {
        result.error = message;
        return result;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString arg = arguments[i];
        if (!arg.startsWith(QStringLiteral("--")) || arg == QStringLiteral("--")) {
            if (arg == QStringLiteral("--")) {
                o.pictures += arguments.mid(i + 1);
                break;
            }
            if (arg.startsWith(u'-') && arg.size() > 1)
                return fail(QStringLiteral("unknown option %1").arg(arg));
            o.pictures << arg;
            continue;
        }
        QString value;
        bool inlineValue = false;
        if (const qsizetype eq = arg.indexOf(u'='); eq > 0) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
            inlineValue = true;
        }
        auto needValue = [&]() -> bool {
            if (inlineValue) return true;
            if (i + 1 >= arguments.size()) return false;
            value = arguments[++i];
            return true;
        };
        auto flag = [&](bool& target) {
            if (inlineValue) return false;
            target = true;
            return true;
        };
        if (arg == QStringLiteral("--help")) {
            if (!flag(o.help)) return fail(QStringLiteral("--help takes no value"));
        } else if (arg == QStringLiteral("--version")) {
            if (!flag(o.version)) return fail(QStringLiteral("--version takes no value"));
        } else if (arg == QStringLiteral("--overwrite")) {
            if (inlineValue) return fail(QStringLiteral("--overwrite takes no value"));
            o.output.outputOverwrite = 1;
        } else if (arg == QStringLiteral("--show-settings")) {
            if (!flag(o.showSettings))
                return fail(QStringLiteral("--show-settings takes no value"));
        } else if (arg == QStringLiteral("--in-place")) {
            if (inlineValue) return fail(QStringLiteral("--in-place takes no value"));
            o.output.outputFolderKind = core::ProgramOptions::kOutputToSourceFolder;
        } else if (!needValue()) {
            return fail(QStringLiteral("%1 needs a value").arg(arg));
        } else if (arg == QStringLiteral("--queue")) {
            o.queueFile = value;
        } else if (arg == QStringLiteral("--queue-wait")) {
            bool ok = false;
            const int seconds = value.toInt(&ok);
            if (!ok || seconds < 0 || seconds > kMaxQueueWaitSeconds)
                return fail(QStringLiteral("--queue-wait must be 0 to %1 seconds, not \"%2\"")
                                .arg(kMaxQueueWaitSeconds)
                                .arg(value));
            o.queueWaitSeconds = seconds;
            queueWaitGiven = true;
        } else if (arg == QStringLiteral("--settings")) {
            o.settingsFile = value;
        } else if (arg == QStringLiteral("--set")) {
            if (value.indexOf(u'=') <= 0)
                return fail(QStringLiteral("--set takes NAME=VALUE, not \"%1\"").arg(value));
            o.settingAssignments << value;
        } else if (arg == QStringLiteral("--save-settings")) {
            if (value.isEmpty()) return fail(QStringLiteral("--save-settings needs a file name"));
            o.saveSettingsFile = value;
        } else if (arg == QStringLiteral("--memory-budget")) {
            o.memoryBudget = value;
            if (!core::memoryBudgetFrom(value, {}, std::nullopt).ok())
                return fail(QStringLiteral("--memory-budget must be a number of megabytes above "
                                           "0, not \"%1\"")
                                .arg(value));
        } else if (arg == QStringLiteral("--format")) {
            int found = -1;
            for (size_t f = 0; f < core::kOutputFormats.size(); ++f)
                if (value == QLatin1String(core::kOutputFormats[f].name)) found = int(f);
            if (found < 0) return fail(QStringLiteral("unknown format \"%1\"").arg(value));
            o.output.outputFormat = uint8_t(found);
        } else if (arg == QStringLiteral("--jpeg-quality")) {
            bool ok = false;
            const int step = value.toInt(&ok);
            if (!ok || step < core::kFirstJpegQualityStep || step > core::kLastJpegQualityStep)
                return fail(QStringLiteral("--jpeg-quality must be %1 to %2, not \"%3\"")
                                .arg(core::kFirstJpegQualityStep)
                                .arg(core::kLastJpegQualityStep)
                                .arg(value));
            o.output.jpegQualityIndex = step - core::kFirstJpegQualityStep;
        } else if (arg == QStringLiteral("--output-dir")) {
            if (value.isEmpty()) return fail(QStringLiteral("--output-dir needs a folder"));
            o.output.outputFolderKind = core::ProgramOptions::kOutputToUserFolder;
            o.output.outputFolder = value.toStdString();
            if (o.output.outputFolder.size() > core::ProgramOptions::kFolderCapacity)
                return fail(QStringLiteral("--output-dir is longer than %1 bytes")
                                .arg(core::ProgramOptions::kFolderCapacity));
        } else if (arg == QStringLiteral("--subfolder")) {
            if (value.isEmpty()) return fail(QStringLiteral("--subfolder needs a name"));
            o.output.outputFolderKind = core::ProgramOptions::kOutputToSubfolder;
            o.output.outputSubfolder = value.toStdString();
            if (const auto problem =
                    core::subfolderProblem(value, core::ProgramOptions::kSubfolderCapacity))
                return fail(QStringLiteral("--subfolder %1, not \"%2\"").arg(*problem, value));
        } else if (arg == QStringLiteral("--prefix") || arg == QStringLiteral("--suffix")) {
            // The prefix and the suffix have the same capacity.
            static_assert(core::ProgramOptions::kPrefixCapacity ==
                          core::ProgramOptions::kSuffixCapacity);
            const std::string text = value.toStdString();
            if (const auto problem =
                    core::namePieceProblem(value, core::ProgramOptions::kPrefixCapacity))
                return fail(QStringLiteral("%1 %2, not \"%3\"").arg(arg, *problem, value));
            (arg == QStringLiteral("--prefix") ? o.output.outputPrefix : o.output.outputSuffix) =
                text;
        } else {
            return fail(QStringLiteral("unknown option %1").arg(arg));
        }
    }
    if (!o.help && !o.version) {
        const bool settingsOnly = !o.saveSettingsFile.isEmpty() || o.showSettings;
        if (o.queueFile.isEmpty() && o.pictures.isEmpty() && !settingsOnly)
            return fail(QStringLiteral("no picture and no --queue given"));
        if (!o.queueFile.isEmpty() && (!o.settingAssignments.isEmpty() || settingsOnly))
            return fail(QStringLiteral(
                "--set, --save-settings and --show-settings apply to pictures; queue items "
                "carry their own settings"));
        if (queueWaitGiven && o.queueFile.isEmpty())
            return fail(QStringLiteral("--queue-wait applies to --queue"));
        if (!o.queueFile.isEmpty() && !o.pictures.isEmpty())
            return fail(QStringLiteral("give either pictures or --queue, not both"));
        if (!o.queueFile.isEmpty() && !o.settingsFile.isEmpty())
            return fail(
                QStringLiteral("--settings applies to pictures; queue items carry their own"));
    }
    result.options = o;
    return result;
}

}  // namespace cli
