// Values with child rows: colors (red, green, blue), fonts (size and
// style) and the compound points, sizes, rectangles and ranges.

#include "tarvotest.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHeaderView>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolTip>

#include <limits>

#include "tboolvalue.h"
#include "tcolorvalue.h"
#include "tcompoundvalidators.h"
#include "tfontvalue.h"
#include "tintegervalue.h"
#include "tpointvalue.h"
#include "trangevalue.h"
#include "trectvalue.h"
#include "tsizevalue.h"

using namespace tt;

namespace {

enum { I = TValueValidator::VR_Invalid, V = TValueValidator::VR_Valid, C = TValueValidator::VR_Corrected };

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

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();
enum Type { Point, Size, Rect, Range };

// A rectangle by its edges; QRect(x, y, w, h) overflows for extreme ones.
QRect edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Type and value, reals compared exactly.
QString exact(const QVariant& v)
{
    QString text;
    QDebug(&text) << v;
    const QPointF p = v.toPointF();
    return v.userType() != QMetaType::QPointF ? text : QString("%1 : %2").arg(p.x(), 0, 'g', 17).arg(p.y(), 0, 'g', 17);
}

QStringList childTexts(const TBaseValue* value, int column = 1)
{
    QStringList texts;
    for (const TBaseValue* child : value->childValues())
        texts << child->text(column) + (column == 1 && child->isHidden() ? "(hidden)" : "");
    return texts;
}

// Refuses points (and ranges) right of x = 50.
struct SmallX : TValueValidator
{
    EValidateResult checkValue(QVariant& v) override
    {
        const bool point = v.userType() == QMetaType::QPoint || v.userType() == QMetaType::QPointF;
        return point && v.toPointF().x() <= 50 ? VR_Valid : VR_Invalid;
    }
};

// A parent's start and children's texts, a child typed into, the parent after it (bounded: with a validator).
struct Child
{
    int type;
    QString start;
    QStringList texts;
    int child;
    QString childValue, after, bounded;
};

void setExpandables(bool on)
{
    TPointValue::setDefaultExpandableItems(on);
    TSizeValue::setDefaultExpandableItems(on);
    TRectValue::setDefaultExpandableItems(on);
    TRangeValue::setDefaultExpandableItems(on);
}

} // namespace

Q_DECLARE_METATYPE(Child)

class TestCompositeValues : public QObject
{
    Q_OBJECT

    std::unique_ptr<TValueBrowser> m_browser;
    TBaseValue* make(int type)
    {
        TValueBrowser* b = m_browser.get();
        switch (type) {
        case Point: return new TPointValue(b, "point");
        case Size: return new TSizeValue(b, "size");
        case Rect: return new TRectValue(b, "rect");
        }
        return new TRangeValue(b, "range", "low", "high");
    }

private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void init()
    {
        m_browser.reset(new TValueBrowser);
        m_browser->setSpecialList(&TValueBrowser::s_specialList);
        m_browser->show();
    }
    void cleanup() { setExpandables(true); }
    void lists();
    void colorValues_data();
    void colorValues();
    void colorChildren();
    void childCellsOnScreen();
    void fontValues_data();
    void fontValues();
    void fontRowAndChildren();
    void fontPopupTip();
    void settings();
    void dialogs();
    void texts_data();
    void texts();
    void children_data();
    void children();
    void newValuesAndSpecials();
    void factoryAndLinks();
};

