#include "DetailDialog.h"
#include "ModalDriver.h"
#include "RulesText.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

QString labelText(QWidget* dialog, int id)
{
    return dialog->findChild<QLabel*>(QStringLiteral("id%1").arg(id))->text();
}

QPlainTextEdit* rulesBox(QWidget* dialog)
{
    return dialog->findChild<QPlainTextEdit*>(QStringLiteral("id113"));
}

Card cardWithText(std::initializer_list<std::string> lines)
{
    Card card;
    std::size_t i = 0;
    for (const std::string& line : lines)
        card.text[i++] = line;
    return card;
}

}  // namespace

class DetailDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void composesEachEntryWithItsLineBreak();
    void composesFiveFullLinesWhole();
    void showsTheCardsFieldsAsPlainText();
    void leavesEmptyFieldsEmpty();
    void decodesEachLineOnItsOwn();
    void opensTheLegendOverItselfAsOftenAsAsked();

private:
    ModalDriver* driver_ = nullptr;
};

void DetailDialogTest::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Voxtarn card list finder"));
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrowe"));
}

void DetailDialogTest::init()
{
    driver_ = new ModalDriver(this);
}

void DetailDialogTest::cleanup()
{
    QVERIFY2(!driver_->watchdogFired(), "a dialog had to be closed by the watchdog");
    delete driver_;
    driver_ = nullptr;
}

void DetailDialogTest::composesEachEntryWithItsLineBreak()
{
    QCOMPARE(composeRulesText(cardWithText({"abc", "de"})), std::string("abc\r\nde\r\n\r\n\r\n\r\n"));
    QCOMPARE(composeRulesText(Card()), std::string("\r\n\r\n\r\n\r\n\r\n"));
    const std::string jp = "\x83\x4a\x81\x5b\x83\x68";  // "カード"
    QCOMPARE(composeRulesText(cardWithText({jp, "A: 1", jp, "[2]", "-"})),
             jp + "\r\nA: 1\r\n" + jp + "\r\n[2]\r\n-\r\n");
}

void DetailDialogTest::composesFiveFullLinesWhole()
{
    Card card;
    for (int i = 0; i < Card::kTextLines; ++i)
        card.text[static_cast<std::size_t>(i)] = std::string(255, static_cast<char>('a' + i));
    const std::string composed = composeRulesText(card);
    QCOMPARE(composed.size(), std::size_t(5 * 257));
    for (std::size_t i = 0; i < 5; ++i) {
        QCOMPARE(composed.substr(i * 257, 255), std::string(255, static_cast<char>('a' + i)));
        QCOMPARE(composed.substr(i * 257 + 255, 2), std::string("\r\n"));
    }

    DetailDialog dialog;
    dialog.card = card;
    driver_->onNextModal([&](QWidget* modal) {
        const QStringList lines = rulesBox(modal)->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 6);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(lines[i], QString(255, QLatin1Char(static_cast<char>('a' + i))));
        QCOMPARE(lines[5], QString());
        pressKey(modal, Qt::Key_Escape);
    });
    dialog.DoModal();
    QCOMPARE(driver_->handled(), 1);
}

void DetailDialogTest::showsTheCardsFieldsAsPlainText()
{
    DetailDialog dialog;
    dialog.card.name = "<b>Wall</b> \x83\x45\x83\x48\x81\x5b\x83\x8b";  // ウォール
    dialog.card.type = "Ice & Code";
    dialog.card.text[0] = "abc";
    dialog.card.text[1] = "de";
    dialog.card.note = "Note line";
    dialog.card.illust = "Pell Arden";
    dialog.card.rate = "Rare";
    driver_->onNextModal([&](QWidget* modal) {
        QCOMPARE(modal->objectName(), QStringLiteral("dialog110"));
        QCOMPARE(modal->windowTitle(), QStringLiteral("カード"));
        QCOMPARE(labelText(modal, 111), QStringLiteral("<b>Wall</b> ウォール"));
        QCOMPARE(modal->findChild<QLabel*>(QStringLiteral("id111"))->textFormat(), Qt::PlainText);
        QCOMPARE(labelText(modal, 112), QStringLiteral("Ice & Code"));
        QCOMPARE(rulesBox(modal)->toPlainText(), QStringLiteral("abc\nde\n\n\n\n"));
        QVERIFY(rulesBox(modal)->isReadOnly());
        QCOMPARE(labelText(modal, 114), QStringLiteral("Note line"));
        QCOMPARE(labelText(modal, 115), QStringLiteral("Pell Arden"));
        QCOMPARE(labelText(modal, 116), QStringLiteral("Rare"));
        // "閉じる" is the default button and has the focus first.
        auto* close = modal->findChild<QPushButton*>(QStringLiteral("id1"));
        QVERIFY(close->isDefault());
        QCOMPARE(QApplication::focusWidget(), close);
        pressKey(modal, Qt::Key_Return);
    });
    QCOMPARE(dialog.DoModal(), 1);
    QCOMPARE(driver_->handled(), 1);
}

void DetailDialogTest::leavesEmptyFieldsEmpty()
{
    DetailDialog dialog;
    dialog.card.name = "Only a name";
    driver_->onNextModal([&](QWidget* modal) {
        QCOMPARE(labelText(modal, 111), QStringLiteral("Only a name"));
        for (int id : {112, 114, 115, 116})
            QVERIFY2(labelText(modal, id).isEmpty(), qPrintable(QString::number(id)));
        QCOMPARE(rulesBox(modal)->toPlainText(), QStringLiteral("\n\n\n\n\n"));
        modal->close();
    });
    QCOMPARE(dialog.DoModal(), 2);
}

void DetailDialogTest::decodesEachLineOnItsOwn()
{
    DetailDialog dialog;
    // A line cut after a lead byte must not take the CR of its line break
    // as its second byte.
    dialog.card.text[0] = "ab\x82";
    dialog.card.text[1] = "\x82\xa0";  // あ
    driver_->onNextModal([&](QWidget* modal) {
        QCOMPARE(rulesBox(modal)->toPlainText(), QStringLiteral("ab\uFFFD\nあ\n\n\n\n"));
        pressKey(modal, Qt::Key_Escape);
    });
    dialog.DoModal();
    QCOMPARE(driver_->handled(), 1);
}

void DetailDialogTest::opensTheLegendOverItselfAsOftenAsAsked()
{
    DetailDialog dialog;
    int legendsSeen = 0;
    auto closeLegend = [&](QWidget* detail, int key) {
        return [&, detail, key](QWidget* legend) {
            QCOMPARE(legend->objectName(), QStringLiteral("dialog170"));
            QCOMPARE(legend->parentWidget(), detail);
            QVERIFY(detail->isVisible());
            ++legendsSeen;
            pressKey(legend, key);
        };
    };
    driver_->onNextModal([&](QWidget* detail) {
        auto* legendButton = detail->findChild<QPushButton*>(QStringLiteral("id117"));
        driver_->onNextModal(closeLegend(detail, Qt::Key_Escape));
        QTest::mouseClick(legendButton, Qt::LeftButton);
        QVERIFY(detail->isVisible());
        driver_->onNextModal(closeLegend(detail, Qt::Key_Return));
        QTest::mouseClick(legendButton, Qt::LeftButton);
        QVERIFY(detail->isVisible());
        QTest::mouseClick(detail->findChild<QPushButton*>(QStringLiteral("id1")), Qt::LeftButton);
    });
    QCOMPARE(dialog.DoModal(), 1);
    QCOMPARE(legendsSeen, 2);
}

QTEST_MAIN(DetailDialogTest)
#include "tst_DetailDialog.moc"
