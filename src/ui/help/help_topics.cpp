#include "ui/help/help_topics.h"

#include "ui/help/help_window.h"

#include <QWidget>

namespace r57::ui {

QString HelpPageFor(const QWidget* window) {
    for (const QWidget* w = window; w; w = w->parentWidget()) {
        w = w->window();
        for (const HelpTopic& topic : kHelpTopics) {
            if (w->objectName() != topic.window) {
                continue;
            }
            const QWidget* shown = topic.shown ? w->findChild<QWidget*>(topic.shown) : w;
            if (shown && shown->isVisible()) {
                return topic.page;
            }
        }
    }
    return kHelpStartPage;
}

} // namespace r57::ui
