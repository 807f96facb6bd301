#include "radio_options.h"

#include "core/image.h"
#include "core/program_files.h"

#include <cctype>
#include <cstdlib>

namespace r57::radio {

const char* UsageText() {
    return "Usage: r57-radio [options]\n"
           "A simulated R57 radio on a pseudo-terminal. Prints the terminal's path as its\n"
           "first line, then answers the clone protocol from its 16 KB memory until it is\n"
           "stopped (SIGINT/SIGTERM).\n"
           "\n"
           "  --link PATH              also make PATH a symbolic link to the terminal\n"
           "  --load FILE              start from a data file (.dat) or a raw 16384-byte\n"
           "                           image instead of the built-in sample codeplug\n"
           "  --save FILE.dat          save the memory as a data file on exit; with\n"
           "                           --units a pattern whose %d is the unit's number\n"
           "  --units N                play N radios in turn: each leaves once it has\n"
           "                           been written and the line has been quiet for a\n"
           "                           moment, saving its memory, and the next answers\n"
           "                           after a silence\n"
           "  --unit-gap MS            the silence between two units (3000)\n"
           "  --swap-idle MS           the quiet after a write and the closing \"E\" before a\n"
           "                           unit leaves (700)\n"
           "  --faulty-unit K          the fault options apply to unit K only (repeatable)\n"
           "  --stay K                 unit K stays on the cable once written (repeatable)\n"
           "  --power-cycle K:MS       unit K, once written and left alone, is switched off\n"
           "                           for MS milliseconds, then on again (repeatable)\n"
           "  --gap K:MS               unit K answers MS milliseconds after the unit before\n"
           "                           it left (instead of --unit-gap; repeatable)\n"
           "  --exit-after-sessions N  exit after N sessions (handshake ... \"E\")\n"
           "  --model 0|1|2            model variant code of the handshake reply (0)\n"
           "  --ident HEX              identification bytes (up to 16); the rest come from\n"
           "                           memory 0x0D00\n"
           "  --baud N                 pace both directions at N baud, 10 bits a byte\n"
           "                           (9600; 0 = no pacing)\n"
           "  --turnaround MS          wait MS milliseconds before each reply (0)\n"
           "  --drop N                 send no reply to frame N\n"
           "  --garble N               invert the first byte of the reply to frame N\n"
           "  --short N                send the reply to frame N one byte short\n"
           "  --late N:MS              answer frame N only after MS milliseconds\n"
           "  --long N:K               append K bytes (0xAA) to the reply to frame N\n"
           "  --silent-after N         answer nothing after frame N\n"
           "  --corrupt-write ADDR     store the byte at memory address ADDR (0x1010 or\n"
           "                           4112) inverted whenever a write frame carries it\n"
           "  --calibration SEED       give the radio calibration rows of its own\n"
           "                           (0x0EE0..0x0FFF, distinct for each SEED)\n"
           "  --cut-write K            the first write stops after K write frames: the\n"
           "                           radio keeps those and answers nothing more until\n"
           "                           the closing \"E\"\n"
           "  --log FILE               write a line for every frame received\n"
           "  -h, --help               show this text\n"
           "  --version                show the program's version\n"
           "\n"
           "Frames count from 1 across the whole run (each unit counts its own). --drop, --garble, "
           "--short, --late and\n"
           "--long may be repeated and take a range N-M (--late 5-7:700); --corrupt-write\n"
           "may be repeated.\n";
}

namespace {

bool ParseNumber(const std::string& text, long& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' && value >= 0;
}

bool AddFrames(const std::string& text, std::set<long>& frames) {
    auto dash = text.find('-');
    long first = 0;
    long last = 0;
    if (dash == std::string::npos) {
        if (!ParseNumber(text, first))
            return false;
        last = first;
    } else if (!ParseNumber(text.substr(0, dash), first) ||
               !ParseNumber(text.substr(dash + 1), last)) {
        return false;
    }
    if (first < 1 || last < first || last - first > 100000)
        return false;
    for (long n = first; n <= last; ++n)
        frames.insert(n);
    return true;
}

// "N:VALUE" or "N-M:VALUE": VALUE for every frame of the range.
bool AddFrameValues(const std::string& text, std::map<long, long>& frames) {
    const auto colon = text.find(':');
    long value = 0;
    std::set<long> numbers;
    if (colon == std::string::npos || !ParseNumber(text.substr(colon + 1), value) ||
        !AddFrames(text.substr(0, colon), numbers))
        return false;
    for (long n : numbers)
        frames[n] = value;
    return true;
}

bool ParseHex(const std::string& text, std::vector<uint8_t>& bytes) {
    std::string digits;
    for (char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
        else if (c != ' ' && c != ':')
            return false;
    }
    if (digits.empty() || digits.size() % 2 != 0 || digits.size() > 32)
        return false;
    bytes.clear();
    for (size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    return true;
}

// A memory address, hexadecimal with "0x" or decimal.
bool ParseAddress(const std::string& text, int& address) {
    if (text.empty())
        return false;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    if (*end != '\0' || value < 0 || value >= r57::CodeplugImage::kSize)
        return false;
    address = static_cast<int>(value);
    return true;
}

ParsedOptions Fail(const std::string& message) {
    ParsedOptions r;
    r.message = "r57-radio: " + message + " (try --help)\n";
    return r;
}

bool TakesValue(const std::string& option) {
    static const std::set<std::string> kValued{
        "--link",          "--load",         "--save",
        "--log",           "--model",        "--ident",
        "--drop",          "--garble",       "--short",
        "--late",          "--long",         "--baud",
        "--turnaround",    "--silent-after", "--exit-after-sessions",
        "--corrupt-write", "--units",        "--unit-gap",
        "--swap-idle",     "--faulty-unit",  "--stay",
        "--power-cycle",   "--gap",          "--calibration",
        "--cut-write"};
    return kValued.count(option) > 0;
}

} // namespace

std::string UnitSavePath(const std::string& pattern, long unit) {
    std::string path = pattern;
    const auto at = path.find("%d");
    if (at != std::string::npos)
        path.replace(at, 2, std::to_string(unit));
    return path;
}

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-h" || a == "--help") {
            ParsedOptions r;
            r.help = true;
            r.message = UsageText();
            return r;
        }
        if (a == "--version") {
            ParsedOptions r;
            r.help = true;
            r.message = std::string("r57-radio ") + ProgramVersion() + "\n";
            return r;
        }
        if (!TakesValue(a))
            return Fail("unknown option " + a);
        if (i + 1 >= args.size())
            return Fail("missing value for " + a);
        const std::string& v = args[++i];
        long n = 0;
        if (a == "--link") {
            o.linkPath = v;
        } else if (a == "--load") {
            o.loadPath = v;
        } else if (a == "--save") {
            o.savePath = v;
        } else if (a == "--log") {
            o.logPath = v;
        } else if (a == "--model") {
            if (v.size() != 1 || v[0] < '0' || v[0] > '2')
                return Fail("--model takes 0, 1 or 2");
            o.model = v[0];
        } else if (a == "--ident") {
            if (!ParseHex(v, o.ident))
                return Fail("--ident takes 1 to 16 bytes in hexadecimal");
        } else if (a == "--drop" || a == "--garble" || a == "--short") {
            auto& set = a == "--drop"     ? o.faults.drop
                        : a == "--garble" ? o.faults.garble
                                          : o.faults.shortReply;
            if (!AddFrames(v, set))
                return Fail(a + " takes a frame number N >= 1 or a range N-M");
        } else if (a == "--late" || a == "--long") {
            if (!AddFrameValues(v, a == "--late" ? o.faults.late : o.faults.longer))
                return Fail(a + (a == "--late" ? " takes N:MS" : " takes N:K") +
                            ", N a frame number >= 1 or a range N-M");
        } else if (a == "--power-cycle" || a == "--gap") {
            const auto colon = v.find(':');
            long unit = 0;
            long ms = 0;
            if (colon == std::string::npos || !ParseNumber(v.substr(0, colon), unit) ||
                !ParseNumber(v.substr(colon + 1), ms) || unit < 1)
                return Fail(a + " takes K:MS, K a unit number >= 1");
            (a == "--gap" ? o.unitGapMs_ : o.powerCycleMs)[unit] = ms;
        } else if (a == "--stay") {
            if (!ParseNumber(v, n) || n < 1)
                return Fail("--stay takes a unit number >= 1");
            o.stayUnits.insert(n);
        } else if (a == "--corrupt-write") {
            int address = 0;
            if (!ParseAddress(v, address))
                return Fail("--corrupt-write takes a memory address 0..0x3FFF");
            o.faults.corruptWrite.insert(address);
        } else if (a == "--baud" || a == "--turnaround" || a == "--silent-after" ||
                   a == "--exit-after-sessions" || a == "--units" || a == "--unit-gap" ||
                   a == "--swap-idle" || a == "--faulty-unit" || a == "--calibration" ||
                   a == "--cut-write") {
            if (!ParseNumber(v, n))
                return Fail(a + " takes a whole number");
            if (a == "--baud")
                o.baud = n;
            else if (a == "--turnaround")
                o.turnaroundMs = n;
            else if (a == "--silent-after")
                o.faults.silentAfter = n;
            else if (a == "--units")
                o.units = n;
            else if (a == "--unit-gap")
                o.unitGapMs = n;
            else if (a == "--swap-idle")
                o.swapIdleMs = n;
            else if (a == "--faulty-unit")
                o.faultyUnits.insert(n);
            else if (a == "--calibration")
                o.calibration = n;
            else if (a == "--cut-write")
                o.faults.cutWrite = n;
            else
                o.exitAfterSessions = n;
        }
    }
    if (o.units < 1 || o.units > 10000)
        return Fail("--units takes 1 to 10000");
    if (o.units > 1 && !o.savePath.empty() && o.savePath.find("%d") == std::string::npos)
        return Fail("with --units, --save takes a pattern with %d for the unit's number");
    ParsedOptions r;
    r.options = o;
    return r;
}

} // namespace r57::radio
