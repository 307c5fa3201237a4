#include "tbasegroup.h"
#include "tbasevalue.h"
#include "tdoublevalue.h"
#include "tintegervalue.h"
#include "titemlist.h"
#include "tvaluebrowser.h"
#include "tvaluevalidator.h"

#include <QColor>
#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <limits>

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

// Answers every check with a fixed result; a correction writes `replacement`.
class FixedValidator : public TValueValidator
{
public:
    explicit FixedValidator(EValidateResult result, const QVariant& replacement = QVariant())
        : m_result(result), m_replacement(replacement) {}

    EValidateResult checkValue(QVariant& value) override
    {
        if (m_result == VR_Corrected)
            value = m_replacement;
        return m_result;
    }

private:
    EValidateResult m_result;
    QVariant m_replacement;
};

// A special list that reports its own destruction.
class TrackedList : public SpecialValueList
{
public:
    explicit TrackedList(bool* deleted) : m_deleted(deleted) { *m_deleted = false; }
    ~TrackedList() override { *m_deleted = true; }

private:
    bool* m_deleted;
};

// An icon engine that reports when the last icon sharing it is gone.
class TrackedEngine : public QIconEngine
{
public:
    explicit TrackedEngine(bool* deleted) : m_deleted(deleted) { *m_deleted = false; }
    ~TrackedEngine() override { *m_deleted = true; }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        painter->fillRect(rect, Qt::red);
    }
    QIconEngine* clone() const override { return new TrackedEngine(m_deleted); }

private:
    bool* m_deleted;
};

// Gives the tests a way to put a row on an entry of its own list.
class EntryRow : public TBaseValue
{
public:
    using TBaseValue::TBaseValue;
    void takeEntry(TItem* entry) { setRecord(SK_ListItem, entry->value, entry); }
};

// Translates one library text, as a translation file loaded by the
// application would.
class GermanTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        if (qstrcmp(context, "QObject") == 0 && qstrcmp(sourceText, "Default") == 0)
            return QStringLiteral("Vorgabe");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

// A caller variable of the C++ type that a link type code stands for,
// holding a copy of `initial` (which must be of that type).
class Variable
{
public:
    Variable(int type, const QVariant& initial)
        : m_id(type == LT_Variant ? int(QMetaType::QVariant) : initial.userType())
        , m_data(type == LT_Variant ? new QVariant(initial) : QMetaType(m_id).create(initial.constData()))
    {
    }
    ~Variable() { QMetaType(m_id).destroy(m_data); }
    void* address() const { return m_data; }
    QVariant value() const
    {
        if (m_id == QMetaType::QVariant)
            return *static_cast<QVariant*>(m_data);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        return QVariant(QMetaType(m_id), m_data);
#else
        return QVariant(m_id, m_data);
#endif
    }

private:
    Q_DISABLE_COPY(Variable)
    int m_id;
    void* m_data;
};

TBaseValue* addPlain(TValueBrowser& b, const QString& name, void* variable = nullptr, int type = -1)
{
    return b.addValue(0, name, QString(), name.toLower(), variable, type);
}

TIntegerValue* addInt(TValueBrowser& b, int level, const QString& name, void* variable = nullptr)
{
    return b.addInt(level, name, QString(), name.toLower(), variable, LT_Int);
}

// The rows most settings tests use: an integer "count" with the check box
// "countOn", and a real "ratio".
struct Rows
{
    explicit Rows(TValueBrowser& b, int* countVar = nullptr, double* ratioVar = nullptr,
                  bool* onVar = nullptr, TDoubleValidator* ratioValidator = nullptr)
        : count(addInt(b, 0, "Count", countVar))
        , ratio(b.addReal(0, "Ratio", QString(), "ratio", ratioVar, LT_Double, ratioValidator))
    {
        count->addCheckProperty(QStringLiteral("countOn"), onVar, LT_Bool);
    }
    TIntegerValue* count;
    TDoubleValue* ratio;
};

void writeFile(TValueBrowser& b, const QString& path)
{
    QSettings s(path, QSettings::IniFormat);
    b.writeDataSet(s);
}

void readFile(TValueBrowser& b, const QString& path)
{
    QSettings s(path, QSettings::IniFormat);
    b.readDataSet(s);
}

// Edits the file by hand, as a user would.
void setKeys(const QString& path, const QVariantMap& keys)
{
    QSettings s(path, QSettings::IniFormat);
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        s.setValue(it.key(), it.value());
}

QVariant key(const QString& path, const char* name)
{
    return QSettings(path, QSettings::IniFormat).value(QLatin1String(name));
}

} // namespace

class tst_Items : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // item lists
    void itemListLookup();
    void itemListCopies();
    void itemListIcons();
    void specialValueList();
    void specialTextsTranslatedWhenShown();

    // special values on rows
    void specialOnRow();
    void setSpecialListSafety();
    void setValidatorChecksOrdinaryValuesOnly();
    void newIntegerRowIsBadValue();

    // values
    void setValueThroughValidator();
    void changedFlag();
    void writeValueInt_data();
    void writeValueInt();
    void groupsAreHeadings();
    void lineBreakShowsFirstLine();

    // value sets and linking
    void linking_data();
    void linking();
    void inactiveBindings_data();
    void inactiveBindings();
    void specialWrittenAsCode();
    void checkLinks();
    void storeRestore();

    // settings
    void settingsCurrentRoundTrip();
    void settingsSections();
    void settingsSpecialValue();
    void settingsStoredRoundTrip();
    void settingsStoredBeforeStoreSet();
    void settingsLinked();
    void settingsHandEdited();
    void settingsUnreadableFile_data();
    void settingsUnreadableFile();
    void settingsFailedWrite_data();
    void settingsFailedWrite();

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    QString newIniFile() { return m_dir.filePath(QStringLiteral("set%1.ini").arg(++m_files)); }
};

void tst_Items::itemListLookup()
{
    TItemList list;
    TItem* five = list.setItem(QVariant(5), QString(), nullptr);
    QCOMPARE(five->text, QStringLiteral("5"));
    QCOMPARE(five->value, QVariant(5));
    TItem* one = list.setItem(QVariant(1), QStringLiteral("one"));
    TItem* oneAgain = list.setItem(QVariant(1), QStringLiteral("One"));
    TItem* eight = list.setItem(QVariant(8), QStringLiteral("eight"));
    QCOMPARE(list.size(), 4);
    QCOMPARE(list.at(3), eight);
    QVERIFY(one != oneAgain);

    // Numbers of different types compare by number; duplicates give the first.
    QCOMPARE(list.findItem(QVariant(8u)), eight);
    QCOMPARE(list.findItem(QVariant(qlonglong(8))), eight);
    QCOMPARE(list.findItem(QVariant(1)), one);
    QVERIFY(!list.findItem(QVariant(2)));
    QVERIFY(!list.findItem(QVariant()));

    QCOMPARE(list.findItemByText(QStringLiteral("One")), oneAgain);
    QCOMPARE(list.findItemByText(QStringLiteral("one")), one);
    QVERIFY(!list.findItemByText(QStringLiteral("EIGHT")));
    QVERIFY(!list.findItemByText(QString()));
    QVERIFY(!TItemList().findItem(QVariant(5)));
}

