#pragma once
// Which format file the editor reads and writes for an export format: the default file,
// the standard line options file ("[Default]") and the named sets of settings/. Files
// are written in the user folder; they are read as the engine chooses for every export
// (the user's copy, else the shipped template), so the editor and the command line
// agree.
#include <QString>
#include <QStringList>
#include <string>

#include "format/FormatFileSelection.h"

namespace scrivane::app {

class AppPaths;

// The files an export hands to the engine; lineOptions empty when none is read.
struct ExportFormatFiles {
    QString formatFile;
    QString lineOptions;
};

class FormatFilePlaces {
public:
    explicit FormatFilePlaces(const AppPaths& paths) : paths_(paths) {}

    // "[Default]", or nothing chosen, is the standard line options file.
    static bool IsStandardSet(const QString& set);

    // Where the default file of a format is written, and where it is read from.
    QString defaultFile(int code) const;
    QString defaultFileToRead(int code) const;
    // The same for a set of line options. A named set that exists nowhere reads as the
    // standard file: an export never lays text out with no line options because a
    // chosen set was removed, and never creates an empty file in its place.
    QString lineOptionsFile(int code, const QString& set) const;
    QString lineOptionsFileToRead(int code, const QString& set) const;
    bool setExists(int code, const QString& set) const;

    // The named sets of a format, without "[Default]".
    QStringList namedSets(int code) const;
    QString settingsFolder() const;

    // A chosen file name with the set ending of the format ("Report" ->
    // "Report.pdf.format.vantor.dorvex").
    static QString WithSetSuffix(const QString& chosen, int code);
    // The file dialog's filter of a format's sets: "<description> (*.pdf.format...)".
    static QString SetFilter(const QString& description, int code);
    // True for the program's own default and standard files, which a named set may
    // not replace.
    bool isReserved(const QString& path) const;

    // The files of an export; a missing default file is first copied from its template
    // into the user folder.
    ExportFormatFiles ForExport(int code, bool useLineOptions, const QString& set) const;

private:
    // The engine's choice: the user's file, else the shipped template, else nothing.
    FormatFileChoice Choose(int code, bool useLineOptions, const QString& set) const;

    const AppPaths& paths_;
};

// A file name as the engine takes it.
std::string EnginePath(const QString& path);

}  // namespace scrivane::app
