#pragma once
// The line format editor: the line conditions of one line options file, each shown in
// four tabs, added, deleted and saved back on OK or under a new name in settings/.
#include <QDialog>

#include "format/vorFormat.h"

class QListWidget;
class QPushButton;
class QTabWidget;

namespace scrivane::app {

struct AppContext;
class ConditionFields;

class frmFormatLine : public QDialog {
    Q_OBJECT
public:
    // Edits the conditions read from `source` (the user's file, or the shipped template
    // while there is none) and writes them to `target` on OK.
    frmFormatLine(AppContext& context, int formatCode, const QString& source, const QString& target,
                  QWidget* parent = nullptr);

    const vorFormat& format() const { return format_; }

public slots:
    void accept() override;  // OK
    void done(int result) override;

    void Add();
    void Delete();
    void SaveAs();

private:
    void BuildControls();
    void ApplyCaptions();
    // Shows the condition of a row of the list, after storing the one shown before.
    void ShowRow(int row);
    void StoreShown();
    // The list of names again, with `row` selected (none when there is no condition).
    void RefreshList(int row);
    // Writes the conditions to the file; false when it failed (and said so).
    bool Write(const QString& path);

    AppContext& context_;
    const int code_;
    QString target_;
    vorFormat format_;
    int shown_ = -1;  // the condition in the tabs, -1 for none

    QListWidget* ListTags_;
    QTabWidget* TabStrip1_;
    ConditionFields* fields_;
    QPushButton *cmdAdd_, *cmdDelete_, *cmdSaveAs_, *cmdOK_, *cmdCancel_;
};

}  // namespace scrivane::app
