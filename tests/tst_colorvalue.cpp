#include "tarvotest.h"

#include "tcolorvalue.h"
#include "tintegervalue.h"

#include <QColorDialog>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

using namespace tt;

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
        browser.show();
    }
    QColor colorVar = Qt::black;
    TValueBrowser browser;
    TColorValue* color = nullptr;
};

QRgb pixel(const QIcon& icon, int x, int y)
{
    return icon.pixmap(24, 12).toImage().pixel(x, y) & 0xFFFFFF;
}

} // namespace

class TestColorValue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void colorLists();
    void findAndSetItems();
    void validator_data();
    void validator();
    void settingValues_data();
    void settingValues();
    void children();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void dialog_data();
    void dialog();
};

void TestColorValue::colorLists()
{
    static const char* const texts[] = {"Black", "White", "Gray", "Light Gray", "Dark Gray", "Red", "Green",
                                        "Blue", "Cyan", "Magenta", "Yellow", "Dark Red", "Dark Green",
                                        "Dark Blue", "Dark Cyan", "Dark Magenta", "Dark Yellow"};
    static const char* const rgb[] = {"#000000", "#ffffff", "#a0a0a4", "#c0c0c0", "#808080", "#ff0000",
                                      "#00ff00", "#0000ff", "#00ffff", "#ff00ff", "#ffff00", "#800000",
                                      "#008000", "#000080", "#008080", "#800080", "#808000"};
    TColorList& base = TColorList::baseColorList();
    QCOMPARE(base.size(), 17);
    {
        // Copies own their entries and icons.
        TColorList copy(base);
        TColorList assigned;
        assigned = base;
        QVERIFY(copy.ownsIcons());
        for (int i = 0; i < 17; ++i) {
            QCOMPARE(base.at(i)->text, QString(texts[i]));
            QCOMPARE(base.at(i)->value.userType(), int(QMetaType::QColor));
            QCOMPARE(base.at(i)->value.toString(), QString(rgb[i]));
            QVERIFY(base.at(i)->icon->availableSizes().contains(QSize(24, 12)));
            QVERIFY(copy.at(i) != base.at(i) && copy.at(i)->icon && copy.at(i)->icon != base.at(i)->icon);
            QVERIFY(assigned.at(i)->icon != base.at(i)->icon && assigned.at(i)->value == base.at(i)->value);
        }
    }
    QCOMPARE(pixel(*base.at(5)->icon, 12, 6), QRgb(0xff0000));
    TItem* first = base.first();
    QVERIFY(TColorList::baseColorList().first() == first);
    base = TColorList(); // emptied by a caller: filled again on the next call
    QCOMPARE(TColorList::baseColorList().at(5)->text, QString("Red"));

    // The swatch's outline runs round all four edges.
    const QIcon icon = TColorList::makeIcon(QColor(Qt::red), 24, 12);
    QCOMPARE(pixel(icon, 12, 6), QRgb(0xff0000));
    for (const QPoint& p : {QPoint(0, 0), QPoint(23, 6), QPoint(12, 11), QPoint(0, 6), QPoint(12, 0), QPoint(23, 11)})
        QCOMPARE(pixel(icon, p.x(), p.y()), QRgb(0));

    TColorList& named = TColorList::registeredColorList();
    QVERIFY(named.size() > 100 && named.findItemByText("transparent"));
    QCOMPARE(named.first()->text, QString("aliceblue"));
    QCOMPARE(qvariant_cast<QColor>(named.findItemByText("navy")->value), QColor(0, 0, 128));
}

void TestColorValue::findAndSetItems()
{
    TColorList& base = TColorList::baseColorList();
    const auto found = [&](const QVariant& v) { return base.findItem(v) ? base.findItem(v)->text : QString(); };
    QCOMPARE(found(QColor(255, 0, 0)), QString("Red"));
    QCOMPARE(found("#000080"), QString("Dark Blue"));
    QCOMPARE(found(QColor(255, 0, 0, 128)), QString("Red")); // the RGB part decides
    for (const QVariant& none : {QVariant("#FF0000"), QVariant("red"), QVariant()})
        QCOMPARE(found(none), QString());

    TColorList list;
    TItem* navy = list.setItem(QVariant("navy"), "My color", nullptr);
    QCOMPARE(navy->text, QString("navy"));
    QCOMPARE(navy->value, QVariant(QColor(0, 0, 128)));
    QCOMPARE(list.setItem(QVariant(255))->text, QString("#0000ff"));
    QCOMPARE(list.setItem(QVariant(QColor(1, 2, 3, 4)))->value, QVariant(QColor(1, 2, 3, 4)));
    for (const QVariant& bad : {QVariant(), QVariant("bleu"), QVariant(-1), QVariant(QColor())})
        QVERIFY(!list.setItem(bad));
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
    QTest::newRow("text max") << QVariant("16777215") << C << QVariant(QColor(255, 255, 255));
    for (const char* bad : {"-1", "bleu", "", "  ", "#12345", "1e3"})
        QTest::newRow(bad) << QVariant(bad) << I << QVariant(bad);
    QTest::newRow("int") << QVariant(16711680) << C << red;
    QTest::newRow("double") << QVariant(255.0) << C << QVariant(QColor(0, 0, 255));
    QTest::newRow("int -1") << QVariant(-1) << I << QVariant(-1);
    QTest::newRow("QRgb") << QVariant(0xffff0000u) << C << red;
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
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("name") << "red" << true << int(SK_Value) << "red";
    QTest::newRow("entry text") << "Red" << true << int(SK_ListItem) << "Red";
    QTest::newRow("#FF0000") << "#FF0000" << true << int(SK_ListItem) << "Red";
    QTest::newRow("number") << "16711680" << true << int(SK_ListItem) << "Red";
    QTest::newRow("own") << "#1a2b3c" << true << int(SK_Value) << "#1a2b3c";
    QTest::newRow("bleu") << "bleu" << false << int(SK_ListItem) << "Black";
    QTest::newRow("empty") << "" << false << int(SK_ListItem) << "Black";
}

