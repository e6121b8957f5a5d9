// Fuzz target: the INI reader and writer of language files and the caret-position file.
// The input is an existing file: a few keys are read from it, then a value taken from its
// first line is written and must read back as written (line breaks as spaces, at most 254
// characters, an empty value as the default).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "FuzzFile.h"
#include "lang/IniFile.h"

namespace {

QString Expected(QString value) {
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    if (value.size() > 254) value.truncate(value.at(253).isHighSurrogate() ? 253 : 254);
    return value.isEmpty() ? QStringLiteral("default") : value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using scrivane::app::IniFile;
    static FuzzFile file(".lng");
    const QString path = QString::fromStdString(file.Write(data, size));
    for (const char* key : {"File", "Save As", "Print", ""}) {
        IniFile::ReadValue(path, QStringLiteral("Captions"), QString::fromLatin1(key));
        IniFile::ReadValue(path, QStringLiteral("errors"), QString::fromLatin1(key), "x");
    }
    qsizetype end = 0;
    while (end < static_cast<qsizetype>(size) && end < 300 && data[end] != '\n') ++end;
    const QString value = QString::fromLatin1(reinterpret_cast<const char*>(data), end);
    if (!IniFile::WriteValue(path, QStringLiteral("Fuzz"), QStringLiteral("key"), value)) {
        std::abort();
    }
    QString back = IniFile::ReadValue(path, QStringLiteral("fuzz"), QStringLiteral("KEY"),
                                      QStringLiteral("default"));
    if (back != Expected(value)) std::abort();
    return 0;
}
