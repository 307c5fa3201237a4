#include "tarvotest.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolTip>

#include "tboolvalue.h"
#include "tcolorvalue.h"
#include "tfontvalue.h"
#include "tintegervalue.h"

using namespace tt;

namespace {

constexpr int I = TValueValidator::VR_Invalid;
constexpr int V = TValueValidator::VR_Valid;
constexpr int C = TValueValidator::VR_Corrected;

QString firstFamily()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QFontDatabase::families().value(0);
#else
    return QFontDatabase().families().value(0);
#endif
}

QFont styled(const QString& family, int size, int weight, bool italic, bool underline = false, bool strikeOut = false)
{
    QFont f(family, size, weight, italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeOut);
    return f;
}

// The attributes a font value keeps, in one comparable text.
QString kept(const QFont& f)
{
    return QStringLiteral("%1 %2pt w%3 i%4 u%5 s%6").arg(f.family()).arg(f.pointSize()).arg(f.weight())
        .arg(f.italic()).arg(f.underline()).arg(f.strikeOut());
}

QRgb pixel(const QIcon& icon, int x, int y)
{
    return icon.pixmap(24, 12).toImage().pixel(x, y) & 0xFFFFFF;
}

// Counts the messages logged while it lives.
int s_messages = 0;
struct MessageCount
{
    QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) { ++s_messages; });
    ~MessageCount() { qInstallMessageHandler(previous); }
};

struct Form
{
    Form()
    {
        courier.setItem(QVariant(QStringLiteral("Courier")));
        courier.setItem(QVariant(QStringLiteral("Courier New")));
        browser.setSpecialList(&TValueBrowser::s_specialList);
        color = browser.addColor(0, "Color", "", "color", &colorVar);
        font = browser.addFont(0, "Font", "", "font", &fontVar, &courier);
        browser.show();
    }
    TFontList courier;
    QColor colorVar = Qt::black;
    QFont fontVar;
    TValueBrowser browser;
    TColorValue* color = nullptr;
    TFontValue* font = nullptr;
};

} // namespace

class TestColorFontValues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void lists();
    void colorValues_data();
    void colorValues();
    void colorChildren();
    void fontValues_data();
    void fontValues();
    void fontChanged_data();
    void fontChanged();
    void fontRowAndChildren();
    void settings();
    void dialogs_data();
    void dialogs();
};

