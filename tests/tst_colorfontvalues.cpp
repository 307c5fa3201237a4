#include "tarvotest.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QRegularExpression>
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

QStringList systemFamilies()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QFontDatabase::families();
#else
    return QFontDatabase().families();
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
        color = browser.addColor(0, "Color", "Line color", "color", &colorVar);
        font = browser.addFont(0, "Font", "hint", "font", &fontVar, &courier);
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
    void colorValidator_data();
    void colorValidator();
    void typedColor_data();
    void typedColor();
    void colorChildren();
    void fontValue_data();
    void fontValue();
    void fontChanged_data();
    void fontChanged();
    void fontLookAndChildren();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
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
    QCOMPARE(pixel(*base.at(5)->icon, 12, 6), QRgb(0xff0000));
    for (const TColorList& copy : {TColorList(base), TColorList(TColorList::registeredColorList())}) {
        QVERIFY(copy.ownsIcons() && copy.first()->icon && copy.first() != base.first());
        QVERIFY(copy.first()->icon != base.first()->icon && copy.first()->icon != copy.last()->icon);
    }
    base = TColorList(); // emptied by a caller: filled again on the next call
    QCOMPARE(TColorList::baseColorList().at(5)->text, QString("Red"));
    // The swatch's outline runs round all four edges.
    const QIcon icon = TColorList::makeIcon(QColor(Qt::red), 24, 12);
    QCOMPARE(pixel(icon, 12, 6), QRgb(0xff0000));
    for (const QPoint& p : {QPoint(0, 0), QPoint(23, 6), QPoint(12, 11), QPoint(0, 6), QPoint(12, 0), QPoint(23, 11)})
        QCOMPARE(pixel(icon, p.x(), p.y()), QRgb(0));
    TColorList& named = TColorList::registeredColorList();
    QVERIFY(named.size() > 100 && named.first()->text == "aliceblue");
    QCOMPARE(qvariant_cast<QColor>(named.findItemByText("navy")->value), QColor(0, 0, 128));
    // Lookup by color (the RGB part decides); entries made from any color form.
    const auto found = [&](const QVariant& v) { return base.findItem(v) ? base.findItem(v)->text : QString(); };
    QCOMPARE(found(QColor(255, 0, 0, 128)) + found("#000080") + found("#FF0000") + found("red"), "RedDark Blue");
    TColorList own;
    TItem* navy = own.setItem(QVariant("navy"), "My color", nullptr);
    QVERIFY(navy->text == "navy" && navy->value == QVariant(QColor(0, 0, 128)));
    QCOMPARE(own.setItem(QVariant(255))->text, QString("#0000ff"));
    QCOMPARE(own.setItem(QVariant(QColor(1, 2, 3, 4)))->value, QVariant(QColor(1, 2, 3, 4)));
    for (const QVariant& bad : {QVariant(), QVariant("bleu"), QVariant(-1), QVariant(QColor())})
        QVERIFY(!own.setItem(bad));
    QCOMPARE(own.size(), 3);

    // Fonts: the standard sizes, and every family of the system (plus the
    // default one when the system lacks it), in copies of their own.
    QList<QVariant> sizes, standard;
    for (const TItem* item : TFontList::defaultFontSizeList())
        sizes << item->value;
    for (int size : QFontDatabase::standardSizes())
        standard << size;
    QCOMPARE(sizes, standard);
    const QStringList families = systemFamilies();
    const QString family = TFontValue::defaultFont().family();
    QCOMPARE(family, QFont().family());
    TFontList& full = TFontList::fullFontList();
    QStringList listed;
    for (const TItem* item : full)
        listed << item->value.toString() + (item->text == item->value.toString() && !item->icon ? "" : "!");
    QCOMPARE(listed, families + (families.contains(family) ? QStringList() : QStringList(family)));
    auto* source = new TFontList(full);
    QVERIFY(source->first() != full.first());
    TFontList assigned;
    assigned = *source;
    delete source;
    QCOMPARE(assigned.size(), full.size());
    QCOMPARE(full.first()->text, families.value(0, family));
    // Entries are families, also when made from a whole font; families match exactly.
    TItem* entry = assigned.setItem(QVariant(QFont(QStringLiteral("Serif"), 12)));
    QVERIFY(entry->value == QStringLiteral("Serif") && entry->text == QStringLiteral("Serif"));
    QVERIFY(assigned.compareComboItem(entry->value, QVariant(QFont(QStringLiteral("Serif"), 30))));
    QVERIFY(!assigned.compareComboItem(entry->value, QVariant(QFont(QStringLiteral("serif")))));
    TFontValue::setDefaultFont(QStringLiteral("Tarvo Default"));
    Form f;
    QCOMPARE((new TFontValue(&f.browser, "New", nullptr))->font().family(), QStringLiteral("Tarvo Default"));
    TFontValue::setDefaultFont(QString());
    QCOMPARE(TFontValue::defaultFont().family(), QFont().family());
}

