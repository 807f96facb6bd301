// The r57 commands of the printed channel sheet.
#pragma once

#include "cli/commands.h"

namespace r57::cli {

Command PdfCommand();

} // namespace r57::cli
