#include "tbuttoneditor.h"

#include "tbasevalue.h"
#include "tdroplist_p.h"
#include "tvaluestep_p.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

TButtonEditor::TButtonEditor(QObject* parent)
    : QObject(parent)
{
}

TButtonEditor::~TButtonEditor() = default;

TDropList* TButtonEditor::host() const
{
    return m_host;
}

TBaseValue* TButtonEditor::item() const
{
    return m_host ? m_host->valueItem() : nullptr;
}

void TButtonEditor::setHost(TDropList* host)
{
    m_host = host;
}

bool TButtonEditor::adoptHostOf(QObject* button)
{
    for (QObject* o = button; o; o = o->parent()) {
        if (auto* host = qobject_cast<TDropList*>(o)) {
            m_host = host;
            return host->valueItem() != nullptr;
        }
    }
    return false;
}

void TButtonEditor::doPick(QVariant value)
{
    if (m_host)
        m_host->doPicked(value);
}

TPopupButtonEditor::TPopupButtonEditor(QObject* parent)
    : TButtonEditor(parent)
{
}

TPopupButtonEditor::~TPopupButtonEditor() = default;

QWidget* TPopupButtonEditor::createButton(TDropList* host)
{
    setHost(host);
    auto* button = new QToolButton(host);
    button->setFixedWidth(20);
    button->setText(QStringLiteral("..."));
    button->setToolTip(tr("Pick value from dialog"));
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, button] {
        if (adoptHostOf(button))
            buttonClicked();
    });
    m_button = button;
    return button;
}

TSpinButtonEditor::TSpinButtonEditor(QObject* parent)
    : TButtonEditor(parent)
{
}

TSpinButtonEditor::~TSpinButtonEditor() = default;

QWidget* TSpinButtonEditor::createButton(TDropList* host)
{
    setHost(host);
    auto* container = new QWidget(host);
    container->setFixedWidth(20);
    container->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);

    auto makeButton = [container](Qt::ArrowType arrow) {
        auto* button = new QToolButton(container);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    QToolButton* up = makeButton(Qt::UpArrow);
    QToolButton* down = makeButton(Qt::DownArrow);
    connect(up, &QToolButton::clicked, this, [this, up] {
        const TValueStep step;
        if (adoptHostOf(up))
            buttonClickedUp();
    });
    connect(down, &QToolButton::clicked, this, [this, down] {
        const TValueStep step;
        if (adoptHostOf(down))
            buttonClickedDown();
    });

    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(up);
    layout->addWidget(down);

    m_upButton = up;
    m_downButton = down;
    return container;
}

void TSpinButtonEditor::buttonClickedUp()
{
}

void TSpinButtonEditor::buttonClickedDown()
{
}

TNumButtonEditor::TNumButtonEditor() = default;

TNumButtonEditor::~TNumButtonEditor() = default;

void TNumButtonEditor::buttonClickedUp()
{
    doProcess(true);
}

void TNumButtonEditor::buttonClickedDown()
{
    doProcess(false);
}

double TNumButtonEditor::logStep(const QString& text, double step, bool up)
{
    const double unit = std::trunc(step);
    const int point = text.indexOf(QLatin1Char('.'));
    const QString intText = point < 0 ? text : text.left(point);
    QString fracText;
    if (point >= 0) {
        const int second = text.indexOf(QLatin1Char('.'), point + 1);
        fracText = second < 0 ? text.mid(point + 1) : text.mid(point + 1, second - point - 1);
    }
    const int n = fracText.size();

    // The scale is a real: ten to the power of ten or more does not fit
    // into an int.
    const double scale = std::pow(10.0, n);
    const double I = intText.toDouble();
    double F = fracText.isEmpty() ? 0.0 : fracText.toDouble();
    if (text.startsWith(QLatin1Char('-')))
        F = -F;

    double N = I * scale + F;
    const double V = N / scale;
    double S = unit / scale;
    if (N != 0.0 && std::isfinite(N)) {
        // Step on the last non-zero digit of the text.
        for (int guard = 0; guard < 400 && std::fmod(N, 10.0) == 0.0; ++guard) {
            N = std::floor(N / 10.0);
            S *= 10.0;
        }
    }

    if (up) {
        if (V >= 0)
            return V + S;
        if (S >= 10 && I >= -S)
            return V + S / 10;
        return V + S;
    }
    if (V > 0 && S >= 10 && I <= S)
        return V - S / 10;
    return V - S;
}

void TNumButtonEditor::doProcess(bool up)
{
    TBaseValue* value = item();
    if (!value)
        return;
    const SValue record = value->value();
    bool ok = false;
    const double old = record.value.toDouble(&ok);
    if (record.kind == SK_Special || !ok) {
        doPick(QVariant(0));
        return;
    }

    double next;
    if (m_logCount)
        next = logStep(record.value.toString(), m_step, up);
    else
        next = up ? old + m_step : old - m_step;
    doPick(QVariant(next));

    if (!m_overSpin)
        return;
    // The row may have closed its editor while taking the value.
    value = item();
    if (!value)
        return;
    const double now = value->value().value.toDouble(&ok);
    if (!ok)
        return;
    if (up && !(now > old))
        doPick(QVariant(-std::numeric_limits<double>::infinity()));
    else if (!up && !(now < old))
        doPick(QVariant(std::numeric_limits<double>::infinity()));
}