void tst_Items::itemListCopies()
{
    auto* source = new TItemList;
    source->setItem(QVariant(1), QStringLiteral("one"));
    source->setItem(QVariant(2), QStringLiteral("two"));
    TItemList copy(*source);
    TItemList assigned;
    assigned.setItem(QVariant(9), QStringLiteral("old"));
    assigned = *source;
    for (int i = 0; i < 2; ++i) {
        QVERIFY(copy.at(i) != source->at(i));
        QVERIFY(assigned.at(i) != source->at(i));
    }
    delete source;

    // The copies live on with entries of their own.
    QCOMPARE(copy.size(), 2);
    QCOMPARE(copy.findItem(QVariant(2))->text, QStringLiteral("two"));
    QCOMPARE(assigned.size(), 2);
    QCOMPARE(assigned.findItemByText(QStringLiteral("one"))->value, QVariant(1));
    copy.setItem(QVariant(3), QStringLiteral("three"));
    QCOMPARE(assigned.size(), 2);

    assigned = assigned;
    QCOMPARE(assigned.size(), 2);
    QCOMPARE(assigned.at(1)->text, QStringLiteral("two"));

    // A copy of the library's own list leaves the original whole.
    {
        SpecialValueList specials(TValueBrowser::s_specialList);
        QCOMPARE(specials.size(), 5);
        QVERIFY(specials.at(0) != TValueBrowser::s_specialList.at(0));
        QCOMPARE(specials.findItem(QVariant(16))->text, QStringLiteral("Bad Value"));
    }
    QCOMPARE(TValueBrowser::s_specialList.size(), 5);
    QCOMPARE(TValueBrowser::s_specialList.at(0)->text, QStringLiteral("Default"));
}

void tst_Items::itemListIcons()
{
    // A list that does not own its icons leaves them alive.
    bool gone = false;
    auto* icon = new QIcon(new TrackedEngine(&gone));
    {
        TItemList list(false);
        list.setItem(QVariant(1), QStringLiteral("a"), icon);
        TItemList copy(list);
        QCOMPARE(copy.at(0)->icon, icon);
    }
    QVERIFY(!gone);
    delete icon;
    QVERIFY(gone);

    // An owning list deletes them; its copy has icons of its own.
    bool ownedGone = false;
    auto* owner = new TItemList(true);
    QVERIFY(owner->ownsIcons());
    owner->setItem(QVariant(1), QStringLiteral("a"), new QIcon(new TrackedEngine(&ownedGone)));
    auto* copy = new TItemList(*owner);
    QVERIFY(copy->ownsIcons());
    QVERIFY(copy->at(0)->icon);
    QVERIFY(copy->at(0)->icon != owner->at(0)->icon);
    delete owner;
    QVERIFY(!ownedGone);
    QVERIFY(!copy->at(0)->icon->pixmap(8).isNull());
    delete copy;
    QVERIFY(ownedGone);
}

void tst_Items::specialValueList()
{
    const SpecialValueList list;
    QVERIFY(!list.ownsIcons());
    const QList<int> codes{SV_Default, SV_NoValue, SV_Unused, SV_Empty, SV_BadValue};
    const QStringList texts{"Default", "No Value", "Unused", "Empty", "Bad Value"};
    QCOMPARE(codes, (QList<int>{8, 2, 4, 1, 16}));
    QCOMPARE(list.size(), 5);
    for (int i = 0; i < list.size(); ++i) {
        QCOMPARE(list.at(i)->value.userType(), int(QMetaType::Int));
        QCOMPARE(list.at(i)->value.toInt(), codes.at(i));
        QCOMPARE(list.at(i)->text, texts.at(i));
        QVERIFY(!list.at(i)->icon);
    }
    SpecialValueList lookup;
    QCOMPARE(lookup.findItem(QVariant(2u)), lookup.at(1));
    QVERIFY(!lookup.findItem(QVariant(3u)));
    QVERIFY(!lookup.findItemByText(QStringLiteral("default")));

    // A caller's list may carry more entries.
    lookup.setItem(QVariant(32), QStringLiteral("Inherited"));
    QCOMPARE(lookup.size(), 6);
    QCOMPARE(TValueBrowser::s_specialList.size(), 5);
}

void tst_Items::specialTextsTranslatedWhenShown()
{
    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    TBaseValue* v = addPlain(b, "V");

    // Installed long after the library was loaded.
    GermanTranslator german;
    QCoreApplication::installTranslator(&german);
    v->setSpecial(SV_Default);
    QCOMPARE(v->text(1), QStringLiteral("Vorgabe"));
    QCOMPARE(v->toolTip(1), QStringLiteral("Vorgabe"));
    QVERIFY(TValueBrowser::s_specialList.findItemByText(QStringLiteral("Vorgabe")));
    // Texts without a translation stay as they are.
    v->setSpecial(SV_NoValue);
    QCOMPARE(v->text(1), QStringLiteral("No Value"));

    QCoreApplication::removeTranslator(&german);
    v->setSpecial(SV_Default);
    QCOMPARE(v->text(1), QStringLiteral("Default"));
    QVERIFY(TValueBrowser::s_specialList.findItemByText(QStringLiteral("Default")));
    QVERIFY(!TValueBrowser::s_specialList.findItemByText(QStringLiteral("Vorgabe")));
}

void tst_Items::specialOnRow()
{
    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    QCOMPARE(b.specialList(), &TValueBrowser::s_specialList);
    TBaseValue* v = addPlain(b, "V");
    v->setValue(QStringLiteral("text"));

    v->setSpecial(SV_Default);
    QCOMPARE(v->value().kind, int(SK_Special));
    QCOMPARE(v->value().value, QVariant(8u));
    QCOMPARE(v->variant().toUInt(), 8u);
    QCOMPARE(v->number(), 8);
    QCOMPARE(v->text(1), QStringLiteral("Default"));
    QCOMPARE(v->toolTip(1), QStringLiteral("Default"));
    QCOMPARE(v->currentEntry(), TValueBrowser::s_specialList.at(0));
    QVERIFY(!v->autoIconActive());

    // Back to an ordinary value that still holds the code.
    v->setSpecial(0);
    QCOMPARE(v->value().kind, int(SK_Value));
    QCOMPARE(v->value().value.toUInt(), 8u);
    QCOMPARE(v->text(1), QStringLiteral("8"));
    QVERIFY(!v->currentEntry());

    // Combined or unknown codes are no special values.
    v->setValue(QStringLiteral("x"));
    v->setSpecial(3);
    QCOMPARE(v->value().kind, int(SK_Value));
    QCOMPARE(v->text(1), QStringLiteral("x"));

    // A browser without a list has no special values at all.
    TValueBrowser plain;
    TBaseValue* w = addPlain(plain, "W");
    w->setValue(QStringLiteral("kept"));
    w->setSpecial(SV_Default);
    QCOMPARE(w->value().kind, int(SK_Value));
    QCOMPARE(w->text(1), QStringLiteral("kept"));
}

