#pragma once
// The modal windows of the writing aids, behind one interface so that tests can answer
// them from a script: the Modify window, Go to line, Insert image and the input box of
// the titles. QtAidDialogs shows the real windows.
#include <QString>
#include <optional>

#include "dialogs/frmInsertImage.h"

class QWidget;

namespace scrivane::app {

struct AppContext;

class AidDialogs {
public:
    virtual ~AidDialogs() = default;
    // frmModify for a key: the value entered, empty when cancelled.
    virtual QString AskModifyValue(const QString& key) = 0;
    // frmGoto: the line asked for (0 the last), -1 when cancelled.
    virtual int AskLine(int defaultLine) = 0;
    // frmInsertImage: the fields, nullopt when cancelled.
    virtual std::optional<ImageFields> AskImage() = 0;
    // An input box; empty when cancelled.
    virtual QString AskText(const QString& title, const QString& prompt) = 0;
};

class QtAidDialogs : public AidDialogs {
public:
    QtAidDialogs(AppContext& context, QWidget* owner) : context_(context), owner_(owner) {}
    QString AskModifyValue(const QString& key) override;
    int AskLine(int defaultLine) override;
    std::optional<ImageFields> AskImage() override;
    QString AskText(const QString& title, const QString& prompt) override;

private:
    AppContext& context_;
    QWidget* owner_;
};

}  // namespace scrivane::app
