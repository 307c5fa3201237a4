#include "tfontvalue.h"

#include "tboolvalue.h"
#include "tcombobox_p.h"
#include "tdroplist_p.h"
#include "tintegervalue.h"
#include "tpixmapstore_p.h"
#include "tvaluebrowser.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QSettings>
#include <QStringList>
#include <QRegularExpression>
#include <QToolTip>

// Library-wide objects, built in this order when the library is loaded.
TFontList TFontList::m_fullFontList;
TItemList TFontList::m_fontSizeList(false);
TFontButtonEditor TFontValue::s_FontButtonEditor;
TFontComboEditor TFontValue::s_FontComboEditor;
QFont TFontValue::s_defaultFont;
QFont TFontValue::s_tooltipFont;

// Made on first use and kept to the end of the process.
QIcon* TFontList::m_truetype = nullptr;
QIcon* TFontList::m_bitmap = nullptr;
QFontComboBox* TFontList::m_fakeCombo = nullptr;
QAbstractItemDelegate* TFontList::m_fakeFontDelegate = nullptr;

bool TFontValue::s_showExpandables = true;
TItemList* TFontValue::s_fontSizeList = nullptr;
TFontList* TFontValue::s_fontList = nullptr;

namespace {

// Pixmaps, painters and widgets need the GUI application object.
bool haveGuiApplication()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
// The 0 to 99 weight of Qt 5 nearest to a weight on the 1 to 1000 scale of
// Qt 6 descriptions.
int legacyWeight(int weight)
{
    static const int legacy[] = {QFont::Thin, QFont::ExtraLight, QFont::Light, QFont::Normal,
                                 QFont::Medium, QFont::DemiBold, QFont::Bold, QFont::ExtraBold,
                                 QFont::Black};
    const int step = qBound(1, (weight + 50) / 100, 9);
    return legacy[step - 1];
}
#endif

// Reads a whole font description, the form QFont::toString() writes:
// family, point size, pixel size, style hint, weight, style, underline,
// strike out, fixed pitch and raw mode, optionally followed by a style name.
// Qt 5 writes those ten (or eleven) fields with a weight from 0 to 99; Qt 6
// adds capitalization, letter spacing type and amount, word spacing, stretch
// and style strategy before the style name (sixteen or seventeen fields)
// and writes the weight from 1 to 1000. Both forms are read with either Qt,
// as are the short form "family,size" and the older nine fields (family,
// point size, style hint, weight, italic, underline, strike out, fixed
// pitch, raw mode). A bare family name is not a description. The form is
// checked here first, so that text which is no description never reaches
// QFont::fromString().
bool readDescription(const QString& text, QFont& out)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.contains(QLatin1Char(',')))
        return false;
    QStringList fields = trimmed.split(QLatin1Char(','));
    const int n = fields.size();
    if (n != 2 && (n < 9 || n > 11) && n != 16 && n != 17)
        return false;
    if (fields.first().isEmpty())
        return false;
    // Everything between the family and the style name is a number.
    const int numbers = n >= 16 ? 16 : qMin(n, 10);
    for (int i = 1; i < numbers; ++i) {
        bool ok = false;
        fields.at(i).toDouble(&ok);
        if (!ok)
            return false;
    }

    // Brought into the form this Qt's QFont::fromString() reads.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    if (n == 9) {
        const QString italic = fields.at(4).toInt() != 0 ? QStringLiteral("1") : QStringLiteral("0");
        fields = QStringList{fields.at(0), fields.at(1), QStringLiteral("-1"), fields.at(2), fields.at(3),
                             italic, fields.at(5), fields.at(6), fields.at(7), fields.at(8)};
    }
    QFont font;
    if (!font.fromString(fields.join(QLatin1Char(','))))
        return false;
#else
    QStringList extra;
    if (n >= 16) {
        extra = fields.mid(10, 6);
        fields[4] = QString::number(legacyWeight(fields.at(4).toInt()));
        fields = fields.mid(0, 10) + fields.mid(16);
    }
    QFont font;
    if (!font.fromString(fields.join(QLatin1Char(','))))
        return false;
    if (!extra.isEmpty()) {
        font.setCapitalization(QFont::Capitalization(extra.at(0).toInt()));
        font.setLetterSpacing(QFont::SpacingType(extra.at(1).toInt()), extra.at(2).toDouble());
        font.setWordSpacing(extra.at(3).toDouble());
        font.setStretch(extra.at(4).toInt());
        font.setStyleStrategy(QFont::StyleStrategy(extra.at(5).toInt()));
    }
#endif
    out = font;
    return true;
}

} // namespace

// TFontList

TFontList::TFontList()
    : TItemList(true)
{
}

