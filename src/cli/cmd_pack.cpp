// r57 pack / r57 unpack: between a raw 16384-byte memory image and a data file.
#include "cli/cli_support.h"

#include "core/data_file.h"
#include "core/file_io.h"

#include <string>

namespace r57::cli {
namespace {

// Checks "INPUT -o OUTPUT"; returns kExitOk and fills the paths, or the usage error.
int InputAndOutput(const std::vector<std::string>& args, const CliContext& context,
                   const Command& self, std::string& input, std::string& output) {
    CommandInput checked(context, self, args, {"-o"});
    if (checked.onePositional("input file").require("-o", "FILE")) {
        input = checked.positional().front();
        output = checked.value("-o");
    }
    return checked.status();
}

int RunPack(const std::vector<std::string>& args, const CliContext& context) {
    std::string input, output;
    if (int status = InputAndOutput(args, context, PackCommand(), input, output)) {
        return status;
    }
    detail::FileRead raw = detail::ReadFileLimited(input, CodeplugImage::kSize);
    if (raw.tooLarge) {
        return Refuse(context,
                      input + ": a memory image must be exactly 16384 bytes, this is " + "larger");
    }
    if (raw.notRegularFile) {
        return Refuse(context, input + ": " + raw.error);
    }
    if (!raw.ok) {
        return Fail(context, input + ": " + raw.error);
    }
    if (raw.bytes.size() != static_cast<std::size_t>(CodeplugImage::kSize)) {
        return Refuse(context, input + ": a memory image must be exactly 16384 bytes, this has " +
                                   std::to_string(raw.bytes.size()));
    }
    CodeplugImage image;
    image.write(0, raw.bytes.data(), raw.bytes.size());
    return WriteCodeplug(context, WithDataSuffix(output), image);
}

int RunUnpack(const std::vector<std::string>& args, const CliContext& context) {
    std::string input, output;
    if (int status = InputAndOutput(args, context, UnpackCommand(), input, output)) {
        return status;
    }
    int status = kExitOk;
    const std::optional<CodeplugImage> image = LoadCodeplug(context, input, status);
    if (!image) {
        return status;
    }
    return WriteOutput(context, output,
                       std::vector<uint8_t>(image->data(), image->data() + CodeplugImage::kSize));
}

} // namespace

Command PackCommand() {
    return {"pack", "Make a data file of a raw 16384-byte memory image", RunPack,
            "Usage: r57 pack IMAGE.bin -o FILE.dat\n"
            "\n"
            "IMAGE.bin holds the radio's memory from address 0x0000 to 0x3FFF, nothing\n"
            "else; any other size is refused.\n"};
}

Command UnpackCommand() {
    return {"unpack", "Write the raw 16384-byte memory image of a data file", RunUnpack,
            "Usage: r57 unpack FILE.dat -o IMAGE.bin\n"
            "\n"
            "Refuses a file that is not a codeplug data file (\"Incorrect File Type.\").\n"};
}

} // namespace r57::cli
