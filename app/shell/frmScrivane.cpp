#include "shell/frmScrivane.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QKeySequence>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolBar>

#include "dialogs/frmPreferences.h"
#include "favorites/FavoriteCommands.h"
#include "preview/PreviewPane.h"
#include "samples/HelpCommands.h"
#include "shell/AppContext.h"
#include "shell/DesktopOpen.h"
#include "shell/DocumentManager.h"
#include "shell/ExportCommands.h"
#include "shell/MainMenu.h"
#include "shell/WritingAids.h"
#include "shell/MenuMnemonics.h"
#include "shell/ToolbarIcons.h"
#include "shell/WindowPlacement.h"

namespace scrivane::app {

frmScrivane::frmScrivane(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context) {
    setObjectName("frmScrivane");
    setWindowIcon(QIcon(":/icons/scrivane.svg"));
    rtb1_ = new QPlainTextEdit(this);
    rtb1_->setObjectName("rtb1");
    rtb1_->installEventFilter(this);
    rtb1_->viewport()->installEventFilter(this);
    rtb1_->setContextMenuPolicy(Qt::NoContextMenu);  // the Edit menu stands in for it
    rtb1_->setAcceptDrops(false);                    // drops go to the window
    setCentralWidget(rtb1_);
    setAcceptDrops(true);

    exports_ = std::make_unique<ExportCommands>(context_, rtb1_);
    documents_ = new DocumentManager(context_, rtb1_, *exports_, this);
    aids_ = new WritingAids(context_, rtb1_, this);
    connect(documents_, &DocumentManager::titleChanged, this, &frmScrivane::UpdateTitle);
    connect(documents_, &DocumentManager::recentFilesChanged, this, &frmScrivane::RefreshRecentMenu);
    connect(documents_, &DocumentManager::documentStateChanged, this, [this] {
        setWindowModified(documents_->isDirty());  // replacing the text may not signal it
        RefreshToolbar();
        UpdateStatusBar();
    });
    connect(rtb1_, &QPlainTextEdit::cursorPositionChanged, this, &frmScrivane::UpdateStatusBar);
    connect(rtb1_->document(), &QTextDocument::modificationChanged, this,
            &frmScrivane::RefreshToolbar);
    connect(rtb1_->document(), &QTextDocument::modificationChanged, this,
            &QWidget::setWindowModified);
    connect(rtb1_, &QPlainTextEdit::selectionChanged, this, &frmScrivane::RefreshToolbar);

    lblStatusBar_ = new QLabel(this);
    lblStatusBar_->setObjectName("lblStatusBar");
    statusBar()->addWidget(lblStatusBar_, 1);

    BuildMenus();
    BuildToolbar();
}

frmScrivane::~frmScrivane() = default;

QAction* frmScrivane::action(const QString& objectName) const {
    return actions_.value(objectName, nullptr);
}

void frmScrivane::BuildMenus() {
    for (const MenuEntry& entry : MainMenuEntries()) {
        QMenu* parent = menus_.value(entry.parent, nullptr);
        const QString caption = entry.caption;
        QAction* item = nullptr;
        if (entry.kind == MenuEntry::Kind::Menu) {
            QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
            menu->setObjectName(entry.name);
            menus_[entry.name] = menu;
            item = menu->menuAction();
        } else if (entry.kind == MenuEntry::Kind::Divider) {
            item = parent->addSeparator();
            item->setObjectName(entry.name);
        } else {
            item = parent->addAction(caption);
            item->setObjectName(entry.name);
            item->setCheckable(entry.kind == MenuEntry::Kind::Toggle);
            if (*entry.shortcut) {
                item->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut),
                                               QKeySequence::PortableText));
            }
        }
        if (entry.kind != MenuEntry::Kind::Divider) captions_[entry.name] = caption;
        if (*entry.name) actions_[entry.name] = item;
    }
    ConnectCommands();
}

