#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "shell/Prompts.h"

namespace scrivane::app {

// A prompt opened from one of the program's dialogs belongs to that dialog, so that it
// shows above it; otherwise to the main window.
QWidget* QtPrompts::Owner() const {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : owner_;
}

std::unique_ptr<QMessageBox> QtPrompts::BuildMessageBox(QMessageBox::Icon icon,
                                                        const QString& title,
                                                        const QString& text,
                                                        QMessageBox::StandardButtons buttons,
                                                        QMessageBox::StandardButton chosen) const {
    const QString shown = title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
    auto box = std::make_unique<QMessageBox>(icon, shown, text, buttons, Owner());
    box->setDefaultButton(chosen);
    return box;
}

Prompts::Answer QtPrompts::AskYesNoCancel(const QString& title, const QString& text) {
    const int button = BuildMessageBox(QMessageBox::Question, title, text,
                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                       QMessageBox::Yes)
                           ->exec();
    if (button == QMessageBox::Yes) return Answer::Yes;
    if (button == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

bool QtPrompts::AskYesNo(const QString& title, const QString& text) {
    return BuildMessageBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                           QMessageBox::No)
               ->exec() == QMessageBox::Yes;
}

void QtPrompts::Inform(const QString& title, const QString& text) {
    BuildMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok)
        ->exec();
}

// A warning quotes the user's lines, which may look like markup ("<set>...").
std::unique_ptr<QMessageBox> QtPrompts::BuildWarningBox(const QString& title,
                                                        const QString& text) const {
    auto box = BuildMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    return box;
}

void QtPrompts::Warn(const QString& title, const QString& text) { BuildWarningBox(title, text)->exec(); }

namespace {

// The file dialogs take the filters in order; the chosen one gives the 1-based index.
QString RunFileDialog(QWidget* owner, const QString& title, const QStringList& filters,
                      int& filterIndex, const QString& folder, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, title, folder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // the program asks itself
    if (filterIndex >= 1 && filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[filterIndex - 1]);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return dialog.selectedFiles().first();
}

}  // namespace

QString QtPrompts::OpenFileName(const QString& title, const QStringList& filters,
                                int& filterIndex, const QString& folder) {
    return RunFileDialog(Owner(), title, filters, filterIndex, folder, QFileDialog::AcceptOpen);
}

QString QtPrompts::SaveFileName(const QString& title, const QStringList& filters,
                                int& filterIndex, const QString& folder) {
    return RunFileDialog(Owner(), title, filters, filterIndex, folder, QFileDialog::AcceptSave);
}

bool QtPrompts::AskText(const QString& title, const QString& label, QString& text) {
    bool ok = false;
    const QString answer = QInputDialog::getText(Owner(), title, label, QLineEdit::Normal, text, &ok);
    if (ok) text = answer;
    return ok;
}

int QtPrompts::ShowModal(QDialog& dialog) { return dialog.exec(); }

bool QtPrompts::ChooseFont(QFont& font) {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, font, Owner());
    if (ok) font = chosen;
    return ok;
}

bool QtPrompts::ChooseColour(QColor& colour, const QList<QColor>& customColours) {
    for (int k = 0; k < customColours.size() && k < QColorDialog::customCount(); ++k) {
        QColorDialog::setCustomColor(k, customColours[k]);
    }
    QColor chosen = QColorDialog::getColor(colour, Owner());
    if (!chosen.isValid()) return false;
    colour = chosen;
    return true;
}

bool QtPrompts::ChoosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, Owner());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    return dialog.exec() == QDialog::Accepted;
}

// Where xdg-open is the desktop's launcher, it tells only by its exit status that no
// application could open the file, once it has run; it may run as long as the viewer it
// started, so it is watched without waiting, and it writes to no pipe of ours, which a
// viewer outliving the program would find closed. Elsewhere the desktop answers at once.
void QtPrompts::OpenExternally(const QString& path, std::function<void()> whenFailed) {
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (launcher.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)) && whenFailed) whenFailed();
        return;
    }
    auto* process = new QProcess;  // lives until the launcher ends, even past the window
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, whenFailed](int code, QProcess::ExitStatus status) {
                         if ((status != QProcess::NormalExit || code != 0) && whenFailed) {
                             whenFailed();
                         }
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, whenFailed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         if (whenFailed) whenFailed();
                         process->deleteLater();
                     });
    process->start(launcher, {path});
}

}  // namespace scrivane::app
