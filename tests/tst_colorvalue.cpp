#include "tcolorvalue.h"
#include "tcombobox_p.h"
#include "tdroplist_p.h"
#include "tintegervalue.h"
#include "tvaluebrowser.h"

#include <QColorDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

constexpr int I = TValueValidator::VR_Invalid;
constexpr int V = TValueValidator::VR_Valid;
constexpr int C = TValueValidator::VR_Corrected;

struct Form
{
    Form()
    {
        browser.setSpecialList(&TValueBrowser::s_specialList);
        color = browser.addColor(0, "Color", "Line color", "color", &colorVar);
        browser.resize(400, 300);
        browser.show();
    }
    TDropList* enter()
    {
        browser.setCurrentItem(color);
        return color->editor();
    }
    QColor colorVar = Qt::black;
    TValueBrowser browser;
    TColorValue* color = nullptr;
};

// Answers the next color dialog from inside its event loop: remembers the
// color it opened at, sets a color and accepts or cancels.
struct DialogAnswer
{
    QColor opened;
    bool seen = false;
};

void answerDialog(DialogAnswer* answer, const QColor& color, bool accept, int tries = 200)
{
    QTimer::singleShot(10, [=] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QColorDialog*>(w);
            if (!dialog || !dialog->isVisible())
                continue;
            answer->seen = true;
            answer->opened = dialog->currentColor();
            dialog->setCurrentColor(color);
            accept ? dialog->accept() : dialog->reject();
            return;
        }
        if (tries > 0)
            answerDialog(answer, color, accept, tries - 1);
    });
}

void pickColorEntry(TDropList* editor)
{
    TComboBox* combo = editor->comboBox();
    combo->ensureFilled();
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->entryEditor(i) == &TColorValue::s_ColorComboEditor) {
            QCOMPARE(combo->itemText(i), QString("Pick color..."));
            emit combo->activated(i);
            return;
        }
    }
    QFAIL("no \"Pick color...\" entry");
}

QRgb pixel(const QIcon& icon, int x, int y)
{
    return icon.pixmap(24, 12).toImage().pixel(x, y) & 0xFFFFFF;
}

} // namespace

class TestColorValue : public QObject
{
    Q_OBJECT

private slots:
    void baseColorList();
    void swatch();
    void copiesOwnTheirEntries();
    void registeredColorList();
    void findItem_data();
    void findItem();
    void setItem();
    void validator_data();
    void validator();
    void settingValues_data();
    void settingValues();
    void typingInTheEditor();
    void sameColorIsNoChange();
    void children();
    void childEditRejectedByParent();
    void specialValue();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void linkedRoundTrip();
    void dialog_data();
    void dialog();
};

void TestColorValue::baseColorList()
{
    static const char* const texts[] = {"Black", "White", "Gray", "Light Gray", "Dark Gray", "Red", "Green",
                                        "Blue", "Cyan", "Magenta", "Yellow", "Dark Red", "Dark Green",
                                        "Dark Blue", "Dark Cyan", "Dark Magenta", "Dark Yellow"};
    static const char* const rgb[] = {"#000000", "#ffffff", "#a0a0a4", "#c0c0c0", "#808080", "#ff0000",
                                      "#00ff00", "#0000ff", "#00ffff", "#ff00ff", "#ffff00", "#800000",
                                      "#008000", "#000080", "#008080", "#800080", "#808000"};
    TColorList& list = TColorList::baseColorList();
    QCOMPARE(list.size(), 17);
    for (int i = 0; i < 17; ++i) {
        QCOMPARE(list.at(i)->text, QString(texts[i]));
        QCOMPARE(list.at(i)->value.userType(), int(QMetaType::QColor));
        QCOMPARE(list.at(i)->value.toString(), QString(rgb[i]));
        QVERIFY(list.at(i)->icon);
        QVERIFY(list.at(i)->icon->availableSizes().contains(QSize(24, 12)));
    }
    TItem* first = list.first();
    QCOMPARE(TColorList::baseColorList().size(), 17);
    QCOMPARE(TColorList::baseColorList().first(), first);

    list = TColorList(); // emptied by a caller: filled again on the next call
    QVERIFY(list.isEmpty());
    QCOMPARE(TColorList::baseColorList().size(), 17);
    QCOMPARE(TColorList::baseColorList().at(5)->text, QString("Red"));
}