void TestColorFontValues::colorValidator_data()
{
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<int>("result");
    QTest::addColumn<QVariant>("output");
    const QVariant red = QColor(255, 0, 0);
    const QVariant blue = QColor(0, 0, 255);
    const auto row = [](const char* name, const QVariant& in, int result, const QVariant& out) {
        QTest::newRow(name) << in << result << (out.isValid() || result != I ? out : in);
    };
    row("invalid variant", QVariant(), I, {});
    row("QColor", red, V, red);
    row("invalid QColor", QColor(), I, {});
    row("alpha", QColor(255, 0, 0, 128), C, "#80ff0000");
    for (const char* same : {"red", "#ff0000", "transparent"})
        row(same, same, V, same);
    row("upper case", "#FF0000", C, red);
    row("#rgb", "#f00", C, red);
    row("padded", " red ", C, red);
    row("text 255", "255", C, blue);
    row("text max", "16777215", C, QColor(255, 255, 255));
    for (const char* bad : {"-1", "bleu", "", "  ", "#12345", "1e3"})
        row(bad, bad, I, {});
    row("int", 16711680, C, red);
    row("double", 255.0, C, blue);
    row("int -1", -1, I, {});
    row("QRgb", 0xffff0000u, C, red);
    row("bytes", QByteArray("lightpink"), V, QByteArray("lightpink"));
    row("longlong", Q_INT64_C(1) << 40, I, {});
    row("fraction", 255.5, I, {});
    row("point", QPoint(1, 2), I, {});
}

void TestColorFontValues::colorValidator()
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

void TestColorFontValues::typedColor_data()
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

void TestColorFontValues::typedColor()
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

void TestColorFontValues::colorChildren()
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
    QStringList names;
    for (TIntegerValue* part : parts) {
        QVERIFY(part->isChildMode() && !part->isSpecialsAllowed());
        QVERIFY(part->validator() == TIntValidator::s_ByteValidator);
        names << part->text(0);
    }
    QCOMPARE(names, QStringList({"Red", "Green", "Blue"}));
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
    QVERIFY(!parts[0]->isHidden() && parts[2]->number() == 30);

    // Without own values a part's change is refused and put back.
    f.color->allowOwnValues(false);
    f.color->setValue("Red");
    QVERIFY(parts[1]->setValue(128));
    QVERIFY(shown(f.color) == "Red" && parts[1]->number() == 0);
    f.color->allowOwnValues(true);

    // A part missing: the color stays.
    delete parts[1];
    QVERIFY(!f.color->greenValue());
    QVERIFY(f.color->setValue("#010203"));
    QVERIFY(parts[0]->setValue(5));
    QCOMPARE(shown(f.color), QString("#010203"));
}

void TestColorFontValues::fontValue_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QFont>("font");
    const QFont start = styled("Serif", 17, QFont::Bold, true, true, false);
    const auto typed = [&start](const char* family) {
        QFont f(start);
        f.setFamily(QString::fromLatin1(family));
        return f;
    };
    QTest::newRow("prefix of the first") << QVariant("Cour") << true << typed("Courier");
    QTest::newRow("prefix of the second") << QVariant("Courier N") << true << typed("Courier New");
    QTest::newRow("exact second") << QVariant("Courier New") << true << typed("Courier New");
    QTest::newRow("no entry") << QVariant("Times") << true << typed("Times");
    QTest::newRow("case-sensitive") << QVariant("cour") << true << typed("cour");
    // A whole font is no abbreviation.
    QTest::newRow("font") << QVariant(QFont("Cour", 11)) << true << QFont("Cour", 11);
    const QFont full = styled("Cour", 9, QFont::Bold, false, true, true);
    QTest::newRow("description") << QVariant(full.toString()) << true << full;
    QTest::newRow("short description") << QVariant("Courier New,14") << true << QFont("Courier New", 14);
    QTest::newRow("blanks around a family") << QVariant(" Times\n") << true << typed("Times");
    // A family must read back from its own description.
    int n = 0;
    for (const char* bad : {"", "\n", "Times,Bold", "a,b,c"})
        QTest::addRow("refused text %d", n++) << QVariant(bad) << false << start;
    QTest::newRow("number") << QVariant(42) << false << start;
    QTest::newRow("invalid") << QVariant() << false << start;
    QTest::newRow("no family") << QVariant(QFont(QString(), 10)) << false << start;
}

