// The card list on its own: lines kept as CP932 and decoded per row, the
// tab-stop layout, repaint suspension and the first-line selection.
#include "CardLineDelegate.h"
#include "CardListBox.h"
#include "CardListModel.h"
#include "Cp932Text.h"
#include "GuiTestMain.h"

#include <QFontMetrics>
#include <QSignalSpy>


class CardListTest : public QObject {
    Q_OBJECT
private slots:
    void linesAreDecodedFromCp932()
    {
        CardListModel model(nullptr);
        const std::string bytes = toCp932(QStringLiteral("Rare\t氷の壁\tアイス\t\t")).value();
        model.append(bytes);
        model.append(std::string("\x82\xA0\x82", 3));  // a lone lead byte at the end
        QCOMPARE(model.line(0), bytes);
        QCOMPARE(model.data(model.index(0)).toString(), QStringLiteral("Rare\t氷の壁\tアイス\t\t"));
        QCOMPARE(model.data(model.index(1)).toString(), QStringLiteral("あ\uFFFD"));
        QVERIFY(!model.data(model.index(2)).isValid());
    }

    void fieldsStartAtTheTabStops()
    {
        const QFont font(QStringLiteral("DejaVu Sans"), 10);
        const QFontMetrics metrics(font);
        const int average = metrics.averageCharWidth();
        const std::array<int, 4> stops = CardLineDelegate::tabStopPixels(metrics);
        QCOMPARE(stops[0], 48 * average / 4);
        QCOMPARE(stops[3], 516 * average / 4);

        // Short fields: each at its own stop.
        QCOMPARE(CardLineDelegate::fieldPositions(QStringLiteral("R\tN\tT\tX\tY"), metrics),
                 (std::vector<int>{0, stops[0], stops[1], stops[2], stops[3]}));
        // Empty fields still move on to the next stop.
        QCOMPARE(CardLineDelegate::fieldPositions(QStringLiteral("\t\t\t\tY"), metrics),
                 (std::vector<int>{0, stops[0], stops[1], stops[2], stops[3]}));
        // A field running past a stop pushes the next one to the stop after.
        const QString longRate(60, QLatin1Char('W'));
        QVERIFY(metrics.horizontalAdvance(longRate) > stops[1]);
        const std::vector<int> pushed =
            CardLineDelegate::fieldPositions(longRate + QStringLiteral("\tN"), metrics);
        QVERIFY(pushed[1] > metrics.horizontalAdvance(longRate));
        QVERIFY(std::find(stops.begin(), stops.end(), pushed[1]) != stops.end());
        // Past the last stop a field never overlaps the one before it.
        const QString huge(200, QLatin1Char('W'));
        const std::vector<int> past = CardLineDelegate::fieldPositions(huge + QStringLiteral("\tZ"), metrics);
        QVERIFY(past[1] > metrics.horizontalAdvance(huge));
    }

    void redrawOffFillsWithOneReset()
    {
        QWidget owner;
        auto* list = new CardListBox(&owner);
        owner.show();
        QSignalSpy resets(list->lines(), &QAbstractItemModel::modelReset);
        QSignalSpy inserts(list->lines(), &QAbstractItemModel::rowsInserted);
        list->setRedraw(false);
        for (int i = 0; i < 1000; ++i)
            list->addString("line " + std::to_string(i));
        list->selectFirstLine();
        QCOMPARE(list->currentSelection(), -1);  // not before the view knows the rows
        QVERIFY(!list->updatesEnabled());
        list->setRedraw(true);
        QVERIFY(list->updatesEnabled());
        QCOMPARE(resets.count(), 1);
        QCOMPARE(inserts.count(), 0);
        QCOMPARE(list->count(), 1000);
        QCOMPARE(list->currentSelection(), 0);
        QCOMPARE(list->currentIndex().row(), 0);

        // An empty fill keeps no selection.
        list->resetContent();
        list->setRedraw(false);
        list->selectFirstLine();
        list->setRedraw(true);
        QCOMPARE(list->count(), 0);
        QCOMPARE(list->currentSelection(), -1);
    }
};

VOXTARN_GUI_TEST_MAIN(QApplication, CardListTest)
#include "tst_cardlist.moc"
