#ifndef TARVO_FUZZCOMMON_H
#define TARVO_FUZZCOMMON_H

// Shared pieces of the fuzz harnesses: the application object, candidate
// variants made from fuzzed bytes, the property check that stops the run,
// a browser kept for the whole run and the check of a row given a candidate.

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDataStream>
#include <QDebug>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QVariant>

#include <fuzzer/FuzzedDataProvider.h>

#include "tbasevalue.h"
#include "tvaluebrowser.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace fuzz {

// Colors and fonts need a GUI application; the harnesses make one with the
// offscreen platform before the first input.
inline void initApplication()
{
    static int argc = 3;
    static char arg0[] = "tarvo-fuzz";
    static char arg1[] = "-platform";
    static char arg2[] = "offscreen";
    static char* argv[] = {arg0, arg1, arg2, nullptr};
    qputenv("QT_LOGGING_RULES", "*=false");
    static QApplication* app = new QApplication(argc, argv);
    Q_UNUSED(app)
}

// What the current input is about, printed when a property fails.
inline QString& context()
{
    static QString text;
    return text;
}

inline void note(const char* what, const QVariant& value)
{
    QString text;
    QDebug(&text) << what << value;
    context() += text + QLatin1Char('\n');
}

// Stops the run with the property that failed.
inline void require(bool condition, const char* property)
{
    if (condition)
        return;
    std::fprintf(stderr, "%sproperty violated: %s\n", qPrintable(context()), property);
    std::abort();
}

// Whether b is a as QDataStream writes it: same type, same bits (so two
// not-a-number reals are the same too).
inline bool identical(const QVariant& a, const QVariant& b)
{
    if (a.userType() != b.userType() || a.isValid() != b.isValid())
        return false;
    QByteArray first;
    QByteArray second;
    {
        QDataStream out(&first, QIODevice::WriteOnly);
        out << a;
    }
    {
        QDataStream out(&second, QIODevice::WriteOnly);
        out << b;
    }
    return first == second;
}

inline QString consumeText(FuzzedDataProvider& data, size_t maxLength = 256)
{
    const std::string bytes = data.ConsumeRandomLengthString(maxLength);
    return QString::fromUtf8(bytes.data(), int(bytes.size()));
}

inline double consumeReal(FuzzedDataProvider& data)
{
    double real = 0.0;
    const std::string bytes = data.ConsumeBytesAsString(sizeof(real));
    if (bytes.size() == sizeof(real))
        std::memcpy(&real, bytes.data(), sizeof(real));
    return real;
}

// A candidate value in one of the forms a row can be handed: mostly text,
// which is what a user types and what a settings file holds, but also the
// numbers and geometry types that variables and dialogs deliver.
inline QVariant consumeCandidate(FuzzedDataProvider& data)
{
    const int form = data.ConsumeIntegralInRange(0, 15);
    switch (form) {
    case 1:
        return QVariant(data.ConsumeIntegral<int>());
    case 2:
        return QVariant(consumeReal(data));
    case 3:
        return QVariant(qlonglong(data.ConsumeIntegral<qint64>()));
    case 4:
        return QVariant(qulonglong(data.ConsumeIntegral<quint64>()));
    case 5:
        return QVariant(data.ConsumeBool());
    case 6: {
        const int x = data.ConsumeIntegral<int>();
        return QVariant(QPoint(x, data.ConsumeIntegral<int>()));
    }
    case 7: {
        const double x = consumeReal(data);
        return QVariant(QPointF(x, consumeReal(data)));
    }
    case 8: {
        const int w = data.ConsumeIntegral<int>();
        return QVariant(QSize(w, data.ConsumeIntegral<int>()));
    }
    case 9: {
        const double w = consumeReal(data);
        return QVariant(QSizeF(w, consumeReal(data)));
    }
    case 10: {
        const int l = data.ConsumeIntegral<int>();
        const int t = data.ConsumeIntegral<int>();
        const int r = data.ConsumeIntegral<int>();
        return QVariant(QRect(QPoint(l, t), QPoint(r, data.ConsumeIntegral<int>())));
    }
    case 11: {
        const double x = consumeReal(data);
        const double y = consumeReal(data);
        const double w = consumeReal(data);
        return QVariant(QRectF(x, y, w, consumeReal(data)));
    }
    case 12:
        return QVariant(QColor::fromRgba(data.ConsumeIntegral<quint32>()));
    case 13: {
        const std::string bytes = data.ConsumeRandomLengthString(256);
        return QVariant(QByteArray(bytes.data(), int(bytes.size())));
    }
    case 14:
        return QVariant();
    default:
        return QVariant(consumeText(data));
    }
}

