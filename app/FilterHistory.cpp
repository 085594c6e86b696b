// SPDX-License-Identifier: MIT
#include "FilterHistory.h"

#include "SettingsKey.h"

constexpr SettingsKey kHistory{"filter", "history"};

FilterHistory FilterHistory::load()
{
    FilterHistory history;
    const QStringList stored = kHistory.readList(ProfileStore());
    for (auto text = stored.crbegin(); text != stored.crend(); ++text)
        history.add(*text);
    return history;
}

void FilterHistory::add(const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    texts_.removeAll(text);
    texts_.prepend(text);
    while (texts_.size() > kMaxTexts)
        texts_.removeLast();
}

QString FilterHistory::use(const QString& text)
{
    const QStringList before = texts_;
    add(text);
    if (texts_ == before)
        return {};
    return kHistory.writeNow(texts_);
}
