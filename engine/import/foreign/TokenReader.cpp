#include "import/foreign/TokenReader.h"

#include <cstdio>
#include <string>

namespace scrivane::foreign {

namespace {
// Names for qpdf's messages, made once: readToken takes them as std::string.
const std::string kContext = "content";
const std::string kInlineImage = "inline image";
}  // namespace

TokenReader::TokenReader(std::string_view data)
    : size_(data.size()),
      buffer_(reinterpret_cast<unsigned char*>(const_cast<char*>(data.data())), data.size()),
      input_(std::make_shared<BufferInputSource>("content stream", &buffer_, false)) {
    tokenizer_.allowEOF();
}

bool TokenReader::Next(QPDFTokenizer::Token& token) {
    for (;;) {
        qpdf_offset_t before = input_->tell();
        token = tokenizer_.readToken(input_, kContext, true, 0);
        if (token.getType() == QPDFTokenizer::tt_eof) return false;
        if (input_->tell() > before) return true;
        // Never stand still on a token the tokenizer refuses.
        input_->seek(before + 1, SEEK_SET);
        if (input_->tell() >= static_cast<qpdf_offset_t>(size_)) return false;
    }
}

void TokenReader::SkipInlineImage() {
    tokenizer_.expectInlineImage(input_);
    tokenizer_.readToken(input_, kInlineImage, true, 0);
}

}  // namespace scrivane::foreign