void tst_Items::setSpecialListSafety()
{
    TValueBrowser b;
    bool firstGone = false;
    auto* first = new TrackedList(&firstGone);
    b.setSpecialList(first, false);
    TBaseValue* v = addPlain(b, "V");
    TBaseValue* ordinary = addPlain(b, "Ordinary");
    ordinary->setValue(QStringLiteral("plain"));
    v->setSpecial(SV_Unused);
    QCOMPARE(v->currentEntry(), first->at(2));

    // Setting the current list again never deletes it.
    b.setSpecialList(first, true);
    QVERIFY(!firstGone);
    QCOMPARE(b.specialList(), first);
    QCOMPARE(v->text(1), QStringLiteral("Unused"));

    // A new list: the old one goes, the row finds its entry in the new one.
    bool secondGone = false;
    auto* second = new TrackedList(&secondGone);
    b.setSpecialList(second, true);
    QVERIFY(firstGone);
    QCOMPARE(v->value().kind, int(SK_Special));
    QCOMPARE(v->currentEntry(), second->at(2));
    QCOMPARE(v->text(1), QStringLiteral("Unused"));
    QCOMPARE(ordinary->text(1), QStringLiteral("plain"));
    QCOMPARE(ordinary->value().kind, int(SK_Value));

    // Kept old list: the row still re-resolves against the new one.
    SpecialValueList third;
    b.setSpecialList(&third, false);
    QVERIFY(!secondGone);
    QCOMPARE(v->currentEntry(), third.at(2));
    delete second;
    QCOMPARE(v->text(1), QStringLiteral("Unused"));

    // A list without the row's code leaves an ordinary value with the code.
    SpecialValueList fewer;
    delete fewer.takeAt(2);
    b.setSpecialList(&fewer, false);
    QCOMPARE(v->value().kind, int(SK_Value));
    QVERIFY(!v->currentEntry());
    QCOMPARE(v->text(1), QStringLiteral("4"));

    // The library's own list is never deleted, neither as the new nor as
    // the old list.
    v->setSpecial(SV_Empty);
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    b.setSpecialList(&TValueBrowser::s_specialList, true);
    QCOMPARE(v->currentEntry(), TValueBrowser::s_specialList.at(3));
    b.setSpecialList(nullptr, true);
    QVERIFY(!b.specialList());
    QCOMPARE(TValueBrowser::s_specialList.size(), 5);
    QCOMPARE(TValueBrowser::s_specialList.at(3)->text, QStringLiteral("Empty"));
    QCOMPARE(v->value().kind, int(SK_Value));
    QVERIFY(!v->currentEntry());
}

void tst_Items::setValidatorChecksOrdinaryValuesOnly()
{
    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    FixedValidator reject(TValueValidator::VR_Invalid);
    FixedValidator correct(TValueValidator::VR_Corrected, QStringLiteral("fixed"));
    FixedValidator accept(TValueValidator::VR_Valid);

    TBaseValue* special = addPlain(b, "Special");
    special->setSpecial(SV_NoValue);
    special->setValidator(&reject);
    QCOMPARE(special->validator(), static_cast<TValueValidator*>(&reject));
    QCOMPARE(special->value().kind, int(SK_Special));
    QCOMPARE(special->value().value.toUInt(), 2u);
    QCOMPARE(special->text(1), QStringLiteral("No Value"));
    special->setValidator(&correct);
    QCOMPARE(special->value().kind, int(SK_Special));
    QCOMPARE(special->text(1), QStringLiteral("No Value"));

    TItemList entries;
    TItem* entry = entries.setItem(QVariant(QStringLiteral("e")), QStringLiteral("Entry"));
    auto* listed = new EntryRow(&b, QStringLiteral("Listed"));
    listed->takeEntry(entry);
    listed->setValidator(&reject);
    QCOMPARE(listed->value().kind, int(SK_ListItem));
    QCOMPARE(listed->currentEntry(), entry);
    QCOMPARE(listed->text(1), QStringLiteral("Entry"));

    TBaseValue* bad = addPlain(b, "Bad");
    bad->setValue(QStringLiteral("old"));
    bad->setValidator(&reject);
    QCOMPARE(bad->value().kind, int(SK_Special));
    QCOMPARE(bad->value().value.toUInt(), 16u);
    QCOMPARE(bad->text(1), QStringLiteral("Bad Value"));

    TBaseValue* corrected = addPlain(b, "Corrected");
    corrected->setValue(QStringLiteral("raw"));
    corrected->setValidator(&correct);
    QCOMPARE(corrected->value().kind, int(SK_Value));
    QCOMPARE(corrected->variant(), QVariant(QStringLiteral("fixed")));
    QCOMPARE(corrected->text(1), QStringLiteral("fixed"));

    TBaseValue* valid = addPlain(b, "Valid");
    valid->setValue(QVariant(12));
    valid->setValidator(&accept);
    QCOMPARE(valid->variant(), QVariant(12));
    valid->setValidator(nullptr);
    QVERIFY(!valid->validator());
    QCOMPARE(valid->variant(), QVariant(12));

    // Without a special list a rejected value stays what it was.
    TValueBrowser plain;
    TBaseValue* kept = addPlain(plain, "Kept");
    kept->setValue(QStringLiteral("old"));
    kept->setValidator(&reject);
    QCOMPARE(kept->value().kind, int(SK_Value));
    QCOMPARE(kept->text(1), QStringLiteral("old"));
}

