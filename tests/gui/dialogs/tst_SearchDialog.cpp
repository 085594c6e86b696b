#include "ModalDriver.h"
#include "SearchDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>

namespace {

QLineEdit* field(QWidget* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

QComboBox* rarity(QWidget* dialog)
{
    return dialog->findChild<QComboBox*>(QStringLiteral("id210"));
}

bool checked(QWidget* dialog, int id)
{
    return dialog->findChild<QRadioButton*>(QStringLiteral("id%1").arg(id))->isChecked();
}

void clickButton(QWidget* dialog, int id)
{
    QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("id%1").arg(id)), Qt::LeftButton);
}

// "あ" in CP932.
const std::string kA = "\x82\xa0";

}  // namespace

class SearchDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsTheCriteriaAndReturnsThemUnchanged();
    void showsOutOfRangeSideAndModeAsNoCheckedButton();
    void returnsTypedTextsAndChosenButtons();
    void rarityFieldKeepsTypedTextAndTakesAChosenEntry();
    void cancelEscAndCloseBoxLeaveTheCriteria_data();
    void cancelEscAndCloseBoxLeaveTheCriteria();
    void cutsLongTextsWithoutSplittingACharacter();
    void reachesEveryGroupByTabAndArrows();
    void refusesACharacterCp932CannotHold();

private:
    ModalDriver* driver_ = nullptr;
};

void SearchDialogTest::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Voxtarn card list finder"));
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrowe"));
}

void SearchDialogTest::init()
{
    driver_ = new ModalDriver(this);
}

void SearchDialogTest::cleanup()
{
    QVERIFY2(!driver_->watchdogFired(), "a dialog had to be closed by the watchdog");
    delete driver_;
    driver_ = nullptr;
}

void SearchDialogTest::showsTheCriteriaAndReturnsThemUnchanged()
{
    SearchDialog dialog;
    dialog.name = "Ice" + kA;
    dialog.type = "Program";
    dialog.rate = "";
    dialog.side = 1;
    dialog.mode = 2;
    bool inspected = false;
    driver_->onNextModal([&](QWidget* modal) {
        QCOMPARE(modal, &dialog);
        QCOMPARE(modal->objectName(), QStringLiteral("dialog200"));
        QCOMPARE(modal->windowTitle(), QStringLiteral("検索"));
        QCOMPARE(field(modal, "id208")->text(), QStringLiteral("Iceあ"));
        QCOMPARE(field(modal, "id209")->text(), QStringLiteral("Program"));
        QCOMPARE(rarity(modal)->currentText(), QString());
        QCOMPARE(rarity(modal)->currentIndex(), -1);
        QCOMPARE(rarity(modal)->count(), 4);
        const QStringList entries{rarity(modal)->itemText(0), rarity(modal)->itemText(1),
                                  rarity(modal)->itemText(2), rarity(modal)->itemText(3)};
        QCOMPARE(entries, (QStringList{"Common", "Uncommon", "Vital", "Rare"}));
        QVERIFY(!checked(modal, 202));
        QVERIFY(checked(modal, 203));
        QVERIFY(!checked(modal, 204));
        QVERIFY(!checked(modal, 205));
        QVERIFY(checked(modal, 206));
        QCOMPARE(QApplication::focusWidget(), field(modal, "id208"));
        inspected = true;
        // Enter in the name field confirms: OK is the default button.
        pressKey(modal, Qt::Key_Return);
    });
    QCOMPARE(dialog.DoModal(), 1);
    QVERIFY(inspected);
    QCOMPARE(dialog.name, "Ice" + kA);
    QCOMPARE(dialog.type, std::string("Program"));
    QCOMPARE(dialog.rate, std::string());
    QCOMPARE(dialog.side, 1);
    QCOMPARE(dialog.mode, 2);
}

void SearchDialogTest::showsOutOfRangeSideAndModeAsNoCheckedButton()
{
    SearchDialog dialog;
    dialog.side = 7;
    dialog.mode = -1;
    driver_->onNextModal([&](QWidget* modal) {
        for (int id : {202, 203, 204, 205, 206})
            QVERIFY2(!checked(modal, id), qPrintable(QString::number(id)));
        clickButton(modal, 1);
    });
    QCOMPARE(dialog.DoModal(), 1);
    // A group left unchecked comes back as its table's size.
    QCOMPARE(dialog.side, 2);
    QCOMPARE(dialog.mode, 3);
}