void TestCompositeValues::lists()
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
    s_messages = 0; // a swatch of no width is none, made without complaint
    {
        MessageCount count;
        QVERIFY(TColorList::makeIcon(Qt::red, 0, 12).isNull() && !TColorList::makeIcon(Qt::red, 24, 1).isNull());
    }
    QCOMPARE(s_messages, 0);
    // Lookup by color only; entries made from any color form.
    const TItem* navy = TColorList::baseColorList().findItem("#000080");
    QVERIFY(navy && navy->text == "Dark Blue" && !base.findItem("#FF0000") && !base.findItem("red"));
    TColorList own; // entries as named, or by their "#rrggbb" name; no entry for what is no color
    QVERIFY(own.setItem(QVariant("navy"), "My color", nullptr)->value == QVariant(QColor(0, 0, 128)));
    QVERIFY(own.setItem(QVariant(255))->text == "#0000ff" && own.setItem(QVariant("0")));
    QVERIFY(!own.setItem("bleu") && !own.setItem(QColor()));

    // Fonts: the standard sizes, and every family (the default one too) in
    // copies of their own; entries are families, matched exactly.
    QVERIFY(TFontList::defaultFontSizeList().size() == QFontDatabase::standardSizes().size()
            && !TFontList::defaultFontSizeList().ownsIcons()); // entries an application adds keep their icons
    const TItem* first = TFontList::fullFontList().first();
    QVERIFY(first->value == firstFamily() && first->text == firstFamily() && !first->icon);
    QVERIFY(TFontList::fullFontList().findItemByText(QFont().family()));
    TFontList copy(TFontList::fullFontList());
    TItem* serif = copy.setItem(QVariant(QFont("Serif", 12)));
    QVERIFY(copy.first() != first && serif->value == QStringLiteral("Serif") && serif->text == QStringLiteral("Serif"));
    QVERIFY(copy.compareComboItem(serif->value, QFont("Serif", 30)));
    QVERIFY(!copy.compareComboItem(serif->value, QFont("serif")));
    TFontValue::setDefaultFont(QStringLiteral("Tarvo Default"));
    QCOMPARE(kept((new TFontValue(m_browser.get(), "New", nullptr))->font()), kept(QFont("Tarvo Default")));
    TFontValue::setDefaultFont(QString());
    QCOMPARE(TFontValue::defaultFont().family(), QFont().family());
}

void TestCompositeValues::colorValues_data()
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
    row("padded", " red ", C, red, "Red");
    row("text 255", "255", C, blue, "Blue");
    row("text max", "16777215", C, QColor(255, 255, 255), "White");
    for (const char* bad : {"-1", "bleu", "", "  ", "#12345", "1e3"})
        row(bad, bad, I, {}, "Black");
    row("QColor", red, V, red, "Red");
    row("alpha", QColor(255, 0, 0, 128), C, "#80ff0000", "#80ff0000");
    row("int", 16711680, C, red, "Red");
    row("real", 255.0, C, blue, "Blue");
    row("QRgb", 0xffff0000u, C, red, "Red");
    row("bytes", QByteArray("lightpink"), V, QByteArray("lightpink"), "lightpink");
    for (const QVariant& bad : {QVariant(), QVariant(QColor()), QVariant(-1), QVariant(Q_INT64_C(1) << 40),
                                QVariant(255.5), QVariant(QPoint(1, 2))})
        row(bad.typeName() ? bad.typeName() : "invalid", bad, I, {}, "Black");
}

void TestCompositeValues::colorValues()
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

void TestCompositeValues::childCellsOnScreen()
{
    // Every change of a part reaches itemChanged; a shown part is repainted,
    // a collapsed one shows its value once opened.
    Form f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.browser));
    TIntegerValue* green = f.color->greenValue();
    PaintRecorder painted;
    f.browser.viewport()->installEventFilter(&painted);
    QList<QTreeWidgetItem*> changed; // value cells whose change the browser announced
    connect(&f.browser, &QTreeWidget::itemChanged, [&changed](QTreeWidgetItem* item, int column) {
        changed << (column == 1 ? item : nullptr);
    });
    for (const int level : {40, 80}) {
        const bool expanded = level == 80;
        f.color->setExpanded(expanded);
        QCoreApplication::processEvents();
        QCOMPARE(f.browser.visualItemRect(green).isValid(), expanded);
        painted.region = QRegion();
        changed.clear();
        QVERIFY(f.color->setValue(QColor(10, level, 30)));
        QVERIFY(changed.contains(green) && changed.contains(f.color));
        const QPoint cell(f.browser.header()->sectionViewportPosition(1) + 4,
                          f.browser.visualItemRect(green).center().y());
        if (expanded)
            QTRY_VERIFY(painted.region.contains(cell));
        QCOMPARE(shown(green), QString::number(level));
    }
}

