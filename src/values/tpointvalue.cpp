#include "tpointvalue.h"

#include "tcompoundvalidators.h"
#include "tintegervalue.h"

namespace {
// Places of the child rows among the registered children.
enum { XChild = 0, YChild = 1 };
} // namespace

bool TPointValue::s_showExpandables = true;

TPointValue::TPointValue(TValueBrowser* browser, const QString& name, int page, int id)
    : TBaseValue(browser, name, page, id)
{
    construct();
}

TPointValue::TPointValue(TBaseItem* parent, const QString& name, int id)
    : TBaseValue(parent, name, id)
{
    construct();
}

TPointValue::~TPointValue() = default;

void TPointValue::construct()
{
    setValidator(TPointValidator::s_PointValidator);
    showChildren(s_showExpandables);
}

void TPointValue::setDefaultExpandableItems(bool show)
{
    s_showExpandables = show;
}

QPoint TPointValue::point() const
{
    return variant().toPoint();
}

void TPointValue::writeValue(QPoint& out)
{
    out = point();
}

QString TPointValue::valueText() const
{
    const QPoint p = point();
    return QStringLiteral("%1,%2").arg(p.x(), 0, 10, QLatin1Char(' ')).arg(p.y(), 0, 10, QLatin1Char(' '));
}

void TPointValue::doCreateChildren()
{
    auto* x = new TIntegerValue(this, QItemDelegate::tr("X coordinate"), -1);
    x->setValidator(TIntValidator::s_IntValidator);
    auto* y = new TIntegerValue(this, QItemDelegate::tr("Y coordinate"), -1);
    y->setValidator(TIntValidator::s_IntValidator);
    registerChild(x);
    registerChild(y);
}

void TPointValue::doUpdateChildren()
{
    const QPoint p = point();
    // The application may have deleted a child row; its place stays empty.
    if (TBaseValue* x = registeredChild(XChild))
        setChildValue(x, QVariant(p.x()));
    if (TBaseValue* y = registeredChild(YChild))
        setChildValue(y, QVariant(p.y()));
}

void TPointValue::doUpdateFromChild(TBaseValue*)
{
    // A coordinate whose row has been deleted keeps its current value.
    QPoint p = point();
    if (const TBaseValue* y = registeredChild(YChild))
        p.setY(y->number());
    if (const TBaseValue* x = registeredChild(XChild))
        p.setX(x->number());
    // A value the validator turns down leaves the parent as it was, and the
    // children show it again.
    if (!setValue(QVariant(p)))
        updateChildren();
}
