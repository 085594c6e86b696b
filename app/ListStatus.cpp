// SPDX-License-Identifier: MIT
#include "ListStatus.h"

#include "CardCount.h"
#include "CardLayout.h"
#include "Cp932Text.h"
#include "DialogTemplates.h"

#include <array>

namespace {

constexpr qsizetype kLongestText = 16;  // characters of a search text shown whole

const std::array<QString, 4> kSourceNames = {QStringLiteral("全カード"), QStringLiteral("Runnerカード"),
                                             QStringLiteral("Corporateカード"), QStringLiteral("検索結果")};

QString quoted(const std::string& bytes)
{
    const QString text = fromCp932(bytes);
    return '"' + (text.size() > kLongestText ? text.left(kLongestText - 1) + u'…' : text) + '"';
}

QString label(card::Field field)
{
    const std::string_view text = card::columnLabel(field);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// "ランナー: 部分一致 "の"", the type and the rarity named when given.
QString searchText(const card::SearchCriteria& criteria)
{
    // As the search dialog names them.
    QString text = QString::fromUtf8(kSideNames.at(static_cast<std::size_t>(criteria.side))) + ": " +
                   QString::fromUtf8(kModeNames.at(static_cast<std::size_t>(criteria.mode)));
    if (criteria.fold)
        text += QStringLiteral("・かな全半角同一視");
    if (!criteria.name.empty())
        text += ' ' + quoted(criteria.name);
    if (!criteria.type.empty())
        text += ' ' + label(card::Field::Type) + ' ' + quoted(criteria.type);
    if (!criteria.rate.empty())
        text += ' ' + label(card::Field::Rate) + ' ' + quoted(criteria.rate);
    return text;
}

QString earlyEndText(const card::EngineMessage& message)
{
    const QString file = QString::fromStdString(message.file);
    const QString reason = message.reason.empty() ? QString() : " (" + QString::fromStdString(message.reason) + ')';
    if (message.line > 0)
        return file + ' ' + QString::number(message.line) + QStringLiteral("行目で読み込みを中止") + reason;
    return file + QStringLiteral("の読み込みを中止");
}

}  // namespace

QString ListStatus::text(std::optional<std::size_t> shown, const QString& unholdable) const
{
    QString text = kSourceNames.at(static_cast<std::size_t>(source)) + ' ' + cardCount(count);
    if (shown)
        text += QStringLiteral("のうち ") + cardCount(*shown);
    if (source == Source::Search)
        text += " (" + searchText(criteria) + ')';
    if (source == Source::Search && criteria.lacksText())
        text += u'、' + QString::fromUtf8(card::kNoTextHint);
    for (const card::EngineMessage& message : earlyEnds)
        text += u'、' + earlyEndText(message);
    if (!unholdable.isEmpty())
        text += QStringLiteral("、カードにない文字: ") + unholdable;
    return text;
}
