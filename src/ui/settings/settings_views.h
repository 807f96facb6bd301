// The eight pages of `FrmOpSign`, one frame each (`FraOp_0` .. `FraOp_7`). A page view
// owns its controls and moves values between them and its plain page class; the
// window loads and writes the page classes.
#pragma once

#include "model/settings/common_set_page.h"
#include "model/settings/dtmf_page.h"
#include "model/settings/five_tone_page.h"
#include "model/settings/function_setting_page.h"
#include "model/settings/logo_page.h"
#include "model/settings/msk_page.h"
#include "model/settings/two_tone_page.h"

#include <QFrame>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace r57 {
class Session;
}

namespace r57::ui {

class CodeGrid;
class LogoGrid;
class Prompts;

// The page numbers of the window (the index of `FraOp`).
enum SettingsPage : int {
    kCommonSetPage = 0,
    kDtmfPage = 1,
    kMskPage = 2,
    kTwoTonePage = 3,
    kFiveTonePage = 4,
    kFunctionPage = 5,
    kPttIdPage = 6,
    kLogoPage = 7,
    kSettingsPageCount = 8
};

// What the pages need from the window.
struct ViewContext {
    Session& session;
    Prompts& prompts;
    QPushButton* save; // `CmdOps_0`: Enter in a page's last box goes there
    int language;
};

class PageView : public QFrame {
public:
    PageView(int page, const ViewContext& context, QWidget* parent);
    // The page class's values into the controls.
    virtual void fill() = 0;
    // The controls' values into the page class; boxes being typed in settle first.
    virtual void take() = 0;
    // An open in-cell editor takes its text (before Save, or leaving the page).
    virtual void closeEditors() {}

protected:
    ViewContext context_;
};

class CommonSetView : public PageView {
public:
    CommonSetView(settings::CommonSetPage& page, const ViewContext& context, QWidget* parent);
    void fill() override;
    void take() override;

private:
    QString offText() const;
    void settle(int box);
    void step(int box, int step);

    settings::CommonSetPage& page_;
    QCheckBox* sideTone_;
    std::array<QLineEdit*, 2> boxes_{};
    QComboBox* deadBeat_;
};

class DtmfView : public PageView {
public:
    DtmfView(settings::DtmfPage& page, const ViewContext& context, QWidget* parent);
    void fill() override;
    void take() override;
    void closeEditors() override;

private:
    QWidget* buildEncode();
    QWidget* buildDecode();
    void showDecodeMode();

    settings::DtmfPage& page_;
    CodeGrid* grid_ = nullptr;
    std::array<QComboBox*, 4> lists_{};
    std::array<QLineEdit*, 2> inhibit_{};
};

class MskView : public PageView {
public:
    MskView(settings::MskPage& page, const ViewContext& context, QWidget* parent);
    void fill() override;
    void take() override;
    void closeEditors() override;

private:
    settings::MskPage& page_;
    QLineEdit* ownId_;
    CodeGrid* grid_;
};

class TwoToneView : public PageView {
public:
    TwoToneView(settings::TwoTonePage& page, const ViewContext& context, QWidget* parent);
    void fill() override;
    void take() override;
    void closeEditors() override;

private:
    CodeGrid* buildGrid(int list);
    void showRow(int list, int row);

    settings::TwoTonePage& page_;
    std::array<CodeGrid*, 2> grids_{};
};

class FiveToneView : public PageView {
public:
    FiveToneView(settings::FiveTonePage& page, const ViewContext& context, QWidget* parent);
    void fill() override;
    void take() override;
    void closeEditors() override;
    // The code-count check: false (with the message, and the focus in the box) when a
    // control code is filled in but short.
    bool checkCodes();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QWidget* buildCodes();
    QWidget* buildToneTable();
    void showStandard(int standard);
    void showRow(int row);

    settings::FiveTonePage& page_;
    std::array<QComboBox*, 3> lists_{};
    std::array<QLineEdit*, 3> codes_{};
    std::array<QLineEdit*, 16> tones_{};
    CodeGrid* grid_ = nullptr;
};

class FunctionView : public PageView {
public:
    FunctionView(settings::FunctionSettingPage& page, const ViewContext& context, QWidget* parent);
    void fill() override;
    void take() override;

private:
    QWidget* buildVox();
    QWidget* buildPowerOn();
    void showMessageMode(int mode);

    settings::FunctionSettingPage& page_;
    std::array<QComboBox*, settings::FunctionSettingPage::kChoiceCount> choices_{};
    std::array<QCheckBox*, settings::FunctionSettingPage::kFlagCount> flags_{};
    QLineEdit* message_ = nullptr;
};

class PttIdView : public PageView {
public:
    PttIdView(settings::FunctionSettingPage& page, const ViewContext& context, QWidget* parent);
    void fill() override;
    void take() override;

private:
    void applyType(int type);

    settings::FunctionSettingPage& page_;
    QComboBox* type_;
    QCheckBox* ani_;
    std::array<QLineEdit*, 2> boxes_{};
    int shownType_ = -1; // the type the boxes' codes are for
};

class LogoView : public PageView {
public:
    LogoView(settings::LogoPage& page, const ViewContext& context, QWidget* parent);
    void fill() override;
    void take() override {} // the picture is packed by the window's Save
    void openEditor();

private:
    void load();

    settings::LogoPage& page_;
    LogoGrid* grid_;
};

} // namespace r57::ui