void TestColorValue::swatch()
{
    const QIcon icon = TColorList::makeIcon(QColor(Qt::red), 24, 12);
    QCOMPARE(icon.pixmap(24, 12).size(), QSize(24, 12));
    QCOMPARE(pixel(icon, 12, 6), QRgb(0xff0000));
    // The outline runs round all four edges.
    for (const QPoint& p : {QPoint(0, 0), QPoint(23, 6), QPoint(12, 11), QPoint(0, 6), QPoint(12, 0), QPoint(23, 11)})
        QCOMPARE(pixel(icon, p.x(), p.y()), QRgb(0));
}

void TestColorValue::copiesOwnTheirEntries()
{
    TColorList& base = TColorList::baseColorList();
    {
        TColorList copy(base);
        TColorList assigned;
        assigned = base;
        QCOMPARE(copy.size(), 17);
        QCOMPARE(assigned.size(), 17);
        QVERIFY(copy.ownsIcons());
        for (int i = 0; i < base.size(); ++i) {
            QVERIFY(copy.at(i) != base.at(i) && assigned.at(i) != base.at(i));
            QVERIFY(copy.at(i)->icon && copy.at(i)->icon != base.at(i)->icon);
            QVERIFY(assigned.at(i)->icon != base.at(i)->icon);
            QCOMPARE(copy.at(i)->text, base.at(i)->text);
            QCOMPARE(copy.at(i)->value, base.at(i)->value);
        }
    }
    QCOMPARE(base.at(16)->text, QString("Dark Yellow"));
    QCOMPARE(pixel(*base.at(5)->icon, 12, 6), QRgb(0xff0000));
}

void TestColorValue::registeredColorList()
{
    TColorList& list = TColorList::registeredColorList();
    QVERIFY(list.size() > 100);
    QCOMPARE(list.first()->text, QString("aliceblue"));
    QVERIFY(list.findItemByText("transparent"));
    TItem* navy = list.findItemByText("navy");
    QVERIFY(navy);
    QCOMPARE(qvariant_cast<QColor>(navy->value), QColor(0, 0, 128));
    QCOMPARE(TColorList::registeredColorList().size(), list.size());
}

void TestColorValue::findItem_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("found");
    QTest::newRow("QColor") << QVariant(QColor(255, 0, 0)) << "Red";
    QTest::newRow("#ff0000") << QVariant("#ff0000") << "Red";
    QTest::newRow("#000080") << QVariant("#000080") << "Dark Blue";
    QTest::newRow("#FF0000") << QVariant("#FF0000") << QString();
    QTest::newRow("red") << QVariant("red") << QString();
    QTest::newRow("alpha") << QVariant(QColor(255, 0, 0, 128)) << "Red";
    QTest::newRow("invalid") << QVariant() << QString();
}

void TestColorValue::findItem()
{
    QFETCH(QVariant, value);
    QFETCH(QString, found);
    TItem* entry = TColorList::baseColorList().findItem(value);
    QCOMPARE(entry ? entry->text : QString(), found);
}

void TestColorValue::setItem()
{
    TColorList list;
    TItem* navy = list.setItem(QVariant("navy"), "My color", nullptr);
    QVERIFY(navy);
    QCOMPARE(navy->text, QString("navy"));
    QCOMPARE(navy->value, QVariant(QColor(0, 0, 128)));
    QCOMPARE(list.setItem(QVariant(255))->text, QString("#0000ff"));
    QCOMPARE(list.setItem(QVariant(QColor(1, 2, 3, 4)))->value, QVariant(QColor(1, 2, 3, 4)));
    QVERIFY(!list.setItem(QVariant()));
    QVERIFY(!list.setItem(QVariant("bleu")));
    QVERIFY(!list.setItem(QVariant(-1)));
    QVERIFY(!list.setItem(QVariant(QColor())));
    QCOMPARE(list.size(), 3);
    QCOMPARE(pixel(*list.first()->icon, 12, 6), QRgb(0x000080));
}

