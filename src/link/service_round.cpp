#include "link/service_round.h"

#include "core/address_map.h"
#include "link/clone_frames.h"

#include <QDateTime>

#include <algorithm>

namespace r57::link {

namespace {

QString Own(int language, const char* english, const char* chinese) {
    return QString::fromUtf8(language == kChinese ? chinese : english);
}

QString RowsName(ServiceRows rows, int language) {
    return rows == ServiceRows::Tuning ? Own(language, "tuning rows", "调试数据行")
                                       : Own(language, "frequency-range rows", "频率范围行");
}

QString Hex(int address) {
    return QString::asprintf("0x%04X", address);
}

} // namespace

std::vector<int> ServiceRowAddresses(ServiceRows rows) {
    const CloneKind kind = CloneKindOf(ServiceWriteKind(rows));
    std::vector<int> out;
    for (int row = FirstRow(kind); row >= 0 && row != kStepEnd; row = StepAfter(kind, row, false)) {
        out.push_back(row * addr::kRowSize);
    }
    return out;
}

TransferKind ServiceReadKind(ServiceRows rows) {
    return rows == ServiceRows::Tuning ? TransferKind::ReadTuning : TransferKind::ReadRanges;
}

TransferKind ServiceWriteKind(ServiceRows rows) {
    return rows == ServiceRows::Tuning ? TransferKind::WriteTuning : TransferKind::WriteRanges;
}

BackupKind ServiceBeforeKind(ServiceRows rows) {
    return rows == ServiceRows::Tuning ? BackupKind::TuningBefore : BackupKind::RangesBefore;
}

std::vector<int> DifferingRows(ServiceRows rows, const CodeplugImage& a, const CodeplugImage& b) {
    std::vector<int> out;
    for (int address : ServiceRowAddresses(rows)) {
        if (!std::equal(a.data() + address, a.data() + address + addr::kRowSize,
                        b.data() + address)) {
            out.push_back(address);
        }
    }
    return out;
}

QString RowList(const std::vector<int>& addresses) {
    QStringList parts;
    for (std::size_t i = 0; i < addresses.size();) {
        std::size_t j = i;
        while (j + 1 < addresses.size() && addresses[j + 1] == addresses[j] + addr::kRowSize)
            ++j;
        parts << (j == i ? Hex(addresses[i]) : Hex(addresses[i]) + '-' + Hex(addresses[j]));
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

QString ServiceReplaceQuestion(ServiceRows rows, int differing, int total, int language) {
    const QString what = rows == ServiceRows::Tuning
                             ? Own(language, "tuning and gain rows", "调试与增益数据行")
                             : Own(language, "frequency-range rows", "频率范围行");
    return Own(language,
               "%1 of the radio's %2 %3 differ from the ones to be written. They are this "
               "radio's own calibration, and a copy has been kept. Write over them?",
               "对讲机的 %2 行%3中有 %1 行与要写入的不同。它们是这台对讲机自己的校准数据，"
               "已保留一份备份。是否覆盖？")
        .arg(differing)
        .arg(total)
        .arg(what);
}

QString DescribeServiceOutcome(const ServiceOutcome& o, ServiceRows rows, int language) {
    const QString name = RowsName(rows, language);
    QString text;
    switch (o.state) {
    case ServiceOutcome::WrittenVerified:
        text = Own(language, "The %1 were written and read back the same.",
                   "%1已写入，读回后完全一致。")
                   .arg(name);
        break;
    case ServiceOutcome::NotWritten:
        text = Own(language, "The %1 were not written; the radio keeps its own. %2",
                   "%1未写入，对讲机保留其原有数据。%2")
                   .arg(name, o.reason);
        break;
    case ServiceOutcome::WrittenNotVerified:
        text = o.mismatch.empty()
                   ? Own(language, "The %1 were written but not verified: %2",
                         "%1已写入，但未经校验：%2")
                         .arg(name, o.reason)
                   : Own(language, "The %1 were written, but %2 of them read back differently: %3.",
                         "%1已写入，但其中 %2 行读回后不同：%3。")
                         .arg(name)
                         .arg(o.mismatch.size())
                         .arg(RowList(o.mismatch));
        break;
    case ServiceOutcome::PartlyWritten: {
        text = Own(language, "The write of the %1 stopped part-way (%2), not verified. ",
                   "%1的写入中途停止（%2），未经校验。")
                   .arg(name, o.reason);
        if (!o.newRows.empty())
            text += Own(language, "New: %1. ", "已写入新值：%1。").arg(RowList(o.newRows));
        if (o.unsureRow >= 0)
            text += Own(language, "Perhaps new: %1. ", "可能已写入：%1。").arg(Hex(o.unsureRow));
        if (!o.oldRows.empty())
            text += Own(language, "Still the radio's own: %1.", "仍为对讲机原有数据：%1。")
                        .arg(RowList(o.oldRows));
        break;
    }
    }
    return text.trimmed();
}

struct ServiceWriteRound::Impl {
    Impl(ServiceWriteRound* owner, const Session& s, const CodeplugImage& image, ServiceRows r,
         ServiceRoundOptions o)
        : q(owner), work(s), toWrite(image), rows(r), options(std::move(o)), driver(work) {}

    ServiceWriteRound* q;
    Session work; // the driver's session: its image is what goes out or comes in
    CodeplugImage toWrite;
    ServiceRows rows;
    ServiceRoundOptions options;
    TransferDriver driver;
    std::function<bool(Question, const QString&)> asker;
    std::function<bool(int, int)> confirm;
    Phase phase = Phase::ReadingFirst;
    bool running = false;
    bool cancelled = false;
    bool agreed = false; // the user agreed to replace differing rows
    ServiceOutcome outcome;

    int language() const { return work.language; }
    bool begin(Phase next);
    void ended(bool success);
    void afterReadFirst(bool success);
    void afterWrite(bool success);
    void afterReadBack(bool success);
    void finish(ServiceOutcome::State state, const QString& reason = {});
    QString failureReason() const;
};

QString ServiceWriteRound::Impl::failureReason() const {
    if (cancelled)
        return Own(language(), "cancelled", "已取消");
    if (driver.portFailure())
        return Own(language(), "the port failed", "端口出错");
    return Own(language(), "the radio did not answer", "对讲机无应答");
}

bool ServiceWriteRound::Impl::begin(Phase next) {
    phase = next;
    TransferKind kind = ServiceReadKind(rows);
    if (next == Phase::Writing) {
        work.image = toWrite;
        kind = ServiceWriteKind(rows);
    } else {
        work.image = toWrite; // the rows read replace these
        for (int address : ServiceRowAddresses(rows))
            std::fill(work.image.data() + address, work.image.data() + address + addr::kRowSize,
                      uint8_t{0xFF});
    }
    emit q->phaseChanged(next);
    return driver.start(kind);
}

void ServiceWriteRound::Impl::finish(ServiceOutcome::State state, const QString& reason) {
    outcome.state = state;
    outcome.reason = reason;
    outcome.cancelled = cancelled;
    running = false;
    // A backup no write needs any longer rotates like any other: the write was
    // verified, or nothing was written.
    const bool settled =
        state == ServiceOutcome::WrittenVerified || state == ServiceOutcome::NotWritten;
    if (settled && !outcome.backupPath.isEmpty())
        ReleaseBackup(outcome.backupPath);
    emit q->finished(outcome);
}

void ServiceWriteRound::Impl::ended(bool success) {
    switch (phase) {
    case Phase::ReadingFirst:
        afterReadFirst(success);
        break;
    case Phase::Writing:
        afterWrite(success);
        break;
    case Phase::ReadingBack:
        afterReadBack(success);
        break;
    }
}

void ServiceWriteRound::Impl::afterReadFirst(bool success) {
    if (!success || cancelled) {
        finish(ServiceOutcome::NotWritten,
               Own(language(), "The radio's rows could not be read first (%1).",
                   "无法先读取对讲机的数据行（%1）。")
                   .arg(failureReason()));
        return;
    }
    outcome.haveRadioRows = true;
    outcome.radioRows = toWrite;
    for (int address : ServiceRowAddresses(rows))
        outcome.radioRows.write(address, work.image.data() + address, addr::kRowSize);
    outcome.differing = DifferingRows(rows, outcome.radioRows, toWrite);
    if (options.backup) {
        const BackupResult kept =
            KeepBackup(outcome.radioRows, ServiceBeforeKind(rows), options.backupFolder,
                       QDateTime::currentDateTime(), kBackupsKept, {}, true);
        outcome.backupPath = kept.path;
        if (!kept.ok) {
            outcome.backupError = kept.error;
            outcome.backupPath.clear();
        }
    }
    if (!outcome.differing.empty()) {
        const int total = static_cast<int>(ServiceRowAddresses(rows).size());
        agreed = confirm && confirm(static_cast<int>(outcome.differing.size()), total);
        if (!agreed) {
            outcome.declined = true;
            finish(ServiceOutcome::NotWritten, Own(language(), "Answered no.", "已选择不覆盖。"));
            return;
        }
    }
    if (!begin(Phase::Writing))
        finish(ServiceOutcome::NotWritten, failureReason());
}

void ServiceWriteRound::Impl::afterWrite(bool success) {
    if (!success) {
        // The rows before the one whose acknowledgement never came were taken.
        const std::vector<int> order = ServiceRowAddresses(rows);
        const int step = driver.endStep();
        const auto at = std::find(order.begin(), order.end(), step * addr::kRowSize);
        if (step < 0 || at == order.end()) {
            finish(ServiceOutcome::NotWritten, failureReason());
            return;
        }
        outcome.newRows.assign(order.begin(), at);
        outcome.unsureRow = *at;
        outcome.oldRows.assign(at + 1, order.end());
        finish(ServiceOutcome::PartlyWritten, failureReason());
        return;
    }
    if (!options.verify) {
        finish(ServiceOutcome::WrittenNotVerified,
               Own(language(), "verify is off.", "未开启写入后校验。"));
        return;
    }
    if (!begin(Phase::ReadingBack))
        finish(ServiceOutcome::WrittenNotVerified, failureReason());
}

void ServiceWriteRound::Impl::afterReadBack(bool success) {
    if (!success) {
        finish(ServiceOutcome::WrittenNotVerified,
               Own(language(), "the rows could not be read back (%1).", "无法读回数据行（%1）。")
                   .arg(failureReason()));
        return;
    }
    outcome.mismatch = DifferingRows(rows, work.image, toWrite);
    if (!outcome.mismatch.empty()) {
        finish(ServiceOutcome::WrittenNotVerified,
               Own(language(), "rows read back differently.", "数据行读回后不同。"));
        return;
    }
    finish(ServiceOutcome::WrittenVerified);
}

ServiceWriteRound::ServiceWriteRound(const Session& session, const CodeplugImage& image,
                                     ServiceRows rows, ServiceRoundOptions options, QObject* parent)
    : QObject(parent), d(std::make_unique<Impl>(this, session, image, rows, std::move(options))) {
    d->work.traceMode = false; // the round keeps its own account
    connect(&d->driver, &TransferDriver::finished, this, [this](bool ok) {
        // Started from the driver's own signal: the next transfer begins once the
        // driver has returned.
        QMetaObject::invokeMethod(
            this, [this, ok] { d->ended(ok); }, Qt::QueuedConnection);
    });
    d->driver.setAsker([this](Question q, const QString& text) {
        // The differing rows were asked about already, the band row among them.
        if (q == Question::ServiceBandLimitsChanged)
            return d->agreed || !d->options.readFirst;
        return d->asker ? d->asker(q, text) : false;
    });
}

ServiceWriteRound::~ServiceWriteRound() = default;

void ServiceWriteRound::setPort(const QString& device) {
    d->driver.setPort(device);
}

void ServiceWriteRound::setAsker(std::function<bool(Question, const QString&)> asker) {
    d->asker = std::move(asker);
}

void ServiceWriteRound::setConfirm(std::function<bool(int, int)> confirm) {
    d->confirm = std::move(confirm);
}

bool ServiceWriteRound::start() {
    if (d->running)
        return false;
    d->outcome = {};
    d->cancelled = d->agreed = false;
    d->running = true;
    if (!d->begin(d->options.readFirst ? Phase::ReadingFirst : Phase::Writing)) {
        d->running = false;
        d->outcome.state = ServiceOutcome::NotWritten;
        d->outcome.reason = d->failureReason();
        return false;
    }
    return true;
}

bool ServiceWriteRound::isRunning() const {
    return d->running;
}

void ServiceWriteRound::cancel() {
    if (!d->running)
        return;
    d->cancelled = true;
    d->driver.cancel();
}

const ServiceOutcome& ServiceWriteRound::outcome() const {
    return d->outcome;
}

const TransferDriver& ServiceWriteRound::driver() const {
    return d->driver;
}

} // namespace r57::link
