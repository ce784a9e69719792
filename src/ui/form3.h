// Form3, the save dialog: comment and file name, OK and Cancel. Its handlers are in output/save_dialog.h.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tessaroven {

class Form3 : public QWidget {
    Q_OBJECT
public:
    // Closing the dialog with its close box destroys it, like Cancel without keeping the entries.
    explicit Form3(QWidget* parent = nullptr);

    QPushButton* Command1;  // "OK"
    QPushButton* Command2;  // "Cancel"
    QLineEdit* Text1;       // comment, the file's first line
    QLineEdit* Text2;       // file name without extension
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
};

}  // namespace tessaroven