void frmScrivane::ConnectCommands() {
    auto on = [this](const QString& name, auto slot) {
        connect(actions_[name], &QAction::triggered, this, slot);
    };
    DocumentManager* docs = documents_;
    ExportCommands* exports = exports_.get();
    on("mnuNew", [docs] { docs->New(); });
    on("mnuOpen", [docs] { docs->Open(); });
    on("mnuSave", [docs] { docs->Save(); });
    on("mnuSaveAs", [docs] { docs->SaveAs(); });
    for (const char* format : {"PDF", "XHTML", "XML", "SVG"}) {
        const QString name = QString(format);
        on("mnu" + name + "Export", [exports, name] { exports->saveExport(name, {}); });
        on("mnuFormat" + name, [exports, name] { exports->ShowExportOptions(FormatCode(name)); });
    }
    on("mnuPDFImport", [docs] { docs->ImportPdf(); });
    on("mnuXHTMLImport", [docs] { docs->Import("HTM"); });
    on("mnuXMLImport", [docs] { docs->Import("XML"); });
    on("mnuSVGImport", [docs] { docs->Import("SVG"); });
    on("mnuPrint", [exports] { exports->Print(); });
    for (int n = 1; n <= 4; ++n) {
        on(QString("mnuRecent%1").arg(n), [docs, n] { docs->OpenRecent(n); });
    }
    on("mnuQuit", [this] {
        if (Quit()) QCoreApplication::quit();
    });

    on("mnuUndo", [this] { rtb1_->undo(); });
    on("mnuCut", [this] { rtb1_->cut(); });
    on("mnuCopy", [this] { rtb1_->copy(); });
    on("mnuPaste", [this] { rtb1_->paste(); });
    on("mnuSelectAll", [this] { rtb1_->selectAll(); });
    for (const char* name : {"mnuUndo", "mnuCut", "mnuCopy", "mnuPaste", "mnuSelectAll"}) {
        on(name, [this] { UpdateStatusBar(); });
    }
    QMenu* edit = menus_["mnuEdit"];
    connect(edit, &QMenu::aboutToShow, this, [this] {
        bool selected = rtb1_->textCursor().hasSelection();
        actions_["mnuCut"]->setEnabled(selected);
        actions_["mnuCopy"]->setEnabled(selected);
    });
    connect(edit, &QMenu::aboutToHide, this, [this] {
        // The toolbar's buttons trigger these entries: leave them usable.
        actions_["mnuCut"]->setEnabled(true);
        actions_["mnuCopy"]->setEnabled(true);
    });

    on("mnuWordWrap", [this](bool wrap) {
        context_.settings.setWordWrap(wrap);
        SetWordWrap(wrap);
        UpdateStatusBar();
    });
    on("mnuFont", [this] { ChooseFont(); });
    on("mnuNewWindo", [this] { OpenNewWindow(); });
    on("mnuPreferences", [this] {
        if (frmPreferences::Edit(context_, this)) ApplyPreferences();
    });
    favorites_ = new FavoriteCommands(context_, *documents_, menus_["mnuFavorites"], this);
    help_ = std::make_unique<HelpCommands>(context_, *documents_, this);
    on("mnuHelp", [this] { ShowHelp(); });
    on("mnuReadme", [this] { ShowReadme(); });
    on("mnuSampleFiles", [this] { help_->SampleFiles(); });
    on("mnuAbout", [this] { help_->About(); });
    aids_->Connect(*this);
    preview_ = new PreviewPane(context_, rtb1_, this);
    preview_->Connect(*this);
}

void frmScrivane::BuildToolbar() {
    Toolbar1_ = addToolBar("Toolbar1");
    Toolbar1_->setObjectName("Toolbar1");
    Toolbar1_->setMovable(false);
    // Icons from the desktop theme, with drawings of our own where it has none.
    const struct {
        const char* key;
        const char* theme;
        const char* command;
    } kButtons[] = {
        {"new", "document-new", "mnuNew"},
        {"open", "document-open", "mnuOpen"},
        {"save", "document-save", "mnuSave"},
        {"pdfexport", "document-export", "mnuPDFExport"},
        {"pdfimport", "document-import", "mnuPDFImport"},
        {"cut", "edit-cut", "mnuCut"},
        {"copy", "edit-copy", "mnuCopy"},
        {"paste", "edit-paste", "mnuPaste"},
        {"undo", "edit-undo", "mnuUndo"},
    };
    for (const auto& button : kButtons) {
        QAction* action = Toolbar1_->addAction(ToolbarIcon(button.theme), QString());
        action->setObjectName(QString("tb_") + button.key);
        QAction* command = actions_[button.command];
        connect(action, &QAction::triggered, command, &QAction::trigger);
        toolButtons_[button.key] = action;
    }
}