void TestColorFontValues::fontValue()
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
    QCOMPARE(f.font->value().kind, int(SK_ListItem));
    QVERIFY(!f.font->currentEntry());
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
    const QFont base("Courier", 10);
    QFont pixels(base);
    pixels.setPixelSize(13);
    QFont stretched(base);
    stretched.setStretch(150);
    stretched.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    QTest::newRow("same") << base << base << false;
    QTest::newRow("demibold vs bold") << QFont("Courier", 10, QFont::DemiBold) << QFont("Courier", 10, QFont::Bold)
                                      << false;
    QTest::newRow("normal vs demibold") << base << QFont("Courier", 10, QFont::DemiBold) << true;
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
    QVERIFY(f.font->setValue(b));
    QCOMPARE(f.font->valueChanged(), changed);
}

void TestColorFontValues::fontLookAndChildren()
{
    const QIcon icon = TFontList::makeIcon(QFont("Courier", 40), 100, 100);
    QCOMPARE(icon.availableSizes(), QList<QSize>() << QSize(24, 20));
    const QImage image = icon.pixmap(24, 20).toImage();
    QImage blank = image;
    blank.fill(Qt::white);
    QVERIFY(image.pixelColor(0, 0) == Qt::white && image != blank);

    Form f;
    TFontValue* row = f.font;
    QVERIFY(row->list() == &f.courier && row->linkType() == LT_Font && row->linked() == &f.fontVar);
    QVERIFY(row->buttonEditor() == &TFontValue::s_FontButtonEditor && !strcmp(row->ItemID(), "TFontValue"));
    QVERIFY(f.browser.addFont(0, "Full", "", "", nullptr)->list() == &TFontList::fullFontList());
    QVERIFY(!f.browser.addFont(-1, "Font", "", "", nullptr));
    const QFont bold("Courier", 13, QFont::Bold);
    QVERIFY(row->setValue(QVariant(bold)));
    QVERIFY(qvariant_cast<QFont>(row->data(1, ToolTipFontRole)) == bold && !row->icon(1).isNull());
    row->setSpecial(SV_Default);
    QCOMPARE(qvariant_cast<QFont>(row->data(1, ToolTipFontRole)), QFont());
    QVERIFY(row->icon(1).isNull() && row->font() == QFont());

    // The popup: the families, then "Pick font...", the current family selected.
    const QFont tip("Tarvo Tip", 9);
    QToolTip::setFont(tip);
    QVERIFY(row->setValue(QVariant(QFont("Courier New", 14))));
    TComboBox* combo = open(row)->comboBox();
    combo->ensureFilled();
    const int last = combo->count() - 1;
    QVERIFY(combo->itemText(last) == "Pick font..." && combo->entryEditor(last) == &TFontValue::s_FontComboEditor);
    QVERIFY(combo->findText("Courier") >= 0 && combo->currentIndex() == combo->findText("Courier New"));
    const QModelIndex courier = combo->model()->index(combo->findText("Courier"), 0);
    QCOMPARE(combo->itemDelegate()->sizeHint(QStyleOptionViewItem(), courier), QSize(20, 20));
    // A family outside the list is shown as the value.
    QVERIFY(row->setValue(QVariant(QStringLiteral("Tarvo Serif"))));
    QCOMPARE(row->editor()->lineEdit()->text(), QStringLiteral("Tarvo Serif [14]"));
    // Highlighting an entry shows the tip in its family; leaving the row
    // puts the application's tip font back.
    QVariant family(QStringLiteral("Courier New"));
    f.courier.highlightComboItem(family, 1, combo, QPoint(10, 10));
    QCOMPARE(QToolTip::font().family(), QStringLiteral("Courier New"));
    open(f.color);
    QCOMPARE(QToolTip::font(), tip);

    // Children: the size and four switches, in step with the font both ways.
    const QList<TBaseValue*> parts = row->childValues();
    QStringList names;
    for (const TBaseValue* child : parts)
        names << child->text(0) + (child->isChildMode() ? "" : "!");
    QCOMPARE(names, QStringList({"Size", "Bold", "Italic", "Underline", "Striked Out"}));
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
    QVERIFY(!row->registeredChild(2));
    QVERIFY(parts.at(3)->setValue(true));
    QCOMPARE(kept(row->font()), kept(styled("Courier", 13, QFont::Normal, true, true, false)));
    QVERIFY(row->setValue(QVariant(QFont("Courier", 9))));
    QCOMPARE(parts.at(0)->number(), 9);
    QFont pixels("Tarvo Sans");
    pixels.setPixelSize(20);
    QVERIFY(row->setValue(QVariant(pixels)));
    QCOMPARE(row->valueText(), QStringLiteral("Tarvo Sans [-1]"));
}

