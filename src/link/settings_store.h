// The program's small settings store (organisation "Tarvex", application "R57"): it
// keeps the user-interface language, and may pin port slots to devices. Failures are
// silent: a value that cannot be read is "", a write that fails is ignored.
#pragma once

#include <QString>

namespace r57::link {

// Reads a value; the name compares without regard to case ("Language" finds
// "language"). Missing or unreadable gives "".
QString ReadSetting(const QString& name);
// Writes a value under exactly this name (replacing any that differs only in case).
bool WriteSetting(const QString& name, const QString& value);

// Language index from "Language": 0 when empty or missing, else its number.
int LoadLanguage();
// Writes "language" as decimal text (done at every exit).
void SaveLanguage(int language);

} // namespace r57::link
