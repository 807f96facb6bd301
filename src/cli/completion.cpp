// r57 completion bash|zsh: the completion scripts, from the synopses of the command table.
#include "cli/completion.h"

#include "cli/cli_support.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <sstream>

namespace r57::cli {
namespace {

using Kind = CompletionValue::Kind;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) {
        if (!part.empty()) {
            parts.push_back(part);
        }
    }
    return parts;
}

// The synopsis: "Usage: r57 ..." and the lines that carry it on, up to a blank line.
std::vector<std::string> SynopsisWords(const std::string& usage) {
    std::string synopsis;
    std::istringstream in(usage);
    for (std::string line; std::getline(in, line) && !line.empty();) {
        synopsis += line + ' ';
    }
    std::vector<std::string> words;
    std::istringstream tokens(synopsis);
    for (std::string word; tokens >> word;) {
        words.push_back(word);
    }
    return words;
}

// The ending a word like FILE.dat, OUT.pdf or F.csv names; "" for other words.
std::string FileEnding(const std::string& word) {
    const std::size_t dot = word.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == word.size()) {
        return {};
    }
    const std::string ending = word.substr(dot + 1);
    const bool lower = std::all_of(ending.begin(), ending.end(),
                                   [](unsigned char c) { return std::islower(c) != 0; });
    return lower ? ending : std::string();
}

CompletionValue ValueOf(const std::string& word) {
    CompletionValue value;
    if (word.find('|') != std::string::npos) {
        value.kind = Kind::Choices;
        value.words = Split(word, '|');
    } else if (word == "DEVICE") {
        value.kind = Kind::Device;
    } else if (const std::string ending = FileEnding(word); !ending.empty()) {
        value.kind = Kind::Files;
        value.words = {ending};
    }
    return value;
}

std::string Stripped(std::string word) {
    word.erase(std::remove_if(word.begin(), word.end(),
                              [](char c) { return c == '[' || c == ']' || c == '\''; }),
               word.end());
    return word;
}

// The words listed under "Actions:" in a command's usage, each the first word of its line.
std::vector<std::string> ActionWords(const std::string& usage) {
    std::vector<std::string> actions;
    std::istringstream in(usage);
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line == "Actions:") {
            inside = true;
        } else if (inside && line.rfind("  ", 0) == 0 && line.size() > 2 && line[2] != ' ') {
            std::istringstream words(line);
            std::string action;
            words >> action;
            for (const std::string& one : Split(action, '|')) {
                actions.push_back(one);
            }
        } else if (inside && line.empty() && !actions.empty()) {
            break;
        }
    }
    return actions;
}

void AddEnding(CompletionValue& value, const std::string& ending) {
    value.kind = Kind::Files;
    if (std::find(value.words.begin(), value.words.end(), ending) == value.words.end()) {
        value.words.push_back(ending);
    }
}

// --- bash ---

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

std::string BashValue(const CompletionValue& value) {
    switch (value.kind) {
    case Kind::Choices:
    case Kind::Words:
        return "COMPREPLY=($(compgen -W '" + Joined(value.words) + "' -- \"$cur\")); return";
    case Kind::Files:
        return "_r57_files " + Joined(value.words) + "; return";
    case Kind::Device:
        return "_r57_devices; return";
    case Kind::None:
        break;
    }
    return "return";
}

std::vector<std::string> OptionNames(const CommandCompletion& command) {
    std::vector<std::string> names;
    for (const CompletionOption& option : command.options) {
        names.push_back(option.name);
    }
    return names;
}

// --- zsh ---

std::string ZshValue(const CompletionValue& value) {
    switch (value.kind) {
    case Kind::Choices:
    case Kind::Words:
        return "compadd -- " + Joined(value.words) + "; return";
    case Kind::Files: {
        std::string endings;
        for (const std::string& ending : value.words) {
            std::string upper = ending;
            std::transform(upper.begin(), upper.end(), upper.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            endings += (endings.empty() ? "" : "|") + ending + "|" + upper;
        }
        return "_files -g '*.(" + endings + ")'; return";
    }
    case Kind::Device:
        return "_r57_devices; return";
    case Kind::None:
        break;
    }
    return "_message 'a value'; return";
}

std::vector<std::string> CommandNames(const std::vector<Command>& commands) {
    std::vector<std::string> names;
    for (const Command& command : commands) {
        names.push_back(command.name);
    }
    return names;
}

// One command's branch of the shell's completion function: the values of its options,
// its options, then its actions or files; `value` writes a completion in the shell's
// words.
void CommandCase(std::ostream& out, const Command& command,
                 std::string (*value)(const CompletionValue&)) {
    const CommandCompletion completion = CompletionOf(command);
    out << "    " << completion.name << ")\n        case $prev in\n";
    for (const CompletionOption& option : completion.options) {
        if (option.value.kind != Kind::None && option.name != "--lang") {
            out << "        " << option.name << ") " << value(option.value) << " ;;\n";
        }
    }
    out << "        esac\n"
        << "        if [[ $cur == -* ]]; then " << value({Kind::Words, OptionNames(completion)})
        << "; fi\n";
    if (!completion.actions.empty()) {
        out << "        if ((arguments == 0)); then " << value({Kind::Words, completion.actions})
            << "; fi\n";
    }
    out << "        " << value(completion.arguments) << " ;;\n";
}

int RunCompletion(const std::vector<std::string>& args, const CliContext& context) {
    if (args.size() != 1 || (args[0] != "bash" && args[0] != "zsh")) {
        return Refuse(context, "completion takes bash or zsh");
    }
    const std::vector<Command> commands = AllCommands();
    *context.out << (args[0] == "bash" ? BashCompletion(commands) : ZshCompletion(commands));
    return FinishOutput(context);
}

} // namespace

