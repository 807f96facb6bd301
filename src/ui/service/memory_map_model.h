// The memory map's grid as a model over a copy of the image: 1024 rows of 16 bytes,
// each shown as two hexadecimal digits, the row and column numbers in the headers.
// Edits change the copy only; the window hands the copy to the image on OK.
#pragma once

#include "core/image.h"

#include <QAbstractTableModel>

namespace r57::ui {

class MemoryMapModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit MemoryMapModel(const CodeplugImage& image, QObject* parent = nullptr);

    const CodeplugImage& image() const { return image_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Takes the text of a closed edit box ("" is FF, "5" is 05).
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    CodeplugImage image_;
};

} // namespace r57::ui
