#pragma once
// A format file: document properties, default typography and page geometry, and the
// line conditions that restyle chosen lines. The same class holds one line condition,
// and, during an export, the resolved style of the current line.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/PageDefaults.h"

namespace scrivane {

class vorFormat {
public:
    // Document properties: UTF-8, any character, whatever the text's encoding (the
    // document information of a PDF holds them all).
    std::string title;
    std::string subject;
    std::string author;
    std::string keywords;

    // Document-wide defaults.
    std::string DefaultFont;
    std::string DefaultFontColor;
    std::string DefaultFontAlign;
    int16_t DefaultX = 0;
    int16_t DefaultY = 0;
    int16_t DefaultDY = 0;
    int16_t DefaultMaxLenLine = 0;
    int16_t DefaultLineLength = 0;
    std::string DefaultPageWidth;
    std::string DefaultPageHeight;
    std::string DefaultDownMargin = kDefaultBottomMarginText;
    std::string DefaultColumns = "1";
    std::string DefaultSpaceBetweenColumns = "12";

    // The current line's resolved values, or a condition's own values.
    std::string fontname;
    std::string fontcolor;
    std::string FontAlign;
    int16_t x = 0;
    int16_t y = 0;
    int16_t SetY = 0;
    std::string dy;
    int16_t MaxLenLine = 0;
    int16_t bk = 0;
    int16_t linelength = 0;
    std::string columns;
    std::string SpaceBetweenColumns;
    std::string ImageFile;
    std::string ImageX;
    std::string ImageY;
    std::string PageWidth;
    std::string PageHeight;
    int16_t DefaultFontSize = 0;
    std::string fontsize;
    std::string conditionName;
    std::string conditionType;   // "linenumber", "linevalue" or "leftlinevalue"
    std::string conditionValue;
    std::string show;            // "", "NO" or "RIGHT" once read
    bool isLink = false;
    bool isAnnotation = false;
    bool isHeader = false;
    std::vector<vorFormat> ListeFormats;

    // Folder that "%apppath%" in image names stands for (no trailing separator).
    std::string AppFolder;

    // A FormatFileStatus (util/Status.h): kFormatOk also for an unreadable file, whose
    // values read as empty.
    int16_t ReadFormatFile(const std::string& FormatFilename);
    // Reads format-file text already in memory; the same statuses but the file's own.
    int16_t ReadFormatText(const std::string& xmlText);
    // kFormatOk, or kFormatSaveFailed (an existing file is left untouched).
    int16_t SaveFormatFile(const std::string& FormatFilename) const;
    // The format file's text as SaveFormatFile writes it.
    std::string FormatFileText() const;
    // Resolves the style of one line into the working fields; always 0.
    int16_t GetFormat(int32_t LineNumber, std::string_view LineValue);
    static bool FontNameIsOk(const std::string& FontNameToCheck);

    // For a text beyond Windows-1252, kept as UTF-8: the values that the layout shows or
    // compares with the text (condition values and names, image files), here and in every
    // condition, from Windows-1252 to UTF-8. The document properties are UTF-8 already.
    void TextToUtf8();

    // The defaults that reading a format file without any values gives (Helvetica 12,
    // x 40, y 50, dy 16, 100 characters a line) on top of the current fields.
    void ApplyReadFallbacks();

private:
    // GetFormat's steps: the line's values from the defaults, then a matching condition.
    void ResetLineValues();
    void ApplyCondition(const vorFormat& condition);
};

}  // namespace scrivane
