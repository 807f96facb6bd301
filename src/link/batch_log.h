// The log of a batch of radios: one CSV line a radio (time, port, number, the value of
// every per-radio field, result, verify, seconds, reason), in the user's data folder
// next to the backups, one file a codeplug and its rules, so the next batch of the same
// codeplug and rules can go on without giving a number twice. Each line is on the disk
// before the next radio is taken.
#pragma once

#include "core/image.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace r57::link {

// What became of one radio.
struct RadioResult {
    QDateTime when;
    QString port;
    long number = 0;
    std::vector<std::string> values; // the per-radio fields, rule by rule
    bool ok = false;                 // delivered: written and verified (or verify off)
    bool written = false;            // not ok, but written: its number stays taken
    QString verify; // "OK", "failed", "off", or "" when the write did not get there
    double seconds = 0;
    QString reason; // why it failed; "" when ok
};

// ~/.local/share/Tarvex/R57/batches (beside the backup folder; not created here).
QString BatchLogFolder();
// The log of a codeplug and its rules ("PAGE / FIELD=PATTERN"): "batch-" and a checksum
// of both, ".csv".
QString BatchLogPath(const CodeplugImage& base, const QStringList& rules,
                     const QString& folder = BatchLogFolder());

// A field as CSV: quoted when it holds a comma, a quote or a line break; a text that a
// spreadsheet would take for a formula (starting with =, +, - or @) gets a leading '.
QString CsvField(const QString& text);

// The result column: "OK", "written, not verified" or "failed".
QString ResultText(const RadioResult& result);

class BatchLog {
public:
    BatchLog(QString path, QStringList ruleNames);
    const QString& path() const { return path_; }
    // Appends the radio's line (and the header first, when the file is new or empty),
    // synced to the disk. False with `error` set when it cannot be written.
    bool append(const RadioResult& result, QString& error) const;
    // The line append() writes, without its line break.
    QString line(const RadioResult& result) const;
    QString header() const;

private:
    QString path_;
    QStringList ruleNames_;
};

// The highest number the log shows delivered (lanes finish out of order); nullopt when
// none is.
std::optional<long> LastDeliveredNumber(const QString& path);

// Every number the log shows taken: delivered, or written and not verified.
std::set<long> TakenNumbers(const QString& path);

// `path`, or when it holds the log of a batch with other rules (another header), the
// first of "NAME-2.csv", "NAME-3.csv", ... that is new or holds this header: a log
// holds one batch's rules.
QString LogForHeader(const QString& path, const QString& header);

} // namespace r57::link
