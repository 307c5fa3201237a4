#include "tarvotest.h"

#include "tbasegroup.h"
#include "tdoublevalue.h"
#include "tintegervalue.h"
#include "titemlist.h"
#include "tvaluevalidator.h"

#include <QIconEngine>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>

#include <limits>

using namespace tt;

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();

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

// Lists and icon engines that report their own destruction.
class TrackedList : public SpecialValueList
{
public:
    explicit TrackedList(bool* deleted) : m_deleted(deleted) { *m_deleted = false; }
    ~TrackedList() override { *m_deleted = true; }

private:
    bool* m_deleted;
};

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

class EntryRow : public TBaseValue
{
public:
    using TBaseValue::TBaseValue;
    void takeEntry(TItem* entry) { setRecord(SK_ListItem, entry->value, entry); }
};

class GermanTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* text, const char*, int) const override
    {
        return qstrcmp(context, "QObject") == 0 && qstrcmp(text, "Default") == 0 ? QStringLiteral("Vorgabe")
                                                                                  : QString();
    }
    bool isEmpty() const override { return false; }
};

// A caller variable of the C++ type a link type code stands for.
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

TIntegerValue* addInt(TValueBrowser& b, const QString& name, void* variable = nullptr)
{
    return b.addInt(0, name, QString(), name.toLower(), variable, LT_Int);
}

// A browser with the special values, an integer "count" with the check box
// "countOn" and a real "ratio", optionally bound.
struct Rows
{
    explicit Rows(bool specials = true, int* countVar = nullptr, double* ratioVar = nullptr, bool* onVar = nullptr,
                  TDoubleValidator* ratioValidator = nullptr)
    {
        if (specials)
            b.setSpecialList(&TValueBrowser::s_specialList);
        count = addInt(b, "Count", countVar);
        ratio = b.addReal(0, "Ratio", QString(), "ratio", ratioVar, LT_Double, ratioValidator);
        count->addCheckProperty(QStringLiteral("countOn"), onVar, LT_Bool);
    }
    void write(const QString& path, TValueBrowser::EStoringPolicy policy = TValueBrowser::SP_Current)
    {
        b.setStoringPolicy(policy);
        QSettings s(path, QSettings::IniFormat);
        b.writeDataSet(s);
    }
    void read(const QString& path, TValueBrowser::EStoringPolicy policy = TValueBrowser::SP_Current)
    {
        b.setStoringPolicy(policy);
        QSettings s(path, QSettings::IniFormat);
        b.readDataSet(s);
    }
    TValueBrowser b;
    TIntegerValue* count;
    TDoubleValue* ratio;
};

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

bool isSpecial(TBaseValue* row, unsigned code)
{
    return row->value().kind == SK_Special && row->value().value.toUInt() == code;
}

} // namespace

class tst_Items : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void itemLists();
    void itemListIcons();
    void specialValues();
    void setSpecialListSafety();
    void validatorsOnRows();
    void changedFlagAndStoreRestore();
    void writeValueInt_data();
    void writeValueInt();
    void groupsAndLineBreaks();
    void linking_data();
    void linking();
    void inactiveAndSpecialBindings();
    void checkLinks();
    void settingsRoundTrip();
    void settingsSections();
    void settingsStored();
    void settingsLinked();
    void settingsHandEdited();
    void settingsUnreadableFile_data();
    void settingsUnreadableFile();
    void settingsFailedWrite();

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    QString newIniFile() { return m_dir.filePath(QStringLiteral("set%1.ini").arg(++m_files)); }
};

