#ifndef TARVO_FUZZROWS_H
#define TARVO_FUZZROWS_H

// A browser kept for the whole run, and the check of a value row that is
// handed a fuzzed candidate.

#include "fuzzcommon.h"
#include "tbasevalue.h"
#include "tvaluebrowser.h"

namespace fuzz {

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

} // namespace fuzz

#endif // TARVO_FUZZROWS_H