void TestCompositeValues::colorChildren()
{
    TColorList own; // outlives the rows
    Form f;
    // Rows made without the factory follow the class default; the factory's always take own values.
    TColorValue* direct = new TColorValue(&f.browser, "Direct", nullptr); // no list to look colors up in
    QVERIFY(direct->isOwnValues() && direct->setValue("#FF0000") && shown(direct) == "#ff0000");
    TColorValue* appending = new TColorValue(&f.browser, "Appending", &own);
    appending->allowListAppending(true); // an own color joins the list
    QVERIFY(appending->setValue("#123456") && own.findItem("#123456"));
    TColorValue::setDefaultUseOwnValues(false);
    QVERIFY(!(new TColorValue(&f.browser, "Strict", nullptr))->isOwnValues());
    QVERIFY(f.browser.addColor(0, "Own", "", "", nullptr)->isOwnValues());
    TColorValue::setDefaultUseOwnValues(true);
    TIntegerValue* parts[] = {f.color->redValue(), f.color->greenValue(), f.color->blueValue()};
    QVERIFY(f.color->childCount() == 3 && !f.browser.getItem(0)); // parts have no id of their own
    QCOMPARE(parts[0]->text(0) + parts[1]->text(0) + parts[2]->text(0), "RedGreenBlue");
    // "red" and the entry "Red" are one color but different picks.
    type(f.color, "red");
    type(f.color, "Red");
    QVERIFY(f.color->value().kind == SK_ListItem && parts[0]->number() == 255 && parts[1]->number() == 0);
    type(parts[1], "128");
    QCOMPARE(shown(f.color), QString("#ff8000"));
    type(parts[0], "300"); // clamped to a byte
    QVERIFY(shown(f.color) == "#ff8000" && parts[0]->number() == 255);
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

void TestCompositeValues::fontValues_data()
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
    QFont wide = styled("Cour", 9, QFont::Bold, true, true, true);
    wide.setStretch(150);
    wide.setWordSpacing(2);
    wide.setCapitalization(QFont::AllUppercase);
    row("sixteen fields", "Cour,9,-1,5,700,1,1,1,0,0,1,0,0,2,150,0", "", wide);
    row("shown form", "Cour [1]", "", styled("Cour", 1, QFont::Bold, true, true)); // no completion
    // A family must read back from its own description.
    for (const char* bad : {"", "\n", "Times,Bold", "a,b,c", "Cour,9,-1,5,700,0,0,0,0,0,0,0,x,0,0,0"})
        row(("refused " + QByteArray(bad).toPercentEncoding()).constData(), bad, nullptr);
    row("number", 42, nullptr);
    row("invalid", QVariant(), nullptr);
    row("no family", QFont(QString(), 10), nullptr);
}

void TestCompositeValues::fontValues()
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
    QVERIFY(f.font->font().stretch() == font.stretch() && f.font->font().wordSpacing() == font.wordSpacing()
            && f.font->font().capitalization() == font.capitalization());
    QVERIFY(f.font->value().kind == SK_ListItem && !f.font->currentEntry());
    QCOMPARE(shown(f.font), QStringLiteral("%1 [%2]").arg(font.family()).arg(font.pointSize()));
    // The shown text reads back as that font; demibold and bold are one
    // weight, stretch and spacing are no change, style and size are.
    f.browser.storeSet();
    type(f.font, shown(f.font));
    QVERIFY(kept(f.font->font()) == kept(font) && !f.font->valueChanged());
    QFont bolder(font), stretched(font), pixels(font), larger(font), bigger(font), renamed(font);
    bolder.setWeight(QFont::DemiBold);
    stretched.setStretch(150);
    pixels.setPixelSize(13);
    larger.setPixelSize(14);
    bigger.setPointSize(font.pointSize() + 1);
    renamed.setFamily(font.family().toLower() == font.family() ? "Tarvo" : font.family().toLower());
    QCOMPARE(f.font->valueChanged(QVariant(font.toString()), QVariant(bolder)), font.weight() != QFont::Bold);
    QVERIFY(!f.font->valueChanged(font, stretched) && f.font->valueChanged(font, pixels) && f.font->valueChanged(pixels, larger));
    QVERIFY(f.font->valueChanged(font, bigger) && f.font->valueChanged(font, renamed));
}