void tst_Items::newIntegerRowIsBadValue()
{
    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    QSignalSpy changes(&b, &QTreeWidget::itemChanged);
    TIntegerValue* i = addInt(b, 0, "I");
    QCOMPARE(changes.count(), 1); // the finished cell, not each step of the set-up
    QCOMPARE(i->value().kind, int(SK_Special));
    QCOMPARE(i->value().value.toUInt(), 16u);
    QCOMPARE(i->text(1), QStringLiteral("Bad Value"));
    QCOMPARE(i->toolTip(1), QStringLiteral("Bad Value"));
    i->setToolTip(1, QStringLiteral("by hand"));
    QVERIFY(i->setValue(QVariant(5)));
    QCOMPARE(i->value().kind, int(SK_Value));
    QCOMPARE(i->text(1), QStringLiteral("5"));
    QCOMPARE(i->toolTip(1), QStringLiteral("5"));

    TDoubleValue* d = b.addReal(0, "D", QString(), QString(), nullptr, LT_Double);
    QCOMPARE(d->text(1), QStringLiteral("Bad Value"));
    QVERIFY(d->setValue(QVariant(1)));
    QCOMPARE(d->text(1), QStringLiteral("1.00000"));

    TValueBrowser plain;
    TIntegerValue* j = addInt(plain, 0, "J");
    QCOMPARE(j->value().kind, int(SK_Value));
    QCOMPARE(j->text(1), QString());
}

void tst_Items::setValueThroughValidator()
{
    TValueBrowser b;
    TBaseValue* v = addPlain(b, "V");
    QVERIFY(v->setValue(QStringLiteral("first")));

    FixedValidator reject(TValueValidator::VR_Invalid);
    v->setValidator(&reject);
    QVERIFY(!v->setValue(QStringLiteral("second")));
    QCOMPARE(v->text(1), QStringLiteral("first"));
    QCOMPARE(v->variant(), QVariant(QStringLiteral("first")));

    FixedValidator correct(TValueValidator::VR_Corrected, QVariant(42));
    v->setValidator(&correct);
    QCOMPARE(v->variant(), QVariant(42));
    QVERIFY(v->setValue(QStringLiteral("anything")));
    QCOMPARE(v->variant(), QVariant(42));
    QCOMPARE(v->text(1), QStringLiteral("42"));
    QCOMPARE(v->toolTip(1), QStringLiteral("42"));

    // The library's integer rows: reals truncate, text is rejected.
    TIntegerValue* i = addInt(b, 0, "I");
    QVERIFY(i->setValue(QStringLiteral("12.9")));
    QCOMPARE(i->text(1), QStringLiteral("12"));
    QVERIFY(!i->setValue(QStringLiteral("abc")));
    QCOMPARE(i->text(1), QStringLiteral("12"));
    QVERIFY(i->setValue(QStringLiteral("3000000000")));
    QCOMPARE(i->valueInt(), kIntMax);
}

void tst_Items::changedFlag()
{
    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    TBaseValue* v = addPlain(b, "V");
    v->setValue(QStringLiteral("a"));
    QVERIFY(v->valueChanged());

    b.storeSet();
    QVERIFY(!v->valueChanged());
    QCOMPARE(v->storedValue().value, QVariant(QStringLiteral("a")));
    v->setValue(QStringLiteral("b"));
    QVERIFY(v->valueChanged());
    v->setValue(QStringLiteral("a"));
    QVERIFY(!v->valueChanged());

    // A special value differs by its kind.
    v->setSpecial(SV_Default);
    QVERIFY(v->valueChanged());
    v->setValue(QStringLiteral("a"));
    QVERIFY(!v->valueChanged());
}

void tst_Items::writeValueInt_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("2.1") << QVariant(2.1) << 3;
    QTest::newRow("-2.5") << QVariant(-2.5) << -2;
    QTest::newRow("2.5") << QVariant(2.5) << 3;
    QTest::newRow("whole") << QVariant(7.0) << 7;
    QTest::newRow("int") << QVariant(-7) << -7;
    QTest::newRow("text") << QVariant(QStringLiteral("4.2")) << 5;
    QTest::newRow("1e12") << QVariant(1e12) << kIntMax;
    QTest::newRow("-1e12") << QVariant(-1e12) << kIntMin;
    QTest::newRow("inf") << QVariant(std::numeric_limits<double>::infinity()) << kIntMax;
    QTest::newRow("nan") << QVariant(std::numeric_limits<double>::quiet_NaN()) << 0;
    QTest::newRow("abc") << QVariant(QStringLiteral("abc")) << 0;
    QTest::newRow("empty") << QVariant(QString()) << 0;
}

void tst_Items::writeValueInt()
{
    QFETCH(QVariant, value);
    QFETCH(int, expected);
    TValueBrowser b;
    TBaseValue* v = addPlain(b, "V");
    QVERIFY(v->setValue(value));
    int out = 12345;
    v->writeValue(out);
    QCOMPARE(out, expected);
}

void tst_Items::groupsAreHeadings()
{
    TValueBrowser b;
    TBaseGroup* g = b.addGroup("G", "S");
    TIntegerValue* v = addInt(b, 0, "V");
    QVERIFY(!(g->flags() & Qt::ItemIsSelectable));
    QVERIFY(!g->hasValue());
    g->setSelected(true);
    v->setSelected(true);
    QVERIFY(!b.selectedItems().contains(g));
    QVERIFY(b.selectedItems().contains(v));
    QCOMPARE(g->background(0), g->background(1));

    // Store and restore walk over groups without touching them.
    b.storeSet();
    b.restoreSet();
    QCOMPARE(g->text(1), QString());
}

void tst_Items::lineBreakShowsFirstLine()
{
    // A two-line value paints like its first line followed by " <...>".
    const auto render = [](const QString& text) {
        TValueBrowser b;
        TBaseValue* v = b.addValue(0, "V", QString(), QString(), nullptr, LT_Variant);
        v->setValue(text);
        b.storeSet();
        b.resize(300, 80);
        // No focus, so the row does not become current and open its editor
        // over the cell.
        b.setFocusPolicy(Qt::NoFocus);
        b.show();
        if (!QTest::qWaitForWindowExposed(&b) || v->editor())
            return QImage();
        const QRect cell = b.visualRect(b.model()->index(0, 1));
        return b.viewport()->grab(cell).toImage();
    };
    const QImage twoLines = render(QStringLiteral("first\nsecond"));
    const QImage marked = render(QStringLiteral("first <...>"));
    const QImage firstOnly = render(QStringLiteral("first"));
    QVERIFY(!twoLines.isNull());
    QCOMPARE(twoLines, marked);
    QVERIFY(twoLines != firstOnly);
}

