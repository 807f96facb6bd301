// The log of a batch of radios: one CSV line a radio (time, port, number, the value of
// every per-radio field, result, verify, seconds, reason), in the user's data folder
// next to the backups, one file a codeplug, so the next batch of the same codeplug can
// go on from the last number delivered.
#pragma once

#include "core/image.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace r57::link {

// What became of one radio.
struct RadioResult {
    QDateTime when;
    QString port;
    long number = 0;
    std::vector<std::string> values; // the per-radio fields, rule by rule
    bool ok = false;
    QString verify; // "OK", "failed", "off", or "" when the write did not get there
    double seconds = 0;
    QString reason; // why it failed; "" when ok
};

// ~/.local/share/Tarvex/R57/batches (beside the backup folder; not created here).
QString BatchLogFolder();
// The log of a codeplug: "batch-" and a checksum of its bytes, ".csv".
QString BatchLogPath(const CodeplugImage& base, const QString& folder = BatchLogFolder());

// A field as CSV: quoted when it holds a comma, a quote or a line break.
QString CsvField(const QString& text);

class BatchLog {
public:
    BatchLog(QString path, QStringList ruleNames);
    const QString& path() const { return path_; }
    // Appends the radio's line (and the header first, when the file is new or empty).
    // False with `error` set when the file cannot be written.
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

} // namespace r57::link
