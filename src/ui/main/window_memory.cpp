#include "ui/main/window_memory.h"

#include "link/settings_store.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace r57::ui {

namespace {

// The windows whose size is worth keeping: those a dealer works in for a while.
constexpr const char* kWindows[] = {"FrmOpSign", "frmAdv",  "frmMemoryMap",
                                    "frmBatch",  "frmHelp", "frmDraw"};

bool Kept(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (!widget || !widget->isWindow()) {
        return false;
    }
    for (const char* name : kWindows) {
        if (widget->objectName() == QLatin1String(name)) {
            return true;
        }
    }
    return false;
}

QString Setting(const QObject* window) {
    return "Layout/" + window->objectName();
}

class SizeKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && Kept(watched)) {
            auto* window = static_cast<QWidget*>(watched);
            if (event->type() == QEvent::Show) {
                restore(window);
            } else if (!window->isMaximized() && !window->isMinimized()) {
                link::WriteSetting(Setting(window),
                                   QString("%1x%2").arg(window->width()).arg(window->height()));
            }
        }
        return false;
    }

private:
    static void restore(QWidget* window) {
        if (window->property("r57SizeRestored").toBool()) {
            return; // once a window: later shows keep what the user did meanwhile
        }
        window->setProperty("r57SizeRestored", true);
        const QStringList parts = link::ReadSetting(Setting(window)).split('x');
        if (parts.size() != 2) {
            return;
        }
        QSize size(parts[0].toInt(), parts[1].toInt());
        if (size.width() <= 0 || size.height() <= 0) {
            return; // not ours, or damaged
        }
        // Never larger than the screen it opens on, never smaller than its layout needs.
        if (const QScreen* screen = window->screen()) {
            size = size.boundedTo(screen->availableGeometry().size());
        }
        window->resize(size.expandedTo(window->minimumSizeHint()));
    }
};

} // namespace

void RememberWindowSizes() {
    static QPointer<SizeKeeper> keeper;
    if (!keeper && qApp) {
        keeper = new SizeKeeper(qApp);
        qApp->installEventFilter(keeper);
    }
}

} // namespace r57::ui