void tst_Items::linking_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("variable");
    QTest::addColumn<QVariant>("rowValue");
    QTest::addColumn<QVariant>("written");

    const QFont serif(QStringLiteral("Serif"), 12);
    QFont sans(QStringLiteral("Sans"), 9);
    sans.setBold(true);

    QTest::newRow("int") << int(LT_Int) << QVariant(7) << QVariant(QStringLiteral("42")) << QVariant(42);
    QTest::newRow("int from real") << int(LT_Int) << QVariant(-7) << QVariant(2.5) << QVariant(3);
    QTest::newRow("int clamped") << int(LT_Int) << QVariant(0) << QVariant(qlonglong(1000000000000))
                                 << QVariant(kIntMax);
    QTest::newRow("uint") << int(LT_UInt) << QVariant(4000000000u) << QVariant(QStringLiteral("17"))
                          << QVariant(17u);
    // Negative numbers saturate at 0 in unsigned variables instead of wrapping.
    QTest::newRow("uint from negative") << int(LT_UInt) << QVariant(1u) << QVariant(-5) << QVariant(0u);
    QTest::newRow("uint from negative text") << int(LT_UInt) << QVariant(1u) << QVariant(QStringLiteral("-5"))
                                             << QVariant(0u);
    QTest::newRow("uint clamped") << int(LT_UInt) << QVariant(1u) << QVariant(qlonglong(5000000000))
                                  << QVariant(4294967295u);
    QTest::newRow("long") << int(LT_Long) << QVariant(-5) << QVariant(-9) << QVariant(-9);
    QTest::newRow("ulong") << int(LT_ULong) << QVariant(3u) << QVariant(QStringLiteral("8")) << QVariant(8u);
    QTest::newRow("longlong") << int(LT_LongLong) << QVariant(qlonglong(50000000000))
                              << QVariant(qlonglong(-1234567890123)) << QVariant(qlonglong(-1234567890123));
    QTest::newRow("ulonglong") << int(LT_ULongLong) << QVariant(qulonglong(18000000000000000000ull))
                               << QVariant(QStringLiteral("42")) << QVariant(qulonglong(42));
    QTest::newRow("ulonglong from negative") << int(LT_ULongLong) << QVariant(qulonglong(1))
                                             << QVariant(qlonglong(-1)) << QVariant(qulonglong(0));
    QTest::newRow("float") << int(LT_Float) << QVariant(1.5f) << QVariant(2.25) << QVariant(2.25f);
    QTest::newRow("double") << int(LT_Double) << QVariant(0.1) << QVariant(QStringLiteral("3.75"))
                            << QVariant(3.75);
    QTest::newRow("bool") << int(LT_Bool) << QVariant(true) << QVariant(false) << QVariant(false);
    QTest::newRow("bool from text") << int(LT_Bool) << QVariant(false) << QVariant(QStringLiteral("true"))
                                    << QVariant(true);
    QTest::newRow("string") << int(LT_String) << QVariant(QStringLiteral("abc")) << QVariant(12)
                            << QVariant(QStringLiteral("12"));
    QTest::newRow("color") << int(LT_Color) << QVariant(QColor(Qt::red)) << QVariant(QStringLiteral("#00ff00"))
                           << QVariant(QColor(0, 255, 0));
    QTest::newRow("font") << int(LT_Font) << QVariant(serif) << QVariant(sans.toString()) << QVariant(sans);
    QTest::newRow("size") << int(LT_Size) << QVariant(QSize(3, 4)) << QVariant(QSize(5, 6))
                          << QVariant(QSize(5, 6));
    QTest::newRow("size junk") << int(LT_Size) << QVariant(QSize(3, 4)) << QVariant(QStringLiteral("junk"))
                               << QVariant(QSize());
    QTest::newRow("point") << int(LT_Point) << QVariant(QPoint(1, 2)) << QVariant(QPoint(-3, 4))
                           << QVariant(QPoint(-3, 4));
    QTest::newRow("point junk") << int(LT_Point) << QVariant(QPoint(1, 2)) << QVariant(QStringLiteral("junk"))
                                << QVariant(QPoint(0, 0));
    QTest::newRow("rect") << int(LT_Rect) << QVariant(QRect(1, 2, 3, 4)) << QVariant(QRect(5, 6, 7, 8))
                          << QVariant(QRect(5, 6, 7, 8));
    QTest::newRow("rect junk") << int(LT_Rect) << QVariant(QRect(1, 2, 3, 4)) << QVariant(QStringLiteral("junk"))
                               << QVariant(QRect());
    QTest::newRow("variant") << int(LT_Variant) << QVariant(QStringLiteral("any")) << QVariant(QSize(1, 1))
                             << QVariant(QSize(1, 1));
}

void tst_Items::linking()
{
    QFETCH(int, type);
    QFETCH(QVariant, variable);
    QFETCH(QVariant, rowValue);
    QFETCH(QVariant, written);

    // The data rows hold the variable in the C++ type of its code.
    const int ids[] = {QMetaType::Int, QMetaType::UInt, QMetaType::Int, QMetaType::UInt,
                       QMetaType::LongLong, QMetaType::ULongLong, QMetaType::Float, QMetaType::Double,
                       QMetaType::Bool, QMetaType::QString, QMetaType::QColor, QMetaType::QFont,
                       QMetaType::QSize, QMetaType::QPoint, QMetaType::QRect};
    if (type != LT_Variant)
        QCOMPARE(variable.userType(), ids[type]);
    Variable var(type, variable);
    TValueBrowser b;
    TBaseValue* v = addPlain(b, "V", var.address(), type);

    // Variable to row: the variable's own type arrives at the row.
    b.updateFromLinked();
    QCOMPARE(v->variant().userType(), variable.userType());
    QCOMPARE(v->variant(), variable);

    // Row to variable, converted to the variable's type.
    QVERIFY(v->setValue(rowValue));
    b.updateLinked();
    const QVariant result = var.value();
    QCOMPARE(result.userType(), written.userType());
    QCOMPARE(result, written);
}

void tst_Items::inactiveBindings_data()
{
    QTest::addColumn<bool>("nullAddress");
    QTest::addColumn<int>("type");
    QTest::newRow("null") << true << int(LT_Int);
    QTest::newRow("code 16") << false << 16;
    QTest::newRow("code -1") << false << -1;
    QTest::newRow("code 99") << false << 99;
}

void tst_Items::inactiveBindings()
{
    QFETCH(bool, nullAddress);
    QFETCH(int, type);
    int variable = 3;
    void* address = nullAddress ? nullptr : &variable;

    TValueBrowser b;
    TBaseValue* v = addPlain(b, "V", address, type);
    v->setCheckable(true);
    v->setCheckLinked(address, type);
    v->setChecked(Qt::Checked);
    v->setValue(QStringLiteral("5"));

    b.updateFromLinked();
    QCOMPARE(v->variant(), QVariant(QStringLiteral("5")));
    QCOMPARE(v->checked(), Qt::Checked);
    b.updateLinked();
    QCOMPARE(variable, 3);
}