void TestCompositeValues::fontPopupTip()
{
    // Going over a family in the popup names it in a tool tip.
    Form f;
    TComboBox* combo = open(f.font)->comboBox();
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(combo->view()->isVisible() && combo->findText("Courier New") > 0);
    combo->view()->setCurrentIndex(combo->model()->index(combo->findText("Courier New"), 0));
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("Courier New"));
    combo->hidePopup();
}

void TestCompositeValues::fontRowAndChildren()
{
    Form f;
    TFontValue* row = f.font;
    QVERIFY(row->setValue(QVariant(QFont("Courier", 13, QFont::Bold))) && !row->icon(1).isNull());
    QCOMPARE(qvariant_cast<QFont>(row->data(1, ToolTipFontRole)), QFont("Courier", 13, QFont::Bold));
    row->setSpecial(SV_Default);
    QVERIFY(row->icon(1).isNull() && row->font() == QFont());
    // The popup: the families, then "Pick font...", the current family
    // selected; highlighting an entry shows the tip in its family, leaving
    // the row puts the application's tip font back.
    const QFont tip("Tarvo Tip", 9);
    QToolTip::setFont(tip);
    QVERIFY(row->setValue(QVariant(QFont("Courier New", 14))));
    const auto separated = [](TBaseValue* r) { // the commands are set apart from the entries
        TComboBox* c = open(r)->comboBox();
        c->ensureFilled();
        return c->itemText(c->count() - 2).isEmpty();
    };
    QVERIFY(separated(f.color) && separated(row));
    TComboBox* combo = row->editor()->comboBox();
    QVERIFY(combo->entryEditor(combo->count() - 1) == &TFontValue::s_FontComboEditor);
    QVERIFY(combo->findText("Courier") >= 0 && combo->currentIndex() == combo->findText("Courier New"));
    QVariant family(QStringLiteral("Courier New"));
    f.courier.highlightComboItem(family, 1, combo, QPoint(10, 10));
    QVERIFY(QToolTip::font().family() == "Courier New" && QToolTip::text() == "Courier New");
    QVERIFY(row->setValue(QVariant(QStringLiteral("Tarvo Serif")))); // a family outside the list
    QCOMPARE(row->editor()->lineEdit()->text(), QStringLiteral("Tarvo Serif [14]"));
    open(f.color);
    QVERIFY(QToolTip::font() == tip && !row->editor()); // left: its editor is closed
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
    QVERIFY(parts.at(4)->setValue(false)); // the font is built anew from the children
    QCOMPARE(kept(row->font()), kept(QFont("Courier", 14, QFont::Bold, true)));
    QVERIFY(parts.at(1)->setValue(false));
    type(parts.at(0), "0"); // sizes are positive
    QVERIFY(parts.at(0)->value().kind == SK_Value && shown(row) == "Courier [1]");
    delete parts.at(2); // a child row deleted by the application leaves its part alone
    QVERIFY(!row->registeredChild(2) && parts.at(3)->setValue(true));
    QCOMPARE(kept(row->font()), kept(styled("Courier", 1, QFont::Normal, true, true, false)));
    QFont pixels("Tarvo Sans");
    pixels.setPixelSize(20);
    QVERIFY(row->setValue(QVariant(pixels)) && row->valueText() == "Tarvo Sans [-1]");
    QVERIFY(row->setValue(QVariant(QFont("Courier", 9))) && open(parts.at(0))->buttonWidget());
    for (QToolButton* arrow : parts.at(0)->editor()->buttonWidget()->findChildren<QToolButton*>()) {
        if (arrow->arrowType() == Qt::UpArrow)
            QTest::mouseClick(arrow, Qt::LeftButton);
    }
    QCOMPARE(shown(row), QString("Courier [10]")); // the size's spin buttons
}

