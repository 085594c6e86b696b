// The dialogs on their own: built from templates in dialog units, the
// notice, the search dialog's transfer of criteria and the card details.
#include "DetailDialog.h"
#include "DialogFont.h"
#include "DialogTemplates.h"
#include "GuiTest.h"
#include "NowSearchDialog.h"
#include "RulesText.h"
#include "SearchDialog.h"
#include "TemplateDialogBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QWindow>

#include <array>

namespace {

// A layout of our own: an edit, an editable drop-down, an icon and a button.
constexpr auto kControls = std::to_array<ControlTemplate>({
    {ControlKind::Edit, 11, "", 50, 9, 40, 12, StyleBorder | StyleAutoHScroll | StyleStartsGroup | StyleTabStop},
    {ControlKind::ComboBox, 12, "", 50, 40, 40, 50, StyleStartsGroup | StyleTabStop},
    {ControlKind::Icon, kStaticId, "APPICON", 100, 70, 20, 18, StyleNone},
    {ControlKind::PushButton, 1, "OK", 10, 110, 40, 14, StyleDefaultButton | StyleStartsGroup | StyleTabStop},
});
constexpr DialogTemplate kTestTemplate{
    999, "Test", DialogCaption | DialogSystemMenu | DialogModalFrame, "ＭＳ 明朝", 10, 30, 20, 130, 130,
    kControls};

template <typename T = QWidget>
T* child(QWidget* parent, const QString& name)
{
    return parent->findChild<T*>(name);
}

bool checked(QWidget* dialog, int id)
{
    return child<QAbstractButton>(dialog, QStringLiteral("id%1").arg(id))->isChecked();
}

const std::string kA = "\x82\xa0";  // "あ" in CP932

}  // namespace

class DialogsTest : public GuiTest {
    Q_OBJECT
private slots:
    void builderPlacesControlsInDialogUnits()
    {
        const DialogBaseUnits fixed(7, 15);
        QCOMPARE(fixed.toPixelsX(2), 4);  // 3.5 rounds up
        QCOMPARE(fixed.toPixels(147, 152, 40, 14), QRect(257, 285, 70, 26));

        const QString family = QFontInfo(dialogFont()).family();
        QVERIFY2(family.contains(QStringLiteral("Mincho")) || family.contains(QStringLiteral("明朝")),
                 qPrintable(family));
        QCOMPARE(dialogFont().pointSize(), 10);

        QWidget owner;
        owner.move(200, 100);
        owner.show();
        QDialog dialog(&owner);
        const TemplateDialogBuilder builder(kTestTemplate);
        builder.build(dialog);
        const DialogBaseUnits units = builder.baseUnits();
        QCOMPARE(units.baseY(), QFontMetrics(dialogFont()).height());
        QCOMPARE(dialog.size(), units.toPixels(QSize(130, 130)));
        QCOMPARE(dialog.pos(), owner.mapToGlobal(QPoint(0, 0)) + units.toPixels(30, 20));
        QCOMPARE(child(&dialog, "id11")->geometry(), units.toPixels(50, 9, 40, 12));
        QCOMPARE(child(&dialog, "id1")->geometry(), units.toPixels(10, 110, 40, 14));
        // A drop-down's template height includes its list; an icon keeps its size.
        QWidget* combo = child(&dialog, "id12");
        QCOMPARE(combo->geometry().topLeft(), units.toPixels(50, 40));
        QVERIFY(combo->height() < units.toPixelsY(50));
        QCOMPARE(child(&dialog, "static2")->geometry(), QRect(units.toPixels(100, 70), QSize(32, 32)));
    }

