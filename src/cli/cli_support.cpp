#include "cli/cli_support.h"

#include "core/data_file.h"
#include "core/status.h"
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

CommandInput::CommandInput(const CliContext& context, const Command& self,
                           const std::vector<std::string>& args,
                           const std::vector<std::string>& valued,
                           const std::vector<std::string>& flags)
    : context_(context), self_(self), parsed_(ParseArgs(args, valued, flags)) {
    expect(parsed_.error.empty(), parsed_.error);
}

CommandInput& CommandInput::expect(bool ok, const std::string& message) {
    if (status_ == kExitOk && !ok) {
        status_ = UsageError(context_, self_, message);
    }
    return *this;
}

CommandInput& CommandInput::noPositional() {
    return expect(parsed_.positional.empty(), parsed_.positional.empty()
                                                  ? std::string()
                                                  : "unexpected argument " + parsed_.positional[0]);
}

CommandInput& CommandInput::onePositional(const std::string& what) {
    const std::size_t count = parsed_.positional.size();
    return expect(count == 1, count == 0 ? "missing " + what : "too many arguments");
}

CommandInput& CommandInput::require(const std::string& option, const std::string& what) {
    return expect(!parsed_.value(option).empty(), "missing " + option + " " + what);
}

std::string CommandInput::codeplugOutput() const {
    return WithDataSuffix(parsed_.value("-o"));
}

std::optional<CodeplugImage> CommandInput::load(const std::string& path) {
    return LoadCodeplug(context_, path, status_);
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
    } else if (loaded.status.notRegularFile) {
        exitStatus = Refuse(context, path + ": " + loaded.status.detail);
    } else {
        exitStatus = Fail(context, path + ": " + loaded.status.detail);
    }
    return std::nullopt;
}

int WriteOutput(const CliContext& context, const std::string& path,
                const std::vector<uint8_t>& bytes) {
    return WriteRefused(context, path, WriteFileAtomically(path, bytes));
}

int WriteRefused(const CliContext& context, const std::string& path, const Status& status) {
    if (status) {
        return kExitOk;
    }
    if (status.notRegularFile) {
        return Refuse(context, path + ": " + status.detail + "; nothing was written");
    }
    return Fail(context, path + ": " + status.detail);
}

int WriteCodeplug(const CliContext& context, const std::string& path, const CodeplugImage& image) {
    return WriteOutput(context, path, EncodeDataFile(image));
}

Session FreshSession(const CliContext& context) {
    Session session;
    session.applicationDirectory = context.programDirectory;
    session.startUp();
    return session;
}

int FinishOutput(const CliContext& context) {
    context.out->flush();
    if (!*context.out) {
        return Fail(context, "cannot write the output");
    }
    return kExitOk;
}

} // namespace r57::cli
