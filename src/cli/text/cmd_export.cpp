// r57 export / r57 import: the whole codeplug as YAML and back.
#include "cli/text/text_commands.h"

#include "text/codeplug_text.h"
#include "text/other_bytes.h"

#include <ostream>

namespace r57::cli {
namespace {

int RunExport(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, ExportCommand(), args, {"-o", "--model"});
    input.onePositional("FILE.dat");
    const std::string model = input.has("--model") ? input.value("--model") : "0";
    input.expect(model == "0" || model == "1" || model == "2", "--model takes 0, 1 or 2");
    if (!input) {
        return input.status();
    }
    const std::optional<CodeplugImage> image = input.load(input.positional().front());
    if (!image) {
        return input.status();
    }
    const text::TextExport exported = text::ExportCodeplug(*image, model[0]);
    if (!exported.normalised.empty()) {
        *context.err << "r57 export: the windows show " << exported.normalised.size()
                     << " stored byte(s) as other values; an import stores what they show"
                        " (listed at the top of the text)\n";
    }
    return WriteTextOutput(context, input.value("-o"), exported.yaml);
}

int RunImport(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, ImportCommand(), args, {"-o", "--base"});
    input.onePositional("FILE.yaml").require("-o", "OUT.dat");
    if (!input) {
        return input.status();
    }
    const std::string path = input.positional().front();
    int status = kExitOk;
    const std::optional<std::string> yaml = ReadTextInput(context, path, status);
    if (!yaml) {
        return status;
    }
    const std::optional<CodeplugImage> base = ImportBase(context, input);
    if (!base) {
        return input.status();
    }
    const text::TextImport imported = text::ImportCodeplug(*yaml, *base, '0');
    if (imported.error) {
        return Refuse(context, path + ": " + imported.error->message() + "; nothing was written");
    }
    status = WriteCodeplug(context, input.codeplugOutput(), imported.image);
    if (status == kExitOk && imported.modelCode != '0') {
        *context.err << "r57 import: a data file does not keep the model variant; give --model "
                     << imported.modelCode << " to r57 write\n";
    }
    return status;
}

} // namespace

Command ExportCommand() {
    return {"export", "Write a codeplug as readable text (YAML)", RunExport,
            "Usage: r57 export FILE.dat [-o FILE.yaml] [--model 0|1|2]\n"
            "\n"
            "Writes every field of every window, by window and field, as the windows show\n"
            "them in English: the channels of both banks with their option signalling, the\n"
            "function settings and PTT ID, the signalling pages, FM channels, embedded\n"
            "message, logo (64 rows of '#' dark and '.' clear), band limits, gain, tuning\n"
            "and deviation, and under \"Other Bytes\" the bytes no window field shows. To\n"
            "standard output without -o.\n"
            "\n"
            "  --model 0|1|2  the model variant to record (a data file does not keep it;\n"
            "                 default 0)\n"
            "\n"
            "Stored values that the windows show otherwise (out of their range) are listed\n"
            "at the top of the text: an import stores what the windows show.\n"};
}

Command ImportCommand() {
    return {"import", "Make a data file of a codeplug's text (YAML)", RunImport,
            "Usage: r57 import FILE.yaml [--base BASE.dat] -o OUT.dat\n"
            "\n"
            "Starts from BASE.dat (default: a new codeplug, as 'r57 new' makes it) and\n"
            "applies every field the text gives through the windows' own rules, exactly\n"
            "as written; a field left out keeps BASE's value. A window or field may also be\n"
            "named by its caption in the window, English or Chinese (case and spaces do not\n"
            "count). A field that cannot be taken, or that the rules would store otherwise\n"
            "(a frequency outside the band limits, a name cut to its length), is reported\n"
            "with its line and column, the value written and the value that would be stored\n"
            "(for a name that matches none, the nearest names), and nothing is written\n"
            "(exit 2). A text that is not UTF-8, holds a second document or whose aliases\n"
            "expand beyond 100000 entries is refused too.\n"};
}

} // namespace r57::cli
