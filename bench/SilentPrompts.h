#pragma once
// The editor's benchmarks run its real windows with no one to answer them.
#include <QColor>
#include <QDialog>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>

#include "shell/Prompts.h"

namespace bench {

// Answers nothing and opens nothing: a benchmark never waits for a person.
class SilentPrompts : public scrivane::app::Prompts {
public:
    Answer AskYesNoCancel(const QString&, const QString&) override { return Answer::No; }
    bool AskYesNo(const QString&, const QString&) override { return true; }
    void Inform(const QString&, const QString& text) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    QString OpenFileName(const QString&, const QStringList&, int&, const QString&) override {
        return {};
    }
    QString SaveFileName(const QString&, const QStringList&, int&, const QString&) override {
        return {};
    }
    bool AskText(const QString&, const QString&, QString&) override { return false; }
    int ShowModal(QDialog&) override { return QDialog::Rejected; }
    bool ChooseFont(QFont&) override { return false; }
    bool ChooseColour(QColor&, const QList<QColor>&) override { return false; }
    bool ChoosePrinter(QPrinter&) override { return false; }
    void OpenExternally(const QString&, std::function<void()>) override {}
};

}  // namespace bench
