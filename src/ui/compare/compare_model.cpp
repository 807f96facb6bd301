#include "ui/compare/compare_model.h"

#include <QFont>

#include <algorithm>

namespace r57::ui {

namespace {

// A group's index carries no id; a row's carries its group plus one.
constexpr quintptr kGroupId = 0;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CompareModel::CompareModel(QObject* parent) : QAbstractItemModel(parent) {}

void CompareModel::setRows(std::vector<text::DiffRow> rows, int language) {
    beginResetModel();
    rows_ = std::move(rows);
    words_.clear();
    words_.reserve(rows_.size());
    for (const text::DiffRow& row : rows_) {
        words_.push_back(text::WordsOf(row, language));
    }
    captions_.clear();
    for (const std::string& caption : text::DiffCaptions(language)) {
        captions_.push_back(Q(caption));
    }
    regroup();
    endResetModel();
}

void CompareModel::setFilter(const QString& text, CompareShow show) {
    beginResetModel();
    // As typed: "A1 " is channel A1, not A10 to A128 as well.
    filter_ = text.trimmed().isEmpty() ? QString() : text;
    show_ = show;
    regroup();
    endResetModel();
}

bool CompareModel::passes(std::size_t row) const {
    const text::DiffArea area = rows_[row].area;
    const bool channel = area == text::DiffArea::ChannelsA || area == text::DiffArea::ChannelsB;
    const bool setting = area == text::DiffArea::Settings || area == text::DiffArea::Service;
    if ((show_ == CompareShow::Channels && !channel) ||
        (show_ == CompareShow::Settings && !setting)) {
        return false;
    }
    if (filter_.isEmpty()) {
        return true;
    }
    const text::DiffWords& w = words_[row];
    for (const std::string* part : {&w.area, &w.where, &w.mine, &w.other}) {
        if (Q(*part).contains(filter_, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

void CompareModel::regroup() {
    groups_.clear();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (!passes(i)) {
            continue;
        }
        const QString area = Q(words_[i].area);
        if (groups_.empty() || groups_.back().area != area) {
            groups_.push_back({area, {}});
        }
        groups_.back().members.push_back(i);
    }
}

const text::DiffRow* CompareModel::rowAt(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() == kGroupId) {
        return nullptr;
    }
    return &rows_[groups_[index.internalId() - 1].members[index.row()]];
}

std::vector<std::size_t> CompareModel::rowsOf(const QModelIndexList& indexes) const {
    std::vector<std::size_t> found;
    for (const QModelIndex& index : indexes) {
        if (!index.isValid()) {
            continue;
        }
        if (index.internalId() == kGroupId) {
            const auto& members = groups_[index.row()].members;
            found.insert(found.end(), members.begin(), members.end());
        } else {
            found.push_back(groups_[index.internalId() - 1].members[index.row()]);
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

std::vector<std::size_t> CompareModel::shownRows() const {
    std::vector<std::size_t> shown;
    for (const Group& group : groups_) {
        shown.insert(shown.end(), group.members.begin(), group.members.end());
    }
    return shown;
}

int CompareModel::shownCount() const {
    return static_cast<int>(shownRows().size());
}

std::vector<std::vector<std::string>> CompareModel::shownWords() const {
    std::vector<std::vector<std::string>> shown;
    for (std::size_t i : shownRows()) {
        const text::DiffWords& w = words_[i];
        shown.push_back({w.area, w.where, w.mine, w.other});
    }
    return shown;
}

QModelIndex CompareModel::index(int row, int column, const QModelIndex& parent) const {
    if (column < 0 || column >= kColumns || row < 0) {
        return {};
    }
    if (!parent.isValid()) {
        return row < static_cast<int>(groups_.size()) ? createIndex(row, column, kGroupId)
                                                      : QModelIndex();
    }
    if (parent.internalId() != kGroupId || parent.row() >= static_cast<int>(groups_.size()) ||
        row >= static_cast<int>(groups_[parent.row()].members.size())) {
        return {};
    }
    return createIndex(row, column, static_cast<quintptr>(parent.row() + 1));
}

QModelIndex CompareModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kGroupId) {
        return {};
    }
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kGroupId);
}

int CompareModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return static_cast<int>(groups_.size());
    }
    if (parent.internalId() == kGroupId && parent.column() == 0) {
        return static_cast<int>(groups_[parent.row()].members.size());
    }
    return 0;
}

int CompareModel::columnCount(const QModelIndex&) const {
    return kColumns;
}

QVariant CompareModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (index.internalId() == kGroupId) {
        const Group& group = groups_[index.row()];
        if (role == Qt::DisplayRole && index.column() == 0) {
            return QString("%1 (%2)").arg(group.area).arg(group.members.size());
        }
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    const text::DiffWords& w = words_[groups_[index.internalId() - 1].members[index.row()]];
    switch (index.column()) {
    case 0:
        return Q(w.where);
    case 1:
        return Q(w.mine);
    default:
        return Q(w.other);
    }
}

QVariant CompareModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumns || captions_.size() < 4) {
        return {};
    }
    return captions_[section + 1];
}

} // namespace r57::ui
