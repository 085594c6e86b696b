// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

// The filter texts used last (taken to the list by Enter, Down or the list
// taking the focus after a change), newest first, each once, kept between
// runs under filter/history.
class FilterHistory {
public:
    static constexpr int kMaxTexts = 20;

    // The texts stored; any number kept beyond kMaxTexts, empty and
    // repeated ones are left out.
    static FilterHistory load();

    const QStringList& texts() const { return texts_; }
    // `text` becomes the newest; stored at once. The settings file that
    // could not be written, or empty.
    QString use(const QString& text);

private:
    void add(const QString& text);

    QStringList texts_;
};