void tst_Items::itemLists()
{
    auto* list = new TItemList;
    TItem* five = list->setItem(QVariant(5), QString(), nullptr);
    QCOMPARE(five->text, QStringLiteral("5"));
    TItem* one = list->setItem(QVariant(1), QStringLiteral("one"));
    TItem* oneAgain = list->setItem(QVariant(1), QStringLiteral("One"));
    TItem* eight = list->setItem(QVariant(8), QStringLiteral("eight"));
    QVERIFY(list->findItem(QVariant(8u)) == eight && list->findItem(QVariant(qlonglong(8))) == eight);
    QVERIFY(list->findItem(QVariant(1)) == one && !list->findItem(QVariant(2)) && !list->findItem(QVariant()));
    QVERIFY(list->findItemByText("One") == oneAgain && list->findItemByText("one") == one);
    QVERIFY(!list->findItemByText("EIGHT") && !list->findItemByText(QString()));

    // Copies own their entries.
    TItemList copy(*list);
    TItemList assigned;
    assigned.setItem(QVariant(9), QStringLiteral("old"));
    assigned = *list;
    QVERIFY(copy.at(1) != one && assigned.at(1) != one);
    delete list;
    QCOMPARE(copy.findItem(QVariant(8))->text, QStringLiteral("eight"));
    QCOMPARE(assigned.size(), 4);
    assigned = assigned;
    QCOMPARE(assigned.at(1)->text, QStringLiteral("one"));
    {
        SpecialValueList specials(TValueBrowser::s_specialList);
        QVERIFY(specials.at(0) != TValueBrowser::s_specialList.at(0));
    }
    QCOMPARE(TValueBrowser::s_specialList.at(0)->text, QStringLiteral("Default"));
}

void tst_Items::itemListIcons()
{
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

    auto* owner = new TItemList(true);
    owner->setItem(QVariant(1), QStringLiteral("a"), new QIcon(new TrackedEngine(&gone)));
    auto* copy = new TItemList(*owner);
    QVERIFY(copy->ownsIcons() && copy->at(0)->icon && copy->at(0)->icon != owner->at(0)->icon);
    delete owner;
    QVERIFY(!gone);
    QVERIFY(!copy->at(0)->icon->pixmap(8).isNull());
    delete copy;
    QVERIFY(gone);
}

void tst_Items::specialValues()
{
    const SpecialValueList list;
    const QList<int> codes{8, 2, 4, 1, 16};
    const QStringList texts{"Default", "No Value", "Unused", "Empty", "Bad Value"};
    QCOMPARE(list.size(), 5);
    for (int i = 0; i < list.size(); ++i) {
        QCOMPARE(list.at(i)->value, QVariant(codes.at(i)));
        QCOMPARE(list.at(i)->text, texts.at(i));
    }
    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    TBaseValue* v = addPlain(b, "V");
    v->setValue(QStringLiteral("text"));
    v->setSpecial(SV_Default);
    QVERIFY(isSpecial(v, 8));
    QCOMPARE(v->number(), 8);
    QCOMPARE(v->toolTip(1), QStringLiteral("Default"));
    QVERIFY(v->currentEntry() == TValueBrowser::s_specialList.at(0));
    v->setSpecial(0);
    QCOMPARE(shown(v), QStringLiteral("8"));
    QVERIFY(!v->currentEntry());
    v->setSpecial(3);
    QCOMPARE(v->value().kind, int(SK_Value));

    // Texts are translated when shown, by translators installed late.
    GermanTranslator german;
    QCoreApplication::installTranslator(&german);
    v->setSpecial(SV_Default);
    QCOMPARE(shown(v), QStringLiteral("Vorgabe"));
    QVERIFY(TValueBrowser::s_specialList.findItemByText(QStringLiteral("Vorgabe")));
    v->setSpecial(SV_NoValue);
    QCOMPARE(shown(v), QStringLiteral("No Value"));
    QCoreApplication::removeTranslator(&german);

    // New numeric rows start as "Bad Value" where special values exist; the
    // view hears of the finished cell once, and its tool tip follows it.
    QSignalSpy changes(&b, &QTreeWidget::itemChanged);
    TIntegerValue* i = addInt(b, "I");
    QCOMPARE(changes.count(), 1);
    QVERIFY(isSpecial(i, SV_BadValue) && i->toolTip(1) == "Bad Value");
    QVERIFY(i->setValue(QVariant(5)) && shown(i) == "5" && i->toolTip(1) == "5");
    TDoubleValue* d = b.addReal(0, "D", QString(), QString(), nullptr, LT_Double);
    QVERIFY(isSpecial(d, SV_BadValue));
    QVERIFY(d->setValue(QVariant(1)) && shown(d) == "1.00000");
    TValueBrowser plain;
    // A plain row starts as an empty text.
    TBaseValue* fresh = addPlain(plain, "Fresh");
    QVERIFY(fresh->value().kind == SK_Value && fresh->variant() == QVariant(QString("")));
    QCOMPARE(fresh->variant().userType(), int(QMetaType::QString));
    TIntegerValue* j = addInt(plain, "J");
    QCOMPARE(j->value().kind, int(SK_Value));
    j->setSpecial(SV_Default);
    QCOMPARE(j->value().kind, int(SK_Value));
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
    b.setSpecialList(first, true);
    QVERIFY(!firstGone);
    QVERIFY(b.specialList() == first);

    // A new list: the old one goes, the row finds its entry in the new one.
    bool secondGone = false;
    auto* second = new TrackedList(&secondGone);
    b.setSpecialList(second, true);
    QVERIFY(firstGone);
    QVERIFY(isSpecial(v, SV_Unused) && v->currentEntry() == second->at(2));
    QCOMPARE(ordinary->value().kind, int(SK_Value));
    SpecialValueList third;
    b.setSpecialList(&third, false);
    QVERIFY(!secondGone);
    QVERIFY(v->currentEntry() == third.at(2));
    delete second;
    QCOMPARE(shown(v), QStringLiteral("Unused"));

    // A list without the row's code: the row keeps its special value.
    SpecialValueList fewer;
    delete fewer.takeAt(2);
    b.setSpecialList(&fewer, false);
    QVERIFY(v->value().kind == SK_Special && !v->currentEntry());
    QCOMPARE(shown(v), QStringLiteral("Unused"));

    // The library's own list is never deleted.
    v->setSpecial(SV_Empty);
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    b.setSpecialList(&TValueBrowser::s_specialList, true);
    QVERIFY(v->currentEntry() == TValueBrowser::s_specialList.at(3));
    b.setSpecialList(nullptr, true);
    QCOMPARE(TValueBrowser::s_specialList.size(), 5);
    QVERIFY(v->value().kind == SK_Special && !v->currentEntry());
}