void tst_Items::specialWrittenAsCode()
{
    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    int variable = 0;
    TIntegerValue* i = addInt(b, 0, "I", &variable);
    i->setSpecial(SV_Default);
    b.updateLinked();
    QCOMPARE(variable, 8);

    // A variable that the validator rejects leaves the row alone.
    QString text = QStringLiteral("abc");
    TIntegerValue* j = b.addInt(0, "J", QString(), QString(), &text, LT_String);
    j->setValue(4);
    b.updateFromLinked();
    QCOMPARE(j->text(1), QStringLiteral("4"));

    // A real variable handed to an integer row: the row's validator decides.
    double real = 2.5;
    TIntegerValue* k = b.addInt(0, "K", QString(), QString(), &real, LT_Double);
    b.updateFromLinked();
    QCOMPARE(k->text(1), QStringLiteral("2"));
    real = 0;
    b.updateLinked();
    QCOMPARE(real, 2.0);
}

void tst_Items::checkLinks()
{
    TValueBrowser b;
    bool flag = true;
    TBaseValue* boolRow = addPlain(b, "Bool");
    boolRow->addCheckProperty(QStringLiteral("boolOn"), &flag, LT_Bool);
    QCOMPARE(boolRow->checkProperyName(), QStringLiteral("boolOn"));
    QCOMPARE(boolRow->checkState(0), Qt::Unchecked);
    b.updateFromLinked();
    QCOMPARE(boolRow->checked(), Qt::Checked);
    QCOMPARE(boolRow->checkState(0), Qt::Checked);
    boolRow->setChecked(Qt::PartiallyChecked);
    flag = false;
    b.updateLinked();
    QVERIFY(flag);
    boolRow->setChecked(Qt::Unchecked);
    b.updateLinked();
    QVERIFY(!flag);

    QString text = QStringLiteral("2");
    TBaseValue* textRow = addPlain(b, "Text");
    textRow->addCheckProperty(QStringLiteral("textOn"), &text, LT_String);
    b.updateFromLinked();
    QCOMPARE(textRow->checked(), Qt::Checked);
    text.clear();
    b.updateLinked();
    QCOMPARE(text, QStringLiteral("2"));

    int number = 1;
    qint64 wide = 0;
    TBaseValue* intRow = addPlain(b, "Int");
    intRow->addCheckProperty(QStringLiteral("intOn"), &number, LT_Int);
    TBaseValue* wideRow = addPlain(b, "Wide");
    wideRow->addCheckProperty(QStringLiteral("wideOn"), &wide, LT_LongLong);
    wideRow->setChecked(Qt::Checked);
    b.updateFromLinked();
    QCOMPARE(intRow->checked(), Qt::PartiallyChecked);
    QCOMPARE(wideRow->checked(), Qt::Unchecked);
    wideRow->setChecked(Qt::Checked);
    b.updateLinked();
    QCOMPARE(wide, qint64(2));
    QCOMPARE(number, 1);

    // Colours have no check state form: neither side moves.
    QColor color(Qt::blue);
    TBaseValue* colorRow = addPlain(b, "Color");
    colorRow->addCheckProperty(QStringLiteral("colorOn"), &color, LT_Color);
    colorRow->setChecked(Qt::Checked);
    b.updateFromLinked();
    QCOMPARE(colorRow->checked(), Qt::Checked);
    b.updateLinked();
    QCOMPARE(color, QColor(Qt::blue));

    // Switching the box off keeps its state.
    colorRow->setCheckable(false);
    QVERIFY(!(colorRow->flags() & Qt::ItemIsUserCheckable));
    QCOMPARE(colorRow->checked(), Qt::Checked);
}

void tst_Items::storeRestore()
{
    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    TBaseValue* v = addPlain(b, "V");
    TIntegerValue* i = addInt(b, 0, "I");
    TIntegerValue* special = addInt(b, 0, "Special");

    // Before any storeSet there is nothing to go back to.
    v->setValue(QStringLiteral("early"));
    i->setValue(3);
    b.restoreSet();
    QCOMPARE(v->text(1), QStringLiteral("early"));
    QCOMPARE(i->text(1), QStringLiteral("3"));

    v->setCheckable(true);
    v->setChecked(Qt::Checked);
    special->setSpecial(SV_Unused);
    b.storeSet(true);
    QVERIFY(!v->valueChanged());
    QCOMPARE(v->storedChecked(), Qt::Checked);

    v->setValue(QStringLiteral("late"));
    v->setChecked(Qt::Unchecked);
    i->setSpecial(SV_Default);
    special->setValue(9);
    QVERIFY(v->valueChanged());
    QVERIFY(special->valueChanged());

    b.restoreSet();
    QCOMPARE(v->text(1), QStringLiteral("early"));
    QCOMPARE(v->checked(), Qt::Checked);
    QCOMPARE(v->checkState(0), Qt::Checked);
    QCOMPARE(i->value().kind, int(SK_Value));
    QCOMPARE(i->text(1), QStringLiteral("3"));
    QCOMPARE(special->value().kind, int(SK_Special));
    QCOMPARE(special->value().value.toUInt(), 4u);
    QCOMPARE(special->text(1), QStringLiteral("Unused"));
    for (TBaseValue* row : {v, static_cast<TBaseValue*>(i), static_cast<TBaseValue*>(special)})
        QVERIFY(!row->valueChanged());
}

void tst_Items::settingsCurrentRoundTrip()
{
    const QString path = newIniFile();
    {
        TValueBrowser b;
        Rows rows(b);
        TBaseValue* v = addPlain(b, "Name");
        rows.count->setValue(42);
        rows.ratio->setValue(2.5);
        v->setValue(QStringLiteral("hello"));
        rows.count->setChecked(Qt::Checked);
        writeFile(b, path);
    }
    QCOMPARE(key(path, "count").toInt(), 42);
    QCOMPARE(key(path, "count.Type").toInt(), int(SK_Value));
    QCOMPARE(key(path, "ratio").toString(), QStringLiteral("2.50000"));
    QCOMPARE(key(path, "name").toString(), QStringLiteral("hello"));
    QCOMPARE(key(path, "countOn").toInt(), 2);

    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    Rows rows(b);
    TBaseValue* v = addPlain(b, "Name");
    readFile(b, path);
    QCOMPARE(rows.count->text(1), QStringLiteral("42"));
    QCOMPARE(rows.count->value().kind, int(SK_Value));
    QCOMPARE(rows.ratio->text(1), QStringLiteral("2.50000"));
    QCOMPARE(rows.ratio->valueDouble(), 2.5);
    QCOMPARE(v->text(1), QStringLiteral("hello"));
    QCOMPARE(rows.count->checked(), Qt::Checked);
    QCOMPARE(rows.count->checkState(0), Qt::Checked);
}