void TestColorValue::validator_data()
{
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<int>("result");
    QTest::addColumn<QVariant>("output");
    const QVariant red = QColor(255, 0, 0);
    QTest::newRow("invalid variant") << QVariant() << I << QVariant();
    QTest::newRow("QColor") << red << V << red;
    QTest::newRow("invalid QColor") << QVariant(QColor()) << I << QVariant(QColor());
    QTest::newRow("alpha") << QVariant(QColor(255, 0, 0, 128)) << C << QVariant("#80ff0000");
    QTest::newRow("name") << QVariant("red") << V << QVariant("red");
    QTest::newRow("#rrggbb") << QVariant("#ff0000") << V << QVariant("#ff0000");
    QTest::newRow("upper case") << QVariant("#FF0000") << C << red;
    QTest::newRow("#rgb") << QVariant("#f00") << C << red;
    QTest::newRow("padded") << QVariant(" red ") << C << red;
    QTest::newRow("transparent") << QVariant("transparent") << V << QVariant("transparent");
    QTest::newRow("text 255") << QVariant("255") << C << QVariant(QColor(0, 0, 255));
    QTest::newRow("text 16711680") << QVariant("16711680") << C << red;
    QTest::newRow("text max") << QVariant("16777215") << C << QVariant(QColor(255, 255, 255));
    for (const char* bad : {"-1", "bleu", "", "nonsense", "  ", "#12345", "1e3"})
        QTest::newRow(bad) << QVariant(bad) << I << QVariant(bad);
    QTest::newRow("int") << QVariant(16711680) << C << red;
    QTest::newRow("double") << QVariant(255.0) << C << QVariant(QColor(0, 0, 255));
    QTest::newRow("int -1") << QVariant(-1) << I << QVariant(-1);
    QTest::newRow("QRgb") << QVariant(0x1000000) << C << QVariant(QColor(0, 0, 0));
    QTest::newRow("longlong") << QVariant(Q_INT64_C(1) << 40) << I << QVariant(Q_INT64_C(1) << 40);
    QTest::newRow("fraction") << QVariant(255.5) << I << QVariant(255.5);
    QTest::newRow("point") << QVariant(QPoint(1, 2)) << I << QVariant(QPoint(1, 2));
}

void TestColorValue::validator()
{
    QFETCH(QVariant, input);
    QFETCH(int, result);
    QFETCH(QVariant, output);
    QVariant v = input;
    QCOMPARE(int(TColorValidator::s_ColorValidator.checkValue(v)), result);
    QCOMPARE(v.userType(), output.userType());
    QCOMPARE(v, output);
    if (result == C) {
        QVERIFY(QRegularExpression("^#([0-9a-f]{2})?[0-9a-f]{6}$").match(v.toString()).hasMatch());
        QCOMPARE(int(TColorValidator::s_ColorValidator.checkValue(v)), V);
    }
}

void TestColorValue::settingValues_data()
{
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("name") << QVariant("red") << true << int(SK_Value) << "red";
    QTest::newRow("entry text") << QVariant("Red") << true << int(SK_ListItem) << "Red";
    QTest::newRow("#ff0000") << QVariant("#ff0000") << true << int(SK_ListItem) << "Red";
    QTest::newRow("#FF0000") << QVariant("#FF0000") << true << int(SK_ListItem) << "Red";
    QTest::newRow("number") << QVariant(0xff0000) << true << int(SK_ListItem) << "Red";
    QTest::newRow("own") << QVariant(QColor(0x1a, 0x2b, 0x3c)) << true << int(SK_Value) << "#1a2b3c";
    QTest::newRow("navy") << QVariant("navy") << true << int(SK_Value) << "navy";
    QTest::newRow("bleu") << QVariant("bleu") << false << int(SK_ListItem) << "Black";
    QTest::newRow("empty") << QVariant("") << false << int(SK_ListItem) << "Black";
}

void TestColorValue::settingValues()
{
    QFETCH(QVariant, input);
    QFETCH(bool, accepted);
    QFETCH(int, kind);
    QFETCH(QString, text);
    Form f;
    QCOMPARE(f.color->list(), &TColorList::baseColorList());
    QVERIFY(f.color->isOwnValues());
    QCOMPARE(f.color->linkType(), int(LT_Color));
    QCOMPARE(f.color->text(1), QString("Black"));
    QCOMPARE(f.color->setValue(input), accepted);
    QCOMPARE(f.color->value().kind, kind);
    QCOMPARE(f.color->text(1), text);
    const QColor shown = f.color->color();
    QVERIFY(shown.isValid());
    QColor written;
    f.color->writeValue(written);
    QCOMPARE(written, shown);
    if (kind == SK_Value) // an own value shows its own swatch
        QCOMPARE(pixel(f.color->icon(1), 12, 6), shown.rgb() & 0xFFFFFF);
}

void TestColorValue::typingInTheEditor()
{
    Form f;
    TDropList* editor = f.enter();
    QVERIFY(editor);
    const struct
    {
        const char* typed;
        const char* shown;
        int kind;
    } steps[] = {{"red", "red", SK_Value}, {"Red", "Red", SK_ListItem}, {"#00FF00", "Green", SK_ListItem}};
    for (const auto& step : steps) {
        editor->lineEdit()->selectAll();
        QTest::keyClicks(editor->comboBox(), step.typed);
        QTest::keyClick(editor->comboBox(), Qt::Key_Return);
        QCOMPARE(f.color->text(1), QString(step.shown));
        QCOMPARE(f.color->value().kind, step.kind);
    }
}

