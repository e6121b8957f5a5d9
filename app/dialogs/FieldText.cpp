#include "dialogs/FieldText.h"

#include "shell/TextFileCodec.h"
#include "util/Numbers.h"

namespace scrivane::app {

std::string FieldToFormat(const QString& text) { return ToEngineText(text).text; }

QString FieldFromFormat(const std::string& text) { return FromEngineText(text); }

std::string PropertyToFormat(const QString& text) { return text.toStdString(); }

QString PropertyFromFormat(const std::string& utf8) { return QString::fromStdString(utf8); }

bool IsNumber(const QString& text) { return IsNumeric(FieldToFormat(text)); }

std::optional<int16_t> WholeNumber(const QString& text) {
    const std::string number = FieldToFormat(text);
    return IsNumeric(number) ? ToInt16(number) : std::nullopt;
}

std::optional<int16_t> WholeNumberIn(const QString& text, int least, int most) {
    const std::optional<int16_t> value = WholeNumber(text);
    return value && *value >= least && *value <= most ? value : std::nullopt;
}

}  // namespace scrivane::app