void SearchDialogTest::returnsTypedTextsAndChosenButtons()
{
    SearchDialog dialog;
    dialog.name = "old";
    dialog.side = 0;
    dialog.mode = 0;
    driver_->onNextModal([&](QWidget* modal) {
        QLineEdit* name = field(modal, "id208");
        name->clear();
        QTest::keyClicks(name, "Wall");
        // Japanese arrives from an input method, not as key presses.
        QInputMethodEvent typed;
        typed.setCommitString(QStringLiteral("・氷"));
        QApplication::sendEvent(name, &typed);
        field(modal, "id209")->setText(QStringLiteral("アイス"));
        QTest::mouseClick(modal->findChild<QRadioButton*>(QStringLiteral("id203")), Qt::LeftButton);
        QTest::mouseClick(modal->findChild<QRadioButton*>(QStringLiteral("id205")), Qt::LeftButton);
        // The two groups are separate: the side click left the mode alone.
        QVERIFY(checked(modal, 205));
        QVERIFY(checked(modal, 203));
        QVERIFY(!checked(modal, 202));
        clickButton(modal, 1);
    });
    QCOMPARE(dialog.DoModal(), 1);
    QCOMPARE(dialog.name, std::string("Wall\x81\x45\x95\x58"));
    QCOMPARE(dialog.type, std::string("\x83\x41\x83\x43\x83\x58"));
    QCOMPARE(dialog.side, 1);
    QCOMPARE(dialog.mode, 1);
}

void SearchDialogTest::rarityFieldKeepsTypedTextAndTakesAChosenEntry()
{
    {
        SearchDialog dialog;
        dialog.rate = "Rare";
        driver_->onNextModal([&](QWidget* modal) {
            QComboBox* combo = rarity(modal);
            QCOMPARE(combo->currentText(), QStringLiteral("Rare"));
            QCOMPARE(combo->currentIndex(), -1);
            combo->lineEdit()->clear();
            combo->setFocus();
            QTest::keyClicks(combo, "vital");
            QCOMPARE(combo->count(), 4);
            pressKey(modal, Qt::Key_Return);
        });
        QCOMPARE(dialog.DoModal(), 1);
        // Taken as typed: not completed to, nor matched with, a list entry.
        QCOMPARE(dialog.rate, std::string("vital"));
    }
    {
        SearchDialog dialog;
        dialog.rate = "anything";
        driver_->onNextModal([&](QWidget* modal) {
            QComboBox* combo = rarity(modal);
            combo->setFocus();
            combo->showPopup();
            QAbstractItemView* list = combo->view();
            const QModelIndex entry = combo->model()->index(2, 0);
            QTRY_VERIFY(list->isVisible());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
            QTRY_COMPARE(combo->currentText(), QStringLiteral("Vital"));
            clickButton(modal, 1);
        });
        QCOMPARE(dialog.DoModal(), 1);
        QCOMPARE(dialog.rate, std::string("Vital"));
    }
}

void SearchDialogTest::cancelEscAndCloseBoxLeaveTheCriteria_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel button") << "cancel";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close";
}

void SearchDialogTest::cancelEscAndCloseBoxLeaveTheCriteria()
{
    QFETCH(QString, how);
    SearchDialog dialog;
    dialog.name = "keep";
    dialog.type = "this";
    dialog.rate = "Common";
    dialog.side = 0;
    dialog.mode = 1;
    driver_->onNextModal([&](QWidget* modal) {
        field(modal, "id208")->setText(QStringLiteral("edited"));
        field(modal, "id209")->setText(QStringLiteral("edited too"));
        rarity(modal)->setEditText(QStringLiteral("Rare"));
        modal->findChild<QRadioButton*>(QStringLiteral("id203"))->setChecked(true);
        modal->findChild<QRadioButton*>(QStringLiteral("id206"))->setChecked(true);
        if (how == QLatin1String("cancel"))
            clickButton(modal, 2);
        else if (how == QLatin1String("esc"))
            pressKey(modal, Qt::Key_Escape);
        else
            modal->close();
    });
    QCOMPARE(dialog.DoModal(), 2);
    QCOMPARE(dialog.name, std::string("keep"));
    QCOMPARE(dialog.type, std::string("this"));
    QCOMPARE(dialog.rate, std::string("Common"));
    QCOMPARE(dialog.side, 0);
    QCOMPARE(dialog.mode, 1);
}

