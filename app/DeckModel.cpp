// SPDX-License-Identifier: MIT
#include "DeckModel.h"

#include "Cp932Text.h"
#include "DeckDocument.h"

#include <QBrush>
#include <QFont>
#include <QLocale>
#include <QPalette>

#include <algorithm>
#include <map>

namespace {

const char* const kSideNames[] = {"Corporate", "Runner"};
const QString kMissing = QStringLiteral("データにない");

// The type a card counts under: "アイス：城壁" is an アイス.
QString mainType(const QString& type)
{
    for (qsizetype i = 0; i < type.size(); ++i)
        if (type[i] == u'：' || type[i] == u':')
            return type.left(i);
    return type;
}

bool isMissing(const card::DeckLine& line)
{
    return line.kind == card::DeckLine::Kind::Unreadable || (line.kind == card::DeckLine::Kind::Card && !line.found());
}

}  // namespace

DeckModel::DeckModel(DeckDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document), collator_(QLocale(QLocale::Japanese, QLocale::Japan))
{
    collator_.setNumericMode(true);  // the list's order: "カード2" before "カード10"
    rebuild();
}

int DeckModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int DeckModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DeckModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QString labels[] = {QStringLiteral("枚数"), QStringLiteral("カード名"), QStringLiteral("カード種類"),
                                     QStringLiteral("入手頻度")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return labels[section];
}

void DeckModel::rebuild()
{
    beginResetModel();
    rows_.clear();
    addSide(0);
    addSide(1);
    addMissing();
    endResetModel();
}

// The side's cards by type, then name; none, no group.
void DeckModel::addSide(int side)
{
    const std::vector<card::DeckLine>& lines = document_.deck().lines();
    // Each text decoded once, not at every comparison.
    struct Sorted {
        QString type, name;
        std::size_t line;
    };
    std::vector<Sorted> cards;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].found() && lines[i].side == side)
            cards.push_back({fromCp932(lines[i].card.type), fromCp932(lines[i].card.name), i});
    if (cards.empty())
        return;
    std::stable_sort(cards.begin(), cards.end(), [this](const Sorted& a, const Sorted& b) {
        const int byType = collator_.compare(a.type, b.type);
        return byType != 0 ? byType < 0 : collator_.compare(a.name, b.name) < 0;
    });
    rows_.push_back({RowKind::SideGroup, side, kNoLine, "side" + std::to_string(side)});
    for (const Sorted& card : cards)
        rows_.push_back({RowKind::Card, side, card.line, std::to_string(side) + "/" + lines[card.line].card.name});
}

void DeckModel::addMissing()
{
    const std::vector<card::DeckLine>& lines = document_.deck().lines();
    const std::size_t first = rows_.size();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (isMissing(lines[i]))
            rows_.push_back({RowKind::Missing, -1, i, "missing/" + lines[i].text});
    if (rows_.size() > first)
        rows_.insert(rows_.begin() + std::ptrdiff_t(first), Row{RowKind::MissingGroup, -1, kNoLine, "missing"});
}

QVariant DeckModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || std::size_t(index.row()) >= rows_.size())
        return {};
    const Row& row = rows_[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole: return display(row, index.column());
    case Qt::EditRole:
        // As text: the editor is a line edit whose text a typed digit replaces.
        return row.kind == RowKind::Card && index.column() == Count
                   ? QVariant(QString::number(document_.deck().lines()[row.line].count))
                   : QVariant();
    case Qt::FontRole: {
        if (row.kind != RowKind::SideGroup && row.kind != RowKind::MissingGroup)
            return {};
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    case Qt::ForegroundRole:
        return row.kind == RowKind::Missing ? QVariant(QPalette().brush(QPalette::Disabled, QPalette::Text)) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == Count && row.kind != RowKind::SideGroup && row.kind != RowKind::MissingGroup
                   ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                   : QVariant();
    default: return {};
    }
}

