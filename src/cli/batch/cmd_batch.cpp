// r57 batch: one codeplug into many radios, each with its own number, on one or more
// ports at once, with a log.
#include "../link/interrupt_watch.h"
#include "../link/radio_transfer.h"

#include "core/message_ids.h"
#include "link/batch_run.h"
#include "link/port_slots.h"
#include "text/batch_plan.h"
#include "text/field_names.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QSocketNotifier>

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <optional>

namespace r57::cli {

namespace {

constexpr int kMaxRadios = 100000;

// --port and --set may be given many times; they are taken out before the rest is parsed.
std::vector<std::string> TakeRepeated(std::vector<std::string>& args, const std::string& name,
                                      std::string& error) {
    std::vector<std::string> values;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") {
            rest.insert(rest.end(), args.begin() + static_cast<long>(i), args.end());
            break;
        }
        if (args[i] == name) {
            if (i + 1 >= args.size()) {
                error = "missing value for " + name;
                break;
            }
            values.push_back(args[++i]);
        } else if (args[i].rfind(name + "=", 0) == 0) {
            values.push_back(args[i].substr(name.size() + 1));
        } else {
            rest.push_back(args[i]);
        }
    }
    args = rest;
    return values;
}

std::optional<long> WholeNumber(const std::string& text, long minimum) {
    if (text.empty() || text.size() > 12)
        return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value < minimum)
        return std::nullopt;
    return value;
}

std::string Own(const CliContext& context, const char* english, const char* chinese) {
    return context.language == kChinese ? chinese : english;
}

// r57 batch FILE.dat --fields: what a rule can name in this codeplug, one field a line.
int ListFields(const std::vector<std::string>& args, const CliContext& context) {
    CommandInput input(context, BatchCommands().front(), args, {"--model"}, {"--fields"});
    input.onePositional("FILE.dat");
    const std::string model = input.has("--model") ? input.value("--model") : "0";
    input.expect(model == "0" || model == "1" || model == "2", "--model takes 0, 1 or 2");
    if (!input)
        return input.status();
    const auto image = input.load(input.positional()[0]);
    if (!image)
        return input.status();
    *context.out << Own(context, "Page\tField\tCaption\tChinese caption\tValue\tShown\n",
                        "页面\t字段\t英文名称\t中文名称\t当前值\t是否显示\n");
    const bool chinese = context.language == kChinese;
    for (const text::NamedField& f : text::RuleFields(*image, model[0])) {
        std::string why = f.hiddenBy; // "needs model DTMF", "needs PTT ID Type MSK"
        if (chinese && why.rfind("needs model ", 0) == 0)
            why = "需要机型 " + why.substr(12);
        else if (chinese && why.rfind("needs ", 0) == 0)
            why = "需要 PTT ID 类型 " + why.substr(std::string("needs PTT ID Type ").size());
        const std::string shown =
            f.shown ? Own(context, "yes", "是")
                    : Own(context, "no (", "否（") + why + Own(context, ")", "）");
        *context.out << f.page << '\t' << f.field << '\t' << f.english << '\t' << f.chinese
                     << "\t\"" << f.value << "\"\t" << shown << '\n';
    }
    return FinishOutput(context);
}

