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
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QToolBar>

#include "dialogs/frmPreferences.h"
#include "favorites/FavoriteCommands.h"
#include "samples/HelpCommands.h"
#include "shell/AppContext.h"
#include "shell/DocumentManager.h"
#include "shell/ExportCommands.h"
#include "shell/MainMenu.h"
#include "shell/WritingAids.h"

namespace scrivane::app {

namespace {

// Window measures are kept in twips, as the settings store them: 15 twips a pixel.
constexpr int kTwipsPerPixel = 15;

int Pixels(int twips) { return twips / kTwipsPerPixel; }

}  // namespace

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
        RefreshToolbar();
        UpdateStatusBar();
    });
    connect(rtb1_, &QPlainTextEdit::cursorPositionChanged, this, &frmScrivane::UpdateStatusBar);
    connect(rtb1_->document(), &QTextDocument::modificationChanged, this,
            &frmScrivane::RefreshToolbar);
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
}

void frmScrivane::BuildToolbar() {
    Toolbar1_ = addToolBar("Toolbar1");
    Toolbar1_->setObjectName("Toolbar1");
    Toolbar1_->setMovable(false);
    // Icons from the desktop theme, with the style's own pictures where it has none.
    const struct {
        const char* key;
        const char* theme;
        QStyle::StandardPixmap fallback;
        const char* command;
    } kButtons[] = {
        {"new", "document-new", QStyle::SP_FileIcon, "mnuNew"},
        {"open", "document-open", QStyle::SP_DialogOpenButton, "mnuOpen"},
        {"save", "document-save", QStyle::SP_DialogSaveButton, "mnuSave"},
        {"pdfexport", "document-export", QStyle::SP_ArrowUp, "mnuPDFExport"},
        {"pdfimport", "document-import", QStyle::SP_ArrowDown, "mnuPDFImport"},
        {"cut", "edit-cut", QStyle::SP_TrashIcon, "mnuCut"},
        {"copy", "edit-copy", QStyle::SP_FileDialogDetailedView, "mnuCopy"},
        {"paste", "edit-paste", QStyle::SP_FileDialogContentsView, "mnuPaste"},
        {"undo", "edit-undo", QStyle::SP_ArrowBack, "mnuUndo"},
    };
    for (const auto& button : kButtons) {
        QIcon icon = QIcon::fromTheme(button.theme, style()->standardIcon(button.fallback));
        QAction* action = Toolbar1_->addAction(icon, QString());
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
    RefreshToolbar();
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
        if (visible) entry->setText(DocumentManager::CompactPath(path, true));
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

void frmScrivane::UpdateTitle() { setWindowTitle(documents_->WindowTitle()); }

void frmScrivane::ApplyTextColorAndFont() {
    rtb1_->setFont(editorFont_);
    rtb1_->moveCursor(QTextCursor::Start);
}

void frmScrivane::SetWordWrap(bool on) {
    actions_["mnuWordWrap"]->setChecked(on);
    rtb1_->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void frmScrivane::PlaceWindow() {
    AppSettings& s = context_.settings;
    int left = s.windowLeft();
    int top = s.windowTop();
    int height = s.windowHeight();
    int width = s.windowWidth();
    if (context_.commandLine.startsWith("-F2")) {
        // Each new window cascades from the last one.
        left += 500;
        top += 500;
        s.setWindowLeft(left);
        s.setWindowTop(top);
    }
    WindowOption(context_.args, "x", left);
    WindowOption(context_.args, "y", top);
    WindowOption(context_.args, "w", width);
    WindowOption(context_.args, "h", height);
    width = std::max(width, 2000);
    height = std::max(height, 2000);
    if (left < 0) left = 10;
    if (top < 0) top = 10;
    setGeometry(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
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
    if (!file.isEmpty()) documents_->OpenFile(file);
    ApplyTextColorAndFont();
    RefreshRecentMenu();
    loaded_ = true;
    documents_->setClean();
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
    // A window smaller than 2000 twips either way is set back to that size.
    const int least = Pixels(2000);
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
