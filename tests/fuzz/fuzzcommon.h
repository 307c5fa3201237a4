#ifndef TARVO_FUZZCOMMON_H
#define TARVO_FUZZCOMMON_H

// Shared pieces of the fuzz harnesses: the application object, candidate
// variants made from fuzzed bytes, the property check that stops the run,
// a browser kept for the whole run and the check of a row given a candidate.

#include <QApplication>
#include <QColor>
#include <QDataStream>
#include <QDebug>
#include <QRect>

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
    const auto bytes = [](const QVariant& v) {
        QByteArray data;
        QDataStream out(&data, QIODevice::WriteOnly);
        out << v;
        return data;
    };
    return bytes(a) == bytes(b);
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
    const auto i = [&data] { return data.ConsumeIntegral<int>(); };
    const auto r = [&data] { return consumeReal(data); };
    // Braced lists evaluate their elements in order, so the bytes are read
    // in the same order by every compiler.
    switch (data.ConsumeIntegralInRange(0, 15)) {
    case 1: return QVariant(i());
    case 2: return QVariant(r());
    case 3: return QVariant(qlonglong(data.ConsumeIntegral<qint64>()));
    case 4: return QVariant(qulonglong(data.ConsumeIntegral<quint64>()));
    case 5: return QVariant(data.ConsumeBool());
    case 6: return QVariant(QPoint{i(), i()});
    case 7: return QVariant(QPointF{r(), r()});
    case 8: return QVariant(QSize{i(), i()});
    case 9: return QVariant(QSizeF{r(), r()});
    case 10: return QVariant(QRect{QPoint{i(), i()}, QPoint{i(), i()}});
    case 11: return QVariant(QRectF{r(), r(), r(), r()});
    case 12: return QVariant(QColor::fromRgba(data.ConsumeIntegral<quint32>()));
    case 13: return QVariant(QByteArray::fromStdString(data.ConsumeRandomLengthString(256)));
    case 14: return QVariant();
    default: return QVariant(consumeText(data));
    }
}

// Runs validator on candidate and checks what every validator promises: a
// value it does not correct is left untouched, and an accepted value is
// valid as it is the second time. Returns the result; value is the
// candidate as the validator left it.
inline TValueValidator::EValidateResult checkValidator(TValueValidator& validator, const QVariant& candidate,
                                                       QVariant& value)
{
    note("candidate", candidate);
    value = candidate;
    const TValueValidator::EValidateResult result = validator.checkValue(value);
    if (result != TValueValidator::VR_Corrected)
        require(identical(value, candidate), "a value that is not corrected is untouched");
    if (result != TValueValidator::VR_Invalid) {
        note("accepted", value);
        QVariant again = value;
        require(validator.checkValue(again) == TValueValidator::VR_Valid, "an accepted value is valid again");
        require(identical(again, value), "an accepted value is left as it is");
    }
    return result;
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
int checkCompound(FuzzedDataProvider& data, int type, InBounds inBounds, TBaseValue* row)
{
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
    QVariant value;
    if (checkValidator(validator, candidate, value) != TValueValidator::VR_Invalid) {
        require(value.userType() == type, "an accepted value has the validator's type");
        require(inBounds(value, bounds), "an accepted value lies within the bounds");
    }
    checkRow(row, &validator, candidate);
    return 0;
}

} // namespace fuzz

// Each harness defines fuzzOne(), the check of one input; the entry points
// libFuzzer calls are the same for all.
int fuzzOne(FuzzedDataProvider& data);

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    fuzz::context().clear();
    return fuzzOne(data);
}

#endif // TARVO_FUZZCOMMON_H
