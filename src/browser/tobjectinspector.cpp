// TValueBrowser::addObject(): rows bound live to the properties of a QObject.

#include "tobjectinspector_p.h"

#include "tbasegroup.h"
#include "tboolvalue.h"
#include "tcolorvalue.h"
#include "tdoublevalue.h"
#include "tfontvalue.h"
#include "tintegervalue.h"
#include "tlistvalue.h"
#include "tpointvalue.h"
#include "trangevalue.h"
#include "trectvalue.h"
#include "tsizevalue.h"
#include "ttextvalue.h"
#include "tvaluebrowser.h"
#include "tvariant_p.h"

#include <QColor>
#include <QFont>
#include <QMetaEnum>

#include <cstring>

namespace {

// The heading of one class of the object's meta-object chain, drawn like a
// light group. It holds no value and opens no settings section.
class TClassRow : public TBaseItem
{
public:
    TClassRow(TBaseItem* parent, const QString& name, const QPalette& palette)
        : TBaseItem(parent, name, -1)
    {
        setFlags(flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEditable));
        const QColor dark = palette.color(QPalette::Dark);
        for (int column = 0; column < 2; ++column)
            setBackground(column, dark.darker(80));
        setForeground(0, dark.darker(200));
    }
    const char* ItemID() const override { return "TClassRow"; }
    bool editable() const override { return false; }
    bool hasValue() const override { return false; }
    void writeDataSet(QSettings& settings) override { TBaseItem::writeDataSet(settings); }
    void readDataSet(QSettings& settings) override { TBaseItem::readDataSet(settings); }
};

bool isDesignable(const QMetaProperty& property, const QObject* object)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    Q_UNUSED(object)
    return property.isDesignable();
#else
    return property.isDesignable(object);
#endif
}

// The number of an enum or flags value, whatever type the variant has.
int enumNumber(const QVariant& value)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    if (ok || !value.isValid())
        return n;
    int raw = 0;
    std::memcpy(&raw, value.constData(), sizeof raw);
    return raw;
}

} // namespace

TObjectBinder::TObjectBinder(TValueBrowserExt* ext, QObject* object, TBaseGroup* group)
    : m_ext(ext), m_object(object), m_group(group)
{
    connect(object, &QObject::destroyed, this, &TObjectBinder::onDestroyed);
}

TObjectBinder::~TObjectBinder() = default;

TBaseValue* TObjectBinder::makeRow(TBaseItem* parent, const QMetaProperty& property, bool& asText)
{
    asText = false;
    const QString name = QString::fromLatin1(property.name());
    if (property.isFlagType())
        return new TTextValue(parent, name);
    if (property.isEnumType()) {
        const QMetaEnum e = property.enumerator();
        auto list = std::make_unique<TItemList>();
        for (int i = 0; i < e.keyCount(); ++i)
            list->setItem(QVariant(e.value(i)), QString::fromLatin1(e.key(i)));
        auto* row = new TListValue(parent, name, list.get());
        m_enumLists.push_back(std::move(list));
        return row;
    }
    switch (property.userType()) {
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::Short:
        return new TIntegerValue(parent, name);
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::UShort: {
        auto* row = new TIntegerValue(parent, name);
        row->setValidator(TIntValidator::s_ZeroPositiveValidator);
        return row;
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return new TDoubleValue(parent, name);
    case QMetaType::Bool:
        return new TBoolValue(parent, name);
    case QMetaType::QString:
        return new TTextValue(parent, name);
    case QMetaType::QColor: {
        auto* row = new TColorValue(parent, name, &TColorList::baseColorList());
        row->allowOwnValues(true);
        return row;
    }
    case QMetaType::QFont:
        return new TFontValue(parent, name, &TFontList::fullFontList());
    case QMetaType::QPoint:
        return new TPointValue(parent, name);
    case QMetaType::QPointF:
        return new TRangeValue(parent, name, QStringLiteral("x"), QStringLiteral("y"));
    case QMetaType::QSize:
        return new TSizeValue(parent, name);
    case QMetaType::QRect:
        return new TRectValue(parent, name);
    default:
        break;
    }
    // Anything else that has a text is shown, read-only.
    if (!property.read(m_object).canConvert<QString>())
        return nullptr;
    auto* row = new TTextValue(parent, name);
    row->setEnabled(false);
    asText = true;
    return row;
}

void TObjectBinder::build()
{
    QList<const QMetaObject*> chain;
    for (const QMetaObject* mo = m_object->metaObject(); mo; mo = mo->superClass())
        chain.prepend(mo);
    for (const QMetaObject* mo : qAsConst(chain)) {
        TClassRow* classRow = nullptr;
        for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i) {
            const QMetaProperty property = mo->property(i);
            if (!property.isReadable() || !isDesignable(property, m_object))
                continue;
            if (!classRow)
                classRow = new TClassRow(m_group, QString::fromLatin1(mo->className()), m_ext->m_browser->palette());
            bool asText = false;
            TBaseValue* row = makeRow(classRow, property, asText);
            if (!row)
                continue;
            const QString hint = QStringLiteral("%1::%2 (%3)").arg(QString::fromLatin1(mo->className()),
                QString::fromLatin1(property.name()), QString::fromLatin1(property.typeName()));
            bind(row, property, hint, asText, 0);
            if (!property.isFlagType() || !property.isWritable())
                continue;
            // A check row for each single-bit key of a flags property.
            const QMetaEnum e = property.enumerator();
            for (int k = 0; k < e.keyCount(); ++k) {
                const int bit = e.value(k);
                if (bit > 0 && (bit & (bit - 1)) == 0)
                    bind(new TBoolValue(row, QString::fromLatin1(e.key(k))), property, hint, false, bit);
            }
            row->setExpanded(false);
        }
        if (classRow && classRow->childCount() == 0)
            delete classRow;
    }
}

