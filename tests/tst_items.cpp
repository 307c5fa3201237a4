// Rows as an application drives them from code: special values, validators,
// the stored set, bound variables, settings files of either Qt, variants.
#include "tarvotest.h"

#include "tbasegroup.h"
#include "tdoublevalue.h"
#include "tintegervalue.h"
#include "tlistvalue.h"
#include "tvariant_p.h"

#include <QSettings>
#include <QTemporaryDir>

#include <limits>

using namespace tt;

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max(), kIntMin = std::numeric_limits<int>::min();
const auto Current = TValueBrowser::SP_Current, Stored = TValueBrowser::SP_Stored, Linked = TValueBrowser::SP_Linked;

struct TrackedList : SpecialValueList // reports its destruction
{
    explicit TrackedList(bool* gone) : gone(gone) { *gone = false; }
    ~TrackedList() override { *gone = true; }
    bool* gone;
};

struct EntryRow : TBaseValue // a plain row holding a list entry, as list rows do
{
    using TBaseValue::TBaseValue;
    void take(TItem* entry) { setRecord(SK_ListItem, entry->value, entry); }
};

TBaseValue* addPlain(TValueBrowser& b, const QString& name, void* variable = nullptr, int type = -1)
{
    return b.addValue(0, name, QString(), name.toLower(), variable, type);
}
TIntegerValue* addInt(TValueBrowser& b, const QString& name, void* variable = nullptr)
{
    return b.addInt(0, name, QString(), name.toLower(), variable, LT_Int);
}
TBaseValue* row(TValueBrowser& b, int i) { return TBaseValue::fromItem(b.topLevelItem(i)); }
bool isSpecial(TBaseValue* row, int code) { return row->value().kind == SK_Special && row->number() == code; }

// What the value rows show: the text, "*" for a special value, "/N" for the
// state of a check box ("!" when the box shows another one).
QString state(TValueBrowser& b)
{
    QStringList out;
    for (QTreeWidgetItemIterator it(&b); *it; ++it) {
        if (TBaseValue* v = TBaseValue::fromItem(*it)) {
            out << v->text(1) + (v->value().kind == SK_Special ? "*" : "");
            if (v->flags() & Qt::ItemIsUserCheckable)
                out.last() += QString("/%1").arg(v->checked()) + (v->checkState(0) != v->checked() ? "!" : "");
        }
    }
    return out.join(' ');
}

// Every key of a settings file with its value.
QString dump(const QString& path)
{
    QSettings s(path, QSettings::IniFormat);
    QStringList out;
    for (const QString& key : s.allKeys())
        out << key + '=' + s.value(key).toString();
    return out.join(' ');
}

// The library's special values, an integer "count" with the check key
// "countOn" and a real "ratio", optionally bound.
struct Rows
{
    explicit Rows(bool specials = true, int* countVar = nullptr, double* ratioVar = nullptr, bool* on = nullptr,
                  TDoubleValidator* check = nullptr)
    {
        b.setSpecialList(specials ? &TValueBrowser::s_specialList : nullptr);
        count = addInt(b, "Count", countVar);
        ratio = b.addReal(0, "Ratio", QString(), "ratio", ratioVar, LT_Double, check);
        count->addCheckProperty(QStringLiteral("countOn"), on, LT_Bool);
    }
    void io(const QString& path, bool write, TValueBrowser::EStoringPolicy policy = Current)
    {
        b.setStoringPolicy(policy);
        QSettings s(path, QSettings::IniFormat);
        write ? b.writeDataSet(s) : b.readDataSet(s);
    }
    TValueBrowser b;
    TIntegerValue* count;
    TDoubleValue* ratio;
};

} // namespace

class tst_Items : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;
    QString iniFile(const QByteArray& contents = {})
    {
        QFile file(m_dir.filePath(QStringLiteral("set%1.ini").arg(++m_files)));
        return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() ? file.fileName() : "";
    }

