// Keeps whatever reaches a channel's frequency or name box (typing, a paste, an input
// method) within the characters the field can hold. The grid's in-cell editor and the
// alternate panel's boxes use the same rule.
#pragma once

#include "core/channel.h"
#include "model/sheet/grid_rules.h"

#include <QValidator>

namespace r57::ui {

class ColumnTextValidator : public QValidator {
public:
    ColumnTextValidator(int column, QObject* parent) : QValidator(parent), column_(column) {}
    void setColumn(int column) { column_ = column; }

    State validate(QString& input, int&) const override {
        for (const QChar ch : input) {
            if (!EditorAcceptsChar(column_, ch.unicode())) {
                return Invalid;
            }
        }
        return Acceptable;
    }

private:
    int column_;
};

} // namespace r57::ui