void tst_Items::validatorsOnRows()
{
    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList, false);
    FixedValidator reject(TValueValidator::VR_Invalid);
    FixedValidator correct(TValueValidator::VR_Corrected, QStringLiteral("fixed"));

    // A new validator checks ordinary values only.
    TBaseValue* special = addPlain(b, "Special");
    special->setSpecial(SV_NoValue);
    special->setValidator(&reject);
    special->setValidator(&correct);
    QVERIFY(isSpecial(special, SV_NoValue));
    TItemList entries;
    TItem* entry = entries.setItem(QVariant(QStringLiteral("e")), QStringLiteral("Entry"));
    auto* listed = new EntryRow(&b, QStringLiteral("Listed"));
    listed->takeEntry(entry);
    listed->setValidator(&reject);
    QVERIFY(listed->value().kind == SK_ListItem && listed->currentEntry() == entry);
    TBaseValue* bad = addPlain(b, "Bad");
    bad->setValue(QStringLiteral("old"));
    bad->setValidator(&reject);
    QVERIFY(isSpecial(bad, SV_BadValue));
    TBaseValue* corrected = addPlain(b, "Corrected");
    corrected->setValue(QStringLiteral("raw"));
    corrected->setValidator(&correct);
    QCOMPARE(shown(corrected), QStringLiteral("fixed"));

    // setValue goes through the validator.
    TValueBrowser plain;
    TBaseValue* v = addPlain(plain, "V");
    QVERIFY(v->setValue(QStringLiteral("first")));
    v->setValidator(&reject);
    QVERIFY(!v->setValue(QStringLiteral("second")));
    QCOMPARE(v->variant(), QVariant(QStringLiteral("first")));
    FixedValidator fortyTwo(TValueValidator::VR_Corrected, QVariant(42));
    v->setValidator(&fortyTwo);
    QVERIFY(v->setValue(QStringLiteral("anything")));
    QCOMPARE(v->toolTip(1), QStringLiteral("42"));
    v->setValidator(nullptr);
    QVERIFY(!v->validator());
    QVERIFY(v->setValue(QStringLiteral("free")));

    TIntegerValue* i = addInt(plain, "I");
    QVERIFY(i->setValue(QStringLiteral("12.9")) && shown(i) == "12");
    QVERIFY(!i->setValue(QStringLiteral("abc")));
    QVERIFY(i->setValue(QStringLiteral("3000000000")));
    QCOMPARE(i->valueInt(), kIntMax);
}

