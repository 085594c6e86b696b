#include "Cp932Text.h"
#include "DialogColors.h"
#include "DialogOpeners.h"
#include "MessageBox.h"
#include "ModalDriver.h"
#include "NowSearchDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace {

QStringList labelTexts(QWidget* dialog)
{
    QStringList texts;
    for (int i = 0; i < 12; ++i) {
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("static%1").arg(i)))
            if (!label->text().isEmpty())
                texts << label->text();
    }
    return texts;
}

}  // namespace

class PlainDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void noticeIsUpWhenConstructed();
    void aboutAndLegendCloseWithEnterAndEsc_data();
    void aboutAndLegendCloseWithEnterAndEsc();
    void aboutBoxShowsIconAndPlatform();
    void messageBoxHasTitleOkOnlyAndNoIcon();
    void dialogsTakeTheColoursSetLast();
    void convertsTextAtTheBorders();

private:
    ModalDriver* driver_ = nullptr;
};

void PlainDialogsTest::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Voxtarn card list finder"));
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrowe"));
}

void PlainDialogsTest::init()
{
    driver_ = new ModalDriver(this);
}

void PlainDialogsTest::cleanup()
{
    QVERIFY2(!driver_->watchdogFired(), "a dialog had to be closed by the watchdog");
    delete driver_;
    driver_ = nullptr;
}

void PlainDialogsTest::noticeIsUpWhenConstructed()
{
    QWidget owner;
    owner.show();
    {
        NowSearchDialog notice(&owner);
        // No event loop runs between construction and the check.
        QVERIFY(notice.isVisible());
        QVERIFY(notice.windowHandle() && notice.windowHandle()->isExposed());
        QCOMPARE(notice.objectName(), QStringLiteral("dialog160"));
        QVERIFY(notice.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(labelTexts(&notice), (QStringList{"ただいま検索中", "しばらくお待ち下さい"}));
        QVERIFY(notice.findChildren<QPushButton*>().isEmpty());
        QVERIFY(!notice.isModal());
    }
}

void PlainDialogsTest::aboutAndLegendCloseWithEnterAndEsc_data()
{
    QTest::addColumn<bool>("about");
    QTest::addColumn<int>("key");
    QTest::newRow("About, Enter") << true << int(Qt::Key_Return);
    QTest::newRow("About, Esc") << true << int(Qt::Key_Escape);
    QTest::newRow("legend, Enter") << false << int(Qt::Key_Return);
    QTest::newRow("legend, Esc") << false << int(Qt::Key_Escape);
}

void PlainDialogsTest::aboutAndLegendCloseWithEnterAndEsc()
{
    QFETCH(bool, about);
    QFETCH(int, key);
    QWidget owner;
    owner.show();
    QString name;
    QString title;
    QStringList texts;
    driver_->onNextModal([&](QWidget* modal) {
        name = modal->objectName();
        title = modal->windowTitle();
        texts = labelTexts(modal);
        QCOMPARE(modal->parentWidget(), &owner);
        pressKey(modal, key);
    });
    if (about)
        runAboutDialog(&owner);
    else
        runLegendDialog(&owner);
    QCOMPARE(driver_->handled(), 1);
    if (about) {
        QCOMPARE(name, QStringLiteral("dialog100"));
        QCOMPARE(title, QStringLiteral("このプログラムの主張"));
        QCOMPARE(texts.mid(0, 3), (QStringList{"Voxtarn Card finder", "For Linux", "Version 0.3"}));
        QCOMPARE(texts.size(), 5);
    } else {
        QCOMPARE(name, QStringLiteral("dialog170"));
        QCOMPARE(title, QStringLiteral("テキスト内の記号説明"));
        QCOMPARE(texts, (QStringList{"A", "T", "[X]", "１アクションを意味する",
                                     "そのカードを捨てる事を意味する", "Xビットを費やす事を意味する",
                                     "*", "ice上のサブルーチンを意味する", "-", "トレースを意味する"}));
    }
}

void PlainDialogsTest::aboutBoxShowsIconAndPlatform()
{
    bool sawIcon = false;
    driver_->onNextModal([&](QWidget* modal) {
        auto* icon = modal->findChild<QLabel*>(QStringLiteral("static0"));
        sawIcon = icon && icon->pixmap().size() == QSize(32, 32) && icon->size() == QSize(32, 32);
        modal->findChild<QPushButton*>(QStringLiteral("id1"))->click();
    });
    runAboutDialog(nullptr);
    QVERIFY(sawIcon);
}

void PlainDialogsTest::messageBoxHasTitleOkOnlyAndNoIcon()
{
    QWidget owner;
    owner.show();
    driver_->onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        QCOMPARE(box->objectName(), QStringLiteral("messagebox"));
        QCOMPARE(box->windowTitle(), QStringLiteral("Voxtarn card list finder"));
        QCOMPARE(box->text(), QStringLiteral("<b>対象項目を選択して下さい</b>"));
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->standardButton(box->buttons().first()), QMessageBox::Ok);
        QCOMPARE(box->parentWidget(), &owner);
        box->buttons().first()->click();
    });
    showMessageBox(&owner, QStringLiteral("<b>対象項目を選択して下さい</b>"));
    QCOMPARE(driver_->handled(), 1);
}

void PlainDialogsTest::dialogsTakeTheColoursSetLast()
{
    setDialogBkColor(QColor(10, 20, 30), QColor(200, 210, 220));
    QColor background;
    QColor text;
    driver_->onNextModal([&](QWidget* modal) {
        background = modal->palette().color(QPalette::Window);
        text = modal->palette().color(QPalette::WindowText);
        pressKey(modal, Qt::Key_Escape);
    });
    runLegendDialog(nullptr);
    QCOMPARE(background, QColor(10, 20, 30));
    QCOMPARE(text, QColor(200, 210, 220));

    driver_->onNextModal([&](QWidget* modal) {
        background = modal->palette().color(QPalette::Window);
        static_cast<QMessageBox*>(modal)->buttons().first()->click();
    });
    setDialogBkColor(menuBackgroundColor(), menuTextColor());
    showMessageBox(nullptr, QStringLiteral("x"));
    QCOMPARE(background, menuBackgroundColor());
}

void PlainDialogsTest::convertsTextAtTheBorders()
{
    QCOMPARE(fromCp932("\x83\x4a\x81\x5b\x83\x68"), QStringLiteral("カード"));
    // Invalid and lone lead bytes show as U+FFFD, never vanish.
    QCOMPARE(fromCp932("a\x82"), QStringLiteral("a\uFFFD"));
    QCOMPARE(fromCp932(std::string_view("a\0b", 3)), QString(QStringLiteral("a")) + QChar(0) + "b");
    QCOMPARE(toCp932(QStringLiteral("カード")), std::optional<std::string>("\x83\x4a\x81\x5b\x83\x68"));
    // The wave dash and the minus sign that input methods type.
    QCOMPARE(toCp932(QStringLiteral("\u301C\u2212")), std::optional<std::string>("\x81\x60\x81\x7c"));
    QCOMPARE(toCp932(QString()), std::optional<std::string>(""));
    QCOMPARE(toCp932(QString::fromUtf8("a\xF0\x9F\x98\x80")), std::nullopt);
    QCOMPARE(toCp932(QString(QChar(0xD800)) + "a"), std::nullopt);
    QCOMPARE(toCp932(QStringLiteral("\u00E9")), std::nullopt);
}

QTEST_MAIN(PlainDialogsTest)
#include "tst_PlainDialogs.moc"
