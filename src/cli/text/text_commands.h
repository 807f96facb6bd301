// The r57 commands of the codeplug as text: export, import, csv-export, csv-import and
// diff, and what they share.
#pragma once

#include "cli/cli_support.h"

#include <optional>
#include <string>

namespace r57::cli {

Command ExportCommand();
Command ImportCommand();
Command CsvExportCommand();
Command CsvImportCommand();
Command DiffCommand();

// A text file of at most a few megabytes; nothing after printing why (exit status in
// `status`: 2 refused, 1 unreadable).
std::optional<std::string> ReadTextInput(const CliContext& context, const std::string& path,
                                         int& status);
// Text to standard output (no path) or into a file written whole.
int WriteTextOutput(const CliContext& context, const std::string& path, const std::string& text);
// The codeplug an import starts from: --base, or a fresh one as after start-up.
std::optional<CodeplugImage> ImportBase(const CliContext& context, CommandInput& input);

} // namespace r57::cli