TFontList::TFontList(const TFontList& other) = default;

TFontList& TFontList::operator=(const TFontList& other)
{
    TItemList::operator=(other);
    return *this;
}

TFontList::~TFontList() = default;

TItem* TFontList::setItem(const QVariant& value, const QString& text, QIcon* icon)
{
    Q_UNUSED(icon)
    QString family;
    if (value.userType() == QMetaType::QFont)
        family = qvariant_cast<QFont>(value).family();
    else if (value.userType() == QMetaType::QString)
        family = value.toString();
    else
        family = text.isEmpty() ? value.toString() : text;
    // An entry made from a QFont is named by its family, not by the whole
    // description of the font.
    return TItemList::setItem(QVariant(family), text.isEmpty() ? family : text, nullptr);
}

bool TFontList::paintComboItem(QPainter* painter, QStyleOptionViewItem& option,
                               const QModelIndex& index, QVariant& value)
{
    Q_UNUSED(value)
    if (!m_fakeCombo) {
        // Never shown. It goes with the event loop of the application;
        // otherwise it is left alone, since a widget must not be destroyed
        // once the application object is gone.
        m_fakeCombo = new QFontComboBox;
        m_fakeFontDelegate = m_fakeCombo->itemDelegate();
        QCoreApplication* app = QCoreApplication::instance();
        QObject::connect(app, &QCoreApplication::aboutToQuit, app, [] {
            QFontComboBox* combo = m_fakeCombo;
            m_fakeCombo = nullptr;
            m_fakeFontDelegate = nullptr;
            delete combo;
        });
    }
    painter->setPen(Qt::black);
    m_fakeFontDelegate->paint(painter, option, index);
    return false;
}

bool TFontList::compareComboItem(const QVariant& entryValue, const QVariant& currentValue)
{
    return TFontValue::fontFromVariant(entryValue).family() == TFontValue::fontFromVariant(currentValue).family();
}

void TFontList::highlightComboItem(QVariant& value, int index, QComboBox* combo, QPoint globalPos)
{
    Q_UNUSED(index)
    Q_UNUSED(combo)
    if (!value.isValid())
        return;
    // The font stays set until the font value is left.
    QToolTip::setFont(QFont(value.toString(), -1, -1, false));
    QToolTip::showText(globalPos, value.toString(), nullptr);
}

QSize TFontList::sizeHintComboItem(QVariant& value, const QStyleOptionViewItem& option)
{
    Q_UNUSED(value)
    Q_UNUSED(option)
    return QSize(20, 20);
}

