#include "shell/AppSettings.h"

#include <QSettings>
#include <QStringList>
#include <algorithm>

#include "format/FormatSets.h"

namespace scrivane::app {

namespace {

const QString kApplication = QStringLiteral("Scrivane");

// One stored setting: its section, its key as the program has always written it, and
// the value it has while it was never written.
struct Key {
    const char* section;
    const char* name;
    const char* fallback;
};

constexpr Key kLanguage{"settings", "language", ""};
constexpr Key kShowToolbar{"settings", "ShowToolbar", "1"};
constexpr Key kShowStatusBar{"settings", "ShowStatusBar", "0"};
constexpr Key kShowRecentFiles{"settings", "ShowRecentFiles", "1"};
constexpr Key kShowFavorites{"settings", "ShowFavorites", "O"};  // the letter O
constexpr Key kOptimizePdf{"settings", "OptimizePDFFileSize", "0"};
constexpr Key kAnimateSvg{"settings", "AnimateSVGFiles", "0"};
constexpr Key kOpenFavoritesMode{"settings", "OpenFavoritesMode", "0"};
constexpr Key kAdjustTextBoxHeight{"settings", "AdjustTextBoxHeight", "0"};
constexpr Key kWordWrap{"settings", "WordWrap", "0"};
constexpr Key kOpenFilterIndex{"settings", "OpenFilterIndex", "1"};
constexpr Key kSaveFilterIndex{"settings", "SaveFilterIndex", "1"};
constexpr Key kOpenSampleFile{"Settings", "OpenSampleFile", "1"};
constexpr Key kHighlighting{"settings", "Highlighting", "1"};
constexpr Key kShowPreview{"settings", "ShowPreview", "0"};
constexpr Key kPreviewWidth{"form", "previewwidth", "0"};
constexpr Key kWindowLeft{"form", "left", "500"};
constexpr Key kWindowTop{"form", "top", "500"};
constexpr Key kWindowWidth{"form", "width", "8000"};
constexpr Key kWindowHeight{"form", "height", "5000"};
constexpr Key kFontName{"text", "font", "MS Sans Serif"};
constexpr Key kFontSize{"text", "fontsize", "10"};
constexpr Key kFontBold{"text", "fontbold", "0"};
constexpr Key kFontItalic{"text", "fontitalic", "0"};
constexpr const char* kRecentSection = "recent";

// The settings of each export format: their names ("show10format") and defaults are the
// engine's, which chooses the format files by them.
constexpr const char* kFormatSection = "settings";
constexpr FormatSetting kShowExportOptions = FormatSetting::ShowOptions;
constexpr FormatSetting kOpenAfterExport = FormatSetting::OpenAfterExport;
constexpr FormatSetting kUseLineOptions = FormatSetting::UseLineOptions;
constexpr FormatSetting kLineOptionsSet = FormatSetting::LineOptionsSet;

// The remembered dialogs, in the order of DialogPlace: the name before "Left" and
// "Top", and the position used before one was stored (none: centred).
constexpr const char* kDialogSection = "settings";
struct DialogKeys {
    const char* name;
    std::optional<int> fallback;
};
constexpr DialogKeys kDialogs[] = {
    {"frmPreferences", std::nullopt}, {"frmModify", 1000},    {"frmPageSetup", std::nullopt},
    {"frmFormat", 0},                 {"frmInsertImage", 500}, {"frmFormatLine", 0}};

// Sections and keys are stored lower-cased, so "Settings"/"ShowToolbar" and
// "settings"/"showtoolbar" name the same value.
QString StoreKey(const QString& section, const QString& key) {
    return (section + QLatin1Char('/') + key).toLower();
}

// The stored text, or the fallback when the value was never written.
QString Stored(const QSettings& store, const QString& section, const QString& key,
               const QString& fallback) {
    const QVariant stored = store.value(StoreKey(section, key));
    if (!stored.isValid()) return fallback;
    // A value edited by hand with unquoted commas in it comes back from an INI file as a
    // list; give it back as the text it was.
    if (stored.typeId() == QMetaType::QStringList) {
        return stored.toStringList().join(QStringLiteral(", "));
    }
    return stored.toString();
}

QString Get(const QSettings& store, const Key& key) {
    return Stored(store, key.section, key.name, key.fallback);
}

void Put(QSettings& store, const Key& key, const QString& value) {
    store.setValue(StoreKey(key.section, key.name), value);
}

QString Get(const QSettings& store, FormatSetting setting, int code) {
    const FormatSettingKey key = FormatSettingOf(setting, code);
    return Stored(store, kFormatSection, QString::fromStdString(key.name),
                  QString::fromLatin1(key.fallback.data(), key.fallback.size()));
}

void Put(QSettings& store, FormatSetting setting, int code, const QString& value) {
    const FormatSettingKey key = FormatSettingOf(setting, code);
    store.setValue(StoreKey(kFormatSection, QString::fromStdString(key.name)), value);
}

QString Flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// "True" as the font settings are written, or "1".
bool TrueWord(const QString& stored) {
    return stored.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
           stored == QLatin1String("1");
}

}  // namespace

AppSettings::AppSettings(const QString& iniPath)
    : store_(iniPath.isEmpty()
                 ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                               kApplication, kApplication)
                 : std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

AppSettings::~AppSettings() = default;

void AppSettings::sync() { store_->sync(); }

QString AppSettings::language() const { return Get(*store_, kLanguage); }
void AppSettings::setLanguage(const QString& name) { Put(*store_, kLanguage, name); }

SettingSwitch AppSettings::showToolbar() const { return SettingSwitch(Get(*store_, kShowToolbar)); }
void AppSettings::setShowToolbar(bool on) { Put(*store_, kShowToolbar, Flag(on)); }

SettingSwitch AppSettings::showStatusBar() const {
    return SettingSwitch(Get(*store_, kShowStatusBar));
}
void AppSettings::setShowStatusBar(bool on) { Put(*store_, kShowStatusBar, Flag(on)); }

SettingSwitch AppSettings::showRecentFiles() const {
    return SettingSwitch(Get(*store_, kShowRecentFiles));
}
void AppSettings::setShowRecentFiles(bool on) { Put(*store_, kShowRecentFiles, Flag(on)); }

SettingSwitch AppSettings::showFavorites() const {
    return SettingSwitch(Get(*store_, kShowFavorites));
}
void AppSettings::setShowFavorites(bool on) { Put(*store_, kShowFavorites, Flag(on)); }

SettingSwitch AppSettings::optimizePdfFileSize() const {
    return SettingSwitch(Get(*store_, kOptimizePdf));
}
void AppSettings::setOptimizePdfFileSize(bool on) { Put(*store_, kOptimizePdf, Flag(on)); }

SettingSwitch AppSettings::animateSvgFiles() const {
    return SettingSwitch(Get(*store_, kAnimateSvg));
}
void AppSettings::setAnimateSvgFiles(bool on) { Put(*store_, kAnimateSvg, Flag(on)); }

SettingSwitch AppSettings::openFavoritesInNewWindow() const {
    return SettingSwitch(Get(*store_, kOpenFavoritesMode));
}
void AppSettings::setOpenFavoritesInNewWindow(bool on) {
    Put(*store_, kOpenFavoritesMode, Flag(on));
}

QString AppSettings::adjustTextBoxHeight() const { return Get(*store_, kAdjustTextBoxHeight); }
void AppSettings::setAdjustTextBoxHeight(const QString& twips) {
    Put(*store_, kAdjustTextBoxHeight, twips);
}

SettingSwitch AppSettings::wordWrap() const { return SettingSwitch(Get(*store_, kWordWrap)); }
void AppSettings::setWordWrap(bool on) { Put(*store_, kWordWrap, Flag(on)); }

int AppSettings::openFilterIndex() const { return Get(*store_, kOpenFilterIndex).toInt(); }
void AppSettings::setOpenFilterIndex(int index) {
    Put(*store_, kOpenFilterIndex, QString::number(index));
}

int AppSettings::saveFilterIndex() const { return Get(*store_, kSaveFilterIndex).toInt(); }
void AppSettings::setSaveFilterIndex(int index) {
    Put(*store_, kSaveFilterIndex, QString::number(index));
}

SettingSwitch AppSettings::openSampleFile() const {
    return SettingSwitch(Get(*store_, kOpenSampleFile));
}
void AppSettings::setOpenSampleFile(bool on) { Put(*store_, kOpenSampleFile, Flag(on)); }

SettingSwitch AppSettings::highlighting() const {
    return SettingSwitch(Get(*store_, kHighlighting));
}
void AppSettings::setHighlighting(bool on) { Put(*store_, kHighlighting, Flag(on)); }

SettingSwitch AppSettings::showPreview() const { return SettingSwitch(Get(*store_, kShowPreview)); }
void AppSettings::setShowPreview(bool on) { Put(*store_, kShowPreview, Flag(on)); }

int AppSettings::previewWidth() const { return std::max(0, Get(*store_, kPreviewWidth).toInt()); }
void AppSettings::setPreviewWidth(int twips) {
    Put(*store_, kPreviewWidth, QString::number(twips));
}

SettingSwitch AppSettings::showExportOptions(int code) const {
    return SettingSwitch(Get(*store_, kShowExportOptions, code));
}
void AppSettings::setShowExportOptions(int code, bool on) {
    Put(*store_, kShowExportOptions, code, Flag(on));
}

SettingSwitch AppSettings::openAfterExport(int code) const {
    return SettingSwitch(Get(*store_, kOpenAfterExport, code));
}
void AppSettings::setOpenAfterExport(int code, bool on) {
    Put(*store_, kOpenAfterExport, code, Flag(on));
}

SettingSwitch AppSettings::useLineOptions(int code) const {
    return SettingSwitch(Get(*store_, kUseLineOptions, code));
}
void AppSettings::setUseLineOptions(int code, bool on) {
    Put(*store_, kUseLineOptions, code, Flag(on));
}

QString AppSettings::lineOptionsSet(int code) const {
    return Get(*store_, kLineOptionsSet, code);
}
void AppSettings::setLineOptionsSet(int code, const QString& name) {
    Put(*store_, kLineOptionsSet, code, name);
}

// A stored whole number is the position; anything else gives the dialog's default.
std::optional<int> AppSettings::dialogLeft(DialogPlace dialog) const {
    const DialogKeys& keys = kDialogs[static_cast<int>(dialog)];
    bool numeric = false;
    const int twips = Stored(*store_, kDialogSection, QString(keys.name) + "Left", QString()).toInt(&numeric);
    return numeric ? std::optional<int>(twips) : keys.fallback;
}

std::optional<int> AppSettings::dialogTop(DialogPlace dialog) const {
    const DialogKeys& keys = kDialogs[static_cast<int>(dialog)];
    bool numeric = false;
    const int twips = Stored(*store_, kDialogSection, QString(keys.name) + "Top", QString()).toInt(&numeric);
    return numeric ? std::optional<int>(twips) : keys.fallback;
}

void AppSettings::setDialogPosition(DialogPlace dialog, int left, int top) {
    const QString name = kDialogs[static_cast<int>(dialog)].name;
    store_->setValue(StoreKey(kDialogSection, name + "Left"), QString::number(left));
    store_->setValue(StoreKey(kDialogSection, name + "Top"), QString::number(top));
}

int AppSettings::windowLeft() const { return Get(*store_, kWindowLeft).toInt(); }
void AppSettings::setWindowLeft(int twips) { Put(*store_, kWindowLeft, QString::number(twips)); }
int AppSettings::windowTop() const { return Get(*store_, kWindowTop).toInt(); }
void AppSettings::setWindowTop(int twips) { Put(*store_, kWindowTop, QString::number(twips)); }
int AppSettings::windowWidth() const { return Get(*store_, kWindowWidth).toInt(); }
void AppSettings::setWindowWidth(int twips) {
    Put(*store_, kWindowWidth, QString::number(twips));
}
int AppSettings::windowHeight() const { return Get(*store_, kWindowHeight).toInt(); }
void AppSettings::setWindowHeight(int twips) {
    Put(*store_, kWindowHeight, QString::number(twips));
}

bool AppSettings::windowSizeStored() const {
    return store_->contains(StoreKey(kWindowWidth.section, kWindowWidth.name)) &&
           store_->contains(StoreKey(kWindowHeight.section, kWindowHeight.name));
}

QString AppSettings::editorFontName() const { return Get(*store_, kFontName); }
void AppSettings::setEditorFontName(const QString& family) { Put(*store_, kFontName, family); }

double AppSettings::editorFontSize() const {
    const double points = Get(*store_, kFontSize).toDouble();
    return points > 0 ? points : QString(kFontSize.fallback).toDouble();
}
void AppSettings::setEditorFontSize(double points) {
    Put(*store_, kFontSize, QString::number(points));
}

bool AppSettings::editorFontBold() const { return TrueWord(Get(*store_, kFontBold)); }
void AppSettings::setEditorFontBold(bool bold) {
    Put(*store_, kFontBold, bold ? QStringLiteral("True") : QStringLiteral("False"));
}

bool AppSettings::editorFontItalic() const { return TrueWord(Get(*store_, kFontItalic)); }
void AppSettings::setEditorFontItalic(bool italic) {
    Put(*store_, kFontItalic, italic ? QStringLiteral("True") : QStringLiteral("False"));
}

QString AppSettings::recentFile(int n) const {
    return Stored(*store_, kRecentSection, QString::number(n), QString());
}
void AppSettings::setRecentFile(int n, const QString& path) {
    store_->setValue(StoreKey(kRecentSection, QString::number(n)), path);
}

}  // namespace scrivane::app
