#include "titemlist.h"

#include "tvariant_p.h"

#include <QCoreApplication>
#include <QIcon>

QString TItem::displayText() const
{
    // Only a built-in text left as it was is translated; a text the caller
    // gave the entry is shown as given.
    if (sourceText && text == QString::fromUtf8(sourceText))
        return QCoreApplication::translate("QObject", sourceText);
    return text;
}

TItemList::TItemList(bool ownsIcons)
    : m_ownsIcons(ownsIcons)
{
}

TItemList::TItemList(const TItemList& other)
    : QList<TItem*>()
    , m_ownsIcons(other.m_ownsIcons)
{
    copyEntriesFrom(other);
}

TItemList& TItemList::operator=(const TItemList& other)
{
    if (this != &other) {
        deleteEntries();
        m_ownsIcons = other.m_ownsIcons;
        copyEntriesFrom(other);
    }
    return *this;
}

TItemList::~TItemList()
{
    deleteEntries();
}

void TItemList::copyEntriesFrom(const TItemList& other)
{
    // Entries are deep-copied: a copy never shares entry pointers with its
    // source, so each list frees only its own. An icon is copied when the
    // copy owns its icons; otherwise the pointer is shared like the source's.
    reserve(other.size());
    for (const TItem* src : other) {
        auto* entry = new TItem(*src);
        if (m_ownsIcons && src->icon)
            entry->icon = new QIcon(*src->icon);
        append(entry);
    }
}

void TItemList::deleteEntries()
{
    while (!isEmpty()) {
        TItem* entry = takeFirst();
        if (m_ownsIcons)
            delete entry->icon;
        delete entry;
    }
}

TItem* TItemList::setItem(const QVariant& value, const QString& text, QIcon* icon)
{
    auto* entry = new TItem;
    entry->value = value;
    entry->icon = icon;
    entry->text = text.isEmpty() ? value.toString() : text;
    append(entry);
    return entry;
}

TItem* TItemList::addTranslatedItem(const QVariant& value, const char* sourceText)
{
    TItem* entry = TItemList::setItem(value, QString::fromUtf8(sourceText), nullptr);
    entry->sourceText = sourceText;
    return entry;
}

void TItemList::retranslate()
{
    // Entries keep their source text as their text: displayText() translates
    // it each time with the translators installed then, and a text the
    // caller set stays the caller's.
}

TItem* TItemList::findItem(const QVariant& value)
{
    for (TItem* entry : qAsConst(*this)) {
        // Equality in both directions, so a conversion that works only one
        // way does not count as a match.
        if (tarvoVariantsEqual(entry->value, value) && tarvoVariantsEqual(value, entry->value))
            return entry;
    }
    return nullptr;
}

TItem* TItemList::findItemByText(const QString& text)
{
    for (TItem* entry : qAsConst(*this)) {
        if (entry->displayText() == text)
            return entry;
    }
    return nullptr;
}

bool TItemList::paintComboItem(QPainter*, QStyleOptionViewItem&, const QModelIndex&, QVariant&)
{
    return true;
}

bool TItemList::compareComboItem(const QVariant& a, const QVariant& b)
{
    return tarvoVariantsEqual(a, b);
}

void TItemList::highlightComboItem(QVariant&, int, QComboBox*, QPoint)
{
}

QSize TItemList::sizeHintComboItem(QVariant&, const QStyleOptionViewItem&)
{
    return QSize(-1, -1);
}

SpecialValueList::SpecialValueList()
    : TItemList(false)
{
    addTranslatedItem(int(SV_Default), QT_TRANSLATE_NOOP("QObject", "Default"));
    addTranslatedItem(int(SV_NoValue), QT_TRANSLATE_NOOP("QObject", "No Value"));
    addTranslatedItem(int(SV_Unused), QT_TRANSLATE_NOOP("QObject", "Unused"));
    addTranslatedItem(int(SV_Empty), QT_TRANSLATE_NOOP("QObject", "Empty"));
    addTranslatedItem(int(SV_BadValue), QT_TRANSLATE_NOOP("QObject", "Bad Value"));
}

SpecialValueList::~SpecialValueList() = default;