void TestCompositeValues::settings()
{
    // Under the linked policy the variables are written and read: a color as
    // its name, a font as its description; a text that is no color is left out.
    const QFont font = styled("Tarvo Mono", 17, QFont::Bold, true, true, true), other("Courier", 9);
    QTemporaryDir dir;
    QSettings file(dir.filePath("linked.ini"), QSettings::IniFormat);
    QColor navy, entry;
    QFont fontVar;
    TValueBrowser a, b;
    QList<TBaseValue*> rows;
    for (TValueBrowser* browser : {&a, &b}) {
        browser->setStoringPolicy(TValueBrowser::SP_Linked);
        rows << browser->addColor(0, "Navy", "", "navy", &navy) << browser->addColor(0, "Entry", "", "entry", &entry)
             << browser->addFont(0, "Font", "", "font", &fontVar);
    }
    QVERIFY(rows[0]->setValue("navy") && rows[1]->setValue("Dark Red") && rows[2]->setValue(font));
    a.updateLinked();
    for (TBaseValue* row : rows.mid(0, 3))
        row->setValue(row == rows[2] ? QVariant(other) : QVariant("White"));
    a.writeDataSet(file);
    QVERIFY(file.value("navy") == "#000080" && file.value("entry") == "#800000" && !file.contains("entry.Type"));
    QCOMPARE(file.value("font"), QVariant(font.toString()));
    file.setValue("entry", "bleu");
    file.sync();
    navy = entry = Qt::green;
    fontVar = other;
    b.readDataSet(file);
    QVERIFY(navy == QColor(0, 0, 128) && entry == Qt::green && kept(fontVar) == kept(font));
    QVERIFY(shown(rows[3]) != "navy" && kept(static_cast<TFontValue*>(rows[5])->font()) != kept(font));
}

void TestCompositeValues::dialogs()
{
    const QString family = firstFamily();
    if (family.isEmpty())
        QSKIP("no fonts to pick from");
    // Per case: a font or a color row, its "..." button or its popup's
    // entry, a special start, OK or Cancel, and the text shown after.
    const struct {
        bool font, button, special, accept;
        QString text;
    } cases[] = {{false, false, false, true, "Red"}, {false, false, false, false, "navy"},
                 {true, false, true, true, family + " [22]"}, {true, true, false, false, family + " [19]"},
                 {false, true, true, true, "Red"}, {true, true, false, true, family + " [22]"},
                 {false, true, false, false, "navy"}};
    for (const auto& c : cases) {
        Form f;
        TBaseValue* row = c.font ? static_cast<TBaseValue*>(f.font) : f.color;
        QVERIFY(row->setValue(c.font ? QVariant(QFont(family, 19)) : QVariant("navy")));
        if (c.special)
            row->setSpecial(SV_Default);
        const SValue before = row->value();
        QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
        QVariant opened, picked;
        const std::function<void(QDialog*)> answer = [&](QDialog* dialog) {
            auto* fonts = qobject_cast<QFontDialog*>(dialog);
            auto* colors = qobject_cast<QColorDialog*>(dialog);
            QVERIFY(fonts || colors);
            opened = fonts ? QVariant(fonts->currentFont().pointSize()) : QVariant(colors->currentColor());
            fonts ? fonts->setCurrentFont(QFont(family, 22)) : colors->setCurrentColor(Qt::red);
            c.accept ? dialog->accept() : dialog->reject();
            picked = fonts ? QVariant(fonts->selectedFont()) : QVariant(colors->selectedColor());
        };
        if (c.button) {
            QVERIFY(clickDots<QDialog>(row, answer));
        } else {
            ModalAnswer<QDialog> driver(answer);
            QVERIFY(pick(row, c.font ? "Pick font..." : "Pick color..."));
            QTRY_VERIFY(driver.seen());
        }
        QCOMPARE(opened, c.font ? QVariant(c.special ? QFont().pointSize() : 19)
                                : QVariant(c.special ? QColor(Qt::white) : QColor(0, 0, 128)));
        QVERIFY(shown(row) == c.text && picks.count() == int(c.accept));
        if (!c.accept)
            QVERIFY(row->value().kind == before.kind && row->value().value == before.value);
        else if (!c.font)
            QCOMPARE(f.color->color(), QColor(Qt::red));
        else
            QVERIFY(kept(picked.value<QFont>()) == kept(QFont(family, 22)) && row->value().value == picked);
    }
}