void TestColorValue::settingValues()
{
    QFETCH(QString, input);
    QFETCH(bool, accepted);
    QFETCH(int, kind);
    QFETCH(QString, text);
    Form f;
    QVERIFY(f.color->list() == &TColorList::baseColorList() && f.color->isOwnValues());
    QCOMPARE(f.color->linkType(), int(LT_Color));
    f.browser.storeSet();
    QCOMPARE(shown(f.color), QString("Black"));
    // Typed into the editor, and set by the program.
    type(f.color, input);
    QCOMPARE(f.color->value().kind, kind);
    QCOMPARE(shown(f.color), text);
    QCOMPARE(f.color->valueChanged(), accepted);
    f.color->setSpecial(SV_Default);
    QCOMPARE(f.color->setValue(input), accepted);
    if (!accepted)
        return;
    QCOMPARE(shown(f.color), text);
    const QColor color = f.color->color();
    f.browser.updateLinked();
    QCOMPARE(f.colorVar, color);
    if (kind == SK_Value) // an own value shows its own swatch
        QCOMPARE(pixel(f.color->icon(1), 12, 6), color.rgb() & 0xFFFFFF);
    if (!text.startsWith('#'))
        return;
    // The same own color in another form is no change.
    f.browser.storeSet();
    QVERIFY(f.color->setValue(color.name()));
    QVERIFY(!f.color->valueChanged());
}

void TestColorValue::children()
{
    Form f;
    QCOMPARE(f.color->childCount(), 3);
    // Rows made without the factory follow the class default; the
    // factory's rows always take own values.
    QVERIFY((new TColorValue(&f.browser, "Direct", nullptr))->isOwnValues());
    TColorValue::setDefaultUseOwnValues(false);
    QVERIFY(!(new TColorValue(&f.browser, "Strict", nullptr))->isOwnValues());
    QVERIFY(f.browser.addColor(0, "Own", "", "", nullptr)->isOwnValues());
    TColorValue::setDefaultUseOwnValues(true);
    TIntegerValue* parts[] = {f.color->redValue(), f.color->greenValue(), f.color->blueValue()};
    const char* names[] = {"Red", "Green", "Blue"};
    for (int i = 0; i < 3; ++i) {
        QVERIFY(parts[i]->isChildMode() && !parts[i]->isSpecialsAllowed());
        QCOMPARE(parts[i]->text(0), QString(names[i]));
        QVERIFY(parts[i]->validator() == TIntValidator::s_ByteValidator);
    }
    // "red" and the entry "Red" are one color but different picks.
    type(f.color, "red");
    QCOMPARE(f.color->value().kind, int(SK_Value));
    type(f.color, "Red");
    QCOMPARE(f.color->value().kind, int(SK_ListItem));
    QVERIFY(parts[0]->number() == 255 && parts[1]->number() == 0);
    type(parts[1], "128");
    QCOMPARE(shown(f.color), QString("#ff8000"));
    QVERIFY(parts[2]->setValue(300)); // clamped by the byte validator
    QCOMPARE(shown(f.color), QString("#ff80ff"));

    // A special hides the parts and shows no swatch; an own value keeps its
    // transparency.
    f.color->setSpecial(SV_Default);
    QVERIFY(parts[0]->isHidden() && f.color->icon(1).isNull() && !f.color->color().isValid());
    f.color->setValue(QColor(10, 20, 30, 100));
    QCOMPARE(shown(f.color), QString("#640a141e"));
    QVERIFY(!parts[0]->isHidden());
    QCOMPARE(parts[2]->number(), 30);

    // Without own values a part's change is refused and put back.
    f.color->allowOwnValues(false);
    f.color->setValue("Red");
    QVERIFY(parts[1]->setValue(128));
    QCOMPARE(shown(f.color), QString("Red"));
    QCOMPARE(parts[1]->number(), 0);
    f.color->allowOwnValues(true);

    // A part missing: the color stays.
    delete parts[1];
    QVERIFY(!f.color->greenValue());
    QVERIFY(f.color->setValue("#010203"));
    QVERIFY(parts[0]->setValue(5));
    QCOMPARE(shown(f.color), QString("#010203"));
}