// A real as a validator with the given decimals holds it.
inline double rounded(double real, int decimals)
{
    if (!std::isfinite(real))
        return real;
    return QString::number(real, 'f', decimals).toDouble();
}


inline TValueBrowser* browser()
{
    static TValueBrowser* instance = [] {
        auto* b = new TValueBrowser;
        b->setSpecialList(&TValueBrowser::s_specialList, false);
        b->addGroup(QStringLiteral("Fuzz"));
        return b;
    }();
    return instance;
}

// Hands candidate to row under validator and checks what the row holds:
// an accepted candidate leaves a value the validator takes as it is; a
// rejected one leaves the row as it was.
inline void checkRow(TBaseValue* row, TValueValidator* validator, const QVariant& candidate)
{
    TValueValidator* previous = row->validator();
    // Every input starts from the same state.
    row->setSpecial(SV_Default);
    row->setValidator(validator);
    const SValue before = row->value();
    const bool accepted = row->setValue(candidate);
    const SValue& after = row->value();
    if (accepted) {
        require(after.kind == SK_Value, "an accepted value is an ordinary value");
        QVariant copy = after.value;
        require(validator->checkValue(copy) == TValueValidator::VR_Valid,
                "a row holds what its validator takes as it is");
        // The text the row shows reads back as the same value.
        QVariant text(row->valueText());
        require(validator->checkValue(text) != TValueValidator::VR_Invalid
                    && identical(text, after.value),
                "a row's text reads back as its value");
    } else {
        require(after.kind == before.kind && identical(after.value, before.value),
                "a rejected value leaves the row as it was");
    }
    // Text, children and the open editor follow the value.
    (void)row->valueText();
    row->browser()->setCurrentItem(row);
    row->browser()->setCurrentItem(nullptr);
    row->setValidator(previous);
}

// The body shared by the point, size and rectangle harnesses: a validator
// of type Validator, with fuzzed bounds or none, checks a fuzzed candidate;
// inBounds(value, bounds) says whether an accepted value keeps to them.
template <typename Validator, typename InBounds>
int checkCompound(const uint8_t* bytes, size_t size, int type, InBounds inBounds, TBaseValue* row)
{
    FuzzedDataProvider data(bytes, size);
    context().clear();
    int bounds[4] = {std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                     std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
    if (data.ConsumeBool()) {
        for (int& b : bounds)
            b = data.ConsumeIntegral<int>();
        for (int i = 0; i < 4; i += 2) {
            if (bounds[i] > bounds[i + 1])
                std::swap(bounds[i], bounds[i + 1]);
        }
    }
    Validator validator(nullptr, bounds[0], bounds[1], bounds[2], bounds[3]);
    const QVariant candidate = consumeCandidate(data);
    note("candidate", candidate);

    QVariant value = candidate;
    const TValueValidator::EValidateResult result = validator.checkValue(value);
    if (result != TValueValidator::VR_Corrected)
        require(identical(value, candidate), "a value that is not corrected is untouched");
    if (result != TValueValidator::VR_Invalid) {
        require(value.userType() == type, "an accepted value has the validator's type");
        require(inBounds(value, bounds), "an accepted value lies within the bounds");
        QVariant again = value;
        require(validator.checkValue(again) == TValueValidator::VR_Valid, "an accepted value is valid again");
        require(identical(again, value), "an accepted value is left as it is");
    }
    checkRow(row, &validator, candidate);
    return 0;
}

} // namespace fuzz

#endif // TARVO_FUZZCOMMON_H