void TestCompositeValues::texts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("text");
    const auto row = [](int type, const char* input, const QVariant& expected, const char* text) {
        QTest::newRow(input) << type << input << expected << text;
    };
    row(Point, "10,-20", QPoint(10, -20), "10,-20");
    row(Point, "5;6", QPoint(5, 6), "5,6");
    row(Size, "30 x 40", QSize(30, 40), "30,40");
    row(Size, "-1,-2", QSize(-1, -2), "-1,-2");
    row(Rect, "0 0 640 480", QRect(0, 0, 640, 480), "0,0,640,480");
    row(Rect, "1,2,0,-3", edges(1, 2, 0, -2), "1,2,0,-3");
    // Edges are computed without overflow, and clamped.
    row(Rect, "2147483647,0,10,10", edges(kMax, 0, kMax, 9), "2147483647,0,1,10");
    row(Rect, "-2147483648,-2147483648,2147483647,-2147483648", edges(kMin, kMin, -2, kMin),
        "-2147483648,-2147483648,2147483647,1");
    row(Range, ".5 : -.25", QPointF(0.5, -0.25), "0.5 : -0.25");
    row(Range, "3 : 1", QPointF(3, 1), "3 : 1");
    row(Range, "0.00001 : 3", QPointF(1e-05, 3), "0.00001 : 3");
    row(Range, "-0.25:1234567.5", QPointF(-0.25, 1234567.5), "-0.25 : 1234567.5");
    row(Range, "1234567.12345 : -0.00042", QPointF(1234567.12345, -0.00042), "1234567.12345 : -0.00042");
    row(Range, "2.123456789 : 3", QPointF(2.12346, 3), "2.12346 : 3");
    row(Range, "-0 : 0", QPointF(0, 0), "0 : 0");
    row(Range, "-2147483648 : 2147483647", QPointF(kMin, kMax), "-2147483648 : 2147483647");
}

void TestCompositeValues::texts()
{
    QFETCH(int, type);
    QFETCH(QString, input);
    QFETCH(QVariant, expected);
    QFETCH(QString, text);
    TBaseValue* value = make(type);
    tt::type(value, input);
    QCOMPARE(exact(value->variant()), exact(expected));
    QVERIFY(shown(value) == text && value->valueText() == text);
    // The shown text reads back as the same value, and so does the variant.
    TBaseValue* again = make(type);
    QVERIFY(again->setValue(shown(value)));
    QCOMPARE(exact(again->variant()), exact(expected));
    QVERIFY(again->setValue(value->variant()) && shown(again) == text);
}

void TestCompositeValues::children_data()
{
    QTest::addColumn<Child>("c");
    const QStringList rect{"10", "20", "30", "40"}, range{"5.00000", "0.50000"};
    QTest::newRow("point") << Child{Point, "10,20", {"10", "20"}, 0, "500", "500,20", "100,20"};
    QTest::newRow("point y") << Child{Point, "10,20", {"10", "20"}, 1, "30", "10,30", "10,30"};
    QTest::newRow("size") << Child{Size, "30,40", {"30", "40"}, 1, "-7", "30,-7", "30,1"};
    QTest::newRow("rect") << Child{Rect, "10,20,30,40", rect, 3, "1000", "10,20,30,1000", "10,20,30,100"};
    QTest::newRow("rect y") << Child{Rect, "10,20,30,40", rect, 1, "-20", "10,-20,30,40", "10,-20,30,40"};
    QTest::newRow("rect edge") << Child{Rect, "2147483647,0,10,10", {"2147483647", "0", "1", "10"}, 2,
                                        "2147483647", "2147483647,0,1,10", "2147483647,0,1,10"};
    QTest::newRow("range") << Child{Range, "5 : 0.5", range, 1, "0.00001", "5 : 0.00001", "5 : 0.00001"};
    QTest::newRow("range clamped") << Child{Range, "5 : 0.5", range, 0, "500", "500 : 0.5", "10 : 0.5"};
}

