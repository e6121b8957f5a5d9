#include "shell/MainMenu.h"

namespace scrivane::app {

namespace {

using enum MenuEntry::Kind;

constexpr MenuEntry kMainMenu[] = {
    {"", "mnuFile", "File", Menu},
    {"mnuFile", "mnuNew", "New", Command, "Ctrl+N"},
    {"mnuFile", "mnuOpen", "Open", Command, "Ctrl+O"},
    {"mnuFile", "mnuSave", "Save", Command, "Ctrl+S"},
    {"mnuFile", "mnuSaveAs", "Save As", Command, "Ctrl+Shift+S"},
    {"mnuFile", "mnuExportAs", "Export...", Menu},
    {"mnuExportAs", "mnuPDFExport", "PDF", Command, "Ctrl+E"},
    {"mnuExportAs", "mnuXHTMLExport", "XHTML", Command, "Ctrl+Shift+H"},
    {"mnuExportAs", "mnuXMLExport", "XML", Command, "Ctrl+Shift+M"},
    {"mnuExportAs", "mnuSVGExport", "SVG", Command, "Ctrl+Shift+G"},
    {"mnuFile", "mnuImport", "Import...", Menu},
    {"mnuImport", "mnuPDFImport", "PDF"},
    {"mnuImport", "mnuXHTMLImport", "XHTML"},
    {"mnuImport", "mnuXMLImport", "XML"},
    {"mnuImport", "mnuSVGImport", "SVG"},
    {"mnuFile", "mnuPrint", "Print", Command, "Ctrl+P"},
    {"mnuFile", "mnuSepRecents", "", Divider},
    {"mnuFile", "mnuRecent1", ""},
    {"mnuFile", "mnuRecent2", ""},
    {"mnuFile", "mnuRecent3", ""},
    {"mnuFile", "mnuRecent4", ""},
    {"mnuFile", "mnuSepFile03", "", Divider},
    {"mnuFile", "mnuQuit", "Quit", Command, "Ctrl+Q"},

    {"", "mnuEdit", "Edit", Menu},
    {"mnuEdit", "mnuUndo", "Undo", Command, "Ctrl+Z"},
    {"mnuEdit", "mnuCut", "Cut", Command, "Ctrl+X"},
    {"mnuEdit", "mnuCopy", "Copy", Command, "Ctrl+C"},
    {"mnuEdit", "mnuPaste", "Paste", Command, "Ctrl+V"},
    {"mnuEdit", "mnuSelectAll", "Select All", Command, "Ctrl+A"},
    {"mnuEdit", "", "", Divider},
    {"mnuEdit", "mnuFind", "Find...", Command, "Ctrl+F"},
    {"mnuEdit", "mnuFindNext", "Find Next", Command, "F3"},
    {"mnuEdit", "mnuGoto", "Go to line", Command, "Ctrl+G"},

    {"", "mnuModify", "Modify", Menu},
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

    {"", "mnuInsert", "Insert", Menu},
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
    {"mnuFormat", "mnuPreview", "Page Preview", Toggle, "F5"},
    {"mnuFormat", "", "", Divider},
    {"mnuFormat", "mnuFormatPDF", "PDF", Command},
    {"mnuFormat", "mnuFormatXHTML", "XHTML", Command},
    {"mnuFormat", "mnuFormatXML", "XML", Command},
    {"mnuFormat", "mnuFormatSVG", "SVG", Command},

    {"", "mnuTools", "Tools", Menu},
    {"mnuTools", "mnuPreferences", "Preferences..."},
    {"mnuTools", "mnuNewWindo", "New Window"},

    {"", "mnuInsert2", "Insert", Menu},
    {"mnuInsert2", "mnuInsertTitle1", "Title 1", Command, "Ctrl+1"},
    {"mnuInsert2", "mnuInsertTitle2", "Title 2", Command, "Ctrl+2"},
    {"mnuInsert2", "mnuInsertTitle3", "Title 3", Command, "Ctrl+3"},
    {"mnuInsert2", "mnuInsertPageBreak", "Page Break", Command, "Ctrl+Return"},

    {"", "mnuHelpMain", "Help", Menu},
    {"mnuHelpMain", "mnuHelp", "Help"},
    {"mnuHelpMain", "mnuReadme", "Readme"},
    {"mnuHelpMain", "mnuSampleFiles", "Sample Files"},
    {"mnuHelpMain", "mnuAbout", "About"},
};

}  // namespace

std::span<const MenuEntry> MainMenuEntries() { return kMainMenu; }

}  // namespace scrivane::app