void TestColorFontValues::settingsRoundTrip_data()
{
    QTest::addColumn<int>("policy");
    QTest::newRow("current") << int(TValueBrowser::SP_Current);
    QTest::newRow("stored") << int(TValueBrowser::SP_Stored);
    QTest::newRow("linked") << int(TValueBrowser::SP_Linked);
}

void TestColorFontValues::settingsRoundTrip()
{
    QFETCH(int, policy);
    const auto storing = TValueBrowser::EStoringPolicy(policy);
    const bool linked = storing == TValueBrowser::SP_Linked;
    const QVariant values[] = {QVariant("Dark Red"), QVariant(QColor(255, 0, 1)), QVariant("navy"), QVariant()};
    const char* texts[] = {"Dark Red", "#ff0001", "navy", "Default"};
    const char* stored[] = {"#800000", "#ff0001", linked ? "#000080" : "navy", "8"};
    const int kinds[] = {SK_ListItem, SK_Value, SK_Value, SK_Special};
    const QColor colors[] = {QColor(0x80, 0, 0), QColor(255, 0, 1), QColor(0, 0, 0x80), QColor()};
    const QFont font = styled("Tarvo Mono", 17, QFont::Bold, true, true, true);
    const QFont other("Courier", 9);
    QColor vars[4];
    QFont fontVar;
    QTemporaryDir dir;
    const QString file = dir.filePath("values.ini");
    const auto fill = [&](TValueBrowser& b) {
        QList<TBaseValue*> rows;
        b.setSpecialList(&TValueBrowser::s_specialList);
        b.setStoringPolicy(storing);
        for (int i = 0; i < 4; ++i)
            rows << b.addColor(0, QString("c%1").arg(i), "", QString("c%1").arg(i), &vars[i]);
        rows << b.addFont(0, "f", "", "f", &fontVar);
        return rows;
    };
    {
        TValueBrowser browser;
        const QList<TBaseValue*> rows = fill(browser);
        for (int i = 0; i < 4; ++i)
            values[i].isValid() ? void(rows[i]->setValue(values[i])) : rows[i]->setSpecial(SV_Default);
        QVERIFY(rows[4]->setValue(font));
        browser.storeSet();
        browser.updateLinked();
        for (int i = 0; i < 5 && storing != TValueBrowser::SP_Current; ++i) // what is written is not the row
            rows[i]->setValue(i < 4 ? QVariant("White") : QVariant(other));
        QSettings settings(file, QSettings::IniFormat);
        browser.writeDataSet(settings);
    }
    QSettings raw(file, QSettings::IniFormat);
    QCOMPARE(raw.value("f"), QVariant(font.toString()));
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
    fontVar = other;
    TValueBrowser browser;
    const QList<TBaseValue*> rows = fill(browser);
    auto* fontRow = static_cast<TFontValue*>(rows[4]);
    QVERIFY(fontRow->setValue(other));
    browser.readDataSet(raw);
    if (storing == TValueBrowser::SP_Stored) { // not shown before restoreSet()
        QVERIFY(shown(rows[0]) == "Black" && kept(fontRow->font()) == kept(other));
        browser.restoreSet();
        QVERIFY(!fontRow->valueChanged());
    }
    QCOMPARE(kept(fontRow->font()), kept(linked ? other : font));
    QCOMPARE(kept(fontVar), kept(linked ? font : other));
    for (int i = 0; i < 3 + !linked; ++i) {
        if (linked) {
            QCOMPARE(vars[i], colors[i]);
            continue;
        }
        QCOMPARE(shown(rows[i]), QString(texts[i]));
        QCOMPARE(rows[i]->value().kind, kinds[i]);
        QCOMPARE(static_cast<TColorValue*>(rows[i])->color(), colors[i]);
    }
    QCOMPARE(vars[3], QColor(Qt::green)); // "bleu" is no color: the variable keeps its own
}

