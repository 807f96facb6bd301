// `frmAbout`: the program's name, the radio model, the version and the release date.
#pragma once

#include <QDialog>

class QDate;

namespace r57::ui {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(int language, QWidget* parent = nullptr);

    // The lines of `lblAbout`, the date in the system's short date format.
    static QString AboutText(int language);
    static QDate ReleaseDate();
};

} // namespace r57::ui
