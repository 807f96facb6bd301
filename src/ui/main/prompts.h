// Every message box and file dialog of the windows goes through this service, so the
// tests can answer them without a dialog ever appearing.
#pragma once

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace r57::ui {

enum class Icon { None, Information, Question, Warning, Critical };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

class Prompts {
public:
    virtual ~Prompts() = default;

    // A message box; `defaultButton` is the button Enter presses.
    virtual Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                           Buttons buttons, Answer defaultButton) = 0;

    // File dialogs; `filter` is a Qt filter ("KDX Data Files (*.dat)"). An empty result
    // means the user cancelled. openFile asks for an existing file; saveFile confirms
    // before overwriting one.
    virtual QString openFile(QWidget* parent, const QString& filter, const QString& fileName) = 0;
    virtual QString saveFile(QWidget* parent, const QString& filter, const QString& fileName) = 0;

    // The print dialog over `printer` (which printer, paper, pages); false when the user
    // cancelled. Prompts that show no dialogs cancel.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer, int pageCount);
    // The print preview: shows the pages `paint` draws onto `printer`; printing from it
    // paints them once more onto the printer the user chose there.
    virtual void previewPrint(QWidget* parent, QPrinter& printer,
                              const std::function<void(QPrinter&)>& paint);
};

// The real dialogs.
class DialogPrompts : public Prompts {
public:
    Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                   Buttons buttons, Answer defaultButton) override;
    QString openFile(QWidget* parent, const QString& filter, const QString& fileName) override;
    QString saveFile(QWidget* parent, const QString& filter, const QString& fileName) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer, int pageCount) override;
    void previewPrint(QWidget* parent, QPrinter& printer,
                      const std::function<void(QPrinter&)>& paint) override;
};

} // namespace r57::ui
