#include "dialogs/frmInsertImage.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/RememberedPlace.h"
#include "document/LineConditions.h"
#include "shell/AppContext.h"
#include "dialogs/DialogWidgets.h"

namespace scrivane::app {

QString ImageTagLine(const ImageFields& f) {
    if (f.sPictureSource.isEmpty()) return {};
    QString tag = QString::fromLatin1(kImageTag.data(), qsizetype(kImageTag.size())) +
                  f.sPictureSource + "'";
    const struct {
        const char* name;
        const QString& value;
    } kAttributes[] = {{"left", f.sPictureLeft},
                       {"top", f.sPictureTop},
                       {"width", f.sPictureWidth},
                       {"height", f.sPictureHeight}};
    for (const auto& attribute : kAttributes) {
        if (!attribute.value.isEmpty()) {
            tag += QStringLiteral(" %1='%2'").arg(attribute.name, attribute.value);
        }
    }
    return tag + ">";
}

frmInsertImage::frmInsertImage(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("frmInsertImage");
    const clsCaption& c = context_.captions;
    setWindowTitle(c.m("Image"));
    auto newBox = [this](const char* name, int width) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * width);
        return box;
    };
    txtSource_ = newBox("txtSource", 40);
    txtLeft_ = newBox("txtLeft", 8);
    txtTop_ = newBox("txtTop", 8);
    txtWidth_ = newBox("txtWidth", 8);
    txtHeight_ = newBox("txtHeight", 8);
    auto* browse = new QPushButton(c.m("Browse..."), this);
    browse->setObjectName("cmdBrowse");
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &frmInsertImage::cmdBrowse_Click);

    auto* source = new QHBoxLayout;
    source->addWidget(txtSource_, 1);
    source->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(c.m("Picture"), source);
    form->addRow(c.m("Left"), txtLeft_);
    form->addRow(c.m("Top"), txtTop_);
    form->addRow(c.m("Width"), txtWidth_);
    form->addRow(c.m("Height"), txtHeight_);

    auto [buttons, ok, cancel] = OkCancelButtons(this, c);
    connect(ok, &QPushButton::clicked, this, &frmInsertImage::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmInsertImage::cmdCancel_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    RestorePlace(this, context_.settings, DialogPlace::InsertImage);
}

ImageFields frmInsertImage::fields() const {
    return {txtSource_->text(), txtLeft_->text(), txtTop_->text(), txtWidth_->text(),
            txtHeight_->text()};
}

QLineEdit* frmInsertImage::box(const char* objectName) const {
    return findChild<QLineEdit*>(objectName);
}

void frmInsertImage::cmdBrowse_Click() {
    int filterIndex = 1;
    const QString chosen = context_.prompts.OpenFileName(
        context_.captions.m("Image"), {"JPeg file (*.jpg)"}, filterIndex);
    if (!chosen.isEmpty()) txtSource_->setText(chosen);
}

void frmInsertImage::cmdOK_Click() { accept(); }

void frmInsertImage::cmdCancel_Click() { reject(); }

void frmInsertImage::done(int result) {
    StorePlace(this, context_.settings, DialogPlace::InsertImage);
    QDialog::done(result);
}

}  // namespace scrivane::app