CommandCompletion CompletionOf(const Command& command) {
    CommandCompletion completion;
    completion.name = command.name;
    const std::vector<std::string> words = SynopsisWords(command.usage);
    // "Usage:", "r57", the name, then the arguments and options.
    for (std::size_t i = 3; i < words.size(); ++i) {
        const std::string word = Stripped(words[i]);
        if (word.empty() || word == "..." || word == "|") {
            continue;
        }
        if (word[0] == '-') {
            if (std::any_of(completion.options.begin(), completion.options.end(),
                            [&](const CompletionOption& o) { return o.name == word; })) {
                continue;
            }
            CompletionOption option{word, {}};
            // "[--yes]" stands alone; "--port DEVICE" and "[--paper a4|letter]" take a value.
            const bool closed = words[i].back() == ']';
            if (!closed && i + 1 < words.size()) {
                const std::string next = Stripped(words[i + 1]);
                if (!next.empty() && next[0] != '-' && next != "...") {
                    option.value = ValueOf(next);
                    ++i;
                }
            }
            completion.options.push_back(option);
        } else if (word == "ACTION") {
            completion.actions = ActionWords(command.usage);
        } else if (word.find('|') != std::string::npos) {
            completion.actions = Split(word, '|');
        } else if (const std::string ending = FileEnding(word); !ending.empty()) {
            AddEnding(completion.arguments, ending);
        }
    }
    completion.options.push_back({"--lang", {Kind::Choices, {"en", "zh"}}});
    completion.options.push_back({"--help", {}});
    return completion;
}

std::string BashCompletion(const std::vector<Command>& commands) {
    const std::vector<std::string> names = CommandNames(commands);
    std::ostringstream out;
    out << "# bash completion for r57, made by 'r57 completion bash' from its own commands\n"
           "_r57_files() {\n"
           "    local IFS=$'\\n' ending\n"
           "    COMPREPLY=($(compgen -d -- \"$cur\"))\n"
           "    for ending in \"$@\"; do\n"
           "        COMPREPLY+=($(compgen -f -X \"!*.$ending\" -- \"$cur\"))\n"
           "        COMPREPLY+=($(compgen -f -X \"!*.${ending^^}\" -- \"$cur\"))\n"
           "    done\n"
           "    compopt -o filenames 2>/dev/null || true\n"
           "}\n"
           "_r57_devices() {\n"
           "    local devices\n"
           "    devices=$(compgen -G '/dev/ttyUSB*'; compgen -G '/dev/ttyACM*'; "
           "compgen -G '/dev/ttyS*'; compgen -G '/dev/serial/by-id/*')\n"
           "    COMPREPLY=($(compgen -W \"$devices COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 "
           "COM9 COM10\" -- \"$cur\"))\n"
           "}\n"
           "_r57() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "    local command='' i arguments=0\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        case ${COMP_WORDS[i]} in\n"
           "        --lang) ((i++)) ;;\n"
           "        -*) ;;\n"
           "        *) if [[ -z $command ]]; then command=${COMP_WORDS[i]}; "
           "else ((arguments++)); fi ;;\n"
           "        esac\n"
           "    done\n"
           "    if [[ $prev == --lang ]]; then\n"
           "        COMPREPLY=($(compgen -W 'en zh' -- \"$cur\")); return\n"
           "    fi\n"
           "    if [[ -z $command ]]; then\n"
           "        COMPREPLY=($(compgen -W '"
        << Joined(names)
        << " --help --version --lang' -- \"$cur\")); return\n"
           "    fi\n"
           "    case $command in\n";
    for (const Command& command : commands) {
        CommandCase(out, command, BashValue);
    }
    out << "    esac\n"
           "}\n"
           "complete -F _r57 r57\n";
    return out.str();
}

std::string ZshCompletion(const std::vector<Command>& commands) {
    const std::vector<std::string> names = CommandNames(commands);
    std::ostringstream out;
    out << "#compdef r57\n"
           "# zsh completion for r57, made by 'r57 completion zsh' from its own commands\n"
           "_r57_devices() {\n"
           "    compadd -- /dev/ttyUSB*(N) /dev/ttyACM*(N) /dev/ttyS*(N) "
           "/dev/serial/by-id/*(N) COM{1..10}\n"
           "}\n"
           "_r57() {\n"
           "    local command='' i arguments=0 prev=${words[CURRENT-1]} cur=${words[CURRENT]}\n"
           "    for ((i = 2; i < CURRENT; i++)); do\n"
           "        case ${words[i]} in\n"
           "        --lang) ((i++)) ;;\n"
           "        -*) ;;\n"
           "        *) if [[ -z $command ]]; then command=${words[i]}; "
           "else ((arguments++)); fi ;;\n"
           "        esac\n"
           "    done\n"
           "    if [[ $prev == --lang ]]; then compadd -- en zh; return; fi\n"
           "    if [[ -z $command ]]; then\n"
           "        compadd -- "
        << Joined(names)
        << " --help --version --lang; return\n"
           "    fi\n"
           "    case $command in\n";
    for (const Command& command : commands) {
        CommandCase(out, command, ZshValue);
    }
    out << "    esac\n"
           "}\n"
           "_r57 \"$@\"\n";
    return out.str();
}

Command CompletionCommand() {
    return {"completion", "Print the bash or zsh completion script of r57", RunCompletion,
            "Usage: r57 completion bash|zsh\n"
            "\n"
            "Prints the script that completes r57's commands, options and files in the\n"
            "shell. Installed, they are in share/bash-completion/completions/r57 and\n"
            "share/zsh/vendor-completions/_r57; by hand:\n"
            "\n"
            "  source <(r57 completion bash)\n"};
}

} // namespace r57::cli