void TestColorFontValues::lists()
{
    TColorList& base = TColorList::baseColorList();
    QStringList entries;
    for (const TItem* item : base)
        entries << item->text + '=' + item->value.toString();
    QCOMPARE(entries.join(' '), QString("Black=#000000 White=#ffffff Gray=#a0a0a4 Light Gray=#c0c0c0 "
        "Dark Gray=#808080 Red=#ff0000 Green=#00ff00 Blue=#0000ff Cyan=#00ffff Magenta=#ff00ff Yellow=#ffff00 "
        "Dark Red=#800000 Dark Green=#008000 Dark Blue=#000080 Dark Cyan=#008080 Dark Magenta=#800080 "
        "Dark Yellow=#808000"));
    for (const TColorList& copy : {TColorList(base), TColorList(TColorList::registeredColorList())})
        QVERIFY(copy.ownsIcons() && copy.first() != base.first() && copy.first()->icon != base.first()->icon);
    base = TColorList(); // emptied by a caller: filled again on the next call
    QCOMPARE(pixel(*TColorList::baseColorList().at(5)->icon, 12, 6), QRgb(0xff0000));
    // The swatch's outline runs round all four edges.
    const QIcon icon = TColorList::makeIcon(QColor(Qt::red), 24, 12);
    for (const QPoint& p : {QPoint(0, 0), QPoint(23, 6), QPoint(12, 11), QPoint(0, 6), QPoint(12, 0), QPoint(23, 11)})
        QCOMPARE(pixel(icon, p.x(), p.y()), QRgb(0));
    QCOMPARE(TColorList::registeredColorList().first()->text, QString("aliceblue"));
    // Lookup by color (the RGB part decides); entries made from any color form.
    const auto found = [](const QVariant& v) {
        const TItem* item = TColorList::baseColorList().findItem(v);
        return item ? item->text : QString();
    };
    QCOMPARE(found(QColor(255, 0, 0, 128)) + found("#000080") + found("#FF0000") + found("red"), "RedDark Blue");
    TColorList own;
    QVERIFY(own.setItem(QVariant("navy"), "My color", nullptr)->value == QVariant(QColor(0, 0, 128)));
    QCOMPARE(own.setItem(QVariant(255))->text, QString("#0000ff"));
    QCOMPARE(own.setItem(QVariant(QColor(1, 2, 3, 4)))->value, QVariant(QColor(1, 2, 3, 4)));
    for (const QVariant& bad : {QVariant(), QVariant("bleu"), QVariant(-1), QVariant(QColor())})
        QVERIFY(!own.setItem(bad));
    QCOMPARE(own.first()->text + QString::number(own.size()), "navy3");

    // Fonts: the standard sizes, and every family (the default one too) in
    // copies of their own; entries are families, matched exactly.
    QList<QVariant> sizes, standard;
    for (const TItem* item : TFontList::defaultFontSizeList())
        sizes << item->value;
    for (int size : QFontDatabase::standardSizes())
        standard << size;
    QCOMPARE(sizes, standard);
    QStringList families;
    for (const TItem* item : TFontList::fullFontList())
        families << item->value.toString() + (item->text == item->value.toString() && !item->icon ? "" : "!");
    QVERIFY(families.contains(QFont().family()) && families.first() == firstFamily());
    TFontList copy(TFontList::fullFontList());
    QVERIFY(copy.first() != TFontList::fullFontList().first() && copy.size() == families.size());
    TItem* serif = copy.setItem(QVariant(QFont("Serif", 12)));
    QVERIFY(serif->value == QStringLiteral("Serif") && serif->text == QStringLiteral("Serif"));
    QVERIFY(copy.compareComboItem(serif->value, QVariant(QFont("Serif", 30))));
    QVERIFY(!copy.compareComboItem(serif->value, QVariant(QFont("serif"))));
    QCOMPARE(TFontValue::defaultFont().family(), QFont().family());
    TFontValue::setDefaultFont(QStringLiteral("Tarvo Default"));
    Form f;
    QCOMPARE((new TFontValue(&f.browser, "New", nullptr))->font().family(), QStringLiteral("Tarvo Default"));
    TFontValue::setDefaultFont(QString());
    QCOMPARE(TFontValue::defaultFont().family(), QFont().family());
}

void TestColorFontValues::colorValues_data()
{
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<int>("result");
    QTest::addColumn<QVariant>("output");
    QTest::addColumn<QString>("text");
    const QVariant red = QColor(255, 0, 0), blue = QColor(0, 0, 255);
    const auto row = [](const char* name, const QVariant& in, int result, const QVariant& out, const char* text) {
        QTest::newRow(name) << in << result << (result == I ? in : out) << QString(text);
    };
    for (const char* same : {"red", "transparent", "#1a2b3c"})
        row(same, same, V, same, same);
    row("#ff0000", "#ff0000", V, "#ff0000", "Red");
    row("Red entry", "Red", V, "Red", "Red");
    row("upper case", "#FF0000", C, red, "Red");
    row("#rgb", "#f00", C, red, "Red");
    row("padded", " red ", C, red, "Red");
    row("text 255", "255", C, blue, "Blue");
    row("text max", "16777215", C, QColor(255, 255, 255), "White");
    for (const char* bad : {"-1", "bleu", "", "  ", "#12345", "1e3"})
        row(bad, bad, I, {}, "Black");
    row("QColor", red, V, red, "Red");
    row("alpha", QColor(255, 0, 0, 128), C, "#80ff0000", "#80ff0000");
    row("int", 16711680, C, red, "Red");
    row("double", 255.0, C, blue, "Blue");
    row("QRgb", 0xffff0000u, C, red, "Red");
    row("bytes", QByteArray("lightpink"), V, QByteArray("lightpink"), "lightpink");
    for (const QVariant& bad : {QVariant(), QVariant(QColor()), QVariant(-1), QVariant(Q_INT64_C(1) << 40),
                                QVariant(255.5), QVariant(QPoint(1, 2))})
        row(bad.typeName() ? bad.typeName() : "invalid", bad, I, {}, "Black");
}

