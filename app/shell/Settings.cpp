#include "shell/Settings.h"

#include <QSettings>
#include <QStringList>

namespace scrivane::app {

namespace {

const QString kApplication = QStringLiteral("Scrivane");

// Sections and keys are stored lower-cased, so "Settings"/"ShowToolbar" and
// "settings"/"showtoolbar" name the same value.
QString StoreKey(const QString& section, const QString& key) {
    if (section.isEmpty()) return key.toLower();
    return (section + QLatin1Char('/') + key).toLower();
}

}  // namespace

Settings::Settings(const QString& iniPath)
    : store_(iniPath.isEmpty()
                 ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                               kApplication, kApplication)
                 : std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

Settings::~Settings() = default;

// The stored text, or the default when the value was never written.
QString Settings::value(const QString& section, const QString& key,
                        const QString& defaultValue) const {
    const QVariant stored = store_->value(StoreKey(section, key));
    if (!stored.isValid()) return defaultValue;
    // A value edited by hand with unquoted commas in it comes back from an INI file as a
    // list; give it back as the text it was.
    if (stored.typeId() == QMetaType::QStringList) {
        return stored.toStringList().join(QStringLiteral(", "));
    }
    return stored.toString();
}

void Settings::setValue(const QString& section, const QString& key, const QString& value) {
    store_->setValue(StoreKey(section, key), value);
}

void Settings::sync() { store_->sync(); }

}  // namespace scrivane::app
