#include "cli_support.h"

#include "core/data_file.h"
#include "core/strings.h"

#include <ostream>

namespace r57::cli {

ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                     const std::vector<std::string>& flags) {
    auto listed = [](const std::vector<std::string>& list, const std::string& name) {
        for (const std::string& item : list) {
            if (item == name) {
                return true;
            }
        }
        return false;
    };
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.positional.push_back(arg); // "-" alone is a file name
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> inlineValue;
        const std::size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            name = arg.substr(0, equals);
            inlineValue = arg.substr(equals + 1);
        }
        if (name == "-h" || name == "--help") {
            parsed.flags.insert("--help");
        } else if (listed(valued, name)) {
            if (inlineValue) {
                parsed.values[name] = *inlineValue;
            } else if (i + 1 < args.size()) {
                parsed.values[name] = args[++i];
            } else {
                parsed.error = "option " + name + " needs a value";
            }
        } else if (listed(flags, name) && !inlineValue) {
            parsed.flags.insert(name);
        } else {
            parsed.error = "unknown option " + arg;
        }
        if (!parsed.error.empty()) {
            break;
        }
    }
    return parsed;
}

std::optional<int> ParseLanguage(const std::string& text) {
    if (text == "en") {
        return 0;
    }
    if (text == "zh") {
        return 1;
    }
    return std::nullopt;
}

int Refuse(const CliContext& context, const std::string& message) {
    *context.err << "r57: " << message << std::endl;
    return kExitRefused;
}

int Fail(const CliContext& context, const std::string& message) {
    *context.err << "r57: " << message << std::endl;
    return kExitFailure;
}

int UsageError(const CliContext& context, const Command& command, const std::string& message) {
    *context.err << "r57 " << command.name << ": " << message << "\n"
                 << "Try 'r57 " << command.name << " --help'." << std::endl;
    return kExitRefused;
}

std::optional<CodeplugImage> LoadCodeplug(const CliContext& context, const std::string& path,
                                          int& exitStatus) {
    LoadedFile loaded = ReadDataFile(path);
    if (loaded.status) {
        exitStatus = kExitOk;
        return loaded.image;
    }
    if (loaded.status.messageId != 0) {
        exitStatus = Refuse(context, path + ": " + Text(loaded.status.messageId, context.language));
    } else {
        exitStatus = Fail(context, path + ": " + loaded.status.detail);
    }
    return std::nullopt;
}

int WriteOutput(const CliContext& context, const std::string& path,
                const std::vector<uint8_t>& bytes) {
    const Status status = WriteFileAtomically(path, bytes);
    if (!status) {
        return Fail(context, path + ": " + status.detail);
    }
    return kExitOk;
}

int FinishOutput(const CliContext& context) {
    context.out->flush();
    if (!*context.out) {
        return Fail(context, "cannot write the output");
    }
    return kExitOk;
}

} // namespace r57::cli