void frmScrivane::ApplyCaptions() {
    for (auto it = captions_.begin(); it != captions_.end(); ++it) {
        if (it.value().isEmpty()) continue;
        actions_[it.key()]->setText(context_.captions.m(it.value()));
    }
    AssignMenuKeys();
    RefreshToolbar();
}

// The letters come from the captions shown. Entries captioned at run time (recent
// files, favorites) get none: their texts are the user's, shown as written.
void frmScrivane::AssignMenuKeys() {
    auto assign = [this](const QList<QAction*>& entries) {
        QList<QAction*> captioned;
        for (QAction* entry : entries) {
            if (!captions_.value(actions_.key(entry)).isEmpty()) captioned << entry;
        }
        AssignMnemonics(captioned);
    };
    assign(menuBar()->actions());
    for (QMenu* menu : std::as_const(menus_)) assign(menu->actions());
}

void frmScrivane::RefreshToolbar() {
    if (!Toolbar1_) return;
    bool show = !context_.settings.showToolbar().isOff();
    Toolbar1_->setVisible(show);
    if (!show) return;
    const clsCaption& c = context_.captions;
    bool dirty = documents_->isDirty();
    bool selected = rtb1_->textCursor().hasSelection();
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    bool clipboardText = clip && clip->hasText();
    const struct {
        const char* key;
        const char* tip;
        bool enabled;
    } kStates[] = {{"new", "New", true},        {"open", "Open", true},
                   {"save", "Save", dirty},      {"pdfexport", "PDF Export", true},
                   {"pdfimport", "PDF Import", true}, {"cut", "Cut", selected},
                   {"copy", "Copy", selected},   {"paste", "Paste", clipboardText},
                   {"undo", "Undo", dirty}};
    for (const auto& state : kStates) {
        QAction* button = toolButtons_[state.key];
        button->setToolTip(c.m(state.tip));
        button->setText(c.m(state.tip));
        button->setEnabled(state.enabled);
    }
}

void frmScrivane::RefreshRecentMenu() {
    bool show = context_.settings.showRecentFiles().isOn();
    QStringList recent = documents_->RecentFiles();
    bool any = false;
    for (int n = 1; n <= 4; ++n) {
        QAction* entry = actions_[QString("mnuRecent%1").arg(n)];
        const QString& path = recent.value(n - 1);
        bool visible = show && !path.isEmpty();
        entry->setVisible(visible);
        if (visible) entry->setText(DocumentManager::CompactPath(path, true).replace("&", "&&"));
        any = any || visible;
    }
    actions_["mnuSepRecents"]->setVisible(any);
}

QString frmScrivane::statusText() const { return lblStatusBar_->text(); }

void frmScrivane::UpdateStatusBar() {
    if (!showStatusBar_) return;
    QTextCursor cursor = rtb1_->textCursor();
    int line = cursor.blockNumber() + 1;
    int count = rtb1_->document()->blockCount();
    int column = cursor.positionInBlock() + 1;
    QLocale locale(QLocale::English);
    lblStatusBar_->setText(context_.captions.m("Line") + " " + locale.toString(line) + " / " +
                           QString::number(count) + ", " + context_.captions.m("Col") + " " +
                           QString::number(column));
}

void frmScrivane::UpdateTitle() {
    setWindowTitle(documents_->WindowTitle());
    setWindowModified(documents_->isDirty());
}

void frmScrivane::ApplyTextColorAndFont() {
    rtb1_->setFont(editorFont_);
    rtb1_->moveCursor(QTextCursor::Start);
}

