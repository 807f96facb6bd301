#include "ui/service/analogue_page_widget.h"

#include "ui/main/ui_text.h"

#include "core/session.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace r57::ui {

namespace {

QString Text(const service::Caption& caption, int language) {
    return Tr(OwnText{caption.english, caption.chinese}, language);
}

// `UpDown1` k: an up and a down arrow beside a fine value box.
QWidget* UpDown(int k, QWidget* parent, const std::function<void(int)>& step) {
    auto* box = new QWidget(parent);
    box->setObjectName(QString("UpDown1_%1").arg(k));
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int delta : {+1, -1}) {
        auto* arrow = new QToolButton(box);
        arrow->setObjectName(QString("UpDown1_%1_%2").arg(k).arg(delta > 0 ? "Up" : "Down"));
        arrow->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFixedSize(18, 12);
        arrow->setFocusPolicy(Qt::NoFocus);
        QObject::connect(arrow, &QToolButton::clicked, box, [step, delta] { step(delta); });
        layout->addWidget(arrow);
    }
    return box;
}

} // namespace

AnaloguePageWidget::AnaloguePageWidget(Session& session, QWidget* parent)
    : ServicePage(session, parent) {
    setObjectName("fraAnalogue");
    auto* frames = new QGridLayout;
    for (int frame = 0; frame < 4; ++frame) {
        frames->addWidget(buildFrame(frame), frame / 2, frame % 2);
    }
    auto* columns = new QHBoxLayout;
    columns->addLayout(frames);
    columns->addWidget(buildFineValues(), 0, Qt::AlignTop);
    columns->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addStretch(1);
}

QWidget* AnaloguePageWidget::buildFrame(int frame) {
    const int language = session_.language;
    auto* box = new QGroupBox(Text(Page::kFrames[frame], language), this);
    box->setObjectName(QString("FraGain_%1").arg(frame));
    auto* grid = new QGridLayout(box);
    for (int half = 0; half < 2; ++half) {
        const int k = frame * 2 + half;
        for (bool output : {false, true}) {
            auto* list = new QComboBox(box);
            list->setObjectName(QString(output ? "Cbooutput_%1" : "Cboinput_%1").arg(k));
            for (int step = 0; step < Page::kSteps; ++step) {
                list->addItem(QString::fromStdString(output ? Page::OutputGainText(step)
                                                            : Page::InputGainText(step)));
            }
            connect(list, &QComboBox::currentIndexChanged, this, [this, k, output](int step) {
                if (showing_) {
                    return;
                }
                output ? page_.setOutput(k, step) : page_.setInput(k, step);
                emit edited();
            });
            (output ? outputs_ : inputs_)[k] = list;
            const int row = half * 2 + (output ? 1 : 0);
            grid->addWidget(new QLabel(Text(Page::kPairLabels[half][output], language), box), row,
                            0);
            grid->addWidget(list, row, 1);
        }
    }
    return box;
}

QWidget* AnaloguePageWidget::buildFineValues() {
    const int language = session_.language;
    auto* box = new QGroupBox(this);
    box->setObjectName("FraFine");
    auto* grid = new QGridLayout(box);
    for (int k = 0; k < Page::kFineValues; ++k) {
        auto* text = new QLineEdit(box);
        text->setObjectName(QString("Text1_%1").arg(k));
        // Digits only, five at most: a fifth replaces a selection of the four.
        text->setMaxLength(5);
        text->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), text));
        text->setFixedWidth(70);
        text->installEventFilter(this);
        connect(text, &QLineEdit::textEdited, this, [this] { emit edited(); });
        connect(text, &QLineEdit::editingFinished, this, [this, k] { leaveFine(k); });
        fine_[k] = text;
        grid->addWidget(new QLabel(Text(Page::kFineLabels[k], language), box), k, 0);
        grid->addWidget(text, k, 1);
        grid->addWidget(UpDown(k, box, [this, k](int delta) { stepFine(k, delta); }), k, 2);
    }
    return box;
}

bool AnaloguePageWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            for (int k = 0; k < Page::kFineValues; ++k) {
                if (watched != fine_[k]) {
                    continue;
                }
                if (k == Page::kNarrowFine && apply_) {
                    apply_->setFocus();
                } else {
                    focusNextChild();
                }
                return true;
            }
        }
    }
    return ServicePage::eventFilter(watched, event);
}

void AnaloguePageWidget::leaveFine(int k) {
    page_.setFine(k, Page::FineFromText(k, fine_[k]->text().toStdString()));
    fine_[k]->setText(QString::number(page_.fine(k)));
}

void AnaloguePageWidget::stepFine(int k, int delta) {
    const int value = Page::FineFromText(k, fine_[k]->text().toStdString()) + delta;
    if (value < 0 || value > Page::FineMaximum(k)) {
        return;
    }
    page_.setFine(k, value);
    fine_[k]->setText(QString::number(value));
    emit edited();
}

void AnaloguePageWidget::refresh() {
    page_.load(session_.image);
    showing_ = true;
    for (int k = 0; k < Page::kPairs; ++k) {
        inputs_[k]->setCurrentIndex(page_.input(k));
        outputs_[k]->setCurrentIndex(page_.output(k));
    }
    for (int k = 0; k < Page::kFineValues; ++k) {
        fine_[k]->setText(QString::number(page_.fine(k)));
    }
    showing_ = false;
}

void AnaloguePageWidget::commitEdits() {
    for (int k = 0; k < Page::kFineValues; ++k) {
        leaveFine(k);
    }
}

void AnaloguePageWidget::store(CodeplugImage& image) const {
    page_.write(image);
}

} // namespace r57::ui
