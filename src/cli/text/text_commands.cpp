#include "cli/text/text_commands.h"

#include "core/file_io.h"
#include "text/codeplug_text.h"

#include <ostream>

namespace r57::cli {

namespace {
constexpr std::size_t kTextLimit = 8 * 1024 * 1024; // far beyond any codeplug's text
}

std::vector<Command> TextCommands() {
    return {ExportCommand(), ImportCommand(), CsvExportCommand(), CsvImportCommand(),
            DiffCommand()};
}

std::optional<std::string> ReadTextInput(const CliContext& context, const std::string& path,
                                         int& status) {
    const detail::FileRead read = detail::ReadFileLimited(path, kTextLimit);
    if (read.ok) {
        status = kExitOk;
        return std::string(read.bytes.begin(), read.bytes.end());
    }
    if (read.tooLarge) {
        status = Refuse(context, path + ": larger than 8 MB, not a codeplug's text");
    } else if (read.notRegularFile) {
        status = Refuse(context, path + ": " + read.error);
    } else {
        status = Fail(context, path + ": " + read.error);
    }
    return std::nullopt;
}

int WriteTextOutput(const CliContext& context, const std::string& path, const std::string& text) {
    if (path.empty() || path == "-") {
        *context.out << text;
        return FinishOutput(context);
    }
    return WriteOutput(context, path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::optional<CodeplugImage> ImportBase(const CliContext& context, CommandInput& input) {
    if (input.has("--base")) {
        return input.load(input.value("--base"));
    }
    return text::StartUpCodeplug(context.programDirectory);
}

} // namespace r57::cli
