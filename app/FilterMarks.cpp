// SPDX-License-Identifier: MIT
#include "FilterMarks.h"

#include "CardFilter.h"
#include "FilterBoxWorker.h"
#include "CardListModel.h"
#include "CardStore.h"
#include "Cp932Text.h"

namespace {

QString fieldName(card::Field field)
{
    switch (field) {
    case card::Field::Name: return QStringLiteral("カード名");
    case card::Field::Type: return QStringLiteral("カード種類");
    case card::Field::Note: return QStringLiteral("注記");
    case card::Field::Illust: return QStringLiteral("イラスト");
    case card::Field::Rate: return QStringLiteral("入手頻度");
    default: return QStringLiteral("テキスト%1行目").arg(int(field) - int(card::Field::Text1) + 1);
    }
}

// UTF-16 units of the CP932 bytes: a marked piece begins at a character,
// so its text decodes as it does within the whole field.
int shownLength(std::string_view cp932)
{
    return int(fromCp932(cp932).size());
}

}  // namespace

FilterMarks::FilterMarks(const card::CardStore& cards, const FilterBoxWorker& runner) : cards_(cards), runner_(runner)
{
}

const card::CardFilter* FilterMarks::filter() const
{
    return runner_.shownFilter();
}

QList<FilterMarks::Piece> FilterMarks::pieces(int card, card::Field field) const
{
    QList<Piece> out;
    const card::CardFilter* words = filter();
    if (!words || card < 0 || std::size_t(card) >= cards_.size())
        return out;
    const card::CardView view = cards_[std::size_t(card)];
    const std::string_view text = view.field(field);
    for (const card::MatchedText& piece : words->matchedTexts(view)) {
        if (piece.field == field)
            out.append({shownLength(text.substr(0, piece.begin)), shownLength(text.substr(piece.begin, piece.end - piece.begin))});
    }
    return out;
}

QList<FilterMarks::Piece> FilterMarks::rulesTextPieces(int card) const
{
    QList<Piece> out;
    if (!filter() || card < 0 || std::size_t(card) >= cards_.size())
        return out;
    const card::CardView view = cards_[std::size_t(card)];
    int lineStart = 0;
    for (int line = 0; line < card::kTextLines; ++line) {
        const card::Field field = card::textField(line);
        if (view.field(field).empty())
            continue;
        for (const Piece& piece : pieces(card, field))
            out.append({lineStart + piece.start, piece.length});
        lineStart += shownLength(view.field(field)) + int(CardListModel::kRulesTextSeparator.size());
    }
    return out;
}

QString FilterMarks::matchedFields(int card) const
{
    const card::CardFilter* words = filter();
    if (!words || card < 0 || std::size_t(card) >= cards_.size())
        return {};
    QStringList names;
    for (const card::MatchedText& piece : words->matchedTexts(cards_[std::size_t(card)])) {
        if (!names.contains(fieldName(piece.field)))
            names.append(fieldName(piece.field));
    }
    return names.join(QStringLiteral(", "));
}

QString FilterMarks::rulesTextToolTip(int card) const
{
    const card::CardFilter* words = filter();
    if (!words || card < 0 || std::size_t(card) >= cards_.size())
        return {};
    const card::CardView view = cards_[std::size_t(card)];
    const std::vector<card::MatchedText> matched = words->matchedTexts(view);
    QStringList lines;
    for (int line = 0; line < card::kTextLines; ++line) {
        const card::Field field = card::textField(line);
        const std::string_view text = view.field(field);
        QString shown;
        std::size_t done = 0;
        for (const card::MatchedText& piece : matched) {
            if (piece.field != field)
                continue;
            shown += fromCp932(text.substr(done, piece.begin - done)).toHtmlEscaped() + QStringLiteral("<b><u>") +
                     fromCp932(text.substr(piece.begin, piece.end - piece.begin)).toHtmlEscaped() + QStringLiteral("</u></b>");
            done = piece.end;
        }
        if (done > 0)
            lines.append(fieldName(field) + QStringLiteral(": ") + shown + fromCp932(text.substr(done)).toHtmlEscaped());
    }
    return lines.isEmpty() ? QString() : QStringLiteral("<p style='white-space:pre'>") + lines.join(QStringLiteral("<br>")) + QStringLiteral("</p>");
}
