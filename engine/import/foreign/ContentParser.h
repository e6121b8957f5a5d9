#pragma once
// Splits a content stream into operators and their operands.
#include <string>
#include <string_view>
#include <vector>

#include "import/foreign/TokenReader.h"

namespace scrivane::foreign {

// An operand of a content operator. Arrays (for TJ) hold numbers and strings only;
// dictionaries, booleans and nulls are kOther.
struct Operand {
    enum Kind { kNumber, kString, kName, kArray, kOther } kind = kOther;
    double number = 0;
    std::string text;
    std::vector<Operand> items;
};

// What one operator may carry, whatever a stream holds.
constexpr size_t kMaxOperands = 64;          // the oldest are dropped past it
constexpr size_t kMaxArrayItems = 1 << 16;   // items past it are dropped

// Reads operator by operator. Damage never stops it: stray closing brackets are passed
// over, an operator ends any array or dictionary left open, inline image data is skipped.
class ContentParser {
public:
    // The content must outlive the parser.
    explicit ContentParser(std::string_view content) : tokens_(content) {}

    // Reads up to the next operator: operands gets the operands before it; false at the
    // end of the stream.
    bool Next(std::vector<Operand>& operands);
    // The operator Next stopped at.
    const std::string& Operator() const { return token_.getValue(); }

private:
    void Push(Operand operand, std::vector<Operand>& operands);
    // Handles an operand or bracket token; false for an operator word.
    bool Take(const QPDFTokenizer::Token& token, std::vector<Operand>& operands);

    TokenReader tokens_;
    QPDFTokenizer::Token token_;
    int arrayDepth_ = 0, dictDepth_ = 0;
};

}  // namespace scrivane::foreign