void TestColorFontValues::colorValues()
{
    QFETCH(QVariant, input);
    QFETCH(int, result);
    QFETCH(QVariant, output);
    QFETCH(QString, text);
    QVariant v = input;
    QCOMPARE(int(TColorValidator::s_ColorValidator.checkValue(v)), result);
    QVERIFY(v.userType() == output.userType() && v == output);
    if (result == C) { // corrected to a "#rrggbb" or "#aarrggbb" text, or a color
        QVERIFY(v.userType() == QMetaType::QColor || QColor::isValidColor(v.toString()));
        QCOMPARE(int(TColorValidator::s_ColorValidator.checkValue(v)), V);
    }
    // A row takes what the validator takes: typed into the editor, or set by
    // the program. It shows the list's entry for a color in the list.
    Form f;
    f.browser.storeSet();
    if (input.userType() == QMetaType::QString)
        type(f.color, input.toString());
    else
        QCOMPARE(f.color->setValue(input), result != I);
    QCOMPARE(shown(f.color), text);
    QCOMPARE(f.color->value().kind, int(text.at(0).isUpper() ? SK_ListItem : SK_Value));
    QCOMPARE(f.color->valueChanged(), result != I);
    f.color->setSpecial(SV_Default);
    QCOMPARE(f.color->setValue(input), result != I);
    if (result == I)
        return;
    QCOMPARE(shown(f.color), text);
    const QColor color = f.color->color();
    f.browser.updateLinked();
    QCOMPARE(f.colorVar, color);
    QVERIFY(color.alpha() < 255 || pixel(f.color->icon(1), 12, 6) == (color.rgb() & 0xFFFFFF));
    // The same own color in another form is no change.
    f.browser.storeSet();
    QVERIFY(!text.startsWith('#') || (f.color->setValue(color) && !f.color->valueChanged()));
}

void TestColorFontValues::colorChildren()
{
    Form f;
    // Rows made without the factory follow the class default; the factory's always take own values.
    QVERIFY((new TColorValue(&f.browser, "Direct", nullptr))->isOwnValues());
    TColorValue::setDefaultUseOwnValues(false);
    QVERIFY(!(new TColorValue(&f.browser, "Strict", nullptr))->isOwnValues());
    QVERIFY(f.browser.addColor(0, "Own", "", "", nullptr)->isOwnValues());
    TColorValue::setDefaultUseOwnValues(true);
    TIntegerValue* parts[] = {f.color->redValue(), f.color->greenValue(), f.color->blueValue()};
    QCOMPARE(f.color->childCount(), 3);
    QCOMPARE(parts[0]->text(0) + parts[1]->text(0) + parts[2]->text(0), "RedGreenBlue");
    // "red" and the entry "Red" are one color but different picks.
    type(f.color, "red");
    type(f.color, "Red");
    QVERIFY(f.color->value().kind == SK_ListItem && parts[0]->number() == 255 && parts[1]->number() == 0);
    type(parts[1], "128");
    QCOMPARE(shown(f.color), QString("#ff8000"));
    type(parts[2], "300"); // clamped to a byte
    QCOMPARE(shown(f.color), QString("#ff80ff"));
    // A special hides the parts and shows no swatch; an own value keeps its transparency.
    f.color->setSpecial(SV_Default);
    QVERIFY(parts[0]->isHidden() && f.color->icon(1).isNull() && !f.color->color().isValid());
    QVERIFY(f.color->setValue(QColor(10, 20, 30, 100)) && shown(f.color) == "#640a141e");
    QVERIFY(!parts[0]->isHidden() && parts[2]->number() == 30);
    // Without own values a part's change is refused and put back.
    f.color->allowOwnValues(false);
    QVERIFY(f.color->setValue("Red") && parts[1]->setValue(128));
    QVERIFY(shown(f.color) == "Red" && parts[1]->number() == 0);
    f.color->allowOwnValues(true);
    // A part missing: the color stays.
    delete parts[1];
    QVERIFY(!f.color->greenValue() && f.color->setValue("#010203") && parts[0]->setValue(5));
    QCOMPARE(shown(f.color), QString("#010203"));
}

