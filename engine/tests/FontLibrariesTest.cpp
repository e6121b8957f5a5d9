// The font libraries are loaded at run time: a missing library or function is a clean,
// explained failure, never a crash, and the loading is done once whoever asks first.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

#include "font/FontLibraries.h"
#include "font/UnicodeFonts.h"

namespace scrivane {
namespace {

FontLibraryNames WithHarfBuzz(const std::string& name) {
    FontLibraryNames names;
    names.harfbuzz = name;
    return names;
}

TEST(FontLibraries, AMissingLibraryIsNamedInTheError) {
    FontLibraries missing(WithHarfBuzz("libscrivane-no-such-library.so.0"));
    EXPECT_EQ(missing.error(), "");  // nothing asked for yet
    EXPECT_EQ(missing.Functions(), nullptr);
    EXPECT_NE(missing.error().find("libscrivane-no-such-library.so.0"), std::string::npos)
        << missing.error();
    EXPECT_EQ(missing.Functions(), nullptr);  // asked again: the same answer, no retry crash

    // The last library too: the ones before it loading does not hide its absence.
    FontLibraryNames names;
    names.fontconfig = "libscrivane-no-fontconfig.so.1";
    FontLibraries lastMissing(names);
    EXPECT_EQ(lastMissing.Functions(), nullptr);
    EXPECT_NE(lastMissing.error().find("libscrivane-no-fontconfig.so.1"), std::string::npos)
        << lastMissing.error();
}

TEST(FontLibraries, ALibraryWithoutTheFunctionsNamesTheMissingOne) {
    // A real library, but not the one asked for: its functions are not HarfBuzz's.
    FontLibraries wrong(WithHarfBuzz("libz.so.1"));
    EXPECT_EQ(wrong.Functions(), nullptr);
    EXPECT_NE(wrong.error().find("hb_"), std::string::npos) << wrong.error();
}

TEST(FontLibraries, ThreadsAskingAtOnceShareOneLoad) {
    FontLibraries system;
    std::vector<const void*> seen(4, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&, i] { seen[i] = system.Functions(); });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_NE(seen[0], nullptr) << system.error();
    EXPECT_EQ(std::set<const void*>(seen.begin(), seen.end()).size(), 1u);
    EXPECT_EQ(system.error(), "");
}

TEST(UnicodeFonts, WithoutTheLibrariesNoFaceAndTheReason) {
    FontLibraries missing(WithHarfBuzz("libscrivane-no-such-library.so.0"));
    UnicodeFonts fonts(missing);
    EXPECT_EQ(fonts.Unavailable(), "");
    EXPECT_EQ(fonts.ForFont("Helvetica", false, false), nullptr);
    EXPECT_EQ(fonts.ForFont("DejaVu Serif", true, false), nullptr);
    EXPECT_FALSE(fonts.CanShow(U'Ж'));
    EXPECT_NE(fonts.Unavailable().find("libscrivane-no-such-library.so.0"), std::string::npos);
    // The program's own faces are untouched by another set's failure.
    EXPECT_NE(UnicodeFonts::Shared().ForFont("Helvetica", false, false), nullptr);
    EXPECT_EQ(UnicodeFonts::Shared().Unavailable(), "");
}

}  // namespace
}  // namespace scrivane