void frmScrivane::SetWordWrap(bool on) {
    actions_["mnuWordWrap"]->setChecked(on);
    rtb1_->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void frmScrivane::PlaceWindow() {
    setGeometry(InitialWindowGeometry(context_, screen()->availableGeometry()));
}

void frmScrivane::Load() {
    context_.DebugTrace("Main form load");
    PlaceWindow();
    const AppSettings& s = context_.settings;
    editorFont_ = QFont(s.editorFontName());
    editorFont_.setPointSizeF(s.editorFontSize());
    editorFont_.setBold(s.editorFontBold());
    editorFont_.setItalic(s.editorFontItalic());
    RefreshToolbar();
    showStatusBar_ = s.showStatusBar().isOn();
    statusBar()->setVisible(showStatusBar_);
    SetWordWrap(s.wordWrap().isOn());

    QString file = context_.args.value("filename");
    // "-F2" alone is the new-window switch, not a file called F2.
    if (context_.commandLine == "-F2") file.clear();
    const bool untitled =
        !file.isEmpty() && documents_->OpenFile(file) == OpenOutcome::OpenedUntitled;
    ApplyTextColorAndFont();
    RefreshRecentMenu();
    loaded_ = true;
    if (!untitled) documents_->setClean();
    ApplyCaptions();
    UpdateTitle();
    documents_->AddToRecentFiles();
    UpdateStatusBar();
    favorites_->RebuildMenu();
}

void frmScrivane::ApplyPreferences() {
    context_.captions.setLangue(context_.settings.language());
    ApplyCaptions();
    UpdateTitle();
    RefreshRecentMenu();
    showStatusBar_ = context_.settings.showStatusBar().isOn();
    statusBar()->setVisible(showStatusBar_);
    UpdateStatusBar();
    favorites_->RebuildMenu();
}

void frmScrivane::ChooseFont() {
    QFont font = editorFont_;
    if (!context_.prompts.ChooseFont(font)) return;
    editorFont_ = font;
    ApplyTextColorAndFont();
}

void frmScrivane::SaveSettings() {
    AppSettings& s = context_.settings;
    if (context_.commandLine != "-F2") {
        QRect g = geometry();
        s.setWindowLeft(g.left() * kTwipsPerPixel);
        s.setWindowTop(g.top() * kTwipsPerPixel);
        s.setWindowHeight(g.height() * kTwipsPerPixel);
        s.setWindowWidth(g.width() * kTwipsPerPixel);
    }
    s.setEditorFontName(editorFont_.family());
    s.setEditorFontSize(editorFont_.pointSizeF());
    s.setEditorFontBold(editorFont_.bold());
    s.setEditorFontItalic(editorFont_.italic());
    s.sync();
}

bool frmScrivane::Quit() {
    context_.DebugTrace("Quit");
    if (documents_->checkSaveCancel()) return false;
    SaveSettings();
    quitting_ = true;
    return true;
}

void frmScrivane::closeEvent(QCloseEvent* event) {
    if (quitting_ || Quit()) {
        event->accept();
        QCoreApplication::quit();
    } else {
        event->ignore();
    }
}

void frmScrivane::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // A window smaller than that either way is set back to that size.
    const int least = TwipsToPixels(kLeastWindowTwips);
    if (!isMinimized() && (width() < least || height() < least)) {
        resize(std::max(width(), least), std::max(height(), least));
    }
}

void frmScrivane::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void frmScrivane::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    documents_->OpenDropped(urls.first().toLocalFile());
    event->acceptProposedAction();
}

void frmScrivane::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        OpenNewWindow();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool frmScrivane::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            ShowHelp();
            return true;
        }
        if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier) {
            OpenNewWindow();
            return true;
        }
        // Alt and a letter is a menu key; one no menu took types nothing either. (AltGr
        // comes without Alt, or with Ctrl on Windows.)
        const Qt::KeyboardModifiers held = key->modifiers();
        if (watched == rtb1_ && (held & Qt::AltModifier) &&
            !(held & (Qt::ControlModifier | Qt::MetaModifier)) && !key->text().isEmpty()) {
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonPress && watched == rtb1_->viewport()) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            menus_["mnuEdit"]->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    if (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease) {
        RefreshToolbar();  // the status line follows the caret by itself
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmScrivane::OpenNewWindow() {
    SaveSettings();
    QProcess::startDetached(QCoreApplication::applicationFilePath(), {"-F2"});
}

void frmScrivane::ShowHelp() { help_->ShowManual(); }

void frmScrivane::ShowReadme() {
    if (documents_->checkSaveCancel()) return;
    documents_->OpenFile(context_.paths.readme());
    UpdateTitle();
    documents_->AddToRecentFiles();
}

}  // namespace scrivane::app
