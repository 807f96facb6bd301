// A page that breaks the layering three ways, for the test of the check itself.
#pragma once
#include "ui/main/main_window.h"
#include <QString>