void TestColorFontValues::fontValues_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QFont>("font");
    const QFont start = styled("Serif", 17, QFont::Bold, true, true, false);
    const auto row = [&start](const char* name, const QVariant& value, const char* family, const QFont& font = {}) {
        QFont f(start);
        f.setFamily(QString::fromLatin1(family));
        QTest::newRow(name) << value << bool(family) << (!family ? start : *family ? f : font);
    };
    // A typed family is completed from the list; a whole font is no abbreviation.
    row("prefix of the first", "Cour", "Courier");
    row("prefix of the second", "Courier N", "Courier New");
    row("exact second", "Courier New", "Courier New");
    row("no entry", "Times", "Times");
    row("case-sensitive", "cour", "cour");
    row("blanks around a family", " Times\n", "Times");
    row("font", QFont("Cour", 11), "", QFont("Cour", 11));
    const QFont full = styled("Cour", 9, QFont::Bold, false, true, true);
    row("description", full.toString(), "", full);
    row("short description", "Courier New,14", "", QFont("Courier New", 14));
    // A family must read back from its own description.
    for (const char* bad : {"", "\n", "Times,Bold", "a,b,c"})
        row(("refused " + QByteArray(bad).toPercentEncoding()).constData(), bad, nullptr);
    row("number", 42, nullptr);
    row("invalid", QVariant(), nullptr);
    row("no family", QFont(QString(), 10), nullptr);
}

void TestColorFontValues::fontValues()
{
    QFETCH(QVariant, value);
    QFETCH(bool, accepted);
    QFETCH(QFont, font);
    Form f;
    QVERIFY(f.font->setValue(QVariant(styled("Serif", 17, QFont::Bold, true, true, false))));
    s_messages = 0;
    {
        MessageCount count;
        QCOMPARE(f.font->setValue(value), accepted);
    }
    QCOMPARE(s_messages, 0); // no complaints from the font parser either
    QCOMPARE(kept(f.font->font()), kept(font));
    QVERIFY(f.font->value().kind == SK_ListItem && !f.font->currentEntry());
    QCOMPARE(shown(f.font), QStringLiteral("%1 [%2]").arg(font.family()).arg(font.pointSize()));
    // The shown text reads back as that font.
    f.browser.storeSet();
    type(f.font, shown(f.font));
    QCOMPARE(kept(f.font->font()), kept(font));
    QVERIFY(!f.font->valueChanged());
}

void TestColorFontValues::fontChanged_data()
{
    QTest::addColumn<QFont>("a");
    QTest::addColumn<QFont>("b");
    QTest::addColumn<bool>("changed");
    const QFont base("Courier", 10), demiBold("Courier", 10, QFont::DemiBold);
    QFont pixels(base), stretched(base);
    pixels.setPixelSize(13);
    stretched.setStretch(150);
    stretched.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    QTest::newRow("same") << base << base << false;
    QTest::newRow("demibold vs bold") << demiBold << QFont("Courier", 10, QFont::Bold) << false;
    QTest::newRow("normal vs demibold") << base << demiBold << true;
    QTest::newRow("family case") << base << QFont("courier", 10) << true;
    QTest::newRow("point size") << base << QFont("Courier", 11) << true;
    QTest::newRow("pixel size") << base << pixels << true;
    QTest::newRow("italic") << base << QFont("Courier", 10, QFont::Normal, true) << true;
    QTest::newRow("underline") << base << styled("Courier", 10, QFont::Normal, false, true) << true;
    QTest::newRow("strike out") << base << styled("Courier", 10, QFont::Normal, false, false, true) << true;
    QTest::newRow("stretch and spacing") << base << stretched << false;
}

