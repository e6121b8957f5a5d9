#include "shell/MainMenu.h"

namespace scrivane::app {

namespace {

using enum MenuEntry::Kind;
constexpr bool kLater = false;  // shown disabled until its dialog exists

constexpr MenuEntry kMainMenu[] = {
    {"", "mnuFile", "File", Menu},
    {"mnuFile", "mnuNew", "New"},
    {"mnuFile", "mnuOpen", "Open"},
    {"mnuFile", "mnuSave", "Save"},
    {"mnuFile", "mnuSaveAs", "Save As"},
    {"mnuFile", "mnuExportAs", "Export...", Menu},
    {"mnuExportAs", "mnuPDFExport", "PDF"},
    {"mnuExportAs", "mnuXHTMLExport", "XHTML"},
    {"mnuExportAs", "mnuXMLExport", "XML"},
    {"mnuExportAs", "mnuSVGExport", "SVG"},
    {"mnuFile", "mnuImport", "Import...", Menu},
    {"mnuImport", "mnuPDFImport", "PDF"},
    {"mnuImport", "mnuXHTMLImport", "XHTML"},
    {"mnuImport", "mnuXMLImport", "XML"},
    {"mnuImport", "mnuSVGImport", "SVG"},
    {"mnuFile", "mnuPrint", "Print"},
    {"mnuFile", "mnuSepRecents", "", Divider},
    {"mnuFile", "mnuRecent1", ""},
    {"mnuFile", "mnuRecent2", ""},
    {"mnuFile", "mnuRecent3", ""},
    {"mnuFile", "mnuRecent4", ""},
    {"mnuFile", "mnuSepFile03", "", Divider},
    {"mnuFile", "mnuQuit", "Quit"},

    {"", "mnuEdit", "Edit", Menu},
    {"mnuEdit", "mnuUndo", "Undo"},
    {"mnuEdit", "mnuCut", "Cut"},
    {"mnuEdit", "mnuCopy", "Copy"},
    {"mnuEdit", "mnuPaste", "Paste"},
    {"mnuEdit", "mnuSelectAll", "Select All"},
    {"mnuEdit", "", "", Divider},
    {"mnuEdit", "mnuFind", "Find...", Command, kLater},
    {"mnuEdit", "mnuFindNext", "Find Next", Command, kLater},
    {"mnuEdit", "mnuGoto", "Go to line", Command, kLater},

    {"", "mnuModify", "Modify", Menu, kLater},
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

    {"", "mnuInsert", "Insert", Menu, kLater},
    {"mnuInsert", "mnuInsertImage", "Image"},
    {"mnuInsert", "mnuModifyTitle", "Title"},
    {"mnuInsert", "mnuModifySubject", "Subject"},
    {"mnuInsert", "mnuModifyAuthor", "Author"},
    {"mnuInsert", "mnuModifyKeywords", "Keywords"},
    {"mnuInsert", "mnuInsertHeader", "Header"},

    {"", "mnuFavorites", "Favorites", Menu, kLater},
    {"mnuFavorites", "mnuAddFavorites", "Add to favorites"},
    {"mnuFavorites", "mnuAddToAFavorite", "Add to a favorite"},
    {"mnuFavorites", "mnuOrganizeFavorite", "Organize favorites"},

    {"", "mnuFormat", "Format", Menu},
    {"mnuFormat", "mnuWordWrap", "Word Wrap", Toggle},
    {"mnuFormat", "mnuFont", "Font..."},
    {"mnuFormat", "", "", Divider},
    {"mnuFormat", "mnuFormatPDF", "PDF", Command, kLater},
    {"mnuFormat", "mnuFormatXHTML", "XHTML", Command, kLater},
    {"mnuFormat", "mnuFormatXML", "XML", Command, kLater},
    {"mnuFormat", "mnuFormatSVG", "SVG", Command, kLater},

    {"", "mnuTools", "Tools", Menu},
    {"mnuTools", "mnuPreferences", "Preferences...", Command, kLater},
    {"mnuTools", "mnuNewWindo", "New Window"},

    {"", "mnuInsert2", "Insert", Menu, kLater},
    {"mnuInsert2", "mnuInsertTitle1", "Title 1"},
    {"mnuInsert2", "mnuInsertTitle2", "Title 2"},
    {"mnuInsert2", "mnuInsertTitle3", "Title 3"},
    {"mnuInsert2", "mnuInsertPageBreak", "Page Break"},

    {"", "mnuHelpMain", "Help", Menu},
    {"mnuHelpMain", "mnuHelp", "Help"},
    {"mnuHelpMain", "mnuReadme", "Readme"},
    {"mnuHelpMain", "mnuSampleFiles", "Sample Files", Command, kLater},
    {"mnuHelpMain", "mnuAbout", "About", Command, kLater},
};

}  // namespace

std::span<const MenuEntry> MainMenuEntries() { return kMainMenu; }

}  // namespace scrivane::app
