// SPDX-License-Identifier: MIT
// The dialogs on their own: built from templates in dialog units, the notice, the search dialog's transfer of criteria
// and the card details.
#include "DetailDialog.h"
#include "DialogFont.h"
#include "DialogTemplates.h"
#include "GuiTest.h"
#include "NowSearchDialog.h"
#include "SearchDialog.h"
#include "TemplateDialog.h"
#include "TemplateDialogBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QWindow>

namespace {

template <typename T = QWidget>
T* child(QWidget* parent, const QString& name) { return parent->findChild<T*>(name); }

// The ids of the checked radio buttons, e.g. "203 206".
QString checkedIds(QWidget* dialog)
{
    QStringList ids;
    for (int id = 202; id <= 206; ++id)
        ids << (dialogControl<QRadioButton>(*dialog, id)->isChecked() ? QString::number(id) : QString());
    return ids.join(' ').simplified();
}

void setText(QWidget* field, const QString& text)
{
    if (auto* combo = qobject_cast<QComboBox*>(field))
        return combo->setEditText(text);
    static_cast<QLineEdit*>(field)->setText(text);
}

}  // namespace

class DialogsTest : public GuiTest {
    Q_OBJECT
private slots:
    void builderPlacesControlsInDialogUnits()
    {
        const DialogBaseUnits fixed(7, 15);
        QCOMPARE(fixed.toPixelsX(2), 4);  // 3.5 rounds up
        QCOMPARE(fixed.toPixels(147, 152, 40, 14), QRect(257, 285, 70, 26));
        // A drop-down's template height includes its list; an icon keeps its size.
        SearchDialog search;
        QVERIFY(child(&search, "id210")->height() < DialogBaseUnits::forFont(dialogFont()).toPixelsY(41));
        QDialog about;
        TemplateDialogBuilder::buildFromResources(about, kAboutTemplateId);
        QCOMPARE(child(&about, "static0")->size(), QSize(32, 32));
        QCOMPARE(child(&about, "static1")->height(), QFontMetrics(dialogFont()).height());  // 8 units: one line of the font
        // The notice is up, painted, when constructed: no event loop runs after it. Its owner keeps the keyboard.
        QWidget owner;
        owner.show();
        owner.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        NowSearchDialog notice(&owner);
        QVERIFY(notice.isVisible() && notice.windowHandle() && notice.windowHandle()->isExposed());
        QVERIFY(!notice.isModal() && owner.isActiveWindow());
        // Progress grows it by the bar, the count and the button, inside its border; it blocks no window still.
        const QRect labels = notice.childrenRect();
        notice.showProgress(1, 3, 1234);
        notice.showProgress(2, 3, 12345);
        QCOMPARE(child<QProgressBar>(&notice, "progress")->value(), 666);
        QCOMPARE(childText(&notice, "cards"), "12,345枚");
        QVERIFY(!notice.isModal() && owner.isActiveWindow() && notice.childrenRect().bottom() > labels.bottom() &&
                notice.rect().contains(notice.childrenRect()));
        QCOMPARE(child(&notice, "border")->geometry(), notice.rect());
    }