void TestColorValue::sameColorIsNoChange()
{
    Form f;
    f.color->setValue(QColor(255, 0, 1));
    f.browser.storeSet();
    QVERIFY(f.color->setValue("#ff0001"));
    QCOMPARE(f.color->value().value.userType(), int(QMetaType::QString));
    QVERIFY(!f.color->valueChanged());
    f.color->setValue("#ff0002");
    QVERIFY(f.color->valueChanged());
}

void TestColorValue::children()
{
    Form f;
    QCOMPARE(f.color->childCount(), 3);
    TIntegerValue* parts[] = {f.color->redValue(), f.color->greenValue(), f.color->blueValue()};
    const char* names[] = {"Red", "Green", "Blue"};
    for (int i = 0; i < 3; ++i) {
        QVERIFY(parts[i] && parts[i]->isChildMode() && !parts[i]->isSpecialsAllowed());
        QCOMPARE(parts[i]->text(0), QString(names[i]));
        QCOMPARE(parts[i]->validator(), TIntValidator::s_ByteValidator);
    }
    f.color->setValue("#ff0000");
    QCOMPARE(parts[0]->number(), 255);
    QCOMPARE(parts[1]->number(), 0);
    QVERIFY(parts[1]->setValue(128));
    QCOMPARE(f.color->text(1), QString("#ff8000"));
    QCOMPARE(f.color->value().kind, int(SK_Value));
    QVERIFY(parts[2]->setValue(300)); // clamped by the byte validator
    QCOMPARE(f.color->text(1), QString("#ff80ff"));

    f.color->setSpecial(SV_Default);
    QVERIFY(parts[0]->isHidden());
    f.color->setValue(QColor(10, 20, 30, 100)); // transparency is kept
    QCOMPARE(f.color->text(1), QString("#640a141e"));
    QVERIFY(!parts[0]->isHidden());
    QCOMPARE(parts[2]->number(), 30);

    delete parts[1];
    QVERIFY(!f.color->greenValue());
    QVERIFY(f.color->setValue("#010203"));
    QCOMPARE(parts[0]->number(), 1);
    QVERIFY(parts[0]->setValue(5)); // a part missing: the color stays
    QCOMPARE(f.color->text(1), QString("#010203"));
}

void TestColorValue::childEditRejectedByParent()
{
    Form f;
    f.color->allowOwnValues(false);
    f.color->setValue("Red");
    QVERIFY(f.color->greenValue()->setValue(128));
    QCOMPARE(f.color->text(1), QString("Red"));
    QCOMPARE(f.color->greenValue()->number(), 0); // put back to the row's color
}

void TestColorValue::specialValue()
{
    Form f;
    f.color->setValue("navy");
    QVERIFY(!f.color->icon(1).isNull());
    f.color->setSpecial(SV_Default);
    QCOMPARE(f.color->text(1), QString("Default"));
    QVERIFY(f.color->icon(1).isNull());
    QVERIFY(!f.color->color().isValid());
}

void TestColorValue::settingsRoundTrip_data()
{
    QTest::addColumn<int>("policy");
    QTest::newRow("current") << int(TValueBrowser::SP_Current);
    QTest::newRow("stored") << int(TValueBrowser::SP_Stored);
}

