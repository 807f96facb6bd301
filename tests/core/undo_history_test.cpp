// The undo history: steps of changed bytes, their depth, the context that travels
// with New/Open, and what it costs.
#include "core/undo_history.h"

#include "common/test_images.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace r57 {
namespace {

using test::RandomImage;

// A few bytes changed here and there, and now and then a whole new image: the shapes
// of a field edit, a channel move and an Open.
CodeplugImage Mutate(CodeplugImage image, std::mt19937& rng) {
    std::uniform_int_distribution<int> address(0, CodeplugImage::kSize - 1);
    std::uniform_int_distribution<int> kind(0, 9);
    const int k = kind(rng);
    if (k == 0) {
        return RandomImage(rng());
    }
    const int changes = k < 5 ? 1 : 40;
    for (int i = 0; i < changes; ++i) {
        const int at = address(rng);
        image.set(at, static_cast<uint8_t>(image.at(at) + 1 + i % 3));
    }
    return image;
}

TEST(UndoHistory, UndoAndRedoWalkEveryStateExactly) {
    std::mt19937 rng(7);
    const UndoContext context{"a.dat", '0'};
    std::vector<CodeplugImage> states{RandomImage(1)};
    UndoHistory history;
    history.reset(states[0], context);
    for (int i = 0; i < 40; ++i) {
        states.push_back(Mutate(states.back(), rng));
        EXPECT_TRUE(history.checkpoint(states.back(), context)) << i;
    }
    EXPECT_FALSE(history.checkpoint(states.back(), context)); // nothing changed: no step

    CodeplugImage image = states.back();
    UndoContext shown = context;
    for (int i = static_cast<int>(states.size()) - 2; i >= 0; --i) {
        ASSERT_TRUE(history.undo(image, shown));
        ASSERT_TRUE(image == states[i]) << "undo to state " << i;
    }
    EXPECT_FALSE(history.undo(image, shown));
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(history.redo(image, shown));
        ASSERT_TRUE(image == states[i]) << "redo to state " << i;
    }
    EXPECT_FALSE(history.redo(image, shown));
}

TEST(UndoHistory, KeepsItsDepthAndForgetsTheRedoOnANewChange) {
    UndoHistory history;
    CodeplugImage image;
    const UndoContext context;
    history.reset(image, context);
    for (int i = 0; i < 101; ++i) {
        image.set(0x1000, static_cast<uint8_t>(i));
        history.checkpoint(image, context);
    }
    EXPECT_EQ(history.undoSteps(), 100u);
    UndoContext shown = context;
    while (history.undo(image, shown)) {
    }
    EXPECT_EQ(image.at(0x1000), 0); // the state before change 1 is gone with its step
    EXPECT_EQ(history.redoSteps(), 100u);

    history.redo(image, shown);
    image.set(0x2000, 0x12); // not yet checkpointed: undo takes it as a step first
    ASSERT_TRUE(history.undo(image, shown));
    EXPECT_EQ(image.at(0x2000), 0xFF);
    EXPECT_EQ(history.redoSteps(), 1u); // the redo of before was dropped by the change
    ASSERT_TRUE(history.redo(image, shown));
    EXPECT_EQ(image.at(0x2000), 0x12);
}

TEST(UndoHistory, ContextGoesBackOnlyWithTheStepThatChangedIt) {
    UndoHistory history;
    CodeplugImage image;
    UndoContext context{"Untitled", '0'};
    history.reset(image, context);

    // Open: another image and another name in one step.
    image = RandomImage(2);
    history.checkpoint(image, {"/b/site.dat", '0'});
    // A model button, then Save As: no steps, and no step takes them back.
    history.checkpoint(image, {"/b/site.dat", '2'});
    history.checkpoint(image, {"/b/copy.dat", '2'});
    image.set(0x1000, 0x44);
    history.checkpoint(image, {"/b/copy.dat", '2'});
    EXPECT_EQ(history.undoSteps(), 2u);

    UndoContext shown{"/b/copy.dat", '2'};
    ASSERT_TRUE(history.undo(image, shown)); // the field edit
    EXPECT_EQ(shown, (UndoContext{"/b/copy.dat", '2'}));
    ASSERT_TRUE(history.undo(image, shown)); // the Open
    EXPECT_TRUE(image == CodeplugImage());
    EXPECT_EQ(shown, (UndoContext{"Untitled", '0'}));
    ASSERT_TRUE(history.redo(image, shown));
    EXPECT_EQ(shown, (UndoContext{"/b/copy.dat", '2'})); // as it was when undone
}

TEST(UndoHistory, AdoptedRepairsAreNoStep) {
    UndoHistory history;
    CodeplugImage image;
    history.reset(image, {});
    image.set(0x0010, 0x20);
    history.adopt(image);
    EXPECT_FALSE(history.checkpoint(image, {}));
    EXPECT_FALSE(history.canUndo());
}

} // namespace
} // namespace r57