void SearchDialogTest::cutsLongTextsWithoutSplittingACharacter()
{
    SearchDialog dialog;
    driver_->onNextModal([&](QWidget* modal) {
        // 1 + 127 * 2 = 255 bytes: byte 254 is the lead byte of the last "あ".
        field(modal, "id208")->setText(QStringLiteral("a") + QString(127, QChar(0x3042)));
        field(modal, "id209")->setText(QString(300, QLatin1Char('x')));
        // 127 * 2 = 254 bytes fit exactly.
        rarity(modal)->setEditText(QString(127, QChar(0x3042)));
        clickButton(modal, 1);
    });
    QCOMPARE(dialog.DoModal(), 1);
    std::string expectedName = "a";
    for (int i = 0; i < 126; ++i)
        expectedName += kA;
    QCOMPARE(dialog.name.size(), std::size_t(253));
    QCOMPARE(dialog.name, expectedName);
    QCOMPARE(dialog.type, std::string(254, 'x'));
    QCOMPARE(dialog.rate.size(), std::size_t(254));
    QCOMPARE(dialog.rate.substr(252), kA);
}

void SearchDialogTest::reachesEveryGroupByTabAndArrows()
{
    SearchDialog dialog;
    dialog.side = 0;
    dialog.mode = 0;
    QStringList visited;
    driver_->onNextModal([&](QWidget* modal) {
        QTest::keyClicks(QApplication::focusWidget(), "Gate");
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        // In the mode group now: arrows move the check within the group only.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
        pressKey(modal, Qt::Key_Return);
    });
    QCOMPARE(dialog.DoModal(), 1);
    QCOMPARE(visited, (QStringList{"id209", "id210", "id202", "id204", "id206", "id1"}));
    QCOMPARE(dialog.name, std::string("Gate"));
    QCOMPARE(dialog.side, 0);
    QCOMPARE(dialog.mode, 2);
}

void SearchDialogTest::refusesACharacterCp932CannotHold()
{
    SearchDialog dialog;
    dialog.name = "before";
    dialog.side = 0;
    const QString withEmoji = QStringLiteral("Ice") + QString::fromUtf8("\xF0\x9F\x98\x80");
    QString boxTitle;
    QString boxText;
    bool stayedOpen = false;
    driver_->onNextModal([&](QWidget* modal) {
        field(modal, "id208")->setText(withEmoji);
        modal->findChild<QRadioButton*>(QStringLiteral("id203"))->setChecked(true);
        driver_->onNextModal([&](QWidget* box) {
            boxTitle = box->windowTitle();
            boxText = static_cast<QMessageBox*>(box)->text();
            QCOMPARE(box->objectName(), QStringLiteral("messagebox"));
            QCOMPARE(box->parentWidget(), modal);
            QTest::keyClick(box, Qt::Key_Return);
            // Back in the search dialog once the box has closed.
            QTimer::singleShot(0, modal, [&, modal] {
                stayedOpen = modal->isVisible() && field(modal, "id208")->text() == withEmoji;
                QCOMPARE(dialog.side, 0);
                field(modal, "id208")->setText(QStringLiteral("Ice"));
                clickButton(modal, 1);
            });
        });
        clickButton(modal, 1);
    });
    QCOMPARE(dialog.DoModal(), 1);
    QCOMPARE(boxTitle, QStringLiteral("Voxtarn card list finder"));
    QCOMPARE(boxText, QStringLiteral("検索文字列に使えない文字が含まれている"));
    QVERIFY(stayedOpen);
    QCOMPARE(dialog.name, std::string("Ice"));
    QCOMPARE(dialog.side, 1);
}

QTEST_MAIN(SearchDialogTest)
#include "tst_SearchDialog.moc"
