#pragma once

#include "Cp932Text.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

// One card record of a data file, from UTF-8 texts; the file is Shift-JIS.
struct TestCard {
    QString name;
    QString type = QStringLiteral("Ice");
    QStringList text = {};
    QString note = QStringLiteral("note");
    QString illust = QStringLiteral("illust");
    QString rate = QStringLiteral("Common");

    std::string record() const
    {
        QStringList lines{name, type};
        lines += text;
        if (text.size() < 5)
            lines << QString();
        lines << note << illust << rate << QStringLiteral("--");
        return toCp932(lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).value();
    }
    // The list line the window shows for this card.
    QString listLine() const { return QStringList{rate, name, type, note, illust}.join(QLatin1Char('\t')); }
};

inline QList<TestCard> namedCards(const QStringList& names)
{
    QList<TestCard> cards;
    for (const QString& name : names)
        cards.append(TestCard{name});
    return cards;
}

// A temporary folder for the data files the test writes.
class DataFolder {
public:
    std::string path() const { return QFile::encodeName(dir_.path()).toStdString(); }

    void write(const QString& file, const QList<TestCard>& cards, const std::string& tail = {})
    {
        std::string bytes;
        for (const TestCard& card : cards)
            bytes += card.record();
        writeBytes(file, bytes + tail);
    }
    void writeBytes(const QString& file, const std::string& bytes)
    {
        QFile out(dir_.filePath(file));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
            qFatal("cannot write the test data file %s", qPrintable(file));
    }

private:
    QTemporaryDir dir_;
};