QIcon TFontList::makeIcon(const QFont& font, int width, int height)
{
    Q_UNUSED(width)
    Q_UNUSED(height)
    if (!haveGuiApplication())
        return QIcon();
    if (!m_truetype) {
        m_truetype = new QIcon(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fonttruetype-16.png"));
        m_bitmap = new QIcon(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fontbitmap-16.png"));
    }
    QFont sample(font);
    sample.setPixelSize(20);
    // Samples are kept by the face drawn, with what the font leaves open
    // taken from the default font as the painter does (the size is the
    // sample's own). Every call still gives an icon of its own, as a
    // freshly drawn one would be.
    static TPixmapStore<QFont> samples;
    const QPixmap pixmap = samples.pixmap(sample.resolve(QFont()), [&sample]() {
        QPixmap pixmap(24, 20);
        pixmap.fill(Qt::white);
        QPainter painter(&pixmap);
        painter.setFont(sample);
        painter.drawText(pixmap.rect(), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Aa"));
        painter.end();
        return pixmap;
    });
    return QIcon(pixmap);
}

TFontList& TFontList::fullFontList()
{
    // The font database needs the application object; until it exists the
    // list stays empty and is filled by a later call.
    if (!m_fullFontList.isEmpty() || !haveGuiApplication())
        return m_fullFontList;
    #if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QStringList families = QFontDatabase::families();
#else
    const QStringList families = QFontDatabase().families();
#endif
    for (const QString& family : families)
        m_fullFontList.setItem(QVariant(family), QString(), nullptr);
    const QString defaultFamily = TFontValue::defaultFont().family();
    if (!defaultFamily.isEmpty() && !families.contains(defaultFamily))
        m_fullFontList.setItem(QVariant(defaultFamily), QString(), nullptr);
    return m_fullFontList;
}

TItemList& TFontList::defaultFontSizeList()
{
    if (!m_fontSizeList.isEmpty())
        return m_fontSizeList;
    const QList<int> sizes = QFontDatabase::standardSizes();
    for (int size : sizes)
        m_fontSizeList.setItem(QVariant(size), QString(), nullptr);
    return m_fontSizeList;
}

// TFontValue

TFontValue::TFontValue(TValueBrowser* browser, const QString& name, TFontList* list, int page, int id)
    : TListValue(browser, name, list, page, id)
{
    construct();
}

TFontValue::TFontValue(TBaseItem* parent, const QString& name, TFontList* list, int id)
    : TListValue(parent, name, list, id)
{
    construct();
}

TFontValue::~TFontValue()
{
    // The editor must be done with the list before it goes.
    closeEditor();
    if (m_ownFontList) {
        m_currentEntry = nullptr;
        m_list = nullptr;
        delete m_ownFontList;
    }
}

void TFontValue::construct()
{
    setButtonEditor(&s_FontButtonEditor);
    showChildren(s_showExpandables);
    setValue(QVariant(defaultFont()));
}

void TFontValue::setDefaultFont(const QString& family)
{
    s_defaultFont = QFont(family, -1, -1, false);
}

QFont TFontValue::defaultFont()
{
    // A font made before the application object has no family; the
    // application's font is then taken as it is now.
    if (s_defaultFont.family().isEmpty())
        return QFont();
    return s_defaultFont;
}

QFont TFontValue::fontFromVariant(const QVariant& value)
{
    if (value.userType() == QMetaType::QFont)
        return qvariant_cast<QFont>(value);
    QFont font;
    if (value.userType() == QMetaType::QString) {
        const QString text = value.toString();
        if (!readDescription(text, font))
            font.setFamily(text);
    }
    return font;
}

QFont TFontValue::font() const
{
    return fontFromVariant(m_current.value);
}

bool TFontValue::makeFont(const QVariant& value, QFont& out)
{
    QFont f;
    bool typedFamily = false;
    if (value.userType() == QMetaType::QFont) {
        f = qvariant_cast<QFont>(value);
    } else if (value.userType() == QMetaType::QString) {
        // A whole description (as written to settings) is the whole font;
        // a family name changes only the family of the current font.
        const QString text = value.toString();
        if (!readDescription(text, f)) {
            // A family is typed without the blanks around it, and has no
            // comma: the description written to settings must read back
            // as the same font.
            QString family = text.trimmed();
            f = font();
            // The row's own text form, "family [size]", as the editor shows
            // it, is that family at that size: the shown text never becomes
            // a family.
            static const QRegularExpression shown(QStringLiteral("^(.*\\S)\\s+\\[(-?\\d+)\\]$"));
            const QRegularExpressionMatch match = shown.match(family);
            if (match.hasMatch()) {
                family = match.captured(1);
                const int size = match.captured(2).toInt();
                if (size > 0)
                    f.setPointSize(size);
            }
            if (family.isEmpty() || family.contains(QLatin1Char(',')))
                return false;
            f.setFamily(family);
            typedFamily = !match.hasMatch();
        }
    } else {
        return false;
    }
    if (f.family().isEmpty())
        return false;

    // A typed family is completed to the first entry it starts. A whole
    // font keeps its family: it is no abbreviation.
    if (typedFamily && m_list && !m_list->findItemByText(f.family())) {
        const QString family = f.family();
        for (const TItem* entry : qAsConst(*m_list)) {
            if (entry->text.startsWith(family)) {
                f.setFamily(entry->text);
                break;
            }
        }
    }
    out = f;
    return true;
}

bool TFontValue::setValue(const QVariant& value)
{
    QFont f;
    if (!makeFont(value, f))
        return false;
    setRecord(SK_ListItem, QVariant(f), nullptr);
    return true;
}

TValueValidator::EValidateResult TFontValue::validate(QVariant& value)
{
    // What setValue() would take, in the form it would hold it; used where
    // a value is checked without being set (reading bound variables from
    // settings).
    QFont f;
    if (!makeFont(value, f))
        return TValueValidator::VR_Invalid;
    const bool unchanged = value.userType() == QMetaType::QFont && qvariant_cast<QFont>(value) == f;
    value = QVariant(f);
    return unchanged ? TValueValidator::VR_Valid : TValueValidator::VR_Corrected;
}

QString TFontValue::valueText() const
{
    const QFont f = font();
    return QStringLiteral("%1 [%2]").arg(f.family()).arg(f.pointSize());
}

bool TFontValue::valueChanged(const QVariant& a, const QVariant& b)
{
    const QFont fa = fontFromVariant(a);
    const QFont fb = fontFromVariant(b);
    return fa.family() != fb.family()
        || fa.pixelSize() != fb.pixelSize()
        || fa.pointSize() != fb.pointSize()
        || (fa.weight() > QFont::Normal) != (fb.weight() > QFont::Normal)
        || (fa.style() != QFont::StyleNormal) != (fb.style() != QFont::StyleNormal)
        || fa.underline() != fb.underline()
        || fa.strikeOut() != fb.strikeOut();
}

const QIcon TFontValue::itemIcon()
{
    return m_current.kind == SK_Special ? QIcon() : m_icon;
}

void TFontValue::setupValue()
{
    m_icon = TFontList::makeIcon(fontFromVariant(m_current.value), 24, 12);
    setData(1, ToolTipFontRole, m_current.kind == SK_Special ? QVariant(QFont()) : QVariant(font()));
    TListValue::setupValue();
}

bool TFontValue::setCurrentItem()
{
    TDropList* dropList = editor();
    if (!dropList)
        return false;
    if (TListValue::setCurrentItem())
        return true;
    // A family outside the list is still the value: the editor shows it
    // rather than an empty line.
    if (m_current.kind == SK_Special)
        return false;
    dropList->lineEdit()->setText(valueText());
    dropList->comboBox()->saveEditText();
    return true;
}

void TFontValue::fillEditor()
{
    TDropList* dropList = editor();
    if (!dropList)
        return;
    TListValue::fillEditor();
    dropList->addSeparator();
    dropList->addComboEditor(&s_FontComboEditor);
}

void TFontValue::appendValue(const QVariant& value)
{
    if (!m_list) {
        m_ownFontList = new TFontList;
        m_list = m_ownFontList;
    }
    TListValue::appendValue(value);
}

void TFontValue::writeDataSet(QSettings& settings)
{
    // A font is written as its QFont::toString() description.
    writeDataSetAsText(settings);
}

void TFontValue::onEnterItem()
{
    s_tooltipFont = QToolTip::font();
    TListValue::onEnterItem();
}

void TFontValue::onLeaveItem()
{
    // The drop list may have set the tool tip font to a family's face.
    QToolTip::setFont(s_tooltipFont);
    TListValue::onLeaveItem();
}

// Child values

TListValue* TFontValue::sizeChild() const
{
    return dynamic_cast<TListValue*>(registeredChild(0));
}

TBoolValue* TFontValue::switchChild(int index) const
{
    return dynamic_cast<TBoolValue*>(registeredChild(index));
}

void TFontValue::doCreateChildren()
{
    if (!s_fontSizeList)
        s_fontSizeList = &TFontList::defaultFontSizeList();
    auto* size = new TListValue(this, QItemDelegate::tr("Size"), s_fontSizeList, -1);
    size->allowOwnValues(true);
    size->setValidator(TIntValidator::s_PositiveValidator);
    size->setButtonEditor(TIntegerValue::s_NumButtonEditor);
    auto* bold = new TBoolValue(this, QItemDelegate::tr("Bold"), -1);
    auto* italic = new TBoolValue(this, QItemDelegate::tr("Italic"), -1);
    auto* underline = new TBoolValue(this, QItemDelegate::tr("Underline"), -1);
    auto* strikeOut = new TBoolValue(this, QItemDelegate::tr("Striked Out"), -1);
    registerChild(size);
    registerChild(bold);
    registerChild(italic);
    registerChild(underline);
    registerChild(strikeOut);
}

void TFontValue::doUpdateChildren()
{
    const QFont f = font();
    if (TListValue* size = sizeChild())
        setChildValue(size, QVariant(f.pointSize()));
    if (TBoolValue* bold = switchChild(1))
        setChildValue(bold, QVariant(f.weight() > QFont::Normal));
    if (TBoolValue* italic = switchChild(2))
        setChildValue(italic, QVariant(f.style() != QFont::StyleNormal));
    if (TBoolValue* underline = switchChild(3))
        setChildValue(underline, QVariant(f.underline()));
    if (TBoolValue* strikeOut = switchChild(4))
        setChildValue(strikeOut, QVariant(f.strikeOut()));
}

void TFontValue::doUpdateFromChild(TBaseValue* child)
{
    Q_UNUSED(child)
    // Built anew from the children: only the family comes from the current
    // font. A child row the application deleted leaves its part as it is.
    const QFont current = font();
    const TListValue* size = sizeChild();
    const TBoolValue* bold = switchChild(1);
    const TBoolValue* italic = switchChild(2);
    const TBoolValue* underline = switchChild(3);
    const TBoolValue* strikeOut = switchChild(4);

    const bool isBold = bold ? bold->boolean() : current.weight() > QFont::Normal;
    QFont f(current.family(), size ? size->number() : current.pointSize(),
            isBold ? QFont::Bold : QFont::Normal,
            italic ? italic->boolean() : current.style() != QFont::StyleNormal);
    f.setUnderline(underline ? underline->boolean() : current.underline());
    f.setStrikeOut(strikeOut ? strikeOut->boolean() : current.strikeOut());
    setValue(QVariant(f));
}
