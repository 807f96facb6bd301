// The program's numbered, bilingual string table: English ids 1001..1525, Chinese at
// the same id + 1000. Texts are UTF-8.
#pragma once

#include <string>

namespace r57 {

// The text of English id `id` in `language` (0 English, 1 Chinese): entry id + 1000 *
// language. An id missing from the table gives "".
std::string Text(int id, int language);

// The entry with exactly this number (1001..1525 or 2001..2525); nullptr if missing.
const std::string* LookupString(int fullId);

// Number of entries in the table.
int StringCount();

} // namespace r57
