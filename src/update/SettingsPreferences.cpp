// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/SettingsPreferences.h"

namespace modflash {

SettingsPreferences::SettingsPreferences()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, organisation, application) {}

SettingsPreferences::SettingsPreferences(const QString& fileName)
    : m_settings(fileName, QSettings::IniFormat) {}

std::optional<Preferences::Value> SettingsPreferences::storedValue(const std::string& key) const {
    const QVariant value = m_settings.value(QString::fromStdString(key));
    if (!value.isValid())
        return std::nullopt;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    return value.toString().toStdString();
}

void SettingsPreferences::storeValue(const std::string& key, const Value& value) {
    const QString name = QString::fromStdString(key);
    if (const bool* flag = std::get_if<bool>(&value))
        m_settings.setValue(name, *flag);
    else
        m_settings.setValue(name, QString::fromStdString(std::get<std::string>(value)));
    // Each change is kept at once, so a second front end started now reads it.
    m_settings.sync();
}

} // namespace modflash