void tst_Items::changedFlagAndStoreRestore()
{
    Rows r;
    TBaseValue* v = addPlain(r.b, "V");
    TIntegerValue* special = addInt(r.b, "Special");
    // Before any storeSet there is nothing to go back to.
    v->setValue(QStringLiteral("early"));
    r.count->setValue(3);
    QVERIFY(v->valueChanged());
    r.b.restoreSet();
    QCOMPARE(shown(v), QStringLiteral("early"));
    QCOMPARE(shown(r.count), QStringLiteral("3"));

    v->setCheckable(true);
    v->setChecked(Qt::Checked);
    special->setSpecial(SV_Unused);
    r.b.storeSet(true);
    QVERIFY(!v->valueChanged());
    QCOMPARE(v->storedChecked(), Qt::Checked);
    v->setValue(QStringLiteral("late"));
    QVERIFY(v->valueChanged());
    v->setValue(QStringLiteral("early"));
    QVERIFY(!v->valueChanged());
    v->setSpecial(SV_Default);
    QVERIFY(v->valueChanged());
    v->setChecked(Qt::Unchecked);
    r.count->setSpecial(SV_Default);
    special->setValue(9);
    QVERIFY(special->valueChanged());

    r.b.restoreSet();
    QCOMPARE(shown(v), QStringLiteral("early"));
    QCOMPARE(v->checkState(0), Qt::Checked);
    QCOMPARE(shown(r.count), QStringLiteral("3"));
    QVERIFY(isSpecial(special, SV_Unused));
    for (TBaseValue* row : {v, static_cast<TBaseValue*>(r.count), static_cast<TBaseValue*>(special)})
        QVERIFY(!row->valueChanged());
}

void tst_Items::writeValueInt_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("2.1") << QVariant(2.1) << 3;
    QTest::newRow("-2.5") << QVariant(-2.5) << -2;
    QTest::newRow("int") << QVariant(-7) << -7;
    QTest::newRow("text") << QVariant(QStringLiteral("4.2")) << 5;
    QTest::newRow("1e12") << QVariant(1e12) << kIntMax;
    QTest::newRow("-1e12") << QVariant(-1e12) << std::numeric_limits<int>::min();
    QTest::newRow("inf") << QVariant(std::numeric_limits<double>::infinity()) << kIntMax;
    QTest::newRow("nan") << QVariant(std::numeric_limits<double>::quiet_NaN()) << 0;
    QTest::newRow("abc") << QVariant(QStringLiteral("abc")) << 0;
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

void tst_Items::groupsAndLineBreaks()
{
    TValueBrowser b;
    TBaseGroup* g = b.addGroup("G", "S");
    TIntegerValue* v = addInt(b, "V");
    QVERIFY(!(g->flags() & Qt::ItemIsSelectable) && !g->hasValue());
    g->setSelected(true);
    v->setSelected(true);
    QCOMPARE(b.selectedItems(), QList<QTreeWidgetItem*>{v});
    QCOMPARE(g->background(0), g->background(1));

    // A two-line value paints like its first line followed by " <...>".
    const auto render = [](const QString& text) {
        TValueBrowser b;
        b.addValue(0, "V", QString(), QString(), nullptr, LT_Variant)->setValue(text);
        b.storeSet();
        b.resize(300, 80);
        b.setFocusPolicy(Qt::NoFocus);
        b.show();
        if (!QTest::qWaitForWindowExposed(&b))
            return QImage();
        return b.viewport()->grab(b.visualRect(b.model()->index(0, 1))).toImage();
    };
    const QImage twoLines = render(QStringLiteral("first\nsecond"));
    QVERIFY(!twoLines.isNull());
    QCOMPARE(twoLines, render(QStringLiteral("first <...>")));
    QVERIFY(twoLines != render(QStringLiteral("first")));

    // A changed value is marked in its value cell only.
    b.addValue(0, "V", QString(), QString(), nullptr, LT_Variant)->setValue(QStringLiteral("x"));
    TBaseValue* changed = b.addValue(0, "V", QString(), QString(), nullptr, LT_Variant);
    changed->setValue(QStringLiteral("y"));
    b.storeSet();
    changed->setValue(QStringLiteral("x"));
    b.setFocusPolicy(Qt::NoFocus);
    b.resize(300, 200);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    const auto cell = [&b](int row, int column) {
        const QRect rect = b.visualRect(b.model()->index(row, column));
        return b.viewport()->grab(rect.adjusted(0, 0, -rect.width() / 2, 0)).toImage();
    };
    QVERIFY(cell(2, 1) != cell(3, 1));
    QCOMPARE(cell(2, 0), cell(3, 0));
}

