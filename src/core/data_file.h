// Data files (*.dat): the plain file image ("SLZBRT", 10 x 0xFF, the 16384 image
// bytes) compressed with the byte-run compressor.
#pragma once

#include "core/image.h"
#include "core/message_ids.h"
#include "core/status.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace r57 {

constexpr int kPlainFileSize = 16400;
constexpr const char* kFileMark = "SLZBRT";
constexpr int kIncorrectFileType = kMsgIncorrectFileType; // what a wrong file gives

std::vector<uint8_t> BuildPlainImage(const CodeplugImage& image);
// The whole content of a data file for this image.
std::vector<uint8_t> EncodeDataFile(const CodeplugImage& image);
// A data file's content back to its image; nullopt when it does not expand to 16400
// bytes starting with "SLZBRT" (the caller shows message 1277).
std::optional<CodeplugImage> DecodeDataFile(const std::vector<uint8_t>& content);

struct LoadedFile {
    Status status; // messageId 1277 for a wrong file; messageId 0 when it could not be read
    CodeplugImage image;
};
LoadedFile ReadDataFile(const std::string& path);

// Writes the image to `path` through a temporary file in the same folder that is
// renamed over the target, so a failed write leaves the old file as it was.
Status WriteDataFile(const std::string& path, const CodeplugImage& image);

// Writes any bytes to `path` the same safe way. A symbolic link is written through to
// its target and stays a link; a target that exists and is not a regular file (a
// folder, a FIFO, a device) is refused untouched (Status::notRegularFile), and so is a
// file the user may not write or one without any write bit ("Permission denied").
Status WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);
// Whether a file can be written to `path` as WriteFileAtomically would, checked before
// a long job produces its content: refused as above, or the system's reason why no file
// can be created there. Nothing is left behind.
Status CheckWriteTarget(const std::string& path);
// Reads a whole file; nullopt when it cannot be read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path);

// The name a codeplug is saved under: `path` with ".dat" appended unless its name
// already ends in ".dat" (in any case), so that File > Open lists it ("St. Marys"
// becomes "St. Marys.dat"). An empty path, and one naming a folder, a device or a FIFO,
// stays as it is (a write then refuses it).
std::string WithDataSuffix(const std::string& path);

// "R57 [File Name: site1.dat] V1.10": the base name after the last "\" or "/", or
// "Untitled".
std::string WindowTitle(const std::string& currentFileName);

} // namespace r57