void TestColorValue::settingsRoundTrip_data()
{
    QTest::addColumn<int>("policy");
    QTest::newRow("current") << int(TValueBrowser::SP_Current);
    QTest::newRow("stored") << int(TValueBrowser::SP_Stored);
    QTest::newRow("linked") << int(TValueBrowser::SP_Linked);
}

void TestColorValue::settingsRoundTrip()
{
    QFETCH(int, policy);
    const auto storing = TValueBrowser::EStoringPolicy(policy);
    const bool linked = storing == TValueBrowser::SP_Linked;
    const QVariant values[] = {QVariant("Dark Red"), QVariant(QColor(255, 0, 1)), QVariant("navy"), QVariant()};
    const char* texts[] = {"Dark Red", "#ff0001", "navy", "Default"};
    const char* stored[] = {"#800000", "#ff0001", linked ? "#000080" : "navy", "8"};
    const int kinds[] = {SK_ListItem, SK_Value, SK_Value, SK_Special};
    const QColor colors[] = {QColor(0x80, 0, 0), QColor(255, 0, 1), QColor(0, 0, 0x80), QColor()};
    const int rows = 4;
    QColor vars[4];
    QTemporaryDir dir;
    const QString file = dir.filePath("colors.ini");
    const auto fill = [&](TValueBrowser& b) {
        QList<TColorValue*> list;
        b.setSpecialList(&TValueBrowser::s_specialList);
        b.setStoringPolicy(storing);
        for (int i = 0; i < rows; ++i)
            list << b.addColor(0, QString("c%1").arg(i), "", QString("c%1").arg(i), &vars[i]);
        return list;
    };
    {
        TValueBrowser browser;
        const QList<TColorValue*> list = fill(browser);
        for (int i = 0; i < rows; ++i)
            values[i].isValid() ? void(list[i]->setValue(values[i])) : list[i]->setSpecial(SV_Default);
        browser.storeSet();
        browser.updateLinked();
        for (TColorValue* row : list) { // what the stored or linked policy writes is not the row
            if (storing != TValueBrowser::SP_Current)
                row->setValue("White");
        }
        QSettings settings(file, QSettings::IniFormat);
        browser.writeDataSet(settings);
    }
    QSettings raw(file, QSettings::IniFormat);
    for (int i = 0; i < (linked ? 3 : 4); ++i) {
        const QString key = QString("c%1").arg(i);
        QCOMPARE(raw.value(key).userType(), int(QMetaType::QString));
        QCOMPARE(raw.value(key).toString(), QString(stored[i]));
        QCOMPARE(raw.value(key + ".Type").toInt(), linked ? 0 : kinds[i]);
    }
    raw.setValue("c3", linked ? "bleu" : raw.value("c3").toString());
    raw.sync();
    for (QColor& var : vars)
        var = Qt::green;
    TValueBrowser browser;
    const QList<TColorValue*> list = fill(browser);
    browser.readDataSet(raw);
    if (storing == TValueBrowser::SP_Stored) {
        QCOMPARE(shown(list[0]), QString("Black")); // not shown before restoreSet()
        browser.restoreSet();
    }
    for (int i = 0; i < 3 + !linked; ++i) {
        if (linked) {
            QCOMPARE(vars[i], colors[i]);
            continue;
        }
        QCOMPARE(shown(list[i]), QString(texts[i]));
        QCOMPARE(list[i]->value().kind, kinds[i]);
        QCOMPARE(list[i]->color(), colors[i]);
    }
    QCOMPARE(vars[3], QColor(Qt::green)); // "bleu" is no color: the variable keeps its own
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
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    QColor opened;
    const std::function<void(QColorDialog*)> answer = [&](QColorDialog* dialog) {
        opened = dialog->currentColor();
        dialog->setCurrentColor(chosen);
        accept ? dialog->accept() : dialog->reject();
    };
    if (button) {
        QVERIFY(clickDots<QColorDialog>(f.color, answer));
    } else {
        ModalAnswer<QColorDialog> driver(answer);
        QVERIFY(pick(f.color, "Pick color..."));
        QTRY_VERIFY(driver.seen());
    }
    QCOMPARE(opened, special ? QColor(Qt::white) : QColor(0, 0, 128));
    QCOMPARE(shown(f.color), text);
    QCOMPARE(picks.count(), accept ? 1 : 0);
    QCOMPARE(f.color->color(), accept ? chosen : QColor(0, 0, 128));
}

QTEST_MAIN(TestColorValue)
#include "tst_colorvalue.moc"
