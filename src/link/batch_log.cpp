#include "batch_log.h"

#include "backups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace r57::link {

namespace {

constexpr int kNumberColumn = 2;

// Splits one CSV line into its fields (quotes as CsvField writes them).
QStringList SplitCsv(const QString& line) {
    QStringList fields;
    QString field;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field;
    return fields;
}

} // namespace

QString BatchLogFolder() {
    return QFileInfo(BackupFolder()).path() + QStringLiteral("/batches");
}

QString BatchLogPath(const CodeplugImage& base, const QStringList& rules, const QString& folder) {
    // FNV-1a over the image and the rules: the same batch finds its log again.
    uint32_t hash = 2166136261u;
    auto add = [&hash](uint8_t byte) {
        hash ^= byte;
        hash *= 16777619u;
    };
    for (int a = 0; a < CodeplugImage::kSize; ++a)
        add(base.data()[a]);
    for (const QString& rule : rules) {
        for (const char c : rule.toUtf8())
            add(static_cast<uint8_t>(c));
        add(0);
    }
    return folder + QStringLiteral("/batch-%1.csv").arg(hash, 8, 16, QLatin1Char('0'));
}

QString CsvField(const QString& given) {
    QString text = given;
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text[0]))
        text.prepend('\'');
    if (!text.contains(',') && !text.contains('"') && !text.contains('\n'))
        return text;
    QString quoted = text;
    quoted.replace('"', QLatin1String("\"\""));
    return '"' + quoted + '"';
}

BatchLog::BatchLog(QString path, QStringList ruleNames)
    : path_(std::move(path)), ruleNames_(std::move(ruleNames)) {}

QString ResultText(const RadioResult& r) {
    return r.ok        ? QStringLiteral("OK")
           : r.written ? QStringLiteral("written, not verified")
                       : QStringLiteral("failed");
}

QString BatchLog::header() const {
    QStringList columns{"time", "port", "number"};
    columns << ruleNames_ << "result"
            << "verify"
            << "seconds"
            << "reason";
    for (QString& c : columns)
        c = CsvField(c);
    return columns.join(',');
}

QString BatchLog::line(const RadioResult& r) const {
    QStringList columns{r.when.toString(Qt::ISODate), r.port, QString::number(r.number)};
    for (const std::string& value : r.values)
        columns << QString::fromStdString(value);
    columns << ResultText(r) << r.verify << QString::number(r.seconds, 'f', 1) << r.reason;
    for (QString& c : columns)
        c = CsvField(c);
    return columns.join(',');
}

bool BatchLog::append(const RadioResult& result, QString& error) const {
    QDir().mkpath(QFileInfo(path_).path());
    QFile file(path_);
    if (!file.open(QIODevice::Append | QIODevice::Text)) {
        error = file.errorString();
        return false;
    }
    QTextStream out(&file);
    if (file.size() == 0)
        out << header() << '\n';
    out << line(result) << '\n';
    out.flush();
    // A line lost with the power would let a later Continue give its number again.
    if (file.error() == QFileDevice::NoError && ::fsync(file.handle()) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    return true;
}

std::optional<long> LastDeliveredNumber(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QTextStream in(&file);
    in.readLine(); // the header
    std::optional<long> last;
    while (!in.atEnd()) {
        // The result is the fourth column from the end, whatever fields a batch had.
        const QStringList fields = SplitCsv(in.readLine());
        bool number = false;
        const long value = fields.value(kNumberColumn).toLong(&number);
        if (number && fields.size() >= 7 && fields[fields.size() - 4] == QLatin1String("OK"))
            last = std::max(last.value_or(value), value);
    }
    return last;
}

std::set<long> TakenNumbers(const QString& path) {
    std::set<long> taken;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return taken;
    QTextStream in(&file);
    in.readLine(); // the header
    while (!in.atEnd()) {
        const QStringList fields = SplitCsv(in.readLine());
        bool number = false;
        const long value = fields.value(kNumberColumn).toLong(&number);
        if (!number || fields.size() < 7)
            continue;
        const QString result = fields[fields.size() - 4];
        if (result == QLatin1String("OK") || result == QLatin1String("written, not verified"))
            taken.insert(value);
    }
    return taken;
}

QString LogForHeader(const QString& path, const QString& header) {
    const QFileInfo info(path);
    for (int n = 1;; ++n) {
        const QString candidate = n == 1 ? path
                                         : info.path() + '/' + info.completeBaseName() +
                                               QStringLiteral("-%1.").arg(n) + info.suffix();
        QFile file(candidate);
        if (!file.exists() || file.size() == 0)
            return candidate;
        if (file.open(QIODevice::ReadOnly | QIODevice::Text) &&
            QTextStream(&file).readLine() == header)
            return candidate;
    }
}

} // namespace r57::link
