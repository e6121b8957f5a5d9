#pragma once
// What the dialogs of format files share about the text of their fields: the engine
// keeps Windows-1252 text, and a number the user types counts only when it is one (the
// engine's rule) and fits the 16 bits format files hold.
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace scrivane::app {

// A field's text as the format object holds it, and back.
std::string FieldToFormat(const QString& text);
QString FieldFromFormat(const std::string& text);
// The same for a document property (title, subject, author, keywords), which the format
// object holds as UTF-8: every character kept.
std::string PropertyToFormat(const QString& text);
QString PropertyFromFormat(const std::string& utf8);

bool IsNumber(const QString& text);
// The nearest whole number (halves to even); nullopt when the text is not a number or
// its value does not fit 16 bits.
std::optional<int16_t> WholeNumber(const QString& text);
// The same, only when the value lies within [least, most].
std::optional<int16_t> WholeNumberIn(const QString& text, int least, int most);

}  // namespace scrivane::app
