// The outcome of an operation that can fail: a string-table id for the message the
// user sees (0 when the system's own error text is the message) and that text.
#pragma once

#include <cerrno>
#include <cstring>
#include <string>

namespace r57 {

struct Status {
    bool ok = true;
    int messageId = 0;  // English string id of the message, or 0
    std::string detail; // the system's error description, when there is one
    // The path names something that is not a regular file (a folder, a FIFO, a device):
    // refused before anything was read or written.
    bool notRegularFile = false;
    // The file was read but is not of the kind asked for (its size or its bytes); the
    // caller names what was expected.
    bool wrongFormat = false;

    static Status Ok() { return {}; }
    static Status Message(int id, std::string detail = {}) {
        return {false, id, std::move(detail)};
    }
    static Status SystemError(std::string detail) { return {false, 0, std::move(detail)}; }
    // A folder is named in the system's own words; a FIFO or a device has none.
    static Status NotRegularFile(bool folder = false) {
        return {false, 0, folder ? std::strerror(EISDIR) : "not a regular file", true};
    }
    static Status WrongFormat() {
        Status status{false, 0, {}};
        status.wrongFormat = true;
        return status;
    }
    explicit operator bool() const { return ok; }
};

} // namespace r57
