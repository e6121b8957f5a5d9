// Pictures named in a text: what the probe reads from a JPEG, where a relative name is
// found, what is reported when a picture cannot be placed, and pictures wider than the
// page.
#include <gtest/gtest.h>

#include <filesystem>

#include "LayoutFixture.h"
#include "util/TextUtil.h"

namespace scrivane {
namespace {

std::string TestImage(const std::string& name) {
    return test::ReadFile(std::string(SCRIVANE_TESTDATA) + "/" + name);
}

TEST(JpegHeader, ComponentsAndAdobeMarker) {
    JpegSize size;
    ASSERT_EQ(ProbeJpegBytes(TestImage("gray.jpg"), size), kJpegOk);
    EXPECT_EQ(size.components, 1);
    ASSERT_EQ(ProbeJpegBytes(TestImage("cmyk.jpg"), size), kJpegOk);
    EXPECT_EQ(size.components, 4);
    EXPECT_TRUE(size.adobeMarker);
    ASSERT_EQ(ProbeJpegBytes(TestImage("logo.jpg"), size), kJpegOk);
    EXPECT_EQ(size.components, 3);
    EXPECT_EQ(size.width, 160);
}

TEST(JpegHeader, AFileCutShortIsRefused) {
    const std::string whole = TestImage("logo.jpg");
    JpegSize size;
    for (size_t keep : {whole.size() - 2, whole.size() / 2, size_t(400)}) {
        EXPECT_EQ(ProbeJpegBytes(whole.substr(0, keep), size), kJpegNotJpeg) << keep;
    }
    EXPECT_EQ(ProbeJpegBytes(whole + "trailing bytes", size), kJpegOk);
}

TEST(ImageNames, RelativeNamesLiveBesideTheText) {
    EXPECT_EQ(PathBeside("pic.jpg", "/texts"), "/texts/pic.jpg");
    EXPECT_EQ(PathBeside("sub/pic.jpg", "/texts/"), "/texts/sub/pic.jpg");
    EXPECT_EQ(PathBeside("/abs/pic.jpg", "/texts"), "/abs/pic.jpg");
    EXPECT_EQ(PathBeside("pic.jpg", ""), "pic.jpg");
}

class ImagePlacement : public test::Layout {
protected:
    ImagePlacement() {
        std::filesystem::create_directories(dir.path() / "texts");
        options.textFolder = dir.File("texts");
    }
    void Put(const std::string& name, const std::string& bytes) {
        test::WriteFile(dir.File("texts/" + name), bytes);
    }
    const std::vector<vorImage>& Images() { return doc->Pages[1].Contents[0].Images; }

    test::TempDir dir;
};

TEST_F(ImagePlacement, RelativeNamesAreFoundBesideTheText) {
    Put("logo.jpg", TestImage("logo.jpg"));
    Lay({"<img src='logo.jpg'>", "text"});
    ASSERT_EQ(Images().size(), 1u);
    EXPECT_EQ(Images()[0].ImageFileName, "logo.jpg");  // as written, for SVG links
    EXPECT_EQ(Images()[0].ImagePath, dir.File("texts/logo.jpg"));
    EXPECT_TRUE(doc->GetDiagnostics().empty());
    std::string pdf;
    ASSERT_EQ(doc->Build(kTargetPdf, pdf), kSaveOk);  // the writer reads it from there
}

TEST_F(ImagePlacement, PicturesThatCannotBePlacedAreReportedWithTheirLine) {
    Put("fake.jpg", "not a picture");
    Put("cut.jpg", TestImage("logo.jpg").substr(0, 500));
    vorFormat format = test::DefaultFormat();
    vorFormat condition = test::Condition("leftlinevalue", "@pic");
    condition.ImageFile = "nowhere.jpg";
    format.ListeFormats.push_back(condition);
    Lay({"<img src='gone.jpg'>", "<img src='fake.jpg'>", "<img src='cut.jpg'>",
         "<img src='pic.gif'>", "@pic", "<set>imgheader=absent.jpg"},
        format);
    const Diagnostics& found = doc->GetDiagnostics();
    ASSERT_EQ(found.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(found[i].line, i + 1);
        EXPECT_EQ(found[i].kind, DiagnosticKind::kImageNotPlaced);
    }
    EXPECT_EQ(found[0].text, "gone.jpg");
    EXPECT_NE(found[0].message.find(dir.File("texts/gone.jpg")), std::string::npos);
    EXPECT_NE(found[2].message.find("cut short"), std::string::npos);
    EXPECT_EQ(found[4].text, "nowhere.jpg");
    EXPECT_TRUE(doc->Pages[1].Contents.empty() || Images().empty());
}

TEST_F(ImagePlacement, WidePicturesWithoutASizeAreNarrowedToThePage) {
    Put("wide.jpg", TestImage("wide.jpg"));  // 900 x 60 pixels
    Put("logo.jpg", TestImage("logo.jpg"));  // 160 x 100 pixels
    Lay({"<img src='wide.jpg'>", "<img src='wide.jpg' x='100'>", "<img src='wide.jpg' width='580'>",
         "<img src='logo.jpg' x='420'>", "<set>imgheader=wide.jpg"});
    ASSERT_EQ(Images().size(), 4u);
    EXPECT_EQ(Images()[0].ImageWidth, 596 - 40 - 40);  // the left margin kept on the right
    EXPECT_EQ(Images()[0].ImageHeight, 34);            // 60 x 516 / 900, kept in proportion
    EXPECT_EQ(Images()[1].ImageWidth, 596 - 100 - 40);
    EXPECT_EQ(Images()[2].ImageWidth, 580);  // a size given is the writer's choice
    EXPECT_EQ(Images()[3].ImageWidth, 160);  // on the page, if in the margin: left alone
    std::string pdf;
    ASSERT_EQ(doc->Build(kTargetPdf, pdf), kSaveOk);
    const vorImage& header = doc->Pages[1].Contents.back().Images.back();
    EXPECT_EQ(header.ImageWidth, 516);  // header pictures alike
}

TEST_F(ImagePlacement, EachJpegIsWrittenInItsOwnColourModel) {
    Put("gray.jpg", TestImage("gray.jpg"));
    Put("cmyk.jpg", TestImage("cmyk.jpg"));
    Put("logo.jpg", TestImage("logo.jpg"));
    Lay({"<img src='gray.jpg'>", "<img src='cmyk.jpg'>", "<img src='logo.jpg'>"});
    std::string pdf;
    ASSERT_EQ(doc->Build(kTargetPdf, pdf), kSaveOk);
    auto object = [&](const char* name) {  // the XObject dictionary of one picture
        size_t width = pdf.find(name);
        return width == std::string::npos ? std::string() : pdf.substr(width, 120);
    };
    EXPECT_NE(object("/Width 64\n/Height 32").find("/ColorSpace/DeviceGray\n/Length"),
              std::string::npos);
    // Two objects are 64 x 32: the gray one first, the CMYK one after it.
    size_t cmyk = pdf.find("/ColorSpace/DeviceCMYK\n/Decode[1 0 1 0 1 0 1 0]\n/Length");
    EXPECT_NE(cmyk, std::string::npos);
    EXPECT_NE(object("/Width 160\n/Height 100").find("/ColorSpace/DeviceRGB\n/Length"),
              std::string::npos);
    const std::string path = dir.File("colours.pdf");
    test::WriteFile(path, pdf);
    EXPECT_EQ(test::QpdfProblems(path), "");
}

}  // namespace
}  // namespace scrivane
