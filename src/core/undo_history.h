// The steps a user can go back and forth through: every committed change of the image
// (a grid field, a channel command, a window's OK, New, Open, a read from the radio).
//
// The history remembers the image as of the last checkpoint. A checkpoint that finds
// the image different keeps the bytes that changed, as they were, as one step, and
// forgets what could be redone. Undo puts a step's bytes back and keeps the bytes it
// replaced as the step to redo; redo does the same the other way. A step holds only
// the runs of bytes that changed, so a field edit costs a few bytes and a whole new
// image at most 16 KB.
//
// Beside the image, a step may carry the file name and the model variant code: the
// commands that change them together with the image (New, Open, a read) take them back
// on undo, so a Save after undoing an Open writes the file the image came from.
#pragma once

#include "core/image.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace r57 {

// What goes back with the image when a step changed it.
struct UndoContext {
    std::string fileName;
    char modelCode = '0';

    bool operator==(const UndoContext& other) const {
        return fileName == other.fileName && modelCode == other.modelCode;
    }
    bool operator!=(const UndoContext& other) const { return !(*this == other); }
};

class UndoHistory {
public:
    static constexpr std::size_t kDefaultDepth = 100;

    explicit UndoHistory(std::size_t depth = kDefaultDepth);

    // Forgets every step; `image` and `context` are the state to compare with.
    void reset(const CodeplugImage& image, const UndoContext& context);

    // After a committed change: when `image` differs from the last checkpoint, the
    // state before becomes a step (the oldest goes beyond the depth) and nothing is
    // left to redo. A context that changed without the image is taken over quietly
    // (a Save As renames, a model button is clicked): it is no step of its own, and
    // the next step does not take it back. True when a step was recorded.
    // `label` names the step for Edit > Undo and Redo ("Paste", "Read from Radio"); the
    // window turns it into words in its language.
    bool checkpoint(const CodeplugImage& image, const UndoContext& context,
                    const std::string& label = {});

    // Takes `image` as the state to compare with, without a step: after the views
    // repaired what they cannot show (the image as shown is the image as it is).
    void adopt(const CodeplugImage& image);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    std::size_t undoSteps() const { return undo_.size(); }
    std::size_t redoSteps() const { return redo_.size(); }
    std::size_t depth() const { return depth_; }
    // The label of the step undo() (or redo()) would take; empty when none or unnamed.
    std::string undoLabel() const { return undo_.empty() ? std::string() : undo_.back().label; }
    std::string redoLabel() const { return redo_.empty() ? std::string() : redo_.back().label; }

    // Goes one step back (or forward): a change since the last checkpoint becomes a
    // step first, so nothing is lost. The image (and, where the step carries it, the
    // context) are changed in place. False when there is no step.
    bool undo(CodeplugImage& image, UndoContext& context);
    bool redo(CodeplugImage& image, UndoContext& context);

    // Bytes held by the history: the steps and the image compared with.
    std::size_t memoryUsage() const;

private:
    // Runs of bytes to put back: address and length, their bytes one after another.
    struct Step {
        std::vector<std::pair<uint16_t, uint16_t>> runs;
        std::vector<uint8_t> bytes;
        std::optional<UndoContext> context;
        std::string label;
    };

    // The bytes of `from` where it differs from `to`.
    static Step Difference(const CodeplugImage& from, const CodeplugImage& to);
    // Puts `step` into `image` and returns the step that takes it back.
    static Step Apply(const Step& step, CodeplugImage& image, UndoContext& context);
    bool move(std::deque<Step>& from, std::deque<Step>& to, CodeplugImage& image,
              UndoContext& context);

    std::size_t depth_;
    CodeplugImage current_;
    UndoContext context_;
    std::deque<Step> undo_; // newest at the back
    std::deque<Step> redo_; // next to redo at the back
};

} // namespace r57
