#pragma once
// The caret position and selection remembered for the last ten files, in the INI file
// "scrivane.ini" (section "Files", keys nFileName, nFileSelStart, nFileSelLength, entry
// 1 the most recent).
#include <QString>
#include <optional>

namespace scrivane::app {

struct vorFileInfo {
    QString Filename;
    QString fileSelStart;
    QString fileSelLength;
};

class FileInfoStore {
public:
    explicit FileInfoStore(QString iniPath) : iniPath_(std::move(iniPath)) {}

    // Puts the current file first (when its caret is past 0 or something is selected;
    // otherwise it drops out), followed by the other remembered files.
    void SaveFileInfo(const QString& currentFile, int caret, int selectionLength) const;
    // The remembered entry of a file; a caret beyond textLength reads as 0.
    std::optional<vorFileInfo> GetFileInfo(const QString& path, int textLength) const;

private:
    QString iniPath_;
};

}  // namespace scrivane::app