    void noticeIsUpWhenConstructed()
    {
        QWidget owner;
        owner.show();
        NowSearchDialog notice(&owner);
        // No event loop has run since the construction.
        QVERIFY(notice.isVisible());
        QVERIFY(notice.windowHandle() && notice.windowHandle()->isExposed());
        QVERIFY(!notice.isModal() && notice.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(child(&notice, "border")->geometry(), notice.rect());
    }

    void searchDialogTransfersBothWays()
    {
        SearchDialog dialog;
        dialog.name = "Ice" + kA;
        dialog.type = "Program";
        dialog.rate = "Rare";
        dialog.side = 1;
        dialog.mode = 2;
        modals().then([&](QWidget* modal) {
            QCOMPARE(childText(modal, "id208"), QStringLiteral("Iceあ"));
            QCOMPARE(childText(modal, "id209"), QStringLiteral("Program"));
            auto* rarity = child<QComboBox>(modal, "id210");
            QCOMPARE(rarity->currentText(), QStringLiteral("Rare"));
            QCOMPARE(rarity->currentIndex(), -1);
            QCOMPARE(rarity->count(), 4);
            QVERIFY(!checked(modal, 202) && checked(modal, 203));
            QVERIFY(!checked(modal, 204) && !checked(modal, 205) && checked(modal, 206));
            QVERIFY(!checked(modal, 207));
            QCOMPARE(QApplication::focusWidget(), child(modal, "id208"));
            // The fold check box comes after the mode group, before OK.
            child(modal, "id206")->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), child(modal, "id207"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), child(modal, "id1"));

            auto* name = child<QLineEdit>(modal, "id208");
            name->clear();
            QTest::keyClicks(name, "Wall");
            // Japanese arrives from an input method, not as key presses.
            QInputMethodEvent typed;
            typed.setCommitString(QStringLiteral("・氷"));
            QApplication::sendEvent(name, &typed);
            // Folded, ゔ, which CP932 lacks, is taken as ヴ.
            child<QLineEdit>(modal, "id209")->setText(QStringLiteral("〜アイスゔ"));
            // A rarity not in the list is taken as typed, not completed.
            rarity->lineEdit()->clear();
            QTest::keyClicks(rarity, "vital");
            clickId(modal, 202);
            clickId(modal, 205);
            QVERIFY(checked(modal, 205) && checked(modal, 202) && !checked(modal, 203));
            // Enter in a field confirms: OK is the default button.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(dialog.DoModal(), 1);
        QCOMPARE(dialog.name, std::string("Wall\x81\x45\x95\x58"));
        QCOMPARE(dialog.type, std::string("\x81\x60\x83\x41\x83\x43\x83\x58\x83\x94"));
        QCOMPARE(dialog.rate, std::string("vital"));
        QCOMPARE(dialog.side, 0);
        QCOMPARE(dialog.mode, 1);
        QVERIFY(dialog.fold);
    }

    void searchCancelEscAndCloseBoxLeaveTheCriteria()
    {
        for (int how = 0; how < 3; ++how) {  // Cancel, Esc, the close box
            SearchDialog dialog;
            dialog.name = "keep";
            dialog.rate = "Common";
            dialog.mode = 1;
            dialog.fold = true;
            modals().then([&](QWidget* modal) {
                QVERIFY(checked(modal, 207));
                clickId(modal, 207);
                child<QLineEdit>(modal, "id208")->setText(QStringLiteral("edited"));
                child<QComboBox>(modal, "id210")->setEditText(QStringLiteral("Rare"));
                clickId(modal, 203);
                clickId(modal, 206);
                if (how == 0)
                    clickId(modal, 2);
                else if (how == 1)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                else
                    modal->close();
            });
            QCOMPARE(dialog.DoModal(), 2);
            QCOMPARE(dialog.name, std::string("keep"));
            QCOMPARE(dialog.rate, std::string("Common"));
            QCOMPARE(dialog.side, 0);
            QCOMPARE(dialog.mode, 1);
            QVERIFY(dialog.fold);
        }
    }

    void searchCutsLongTextsWithoutSplittingACharacter()
    {
        SearchDialog dialog;
        modals().then([](QWidget* modal) {
            // 1 + 127 * 2 = 255 bytes: byte 254 is the lead byte of the last "あ".
            child<QLineEdit>(modal, "id208")->setText(QStringLiteral("a") + QString(127, QChar(0x3042)));
            child<QLineEdit>(modal, "id209")->setText(QString(300, QLatin1Char('x')));
            // 127 * 2 = 254 bytes fit exactly.
            child<QComboBox>(modal, "id210")->setEditText(QString(127, QChar(0x3042)));
            clickId(modal, 1);
        });
        QCOMPARE(dialog.DoModal(), 1);
        std::string cutName = "a";
        for (int i = 0; i < 126; ++i)
            cutName += kA;
        QCOMPARE(dialog.name, cutName);
        QCOMPARE(dialog.type, std::string(254, 'x'));
        QCOMPARE(dialog.rate.size(), std::size_t(254));
        QCOMPARE(dialog.rate.substr(252), kA);
    }

    void searchRefusesACharacterCp932CannotHold()
    {
        SearchDialog dialog;
        dialog.name = "before";
        // ゔ: CP932 lacks it, and without folding it is no katakana either.
        const QString refused = QStringLiteral("Iceゔ");
        QStringList messages;
        QWidget* owner = nullptr;
        bool stayedOpen = false;
        modals().then([&](QWidget* modal) {
            child<QLineEdit>(modal, "id208")->setText(refused);
            clickId(modal, 203);
            modals().then([&](QWidget* box) {
                owner = box->parentWidget();
                acceptMessage(messages)(box);
            });
            clickId(modal, 1);
            // The box has closed; the search dialog is still up with the input.
            stayedOpen = modal->isVisible() && childText(modal, "id208") == refused && dialog.side == 0;
            child<QLineEdit>(modal, "id208")->setText(QStringLiteral("Ice"));
            clickId(modal, 1);
        });
        QCOMPARE(dialog.DoModal(), 1);
        QCOMPARE(messages, QStringList{"Voxtarn card list finder | 検索文字列に使えない文字が含まれている"});
        QCOMPARE(owner, &dialog);
        QVERIFY(stayedOpen);
        QCOMPARE(dialog.name, std::string("Ice"));
        QCOMPARE(dialog.side, 1);
    }

    void detailShowsTheComposedRulesTextWhole()
    {
        Card card;
        QCOMPARE(composeRulesText(card), std::string("\r\n\r\n\r\n\r\n\r\n"));
        card.text[0] = "abc";
        card.text[1] = "de";
        QCOMPARE(composeRulesText(card), std::string("abc\r\nde\r\n\r\n\r\n\r\n"));

        // Five lines of 255 bytes; the first ends in a lone lead byte, which
        // must not take the CR of its line break when shown.
        std::string expected;
        QString lines;
        for (int i = 0; i < Card::kTextLines; ++i) {
            std::string& line = card.text[std::size_t(i)];
            line = std::string(255, char('a' + i));
            expected += line + "\r\n";
            lines += QString(255, QLatin1Char(char('a' + i))) + QLatin1Char('\n');
        }
        card.text[0].back() = '\x82';
        expected[254] = '\x82';
        lines[254] = QChar(0xFFFD);
        QCOMPARE(composeRulesText(card), expected);

        DetailDialog dialog;
        dialog.card = card;
        dialog.card.name = "<b>Wall</b> \x83\x45\x83\x48\x81\x5b\x83\x8b";  // ウォール
        QStringList shown;
        modals().then([&](QWidget* modal) {
            shown << childText(modal, "id111") << childText(modal, "id113");
            QVERIFY(child<QPlainTextEdit>(modal, "id113")->isReadOnly());
            QCOMPARE(QApplication::focusWidget(), child(modal, "id1"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(dialog.DoModal(), 1);
        QCOMPARE(shown, (QStringList{"<b>Wall</b> ウォール", lines}));
    }

    void detailOpensTheLegendOverItselfAsOftenAsAsked()
    {
        DetailDialog dialog;
        QStringList legends;
        const auto closeLegend = [&](int key) {
            return [&, key](QWidget* legend) {
                legends << legend->objectName();
                QCOMPARE(legend->parentWidget(), &dialog);
                QTest::keyClick(legend, Qt::Key(key));
            };
        };
        modals().then([&](QWidget* detail) {
            modals().then(closeLegend(Qt::Key_Escape));
            clickId(detail, 117);
            modals().then(closeLegend(Qt::Key_Return));
            clickId(detail, 117);
            QVERIFY(detail->isVisible());
            clickId(detail, 1);
        });
        QCOMPARE(dialog.DoModal(), 1);
        QCOMPARE(legends, (QStringList{"dialog170", "dialog170"}));
    }
};

VOXTARN_GUI_TEST_MAIN(QApplication, DialogsTest)
#include "tst_dialogs.moc"