void TestColorFontValues::fontChanged()
{
    QFETCH(QFont, a);
    QFETCH(QFont, b);
    QFETCH(bool, changed);
    Form f;
    QCOMPARE(f.font->valueChanged(QVariant(a), QVariant(b)), changed);
    QCOMPARE(f.font->valueChanged(QVariant(a.toString()), QVariant(b)), changed);
    // What the row reports after a change from a to b.
    QVERIFY(f.font->setValue(a));
    f.browser.storeSet();
    QVERIFY(f.font->setValue(b) && f.font->valueChanged() == changed);
}

void TestColorFontValues::fontRowAndChildren()
{
    Form f;
    TFontValue* row = f.font;
    QVERIFY(f.browser.addFont(0, "Full", "", "", nullptr)->list() == &TFontList::fullFontList());
    const QFont bold("Courier", 13, QFont::Bold);
    QVERIFY(row->setValue(QVariant(bold)));
    QVERIFY(qvariant_cast<QFont>(row->data(1, ToolTipFontRole)) == bold && !row->icon(1).isNull());
    row->setSpecial(SV_Default);
    QVERIFY(qvariant_cast<QFont>(row->data(1, ToolTipFontRole)) == QFont() && row->icon(1).isNull());
    QCOMPARE(row->font(), QFont());
    // The popup: the families, then "Pick font...", the current family selected.
    const QFont tip("Tarvo Tip", 9);
    QToolTip::setFont(tip);
    QVERIFY(row->setValue(QVariant(QFont("Courier New", 14))));
    TComboBox* combo = open(row)->comboBox();
    combo->ensureFilled();
    const int last = combo->count() - 1;
    QVERIFY(combo->itemText(last) == "Pick font..." && combo->entryEditor(last) == &TFontValue::s_FontComboEditor);
    QVERIFY(combo->findText("Courier") >= 0 && combo->currentIndex() == combo->findText("Courier New"));
    // A family outside the list is shown as the value.
    QVERIFY(row->setValue(QVariant(QStringLiteral("Tarvo Serif"))));
    QCOMPARE(row->editor()->lineEdit()->text(), QStringLiteral("Tarvo Serif [14]"));
    // Highlighting an entry shows the tip in its family; leaving the row puts
    // the application's tip font back.
    QVariant family(QStringLiteral("Courier New"));
    f.courier.highlightComboItem(family, 1, combo, QPoint(10, 10));
    QCOMPARE(QToolTip::font().family(), QStringLiteral("Courier New"));
    open(f.color);
    QCOMPARE(QToolTip::font(), tip);

    // Children: the size and four switches, in step with the font both ways.
    const QList<TBaseValue*> parts = row->childValues();
    QStringList names;
    for (const TBaseValue* child : parts)
        names << child->text(0);
    QCOMPARE(names.join(','), "Size,Bold,Italic,Underline,Striked Out");
    QCOMPARE(parts.at(0)->list(), &TFontList::defaultFontSizeList());
    const auto on = [&](int i) { return static_cast<TBoolValue*>(parts.at(i))->boolean(); };
    // Parent to children; that update does not come back (weight stays demibold).
    QVERIFY(row->setValue(QVariant(styled("Courier", 14, QFont::DemiBold, true, false, true))));
    QVERIFY(parts.at(0)->number() == 14 && on(1) && on(2) && !on(3) && on(4));
    QCOMPARE(int(row->font().weight()), int(QFont::DemiBold));
    // Children to parent: the font is built anew from them.
    QVERIFY(parts.at(4)->setValue(false));
    QCOMPARE(kept(row->font()), kept(QFont("Courier", 14, QFont::Bold, true)));
    QVERIFY(parts.at(1)->setValue(false));
    type(parts.at(0), "13");
    QVERIFY(parts.at(0)->value().kind == SK_Value && shown(row) == "Courier [13]");
    // A child row deleted by the application leaves its part alone.
    delete parts.at(2);
    QVERIFY(!row->registeredChild(2) && parts.at(3)->setValue(true));
    QCOMPARE(kept(row->font()), kept(styled("Courier", 13, QFont::Normal, true, true, false)));
    QVERIFY(row->setValue(QVariant(QFont("Courier", 9))) && parts.at(0)->number() == 9);
    QFont pixels("Tarvo Sans");
    pixels.setPixelSize(20);
    QVERIFY(row->setValue(QVariant(pixels)) && row->valueText() == "Tarvo Sans [-1]");
}