    // The dialog shows the members and gives the controls back only on OK (Enter confirms: OK is the default button).
    void searchDialogTransfersOnlyOnOk_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<QByteArray>("result");  // name|type|rate side mode fold, in CP932
        // Folded, ゔ, which CP932 lacks, is taken as ヴ.
        QTest::addRow("Enter") << 0 << QByteArray("Wall\x81\x45\x95\x58|\x81\x60\x83\x41\x83\x43\x83\x58\x83\x94|vital 0 1 1");
        const char* closing[] = {"Cancel", "Esc", "close box"};
        for (int how = 1; how <= 3; ++how)
            QTest::addRow("%s", closing[how - 1]) << how << QByteArray("Ice\x82\xa0|Program|Rare 1 2 0");
    }

    void searchDialogTransfersOnlyOnOk()
    {
        QFETCH(int, how);
        SearchDialog dialog;
        dialog.criteria.name = "Ice\x82\xa0";  // あ
        dialog.criteria.type = "Program";
        dialog.criteria.rate = "Rare";
        dialog.criteria.side = 1;
        dialog.criteria.mode = card::search_mode::Partial;
        then([&](QWidget* modal) {
            auto* rarity = child<QComboBox>(modal, "id210");
            QCOMPARE(childText(modal, "id208") + childText(modal, "id209") + rarity->currentText(), "IceあProgramRare");
            QCOMPARE(rarity->currentIndex(), -1);
            QCOMPARE(rarity->count(), 4);
            QCOMPARE(checkedIds(modal), "203 206");
            QCOMPARE(modal->focusWidget(), child(modal, "id208"));
            // The fold check box comes after the mode group, before OK.
            QVERIFY(!child<QCheckBox>(modal, "id207")->isChecked());
            child(modal, "id206")->setFocus();
            QTest::keyClick(modal->focusWidget(), Qt::Key_Tab);
            QCOMPARE(modal->focusWidget(), child(modal, "id207"));
            QTest::keyClick(modal->focusWidget(), Qt::Key_Space);
            QTest::keyClick(modal->focusWidget(), Qt::Key_Tab);
            QCOMPARE(modal->focusWidget(), child(modal, "id1"));
            auto* name = child<QLineEdit>(modal, "id208");
            name->clear();
            QTest::keyClicks(name, "Wall");
            name->insert("・氷");
            setText(child(modal, "id209"), "～アイスゔ");  // the wave dash of Windows' input method: both tables hold it
            rarity->lineEdit()->clear();
            QTest::keyClicks(rarity, "vital");  // taken as typed, not completed
            clickId(modal, 202);
            clickId(modal, 205);
            QCOMPARE(checkedIds(modal), "202 205");
            if (how == 0)
                QTest::keyClick(name, Qt::Key_Return);
            else if (how == 1)
                clickId(modal, 2);
            else if (how == 2)
                QTest::keyClick(name, Qt::Key_Escape);
            else
                modal->close();
        });
        QCOMPARE(dialog.DoModal(), how == 0 ? 1 : 2);
        QCOMPARE(dialog.result(), how == 0 ? QDialog::Accepted : QDialog::Rejected);
        QTEST(QByteArray::fromStdString(dialog.criteria.name + "|" + dialog.criteria.type + "|" + dialog.criteria.rate) +
                  QString(" %1 %2 %3").arg(dialog.criteria.side).arg(int(dialog.criteria.mode)).arg(dialog.criteria.fold).toLatin1(), "result");
    }

    // Tab reaches a radio group at its checked button; an arrow key moves the check with the focus, wrapping at the
    // ends of the group.
    void arrowKeysMoveTheCheckInARadioGroup_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("tabs");  // 3: the side group, 4: the mode group
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("checked");  // the button checked and focused afterwards
        for (const auto& [side, key, checked] : {std::tuple{0, Qt::Key_Down, 203}, {1, Qt::Key_Up, 202}, {1, Qt::Key_Down, 202},
                                                  {0, Qt::Key_Up, 203}, {0, Qt::Key_Right, 203}, {1, Qt::Key_Left, 202}})
            QTest::addRow("side %d, key %x", side, key) << side << 0 << 3 << int(key) << checked;
        for (int mode = 0; mode < 3; ++mode) {
            QTest::addRow("mode %d, down", mode) << 0 << mode << 4 << int(Qt::Key_Down) << 204 + (mode + 1) % 3;
            QTest::addRow("mode %d, up", mode) << 0 << mode << 4 << int(Qt::Key_Up) << 204 + (mode + 2) % 3;
        }
    }

    void arrowKeysMoveTheCheckInARadioGroup()
    {
        QFETCH(int, side);
        QFETCH(int, mode);
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(int, checked);
        SearchDialog dialog;
        dialog.criteria.side = side;
        dialog.criteria.mode = card::search_mode(mode);
        QString focused;
        then([&](QWidget* modal) {
            modal->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(modal));
            for (int i = 0; i < tabs; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            focused = QApplication::focusWidget()->objectName();
            clickId(modal, 1);
        });
        QCOMPARE(dialog.DoModal(), 1);
        QCOMPARE(focused, QString("id%1").arg(checked));
        QCOMPARE(tabs == 3 ? 202 + dialog.criteria.side : 204 + int(dialog.criteria.mode), checked);
    }

    void longTextsAreCutWithoutSplittingACharacter()
    {
        SearchDialog dialog;
        then([](QWidget* modal) {
            // 1 + 127 * 2 = 255 bytes: byte 254 is the lead byte of the last "あ".
            setText(child(modal, "id208"), "a" + QString(127, QChar(0x3042)));
            setText(child(modal, "id209"), QString(300, 'x'));
            setText(child(modal, "id210"), QString(127, QChar(0x3042)));  // 254 bytes fit
            clickId(modal, 1);
        });
        QCOMPARE(dialog.DoModal(), 1);
        const std::string all = toCp932(QString(127, QChar(0x3042))).value();
        QCOMPARE(dialog.criteria.name + "|" + dialog.criteria.type + "|" + dialog.criteria.rate, "a" + all.substr(2) + "|" + std::string(254, 'x') + "|" + all);
    }

    // A character CP932 cannot hold, or a lone surrogate that Qt would turn into "?", is refused with a message; the
    // dialog stays open with the focus in that field and the criteria as they were.
    void refusedCharactersKeepTheDialogOpen_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addRow("emoji in the name") << "id208" << "Ice\U0001F600";
        QTest::addRow("ゔ in the name, not folded") << "id208" << "Iceゔ";  // CP932 lacks it
        QTest::addRow("lone surrogate in the type") << "id209" << "Ice" + QString(QChar(0xD800));
        QTest::addRow("emoji in the rarity") << "id210" << "\U0001F600";
    }

    void refusedCharactersKeepTheDialogOpen()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        SearchDialog dialog;
        dialog.criteria.name = "before";
        QStringList seen;
        then([&](QWidget* modal) {
            QWidget* edit = child(modal, field);
            setText(edit, text);
            clickId(modal, 203);
            then(acceptMessage(seen));
            clickId(modal, 1);
            QWidget* focus = modal->focusWidget();
            seen << QString::number(modal->isVisible()) + QString::number(focus == edit || edit->isAncestorOf(focus)) +
                        QString::fromStdString(dialog.criteria.name) + QString::number(dialog.criteria.side);
            clickId(modal, 2);
        });
        QCOMPARE(dialog.DoModal(), 2);
        QCOMPARE(seen, (QStringList{"Voxtarn card list finder | 検索文字列に使えない文字が含まれている", "11before0"}));
    }

    // Every field in its own place; the legend opens over the dialog as often as asked. Any text can be selected and
    // copied, the context menu copies the whole card.
    void detailShowsTheWholeCard()
    {
        DetailDialog dialog;
        DetailDialog empty;
        card::Card& card = dialog.card;
        card.name = "<b>Wall</b> \x83\x45\x83\x48\x81\x5b\x83\x8b";  // ウォール, as plain text
        card.type = "Type";
        card.note = "Note";
        card.illust = "Illust";
        card.rate = "Rate";
        // Five lines of 255 bytes; the first ends in a lone lead byte, which must not take the CR of its line break
        // when shown.
        QString rules;
        for (int i = 0; i < card::Card::kTextLines; ++i) {
            card.text[std::size_t(i)] = std::string(255, char('a' + i));
            rules += QString(255, QChar('a' + i)) + "\n";
        }
        card.text[0].back() = '\x82';
        rules[254] = QChar(0xFFFD);
        QStringList shown;
        const auto legend = [&](QWidget* modal) {
            shown << modal->objectName() + " over " + modal->parentWidget()->objectName();
            QTest::keyClick(modal, shown.size() % 2 ? Qt::Key_Escape : Qt::Key_Return);
        };
        const auto show = [&](QWidget* modal) {
            for (int id = 111; id <= 116; ++id)
                shown << childText(modal, QString("id%1").arg(id));
            QVERIFY(child<QPlainTextEdit>(modal, "id113")->isReadOnly());
            QCOMPARE(modal->focusWidget(), child(modal, "id1"));
            for (QLabel* label : modal->findChildren<QLabel*>())
                QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
            QGuiApplication::clipboard()->clear();
            if (auto* rate = child<QLabel>(modal, "id116"); !rate->text().isEmpty())
                rate->setSelection(1, 2);
            QTest::keySequence(child(modal, "id116"), QKeySequence::Copy);
            shown << QGuiApplication::clipboard()->text();
            QVERIFY(modal->contextMenuPolicy() == Qt::ActionsContextMenu && modal->actions().value(0)->text() == "コピー");
            modal->actions().value(0)->trigger();
            shown << QGuiApplication::clipboard()->text();
            QCOMPARE(modal->focusWidget(), child(modal, "id1"));
            for (int i = 0; i < 2; ++i) {
                then(legend);
                clickId(modal, 117);
            }
            QTest::keyClick(child(modal, "id1"), Qt::Key_Return);
        };
        then(show);
        QCOMPARE(dialog.DoModal(), 1);
        then(show);
        empty.DoModal();  // without rules text: five empty lines
        const QString legends = "dialog170 over dialog110";
        const QString whole = "カード名：<b>Wall</b> ウォール\nタイプ：Type\n" + rules + "Note\nイラスト：Illust\n入手頻度：Rate";
        QCOMPARE(shown, (QStringList{"<b>Wall</b> ウォール", "Type", rules, "Note", "Illust", "Rate", "at", whole, legends, legends,
                                     "", "", "\n\n\n\n\n", "", "", "", "", "カード名：\nタイプ：\n\nイラスト：\n入手頻度：",
                                     legends, legends}));
    }

    // A screen reader can name every control; each caption is the buddy of the field it names.
    void controlsHaveNamesAndCaptionsTheirFields()
    {
        SearchDialog search;
        DetailDialog detail;
        TemplateDialog about(kAboutTemplateId), legend(kLegendTemplateId);
        QStringList captions;
        for (QDialog* dialog : std::initializer_list<QDialog*>{&search, &detail, &about, &legend}) {
            for (QWidget* control : dialog->findChildren<QWidget*>(QRegularExpression("^(id|static)\\d+$"))) {
                auto* label = qobject_cast<QLabel*>(control);  // a static label is text, not a control
                QVERIFY2((label && control->objectName().startsWith("static")) || !control->accessibleName().isEmpty(),
                         qPrintable(control->objectName()));
                if (label && label->buddy())
                    captions << label->text() + " " + label->buddy()->objectName() + " " + label->buddy()->accessibleName();
            }
        }
        QCOMPARE(captions, (QStringList{"カード名称 id208 カード名称", "カード種類 id209 カード種類", "入手頻度 id210 入手頻度",
                                        "カード名： id111 カード名", "タイプ： id112 タイプ", "イラスト： id115 イラスト",
                                        "入手頻度： id116 入手頻度"}));
    }

    // Every text of every dialog fits its rectangle in each Mincho face installed for the dialog font.
    void textsFitInEachDialogFace()
    {
        QStringList faces;  // each installed face once: IPA明朝 is IPAMincho
        for (const QString& face : dialogFontFaces())
            if (QFontDatabase::hasFamily(face) && !faces.contains(QFontInfo(QFont(face)).family()))
                faces << QFontInfo(QFont(face)).family();
        QVERIFY(!faces.isEmpty());
        for (const QString& face : faces) {
            const QByteArray faceName = face.toUtf8();
            for (DialogTemplate layout : allDialogTemplates()) {
                layout.fontName = faceName.constData();
                QDialog dialog;
                TemplateDialogBuilder(layout).build(dialog);
                QCOMPARE(QFontInfo(dialog.font()).family(), face);
                for (int i = 0; i < int(layout.controls.size()); ++i) {
                    const ControlTemplate& control = layout.controls[i];
                    const QWidget* widget = child(&dialog, TemplateDialogBuilder::objectNameFor(control, i));
                    const QString text = QString::fromUtf8(control.text);
                    const QFontMetrics metrics(widget->font());
                    const QRect wrapped = metrics.boundingRect(widget->rect(), Qt::TextWordWrap, text);
                    const int lines = qRound(double(wrapped.height()) / metrics.lineSpacing());
                    int mark = 0;  // the check mark and the room after it, before the text's ink
                    if (qobject_cast<const QRadioButton*>(widget) || qobject_cast<const QCheckBox*>(widget))
                        mark = widget->style()->pixelMetric(QStyle::PM_IndicatorWidth) + widget->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
                    const QSize needed = mark ? QSize(mark + metrics.tightBoundingRect(text).right() + 1, metrics.height())
                                              : QSize(wrapped.width(), lines * metrics.height());
                    QVERIFY2(control.kind == ControlKind::Icon || (needed.width() <= widget->width() && needed.height() <= widget->height()),
                             qPrintable(QString("%1 %2: %3x%4 in %5x%6").arg(face, text).arg(needed.width()).arg(needed.height())
                                            .arg(widget->width()).arg(widget->height())));
                }
            }
        }
    }
};

VOXTARN_GUI_TEST_MAIN(QApplication, DialogsTest)
#include "tst_dialogs.moc"
