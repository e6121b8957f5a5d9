#include "shell/CommandLine.h"

#include <limits>
#include <optional>

#include "util/Numbers.h"

namespace scrivane::app {

namespace {

const QChar kQuote = QLatin1Char('"');
const QChar kBlank = QLatin1Char(' ');

// Adds a value under a key unless the key is already there: the first value wins.
void AddOnce(CommandLineArgs& args, const QString& key, const QString& value) {
    if (!args.contains(key)) args.insert(key, value);
}

}  // namespace

// One pass from left to right. A blank outside quotes ends a value (which keeps that
// blank), "=" ends a key, a "-" that opens a blank-separated word outside quotes drops
// what was gathered, and whatever is left at the end is the file name. Keys and option
// values are lower-cased; the file name keeps its case.
CommandLineArgs ParseCommandLine(const QString& commandLine) {
    CommandLineArgs args;
    const QString line = commandLine.trimmed();
    QString accumulator;
    QString key;
    bool inQuotes = false;
    bool atWordStart = true;

    for (QChar c : line) {
        const bool wordStart = atWordStart;
        atWordStart = false;
        accumulator.append(c);
        if (c == QLatin1Char('-') && !inQuotes && wordStart) {
            accumulator.clear();
        }
        if (c == QLatin1Char('=')) {
            key = accumulator.left(accumulator.size() - 1).toLower();
            accumulator.clear();
        }
        if (c == kBlank && !inQuotes) {
            AddOnce(args, key, accumulator.toLower());
            accumulator.clear();
            atWordStart = true;
        }
        if (c == kQuote) inQuotes = !inQuotes;
    }

    if (accumulator.startsWith(kQuote)) accumulator.remove(0, 1);
    if (accumulator.endsWith(kQuote)) accumulator.chop(1);
    // The last word is the file name even when an option already used that key.
    args.insert(QStringLiteral("filename"), accumulator);
    return args;
}

// Read as every number the user writes: digits with at most one period, rounded to
// the nearest whole number, halves to the even one.
bool WindowOption(const CommandLineArgs& args, const QString& key, int& value) {
    auto found = args.constFind(key.toLower());
    if (found == args.constEnd()) return false;
    const std::optional<double> number = ParseNumber(found.value().toStdString());
    if (!number) return false;
    const double whole = RoundHalfEven(*number);
    if (whole < 0 || whole > std::numeric_limits<int>::max()) return false;
    value = static_cast<int>(whole);
    return true;
}

}  // namespace scrivane::app
