// The differences of `frmCompare` as a two-level tree: one group an area ("Channels A
// (12)"), under it one row a difference with its place, this codeplug's value and the
// other's. A filter text and the "only channels" / "only settings" toggles choose the
// rows shown; the rows themselves come from the text layer's comparison unchanged.
#pragma once

#include "text/codeplug_diff.h"

#include <QAbstractItemModel>
#include <QString>

#include <vector>

namespace r57::ui {

enum class CompareShow { All, Channels, Settings };

class CompareModel : public QAbstractItemModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 3; // Where, This Codeplug, Other

    explicit CompareModel(QObject* parent = nullptr);

    void setRows(std::vector<text::DiffRow> rows, int language);
    void setFilter(const QString& text, CompareShow show);

    const std::vector<text::DiffRow>& rows() const { return rows_; }
    // The row an index stands for; null for a group.
    const text::DiffRow* rowAt(const QModelIndex& index) const;
    // The rows the indexes stand for, a group for all its shown rows, in list order.
    std::vector<std::size_t> rowsOf(const QModelIndexList& indexes) const;
    // Every row shown, in list order.
    std::vector<std::size_t> shownRows() const;
    int shownCount() const;
    // The shown rows in the words of the window: area, where, this, other.
    std::vector<std::vector<std::string>> shownWords() const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Group {
        QString area;
        std::vector<std::size_t> members; // shown rows, in list order
    };
    void regroup();
    bool passes(std::size_t row) const;

    std::vector<text::DiffRow> rows_;
    std::vector<text::DiffWords> words_;
    std::vector<Group> groups_;
    std::vector<QString> captions_;
    QString filter_;
    CompareShow show_ = CompareShow::All;
};

} // namespace r57::ui
