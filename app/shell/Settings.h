#pragma once
// Every setting the program keeps per user, read with its default at the moment of use.
// Section and key names compare without letter case. Stored through QSettings: the
// native place (an INI file under the user's config folder here), or, when the user
// folder is overridden (SCRIVANE_USER_DIR), a file in that folder.
#include <QString>
#include <memory>

class QSettings;

namespace scrivane::app {

class Settings {
public:
    // iniPath empty: the native store of the application "Scrivane".
    explicit Settings(const QString& iniPath = QString());
    ~Settings();

    QString value(const QString& section, const QString& key,
                  const QString& defaultValue = QString()) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    void sync();

private:
    std::unique_ptr<QSettings> store_;
};

}  // namespace scrivane::app
