#pragma once
// qpdf's tokenizer over data in memory (a content stream, a CMap), made to go forward on
// anything: a token it refuses is stepped over a byte at a time.
#include <memory>
#include <string_view>

#include <qpdf/Buffer.hh>
#include <qpdf/BufferInputSource.hh>
#include <qpdf/QPDFTokenizer.hh>

namespace scrivane::foreign {

class TokenReader {
public:
    // The data must outlive the reader; it is read where it is, not copied.
    explicit TokenReader(std::string_view data);
    TokenReader(const TokenReader&) = delete;
    TokenReader& operator=(const TokenReader&) = delete;

    // The next token; false at the end of the data. Comments and blanks are skipped.
    bool Next(QPDFTokenizer::Token& token);
    // Steps over inline image data up to its "EI", after an "ID" operator.
    void SkipInlineImage();

private:
    size_t size_;
    Buffer buffer_;
    std::shared_ptr<BufferInputSource> input_;
    QPDFTokenizer tokenizer_;
};

}  // namespace scrivane::foreign
