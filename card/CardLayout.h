// SPDX-License-Identifier: MIT
#pragma once

#include "SearchType.h"

#include <array>
#include <cstddef>
#include <string_view>

// What a card is, said once for every part that reads one: its ten fields
// in the order of the record, the five the list shows and their names, the
// rarities the search offers, the sides and their files. A new field is
// added here and where it is shown, nowhere else.
namespace card {

inline constexpr int kTextLines = 5;  // rules-text lines a record may hold

// The card's fields in the order of their lines in a record.
enum class Field { Name, Type, Text1, Text2, Text3, Text4, Text5, Note, Illust, Rate };
inline constexpr int kFieldCount = int(Field::Rate) + 1;

// The fields' names (UTF-8) in the order of Field, as a CSV header names
// its columns.
inline constexpr std::array<std::string_view, kFieldCount> kFieldLabels = {
    "カード名", "カード種類", "テキスト1", "テキスト2", "テキスト3", "テキスト4", "テキスト5", "注記", "イラスト", "入手頻度",
};

// The field of rules-text line `line` (0 to kTextLines - 1).
constexpr Field textField(int line)
{
    return Field(int(Field::Text1) + line);
}

constexpr bool isTextField(Field f)
{
    return f >= Field::Text1 && f <= textField(kTextLines - 1);
}

// The fields a search looks at, by search_type.
inline constexpr std::array<Field, 3> kSearchedFields = {Field::Name, Field::Type, Field::Rate};

constexpr bool isSearchedField(search_type n)
{
    return unsigned(n) < kSearchedFields.size();
}

// The member of `card`, a Card or a CardView, that holds field `f`.
template <typename CardLike>
auto& fieldOf(CardLike& card, Field f)
{
    switch (f) {
    case Field::Name: return card.name;
    case Field::Type: return card.type;
    case Field::Note: return card.note;
    case Field::Illust: return card.illust;
    case Field::Rate: return card.rate;
    default: return card.text[std::size_t(int(f) - int(Field::Text1))];
    }
}

// A column of the card list: the field it shows and its name (UTF-8).
struct ListColumn {
    Field field;
    std::string_view label;
};

// The list's columns in the order of a list line, whose fields are joined by
// tabs in this order.
inline constexpr std::array<ListColumn, 5> kListColumns = {{
    {Field::Rate, "入手頻度"},
    {Field::Name, "カード名"},
    {Field::Type, "カード種類"},
    {Field::Note, "注記"},
    {Field::Illust, "イラスト"},
}};
inline constexpr int kListColumnCount = int(kListColumns.size());

// The name of the column that shows `f`; empty for a field no column shows.
constexpr std::string_view columnLabel(Field f)
{
    for (const ListColumn& column : kListColumns) {
        if (column.field == f)
            return column.label;
    }
    return {};
}

// The rarities the search dialog offers, which the list also sorts first and
// in this order.
inline constexpr std::array<std::string_view, 4> kRarityNames = {"Common", "Uncommon", "Vital", "Rare"};

// Side index: 0 Corporate, 1 Runner. It indexes the data-file table.
inline constexpr int kSideCount = 2;
inline constexpr const char* datafiles[kSideCount] = {"corp.txt", "runner.txt"};

// The data file of `side`, or nullptr for a side that has none.
inline const char* dataFileName(int side)
{
    return (side >= 0 && side < kSideCount) ? datafiles[side] : nullptr;
}

}  // namespace card