QVariant DeckModel::display(const Row& row, int column) const
{
    const std::vector<card::DeckLine>& lines = document_.deck().lines();
    switch (row.kind) {
    case RowKind::SideGroup:
        return column == Count ? QStringLiteral("%1 %2枚").arg(kSideNames[row.side]).arg(document_.deck().total(row.side))
                               : QVariant();
    case RowKind::MissingGroup: {
        const auto missing = std::count_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.kind == RowKind::Missing; });
        return column == Count ? QStringLiteral("%1 %2行").arg(kMissing).arg(missing) : QVariant();
    }
    case RowKind::Card: {
        const card::DeckLine& line = lines[row.line];
        switch (column) {
        case Count: return line.count;
        case Name: return fromCp932(line.card.name);
        case Type: return fromCp932(line.card.type);
        case Rate: return fromCp932(line.card.rate);
        }
        return {};
    }
    case RowKind::Missing: {
        const card::DeckLine& line = lines[row.line];
        const bool isCard = line.kind == card::DeckLine::Kind::Card;
        switch (column) {
        case Count: return isCard ? QVariant(line.count) : QVariant();
        case Name: return QString::fromStdString(isCard ? line.name : line.text);
        case Type: return kMissing;
        }
        return {};
    }
    }
    return {};
}

Qt::ItemFlags DeckModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Count && isFoundCard(index.row()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DeckModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    bool isNumber = false;
    const int count = value.toInt(&isNumber);
    if (role != Qt::EditRole || index.column() != Count || !isFoundCard(index.row()) || !isNumber || count < 1 ||
        count > card::DeckLine::kMaxCount)
        return false;
    // After the editor has closed: the change resets this model. The card is
    // found again then, wherever another change has put it meanwhile.
    QMetaObject::invokeMethod(
        this,
        [this, key = keyOf(index.row()), count] {
            if (const int row = rowOf(key); isFoundCard(row))
                document_.setCount(lineOf(row), count);
        },
        Qt::QueuedConnection);
    return true;
}

std::size_t DeckModel::lineOf(int row) const
{
    return row >= 0 && std::size_t(row) < rows_.size() ? rows_[std::size_t(row)].line : kNoLine;
}

bool DeckModel::isFoundCard(int row) const
{
    return row >= 0 && std::size_t(row) < rows_.size() && rows_[std::size_t(row)].kind == RowKind::Card;
}

bool DeckModel::isGroupLine(int row) const
{
    return row >= 0 && std::size_t(row) < rows_.size() && rows_[std::size_t(row)].line == kNoLine;
}

std::string DeckModel::keyOf(int row) const
{
    return row >= 0 && std::size_t(row) < rows_.size() ? rows_[std::size_t(row)].key : std::string();
}

int DeckModel::rowOf(const std::string& key) const
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].key == key)
            return int(i);
    return -1;
}

QString DeckModel::totalsText() const
{
    const card::Deck& deck = document_.deck();
    return QStringLiteral("Corporate %1枚・Runner %2枚").arg(deck.total(0)).arg(deck.total(1));
}

// Most copies first; types of as many copies in the list's order.
QStringList DeckModel::typeCountTexts() const
{
    QStringList texts;
    for (int side = 0; side < 2; ++side) {
        std::map<QString, int> counts;
        for (const card::DeckLine& line : document_.deck().lines())
            if (line.found() && line.side == side)
                counts[mainType(fromCp932(line.card.type))] += line.count;
        if (counts.empty())
            continue;
        std::vector<std::pair<QString, int>> types(counts.begin(), counts.end());
        std::stable_sort(types.begin(), types.end(), [this](const auto& a, const auto& b) {
            return a.second != b.second ? a.second > b.second : collator_.compare(a.first, b.first) < 0;
        });
        QStringList parts;
        for (const auto& [type, count] : types)
            parts << QStringLiteral("%1 %2").arg(type).arg(count);
        texts << QString::fromLatin1(kSideNames[side]) + QStringLiteral(": ") + parts.join(u'・');
    }
    return texts;
}
