#include "trangevalue.h"

#include "tcompoundvalidators.h"
#include "tdoublevalue.h"

namespace {

// Places of the child rows among the registered children.
enum { FirstChild = 0, SecondChild = 1 };

// The decimals to which the range validator rounds each number.
constexpr int RangeDecimals = 5;

// Fixed notation, trailing zeros and a trailing point trimmed: 0.5, 2,
// 0.00001, 1234567.5. Neither an exponent form nor a shortened mantissa,
// which the range validator would read back as other numbers.
QString numberText(double d)
{
    QString text = QString::number(d, 'f', RangeDecimals);
    if (text.contains(QLatin1Char('.'))) {
        int end = text.size();
        while (text.at(end - 1) == QLatin1Char('0'))
            --end;
        if (text.at(end - 1) == QLatin1Char('.'))
            --end;
        text.truncate(end);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

} // namespace

bool TRangeValue::s_showExpandables = true;

TRangeValue::TRangeValue(TValueBrowser* browser, const QString& name, const QString& firstName,
                         const QString& secondName, int page, int id)
    : TBaseValue(browser, name, page, id)
    , m_firstName(firstName)
    , m_secondName(secondName)
{
    construct();
}

TRangeValue::TRangeValue(TBaseItem* parent, const QString& name, const QString& firstName,
                         const QString& secondName, int id)
    : TBaseValue(parent, name, id)
    , m_firstName(firstName)
    , m_secondName(secondName)
{
    construct();
}

TRangeValue::~TRangeValue() = default;

void TRangeValue::construct()
{
    setValidator(TRangeValidator::s_RangeValidator);
    showChildren(s_showExpandables);
}

void TRangeValue::setDefaultExpandableItems(bool show)
{
    s_showExpandables = show;
}

QPointF TRangeValue::range() const
{
    return variant().toPointF();
}

void TRangeValue::writeValue(QPointF& out)
{
    out = range();
}

QString TRangeValue::valueText() const
{
    const QPointF r = range();
    return numberText(r.x()) + QLatin1String(" : ") + numberText(r.y());
}

void TRangeValue::doCreateChildren()
{
    auto* first = new TDoubleValue(this, m_firstName, -1);
    first->setValidator(TDoubleValidator::s_DoubleValidator);
    auto* second = new TDoubleValue(this, m_secondName, -1);
    second->setValidator(TDoubleValidator::s_DoubleValidator);
    registerChild(first);
    registerChild(second);
}

void TRangeValue::doUpdateChildren()
{
    const QPointF r = range();
    // The application may have deleted a child row; its place stays empty.
    if (TBaseValue* first = registeredChild(FirstChild))
        setChildValue(first, QVariant(double(r.x())));
    if (TBaseValue* second = registeredChild(SecondChild))
        setChildValue(second, QVariant(double(r.y())));
}

void TRangeValue::doUpdateFromChild(TBaseValue*)
{
    // A number whose row has been deleted keeps its current value.
    QPointF r = range();
    if (const TBaseValue* first = registeredChild(FirstChild))
        r.setX(first->numberF());
    if (const TBaseValue* second = registeredChild(SecondChild))
        r.setY(second->numberF());
    // A value the validator turns down leaves the parent as it was, and the
    // children show it again.
    if (!setValue(QVariant(r)))
        updateChildren();
}