private Q_SLOTS:
    void specialValues()
    {
        // Entries are found by value across number types, and by exact text.
        SpecialValueList& list = TValueBrowser::s_specialList;
        QVERIFY(list.findItem(QVariant(8u)) == list.at(0) && list.findItem(qlonglong(16)) == list.at(4) && !list.findItem(3));
        QVERIFY(list.findItemByText("No Value") == list.at(1) && !list.findItemByText("empty") && !list.findItem(QVariant()));
        TValueBrowser b;
        b.setSpecialList(&TValueBrowser::s_specialList, false);
        TBaseValue* v = addPlain(b, "V");
        v->setSpecial(SV_Default);
        QVERIFY(isSpecial(v, 8) && v->number() == 8 && v->toolTip(1) == "Default");
        QVERIFY(v->currentEntry() == TValueBrowser::s_specialList.at(0));
        v->setSpecial(0);
        QVERIFY(shown(v) == "8" && !v->currentEntry() && v->value().kind == SK_Value);
        v->setSpecial(3);
        QCOMPARE(v->value().kind, int(SK_Value));
        // New numeric rows start as "Bad Value" where special values exist;
        // the view hears of the finished cell once.
        QSignalSpy changes(&b, &QTreeWidget::itemChanged);
        TIntegerValue* i = addInt(b, "I");
        QVERIFY(changes.count() == 1 && isSpecial(i, SV_BadValue) && i->toolTip(1) == "Bad Value");
        QVERIFY(i->setValue(QVariant(5)) && shown(i) == "5" && i->toolTip(1) == "5");
        i->setToolTip(1, QStringLiteral("by hand")); // goes with the next value, even the same one
        QVERIFY(i->setValue(QVariant(5)) && i->toolTip(1) == "5");
        // Without special values special codes are no values, and a list
        // row's popup holds the list alone, unmarked while unchanged.
        TItemList modes(false);
        modes.setItem(1, QStringLiteral("One"));
        TValueBrowser plain;
        addInt(plain, "J")->setSpecial(SV_Default);
        QCOMPARE(row(plain, 0)->value().kind, int(SK_Value));
        TListValue* l = plain.addList(0, "L", {}, {}, nullptr, LT_Int, &modes);
        plain.storeSet();
        QVERIFY(pick(l, "One") && l->editor()->comboBox()->count() == 1);
        QVERIFY(l->editor()->lineEdit()->font().weight() != QFont::Bold);
    }

    void setSpecialList()
    {
        TValueBrowser b;
        bool firstGone = false, secondGone = false;
        auto* first = new TrackedList(&firstGone);
        b.setSpecialList(first, false);
        TBaseValue* v = addPlain(b, "V");
        addPlain(b, "Ordinary")->setValue(QStringLiteral("plain"));
        v->setSpecial(SV_Unused);
        b.setSpecialList(first, true);
        QVERIFY(!firstGone && b.specialList() == first);
        // A new list: the old one goes, the row finds its entry in the new one.
        auto* second = new TrackedList(&secondGone);
        b.setSpecialList(second, true);
        QVERIFY(firstGone && v->currentEntry() == second->at(2));
        SpecialValueList third;
        b.setSpecialList(&third, false);
        QVERIFY(!secondGone && v->currentEntry() == third.at(2));
        delete second;
        // A list without the row's code: the row keeps its special value.
        delete third.takeAt(2);
        b.setSpecialList(&third, false);
        QVERIFY(!v->currentEntry() && state(b) == "Unused* plain");
        // The library's own list is never deleted.
        v->setSpecial(SV_Empty);
        b.setSpecialList(&TValueBrowser::s_specialList, false);
        b.setSpecialList(&TValueBrowser::s_specialList, true);
        QVERIFY(v->currentEntry() == TValueBrowser::s_specialList.at(3));
        b.setSpecialList(nullptr, true);
        QVERIFY(TValueBrowser::s_specialList.size() == 5 && isSpecial(v, SV_Empty) && !v->currentEntry());
    }

    void validatorsOnRows()
    {
        // A new validator checks ordinary values only: it refuses or
        // corrects them, and leaves special values and list entries alone.
        TValueBrowser b;
        b.setSpecialList(&TValueBrowser::s_specialList, false);
        TIntValidator upToTen(0, 10);
        for (const char* text : {"5", "50", "abc", ""})
            addPlain(b, "V")->setValue(QString::fromLatin1(text));
        row(b, 3)->setSpecial(SV_NoValue);
        TItemList entries;
        auto* listed = new EntryRow(&b, QStringLiteral("Listed"));
        listed->take(entries.setItem(QVariant(QStringLiteral("e")), QStringLiteral("Entry")));
        for (int i = 0; i < 5; ++i)
            row(b, i)->setValidator(&upToTen);
        QCOMPARE(state(b), QStringLiteral("5 10 Bad Value* No Value* Entry"));
        QVERIFY(listed->value().kind == SK_ListItem && row(b, 1)->variant() == 10);
        // setValue goes through the validator; without one anything goes.
        TBaseValue* v = row(b, 0);
        QVERIFY(!v->setValue(QStringLiteral("x")) && v->variant() == "5");
        QVERIFY(v->setValue(-4) && shown(v) == "0" && v->toolTip(1) == "0");
        v->setValidator(nullptr);
        QVERIFY(!v->validator() && v->setValue(QStringLiteral("free")));
    }

    void storeAndRestore()
    {
        Rows r;
        TBaseValue* v = addPlain(r.b, "V");
        TIntegerValue* special = addInt(r.b, "Special");
        // Before any storeSet there is nothing to go back to.
        v->setValue(QStringLiteral("early"));
        r.count->setValue(3);
        r.count->setChecked(Qt::Checked);
        r.b.restoreSet();
        QVERIFY(v->valueChanged() && state(r.b) == "3/2 Bad Value* early Bad Value*");
        special->setSpecial(SV_Unused);
        r.b.storeSet(true);
        v->setValue(QStringLiteral("late"));
        QVERIFY(v->valueChanged() && !special->valueChanged() && r.count->storedChecked() == Qt::Checked);
        v->setValue(QStringLiteral("early"));
        special->setValue(9);
        QVERIFY(!v->valueChanged() && special->valueChanged());
        v->setSpecial(SV_Default);
        r.count->setChecked(Qt::Unchecked);
        r.count->setSpecial(SV_Default);
        r.b.restoreSet();
        QCOMPARE(state(r.b), QStringLiteral("3/2 Bad Value* early Unused*"));
        QVERIFY(!v->valueChanged() && !r.count->valueChanged() && !special->valueChanged());
    }

    void groupsAndPainting()
    {
        TValueBrowser b;
        TBaseGroup* g = b.addGroup("G", "S");
        TIntegerValue* v = addInt(b, "V");
        g->setSelected(true);
        v->setSelected(true);
        QVERIFY(!g->hasValue() && b.selectedItems() == QList<QTreeWidgetItem*>{v});
        // Rows 2 and 3 show the same text, only row 3 is changed; rows 4 and
        // 5 show a two-line value and its first line with the mark " <...>".
        for (const char* text : {"x", "y", "first\nsecond", "first <...>", "first", "\nsecond", " <...>"})
            addPlain(b, "V")->setValue(QString::fromLatin1(text));
        b.storeSet();
        row(b, 3)->setValue(QStringLiteral("x"));
        b.setFocusPolicy(Qt::NoFocus);
        b.resize(300, 300);
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        const auto cell = [&b](int row, int column) {
            const QRect rect = b.visualRect(b.model()->index(row, column));
            return b.viewport()->grab(rect.adjusted(0, 0, -rect.width() / 2, 0)).toImage();
        };
        QVERIFY(cell(2, 1) != cell(3, 1) && cell(2, 0) == cell(3, 0));
        QVERIFY(cell(4, 1) == cell(5, 1) && cell(4, 1) != cell(6, 1) && cell(7, 1) == cell(8, 1));
        b.setChangeInfo(false); // without change marks the row looks like the others
        QCOMPARE(cell(2, 1), cell(3, 1));
    }

    void linking_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("variable");
        QTest::addColumn<QVariant>("rowValue");
        QTest::addColumn<QVariant>("written");
        const auto add = [](const char* name, int type, const QVariant& var, const QVariant& value,
                            const QVariant& written) { QTest::newRow(name) << type << var << value << written; };
        add("int", LT_Int, 7, QStringLiteral("42"), 42); add("int from real", LT_Int, -7, 2.5, 3);
        add("int clamped", LT_Long, 0, qlonglong(1000000000000), kIntMax); add("int from junk", LT_Int, 7, "abc", 0);
        add("int clamped below", LT_Int, 0, -1e12, kIntMin); add("uint from negative", LT_UInt, 1u, -5, 0u);
        add("uint from negative text", LT_ULong, 1u, QStringLiteral("-5"), 0u);
        add("uint clamped", LT_UInt, 4000000000u, qlonglong(5000000000), 4294967295u);
        add("uint from huge real", LT_UInt, 1u, 1e12, 4294967295u);
        add("longlong", LT_LongLong, qlonglong(5e10), qlonglong(-1234567890123), qlonglong(-1234567890123));
        add("ulonglong", LT_ULongLong, qulonglong(18e18), QStringLiteral("42"), qulonglong(42));
        add("ulonglong from negative", LT_ULongLong, qulonglong(1), qlonglong(-1), qulonglong(0));
        add("float", LT_Float, 1.5f, 2.25, 2.25f); add("double", LT_Double, 0.1, QStringLiteral("3.75"), 3.75);
        add("float overflow", LT_Float, 1.5f, -1e300, -std::numeric_limits<float>::infinity());
        add("float max", LT_Float, 1.5f, double(std::numeric_limits<float>::max()), std::numeric_limits<float>::max());
        add("bool from text", LT_Bool, false, QStringLiteral("true"), true);
        add("string", LT_String, QStringLiteral("abc"), 12, QStringLiteral("12"));
        add("color", LT_Color, QColor(Qt::red), QStringLiteral("#00ff00"), QColor(0, 255, 0));
        add("font", LT_Font, QFont(QStringLiteral("Serif"), 12), QFont("Sans", 9).toString(), QFont("Sans", 9));
        add("size junk", LT_Size, QSize(3, 4), QStringLiteral("junk"), QSize());
        add("point junk", LT_Point, QPoint(1, 2), QStringLiteral("junk"), QPoint(0, 0));
        add("rect", LT_Rect, QRect(1, 2, 3, 4), QRect(5, 6, 7, 8), QRect(5, 6, 7, 8));
        add("rect junk", LT_Rect, QRect(1, 2, 3, 4), QStringLiteral("junk"), QRect());
        add("variant", LT_Variant, QStringLiteral("any"), QSize(1, 1), QSize(1, 1));
        // writeValue(int&) takes the smallest whole number not below the value.
        const QVariantList values{2.1, -2.5, QStringLiteral("4.2"), 1e12, -1e12, qInf(), qQNaN(), "abc"};
        const int ceilings[] = {3, -2, 5, kIntMax, kIntMin, kIntMax, 0, 0};
        for (int i = 0; i < values.size(); ++i)
            QTest::addRow("writeValue(int&) %d", i) << -1 << QVariant() << values.at(i) << QVariant(ceilings[i]);
    }

    void linking()
    {
        QFETCH(int, type);
        QFETCH(QVariant, variable);
        QFETCH(QVariant, rowValue);
        QFETCH(QVariant, written);
        // The caller's variable lives in a variant: its data, or the variant.
        QVariant var = variable;
        TValueBrowser b;
        TBaseValue* v = addPlain(b, "V", type == LT_Variant ? &var : type < 0 ? nullptr : var.data(), type);
        b.updateFromLinked();
        QCOMPARE(v->variant(), type < 0 ? QVariant(QString("")) : variable);
        QCOMPARE(v->variant().userType(), type < 0 ? int(QMetaType::QString) : variable.userType());
        QVERIFY(v->setValue(rowValue));
        if (type < 0) {
            int out = 12345;
            v->writeValue(out);
            var = out;
        }
        b.updateLinked();
        QCOMPARE(var.userType(), written.userType());
        QCOMPARE(var, written);
    }

    void bindings()
    {
        // A special value is written as its code; a variable the validator
        // rejects leaves the row alone; a real reaches an integer row
        // rounded; an unknown type code binds nothing.
        Rows r;
        int variable = 0, unknown = 3;
        QString text = QStringLiteral("abc");
        double real = 2.5;
        addInt(r.b, "I", &variable);
        r.b.addInt(0, "J", QString(), QString(), &text, LT_String)->setValue(4);
        r.b.addInt(0, "K", QString(), QString(), &real, LT_Double);
        addPlain(r.b, "U", &unknown, LT_Variant + 1)->addCheckProperty("on", &unknown, LT_Variant + 1);
        row(r.b, 5)->setValue(5);
        row(r.b, 5)->setChecked(Qt::Checked);
        r.b.updateFromLinked();
        QCOMPARE(state(r.b), QStringLiteral("Bad Value*/0 Bad Value* 0 4 3 5/2"));
        row(r.b, 2)->setSpecial(SV_Default);
        real = 0;
        r.b.updateLinked();
        QVERIFY(variable == 8 && real == 3.0 && unknown == 3);
        // Check boxes: numbers map to states 0..2, texts and variants by
        // their number; other types are never stored as one.
        TValueBrowser b;
        bool flag = true;
        QString two = QStringLiteral("2");
        int number = 1;
        qint64 wide = qint64(1) << 32; // an int variable's bits: 0
        double negative = -4;
        QVariant any(1);
        QColor color(Qt::blue);
        unsigned int one = 1;
        void* const variables[] = {&flag, &two, &number, &wide, &negative, &any, &color, &one};
        const int types[] = {LT_Bool, LT_String, LT_Int, LT_LongLong, LT_Double, LT_Variant, LT_Color, LT_UInt};
        for (int i = 0; i < 8; ++i) {
            addPlain(b, QString("R%1").arg(i))->addCheckProperty(QString("on%1").arg(i), variables[i], types[i]);
            row(b, i)->setChecked(Qt::Checked);
        }
        b.updateFromLinked();
        QVERIFY(state(b) == "/2 /2 /1 /0 /0 /1 /2 /1" && row(b, 1)->checkProperyName() == "on1");
        for (int i = 0; i < 8; ++i)
            row(b, i)->setChecked(Qt::CheckState(i % 3));
        b.updateLinked();
        QVERIFY(!flag && two == "1" && number == 2 && wide == 0 && negative == 1 && any == 2 && color == Qt::blue && one == 1);
        row(b, 2)->setCheckable(false);
        QVERIFY(!(row(b, 2)->flags() & Qt::ItemIsUserCheckable) && row(b, 2)->checked() == Qt::Checked);
    }

    void settingsRoundTrip()
    {
        const QString path = iniFile();
        {
            Rows r;
            addPlain(r.b, "Name")->setValue(QStringLiteral("hello"));
            addInt(r.b, "Width")->setSpecial(SV_Default);
            // A group's own check box is never saved; its section holds the
            // rows after it until the next group with a section.
            r.b.addGroup("Line", "Line")->addCheckProperty(QStringLiteral("lineOn"), nullptr, LT_Bool);
            addInt(r.b, "Style")->setValue(3);
            r.b.addGroup("Unsectioned");
            addInt(r.b, "Alpha")->setValue(4);
            r.count->setValue(42);
            r.ratio->setValue(2.5);
            r.count->setChecked(Qt::Checked);
            QSettings s(path, QSettings::IniFormat);
            s.beginGroup("Caller");
            r.b.writeDataSet(s);
            QCOMPARE(s.group(), QStringLiteral("Line"));
        }
        QCOMPARE(dump(path), QStringLiteral("Caller/count=42 Caller/count.Type=2 Caller/countOn=2 Caller/name=hello "
                                            "Caller/name.Type=2 Caller/ratio=2.50000 Caller/ratio.Type=2 "
                                            "Caller/width=8 Caller/width.Type=1 Line/alpha=4 Line/alpha.Type=2 "
                                            "Line/style=3 Line/style.Type=2"));
        Rows r;
        addPlain(r.b, "Name");
        addInt(r.b, "Width")->setValue(3);
        r.b.addGroup("Line", "Line");
        addInt(r.b, "Style");
        QSettings s(path, QSettings::IniFormat);
        s.beginGroup("Caller");
        r.b.readDataSet(s);
        QVERIFY(state(r.b) == "42/2 2.50000 hello Default* 3" && r.ratio->valueDouble() == 2.5);
    }

    void settingsStored()
    {
        // Before any storeSet the stored policy writes nothing.
        const QString path = iniFile("count=11\ncountOn=2\n"), current = iniFile();
        Rows(false).io(path, true, Stored);
        QCOMPARE(dump(path), QStringLiteral("count=11 countOn=2"));
        {
            Rows r;
            r.count->setValue(7);
            r.ratio->setSpecial(SV_Empty);
            r.count->setChecked(Qt::Checked);
            r.b.storeSet();
            r.count->setValue(8);
            r.ratio->setValue(1.5);
            r.count->setChecked(Qt::Unchecked);
            r.io(path, true, Stored);
            r.io(current, true);
        }
        QCOMPARE(dump(path), QStringLiteral("count=7 count.Type=2 countOn=2 ratio=1 ratio.Type=1"));
        QCOMPARE(dump(current), QStringLiteral("count=8 count.Type=2 countOn=0 ratio=1.50000 ratio.Type=2"));
        // Only the stored set takes the file.
        Rows r;
        r.count->setValue(100);
        r.io(path, false, Stored);
        QVERIFY(state(r.b) == "100/0 Bad Value*" && r.count->storedChecked() == Qt::Checked);
        r.b.restoreSet();
        QCOMPARE(state(r.b), QStringLiteral("7/2 Empty*"));
    }

    void settingsLinked()
    {
        const QString path = iniFile();
        int count = 5;
        double ratio = 0.25, plain = 3;
        bool on = true;
        {
            Rows r(false, &count, &ratio, &on);
            addInt(r.b, "Unbound")->setValue(1);
            r.count->setValue(77);
            r.io(path, true, Linked);
            QCOMPARE(r.count->checked(), Qt::Unchecked);
        }
        QCOMPARE(dump(path), QStringLiteral("count=5 countOn=2 ratio=0.25"));
        // The variables come back, the rows are not touched; what the row
        // would refuse never reaches a variable, what it would correct
        // arrives corrected.
        TDoubleValidator unit(0, 10, 2);
        Rows r(false, &count, &ratio, &on, &unit);
        r.count->setValue(1);
        count = 0;
        ratio = 0;
        on = false;
        r.io(path, false, Linked);
        QVERIFY(count == 5 && ratio == 0.25 && on && shown(r.count) == "1");
        addPlain(r.b, "Plain", &plain, LT_Double); // without a validator of its own
        r.io(iniFile("count=abc\nratio=12.345\nplain=abc\n"), false, Linked);
        QVERIFY(count == 5 && ratio == 10.0 && plain == 3);
        r.io(iniFile("count=99999999999\nratio=nan\n"), false, Linked);
        QVERIFY(count == kIntMax && ratio == 10.0);
    }

    void settingsHandEdited()
    {
        Rows r;
        for (const char* name : {"Huge", "NoType", "BadType", "WrongType", "Missing", "Unlisted", "Zero"})
            addInt(r.b, name)->setValue(3);
        row(r.b, 6)->addCheckProperty(QStringLiteral("missingOn"), nullptr, LT_Bool);
        row(r.b, 6)->setChecked(Qt::Checked);
        r.count->setChecked(Qt::Checked);
        r.count->setValue(1);
        r.ratio->setValue(0.5);
        row(r.b, 3)->setSpecial(SV_Default);
        r.b.storeSet();
        r.io(iniFile("count=abc\nhuge=99999999999\nnotype=5\nbadtype=6\nbadtype.Type=xyz\nratio=nan\ncountOn=abc\n"
                     "wrongtype=@Rect(1 2 3 4)\nunlisted=99\nunlisted.Type=1\nzero=0\nzero.Type=1\n"), false);
        QCOMPARE(state(r.b), QStringLiteral("1/0 0.50000 2147483647 5 6 3 3/2 3 3"));
        // Missing keys change nothing, also in the stored set; a kind unknown there is a value.
        r.io(iniFile(), false);
        r.io(iniFile("count=9\ncount.Type=-1\n"), false, Stored);
        r.b.restoreSet();
        QCOMPARE(state(r.b), QStringLiteral("9/2 0.50000 3 Default* 3 3 3/2 3 3"));
    }

    void settingsBlobs()
    {
        // Blobs, every byte escaped: what Qt could not read safely is left out.
        const auto blob = [](const char* key, const QByteArray& hex) {
            QByteArray out = key + QByteArray("=@Variant(");
            for (const char c : QByteArray::fromHex(hex))
                out += '\\' + QByteArray::number(uchar(c), 8);
            return out + ")\n";
        };
        TValueBrowser b;
        for (const char* name : {"A", "B", "C", "D", "E", "F", "G"})
            addPlain(b, name)->setValue(QStringLiteral("kept"));
        QSettings s(iniFile("[App]\n" + blob("a", "00000009 00000002") + blob("b", "00000009 00000002 00000001 7f 00000002 00000005")
                            + blob("c", "00000009 00000002 00000002 00000007 00000002 00000005") + blob("d", "00000000")
                            + blob("e", QByteArray("00000009 00000001").repeated(66) + "00000002 00000005")
                            + "f=@Variant(\\0\\0\\0\\2\\0\\0\\0\\5) ;, @Variant(\\0\\0\\0\\t\\0\\0\\0\\2)\n"
                            + "=@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)\ng=1\\"), QSettings::IniFormat);
        s.beginGroup("App"); // the caller's group holds for what is read
        b.readDataSet(s);
        QCOMPARE(state(b), QStringLiteral("kept    kept 5 1"));
    }

    void settingsOfOtherBuilds()
    {
        // A row of each kind in three sections, as the Qt 5 and the Qt 6
        // build wrote them to the files in tests/data.
        const QString title = QString::fromUtf8("Gr\xc3\xbc\xc3\x9f" "e, \"alle\"; a=b [1]");
        TItemList modes(false);
        for (const char* mode : {"One", "Two", "Three"})
            modes.setItem(modes.size() + 1, QString::fromLatin1(mode));
        for (const char* fixture : {TARVO_TEST_DATA_DIR "/qt5-settings.ini", TARVO_TEST_DATA_DIR "/qt6-settings.ini"}) {
            TValueBrowser b;
            b.setSpecialList(&TValueBrowser::s_specialList, false);
            b.addGroup("Numbers", "Numbers");
            b.addInt(0, "Count", {}, "count", nullptr, LT_Int)->addCheckProperty(QStringLiteral("countOn"), nullptr, LT_Bool);
            b.addInt(0, "Total", {}, "total", nullptr, LT_UInt);
            b.addInt(0, "Limit", {}, "limit", nullptr, LT_Int);
            b.addReal(0, "Ratio", {}, "ratio", nullptr, LT_Double);
            b.addReal(0, "Offset", {}, "offset", nullptr, LT_Double);
            b.addGroup("Looks", "Looks");
            b.addBool(0, "Visible", {}, "visible", nullptr);
            b.addBool(0, "Hidden", {}, "hidden", nullptr);
            b.addText(0, "Title", {}, "title", nullptr);
            b.addPath(0, "Folder", {}, "folder", nullptr);
            b.addColor(0, "Accent", {}, "accent", nullptr);
            b.addColor(0, "Marker", {}, "marker", nullptr);
            b.addFont(0, "Body", {}, "body", nullptr);
            b.addGroup("Geometry", "Geometry");
            b.addPoint(0, "Origin", {}, "origin", nullptr);
            b.addSize(0, "Extent", {}, "extent", nullptr);
            b.addRect(0, "Frame", {}, "frame", nullptr);
            b.addRange(0, "Span", {}, "span", nullptr);
            b.addList(0, "Mode", {}, "mode", nullptr, LT_Int, &modes);
            const QString again = iniFile();
            {
                QSettings s(fixture, QSettings::IniFormat), t(again, QSettings::IniFormat);
                b.readDataSet(s);
                b.writeDataSet(t);
            }
            // Every row and every part shows what was written.
            QCOMPARE(state(b), QStringLiteral("42/2 4000 Default* 2.50000 -0.12500 True False %1 /tmp/some dir/file.txt "
                                              "#ff8000 255 128 0 Red 255 0 0 DejaVu Sans [11] 11 True True True False "
                                              "3,-4 3 -4 640,480 640 480 10,20,300,200 10 20 300 200 0.5 : 2 0.50000 "
                                              "2.00000 Two").arg(title));
            // Written again, the set has the same keys and values; fonts are
            // described in the form of the Qt at hand.
            QSettings before(fixture, QSettings::IniFormat), after(again, QSettings::IniFormat);
            QCOMPARE(after.allKeys(), before.allKeys());
            for (const QString& key : before.allKeys()) {
                if (!key.endsWith(QLatin1String("/body")))
                    QCOMPARE(after.value(key).toString(), tarvoSettingsValue(before, key).toString());
            }
        }
    }

    void variantEquality()
    {
        struct Case { const char* name; QVariant a, b; bool equal; };
        const Case cases[] = {
            // Numbers by value across types, reals within qFuzzyCompare().
            {"int uint", 8, 8u, true}, {"uint qlonglong", 8u, qlonglong(8), true}, {"uint qulonglong", 8u, qulonglong(9), false},
            {"int qlonglong", -8, qlonglong(-8), true}, {"negative unsigned", -1, 4294967295u, false}, {"int real", 2, 2.0, true},
            {"real fuzzy", 1.234567890124, 1.234567890123, true}, {"int real fuzzy", 1, 1.0 + 1e-13, true},
            {"real apart", 1.0, 1.0 + 1e-9, false}, {"zero tiny", 0.0, 1e-300, false}, {"zeros", 0.0, -0.0, true},
            {"nan", qQNaN(), qQNaN(), false}, {"infinity", qInf(), qInf(), true}, {"bool int", true, 1, true},
            {"bool two", true, 2, false},
            // A text on the left: the number's text; a number on the left:
            // the text's number, compared exactly.
            {"text uint", "8", 8u, true}, {"uint text", 8u, "8", true}, {"canonical real", "2.50000", 2.5, false},
            {"real canonical", 2.5, "2.50000", true}, {"blank text int", " 12", 12, false}, {"int blank text", 12, " 12", true},
            {"real text exact", 1.234567890124, "1.234567890123", false}, {"exponent text", "1e3", 1000.0, false},
            {"real exponent", 1000.0, "1e3", true}, {"int real text", 1, "1.0", false}, {"word zero", "abc", 0, false},
            {"zero word", 0, "abc", false}, {"bool text", true, "true", true}, {"text bool", "true", true, true},
            // Other types by conversion, then by their own equality.
            {"color name", QColor(Qt::red), "#ff0000", true}, {"name color", "red", QColor(Qt::red), false},
            {"sizes", QSize(1, 2), QSize(1, 2), true}, {"null text zero", QString(), 0, false},
            {"zero null text", 0, QString(), false}, {"empty null text", "", QString(), true},
            {"invalid zero", QVariant(), 0, false}, {"invalid text", QVariant(), QString(), false},
            {"invalids", QVariant(), QVariant(), true}};
        for (const Case& c : cases)
            QVERIFY2(tarvoVariantsEqual(c.a, c.b) == c.equal, c.name);
    }
};

QTEST_MAIN(tst_Items)
#include "tst_items.moc"
