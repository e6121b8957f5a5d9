#include "import/foreign/ContentParser.h"

#include <cmath>
#include <utility>

#include "util/Numbers.h"

namespace scrivane::foreign {

namespace {

// A number token's value, 0 when it is not finite.
double NumberValue(const std::string& text) {
    std::optional<double> value = ParseNumber(text);
    return value && std::isfinite(*value) ? *value : 0;
}

Operand Make(Operand::Kind kind, std::string text = {}) {
    Operand operand;
    operand.kind = kind;
    operand.text = std::move(text);
    return operand;
}

}  // namespace

void ContentParser::Push(Operand operand, std::vector<Operand>& operands) {
    if (dictDepth_ > 0) return;
    if (arrayDepth_ > 0) {
        bool item = operand.kind == Operand::kNumber || operand.kind == Operand::kString;
        if (arrayDepth_ == 1 && item && !operands.empty() &&
            operands.back().items.size() < kMaxArrayItems) {
            operands.back().items.push_back(std::move(operand));
        }
        return;
    }
    if (operands.size() >= kMaxOperands) operands.clear();
    operands.push_back(std::move(operand));
}

bool ContentParser::Take(const QPDFTokenizer::Token& token, std::vector<Operand>& operands) {
    switch (token.getType()) {
        case QPDFTokenizer::tt_integer:
        case QPDFTokenizer::tt_real: {
            Operand operand = Make(Operand::kNumber);
            operand.number = NumberValue(token.getValue());
            Push(std::move(operand), operands);
            break;
        }
        case QPDFTokenizer::tt_string:
            Push(Make(Operand::kString, token.getValue()), operands);
            break;
        case QPDFTokenizer::tt_name:
            Push(Make(Operand::kName, token.getValue()), operands);
            break;
        case QPDFTokenizer::tt_array_open:
            if (dictDepth_ == 0 && arrayDepth_ == 0) Push(Make(Operand::kArray), operands);
            if (dictDepth_ == 0) ++arrayDepth_;
            break;
        case QPDFTokenizer::tt_array_close:
            if (dictDepth_ == 0 && arrayDepth_ > 0) --arrayDepth_;
            break;
        case QPDFTokenizer::tt_dict_open:
            if (dictDepth_ == 0) Push(Operand{}, operands);
            ++dictDepth_;
            break;
        case QPDFTokenizer::tt_dict_close:
            if (dictDepth_ > 0) --dictDepth_;
            break;
        case QPDFTokenizer::tt_bool:
        case QPDFTokenizer::tt_null:
            Push(Operand{}, operands);
            break;
        case QPDFTokenizer::tt_word:
            return false;
        default:
            break;
    }
    return true;
}

bool ContentParser::Next(std::vector<Operand>& operands) {
    operands.clear();
    while (tokens_.Next(token_)) {
        if (Take(token_, operands)) continue;
        arrayDepth_ = 0;
        dictDepth_ = 0;
        if (token_.getValue() == "ID") {
            // Inline image data: skipped up to its "EI".
            tokens_.SkipInlineImage();
            operands.clear();
            continue;
        }
        return true;
    }
    return false;
}

}  // namespace scrivane::foreign
