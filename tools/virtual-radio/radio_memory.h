// Where the virtual radio's memory comes from and where it goes on exit.
#pragma once

#include "core/image.h"

#include <optional>
#include <string>

namespace r57::radio {

// A plausible codeplug: the New defaults, the stock logo (looked for in `logoFolders`
// in turn, each with a trailing separator), and a dozen named channels with tones in
// each bank.
CodeplugImage SampleCodeplug(const std::string& logoFolders);

// Calibration rows of a radio's own in 0x0EE0..0x0FFF, distinct for each `seed`: gain
// steps 0..7, tuning and deviation bytes 1..255 (0 marks a missing value).
void GiveCalibration(CodeplugImage& memory, long seed);

// A data file, or a raw image of exactly 16384 bytes. nullopt (with `error` set) when
// the file cannot be read or is neither.
std::optional<CodeplugImage> LoadMemory(const std::string& path, std::string& error);

// Saves the memory as a data file; false (with `error` set) on failure.
bool SaveMemory(const std::string& path, const CodeplugImage& memory, std::string& error);

} // namespace r57::radio