void tst_Items::settingsSections()
{
    const QString path = newIniFile();
    {
        TValueBrowser b;
        addInt(b, 0, "Before")->setValue(1);
        // A group's own check box is never saved.
        b.addGroup("Line", "Line")->addCheckProperty(QStringLiteral("lineOn"), nullptr, LT_Bool);
        addInt(b, 0, "Width")->setValue(3);
        b.addGroup("Unsectioned");
        addInt(b, 0, "Style")->setValue(4);
        b.addGroup("Fill", "Fill");
        addInt(b, 0, "Alpha")->setValue(5);
        QSettings s(path, QSettings::IniFormat);
        s.beginGroup("Caller");
        b.writeDataSet(s);
        // The walk leaves the settings object in the last section.
        QCOMPARE(s.group(), QStringLiteral("Fill"));
    }
    QCOMPARE(key(path, "Caller/before").toInt(), 1);
    QCOMPARE(key(path, "Line/width").toInt(), 3);
    QCOMPARE(key(path, "Line/width.Type").toInt(), 2);
    QCOMPARE(key(path, "Line/style").toInt(), 4);
    QCOMPARE(key(path, "Fill/alpha").toInt(), 5);
    for (const char* absent : {"Caller/Line/width", "Line/Fill/alpha", "Caller/lineOn", "Line/lineOn"})
        QVERIFY2(!key(path, absent).isValid(), absent);

    TValueBrowser b;
    TIntegerValue* before = addInt(b, 0, "Before");
    b.addGroup("Line", "Line");
    TIntegerValue* width = addInt(b, 0, "Width");
    b.addGroup("Fill", "Fill");
    TIntegerValue* alpha = addInt(b, 0, "Alpha");
    QSettings s(path, QSettings::IniFormat);
    s.beginGroup("Caller");
    b.readDataSet(s);
    QCOMPARE(before->text(1), QStringLiteral("1"));
    QCOMPARE(width->text(1), QStringLiteral("3"));
    QCOMPARE(alpha->text(1), QStringLiteral("5"));
}

void tst_Items::settingsSpecialValue()
{
    const QString path = newIniFile();
    {
        TValueBrowser b;
        b.setSpecialList(&TValueBrowser::s_specialList, false);
        b.addGroup("Line", "Line");
        addInt(b, 0, "Width")->setSpecial(SV_Default);
        writeFile(b, path);
    }
    QCOMPARE(key(path, "Line/width").toInt(), 8);
    QCOMPARE(key(path, "Line/width.Type").toInt(), int(SK_Special));

    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    b.addGroup("Line", "Line");
    TIntegerValue* width = addInt(b, 0, "Width");
    width->setValue(3);
    readFile(b, path);
    QCOMPARE(width->value().kind, int(SK_Special));
    QCOMPARE(width->value().value.toUInt(), 8u);
    QCOMPARE(width->text(1), QStringLiteral("Default"));
}

void tst_Items::settingsStoredRoundTrip()
{
    const QString path = newIniFile();
    {
        TValueBrowser b;
        b.setSpecialList(&TValueBrowser::s_specialList, false);
        Rows rows(b);
        rows.count->setValue(7);
        rows.ratio->setSpecial(SV_Empty);
        rows.count->setChecked(Qt::Checked);
        b.storeSet();
        rows.count->setValue(8);
        rows.ratio->setValue(1.5);
        rows.count->setChecked(Qt::Unchecked);
        b.setStoringPolicy(TValueBrowser::SP_Stored);
        QCOMPARE(b.storingPolicy(), TValueBrowser::SP_Stored);
        writeFile(b, path);
    }
    QCOMPARE(key(path, "count").toInt(), 7);
    QCOMPARE(key(path, "ratio").toInt(), 1);
    QCOMPARE(key(path, "ratio.Type").toInt(), int(SK_Special));
    QCOMPARE(key(path, "countOn").toInt(), 2);

    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    Rows rows(b);
    rows.count->setValue(100);
    rows.ratio->setValue(9);
    b.setStoringPolicy(TValueBrowser::SP_Stored);
    readFile(b, path);

    // Only the stored set took the file.
    QCOMPARE(rows.count->text(1), QStringLiteral("100"));
    QCOMPARE(rows.ratio->text(1), QStringLiteral("9.00000"));
    QCOMPARE(rows.count->checked(), Qt::Unchecked);
    QCOMPARE(rows.count->storedChecked(), Qt::Checked);
    QCOMPARE(rows.count->storedValue().value.toInt(), 7);

    b.restoreSet();
    QCOMPARE(rows.count->text(1), QStringLiteral("7"));
    QCOMPARE(rows.count->checked(), Qt::Checked);
    QCOMPARE(rows.ratio->value().kind, int(SK_Special));
    QCOMPARE(rows.ratio->text(1), QStringLiteral("Empty"));
}

void tst_Items::settingsStoredBeforeStoreSet()
{
    const QString path = newIniFile();
    setKeys(path, {{"count", 11}, {"count.Type", 2}, {"countOn", 2}});
    {
        TValueBrowser b;
        Rows rows(b);
        rows.count->setValue(5);
        b.setStoringPolicy(TValueBrowser::SP_Stored);
        writeFile(b, path);
    }
    QCOMPARE(key(path, "count").toInt(), 11);
    QCOMPARE(key(path, "count.Type").toInt(), 2);
    QCOMPARE(key(path, "countOn").toInt(), 2);
    QVERIFY(!key(path, "ratio").isValid());

    // Once a stored set exists it is written.
    TValueBrowser b;
    Rows rows(b);
    rows.count->setValue(6);
    b.storeSet();
    rows.count->setValue(7);
    b.setStoringPolicy(TValueBrowser::SP_Stored);
    writeFile(b, path);
    QCOMPARE(key(path, "count").toInt(), 6);
    QCOMPARE(key(path, "countOn").toInt(), 0);
}