void TestColorFontValues::settings()
{
    // Color rows: what is set, the text written (stored as given, linked as
    // the variable's color) and the kind; a font row.
    const struct {
        QVariant value;
        const char *stored, *linked;
        int kind;
    } rows[] = {{"Dark Red", "#800000", "#800000", SK_ListItem},
                {QColor(255, 0, 1), "#ff0001", "#ff0001", SK_Value},
                {"navy", "navy", "#000080", SK_Value},
                {QVariant(), "8", nullptr, SK_Special}};
    const QFont font = styled("Tarvo Mono", 17, QFont::Bold, true, true, true), other("Courier", 9);
    QTemporaryDir dir;
    for (const bool linked : {false, true}) {
        QSettings file(dir.filePath(linked ? "linked.ini" : "current.ini"), QSettings::IniFormat);
        QColor vars[4];
        QFont fontVar;
        QList<TBaseValue*> written, read;
        TValueBrowser a, b;
        for (TValueBrowser* browser : {&a, &b}) {
            browser->setSpecialList(&TValueBrowser::s_specialList);
            browser->setStoringPolicy(linked ? TValueBrowser::SP_Linked : TValueBrowser::SP_Current);
            QList<TBaseValue*>& list = browser == &a ? written : read;
            for (int i = 0; i < 4; ++i)
                list << browser->addColor(0, QString::number(i), "", QString("c%1").arg(i), &vars[i]);
            list << browser->addFont(0, "f", "", "f", &fontVar);
        }
        for (int i = 0; i < 4; ++i)
            rows[i].value.isValid() ? void(written[i]->setValue(rows[i].value)) : written[i]->setSpecial(SV_Default);
        QVERIFY(written[4]->setValue(font));
        a.updateLinked();
        for (int i = 0; linked && i < 5; ++i) // the linked policy writes the variables, not the rows
            written[i]->setValue(i < 4 ? QVariant("White") : QVariant(other));
        a.writeDataSet(file);
        QCOMPARE(file.value("f"), QVariant(font.toString()));
        for (int i = 0; i < 4 - linked; ++i) {
            const QVariant text = file.value(QString("c%1").arg(i));
            QVERIFY(text.userType() == QMetaType::QString && text == (linked ? rows[i].linked : rows[i].stored));
            QCOMPARE(file.value(QString("c%1.Type").arg(i)).toInt(), linked ? 0 : rows[i].kind);
        }
        if (linked)
            file.setValue("c3", "bleu");
        file.sync();
        std::fill(std::begin(vars), std::end(vars), QColor(Qt::green));
        fontVar = other;
        b.readDataSet(file);
        QCOMPARE(kept(fontVar), kept(linked ? font : other));
        QCOMPARE(kept(static_cast<TFontValue*>(read[4])->font()), kept(linked ? QFont() : font));
        for (int i = 0; i < 4; ++i) { // "bleu" is no color: the variable keeps its own
            QCOMPARE(linked ? vars[i] : static_cast<TColorValue*>(read[i])->color(),
                     !linked ? static_cast<TColorValue*>(written[i])->color() : QColor(rows[i].linked ? rows[i].linked : "#00ff00"));
            QVERIFY(linked || (shown(read[i]) == shown(written[i]) && read[i]->value().kind == rows[i].kind));
        }
    }
}

