#pragma once
// "Add a favorite": the favorite's name and whether it opens in a new window. OK gives
// back the name and the choice; Cancel or closing the window gives an empty name.
#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace scrivane::app {

class clsCaption;

class frmFavori : public QDialog {
    Q_OBJECT
public:
    // mode: "1" ticks the new-window choice; any other text leaves it unticked.
    frmFavori(const clsCaption& captions, const QString& proposedName, const QString& mode,
              QWidget* parent = nullptr);

    QString favoriteName() const { return name_; }  // empty unless confirmed
    QString mode() const;                           // "1" or "0"

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* lblFavoriteName_;
    QLineEdit* txtFavoriteName_;
    QCheckBox* chkOpenFavoriteNewWindow_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    QString name_;
};

}  // namespace scrivane::app
