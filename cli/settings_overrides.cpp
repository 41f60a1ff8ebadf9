#include "cli/settings_overrides.h"

#include <vector>

#include "core/settings/settings_fields.h"

namespace cli {

namespace {

constexpr int32_t kLargestColour = 0xFFFFFF;

core::Failure bad(const QString& message) {
    return core::failure("ER_SETTING_VALUE", message);
}

bool parseNumber(const QString& text, int32_t& value) {
    bool ok = false;
    value = text.trimmed().toInt(&ok, 10);
    return ok;
}

core::Status setNumbers(const core::SettingsField& field, core::SettingsBlock& settings,
                        const QString& name, const QString& text) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 1 && parts.size() != qsizetype(field.count))
        return bad(QStringLiteral("%1 takes one number for all its %2 values, or %2 numbers "
                                  "separated by commas")
                       .arg(name)
                       .arg(field.count));
    std::vector<int32_t> values;
    for (const QString& part : parts) {
        int32_t v = 0;
        if (!parseNumber(part, v))
            return bad(QStringLiteral("%1 takes a whole number, not \"%2\"").arg(name, part));
        values.push_back(v);
    }
    for (int32_t v : values)
        if (!core::acceptsValue(field, v)) {
            // The table's own message names the range.
            core::SettingsBlock probe;
            const core::Status s = core::setFieldValue(field, probe, v);
            return bad(s ? QStringLiteral("%1 cannot take %2").arg(name).arg(v)
                         : s.failure().detail);
        }
    int32_t* target = field.ints(settings);
    for (size_t i = 0; i < field.count; ++i)
        target[i] = values.size() == 1 ? values[0] : values[i];
    return {};
}

QString valueText(const core::SettingsField& field, const core::SettingsBlock& block) {
    if (field.type == core::FieldType::Text)
        return QString::fromUtf8(core::fieldText(field, block));
    QStringList values;
    for (size_t i = 0; i < field.count; ++i)
        values << QString::number(core::fieldInt(field, block, i));
    return values.join(u',');
}

bool sameValue(const core::SettingsField& field, const core::SettingsBlock& a,
               const core::SettingsBlock& b) {
    if (field.type == core::FieldType::Text)
        return core::fieldText(field, a) == core::fieldText(field, b);
    for (size_t i = 0; i < field.count; ++i)
        if (core::fieldInt(field, a, i) != core::fieldInt(field, b, i)) return false;
    return true;
}

}  // namespace

core::Status applySetting(core::SettingsBlock& settings, const QString& assignment) {
    const qsizetype eq = assignment.indexOf(u'=');
    if (eq <= 0) return bad(QStringLiteral("--set takes NAME=VALUE, not \"%1\"").arg(assignment));
    const QString name = assignment.left(eq).trimmed();
    const QString value = assignment.mid(eq + 1);
    const core::SettingsField* field = core::findSettingsField(name.toStdString());
    if (!field) return bad(QStringLiteral("there is no setting named \"%1\"").arg(name));
    const QString fieldName = QLatin1String(field->name);
    if (field->rule == core::FieldRule::Version)
        return bad(QStringLiteral("%1 is the format version of the settings and cannot be set")
                       .arg(fieldName));
    if (field->type != core::FieldType::Text) return setNumbers(*field, settings, fieldName, value);

    if (field->stored == core::StoredAs::DecimalColour) {
        int32_t colour = 0;
        if (!parseNumber(value, colour) || colour < 0 || colour > kLargestColour)
            return bad(QStringLiteral("%1 takes a colour as a decimal number 0 to %2 (red + 256 "
                                      "x green + 65536 x blue), not \"%3\"")
                           .arg(fieldName)
                           .arg(kLargestColour)
                           .arg(value));
        return core::setFieldText(*field, settings, QString::number(colour).toStdString());
    }
    const core::Status s = core::setFieldText(*field, settings, value.toStdString());
    if (!s) return bad(s.failure().detail);
    return {};
}

QStringList settingsDifferences(const core::SettingsBlock& settings,
                                const core::SettingsBlock& defaults) {
    QStringList lines;
    for (const core::SettingsField& f : core::settingsFields())
        if (!sameValue(f, settings, defaults))
            lines << QStringLiteral("%1=%2").arg(QLatin1String(f.name), valueText(f, settings));
    return lines;
}

}  // namespace cli
