// SPDX-License-Identifier: MIT
#include "CardCount.h"

#include <QLocale>

QString cardCount(std::size_t count)
{
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(static_cast<qulonglong>(count)) + u'枚';
}
