// r57 service write-ranges / write-tuning: the service write round on the terminal.
// The radio's rows are read and kept first; rows of the radio's own that the file
// would replace are asked about (refused without --yes when no one can be asked);
// after the write the rows are read back and compared; a write that stops part-way
// says which rows are new and offers to put the kept rows back.
#include "cli/link/service_write.h"

#include "interrupt_watch.h"

#include "core/strings.h"
#include "link/port_slots.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>

#include <unistd.h>

#include <iostream>
#include <string>

namespace r57::cli {

namespace {

bool OnTerminal() {
    return isatty(STDIN_FILENO) && isatty(STDERR_FILENO);
}

bool AskYesNo(const CliContext& context, const QString& question) {
    *context.err << question.toStdString() << " [y/N] " << std::flush;
    std::string answer;
    return std::getline(std::cin, answer) && !answer.empty() &&
           (answer[0] == 'y' || answer[0] == 'Y');
}

std::string Own(const CliContext& context, const char* english, const char* chinese) {
    return context.language == kChinese ? chinese : english;
}

// One round to its end; the outcome.
link::ServiceOutcome RunRound(link::ServiceWriteRound& round, const CliContext& context,
                              bool& interrupted) {
    QEventLoop loop;
    QObject::connect(&round, &link::ServiceWriteRound::finished, &loop, &QEventLoop::quit);
    InterruptWatch interrupt(loop, [&] {
        interrupted = true;
        round.cancel();
    });
    round.setAsker([&](link::Question q, const QString&) {
        if (q == link::Question::RetryOrCancel && OnTerminal())
            return AskYesNo(context, QString::fromStdString(Text(1291, context.language)));
        return false;
    });
    if (round.start())
        loop.exec();
    return round.outcome();
}

} // namespace

int RunServiceWrite(const Session& session, const std::string& port, link::ServiceRows rows,
                    const ServiceWriteFlags& flags, const CliContext& context) {
    const QString device = link::ResolvePortName(QString::fromStdString(port));
    if (device.isEmpty())
        return Fail(context, Text(1175, context.language) + " " + port + ": no such port");
    static int argc = 1;
    static char name[] = "r57";
    static char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);

    link::ServiceRoundOptions options;
    options.verify = flags.verify;
    link::ServiceWriteRound round(session, session.image, rows, options);
    round.setPort(device);
    bool refusedUnasked = false;
    round.setConfirm([&](int differing, int total) {
        const QString question =
            link::ServiceReplaceQuestion(rows, differing, total, context.language);
        if (flags.yes)
            return true;
        if (OnTerminal())
            return AskYesNo(context, question);
        *context.err << "r57: " << question.toStdString() << "\n";
        refusedUnasked = true;
        return false;
    });
    bool interrupted = false;
    const link::ServiceOutcome outcome = RunRound(round, context, interrupted);

    if (!outcome.backupPath.isEmpty()) {
        *context.err << Own(context, "Kept the radio's rows: ", "已保留对讲机原有数据行：")
                     << QDir::toNativeSeparators(outcome.backupPath).toStdString() << "\n";
    }
    const bool backupLost = outcome.haveRadioRows && !outcome.backupError.isEmpty();
    if (backupLost) {
        *context.err << "r57: " << Own(context, "no backup could be kept in ", "无法保存备份到 ")
                     << link::BackupFolder().toStdString() << ": "
                     << outcome.backupError.toStdString() << "\n";
    }
    const std::string said =
        link::DescribeServiceOutcome(outcome, rows, context.language).toStdString();
    switch (outcome.state) {
    case link::ServiceOutcome::WrittenVerified:
        *context.err << said << "\n";
        return backupLost ? kExitBackupLost : kExitOk;
    case link::ServiceOutcome::NotWritten:
        if (refusedUnasked)
            return Refuse(context, Own(context, "nothing was written (--yes writes over them)",
                                       "未写入任何数据（加 --yes 则覆盖）"));
        return Fail(context, said);
    case link::ServiceOutcome::WrittenNotVerified:
        if (!flags.verify && outcome.mismatch.empty()) {
            // Not read back because the dealer said so: the write itself went through,
            // and the rows the dealer chose to write stay.
            *context.err << said << "\n";
            return backupLost ? kExitBackupLost : kExitOk;
        }
        break;
    case link::ServiceOutcome::PartlyWritten:
        break;
    }
    // The radio now holds rows it did not have: offer the way back at once.
    *context.err << "r57: " << said << "\n";
    if (!outcome.haveRadioRows)
        return kExitFailure;
    const QString question = QString::fromStdString(
        Own(context, "Put the radio's own rows back now?", "是否立即写回对讲机原有的数据行？"));
    const bool back =
        !interrupted && (flags.restoreOnFailure || (OnTerminal() && AskYesNo(context, question)));
    if (!back) {
        if (!outcome.backupPath.isEmpty()) {
            *context.err << Own(context, "To put them back later: r57 restore ",
                                "稍后写回：r57 restore ")
                         << outcome.backupPath.toStdString() << " --port " << port << "\n";
        }
        return kExitFailure;
    }
    link::ServiceRoundOptions again;
    again.readFirst = false;
    again.backup = false;
    link::ServiceWriteRound restore(session, outcome.radioRows, rows, again);
    restore.setPort(device);
    const link::ServiceOutcome put = RunRound(restore, context, interrupted);
    *context.err
        << (put.state == link::ServiceOutcome::WrittenVerified
                ? Own(context, "The radio's own rows are back: ", "对讲机原有数据行已写回：")
                : Own(context, "Putting the rows back failed too: ", "写回原有数据行也失败了："))
        << link::DescribeServiceOutcome(put, rows, context.language).toStdString() << "\n";
    return kExitFailure; // the write that was asked for did not happen
}

} // namespace r57::cli