void TestCompositeValues::children()
{
    QFETCH(Child, c);
    TPointValidator points(nullptr, 0, 100, 0, 100);
    TSizeValidator sizes(nullptr, 1, 100, 1, 100);
    TRectValidator rects(nullptr, 0, 100, 0, 100);
    TRangeValidator ranges(nullptr, 0, 10, -1, 1);
    TValueValidator* const validators[] = {&points, &sizes, &rects, &ranges};
    // Children follow the parent, the parent a child typed into; what it clamps goes back to the children.
    for (TValueValidator* validator : {static_cast<TValueValidator*>(nullptr), validators[c.type]}) {
        TBaseValue* value = make(c.type);
        value->setValidator(validator ? validator : value->validator());
        QVERIFY(value->setValue(c.start));
        QVERIFY(validator || childTexts(value) == c.texts);
        const QStringList before = childTexts(value);
        type(value->registeredChild(c.child), "abc"); // a child takes numbers only
        QCOMPARE(childTexts(value), before);
        type(value->registeredChild(c.child), c.childValue);
        QCOMPARE(shown(value), validator ? c.bounded : c.after);
        TBaseValue* expected = make(c.type);
        QVERIFY(expected->setValue(shown(value)));
        QCOMPARE(childTexts(value), childTexts(expected));
    }
    // A deleted child: the others still reach the parent.
    TBaseValue* value = make(c.type);
    QVERIFY(value->setValue(c.start));
    const int n = value->childValues().size();
    delete value->registeredChild(c.child);
    QVERIFY(!value->registeredChild(c.child) && value->childCount() == n - 1);
    value->setSpecial(SV_Default);
    value->showChildren(false);
    value->showChildren(true);
    QVERIFY(value->setValue(c.after) && shown(value) == c.after);
    TBaseValue* intact = make(c.type);
    QVERIFY(intact->setValue(c.after));
    const int other = c.child ? 0 : 1;
    QVERIFY(value->registeredChild(other)->setValue(7) && intact->registeredChild(other)->setValue(7));
    QCOMPARE(shown(value), shown(intact));
}

