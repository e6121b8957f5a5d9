#include "AppTestSupport.h"

#include <QDialog>
#include <QDirIterator>
#include <QFile>

namespace scrivane::app::test {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

Prompts::Answer ScriptedPrompts::AskYesNoCancel(const QString& title, const QString& text) {
    asked << title + ": " + text;
    if (answers.empty()) return Answer::Cancel;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedPrompts::AskYesNo(const QString& title, const QString& text) {
    asked << title + ": " + text;
    if (yesNo.empty()) return false;
    bool answer = yesNo.front();
    yesNo.pop_front();
    return answer;
}

void ScriptedPrompts::Inform(const QString& title, const QString& text) {
    asked << title + ": " + text;
}

static QString NextName(std::deque<QString>& names, std::deque<int>& indexes, int& filterIndex,
                        int& shown) {
    shown = filterIndex;
    if (!indexes.empty()) {
        filterIndex = indexes.front();
        indexes.pop_front();
    }
    if (names.empty()) return {};
    QString name = names.front();
    names.pop_front();
    return name;
}

QString ScriptedPrompts::OpenFileName(const QString& title, const QStringList& filters,
                                      int& filterIndex, const QString& folder) {
    asked << title;
    lastFiltersShown = filters;
    lastFolderShown = folder;
    return NextName(openNames, filterIndexes, filterIndex, lastFilterIndexShown);
}

QString ScriptedPrompts::SaveFileName(const QString& title, const QStringList& filters,
                                      int& filterIndex, const QString& folder) {
    asked << title;
    lastFiltersShown = filters;
    lastFolderShown = folder;
    return NextName(saveNames, filterIndexes, filterIndex, lastFilterIndexShown);
}

bool ScriptedPrompts::AskText(const QString& title, const QString& label, QString& text) {
    asked << title + ": " + label;
    if (texts.empty()) return false;
    text = texts.front();
    texts.pop_front();
    return true;
}

int ScriptedPrompts::ShowModal(QDialog& dialog) {
    dialogsShown << dialog.objectName();
    dialog.setResult(QDialog::Rejected);
    if (dialogs.empty()) {
        dialog.accept();
    } else {
        auto play = std::move(dialogs.front());
        dialogs.pop_front();  // before playing: the dialogs it opens take the next ones
        play(dialog);
    }
    return dialog.result();
}

bool ScriptedPrompts::ChooseFont(QFont&) { return false; }

bool ScriptedPrompts::ChooseColour(QColor& colour, const QList<QColor>& customColours) {
    customColoursShown = customColours;
    if (colours.empty()) return false;
    colour = colours.front();
    colours.pop_front();
    return true;
}
bool ScriptedPrompts::ChoosePrinter(QPrinter&) { return false; }
void ScriptedPrompts::OpenExternally(const QString& path, std::function<void()> whenFailed) {
    opened << path;
    if (openFails && whenFailed) whenFailed();
}

static void CopyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString source = it.next();
        QString target = to + "/" + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}

TestFolders::TestFolders(bool emptyData)
    : oldData_(qgetenv("SCRIVANE_DATA_DIR")), oldUser_(qgetenv("SCRIVANE_USER_DIR")) {
    if (emptyData) {
        QDir().mkpath(data());
    } else {
        CopyFolder(SCRIVANE_SOURCE_DATA, data());
    }
    qputenv("SCRIVANE_DATA_DIR", data().toUtf8());
    qputenv("SCRIVANE_USER_DIR", user().toUtf8());
}

TestFolders::~TestFolders() {
    auto restore = [](const char* name, const QByteArray& old) {
        if (old.isEmpty()) {
            qunsetenv(name);
        } else {
            qputenv(name, old);
        }
    };
    restore("SCRIVANE_DATA_DIR", oldData_);
    restore("SCRIVANE_USER_DIR", oldUser_);
}

}  // namespace scrivane::app::test
