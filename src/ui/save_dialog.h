// SaveDialog, the save dialog: comment and file name, OK and Cancel. Its handlers are in
// ui/save_dialog_handlers.h.
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace tessaroven {

class SaveDialog : public QWidget {
    Q_OBJECT
public:
    // Closing the dialog with its close box destroys it, like Cancel without keeping the entries.
    explicit SaveDialog(QWidget* parent = nullptr);

    QPushButton* okButton;      // "OK"
    QPushButton* cancelButton;  // "Cancel"
    QLineEdit* commentEdit;     // comment, the file's first line
    QLineEdit* fileNameEdit;    // file name without extension
};

}  // namespace tessaroven