void tst_Items::linking_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("variable");
    QTest::addColumn<QVariant>("rowValue");
    QTest::addColumn<QVariant>("written");
    QFont sans(QStringLiteral("Sans"), 9);
    sans.setBold(true);
    const auto row = [](const char* name, int type, const QVariant& var, const QVariant& value,
                        const QVariant& written) { QTest::newRow(name) << type << var << value << written; };
    row("int", LT_Int, 7, QStringLiteral("42"), 42);
    row("int from real", LT_Int, -7, 2.5, 3);
    row("int clamped", LT_Int, 0, qlonglong(1000000000000), kIntMax);
    row("uint", LT_UInt, 4000000000u, QStringLiteral("17"), 17u);
    row("uint from negative", LT_UInt, 1u, -5, 0u);
    row("uint from negative text", LT_UInt, 1u, QStringLiteral("-5"), 0u);
    row("uint clamped", LT_UInt, 1u, qlonglong(5000000000), 4294967295u);
    row("long", LT_Long, -5, -9, -9);
    row("ulong", LT_ULong, 3u, QStringLiteral("8"), 8u);
    row("longlong", LT_LongLong, qlonglong(5e10), qlonglong(-1234567890123), qlonglong(-1234567890123));
    row("ulonglong", LT_ULongLong, qulonglong(18e18), QStringLiteral("42"), qulonglong(42));
    row("ulonglong from negative", LT_ULongLong, qulonglong(1), qlonglong(-1), qulonglong(0));
    row("float", LT_Float, 1.5f, 2.25, 2.25f);
    row("double", LT_Double, 0.1, QStringLiteral("3.75"), 3.75);
    row("bool from text", LT_Bool, false, QStringLiteral("true"), true);
    row("string", LT_String, QStringLiteral("abc"), 12, QStringLiteral("12"));
    row("color", LT_Color, QColor(Qt::red), QStringLiteral("#00ff00"), QColor(0, 255, 0));
    row("font", LT_Font, QFont(QStringLiteral("Serif"), 12), sans.toString(), sans);
    row("size", LT_Size, QSize(3, 4), QSize(5, 6), QSize(5, 6));
    row("size junk", LT_Size, QSize(3, 4), QStringLiteral("junk"), QSize());
    row("point junk", LT_Point, QPoint(1, 2), QStringLiteral("junk"), QPoint(0, 0));
    row("rect", LT_Rect, QRect(1, 2, 3, 4), QRect(5, 6, 7, 8), QRect(5, 6, 7, 8));
    row("rect junk", LT_Rect, QRect(1, 2, 3, 4), QStringLiteral("junk"), QRect());
    row("variant", LT_Variant, QStringLiteral("any"), QSize(1, 1), QSize(1, 1));
}

void tst_Items::linking()
{
    QFETCH(int, type);
    QFETCH(QVariant, variable);
    QFETCH(QVariant, rowValue);
    QFETCH(QVariant, written);
    const int ids[] = {QMetaType::Int, QMetaType::UInt, QMetaType::Int, QMetaType::UInt,
                       QMetaType::LongLong, QMetaType::ULongLong, QMetaType::Float, QMetaType::Double,
                       QMetaType::Bool, QMetaType::QString, QMetaType::QColor, QMetaType::QFont,
                       QMetaType::QSize, QMetaType::QPoint, QMetaType::QRect};
    if (type != LT_Variant)
        QCOMPARE(variable.userType(), ids[type]);
    Variable var(type, variable);
    TValueBrowser b;
    TBaseValue* v = addPlain(b, "V", var.address(), type);
    b.updateFromLinked();
    QCOMPARE(v->variant().userType(), variable.userType());
    QCOMPARE(v->variant(), variable);
    QVERIFY(v->setValue(rowValue));
    b.updateLinked();
    QCOMPARE(var.value().userType(), written.userType());
    QCOMPARE(var.value(), written);
}

