#pragma once
// What the layout tests share: a text laid out line by line and the runs it gives.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TestSupport.h"
#include "document/vorDocument.h"

namespace scrivane::test {

using Lines = std::vector<std::string>;

struct PlacedRun {
    int page;
    const vorText* text;
    const vorContent* block;
    const std::string& font() const { return block->FontName(*text); }
    std::string_view Text() const { return block->Text(*text); }
};

inline vorFormat Condition(const std::string& type, const std::string& value) {
    vorFormat c;
    c.conditionType = type;
    c.conditionValue = value;
    return c;
}

inline std::string Join(const Lines& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
}

// Ordinary runs (block 1) of every page, in order.
inline std::vector<PlacedRun> Runs(const vorDocument& doc) {
    std::vector<PlacedRun> runs;
    for (int p = 1; p <= doc.Pages.PagesCount(); ++p) {
        const vorPage& page = doc.Pages[p];
        if (page.Contents.empty()) continue;
        for (const vorText& t : page.Contents[0].Texts) runs.push_back({p, &t, &page.Contents[0]});
    }
    return runs;
}

inline Lines Texts(const vorDocument& doc) {
    Lines texts;
    for (const PlacedRun& r : Runs(doc)) texts.emplace_back(r.Text());
    return texts;
}

class Layout : public ::testing::Test {
protected:
    vorDocument& Lay(const Lines& lines, vorFormat format = test::DefaultFormat(), int target = 10) {
        doc = std::make_unique<vorDocument>(options);
        doc->AddBuffer(Join(lines), std::move(format), "", target);
        return *doc;
    }
    EngineOptions options;
    std::unique_ptr<vorDocument> doc;
};

inline Lines Numbered(int count) {
    Lines lines;
    for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
    return lines;
}

// The last line on page 1 of a text of short lines.
inline std::string LastOnFirstPage(const vorDocument& doc) {
    std::string last;
    for (const PlacedRun& r : Runs(doc)) {
        if (r.page == 1) last = r.Text();
    }
    return last;
}

}  // namespace scrivane::test