int RunBatch(const std::vector<std::string>& given, const CliContext& context) {
    if (std::find(given.begin(), given.end(), "--fields") != given.end())
        return ListFields(given, context);
    std::vector<std::string> args = given;
    std::string repeatError;
    const std::vector<std::string> ports = TakeRepeated(args, "--port", repeatError);
    const std::vector<std::string> sets = TakeRepeated(args, "--set", repeatError);
    CommandInput input(context, BatchCommands().front(), args,
                       {"--start", "--step", "--count", "--model", "--log"},
                       {"--no-verify", "--auto", "--yes", "--no-time", "--keep-old", "--continue"});
    input.expect(repeatError.empty(), repeatError);
    input.onePositional("FILE.dat");
    input.expect(!ports.empty(), "missing --port DEVICE");
    input.expect(!sets.empty(), "missing --set 'PAGE/FIELD=PATTERN'");
    input.require("--start", "N").require("--count", "C");
    const auto start = WholeNumber(input.value("--start"), 0);
    const auto step = input.has("--step") ? WholeNumber(input.value("--step"), 1) : 1L;
    const auto count = WholeNumber(input.value("--count"), 1);
    input.expect(!input.has("--start") || start.has_value(), "--start takes a whole number >= 0");
    input.expect(step.has_value(), "--step takes a whole number >= 1");
    input.expect(!input.has("--count") || (count && *count <= kMaxRadios),
                 "--count takes a whole number from 1 to 100000");
    const std::string model = input.has("--model") ? input.value("--model") : "0";
    input.expect(model == "0" || model == "1" || model == "2", "--model takes 0, 1 or 2");
    if (!input)
        return input.status();

    // One cable under two names (a slot and its device, a symbolic link such as
    // /dev/serial/by-id/...) would be two lanes writing one radio: ports are compared by
    // the device they resolve to.
    QStringList devices;
    QStringList resolved;
    for (const std::string& port : ports) {
        const QString device = link::ResolvePortName(QString::fromStdString(port));
        if (device.isEmpty())
            return Refuse(context,
                          Message(context, kMsgCannotOpenPort) + " " + port + ": no such port");
        const QString canonical = QFileInfo(device).canonicalFilePath();
        const QString same = canonical.isEmpty() ? device : canonical;
        if (resolved.contains(same))
            return UsageError(context, BatchCommands().front(),
                              port + " is the same port as " +
                                  ports[static_cast<std::size_t>(resolved.indexOf(same))] + " (" +
                                  same.toStdString() + ")");
        resolved << same;
        devices << device;
    }
    std::vector<text::BatchRule> rules;
    QStringList ruleNames;
    for (const std::string& set : sets) {
        std::string error;
        const auto rule = text::ParseBatchRule(set, error);
        if (!rule)
            return UsageError(context, BatchCommands().front(), error);
        rules.push_back(*rule);
    }
    // A codeplug that cannot be read is bad input: nothing has been sent.
    const auto base = input.load(input.positional()[0]);
    if (!base)
        return input.status() == kExitFailure ? kExitRefused : input.status();

    // The whole range is tried before anything is sent. The plan's rules name the
    // fields as the export does, whatever caption was typed.
    const text::BatchPlan plan(*base, rules, *start, *step, static_cast<int>(*count));
    if (const auto refusal = plan.check())
        return Refuse(context, refusal->message(rules));
    rules = plan.rules();
    for (const text::BatchRule& rule : rules)
        ruleNames << QString::fromStdString(rule.name());

    link::BatchSettings settings;
    settings.imageFor = [&plan, &rules](long number, QString& why) {
        text::RuleRefusal refusal;
        auto image = plan.imageFor(number, &refusal);
        if (!image)
            why = QString::fromStdString(refusal.message(rules));
        return image;
    };
    settings.valuesFor = [&plan](long number) {
        return plan.valuesFor(number);
    };
    settings.ruleNames = ruleNames;
    settings.start = *start;
    settings.step = *step;
    settings.count = static_cast<int>(*count);
    settings.modelCode = model[0];
    settings.updateRadioTime = !input.has("--no-time");
    settings.language = context.language;
    settings.verify = !input.has("--no-verify");
    settings.autoContinue = input.has("--auto");
    settings.keepOld = input.has("--keep-old");
    settings.goOnIfBandsDiffer = input.has("--yes");
    QStringList ruleTexts;
    for (const text::BatchRule& rule : rules)
        ruleTexts << QString::fromStdString(rule.name() + "=" + rule.pattern);
    settings.logPath = input.has("--log") ? QString::fromStdString(input.value("--log"))
                                          : link::BatchLogPath(*base, ruleTexts);
    // A log holds one batch's rules: one with other rules goes on in a new log.
    settings.logPath =
        link::LogForHeader(settings.logPath, link::BatchLog(settings.logPath, ruleNames).header());
    settings.taken = link::TakenNumbers(settings.logPath);
    if (!input.has("--continue")) {
        // A new batch over numbers this log shows given would give them twice.
        for (int i = 0; i < settings.count; ++i) {
            const long number = settings.start + settings.step * i;
            if (settings.taken.count(number))
                return Refuse(context,
                              Own(context, "number ", "编号 ") + std::to_string(number) +
                                  Own(context, " was already given by this batch (its log: ",
                                      " 已由本批次写入（日志：") +
                                  settings.logPath.toStdString() +
                                  Own(context,
                                      "); --continue goes on from the lowest number not "
                                      "yet given",
                                      "）；--continue 从尚未使用的最小编号继续"));
        }
    }

    static int argc = 1;
    static char name[] = "r57";
    static char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    link::BatchRun run(settings, devices);
    QEventLoop loop;
    std::vector<std::string> shown(devices.size());
    QObject::connect(&run, &link::BatchRun::laneChanged, [&](int lane) {
        const std::string text = run.lane(lane).text().toStdString();
        if (text != shown[lane])
            *context.err << devices[lane].toStdString() << ": " << text << "\n";
        shown[lane] = text;
    });
    QObject::connect(&run, &link::BatchRun::radioDone, [&](const link::RadioResult& r) {
        std::string line = std::to_string(r.number) + " " + r.port.toStdString() + " " +
                           link::ResultText(r).toStdString() + " " +
                           QString::number(r.seconds, 'f', 1).toStdString() + "s";
        for (std::size_t i = 0; i < r.values.size(); ++i)
            line += " \"" + rules[i].field + "=" + r.values[i] + "\"";
        if (!r.ok)
            line += ": " + r.reason.toStdString();
        *context.out << line << std::endl;
    });
    QObject::connect(
        &run, &link::BatchRun::logFailed, [&](const QString& path, const QString& why) {
            *context.err << "r57: " << Own(context, "cannot write the log ", "无法写入日志 ")
                         << path.toStdString() << ": " << why.toStdString() << "\n";
        });
    QObject::connect(&run, &link::BatchRun::finished, &loop, &QEventLoop::quit);
    InterruptWatch interrupt(loop, [&run] { run.cancel(); });

    // Without --auto, Enter on the terminal stands for Next on every lane that waits;
    // each lane looks at its radio first, and one that is still the radio it wrote is
    // not written again.
    std::unique_ptr<QSocketNotifier> enter;
    if (!settings.autoContinue) {
        enter = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(enter.get(), &QSocketNotifier::activated, [&] {
            char buffer[256];
            const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) {
                enter->setEnabled(false); // no more input: Ctrl-C ends the batch
                return;
            }
            for (int lane = 0; lane < run.laneCount(); ++lane)
                run.next(lane);
        });
    }
    *context.err << Own(context, "Log: ", "日志：") << settings.logPath.toStdString() << "\n";
    run.start();
    if (run.isRunning())
        loop.exec();
    const int delivered = run.numbers().deliveredCount();
    *context.err << QString::fromStdString(Own(context, "%1 of %2 radios delivered, %3 failed.",
                                               "已完成 %1/%2 台对讲机，失败 %3 台。"))
                        .arg(delivered)
                        .arg(*count)
                        .arg(run.failedCount())
                        .toStdString()
                 << "\n";
    if (interrupt.interrupted())
        return Fail(context, Own(context, "interrupted; every radio was told to end the transfer",
                                 "已中断；已通知每台对讲机结束传输"));
    if (run.stoppedByLog())
        return Fail(context, Own(context, "the batch was stopped: its log could not be written",
                                 "批次已停止：无法写入日志"));
    return delivered == *count && run.failedCount() == 0 ? kExitOk : kExitFailure;
}

} // namespace

