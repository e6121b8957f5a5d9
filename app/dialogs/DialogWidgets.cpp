#include "dialogs/DialogWidgets.h"

#include "lang/clsCaption.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>

namespace scrivane::app {

QStringList Steps(int from, int to, int step) {
    QStringList items;
    for (int value = from; value <= to; value += step) items << QString::number(value);
    return items;
}

QComboBox* EditableChoices(const char* name, const QStringList& items) {
    auto* combo = Named(new QComboBox, name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    return combo;
}

OkCancel OkCancelButtons(QWidget* dialog, const clsCaption& captions) {
    auto* box = new QDialogButtonBox(dialog);
    QPushButton* ok = Named(box->addButton(captions.m("OK"), QDialogButtonBox::AcceptRole), "cmdOK");
    ok->setDefault(true);
    QPushButton* cancel =
        Named(box->addButton(captions.m("Cancel"), QDialogButtonBox::RejectRole), "cmdCancel");
    return {box, ok, cancel};
}

}  // namespace scrivane::app