void TestColorValue::settingsRoundTrip()
{
    QFETCH(int, policy);
    const auto storing = TValueBrowser::EStoringPolicy(policy);
    const QVariant values[] = {QVariant("Dark Red"), QVariant(QColor(255, 0, 1)), QVariant("navy"), QVariant()};
    const char* texts[] = {"Dark Red", "#ff0001", "navy", "Default"};
    const char* stored[] = {"#800000", "#ff0001", "navy", "8"};
    const int kinds[] = {SK_ListItem, SK_Value, SK_Value, SK_Special};
    const QColor colors[] = {QColor(0x80, 0, 0), QColor(255, 0, 1), QColor(0, 0, 0x80), QColor()};

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath("colors.ini");
    {
        TValueBrowser browser;
        browser.setSpecialList(&TValueBrowser::s_specialList);
        browser.setStoringPolicy(storing);
        for (int i = 0; i < 4; ++i) {
            TColorValue* row = browser.addColor(0, QString("c%1").arg(i), "", QString("c%1").arg(i), nullptr);
            values[i].isValid() ? void(row->setValue(values[i])) : row->setSpecial(SV_Default);
        }
        browser.storeSet();
        if (storing == TValueBrowser::SP_Stored) {
            for (int i = 0; i < 4; ++i) // what is written is the stored set
                static_cast<TColorValue*>(browser.topLevelItem(i))->setValue("White");
        }
        QSettings settings(file, QSettings::IniFormat);
        browser.writeDataSet(settings);
    }
    QSettings raw(file, QSettings::IniFormat);
    for (int i = 0; i < 4; ++i) {
        const QString key = QString("c%1").arg(i);
        QCOMPARE(raw.value(key).userType(), int(QMetaType::QString));
        QCOMPARE(raw.value(key).toString(), QString(stored[i]));
        QCOMPARE(raw.value(key + ".Type").toInt(), kinds[i]);
    }

    TValueBrowser browser;
    browser.setSpecialList(&TValueBrowser::s_specialList);
    browser.setStoringPolicy(storing);
    QList<TColorValue*> rows;
    for (int i = 0; i < 4; ++i)
        rows << browser.addColor(0, QString("c%1").arg(i), "", QString("c%1").arg(i), nullptr);
    browser.readDataSet(raw);
    if (storing == TValueBrowser::SP_Stored) {
        QCOMPARE(rows[0]->text(1), QString("Black")); // not shown before restoreSet()
        browser.restoreSet();
    }
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(rows[i]->text(1), QString(texts[i]));
        QCOMPARE(rows[i]->value().kind, kinds[i]);
        QCOMPARE(rows[i]->color(), colors[i]);
    }
}

void TestColorValue::linkedRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath("linked.ini");
    QColor first(255, 0, 1);
    QColor second(Qt::red);
    {
        TValueBrowser browser;
        browser.setStoringPolicy(TValueBrowser::SP_Linked);
        browser.addColor(0, "A", "", "a", &first);
        browser.addColor(0, "B", "", "b", &second);
        QSettings settings(file, QSettings::IniFormat);
        browser.writeDataSet(settings);
    }
    {
        QSettings raw(file, QSettings::IniFormat);
        QCOMPARE(raw.value("a"), QVariant("#ff0001"));
        QCOMPARE(raw.value("b"), QVariant("#ff0000"));
        QVERIFY(!raw.contains("a.Type"));
        raw.setValue("c", "bleu");
    }
    QColor a, b, c(Qt::green);
    TValueBrowser browser;
    browser.setStoringPolicy(TValueBrowser::SP_Linked);
    browser.addColor(0, "A", "", "a", &a);
    browser.addColor(0, "B", "", "b", &b);
    browser.addColor(0, "C", "", "c", &c);
    QSettings settings(file, QSettings::IniFormat);
    browser.readDataSet(settings);
    QCOMPARE(a, first);
    QCOMPARE(b, second);
    QCOMPARE(c, QColor(Qt::green)); // not a color: the variable keeps its own
}

void TestColorValue::dialog_data()
{
    QTest::addColumn<bool>("button");
    QTest::addColumn<bool>("special");
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("text");
    for (bool button : {false, true}) {
        const QByteArray route = button ? "button " : "entry ";
        QTest::newRow(route + "red") << button << false << QColor(255, 0, 0) << true << "Red";
        QTest::newRow(route + "own") << button << false << QColor(255, 0, 1) << true << "#ff0001";
        QTest::newRow(route + "cancel") << button << false << QColor(255, 0, 1) << false << "navy";
        QTest::newRow(route + "special") << button << true << QColor(0, 0, 255) << true << "Blue";
    }
}

void TestColorValue::dialog()
{
    QFETCH(bool, button);
    QFETCH(bool, special);
    QFETCH(QColor, chosen);
    QFETCH(bool, accept);
    QFETCH(QString, text);
    Form f;
    special ? f.color->setSpecial(SV_NoValue) : void(f.color->setValue("navy"));
    TDropList* editor = f.enter();
    QVERIFY(editor);
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    DialogAnswer answer;
    answerDialog(&answer, chosen, accept);
    if (button) {
        auto* tool = qobject_cast<QToolButton*>(editor->buttonWidget());
        QVERIFY(tool);
        tool->click();
    } else {
        pickColorEntry(editor);
    }
    QTRY_VERIFY(answer.seen);
    QCOMPARE(answer.opened, special ? QColor(Qt::white) : QColor(0, 0, 128));
    QCOMPARE(f.color->text(1), text);
    QCOMPARE(picks.count(), accept ? 1 : 0);
    QCOMPARE(f.color->color(), accept ? chosen : QColor(0, 0, 128));
}

QTEST_MAIN(TestColorValue)
#include "tst_colorvalue.moc"