void tst_Items::settingsLinked()
{
    const QString path = newIniFile();
    int count = 5;
    double ratio = 0.25;
    bool on = true;
    {
        TValueBrowser b;
        b.addGroup("G", "G");
        Rows rows(b, &count, &ratio, &on);
        addInt(b, 0, "Unbound")->setValue(1);
        rows.count->setValue(77);
        b.setStoringPolicy(TValueBrowser::SP_Linked);
        writeFile(b, path);
        // The row's own check state is left as it was.
        QCOMPARE(rows.count->checked(), Qt::Unchecked);
    }
    QCOMPARE(key(path, "G/count").toInt(), 5);
    QCOMPARE(key(path, "G/ratio").toDouble(), 0.25);
    QCOMPARE(key(path, "G/countOn").toInt(), 2);
    for (const char* absent : {"G/count.Type", "G/ratio.Type", "G/unbound"})
        QVERIFY2(!key(path, absent).isValid(), absent);

    TDoubleValidator unit(0, 10, 2);
    TValueBrowser b;
    b.addGroup("G", "G");
    Rows rows(b, &count, &ratio, &on, &unit);
    rows.count->setValue(1);
    rows.ratio->setValue(3);
    b.setStoringPolicy(TValueBrowser::SP_Linked);

    // Round trip: the variables come back, the rows are not touched.
    count = 0;
    ratio = 0;
    on = false;
    readFile(b, path);
    QCOMPARE(count, 5);
    QCOMPARE(ratio, 0.25);
    QVERIFY(on);
    QCOMPARE(rows.count->text(1), QStringLiteral("1"));
    QCOMPARE(rows.count->checked(), Qt::Unchecked);

    // What the row would refuse never reaches the variable; what it would
    // correct arrives corrected.
    setKeys(path, {{"G/count", "abc"}, {"G/ratio", "12.345"}});
    readFile(b, path);
    QCOMPARE(count, 5);
    QCOMPARE(ratio, 10.0);
    setKeys(path, {{"G/count", "99999999999"}, {"G/ratio", "nan"}});
    readFile(b, path);
    QCOMPARE(count, kIntMax);
    QCOMPARE(ratio, 10.0);
    QCOMPARE(rows.ratio->text(1), QStringLiteral("3.00"));
}

void tst_Items::settingsHandEdited()
{
    const QString path = newIniFile();
    setKeys(path, {{"junk", "abc"}, {"huge", "99999999999"}, {"notype", "5"}, {"badtype", "6"},
                   {"badtype.Type", "xyz"}, {"ratio", "nan"}, {"countOn", "abc"},
                   {"wrongtype", QRect(1, 2, 3, 4)}});
    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    Rows rows(b);
    TIntegerValue* junk = addInt(b, 0, "Junk");
    TIntegerValue* huge = addInt(b, 0, "Huge");
    TIntegerValue* noType = addInt(b, 0, "NoType");
    TIntegerValue* badType = addInt(b, 0, "BadType");
    TIntegerValue* wrongType = addInt(b, 0, "WrongType");
    TIntegerValue* missing = addInt(b, 0, "Missing");
    missing->addCheckProperty(QStringLiteral("missingOn"), nullptr, LT_Bool);
    missing->setChecked(Qt::Checked);
    rows.count->setChecked(Qt::Checked);
    rows.ratio->setValue(0.5);
    junk->setValue(1);
    huge->setValue(2);
    noType->setSpecial(SV_Default);
    wrongType->setValue(3);
    missing->setValue(4);

    readFile(b, path);
    QCOMPARE(junk->text(1), QStringLiteral("1"));
    QCOMPARE(huge->text(1), QStringLiteral("2147483647"));
    QCOMPARE(noType->value().kind, int(SK_Value));
    QCOMPARE(noType->text(1), QStringLiteral("5"));
    QCOMPARE(badType->value().kind, int(SK_Value));
    QCOMPARE(badType->text(1), QStringLiteral("6"));
    QCOMPARE(wrongType->text(1), QStringLiteral("3"));
    QCOMPARE(missing->text(1), QStringLiteral("4"));
    QCOMPARE(missing->checked(), Qt::Checked);
    QCOMPARE(rows.ratio->text(1), QStringLiteral("0.50000"));
    // A check key that is no number reads as unchecked.
    QCOMPARE(rows.count->checked(), Qt::Unchecked);

    // Nothing in the file at all: nothing changes, also for the stored set.
    TValueBrowser other;
    TIntegerValue* kept = addInt(other, 0, "Kept");
    kept->setValue(9);
    other.storeSet();
    const QString empty = newIniFile();
    readFile(other, empty);
    other.setStoringPolicy(TValueBrowser::SP_Stored);
    readFile(other, empty);
    QCOMPARE(kept->text(1), QStringLiteral("9"));
    QCOMPARE(kept->storedValue().value, kept->value().value);
    QVERIFY(!kept->valueChanged());
}

void tst_Items::settingsUnreadableFile_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("truncated key") << QByteArray("[General]\nwidth=4");
    QTest::newRow("truncated value") << QByteArray("width=@Variant(\\0\\0\\0\\x7f");
    QTest::newRow("binary") << QByteArray("\xff\xfe\0\x01width\0=\x80", 12);
    QTest::newRow("wrong type") << QByteArray("width=@Rect(1 2 3 4)\nwidth.Type=2");
    QTest::newRow("special code not listed") << QByteArray("width=99\nwidth.Type=1");
    QTest::newRow("no special code") << QByteArray("width=0\nwidth.Type=1");
}

void tst_Items::settingsUnreadableFile()
{
    QFETCH(QByteArray, contents);
    const QString path = newIniFile();
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    TIntValidator tens(10, 100);
    for (const bool special : {false, true}) {
        TValueBrowser b;
        b.setSpecialList(&TValueBrowser::s_specialList, false);
        TIntegerValue* width = b.addInt(0, "Width", QString(), "width", nullptr, LT_Int, &tens);
        special ? width->setSpecial(SV_Default) : void(width->setValue(50));
        readFile(b, path);
        // A special value of the list, or a number the validator takes as
        // it is.
        if (width->value().kind == SK_Special) {
            QVERIFY(b.specialList()->findItem(width->value().value));
        } else {
            QVariant copy = width->value().value;
            QCOMPARE(int(tens.checkValue(copy)), int(TValueValidator::VR_Valid));
        }
    }
}

void tst_Items::settingsFailedWrite_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("folder as file name") << QString("folder");
    QTest::newRow("below a file") << QString("file/set.ini");
}

void tst_Items::settingsFailedWrite()
{
    QFETCH(QString, where);
    QVERIFY(QDir(m_dir.path()).mkpath("folder"));
    {
        QFile file(m_dir.filePath("file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    // Reading from there changes nothing.
    {
        QSettings nothing(m_dir.filePath(where), QSettings::IniFormat);
        TValueBrowser other;
        Rows kept(other);
        kept.count->setValue(7);
        other.readDataSet(nothing);
        QCOMPARE(kept.count->text(1), QStringLiteral("7"));
    }

    TValueBrowser b;
    Rows rows(b);
    rows.count->setValue(3);
    QSettings settings(m_dir.filePath(where), QSettings::IniFormat);
    b.writeDataSet(settings);
    settings.sync();
    // The caller learns that nothing was written.
    QCOMPARE(settings.status(), QSettings::AccessError);
}

QTEST_MAIN(tst_Items)
#include "tst_items.moc"