void TestColorFontValues::dialogs_data()
{
    QTest::addColumn<bool>("font");
    QTest::addColumn<bool>("button");
    QTest::addColumn<bool>("special");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QVariant>("chosen");
    QTest::addColumn<QString>("text");
    const QString family = systemFamilies().value(0);
    const QFont big(family, 22);
    const QString bigText = QStringLiteral("%1 [22]").arg(family);
    for (bool button : {false, true}) {
        const QByteArray route = button ? "button " : "entry ";
        QTest::newRow(route + "red") << false << button << false << true << QVariant(QColor(Qt::red)) << "Red";
        QTest::newRow(route + "own") << false << button << false << true << QVariant(QColor(255, 0, 1)) << "#ff0001";
        QTest::newRow(route + "cancel") << false << button << false << false << QVariant(QColor(Qt::red)) << "navy";
        QTest::newRow(route + "special") << false << button << true << true << QVariant(QColor(Qt::blue)) << "Blue";
        QTest::newRow(route + "font") << true << button << false << true << QVariant(big) << bigText;
        QTest::newRow(route + "font cancel") << true << button << false << false << QVariant(big)
                                             << QStringLiteral("%1 [19]").arg(family);
        QTest::newRow(route + "font special") << true << button << true << true << QVariant(big) << bigText;
    }
    // The font button serves any row.
    QTest::newRow("font button, plain row") << true << true << false << true << QVariant(big) << QString();
}

void TestColorFontValues::dialogs()
{
    QFETCH(bool, font);
    QFETCH(bool, button);
    QFETCH(bool, special);
    QFETCH(bool, accept);
    QFETCH(QVariant, chosen);
    QFETCH(QString, text);
    if (font && systemFamilies().isEmpty())
        QSKIP("no fonts to pick from");
    Form f;
    TBaseValue* row = font ? static_cast<TBaseValue*>(f.font) : f.color;
    const QFont start(systemFamilies().value(0), 19);
    if (text.isEmpty()) {
        row = f.browser.addValue(0, "Any", "", "", nullptr, LT_Variant);
        row->setButtonEditor(&TFontValue::s_FontButtonEditor);
    }
    const QVariant value = text.isEmpty() ? QVariant(start.toString()) : font ? QVariant(start) : QVariant("navy");
    QVERIFY(row->setValue(value));
    if (special)
        row->setSpecial(SV_Default);
    const SValue before = row->value();
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    QVariant opened;
    QVariant picked;
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
    if (font)
        QCOMPARE(opened.toInt(), special ? QFont().pointSize() : 19);
    else
        QCOMPARE(opened, QVariant(special ? QColor(Qt::white) : QColor(0, 0, 128)));
    if (!text.isEmpty())
        QCOMPARE(shown(row), text);
    QCOMPARE(picks.count(), accept ? 1 : 0);
    if (!accept) {
        QVERIFY(row->value().kind == before.kind && row->value().value == before.value);
        return;
    }
    if (!font) {
        QCOMPARE(f.color->color(), chosen.value<QColor>());
        return;
    }
    QVERIFY(picked.value<QFont>().family() == start.family() && picked.value<QFont>().pointSize() == 22);
    QCOMPARE(row->value().value, picked);
    if (!text.isEmpty())
        QCOMPARE(row->value().kind, int(SK_ListItem));
}

QTEST_MAIN(TestColorFontValues)
#include "tst_colorfontvalues.moc"
