#include "shell/MainMenu.h"

namespace scrivane::app {

namespace {

using enum MenuEntry::Kind;
constexpr bool kReady = true;
constexpr bool kLater = false;  // shown disabled until its dialog exists

constexpr MenuEntry kMainMenu[] = {
    {"", "mnuFile", "File", Menu},
    {"mnuFile", "mnuNew", "New", Command, kReady, "Ctrl+N"},
    {"mnuFile", "mnuOpen", "Open", Command, kReady, "Ctrl+O"},
    {"mnuFile", "mnuSave", "Save", Command, kReady, "Ctrl+S"},
    {"mnuFile", "mnuSaveAs", "Save As", Command, kReady, "Ctrl+Shift+S"},
    {"mnuFile", "mnuExportAs", "Export...", Menu},
    {"mnuExportAs", "mnuPDFExport", "PDF", Command, kReady, "Ctrl+E"},
    {"mnuExportAs", "mnuXHTMLExport", "XHTML", Command, kReady, "Ctrl+Shift+H"},
    {"mnuExportAs", "mnuXMLExport", "XML", Command, kReady, "Ctrl+Shift+M"},
    {"mnuExportAs", "mnuSVGExport", "SVG", Command, kReady, "Ctrl+Shift+G"},
    {"mnuFile", "mnuImport", "Import...", Menu},
    {"mnuImport", "mnuPDFImport", "PDF"},
    {"mnuImport", "mnuXHTMLImport", "XHTML"},
    {"mnuImport", "mnuXMLImport", "XML"},
    {"mnuImport", "mnuSVGImport", "SVG"},
    {"mnuFile", "mnuPrint", "Print", Command, kReady, "Ctrl+P"},
    {"mnuFile", "mnuSepRecents", "", Divider},
    {"mnuFile", "mnuRecent1", ""},
    {"mnuFile", "mnuRecent2", ""},
    {"mnuFile", "mnuRecent3", ""},
    {"mnuFile", "mnuRecent4", ""},
    {"mnuFile", "mnuSepFile03", "", Divider},
    {"mnuFile", "mnuQuit", "Quit", Command, kReady, "Ctrl+Q"},

    {"", "mnuEdit", "Edit", Menu},
    {"mnuEdit", "mnuUndo", "Undo", Command, kReady, "Ctrl+Z"},
    {"mnuEdit", "mnuCut", "Cut", Command, kReady, "Ctrl+X"},
    {"mnuEdit", "mnuCopy", "Copy", Command, kReady, "Ctrl+C"},
    {"mnuEdit", "mnuPaste", "Paste", Command, kReady, "Ctrl+V"},
    {"mnuEdit", "mnuSelectAll", "Select All", Command, kReady, "Ctrl+A"},
    {"mnuEdit", "", "", Divider},
    {"mnuEdit", "mnuFind", "Find...", Command, kReady, "Ctrl+F"},
    {"mnuEdit", "mnuFindNext", "Find Next", Command, kReady, "F3"},
    {"mnuEdit", "mnuGoto", "Go to line", Command, kReady, "Ctrl+G"},

    {"", "mnuModify", "Modify", Menu, kReady},
    {"mnuModify", "mnuModifyFont", "Font Name"},
    {"mnuModify", "mnuModifyFontSize", "Font Size"},
    {"mnuModify", "mnuModifyFontColor", "Font Color"},
    {"mnuModify", "mnuModifyTopPosition", "Top Position"},
    {"mnuModify", "mnuModifyLeftPosition", "Left Position"},
    {"mnuModify", "mnuModifyTextAlign", "Text Alignment"},
    {"mnuModify", "mnuModifySpaceBetweenLines", "Space Between Lines"},
    {"mnuModify", "mnuModifyLineLength", "Line Length"},
    {"mnuModify", "mnuModifyTop", "Top Margin"},
    {"mnuModify", "mnuModifyBottom", "Bottom Margin"},
    {"mnuModify", "mnuModifyPageHeight", "Page Height"},
    {"mnuModify", "mnuModifyPageWidth", "Page Width"},

    {"", "mnuInsert", "Insert", Menu, kReady},
    {"mnuInsert", "mnuInsertImage", "Image"},
    {"mnuInsert", "mnuModifyTitle", "Title"},
    {"mnuInsert", "mnuModifySubject", "Subject"},
    {"mnuInsert", "mnuModifyAuthor", "Author"},
    {"mnuInsert", "mnuModifyKeywords", "Keywords"},
    {"mnuInsert", "mnuInsertHeader", "Header"},

    {"", "mnuFavorites", "Favorites", Menu},
    {"mnuFavorites", "mnuAddFavorites", "Add to favorites"},
    {"mnuFavorites", "mnuAddToAFavorite", "Add to a favorite"},
    {"mnuFavorites", "mnuOrganizeFavorite", "Organize favorites"},
    {"mnuFavorites", "mnuSepFav1", "", Divider},
    {"mnuFavorites", "mnuFavoriteLink1", ""},  // captioned with the favorites' names
    {"mnuFavorites", "mnuFavoriteLink2", ""},
    {"mnuFavorites", "mnuFavoriteLink3", ""},
    {"mnuFavorites", "mnuFavoriteLink4", ""},
    {"mnuFavorites", "mnuFavoriteLink5", ""},
    {"mnuFavorites", "mnuFavoriteLink6", ""},
    {"mnuFavorites", "mnuFavoriteLink7", ""},
    {"mnuFavorites", "mnuFavoriteLink8", ""},
    {"mnuFavorites", "mnuFavoriteLink9", ""},

    {"", "mnuFormat", "Format", Menu},
    {"mnuFormat", "mnuWordWrap", "Word Wrap", Toggle},
    {"mnuFormat", "mnuFont", "Font..."},
    {"mnuFormat", "mnuHighlighting", "Highlighting", Toggle},
    {"mnuFormat", "", "", Divider},
    {"mnuFormat", "mnuFormatPDF", "PDF", Command, kLater},
    {"mnuFormat", "mnuFormatXHTML", "XHTML", Command, kLater},
    {"mnuFormat", "mnuFormatXML", "XML", Command, kLater},
    {"mnuFormat", "mnuFormatSVG", "SVG", Command, kLater},

    {"", "mnuTools", "Tools", Menu},
    {"mnuTools", "mnuPreferences", "Preferences..."},
    {"mnuTools", "mnuNewWindo", "New Window"},

    {"", "mnuInsert2", "Insert", Menu, kReady},
    {"mnuInsert2", "mnuInsertTitle1", "Title 1", Command, kReady, "Ctrl+1"},
    {"mnuInsert2", "mnuInsertTitle2", "Title 2", Command, kReady, "Ctrl+2"},
    {"mnuInsert2", "mnuInsertTitle3", "Title 3", Command, kReady, "Ctrl+3"},
    {"mnuInsert2", "mnuInsertPageBreak", "Page Break", Command, kReady, "Ctrl+Return"},

    {"", "mnuHelpMain", "Help", Menu},
    {"mnuHelpMain", "mnuHelp", "Help"},
    {"mnuHelpMain", "mnuReadme", "Readme"},
    {"mnuHelpMain", "mnuSampleFiles", "Sample Files"},
    {"mnuHelpMain", "mnuAbout", "About"},
};

}  // namespace

std::span<const MenuEntry> MainMenuEntries() { return kMainMenu; }

}  // namespace scrivane::app
