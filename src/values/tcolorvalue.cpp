#include "tcolorvalue.h"

#include "tcombobox_p.h"
#include "tdroplist_p.h"
#include "tintegervalue.h"
#include "tpixmapstore_p.h"
#include "tvaluebrowser.h"

#include <QPainter>
#include <QPixmap>

#include <cmath>

// Library-wide objects, built in this order when the library is loaded and
// destroyed when it is unloaded.
TColorList TColorList::m_regColorList;
TColorList TColorList::m_baseColorList;
TColorValidator TColorValidator::s_ColorValidator;
TColorButtonEditor TColorValue::s_ColorButtonEditor;
TColorComboEditor TColorValue::s_ColorComboEditor;

bool TColorValue::s_useOwnText = true;
bool TColorValue::s_allowListAppend = false;
bool TColorValue::s_showExpandables = true;
TColorList* TColorValue::s_colorList = nullptr;

namespace {

constexpr int SwatchWidth = 24;
constexpr int SwatchHeight = 12;
// A number is a QRgb: its alpha byte is ignored.
constexpr qint64 MaxRgb = 0xFFFFFFFF;

// The color a name or "#" form stands for; invalid for anything else.
// The validity is checked first, so unknown names go by without a word.
QColor namedColor(const QString& name)
{
    QColor color;
    if (QColor::isValidColor(name))
        color.setNamedColor(name);
    return color;
}

// The same color in the RGB form, eight bits a channel, that its text form
// reads back as; the alpha is kept.
QColor canonicalColor(const QColor& color)
{
    return color.isValid() ? QColor::fromRgba(color.rgba()) : color;
}

// The text form of a color: "#rrggbb" when it is opaque, "#aarrggbb" when
// it is not.
QString colorText(const QColor& color)
{
    return color.name(color.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb);
}

// A translucent color is held as its text form, which keeps the alpha (the
// text form of a QColor variant does not).
QVariant colorVariant(const QColor& color)
{
    return color.alpha() == 255 ? QVariant(color) : QVariant(colorText(color));
}

// The color a stored value stands for: a QColor or a text naming a color;
// invalid for anything else.
QColor colorOf(const QVariant& value)
{
    if (value.userType() == QMetaType::QColor)
        return canonicalColor(qvariant_cast<QColor>(value));
    // Text comes as a string, or as bytes (from settings, say).
    if (value.userType() == QMetaType::QString || value.userType() == QMetaType::QByteArray)
        return canonicalColor(namedColor(value.toString()));
    return QColor();
}

// A number read as a QRgb, 0xAARRGGBB with the alpha ignored; false
// outside 0 to 0xFFFFFFFF.
bool colorFromNumber(qint64 number, QColor& color)
{
    if (number < 0 || number > MaxRgb)
        return false;
    color = QColor(QRgb(number));
    return true;
}

bool isText(int type)
{
    return type == QMetaType::QString || type == QMetaType::QByteArray;
}

bool isSignedInteger(int type)
{
    switch (type) {
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
        return true;
    default:
        return false;
    }
}

bool isUnsignedInteger(int type)
{
    switch (type) {
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

// Reads a number variant as a QRgb. Reals count only when they are whole.
bool colorFromNumberVariant(const QVariant& value, QColor& color)
{
    const int type = value.userType();
    if (isSignedInteger(type))
        return colorFromNumber(value.toLongLong(), color);
    if (isUnsignedInteger(type)) {
        const qulonglong n = value.toULongLong();
        return n <= quint64(MaxRgb) && colorFromNumber(qint64(n), color);
    }
    if (type == QMetaType::Double || type == QMetaType::Float) {
        const double d = value.toDouble();
        if (!std::isfinite(d) || d != std::floor(d) || d < 0 || d > double(MaxRgb))
            return false;
        return colorFromNumber(qint64(d), color);
    }
    return false;
}

TValueValidator::EValidateResult checkColorText(QVariant& value)
{
    const QString text = value.toString();
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return TValueValidator::VR_Invalid;

    const QColor color = namedColor(trimmed);
    if (color.isValid()) {
        const QColor canonical = canonicalColor(color);
        // A color keyword is kept as typed ("navy", "Red", "transparent");
        // so is a text that already is the canonical "#rrggbb" (or
        // "#aarrggbb" for a translucent color). Other "#" forms and padded
        // texts are rewritten.
        const bool keyword = text == trimmed && !trimmed.startsWith(QLatin1Char('#')) && color == canonical;
        if (keyword || text == colorText(canonical))
            return TValueValidator::VR_Valid;
        value = colorVariant(canonical);
        return TValueValidator::VR_Corrected;
    }

    bool ok = false;
    const qlonglong number = trimmed.toLongLong(&ok);
    QColor fromNumber;
    if (ok && colorFromNumber(number, fromNumber)) {
        value = QVariant(fromNumber);
        return TValueValidator::VR_Corrected;
    }
    return TValueValidator::VR_Invalid;
}

TValueValidator::EValidateResult checkColor(QVariant& value)
{
    if (!value.isValid())
        return TValueValidator::VR_Invalid;
    const int type = value.userType();
    if (type == QMetaType::QColor) {
        const QColor color = qvariant_cast<QColor>(value);
        if (!color.isValid())
            return TValueValidator::VR_Invalid;
        // A row holds what its text form says: eight bits a channel, and
        // a translucent color as its "#aarrggbb" text.
        const QColor canonical = canonicalColor(color);
        if (color == canonical && color.alpha() == 255)
            return TValueValidator::VR_Valid;
        value = colorVariant(canonical);
        return TValueValidator::VR_Corrected;
    }
    if (isText(type))
        return checkColorText(value);
    QColor color;
    if (colorFromNumberVariant(value, color)) {
        value = QVariant(color);
        return TValueValidator::VR_Corrected;
    }
    return TValueValidator::VR_Invalid;
}

} // namespace

// TColorList

TColorList::TColorList()
    : TItemList(true)
{
}

// Entries and their swatches are copied, never shared: each list deletes
// only what it made.
TColorList::TColorList(const TColorList& other) = default;
TColorList& TColorList::operator=(const TColorList& other) = default;

TColorList::~TColorList() = default;

TItem* TColorList::setItem(const QVariant& value, const QString& text, QIcon* icon)
{
    Q_UNUSED(icon)
    QVariant v = value;
    QString t = text;
    QColor color;
    if (value.userType() == QMetaType::QColor) {
        color = qvariant_cast<QColor>(value);
        if (!color.isValid())
            return nullptr;
        color = canonicalColor(color);
        v = QVariant(color);
    } else {
        QVariant checked = value;
        if (checkColor(checked) == TValueValidator::VR_Invalid)
            return nullptr;
        t = checked.toString();
        color = canonicalColor(namedColor(t));
        v = QVariant(color);
    }
    return TItemList::setItem(v, t, new QIcon(makeIcon(color, SwatchWidth, SwatchHeight)));
}

TItem* TColorList::findItem(const QVariant& value)
{
    // A QColor is found by its RGB part, whatever its alpha, an entry of
    // the very same alpha first ("transparent" before "black"); a text by
    // the text form of an entry.
    if (value.userType() == QMetaType::QColor) {
        const QColor color = qvariant_cast<QColor>(value);
        TItem* sameRgb = nullptr;
        for (TItem* entry : qAsConst(*this)) {
            const QColor entryColor = colorOf(entry->value);
            if (!color.isValid() || !entryColor.isValid() || entryColor.rgb() != color.rgb())
                continue;
            if (entryColor.alpha() == color.alpha())
                return entry;
            if (!sameRgb)
                sameRgb = entry;
        }
        return sameRgb;
    }
    const QString key = value.toString();
    for (TItem* entry : qAsConst(*this)) {
        if (entry->value.toString() == key)
            return entry;
    }
    return nullptr;
}

QIcon TColorList::makeIcon(const QColor& color, int width, int height)
{
    if (width <= 0 || height <= 0)
        return QIcon();
    const auto draw = [&color, width, height]() {
        QPixmap pixmap(width, height);
        pixmap.fill(color);
        QPainter painter(&pixmap);
        painter.setPen(QPen(QBrush(Qt::black), 1, Qt::SolidLine));
        painter.setBrush(Qt::NoBrush);
        // A one-pixel pen draws a rectangle one pixel wider and taller than
        // the rectangle given, so the outline of the whole pixmap is this one.
        const QRect outline(0, 0, width - 1, height - 1);
        painter.drawRects(&outline, 1);
        painter.end();
        return pixmap;
    };
    if (!color.isValid())
        return QIcon(draw());
    // Swatches are kept by color and size. Every call still gives an icon
    // of its own, as a freshly drawn one would be.
    static TPixmapStore<QPair<quint64, quint64>> swatches;
    const QPixmap pixmap = swatches.pixmap(
        qMakePair(quint64(color.rgba64()), (quint64(quint32(width)) << 32) | quint32(height)), draw);
    return QIcon(pixmap);
}

TColorList& TColorList::baseColorList()
{
    if (!m_baseColorList.isEmpty())
        return m_baseColorList;
    struct BaseColor
    {
        const char* text;
        Qt::GlobalColor color;
    };
    static const BaseColor colors[] = {
        {"Black", Qt::black},
        {"White", Qt::white},
        {"Gray", Qt::gray},
        {"Light Gray", Qt::lightGray},
        {"Dark Gray", Qt::darkGray},
        {"Red", Qt::red},
        {"Green", Qt::green},
        {"Blue", Qt::blue},
        {"Cyan", Qt::cyan},
        {"Magenta", Qt::magenta},
        {"Yellow", Qt::yellow},
        {"Dark Red", Qt::darkRed},
        {"Dark Green", Qt::darkGreen},
        {"Dark Blue", Qt::darkBlue},
        {"Dark Cyan", Qt::darkCyan},
        {"Dark Magenta", Qt::darkMagenta},
        {"Dark Yellow", Qt::darkYellow},
    };
    for (const BaseColor& c : colors)
        m_baseColorList.setItem(QVariant(QColor(c.color)), QString::fromLatin1(c.text), nullptr);
    return m_baseColorList;
}

TColorList& TColorList::registeredColorList()
{
    if (!m_regColorList.isEmpty())
        return m_regColorList;
    const QStringList names = QColor::colorNames();
    for (const QString& name : names) {
        if (name.isEmpty())
            continue;
        const QColor color = namedColor(name);
        if (color.isValid())
            m_regColorList.setItem(QVariant(color), name, nullptr);
    }
    return m_regColorList;
}

// TColorValidator

TColorValidator::TColorValidator(QObject* parent)
    : TValueValidator(parent)
{
}

TColorValidator::~TColorValidator() = default;

TValueValidator::EValidateResult TColorValidator::checkValue(QVariant& value)
{
    return checkColor(value);
}

// TColorValue

TColorValue::TColorValue(TValueBrowser* browser, const QString& name, TColorList* list, int page, int id)
    : TListValue(browser, name, list, page, id)
{
    construct();
}

TColorValue::TColorValue(TBaseItem* parent, const QString& name, TColorList* list, int id)
    : TListValue(parent, name, list, id)
{
    construct();
}

TColorValue::~TColorValue()
{
    // The editor must be done with the list before it goes.
    closeEditor();
    m_list = nullptr;
    delete m_ownColorList;
}

void TColorValue::construct()
{
    setValidator(&TColorValidator::s_ColorValidator);
    setButtonEditor(&s_ColorButtonEditor);
    allowOwnValues(s_useOwnText);
    allowListAppending(s_allowListAppend);
    showChildren(s_showExpandables);
    // The swatch of the value taken while the base classes were built.
    setupValue();
}

QColor TColorValue::color() const
{
    if (m_current.kind == SK_Special)
        return QColor();
    return colorOf(m_current.value);
}

void TColorValue::writeValue(QColor& color)
{
    color = this->color();
}

TIntegerValue* TColorValue::childAt(int index, TIntegerValue* child) const
{
    // A deleted child row leaves an empty place among the registered ones.
    return child && registeredChild(index) == child ? child : nullptr;
}

TIntegerValue* TColorValue::redValue() const
{
    return childAt(0, m_red);
}

TIntegerValue* TColorValue::greenValue() const
{
    return childAt(1, m_green);
}

TIntegerValue* TColorValue::blueValue() const
{
    return childAt(2, m_blue);
}

bool TColorValue::setValue(const QVariant& value)
{
    // A translucent color is an own value: an entry of the list with the
    // same RGB part would lose its alpha.
    QVariant checked = value;
    const QColor own = isOwnValues() && checkColor(checked) != TValueValidator::VR_Invalid ? colorOf(checked) : QColor();
    if (own.isValid() && own.alpha() != 255) {
        // Unless the list has that very color ("transparent").
        TItem* entry = m_list ? m_list->findItem(QVariant(own)) : nullptr;
        if (entry && colorOf(entry->value).rgba() == own.rgba()) {
            setRecord(SK_ListItem, entry->value, entry);
            return true;
        }
        return TBaseValue::setValue(value);
    }

    // A form the validator rewrites ("#FF0000", 0xff0000, a color with
    // alpha) may name a color of the list: it is then that entry, as its
    // "#rrggbb" form would be.
    TValueValidator* checker = validator();
    if (m_list && checker && !m_list->findItem(value) && !m_list->findItemByText(value.toString())) {
        QVariant corrected = value;
        if (checker->checkValue(corrected) == TValueValidator::VR_Corrected) {
            if (TItem* entry = m_list->findItem(corrected)) {
                setRecord(SK_ListItem, entry->value, entry);
                return true;
            }
        }
    }
    return TListValue::setValue(value);
}

bool TColorValue::valueChanged(const QVariant& a, const QVariant& b)
{
    const QColor first = colorOf(a);
    const QColor second = colorOf(b);
    if (first.isValid() && second.isValid())
        return first != second;
    return TListValue::valueChanged(a, b);
}

void TColorValue::writeDataSet(QSettings& settings)
{
    writeDataSetAsText(settings);
}

const QIcon TColorValue::itemIcon()
{
    return m_current.kind == SK_Special ? QIcon() : m_icon;
}

void TColorValue::fillEditor()
{
    TDropList* dropList = editor();
    if (!dropList)
        return;
    TListValue::fillEditor();
    dropList->addSeparator();
    dropList->addComboEditor(&s_ColorComboEditor);
}

void TColorValue::setupValue()
{
    const QColor col = color();
    m_icon = col.isValid() ? TColorList::makeIcon(col, SwatchWidth, SwatchHeight) : QIcon();
    TListValue::setupValue();
}

void TColorValue::appendValue(const QVariant& value)
{
    if (!m_list) {
        m_ownColorList = new TColorList;
        m_list = m_ownColorList;
    }
    TListValue::appendValue(value);
}

void TColorValue::doCreateChildren()
{
    m_red = new TIntegerValue(this, QItemDelegate::tr("Red"), -1);
    m_red->setValidator(TIntValidator::s_ByteValidator);
    m_green = new TIntegerValue(this, QItemDelegate::tr("Green"), -1);
    m_green->setValidator(TIntValidator::s_ByteValidator);
    m_blue = new TIntegerValue(this, QItemDelegate::tr("Blue"), -1);
    m_blue->setValidator(TIntValidator::s_ByteValidator);
    registerChild(m_red);
    registerChild(m_green);
    registerChild(m_blue);
}

void TColorValue::doUpdateChildren()
{
    const QColor col = color();
    if (TIntegerValue* red = redValue())
        setChildValue(red, QVariant(col.red()));
    if (TIntegerValue* green = greenValue())
        setChildValue(green, QVariant(col.green()));
    if (TIntegerValue* blue = blueValue())
        setChildValue(blue, QVariant(col.blue()));
}

void TColorValue::doUpdateFromChild(TBaseValue* child)
{
    Q_UNUSED(child)
    TIntegerValue* red = redValue();
    TIntegerValue* green = greenValue();
    TIntegerValue* blue = blueValue();
    if (!red || !green || !blue)
        return;
    // A part that holds no number yet gives no color.
    if (red->value().kind == SK_Special || green->value().kind == SK_Special
        || blue->value().kind == SK_Special)
        return;
    const QColor col = QColor::fromRgb(qBound(0, red->number(), 255), qBound(0, green->number(), 255),
                                       qBound(0, blue->number(), 255), 255);
    // Children also refresh without a change of their own (storeSet(),
    // restoreSet()); the same color must not replace the row's own form of
    // it ("navy" by the entry "Dark Blue").
    if (col.rgb() == color().rgb())
        return;
    // A color the row does not take puts the parts back to the row's color.
    if (!setValue(QVariant(col)))
        updateChildren();
}
