#include "ui/help/help_install.h"

#include "ui/help/help_topics.h"
#include "ui/help/help_window.h"
#include "ui/main/help_viewer.h"
#include "ui/main/main_window.h"

#include "core/session.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace r57::ui {

namespace {

QString DataFolder(MainWindow& main) {
    return QString::fromStdString(main.session().applicationDirectory);
}

// F1, wherever the focus is: watched for the whole application, since most windows
// are modal and the main window's keys do not reach them.
class HelpKey : public QObject {
public:
    explicit HelpKey(MainWindow& main) : QObject(&main), main_(main) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) ||
            !watched->isWidgetType()) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) {
            return false;
        }
        if (type == QEvent::ShortcutOverride) {
            event->accept(); // F1 is the window's own key, not the Help menu's shortcut
            return true;
        }
        QWidget* window = static_cast<QWidget*>(watched)->window();
        OpenHelpAt(main_, window, HelpPageFor(window));
        return true;
    }

private:
    MainWindow& main_;
};

} // namespace

void OpenHelpAt(MainWindow& main, QWidget* owner, const QString& page) {
    const QString folder = DataFolder(main);
    if (!HasHelpFile(folder)) {
        ShowHelpPage(main, owner, page);
        return;
    }
    // The dealer's own help file goes first; when it cannot be shown, the guide at the
    // same topic, saying why.
    QPointer<QWidget> over(owner);
    OpenHelp(folder, main.session().language, &main, [&main, over, page](const QString& why) {
        HelpWindow* help = ShowHelpPage(main, over ? over.data() : &main, page);
        help->setStatus(why);
    });
}

HelpWindow* OpenHelpWindow(const QWidget* owner) {
    if (auto* self = qobject_cast<HelpWindow*>(const_cast<QWidget*>(owner))) {
        return self; // F1 in the help window itself
    }
    return owner ? owner->findChild<HelpWindow*>("frmHelp", Qt::FindDirectChildrenOnly) : nullptr;
}

HelpWindow* ShowHelpPage(MainWindow& main, QWidget* owner, const QString& page) {
    HelpWindow* help = OpenHelpWindow(owner);
    if (!help) {
        help = new HelpWindow(DataFolder(main), main.session().language, owner);
    }
    help->showPage(page, main.session().language);
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

void InstallHelp(MainWindow& main) {
    qApp->installEventFilter(new HelpKey(main));
    main.setWindowOpener(SubWindow::Help, [&main] { OpenHelpAt(main, &main, kHelpStartPage); });
}

} // namespace r57::ui
