#include "lang/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <optional>
#include <string_view>

#include "util/Encoding.h"

namespace scrivane::app {

namespace {

constexpr qsizetype kMaxValueLength = 254;
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Bytes of an INI file to text: UTF-8 when the bytes are valid UTF-8 (a leading byte
// order mark is dropped), Windows-1252 otherwise.
QString DecodeIniBytes(const QByteArray& bytes) {
    if (IsValidUtf8(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
        return QString::fromUtf8(bytes.startsWith(kUtf8Bom) ? bytes.mid(kUtf8Bom.size()) : bytes);
    }
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        // Every Windows-1252 character lies in the Basic Multilingual Plane.
        text.append(QChar(char16_t(Cp1252CodePoint(static_cast<unsigned char>(c)))));
    }
    return text;
}

// The lines of a file's text, without their CR LF or LF.
QStringList SplitLines(const QString& text) {
    if (text.isEmpty()) return {};
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) line.chop(1);
    }
    if (lines.last().isEmpty()) lines.removeLast();  // the final line end
    return lines;
}

// True when the line opens a section; *name gets the text between the brackets.
bool SectionLine(const QString& line, QString* name) {
    QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'[')) return false;
    qsizetype close = trimmed.indexOf(u']');
    *name = (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
    return true;
}

// True when the line is "key = value" (not a comment, not blank, key not empty).
bool EntryLine(const QString& line, QString* key, QString* value) {
    QString trimmed = line.trimmed();
    if (trimmed.startsWith(u';')) return false;
    qsizetype equals = trimmed.indexOf(u'=');
    if (equals <= 0) return false;
    *key = trimmed.left(equals).trimmed();
    if (key->isEmpty()) return false;
    *value = trimmed.mid(equals + 1).trimmed();
    return true;
}

bool Quoted(const QString& value) {
    return value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"');
}

// A raw value as a reader sees it: surrounding quotes dropped, at most 254 characters.
QString ShownValue(QString value) {
    if (Quoted(value)) value = value.mid(1, value.size() - 2);
    if (value.size() > kMaxValueLength) {
        qsizetype keep = kMaxValueLength;
        if (value.at(keep - 1).isHighSurrogate()) --keep;  // never split a pair
        value.truncate(keep);
    }
    return value;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A name as SameName compares it: each character case-folded, surrogate pairs as one.
QString FoldedName(const QString& name) {
    QString folded;
    folded.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            const char32_t code = QChar::toCaseFolded(QChar::surrogateToUcs4(c, name.at(++i)));
            folded.append(QChar(QChar::highSurrogate(code)));
            folded.append(QChar(QChar::lowSurrogate(code)));
        } else {
            folded.append(QChar(QChar::toCaseFolded(c.unicode())));
        }
    }
    return folded;
}

// The lines of a file, or nullopt when it cannot be opened.
std::optional<QStringList> ReadLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return SplitLines(DecodeIniBytes(file.readAll()));
}

bool HasLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

}  // namespace

std::optional<IniSections> IniSections::Read(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    const std::optional<QStringList> lines = ReadLines(path);
    if (!lines) return std::nullopt;
    IniSections read;
    QHash<QString, QString>* current = nullptr;  // entries before any section belong to none
    QString name, entryKey, entryValue;
    for (const QString& line : *lines) {
        if (SectionLine(line, &name)) {
            current = &read.sections_[FoldedName(name)];  // a repeated section adds to the first
        } else if (current && EntryLine(line, &entryKey, &entryValue)) {
            const QString folded = FoldedName(entryKey);
            if (!current->contains(folded)) current->insert(folded, ShownValue(entryValue));
        }
    }
    return read;
}

QString IniSections::Value(const QString& section, const QString& key,
                           const QString& defaultValue) const {
    const auto entries = sections_.constFind(FoldedName(section.trimmed()));
    if (entries == sections_.cend()) return defaultValue;
    const QString value = entries->value(FoldedName(key.trimmed()));
    return value.isEmpty() ? defaultValue : value;
}

QString IniFile::ReadValue(const QString& path, const QString& section, const QString& key,
                           const QString& defaultValue) {
    if (path.isEmpty()) return QString();
    const std::optional<QStringList> read = ReadLines(path);
    if (!read) return defaultValue;
    const QStringList& lines = *read;

    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    bool inSection = false;
    QString name, entryKey, entryValue;
    for (const QString& line : lines) {
        if (SectionLine(line, &name)) {
            inSection = SameName(name, wantedSection);
        } else if (inSection && EntryLine(line, &entryKey, &entryValue) &&
                   SameName(entryKey, wantedKey)) {
            QString value = ShownValue(entryValue);
            return value.isEmpty() ? defaultValue : value;
        }
    }
    return defaultValue;
}

bool IniFile::WriteValue(const QString& path, const QString& section, const QString& key,
                         const QString& value) {
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    // Names that could not be read back as written are refused.
    if (path.isEmpty() || sectionName.isEmpty() || keyName.isEmpty() ||
        HasLineBreak(section) || HasLineBreak(key) || sectionName.contains(u']') ||
        keyName.contains(u'=') || keyName.startsWith(u'[') || keyName.startsWith(u';')) {
        return false;
    }

    // A value holds no line break; blanks at its ends or quotes around it survive the
    // reader's trimming only inside a further pair of quotes.
    QString stored = value;
    stored.replace(QLatin1String("\r\n"), QLatin1String(" "));
    stored.replace(u'\r', u' ');
    stored.replace(u'\n', u' ');
    if (stored != stored.trimmed() || Quoted(stored)) stored = u'"' + stored + u'"';
    const QString entry = keyName + u'=' + stored;

    QByteArray bytes;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) return false;
        bytes = existing.readAll();
        existing.close();
    }
    const QString text = DecodeIniBytes(bytes);
    const QString lineEnd = text.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n")
                                                                 : QStringLiteral("\n");
    QStringList lines = SplitLines(text);

    // The key's line in any section of that name; else the last non-blank line of the
    // first such section, after which the key is added.
    qsizetype keyLine = -1, firstSectionEnd = -1;
    bool inSection = false, inFirstSection = false;
    QString name, entryKey, entryValue;
    for (qsizetype i = 0; i < lines.size() && keyLine < 0; ++i) {
        if (SectionLine(lines[i], &name)) {
            inSection = SameName(name, sectionName);
            inFirstSection = inSection && firstSectionEnd < 0;
            if (inFirstSection) firstSectionEnd = i;
        } else if (inSection) {
            if (inFirstSection && !lines[i].trimmed().isEmpty()) firstSectionEnd = i;
            if (EntryLine(lines[i], &entryKey, &entryValue) && SameName(entryKey, keyName)) {
                keyLine = i;
            }
        }
    }

    if (keyLine >= 0) {
        lines[keyLine] = entry;
    } else if (firstSectionEnd >= 0) {
        lines.insert(firstSectionEnd + 1, entry);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines.append(QString());
        lines.append(u'[' + sectionName + u']');
        lines.append(entry);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QByteArray out = bytes.startsWith(kUtf8Bom) ? kUtf8Bom : QByteArray();
    out += (lines.join(lineEnd) + lineEnd).toUtf8();
    if (file.write(out) != out.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace scrivane::app