void tst_Items::inactiveAndSpecialBindings()
{
    // A null address or an unknown type code binds nothing.
    for (const int type : {-1, 16, 99, int(LT_Int)}) {
        int variable = 3;
        void* address = type == LT_Int ? nullptr : &variable;
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
    // A special value is written as its code; a variable the validator
    // rejects leaves the row alone; a real reaches an integer row rounded.
    Rows r;
    int variable = 0;
    TIntegerValue* i = addInt(r.b, "I", &variable);
    QString text = QStringLiteral("abc");
    TIntegerValue* j = r.b.addInt(0, "J", QString(), QString(), &text, LT_String);
    j->setValue(4);
    double real = 2.5;
    TIntegerValue* k = r.b.addInt(0, "K", QString(), QString(), &real, LT_Double);
    r.b.updateFromLinked();
    QCOMPARE(shown(j), QStringLiteral("4"));
    QCOMPARE(shown(k), QStringLiteral("3"));
    i->setSpecial(SV_Default);
    real = 0;
    r.b.updateLinked();
    QCOMPARE(variable, 8);
    QCOMPARE(real, 3.0);
}

void tst_Items::checkLinks()
{
    TValueBrowser b;
    bool flag = true;
    TBaseValue* boolRow = addPlain(b, "Bool");
    boolRow->addCheckProperty(QStringLiteral("boolOn"), &flag, LT_Bool);
    QCOMPARE(boolRow->checkProperyName(), QStringLiteral("boolOn"));
    b.updateFromLinked();
    QCOMPARE(boolRow->checkState(0), Qt::Checked);
    boolRow->setChecked(Qt::PartiallyChecked);
    flag = false;
    b.updateLinked();
    QVERIFY(flag);
    boolRow->setChecked(Qt::Unchecked);
    b.updateLinked();
    QVERIFY(!flag);

    // Numbers map to check states 0..2; others are never stored as one.
    QString text = QStringLiteral("2");
    int number = 1;
    qint64 wide = 0;
    QColor color(Qt::blue);
    TBaseValue* textRow = addPlain(b, "Text");
    textRow->addCheckProperty(QStringLiteral("textOn"), &text, LT_String);
    TBaseValue* intRow = addPlain(b, "Int");
    intRow->addCheckProperty(QStringLiteral("intOn"), &number, LT_Int);
    TBaseValue* wideRow = addPlain(b, "Wide");
    wideRow->addCheckProperty(QStringLiteral("wideOn"), &wide, LT_LongLong);
    TBaseValue* colorRow = addPlain(b, "Color");
    colorRow->addCheckProperty(QStringLiteral("colorOn"), &color, LT_Color);
    wideRow->setChecked(Qt::Checked);
    colorRow->setChecked(Qt::Checked);
    b.updateFromLinked();
    QCOMPARE(textRow->checked(), Qt::Checked);
    QCOMPARE(intRow->checked(), Qt::PartiallyChecked);
    QCOMPARE(wideRow->checked(), Qt::Unchecked);
    QCOMPARE(colorRow->checked(), Qt::Checked);
    text.clear();
    wideRow->setChecked(Qt::Checked);
    b.updateLinked();
    QCOMPARE(text, QStringLiteral("2"));
    QCOMPARE(wide, qint64(2));
    QCOMPARE(number, 1);
    QCOMPARE(color, QColor(Qt::blue));
    colorRow->setCheckable(false);
    QVERIFY(!(colorRow->flags() & Qt::ItemIsUserCheckable));
    QCOMPARE(colorRow->checked(), Qt::Checked);
}

void tst_Items::settingsRoundTrip()
{
    const QString path = newIniFile();
    {
        Rows r;
        addPlain(r.b, "Name")->setValue(QStringLiteral("hello"));
        addInt(r.b, "Width")->setSpecial(SV_Default);
        r.count->setValue(42);
        r.ratio->setValue(2.5);
        r.count->setChecked(Qt::Checked);
        r.write(path);
    }
    QCOMPARE(key(path, "count").toInt(), 42);
    QCOMPARE(key(path, "count.Type").toInt(), int(SK_Value));
    QCOMPARE(key(path, "ratio").toString(), QStringLiteral("2.50000"));
    QCOMPARE(key(path, "countOn").toInt(), 2);
    QCOMPARE(key(path, "width").toInt(), 8);
    QCOMPARE(key(path, "width.Type").toInt(), int(SK_Special));

    Rows r;
    TBaseValue* v = addPlain(r.b, "Name");
    TIntegerValue* width = addInt(r.b, "Width");
    width->setValue(3);
    r.read(path);
    QCOMPARE(shown(r.count), QStringLiteral("42"));
    QCOMPARE(r.ratio->valueDouble(), 2.5);
    QCOMPARE(shown(v), QStringLiteral("hello"));
    QCOMPARE(r.count->checkState(0), Qt::Checked);
    QVERIFY(isSpecial(width, SV_Default));
}

void tst_Items::settingsSections()
{
    const QString path = newIniFile();
    {
        TValueBrowser b;
        addInt(b, "Before")->setValue(1);
        // A group's own check box is never saved.
        b.addGroup("Line", "Line")->addCheckProperty(QStringLiteral("lineOn"), nullptr, LT_Bool);
        addInt(b, "Width")->setValue(3);
        b.addGroup("Unsectioned");
        addInt(b, "Style")->setValue(4);
        b.addGroup("Fill", "Fill");
        addInt(b, "Alpha")->setValue(5);
        QSettings s(path, QSettings::IniFormat);
        s.beginGroup("Caller");
        b.writeDataSet(s);
        QCOMPARE(s.group(), QStringLiteral("Fill"));
    }
    QCOMPARE(key(path, "Caller/before").toInt(), 1);
    QCOMPARE(key(path, "Line/width").toInt(), 3);
    QCOMPARE(key(path, "Line/style").toInt(), 4);
    QCOMPARE(key(path, "Fill/alpha").toInt(), 5);
    for (const char* absent : {"Caller/Line/width", "Line/Fill/alpha", "Caller/lineOn", "Line/lineOn"})
        QVERIFY2(!key(path, absent).isValid(), absent);

    TValueBrowser b;
    TIntegerValue* before = addInt(b, "Before");
    b.addGroup("Line", "Line");
    TIntegerValue* width = addInt(b, "Width");
    QSettings s(path, QSettings::IniFormat);
    s.beginGroup("Caller");
    b.readDataSet(s);
    QCOMPARE(shown(before), QStringLiteral("1"));
    QCOMPARE(shown(width), QStringLiteral("3"));
}

void tst_Items::settingsStored()
{
    // Before any storeSet the stored policy writes nothing.
    const QString path = newIniFile();
    setKeys(path, {{"count", 11}, {"countOn", 2}});
    {
        Rows r(false);
        r.count->setValue(5);
        r.write(path, TValueBrowser::SP_Stored);
    }
    QCOMPARE(key(path, "count").toInt(), 11);
    QCOMPARE(key(path, "countOn").toInt(), 2);
    QVERIFY(!key(path, "ratio").isValid());
    {
        Rows r;
        r.count->setValue(7);
        r.ratio->setSpecial(SV_Empty);
        r.count->setChecked(Qt::Checked);
        r.b.storeSet();
        r.count->setValue(8);
        r.ratio->setValue(1.5);
        r.count->setChecked(Qt::Unchecked);
        r.write(path, TValueBrowser::SP_Stored);
    }
    QCOMPARE(key(path, "count").toInt(), 7);
    QCOMPARE(key(path, "ratio.Type").toInt(), int(SK_Special));
    QCOMPARE(key(path, "countOn").toInt(), 2);

    // Only the stored set takes the file.
    Rows r;
    r.count->setValue(100);
    r.read(path, TValueBrowser::SP_Stored);
    QCOMPARE(shown(r.count), QStringLiteral("100"));
    QCOMPARE(r.count->checked(), Qt::Unchecked);
    QCOMPARE(r.count->storedChecked(), Qt::Checked);
    r.b.restoreSet();
    QCOMPARE(shown(r.count), QStringLiteral("7"));
    QCOMPARE(r.count->checked(), Qt::Checked);
    QVERIFY(isSpecial(r.ratio, SV_Empty));
}

void tst_Items::settingsLinked()
{
    const QString path = newIniFile();
    int count = 5;
    double ratio = 0.25;
    bool on = true;
    {
        Rows r(false, &count, &ratio, &on);
        addInt(r.b, "Unbound")->setValue(1);
        r.count->setValue(77);
        r.write(path, TValueBrowser::SP_Linked);
        QCOMPARE(r.count->checked(), Qt::Unchecked);
    }
    QCOMPARE(key(path, "count").toInt(), 5);
    QCOMPARE(key(path, "ratio").toDouble(), 0.25);
    QCOMPARE(key(path, "countOn").toInt(), 2);
    for (const char* absent : {"count.Type", "unbound"})
        QVERIFY2(!key(path, absent).isValid(), absent);

    // The variables come back, the rows are not touched; what the row would
    // refuse never reaches a variable, what it would correct arrives corrected.
    TDoubleValidator unit(0, 10, 2);
    Rows r(false, &count, &ratio, &on, &unit);
    r.count->setValue(1);
    count = 0;
    ratio = 0;
    on = false;
    r.read(path, TValueBrowser::SP_Linked);
    QVERIFY(count == 5 && ratio == 0.25 && on);
    QCOMPARE(shown(r.count), QStringLiteral("1"));
    setKeys(path, {{"count", "abc"}, {"ratio", "12.345"}});
    r.read(path, TValueBrowser::SP_Linked);
    QVERIFY(count == 5 && ratio == 10.0);
    setKeys(path, {{"count", "99999999999"}, {"ratio", "nan"}});
    r.read(path, TValueBrowser::SP_Linked);
    QVERIFY(count == kIntMax && ratio == 10.0);
}

void tst_Items::settingsHandEdited()
{
    const QString path = newIniFile();
    setKeys(path, {{"count", "abc"}, {"huge", "99999999999"}, {"notype", "5"}, {"badtype", "6"},
                   {"badtype.Type", "xyz"}, {"ratio", "nan"}, {"countOn", "abc"}, {"wrongtype", QRect(1, 2, 3, 4)}});
    Rows r;
    TIntegerValue* huge = addInt(r.b, "Huge");
    TIntegerValue* noType = addInt(r.b, "NoType");
    TIntegerValue* badType = addInt(r.b, "BadType");
    TIntegerValue* wrongType = addInt(r.b, "WrongType");
    TIntegerValue* missing = addInt(r.b, "Missing");
    missing->addCheckProperty(QStringLiteral("missingOn"), nullptr, LT_Bool);
    missing->setChecked(Qt::Checked);
    r.count->setChecked(Qt::Checked);
    r.count->setValue(1);
    r.ratio->setValue(0.5);
    noType->setSpecial(SV_Default);
    wrongType->setValue(3);
    missing->setValue(4);
    r.b.storeSet();
    r.read(path);
    QCOMPARE(shown(r.count), QStringLiteral("1"));
    QCOMPARE(shown(huge), QStringLiteral("2147483647"));
    QVERIFY(noType->value().kind == SK_Value && shown(noType) == "5");
    QVERIFY(badType->value().kind == SK_Value && shown(badType) == "6");
    QCOMPARE(shown(wrongType), QStringLiteral("3"));
    QCOMPARE(shown(missing), QStringLiteral("4"));
    QCOMPARE(missing->checked(), Qt::Checked);
    QCOMPARE(shown(r.ratio), QStringLiteral("0.50000"));
    QCOMPARE(r.count->checked(), Qt::Unchecked);

    // An empty file changes nothing, also for the stored set.
    const QString empty = newIniFile();
    r.read(empty);
    r.read(empty, TValueBrowser::SP_Stored);
    QCOMPARE(missing->storedValue().value, missing->value().value);
    QVERIFY(!missing->valueChanged());
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
        QSettings s(path, QSettings::IniFormat);
        b.readDataSet(s);
        // A special value of the list, or a number the validator takes.
        QVariant copy = width->value().value;
        QVERIFY(width->value().kind == SK_Special ? b.specialList()->findItem(copy) != nullptr
                                                  : tens.checkValue(copy) == TValueValidator::VR_Valid);
    }
}

void tst_Items::settingsFailedWrite()
{
    QVERIFY(QDir(m_dir.path()).mkpath("folder"));
    QFile file(m_dir.filePath("file"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (const char* where : {"folder", "file/set.ini"}) {
        Rows r(false);
        r.count->setValue(7);
        r.read(m_dir.filePath(where));
        QCOMPARE(shown(r.count), QStringLiteral("7"));
        QSettings settings(m_dir.filePath(where), QSettings::IniFormat);
        r.b.writeDataSet(settings);
        settings.sync();
        QCOMPARE(settings.status(), QSettings::AccessError);
    }
}

QTEST_MAIN(tst_Items)
#include "tst_items.moc"
