// The grid's cursor and editor decisions, without a widget.
#include "model/sheet/grid_rules.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace r57 {
namespace {

constexpr RowState kEmpty{false, false};
constexpr RowState kRxOnly{true, false};
constexpr RowState kFull{true, true};

ColumnVisibility Hiding(std::initializer_list<int> hidden) {
    ColumnVisibility v = AllColumnsVisible();
    for (int c : hidden) {
        v[c] = false;
    }
    return v;
}

TEST(GridRules, ClickOrEnterOpensTheCellThatMakesSense) {
    struct Case {
        int column;
        RowState row;
        OpenDecision::Action action;
        int target;
    };
    const Case cases[] = {
        // An empty channel always starts at its receive frequency, even from "More".
        {1, kEmpty, OpenDecision::kEditor, 1},
        {4, kEmpty, OpenDecision::kEditor, 1},
        {8, kEmpty, OpenDecision::kEditor, 1},
        {14, kEmpty, OpenDecision::kEditor, 1},
        // No encode tone without a transmit frequency.
        {4, kRxOnly, OpenDecision::kEditor, 2},
        {3, kRxOnly, OpenDecision::kEditor, 3},
        {4, kFull, OpenDecision::kEditor, 4},
        {13, kFull, OpenDecision::kEditor, 13},
        {14, kFull, OpenDecision::kAlternatePanel, 14},
        {14, kRxOnly, OpenDecision::kAlternatePanel, 14},
        // The label opens nothing.
        {0, kFull, OpenDecision::kNothing, 0},
        {0, kEmpty, OpenDecision::kNothing, 0},
    };
    for (const Case& c : cases) {
        const OpenDecision d = DecideOpen(c.column, c.row, AllColumnsVisible());
        EXPECT_EQ(d.action, c.action) << "column " << c.column;
        if (c.action != OpenDecision::kNothing) {
            EXPECT_EQ(d.column, c.target) << "column " << c.column;
        }
    }
}

TEST(GridRules, NoEditorOpensOnAHiddenColumn) {
    EXPECT_EQ(DecideOpen(4, kRxOnly, Hiding({2})).action, OpenDecision::kNothing);
    EXPECT_EQ(DecideOpen(5, kFull, Hiding({5})).action, OpenDecision::kNothing);
    EXPECT_EQ(DecideOpen(5, kFull, Hiding({4})).action, OpenDecision::kEditor);
}

TEST(GridRules, TypedKeysStartTheEditorOnlyWhereTheyBelong) {
    struct Case {
        int column;
        RowState row;
        TypedKey key;
        bool starts;
        int target;
        char first;
    };
    const Case cases[] = {
        {1, kFull, {'4'}, true, 1, '4'},
        {1, kEmpty, {'.'}, true, 1, '.'},
        {1, kFull, {0, true}, true, 1, '.'}, // numeric pad decimal, any locale
        {2, kFull, {'7'}, true, 2, '7'},
        {2, kEmpty, {'7'}, true, 1, '7'},
        {8, kEmpty, {'1'}, true, 1, '1'},
        {8, kFull, {'1'}, true, 8, '1'},
        {8, kFull, {'A'}, true, 8, 'A'},
        {8, kFull, {'a'}, true, 8, 'A'}, // letters always in capitals
        {8, kFull, {' '}, true, 8, ' '},
        {8, kFull, {'-'}, true, 8, '-'},
        {8, kFull, {'z'}, true, 8, 'Z'},
        // C, D, I and V never start the name editor.
        {8, kFull, {'C'}, false, 0, 0},
        {8, kFull, {'d'}, false, 0, 0},
        {8, kFull, {'I'}, false, 0, 0},
        {8, kFull, {'V'}, false, 0, 0},
        // Characters above "z" and keys without a character.
        {8, kFull, {'{'}, false, 0, 0},
        {8, kFull, {0}, false, 0, 0},
        // A letter on an empty channel would only make a 400 MHz channel.
        {8, kEmpty, {'A'}, false, 0, 0},
        // Letters do not start a frequency; other columns take no keys.
        {1, kFull, {'A'}, false, 0, 0},
        {2, kFull, {','}, false, 0, 0},
        {3, kFull, {'6'}, false, 0, 0},
        {5, kFull, {'H'}, false, 0, 0},
        {14, kFull, {'1'}, false, 0, 0},
        // Ctrl and Alt chords are commands or menu keys.
        {8, kFull, {'A', false, true}, false, 0, 0},
        {1, kFull, {'1', false, true}, false, 0, 0},
    };
    for (const Case& c : cases) {
        const KeyDecision d = DecideTypedKey(c.column, c.row, c.key, AllColumnsVisible());
        SCOPED_TRACE(testing::Message() << "column " << c.column << " key " << c.key.code);
        EXPECT_EQ(d.startEditor, c.starts);
        if (c.starts) {
            EXPECT_EQ(d.column, c.target);
            EXPECT_EQ(d.first, c.first);
        }
    }
}

TEST(GridRules, TypedKeyNeverStartsAHiddenEditor) {
    EXPECT_FALSE(DecideTypedKey(8, kFull, {'1'}, Hiding({8})).startEditor);
    EXPECT_FALSE(DecideTypedKey(8, kEmpty, {'1'}, Hiding({1})).startEditor);
}

TEST(GridRules, FrequencyAndNameEditorsFilterCharacters) {
    struct Case {
        int column;
        char32_t ch;
        bool accepted;
    };
    const Case cases[] = {
        {1, U'0', true},  {1, U'9', true},  {1, U'.', true},   {2, U',', true},  {1, U'a', false},
        {2, U' ', false}, {1, U'-', false}, {8, U' ', true},   {8, U'z', true},  {8, U'{', false},
        {8, 31, false},   {8, U'~', false}, {8, U'中', false}, {3, U'1', false}, {0, U'1', false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EditorAcceptsChar(c.column, c.ch), c.accepted)
            << "column " << c.column << " char " << static_cast<unsigned>(c.ch);
    }
}

TEST(GridRules, CommittedTextsAreCutToWhatTheFieldHolds) {
    EXPECT_EQ(FilterEditorText(1, "438.0250012"), "438.02500");
    EXPECT_EQ(FilterEditorText(1, "4a3b8"), "438");
    EXPECT_EQ(FilterEditorText(8, "Repeater 1"), "Repeate");
    EXPECT_EQ(FilterEditorText(8, "中A{B}"), "AB");
    EXPECT_EQ(FilterEditorText(5, "High"), "");
}

TEST(GridRules, EnterInTheTextEditorMovesToTheNextVisibleColumn) {
    EXPECT_EQ(TextEnterColumn(1, AllColumnsVisible()), 2);
    EXPECT_EQ(TextEnterColumn(8, AllColumnsVisible()), 9);
    EXPECT_EQ(TextEnterColumn(8, Hiding({9, 10, 11, 12, 13})), 14);
    EXPECT_EQ(TextEnterColumn(2, Hiding({3, 4, 5})), 6);
    EXPECT_EQ(TextEnterColumn(8, Hiding({9, 10, 11, 12, 13, 14})), 8);
}

TEST(GridRules, EnterInTheToneEditorSkipsEncodeWithoutTransmitFrequency) {
    struct Case {
        int column;
        bool hasTx;
        ColumnVisibility visible;
        int target;
    };
    const Case cases[] = {
        {3, true, AllColumnsVisible(), 4},
        {3, false, AllColumnsVisible(), 5},
        {4, true, AllColumnsVisible(), 5},
        {3, true, Hiding({4}), 5},
        {4, true, Hiding({5, 6, 7}), 8},
        {3, false, Hiding({5, 6}), 7},
        {4, true, Hiding({5, 6, 7, 8, 9, 10, 11, 12, 13, 14}), 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToneEnterColumn(c.column, c.hasTx, c.visible), c.target)
            << "column " << c.column << " tx " << c.hasTx;
    }
}

TEST(GridRules, EnterInTheChoiceEditorMovesRightThenDown) {
    struct Case {
        int row, column;
        ColumnVisibility visible;
        GridCell target;
    };
    const Case cases[] = {
        {5, 5, AllColumnsVisible(), {5, 6}},
        {5, 7, AllColumnsVisible(), {5, 8}},
        {5, 7, Hiding({8, 9}), {5, 10}},
        {5, 13, AllColumnsVisible(), {5, 14}},
        {128, 13, AllColumnsVisible(), {128, 14}},
        // Nothing visible to the right: on to the next row, but not past the bank's end.
        {5, 13, Hiding({14}), {6, 1}},
        {128, 13, Hiding({14}), {128, 13}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChoiceEnterCell(c.row, c.column, c.visible), c.target)
            << "row " << c.row << " column " << c.column;
    }
}

TEST(GridRules, TypedTonesMatchTheListOrNothing) {
    const std::vector<std::string> list{"None", "67.0", "88.5", "100.0", "D023N", "D023I"};
    struct Case {
        const char* typed;
        const char* match; // nullptr: no match
    };
    const Case cases[] = {
        {"None", "None"},   {"none", "None"},   {" 88.5 ", "88.5"}, {"88.50", "88.5"},
        {"88,5", "88.5"},   {"67", "67.0"},     {"100", "100.0"},   {"d023n", "D023N"},
        {"D023I", "D023I"}, {"88.55", nullptr}, {"88.4", nullptr},  {"", nullptr},
        {"abc", nullptr},   {"D999N", nullptr}, {"8.8.5", nullptr}, {"N", "None"},
        {"Nix", "None"},
    };
    // In Chinese "None" reads "无", and a typed "N" still means no tone.
    const std::vector<std::string> chinese{"无", "67.0", "D023N"};
    const Case chineseCases[] = {{"N", "无"},  {"None", "无"},     {"none", "无"},
                                 {"无", "无"}, {"d023n", "D023N"}, {"x", nullptr}};
    for (const auto& [cases_, tones] :
         {std::pair{std::vector<Case>(std::begin(cases), std::end(cases)), list},
          std::pair{std::vector<Case>(std::begin(chineseCases), std::end(chineseCases)),
                    chinese}}) {
        for (const Case& c : cases_) {
            const std::optional<std::string> m = MatchTone(c.typed, tones);
            if (c.match == nullptr) {
                EXPECT_FALSE(m.has_value()) << '"' << c.typed << '"';
            } else {
                EXPECT_EQ(m.value_or("<none>"), c.match) << '"' << c.typed << '"';
            }
        }
    }
}

TEST(GridRules, StartUpWidthsOnScreen) {
    EXPECT_EQ(TwipsToPixels(ColumnWidthTwips(0)), 40);
    EXPECT_EQ(TwipsToPixels(ColumnWidthTwips(1)), 80);
    EXPECT_EQ(TwipsToPixels(ColumnWidthTwips(2)), 80);
    EXPECT_EQ(TwipsToPixels(ColumnWidthTwips(3)), 67);
    EXPECT_EQ(TwipsToPixels(ColumnWidthTwips(14)), 67);
}

} // namespace
} // namespace r57
