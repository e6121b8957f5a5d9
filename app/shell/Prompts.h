#pragma once
// Every question, message and system dialog the program shows goes through this
// interface, so that tests can answer them from a script and never block on a modal
// dialog. QtPrompts shows the real dialogs.
#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QDialog;
class QWidget;
class QPrinter;

namespace scrivane::app {

class Prompts {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompts() = default;
    virtual Answer AskYesNoCancel(const QString& title, const QString& text) = 0;
    virtual bool AskYesNo(const QString& title, const QString& text) = 0;
    virtual void Inform(const QString& title, const QString& text) = 0;
    // A message about something that went on although it was not quite right.
    virtual void Warn(const QString& title, const QString& text) { Inform(title, text); }
    // filters: "Text Files (*.txt)" and the like; filterIndex is 1-based, in and out;
    // folder: where the dialog opens (empty: the platform's choice). An empty result
    // means cancelled.
    virtual QString OpenFileName(const QString& title, const QStringList& filters,
                                 int& filterIndex, const QString& folder = QString()) = 0;
    virtual QString SaveFileName(const QString& title, const QStringList& filters,
                                 int& filterIndex, const QString& folder = QString()) = 0;
    // Asks for one line of text, starting with text; false when cancelled.
    virtual bool AskText(const QString& title, const QString& label, QString& text) = 0;
    // Runs one of the program's own dialogs modally: QDialog::Accepted or Rejected.
    virtual int ShowModal(QDialog& dialog) = 0;
    virtual bool ChooseFont(QFont& font) = 0;
    // The colour chooser, opened in full with the given custom colours; false = cancelled.
    virtual bool ChooseColour(QColor& colour, const QList<QColor>& customColours) = 0;
    virtual bool ChoosePrinter(QPrinter& printer) = 0;
    // Opens a file with the desktop's default application (exported files, the manual).
    // whenFailed runs, at once or later, when no application could open it.
    virtual void OpenExternally(const QString& path,
                                std::function<void()> whenFailed = {}) = 0;
};

class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* owner) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    Answer AskYesNoCancel(const QString& title, const QString& text) override;
    bool AskYesNo(const QString& title, const QString& text) override;
    void Inform(const QString& title, const QString& text) override;
    void Warn(const QString& title, const QString& text) override;
    QString OpenFileName(const QString& title, const QStringList& filters, int& filterIndex,
                         const QString& folder = QString()) override;
    QString SaveFileName(const QString& title, const QStringList& filters, int& filterIndex,
                         const QString& folder = QString()) override;
    bool AskText(const QString& title, const QString& label, QString& text) override;
    int ShowModal(QDialog& dialog) override;
    bool ChooseFont(QFont& font) override;
    bool ChooseColour(QColor& colour, const QList<QColor>& customColours) override;
    bool ChoosePrinter(QPrinter& printer) override;
    void OpenExternally(const QString& path, std::function<void()> whenFailed = {}) override;

    // The message box the questions and messages show, not yet shown. An empty title
    // becomes the program's name.
    std::unique_ptr<QMessageBox> BuildMessageBox(QMessageBox::Icon icon, const QString& title,
                                                 const QString& text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton chosen) const;
    // Warn's box, its text shown as written.
    std::unique_ptr<QMessageBox> BuildWarningBox(const QString& title, const QString& text) const;

private:
    QWidget* Owner() const;

    QWidget* owner_;
};

}  // namespace scrivane::app
