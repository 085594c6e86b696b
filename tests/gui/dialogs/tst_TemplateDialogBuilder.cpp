#include "DialogFont.h"
#include "DialogTemplates.h"
#include "TemplateDialogBuilder.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <array>

namespace {

// A layout of our own with one control of every kind.
constexpr auto kControls = std::to_array<ControlTemplate>({
    {ControlKind::GroupBox, kStaticId, "Box", 2, 2, 100, 60, StyleNone},
    {ControlKind::Label, kStaticId, "Wrapping label", 6, 10, 40, 8, StyleNone},
    {ControlKind::Edit, 11, "", 50, 9, 40, 12, StyleBorder | StyleAutoHScroll | StyleStartsGroup | StyleTabStop},
    {ControlKind::RadioButton, 21, "one", 6, 24, 30, 10, StyleStartsGroup | StyleTabStop},
    {ControlKind::RadioButton, 22, "two", 6, 36, 30, 10, StyleTabStop},
    {ControlKind::RadioButton, 23, "three", 50, 24, 30, 10, StyleStartsGroup | StyleTabStop},
    {ControlKind::ComboBox, 12, "", 50, 40, 40, 50, StyleStartsGroup | StyleTabStop},
    {ControlKind::Edit, 13, "", 6, 64, 90, 30,
     StyleBorder | StyleVScroll | StyleMultiLine | StyleReadOnly},
    {ControlKind::Label, 14, "Clipped label", 6, 98, 40, 8, StyleNoWordWrap},
    {ControlKind::Icon, kStaticId, "APPICON", 100, 70, 20, 18, StyleNone},
    {ControlKind::PushButton, 1, "OK", 10, 110, 40, 14, StyleDefaultButton | StyleStartsGroup | StyleTabStop},
    {ControlKind::PushButton, 2, "Cancel", 60, 110, 40, 14, StyleTabStop},
});

constexpr DialogTemplate kTestTemplate{
    999, "Test", DialogCaption | DialogSystemMenu | DialogModalFrame, "ＭＳ 明朝", 10, 30, 20, 130, 130,
    kControls};

constexpr DialogTemplate kCaptionless{
    998, "", DialogThinBorder, "ＭＳ 明朝", 10, 0, 0, 50, 20, std::span<const ControlTemplate>()};

template <typename T>
T* control(QDialog& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

}  // namespace

class TemplateDialogBuilderTest : public QObject {
    Q_OBJECT

private slots:
    void convertsDialogUnitsRounded();
    void baseUnitsFollowTheFont();
    void dialogFontIsAnInstalledMincho();
    void placesControlsByDialogUnits();
    void namesDialogAndControls();
    void buildsEachKind();
    void groupsRadioButtonsFromGroupStartToGroupStart();
    void chainsTabOrderInTemplateOrder();
    void okAndCancelEndTheDialog();
    void captionlessWindowDrawsItsBorder();
    void everyTemplateControlLiesInsideItsDialog();
};

void TemplateDialogBuilderTest::convertsDialogUnitsRounded()
{
    const DialogBaseUnits units(7, 15);
    QCOMPARE(units.toPixelsX(4), 7);
    QCOMPARE(units.toPixelsX(69), 121);   // 120.75
    QCOMPARE(units.toPixelsX(2), 4);      // 3.5 rounds up
    QCOMPARE(units.toPixelsY(8), 15);
    QCOMPARE(units.toPixelsY(23), 43);    // 43.125
    QCOMPARE(units.toPixelsY(4), 8);      // 7.5 rounds up
    QCOMPARE(units.toPixels(147, 152, 40, 14), QRect(257, 285, 70, 26));
}

void TemplateDialogBuilderTest::baseUnitsFollowTheFont()
{
    QFont small = dialogFont();
    QFont large = dialogFont();
    large.setPointSize(20);
    const DialogBaseUnits smallUnits = DialogBaseUnits::forFont(small);
    const DialogBaseUnits largeUnits = DialogBaseUnits::forFont(large);
    QCOMPARE(smallUnits.baseY(), QFontMetrics(small).height());
    QVERIFY(smallUnits.baseX() > 0 && smallUnits.baseX() < smallUnits.baseY());
    // Twice the size, about twice the units.
    QVERIFY(qAbs(largeUnits.baseX() - 2 * smallUnits.baseX()) <= 1);
    QVERIFY(qAbs(largeUnits.baseY() - 2 * smallUnits.baseY()) <= 2);
}

void TemplateDialogBuilderTest::dialogFontIsAnInstalledMincho()
{
    const QString family = QFontInfo(dialogFont()).family();
    QVERIFY2(family.contains(QStringLiteral("Mincho")) || family.contains(QStringLiteral("明朝")) ||
                 family.contains(QStringLiteral("Serif CJK")),
             qPrintable(family));
    QCOMPARE(dialogFont().pointSize(), 10);
}

void TemplateDialogBuilderTest::placesControlsByDialogUnits()
{
    QDialog dialog;
    const TemplateDialogBuilder builder(kTestTemplate);
    builder.build(dialog);
    const DialogBaseUnits units = builder.baseUnits();
    QCOMPARE(dialog.size(), units.toPixels(QSize(130, 130)));
    QCOMPARE(control<QLineEdit>(dialog, "id11")->geometry(), units.toPixels(50, 9, 40, 12));
    QCOMPARE(control<QPushButton>(dialog, "id1")->geometry(), units.toPixels(10, 110, 40, 14));
    // The combo box's template height includes its list; closed, it is lower.
    auto* combo = control<QComboBox>(dialog, "id12");
    QCOMPARE(combo->geometry().topLeft(), units.toPixels(50, 40));
    QCOMPARE(combo->width(), units.toPixelsX(40));
    QVERIFY(combo->height() < units.toPixelsY(50));
    QVERIFY(combo->height() >= units.toPixelsY(10));
    // An icon takes its own size.
    QCOMPARE(control<QLabel>(dialog, "static9")->geometry(), QRect(units.toPixels(100, 70), QSize(32, 32)));
    QCOMPARE(dialog.pos(), units.toPixels(30, 20));

    // With an owner, the position counts from the owner's corner.
    QWidget owner;
    owner.move(200, 100);
    owner.show();
    QDialog owned(&owner);
    builder.build(owned);
    QCOMPARE(owned.pos(), owner.mapToGlobal(QPoint(0, 0)) + units.toPixels(30, 20));
}

void TemplateDialogBuilderTest::namesDialogAndControls()
{
    QDialog dialog;
    TemplateDialogBuilder(kTestTemplate).build(dialog);
    QCOMPARE(dialog.objectName(), QStringLiteral("dialog999"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Test"));
    QStringList names;
    for (QObject* child : dialog.children())
        if (child->isWidgetType())
            names << child->objectName();
    QCOMPARE(names, (QStringList{"static0", "static1", "id11", "id21", "id22", "id23", "id12", "id13",
                                 "id14", "static9", "id1", "id2"}));
}

void TemplateDialogBuilderTest::buildsEachKind()
{
    QDialog dialog;
    TemplateDialogBuilder(kTestTemplate).build(dialog);
    QCOMPARE(control<QGroupBox>(dialog, "static0")->title(), QStringLiteral("Box"));
    auto* wrapping = control<QLabel>(dialog, "static1");
    QVERIFY(wrapping->wordWrap());
    QCOMPARE(wrapping->textFormat(), Qt::PlainText);
    QVERIFY(!control<QLabel>(dialog, "id14")->wordWrap());
    QVERIFY(control<QLineEdit>(dialog, "id11")->hasFrame());
    auto* combo = control<QComboBox>(dialog, "id12");
    QVERIFY(combo->isEditable());
    QVERIFY(!combo->completer());
    auto* multi = control<QPlainTextEdit>(dialog, "id13");
    QVERIFY(multi->isReadOnly());
    QCOMPARE(multi->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(multi->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(multi->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(multi->focusPolicy(), Qt::ClickFocus);
    QVERIFY(!control<QLabel>(dialog, "static9")->pixmap().isNull());
    QVERIFY(control<QPushButton>(dialog, "id1")->isDefault());
    QVERIFY(!control<QPushButton>(dialog, "id2")->isDefault());
    QCOMPARE(dialog.font().family(), QStringLiteral("ＭＳ 明朝"));
    QCOMPARE(dialog.font().pointSize(), 10);
}

void TemplateDialogBuilderTest::groupsRadioButtonsFromGroupStartToGroupStart()
{
    QDialog dialog;
    TemplateDialogBuilder(kTestTemplate).build(dialog);
    auto* first = dialog.findChild<QButtonGroup*>(QStringLiteral("group21"));
    auto* second = dialog.findChild<QButtonGroup*>(QStringLiteral("group23"));
    QVERIFY(first && second);
    QCOMPARE(first->buttons().size(), 2);
    QCOMPARE(first->id(control<QRadioButton>(dialog, "id22")), 22);
    QCOMPARE(second->buttons().size(), 1);
    control<QRadioButton>(dialog, "id22")->setChecked(true);
    control<QRadioButton>(dialog, "id23")->setChecked(true);
    QVERIFY(control<QRadioButton>(dialog, "id22")->isChecked());
    control<QRadioButton>(dialog, "id21")->setChecked(true);
    QVERIFY(!control<QRadioButton>(dialog, "id22")->isChecked());
    QCOMPARE(first->checkedId(), 21);
}

void TemplateDialogBuilderTest::chainsTabOrderInTemplateOrder()
{
    QDialog dialog;
    TemplateDialogBuilder(kTestTemplate).build(dialog);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(dialog, "id11"));
    // Each Tab goes on in template order, past labels, boxes and the
    // read-only box that has no tab stop.
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    // Unchecked radio groups take the Tab at their first button.
    QCOMPARE(visited, (QStringList{"id21", "id23", "id12", "id1", "id2"}));
}

void TemplateDialogBuilderTest::okAndCancelEndTheDialog()
{
    QDialog dialog;
    TemplateDialogBuilder(kTestTemplate).build(dialog);
    QTimer::singleShot(0, &dialog, [&] { control<QPushButton>(dialog, "id1")->click(); });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QTimer::singleShot(0, &dialog, [&] { control<QPushButton>(dialog, "id2")->click(); });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
}

void TemplateDialogBuilderTest::captionlessWindowDrawsItsBorder()
{
    QDialog dialog;
    const TemplateDialogBuilder builder(kCaptionless);
    builder.build(dialog);
    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    auto* border = dialog.findChild<QFrame*>(QStringLiteral("border"));
    QVERIFY(border);
    QCOMPARE(border->geometry(), dialog.rect());
    QCOMPARE(dialog.size(), builder.baseUnits().toPixels(QSize(50, 20)) + QSize(2, 2));
}

void TemplateDialogBuilderTest::everyTemplateControlLiesInsideItsDialog()
{
    QSet<int> ids;
    for (const DialogTemplate& t : allDialogTemplates()) {
        ids.insert(t.id);
        QCOMPARE(findDialogTemplate(t.id), &t);
        QSet<int> controlIds;
        for (const ControlTemplate& c : t.controls) {
            const QString where = QStringLiteral("template %1, control %2").arg(t.id).arg(c.id);
            QVERIFY2(c.x >= 0 && c.y >= 0 && c.x + c.width <= t.width && c.y + c.height <= t.height,
                     qPrintable(where));
            if (c.id != kStaticId) {
                QVERIFY2(!controlIds.contains(c.id), qPrintable(where));
                controlIds.insert(c.id);
            }
        }
    }
    QCOMPARE(ids, (QSet<int>{100, 110, 160, 170, 200}));
    QVERIFY(!findDialogTemplate(101));
}

QTEST_MAIN(TemplateDialogBuilderTest)
#include "tst_TemplateDialogBuilder.moc"
