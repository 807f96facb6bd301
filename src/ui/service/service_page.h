// A page of the service window: its controls over one plain page of rules. The window
// shows one page at a time, asks before a changed page is left, and stores the shown
// page through the main window when the user confirms.
#pragma once

#include <QWidget>

namespace r57 {
class CodeplugImage;
class Session;
} // namespace r57

namespace r57::ui {

class ServicePage : public QWidget {
    Q_OBJECT
public:
    ServicePage(Session& session, QWidget* parent) : QWidget(parent), session_(session) {}

    // The image's values into the controls; edits not stored are given up.
    virtual void refresh() = 0;
    // The controls' values into `image`: exactly the page's bytes.
    virtual void store(CodeplugImage& image) const = 0;
    // Takes over what an open cell box or a text box holds, as leaving it does; the
    // window runs this before any of its commands.
    virtual void commitEdits() = 0;

signals:
    // The user changed a value (the window's changed flag).
    void edited();

protected:
    Session& session_;
};

} // namespace r57::ui
