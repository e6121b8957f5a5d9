#include "dialogs/DialogWidgets.h"

#include <QComboBox>

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

}  // namespace scrivane::app
