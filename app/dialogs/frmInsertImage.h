#pragma once
// Asks for a JPEG picture to place in the text and, optionally, its position and size in
// points. Browse picks the file with the open dialog.
#include <QDialog>
#include <QString>

class QLineEdit;

namespace scrivane::app {

struct AppContext;

// What the window gives back; empty fields are left out of the tag.
struct ImageFields {
    QString sPictureSource;
    QString sPictureLeft;
    QString sPictureTop;
    QString sPictureWidth;
    QString sPictureHeight;
};

// The image tag line of the fields ("<img src='a.jpg' left='10'>"); empty without a source.
QString ImageTagLine(const ImageFields& fields);

class frmInsertImage : public QDialog {
    Q_OBJECT
public:
    explicit frmInsertImage(AppContext& context, QWidget* parent = nullptr);

    ImageFields fields() const;
    QLineEdit* box(const char* objectName) const;

public slots:
    void cmdBrowse_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void done(int result) override;

private:
    AppContext& context_;
    QLineEdit* txtSource_;
    QLineEdit* txtLeft_;
    QLineEdit* txtTop_;
    QLineEdit* txtWidth_;
    QLineEdit* txtHeight_;
};

}  // namespace scrivane::app