void TObjectBinder::bind(TBaseValue* row, const QMetaProperty& property, const QString& hint, bool asText,
                         int bit)
{
    row->setPropertyName(QString::fromLatin1(property.name()) + (bit ? QLatin1Char('.') + row->text(0) : QString()));
    row->setHint(hint);
    if (!property.isWritable())
        row->setEnabled(false);
    m_bindings.push_back({m_ext->refOf(row), property, asText, bit});
    read(m_bindings.back());
    if (property.hasNotifySignal()) {
        const int signal = property.notifySignalIndex();
        if (!m_bySignal.contains(signal))
            QMetaObject::connect(m_object, signal, this, metaObject()->indexOfSlot("onNotify()"));
        m_bySignal.insert(signal, int(m_bindings.size()) - 1);
    }
}

bool TObjectBinder::hasGroup(const TBaseItem* item) const
{
    return m_group && item == m_group;
}

TObjectBinder::Binding* TObjectBinder::bindingOf(const TBaseValue* row)
{
    for (Binding& binding : m_bindings) {
        if (binding.row->row == row)
            return &binding;
    }
    return nullptr;
}

void TObjectBinder::read(Binding& binding)
{
    TBaseValue* row = binding.row->row;
    if (!row || !m_object)
        return;
    const QMetaProperty& property = binding.property;
    QVariant value = property.read(m_object);
    if (binding.bit)
        value = QVariant((enumNumber(value) & binding.bit) == binding.bit);
    else if (property.isFlagType())
        value = QString::fromLatin1(property.enumerator().valueToKeys(enumNumber(value)));
    else if (property.isEnumType())
        value = QVariant(enumNumber(value));
    else if (property.userType() == QMetaType::QColor)
        value = value.value<QColor>().name();
    else if (property.userType() == QMetaType::QFont)
        value = value.value<QFont>().toString();
    else if (binding.asText || property.userType() == QMetaType::QString)
        value = value.toString();
    row->setValue(value);
}

void TObjectBinder::write(Binding& binding)
{
    TBaseValue* row = binding.row->row;
    const QMetaProperty& property = binding.property;
    if (!row || !m_object || binding.asText || row->value().kind == SK_Special)
        return;
    QVariant value = row->variant();
    if (property.isEnumType()) {
        // Enums and flags are written as their keys, which every Qt takes.
        const QMetaEnum e = property.enumerator();
        const int current = enumNumber(property.read(m_object));
        int number = value.toInt();
        bool ok = true;
        if (binding.bit)
            number = value.toBool() ? current | binding.bit : current & ~binding.bit;
        else if (property.isFlagType())
            number = e.keysToValue(value.toString().toLatin1().constData(), &ok);
        if (ok && number != current)
            property.write(m_object, QString::fromLatin1(property.isFlagType() ? e.valueToKeys(number)
                                                                             : QByteArray(e.valueToKey(number))));
        return;
    } else if (property.userType() == QMetaType::QColor) {
        value = QColor(value.toString());
    } else if (property.userType() == QMetaType::QFont) {
        QFont font;
        if (!font.fromString(value.toString()))
            return;
        value = font;
    } else if (!tarvoConvert(value, property.userType())) {
        return;
    }
    if (value != property.read(m_object))
        property.write(m_object, value);
}

void TObjectBinder::writeAll()
{
    for (Binding& binding : m_bindings)
        write(binding);
}

void TObjectBinder::onNotify()
{
    const int signal = senderSignalIndex();
    for (int i : m_bySignal.values(signal))
        read(m_bindings[size_t(i)]);
}

void TObjectBinder::onDestroyed()
{
    TValueBrowser* b = m_ext->m_browser;
    for (Binding& binding : m_bindings) {
        TBaseValue* row = binding.row->row;
        if (!row)
            continue;
        // An open editor goes with the object: its row no longer edits anything.
        if (b->currentItem() == row)
            row->onLeaveItem();
        row->setEnabled(false);
    }
}

TBaseGroup* TValueBrowser::addObject(QObject* object, const QString& section, bool light)
{
    if (!object)
        return nullptr;
    QString name = object->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(object->metaObject()->className());
    TBaseGroup* group = addGroup(name, section, light);
    auto* binder = new TObjectBinder(ext(), object, group);
    ext()->addBinder(binder);
    binder->build();
    // The new rows follow a filter that is set.
    if (!filter().isEmpty())
        ext()->setFilter(filter());
    return group;
}
