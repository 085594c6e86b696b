// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractTableModel>
#include <QCollator>

#include <cstddef>
#include <string>
#include <vector>

class DeckDocument;

// The deck as the panel's table: 枚数, カード名, カード種類, 入手頻度. The
// cards grouped by side, Corporate first, each group under a line naming
// the side and its count, within it by type, then name, in the list's
// Japanese order; then the lines the data folder has no card for, greyed,
// under "データにない". The 枚数 of a card is edited in place (1 to 99).
class DeckModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Count, Name, Type, Rate, ColumnCount };
    static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

    DeckModel(DeckDocument& document, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The deck line of a row, or kNoLine for a group's line.
    std::size_t lineOf(int row) const;
    bool isFoundCard(int row) const;
    bool isGroupLine(int row) const;
    // What stays the same for a row across changes ("0/name" for a card),
    // and the row that has it now, or -1.
    std::string keyOf(int row) const;
    int rowOf(const std::string& key) const;

    // "Corporate 40枚・Runner 45枚".
    QString totalsText() const;
    // For each side with cards, "Corporate: アイス 17・作戦 10".
    QStringList typeCountTexts() const;

    // Reads the deck again: called when it changed.
    void rebuild();

private:
    enum class RowKind { SideGroup, Card, MissingGroup, Missing };
    struct Row {
        RowKind kind;
        int side = -1;
        std::size_t line = kNoLine;
        std::string key;
    };
    void addSide(int side);
    void addMissing();
    QVariant display(const Row& row, int column) const;

    DeckDocument& document_;
    QCollator collator_;
    std::vector<Row> rows_;
};
