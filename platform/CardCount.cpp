// SPDX-License-Identifier: MIT
#include "CardCount.h"

#include <QLocale>

QString groupedNumber(std::size_t number)
{
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(static_cast<qulonglong>(number));
}

QString cardCount(std::size_t count)
{
    return groupedNumber(count) + u'枚';
}
