#include "ui/service/memory_map_model.h"

#include "model/service/memory_map_rules.h"

namespace r57::ui {

namespace hexmap = service::hexmap;

MemoryMapModel::MemoryMapModel(const CodeplugImage& image, QObject* parent)
    : QAbstractTableModel(parent), image_(image) {}

int MemoryMapModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : hexmap::kRows;
}

int MemoryMapModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : hexmap::kColumns;
}

QVariant MemoryMapModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return QString::fromStdString(hexmap::CellText(image_.at(index.row(), index.column())));
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    }
    return {};
}

QVariant MemoryMapModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    return QString::fromStdString(orientation == Qt::Horizontal ? hexmap::ColumnLabel(section)
                                                                : hexmap::RowLabel(section));
}

Qt::ItemFlags MemoryMapModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool MemoryMapModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    image_.set(index.row(), index.column(), hexmap::ByteOf(value.toString().toStdString()));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

} // namespace r57::ui
