// SPDX-License-Identifier: MIT
#include "FilterHistory.h"

#include "ProfileStore.h"

namespace {
const QString kFilter = QStringLiteral("filter");
const QString kHistory = QStringLiteral("history");
}  // namespace

FilterHistory FilterHistory::load()
{
    FilterHistory history;
    const QStringList stored = ProfileStore().getProfileStringList(kFilter, kHistory);
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
    ProfileStore store;
    store.writeProfileStringList(kFilter, kHistory, texts_);
    return store.flush() ? QString() : store.fileName();
}