std::vector<Command> BatchCommands() {
    return {{"batch", "Program one codeplug into many radios, each with its own number", RunBatch,
             "Usage: r57 batch FILE.dat --port DEVICE [--port DEVICE ...]\n"
             "                --set 'PAGE/FIELD=PATTERN' [--set ...] --start N [--step S]\n"
             "                --count C [--model 0|1|2] [--no-time] [--no-verify] [--auto]\n"
             "                [--keep-old] [--yes] [--log FILE.csv] [--continue]\n"
             "       r57 batch FILE.dat --fields [--model 0|1|2]\n"
             "\n"
             "Writes the codeplug into C radios, each numbered in turn from N by S, with\n"
             "every --set field given its own value: {n} in PATTERN is the radio's number,\n"
             "{n:03} the number in three digits. A field is named as `r57 export` names\n"
             "it or by its caption in the window, in English or Chinese (case and blanks\n"
             "do not count), e.g. --set 'Function Setting/PowerOn Message=UNIT{n:02}',\n"
             "--set 'Function Setting/PowerOn Msg=UNIT{n:02}' or --set 'MSK/Own ID={n:04}';\n"
             "--fields lists every field of FILE.dat a rule can set, with its captions,\n"
             "its value and whether the window shows it for the model (--model) and the\n"
             "PTT ID type. A name that matches no field is answered with the nearest.\n"
             "Every number is tried first: a value the field would refuse or store\n"
             "otherwise stops the batch before anything is sent.\n"
             "\n"
             "Each port is a lane of its own; the lanes run at once. A lane waits for a\n"
             "radio (the handshake about once a second), reads the rows of the --set\n"
             "fields from it, writes it, reads it back and compares, and prints one line a\n"
             "radio on stdout. A radio that already holds a number of this batch is not\n"
             "written again (\"this radio already has number 7\"). A radio that was not\n"
             "written gives its number to the next radio; one written but not verified\n"
             "keeps it (\"written, not verified\"): set it aside, and the batch goes on\n"
             "until C radios are written and verified.\n"
             "\n"
             "  --port DEVICE  a device path or a port slot (COM3 or 3); once per cable\n"
             "  --model 0|1|2  the model variant the radios must report (default 0)\n"
             "  --no-time      do not set the radios' clocks\n"
             "  --no-verify    do not read each radio back after writing it\n"
             "  --auto         take the next radio by itself: when the radio on the cable\n"
             "                 is another one, or after 2 s of silence a radio answers\n"
             "                 that holds no number of this batch; without it, press\n"
             "                 Enter when the next radio is on the cable\n"
             "  --keep-old     read each radio first and keep its old memory beside the\n"
             "                 log (FILE-old/), named after its number\n"
             "  --yes          go on when a radio's band limits differ from the file's\n"
             "  --log FILE.csv the log (default: one a codeplug in\n"
             "                 ~/.local/share/Tarvex/R57/batches)\n"
             "  --continue     go on with the batch of this log: the numbers it shows given\n"
             "                 (delivered, or written and not verified) are skipped, gaps\n"
             "                 filled first, and C more radios delivered\n"
             "\n"
             "Exit status: 0 when all C radios were delivered with no failure on the way,\n"
             "1 when any radio failed (or the batch was interrupted, or its log could not be\n"
             "written), 2 for bad arguments, a codeplug that cannot be read, a port given\n"
             "twice or a refused field, before anything is sent.\n"}};
}

} // namespace r57::cli