void TestCompositeValues::newValuesAndSpecials()
{
    // A new value holds the bad-value special; its children are made hidden, or on request, once.
    for (const bool expandables : {true, false}) {
        setExpandables(expandables);
        for (const int type : {Point, Size, Rect, Range}) {
            TBaseValue* value = make(type);
            const int n = type == Rect ? 4 : 2;
            QVERIFY(value->value().kind == SK_Special && value->value().value.toUInt() == SV_BadValue);
            QCOMPARE(value->childValues().size(), expandables ? n : 0);
            for (const TBaseValue* child : value->childValues())
                QVERIFY(child->isHidden() && child->isChildMode() && !child->isSpecialsAllowed());
            QVERIFY(value->setValue(n == 4 ? "3,4,5,6" : type == Range ? "3 : 4" : "3,4"));
            value->showChildren(true);
            value->showChildren(true);
            QVERIFY(value->childCount() == n && value->registeredChild(1)->value().value.toDouble() == 4.0);
        }
    }
    setExpandables(true);
    // Under a special the children hide, and a child changed does not reach it.
    TRectValue rect(m_browser.get(), "rect");
    QVERIFY(rect.setValue("1,2,3,4"));
    rect.setSpecial(SV_Default);
    QCOMPARE(childTexts(&rect), QStringList({"1(hidden)", "2(hidden)", "3(hidden)", "4(hidden)"}));
    QVERIFY(rect.registeredChild(0)->setValue(QVariant(99)) && rect.value().kind == SK_Special);
    QVERIFY(rect.setValue("5,6,7,8"));
    QCOMPARE(childTexts(&rect), QStringList({"5", "6", "7", "8"}));
    // Without a validator the size saturates instead of overflowing.
    rect.setValidator(nullptr);
    QVERIFY(rect.setValue(QVariant(edges(kMin, kMin, kMax, kMax))) && rect.size() == QSize(kMax, kMax));
    QCOMPARE(shown(&rect), QStringLiteral("-2147483648,-2147483648,2147483647,2147483647"));
    QVERIFY(rect.registeredChild(0)->setValue(QVariant(kMax)) && rect.size() == QSize(1, kMax));
    // Hidden children stay in step, and one changed keeps the other's value.
    TPointValue point(m_browser.get(), "point");
    point.showChildren(false);
    QVERIFY(point.setValue(QVariant(QPoint(30, 40))) && point.registeredChild(0)->setValue(QVariant(15)));
    point.showChildren(true);
    QVERIFY(point.point() == QPoint(15, 40) && childTexts(&point) == QStringList({"15", "40"}));
    // A child value the parent refuses shows the parent's value again.
    SmallX small;
    TRangeValue range(m_browser.get(), "range", "low", "high");
    QVERIFY(range.setValue("15 : 40"));
    for (TBaseValue* value : {static_cast<TBaseValue*>(&point), static_cast<TBaseValue*>(&range)}) {
        value->setValidator(&small);
        type(value->registeredChild(0), "60");
        QCOMPARE(childTexts(value).join(',').remove(".00000"), QString("15,40"));
    }
}

void TestCompositeValues::factoryAndLinks()
{
    QPoint point(3, -4), rangeVariable(1, 2);
    QSize size(5, 6);
    QRect rect(7, 8, 9, 10);
    TPointValidator points(nullptr, -10, 10, -10, 10);
    TValueBrowser& b = *m_browser;
    QVERIFY(!b.addPoint(-1, "Point", "", "point", &point) && !b.addSize(0, "", "", "size", &point));
    QVERIFY(!b.addRect(-2, "Rect", "", "rect", &point) && !b.addRange(0, QString(), "", "range", &point));
    const QList<TBaseValue*> rows{b.addPoint(0, "Point", "hint", "point", &point, &points),
                                  b.addSize(1, "Size", "", "size", &size), b.addRect(0, "Rect", "", "rect", &rect),
                                  b.addRange(0, "Range", "", "range", &rangeVariable)};
    QVERIFY(rows[1]->parent() == rows[0] && !b.getItem(0)); // parts have no id of their own
    const auto texts = [&rows](bool names) {
        QStringList list;
        for (const TBaseValue* row : rows)
            list << (names ? childTexts(row, 0).join(',') : shown(row));
        return list.join('/');
    };
    QCOMPARE(texts(true), "X coordinate,Y coordinate/Width,Height/X coordinate,Y coordinate,Width,Height/min,max");
    b.updateFromLinked();
    QCOMPARE(texts(false), "3,-4/5,6/7,8,9,10/1 : 2");
    QVERIFY(rows[0]->setValue("50,-50") && rows[1]->registeredChild(0)->setValue(QVariant(11)));
    QVERIFY(rows[2]->setValue("-1,-2,3,4") && rows[3]->setValue("1.6 : -2.4"));
    b.updateLinked();
    QVERIFY(point == QPoint(10, -10) && size == QSize(11, 6) && rect == QRect(-1, -2, 3, 4));
    QCOMPARE(rangeVariable, QPoint(2, -2));
    QPointF real;
    static_cast<TRangeValue*>(rows[3])->writeValue(real);
    QCOMPARE(real, QPointF(1.6, -2.4));
}

QTEST_MAIN(TestCompositeValues)
#include "tst_compositevalues.moc"
