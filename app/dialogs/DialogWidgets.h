#pragma once
// Building blocks of the format dialogs: controls named as the program names them (tests
// and captions find them by name), value lists, and lists that also take a typed value.
#include <QString>
#include <QStringList>

class QComboBox;
class QDialogButtonBox;
class QPushButton;
class QWidget;

namespace scrivane::app {

class clsCaption;

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// "from", "from + step", ... up to "to".
QStringList Steps(int from, int to, int step);

// A list whose value may also be typed; typing adds nothing to the list.
QComboBox* EditableChoices(const char* name, const QStringList& items);

// The OK (the default button) and Cancel pair of a dialog, captioned through the caption
// service and named "cmdOK" and "cmdCancel".
struct OkCancel {
    QDialogButtonBox* box;
    QPushButton* ok;
    QPushButton* cancel;
};
OkCancel OkCancelButtons(QWidget* dialog, const clsCaption& captions);

}  // namespace scrivane::app
