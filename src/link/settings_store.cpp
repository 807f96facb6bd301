// The settings live in the per-user Qt settings file of organisation "Tarvex",
// application "R57" (~/.config/Tarvex/R57.conf). Value names compare without regard
// to case, as the program has always read "Language" and written "language".
#include "link/settings_store.h"

#include <QSettings>

namespace r57::link {

namespace {

const QString kOrganisation = QStringLiteral("Tarvex");
const QString kApplication = QStringLiteral("R57");

// The stored name equal to `name` without regard to case; the exact spelling wins
// when several variants are stored.
QString FindKey(const QSettings& settings, const QString& name) {
    QString found;
    for (const QString& key : settings.allKeys()) {
        if (key == name)
            return key;
        if (found.isEmpty() && key.compare(name, Qt::CaseInsensitive) == 0)
            found = key;
    }
    return found;
}

// The leading decimal number of a text ("1", " 1 ", "1.0"), 0 when there is none.
int LeadingNumber(const QString& text) {
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    int value = 0;
    for (; i < t.size() && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (t[i].unicode() - '0');
        if (value > 1000)
            return 0; // no language has such a number
    }
    return negative ? -value : value;
}

} // namespace

QString ReadSetting(const QString& name) {
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation,
                             kApplication);
    const QString key = FindKey(settings, name);
    if (key.isEmpty())
        return {};
    return settings.value(key).toString();
}

bool WriteSetting(const QString& name, const QString& value) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
    if (!settings.isWritable())
        return false;
    for (const QString& key : settings.allKeys())
        if (key != name && key.compare(name, Qt::CaseInsensitive) == 0)
            settings.remove(key);
    settings.setValue(name, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

int LoadLanguage() {
    // Only English (0) and Chinese (1) have texts; any other number would leave every
    // caption empty, so it counts as English.
    return LeadingNumber(ReadSetting(QStringLiteral("Language"))) == 1 ? 1 : 0;
}

void SaveLanguage(int language) {
    WriteSetting(QStringLiteral("language"), QString::number(language));
}

} // namespace r57::link
