#include "tsizevalue.h"

#include "tcompoundvalidators.h"
#include "tintegervalue.h"

namespace {
// Places of the child rows among the registered children.
enum { WidthChild = 0, HeightChild = 1 };
} // namespace

bool TSizeValue::s_showExpandables = true;

TSizeValue::TSizeValue(TValueBrowser* browser, const QString& name, int page, int id)
    : TBaseValue(browser, name, page, id)
{
    construct();
}

TSizeValue::TSizeValue(TBaseItem* parent, const QString& name, int id)
    : TBaseValue(parent, name, id)
{
    construct();
}

TSizeValue::~TSizeValue() = default;

void TSizeValue::construct()
{
    setValidator(TSizeValidator::s_SizeValidator);
    showChildren(s_showExpandables);
}

void TSizeValue::setDefaultExpandableItems(bool show)
{
    s_showExpandables = show;
}

QSize TSizeValue::size() const
{
    return variant().toSize();
}

void TSizeValue::writeValue(QSize& out)
{
    out = size();
}

QString TSizeValue::valueText() const
{
    const QSize s = size();
    return QStringLiteral("%1,%2")
        .arg(s.width(), 0, 10, QLatin1Char(' '))
        .arg(s.height(), 0, 10, QLatin1Char(' '));
}

void TSizeValue::doCreateChildren()
{
    auto* width = new TIntegerValue(this, QItemDelegate::tr("Width"), -1);
    width->setValidator(TIntValidator::s_IntValidator);
    auto* height = new TIntegerValue(this, QItemDelegate::tr("Height"), -1);
    height->setValidator(TIntValidator::s_IntValidator);
    registerChild(width);
    registerChild(height);
}

void TSizeValue::doUpdateChildren()
{
    const QSize s = size();
    // The application may have deleted a child row; its place stays empty.
    if (TBaseValue* width = registeredChild(WidthChild))
        setChildValue(width, QVariant(s.width()));
    if (TBaseValue* height = registeredChild(HeightChild))
        setChildValue(height, QVariant(s.height()));
}

void TSizeValue::doUpdateFromChild(TBaseValue*)
{
    // A component whose row has been deleted keeps its current value.
    QSize s = size();
    if (const TBaseValue* height = registeredChild(HeightChild))
        s.setHeight(height->number());
    if (const TBaseValue* width = registeredChild(WidthChild))
        s.setWidth(width->number());
    // A value the validator turns down leaves the parent as it was, and the
    // children show it again.
    if (!setValue(QVariant(s)))
        updateChildren();
}
