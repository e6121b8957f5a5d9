#pragma once
// The find window: it stays open beside the editor while the user works. Next looks for
// the search text after the last match and selects it in the editor; the search does not
// wrap around to the start. Cancel and Escape hide it and give the editor the focus back,
// the match still selected.
#include <QDialog>
#include <QTextCursor>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QPlainTextEdit;
class QTextDocument;

namespace scrivane::app {

struct AppContext;

class frmSearch : public QDialog {
    Q_OBJECT
public:
    frmSearch(AppContext& context, QPlainTextEdit* editor, QWidget* parent = nullptr);

    // Sets every caption in the current language.
    void ApplyCaptions();

    QLineEdit* searchBox() const { return txtSearch_; }
    QCheckBox* caseBox() const { return chkCaseSensitive_; }
    // Where the last match starts in the editor's text, or -1 before the first one.
    int SearchIndex() const { return searchIndex_; }

    // The next match at or after `from`, selected (positions of the editor's own text,
    // whatever line ends the file has); a null cursor when there is none.
    static QTextCursor FindText(const QTextDocument* document, const QString& text, int from,
                                bool caseSensitive);

public slots:
    void cmdSearchNext_Click();
    // Cancel and Escape: hides the window.
    void cmdCancel_Click();
    void reject() override;

signals:
    // Hidden by Cancel or Escape: the editor takes the focus back.
    void dismissed();

private:
    AppContext& context_;
    QPlainTextEdit* editor_;
    QLabel* lblSearch_;
    QLineEdit* txtSearch_;
    QCheckBox* chkCaseSensitive_;
    QPushButton* cmdSearchNext_;
    QPushButton* cmdCancel_;
    int searchIndex_ = -1;
};

}  // namespace scrivane::app