void TestColorFontValues::dialogs_data()
{
    QTest::addColumn<bool>("font");
    QTest::addColumn<bool>("button");
    QTest::addColumn<bool>("special");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QVariant>("chosen");
    QTest::addColumn<QString>("text");
    const QString family = firstFamily();
    const QVariant big = QFont(family, 22);
    for (bool button : {false, true}) {
        const auto row = [button](const char* name, bool font, bool special, bool accept, const QVariant& chosen,
                                  const QString& text) {
            QTest::addRow("%s %s", button ? "button" : "entry", name)
                << font << button << special << accept << chosen << text;
        };
        row("red", false, false, true, QColor(Qt::red), "Red");
        row("own", false, false, true, QColor(255, 0, 1), "#ff0001");
        row("cancel", false, false, false, QColor(Qt::red), "navy");
        row("special", false, true, true, QColor(Qt::blue), "Blue");
        row("font", true, false, true, big, family + " [22]");
        row("font cancel", true, false, false, big, family + " [19]");
        row("font special", true, true, true, big, family + " [22]");
    }
    QTest::newRow("font button, plain row") << true << true << false << true << big << QString();
}

void TestColorFontValues::dialogs()
{
    QFETCH(bool, font);
    QFETCH(bool, button);
    QFETCH(bool, special);
    QFETCH(bool, accept);
    QFETCH(QVariant, chosen);
    QFETCH(QString, text);
    if (font && firstFamily().isEmpty())
        QSKIP("no fonts to pick from");
    Form f;
    const QFont start(firstFamily(), 19);
    TBaseValue* row = font ? static_cast<TBaseValue*>(f.font) : f.color;
    if (text.isEmpty()) { // the font button serves any row
        row = f.browser.addValue(0, "Any", "", "", nullptr, LT_Variant);
        row->setButtonEditor(&TFontValue::s_FontButtonEditor);
    }
    QVERIFY(row->setValue(text.isEmpty() ? QVariant(start.toString()) : font ? QVariant(start) : QVariant("navy")));
    if (special)
        row->setSpecial(SV_Default);
    const SValue before = row->value();
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    QVariant opened, picked;
    const std::function<void(QDialog*)> answer = [&](QDialog* dialog) {
        auto* fonts = qobject_cast<QFontDialog*>(dialog);
        auto* colors = qobject_cast<QColorDialog*>(dialog);
        QVERIFY(fonts || colors);
        opened = fonts ? QVariant(fonts->currentFont().pointSize()) : QVariant(colors->currentColor());
        fonts ? fonts->setCurrentFont(chosen.value<QFont>()) : colors->setCurrentColor(chosen.value<QColor>());
        accept ? dialog->accept() : dialog->reject();
        picked = fonts ? QVariant(fonts->selectedFont()) : QVariant(colors->selectedColor());
    };
    if (button) {
        QVERIFY(clickDots<QDialog>(row, answer));
    } else {
        ModalAnswer<QDialog> driver(answer);
        QVERIFY(pick(row, font ? "Pick font..." : "Pick color..."));
        QTRY_VERIFY(driver.seen());
    }
    QCOMPARE(opened, font ? QVariant(special ? QFont().pointSize() : 19)
                          : QVariant(special ? QColor(Qt::white) : QColor(0, 0, 128)));
    QVERIFY(text.isEmpty() || shown(row) == text);
    QCOMPARE(picks.count(), int(accept));
    if (!accept) {
        QVERIFY(row->value().kind == before.kind && row->value().value == before.value);
    } else if (!font) {
        QCOMPARE(f.color->color(), chosen.value<QColor>());
    } else {
        QVERIFY(picked.value<QFont>().family() == start.family() && picked.value<QFont>().pointSize() == 22);
        QVERIFY(row->value().value == picked && (text.isEmpty() || row->value().kind == SK_ListItem));
    }
}

QTEST_MAIN(TestColorFontValues)
#include "tst_colorfontvalues.moc"
