#include "ui/compare/compare_go_to.h"

#include "ui/main/main_window.h"

#include "core/channel.h"
#include "core/session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <limits>

namespace r57::ui {

namespace {

// How long a window that is asked for (a login first, say) may take to appear.
constexpr int kWaitMs = 60000;

struct Target {
    SubWindow opener;
    const char* window; // its objectName
    const char* tree;   // its page tree, or null
    const char* node;   // the page's key in the tree
};

Target TargetOf(const text::DiffRow& row) {
    const std::string& page = row.page;
    if (page == "Function Setting") {
        const bool ptt = row.field.compare(0, 6, "PTT ID") == 0;
        return {SubWindow::OptionalFeatures, "FrmOpSign", "TreeOPS", ptt ? "B1" : "B0"};
    }
    static const struct {
        const char* page;
        Target target;
    } kTargets[] = {
        {"PowerOn Logo", {SubWindow::OptionalFeatures, "FrmOpSign", "TreeOPS", "B2"}},
        {"Common Set", {SubWindow::OptionalFeatures, "FrmOpSign", "TreeOPS", "C0"}},
        {"DTMF", {SubWindow::OptionalFeatures, "FrmOpSign", "TreeOPS", "C1"}},
        {"MSK", {SubWindow::OptionalFeatures, "FrmOpSign", "TreeOPS", "C2"}},
        {"2-Tone", {SubWindow::OptionalFeatures, "FrmOpSign", "TreeOPS", "C3"}},
        {"5-Tone", {SubWindow::OptionalFeatures, "FrmOpSign", "TreeOPS", "C4"}},
        {"FM Channels", {SubWindow::Radio, "frmRadio", nullptr, nullptr}},
        {"Embedded Message", {SubWindow::EmbeddedMessage, "frmEmbMsg", nullptr, nullptr}},
        {"Frequency Range", {SubWindow::ServiceLogin, "frmAdv", "TreeAdv", "A"}},
        {"Tuning and Deviation", {SubWindow::ServiceLogin, "frmAdv", "TreeAdv", "B"}},
        {"Analogue Setting Gain", {SubWindow::ServiceLogin, "frmAdv", "TreeAdv", "C"}},
    };
    for (const auto& t : kTargets) {
        if (page == t.page) {
            return t.target;
        }
    }
    return {SubWindow::OptionalFeatures, nullptr, nullptr, nullptr};
}

// A caption as compared: no accelerator, colon or blanks, any case.
QString Plain(QString text) {
    text.remove('&').remove(':').remove(QChar(0xFF1A)).remove(' ');
    return text.toLower();
}

// The control a caption names on the visible part of `window`: a button (check box) of
// that text, or the control a label of that text stands beside.
QWidget* ControlFor(QWidget* window, const QStringList& captions) {
    QStringList wanted;
    for (const QString& caption : captions) {
        wanted << Plain(caption);
    }
    for (auto* button : window->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && wanted.contains(Plain(button->text()))) {
            return button;
        }
    }
    for (auto* label : window->findChildren<QLabel*>()) {
        if (!label->isVisible() || !wanted.contains(Plain(label->text()))) {
            continue;
        }
        if (label->buddy()) {
            return label->buddy();
        }
        // The nearest control to the right on the label's line, else the one below.
        const QRect at(label->mapTo(window, QPoint(0, 0)), label->size());
        QWidget* best = nullptr;
        long bestDistance = std::numeric_limits<long>::max();
        for (auto* w : window->findChildren<QWidget*>()) {
            if (w == label || !w->isVisible() || w->focusPolicy() == Qt::NoFocus ||
                qobject_cast<QLabel*>(w)) {
                continue;
            }
            const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
            const bool right =
                r.left() >= at.left() && r.top() < at.bottom() && r.bottom() > at.top();
            const bool below = r.top() >= at.top() && r.left() < at.right() + 40;
            if (!right && !below) {
                continue;
            }
            const long d =
                (right ? 0 : 100000) + (r.left() - at.left()) + 10L * (r.top() - at.top());
            if (d < bestDistance) {
                best = w;
                bestDistance = d;
            }
        }
        if (best) {
            return best;
        }
    }
    return nullptr;
}

// Shows the page in the window's tree and puts the focus on the field's control.
void ShowField(QWidget* window, const Target& target, const QStringList& captions) {
    if (target.tree) {
        if (auto* tree = window->findChild<QTreeWidget*>(target.tree)) {
            for (QTreeWidgetItemIterator it(tree); *it; ++it) {
                if ((*it)->data(0, Qt::UserRole).toString() == target.node) {
                    tree->setCurrentItem(*it);
                    break;
                }
            }
        }
    }
    if (QWidget* control = ControlFor(window, captions)) {
        control->setFocus(Qt::OtherFocusReason);
    }
}

// Waits for the window to be shown (now or after its login), then shows the field.
class FieldFinder : public QObject {
public:
    FieldFinder(const Target& target, QStringList captions)
        : QObject(qApp), target_(target), captions_(std::move(captions)) {
        qApp->installEventFilter(this);
        QTimer::singleShot(kWaitMs, this, [this] { deleteLater(); });
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            watched->objectName() == target_.window) {
            QPointer<QWidget> window = static_cast<QWidget*>(watched);
            qApp->removeEventFilter(this);
            // After the window has laid itself out and taken its first focus.
            QTimer::singleShot(0, this, [this, window] {
                if (window) {
                    ShowField(window, target_, captions_);
                }
                deleteLater();
            });
        }
        return false;
    }

private:
    Target target_;
    QStringList captions_;
};

} // namespace

void GoToRow(MainWindow& main, const text::DiffRow& row) {
    if (row.area == text::DiffArea::Bytes) {
        return; // no window shows them field by field
    }
    if (row.bank >= 0) {
        const bool whole = row.field == ChannelLabel(row.bank, row.channel);
        const int column = row.column >= 0 ? row.column : whole ? kColRx : kColOption;
        main.raise();
        main.showChannelCell(row.bank, row.channel, column);
        return;
    }
    const Target target = TargetOf(row);
    if (!target.window) {
        return;
    }
    const text::DiffWords words = text::WordsOf(row, main.session().language);
    const QString where = QString::fromStdString(words.where);
    const int language = main.session().language;
    QStringList captions{QString::fromStdString(row.field), where.section(" / ", -1),
                         QString::fromStdString(text::WindowCaption(row, language))};
    // A window already open (the settings window) is shown at the field at once.
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->objectName() == target.window) {
            top->raise();
            top->activateWindow();
            ShowField(top, target, captions);
            return;
        }
    }
    for (auto* child : main.findChildren<QWidget*>(target.window)) {
        if (child->isVisible()) {
            ShowField(child, target, captions);
            return;
        }
    }
    new FieldFinder(target, captions);
    main.openSubWindow(target.opener);
}

} // namespace r57::ui
