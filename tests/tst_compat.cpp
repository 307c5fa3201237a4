// What must not depend on the Qt version the library is built with: value
// sets written to settings by a Qt 5 and by a Qt 6 build read back in every
// build, font descriptions of both Qt versions are read, and variants
// compare alike.
#include "tbasevalue.h"
#include "tboolvalue.h"
#include "tcolorvalue.h"
#include "tdoublevalue.h"
#include "tfontvalue.h"
#include "tintegervalue.h"
#include "titemlist.h"
#include "tlistvalue.h"
#include "tpathvalue.h"
#include "tpointvalue.h"
#include "trangevalue.h"
#include "trectvalue.h"
#include "tsizevalue.h"
#include "ttextvalue.h"
#include "tvaluebrowser.h"
#include "tvariant_p.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtMath>
#include <QtTest>

namespace {

enum Kind { Int, UInt, Real, Bool, Text, Path, Color, Font, Point, Size, Rect, Range, List };

// A row of the fixture: key, kind, value written, text shown, and the
// caller's variable before reading.
struct Spec
{
    QString key;
    Kind kind;
    QVariant value;
    QString shown;
    QVariant variable;
};

QFont bodyFont()
{
    QFont f(QStringLiteral("DejaVu Sans"), 11, QFont::Bold, true);
    f.setUnderline(true);
    return f;
}

QVector<Spec> specs()
{
    const QString title = QString::fromUtf8("Gr\xc3\xbc\xc3\x9f" "e, \"alle\"; a=b [1]");
    const QString file = QStringLiteral("/tmp/some dir/file.txt");
    // A value of no kind stands for the special value "Default".
    return {{"Numbers/count", Int, 42, "42", 0}, {"Numbers/total", UInt, 4000u, "4000", 0u},
            {"Numbers/limit", Int, QVariant(), "Default", 0}, {"Numbers/ratio", Real, 2.5, "2.50000", 0.0},
            {"Numbers/offset", Real, -0.125, "-0.12500", 0.0}, {"Looks/visible", Bool, true, "True", false},
            {"Looks/hidden", Bool, false, "False", true}, {"Looks/title", Text, title, title, QString()},
            {"Looks/folder", Path, file, file, QString()}, {"Looks/accent", Color, QColor(255, 128, 0), "#ff8000", QColor()},
            {"Looks/marker", Color, QColor(Qt::red), "Red", QColor()},
            {"Looks/body", Font, bodyFont(), "DejaVu Sans [11]", QFont()},
            {"Geometry/origin", Point, QPoint(3, -4), "3,-4", QPoint()},
            {"Geometry/extent", Size, QSize(640, 480), "640,480", QSize()},
            {"Geometry/frame", Rect, QRect(10, 20, 300, 200), "10,20,300,200", QRect()},
            {"Geometry/span", Range, QPointF(0.5, 2.0), "0.5 : 2", QPoint()},
            {"Geometry/mode", List, 2, "Two", 0}};
}

// The attributes a font value keeps, in one comparable text.
QString keptParts(const QFont& f)
{
    return QStringLiteral("%1 %2pt bold %3 italic %4 underline %5 strike out %6")
        .arg(f.family()).arg(f.pointSize()).arg(f.weight() > QFont::Normal).arg(f.style() != QFont::StyleNormal)
        .arg(f.underline()).arg(f.strikeOut());
}

// A browser with a row of each kind in three sections, bound to variables.
struct Form
{
    Form() : table(specs())
    {
        b.setSpecialList(&TValueBrowser::s_specialList, false);
        for (int i = 1; i <= 3; ++i)
            modes.setItem(QVariant(i), QStringList{"One", "Two", "Three"}.at(i - 1));
        QString section;
        for (Spec& s : table) {
            const QString key = s.key.section('/', 1), group = s.key.section('/', 0, 0);
            if (group != section)
                b.addGroup(section = group, group);
            rows << add(s.kind, key, s.variable.data());
        }
        rows.first()->addCheckProperty(QStringLiteral("countOn"), &countOn, LT_Bool);
    }
    TBaseValue* add(Kind kind, const QString& key, void* v)
    {
        switch (kind) {
        case Int: return b.addInt(0, key, {}, key, v, LT_Int);
        case UInt: return b.addInt(0, key, {}, key, v, LT_UInt);
        case Real: return b.addReal(0, key, {}, key, v, LT_Double);
        case Bool: return b.addBool(0, key, {}, key, v);
        case Text: return b.addText(0, key, {}, key, v);
        case Path: return b.addPath(0, key, {}, key, v);
        case Color: return b.addColor(0, key, {}, key, v);
        case Font: return b.addFont(0, key, {}, key, v);
        case Point: return b.addPoint(0, key, {}, key, v);
        case Size: return b.addSize(0, key, {}, key, v);
        case Rect: return b.addRect(0, key, {}, key, v);
        case Range: return b.addRange(0, key, {}, key, v);
        case List: break;
        }
        return b.addList(0, key, {}, key, v, LT_Int, &modes);
    }
    TValueBrowser b;
    TItemList modes{false};
    QVector<Spec> table;
    QList<TBaseValue*> rows;
    bool countOn = false;
};

} // namespace

class TestCompat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Writes the fixture when TARVO_WRITE_SETTINGS_FIXTURE names a file; the
    // fixtures were made so, qt5-settings.ini by a Qt 5 and qt6-settings.ini
    // by a Qt 6 build, and are kept with the tests.
    void writeFixture()
    {
        const QString target = qEnvironmentVariable("TARVO_WRITE_SETTINGS_FIXTURE");
        if (target.isEmpty())
            QSKIP("set TARVO_WRITE_SETTINGS_FIXTURE to write the settings fixture");
        QFile::remove(target);
        Form f;
        for (int i = 0; i < f.rows.size(); ++i)
            QVERIFY(f.table[i].value.isValid() ? f.rows[i]->setValue(f.table[i].value) : (f.rows[i]->setSpecial(SV_Default), true));
        f.rows.first()->setChecked(Qt::Checked);
        QSettings s(target, QSettings::IniFormat);
        f.b.writeDataSet(s);
        s.sync();
        QCOMPARE(s.status(), QSettings::NoError);
    }

    void readSettings_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::newRow("Qt 5") << QStringLiteral(TARVO_TEST_DATA_DIR "/qt5-settings.ini");
        QTest::newRow("Qt 6") << QStringLiteral(TARVO_TEST_DATA_DIR "/qt6-settings.ini");
    }

    void readSettings()
    {
        QFETCH(QString, fixture);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        QVERIFY(QFile::copy(fixture, path)); // the fixture stays as it was written
        Form f;
        {
            QSettings s(path, QSettings::IniFormat);
            QCOMPARE(s.status(), QSettings::NoError);
            f.b.readDataSet(s);
        }
        // Every row shows what was written, and the values reach the
        // caller's variables as they would have in the build that wrote them.
        f.b.updateLinked();
        QVERIFY(f.countOn && f.rows.first()->checkState(0) == Qt::Checked);
        QVERIFY(f.rows[2]->value().kind == SK_Special && f.rows[10]->value().kind == SK_ListItem);
        for (int i = 0; i < f.rows.size(); ++i) {
            const Spec& s = f.table[i];
            QCOMPARE(f.rows[i]->text(1), s.shown);
            if (s.kind == Font)
                QCOMPARE(keptParts(qvariant_cast<QFont>(s.variable)), keptParts(bodyFont()));
            else if (s.value.userType() == s.variable.userType())
                QCOMPARE(s.variable, s.value);
        }
        // Written again, the set has the same keys and values; fonts are
        // described in the form of the Qt at hand.
        const QString again = dir.filePath(QStringLiteral("again.ini"));
        {
            QSettings s(again, QSettings::IniFormat);
            f.b.writeDataSet(s);
        }
        QSettings before(fixture, QSettings::IniFormat), after(again, QSettings::IniFormat);
        QCOMPARE(after.allKeys(), before.allKeys());
        for (const QString& key : before.allKeys()) {
            if (!key.endsWith(QLatin1String("/body")))
                QCOMPARE(after.value(key).toString(), tarvoSettingsValue(before, key).toString());
        }
    }

    void fontDescriptions_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("parts");
        const QString boldItalic = QStringLiteral("DejaVu Sans 11pt bold 1 italic 1 underline 1 strike out 0");
        const QString plain = QStringLiteral("DejaVu Sans 9pt bold 0 italic 0 underline 0 strike out 1");
        QTest::newRow("Qt 5") << "DejaVu Sans,11,-1,5,75,1,1,0,0,0" << boldItalic;
        QTest::newRow("Qt 5 with style name") << "DejaVu Sans,11,-1,5,75,1,1,0,0,0,Bold Oblique" << boldItalic;
        QTest::newRow("Qt 6") << "DejaVu Sans,11,-1,5,700,1,1,0,0,0,0,0,0,0,0,1" << boldItalic;
        QTest::newRow("Qt 6 with style name") << "DejaVu Sans,11,-1,5,700,1,1,0,0,0,0,0,0,0,0,1,Bold Oblique" << boldItalic;
        QTest::newRow("nine fields") << "DejaVu Sans,11,5,75,1,1,0,0,0" << boldItalic;
        QTest::newRow("Qt 5 plain") << "DejaVu Sans,9,-1,5,50,0,0,1,0,0" << plain;
        QTest::newRow("Qt 6 plain") << "DejaVu Sans,9,-1,5,400,0,0,1,0,0,0,0,0,0,0,1" << plain;
        QTest::newRow("short") << "DejaVu Sans,9" << "DejaVu Sans 9pt bold 0 italic 0 underline 0 strike out 0";
    }

    void fontDescriptions()
    {
        QFETCH(QString, description);
        QFETCH(QString, parts);
        TValueBrowser b;
        auto* row = new TFontValue(&b, QStringLiteral("Font"), nullptr);
        QVERIFY(row->setValue(QVariant(description)));
        QCOMPARE(keptParts(row->font()), parts);
        QCOMPARE(keptParts(TFontValue::fontFromVariant(QVariant(description))), parts);
        // The font's own description reads back as the same font.
        QVERIFY(!row->valueChanged(QVariant(row->font().toString()), QVariant(row->font())));
    }

    void variantEquality_data()
    {
        QTest::addColumn<QVariant>("a");
        QTest::addColumn<QVariant>("b");
        QTest::addColumn<bool>("equal");
        const auto add = [](const char* name, const QVariant& a, const QVariant& b, bool equal) {
            QTest::newRow(name) << a << b << equal;
        };
        // Numbers by value across types, reals within qFuzzyCompare().
        add("int uint", 8, 8u, true);
        add("uint qlonglong", 8u, qlonglong(8), true);
        add("uint qulonglong", 8u, qulonglong(9), false);
        add("int qlonglong", -8, qlonglong(-8), true);
        add("negative unsigned", -1, 4294967295u, false);
        add("int real", 2, 2.0, true);
        add("real fuzzy", 1.234567890124, 1.234567890123, true);
        add("int real fuzzy", 1, 1.0 + 1e-13, true);
        add("real apart", 1.0, 1.0 + 1e-9, false);
        add("zero tiny", 0.0, 1e-300, false);
        add("zeros", 0.0, -0.0, true);
        add("nan", qQNaN(), qQNaN(), false);
        add("infinity", qInf(), qInf(), true);
        add("bool int", true, 1, true);
        add("bool two", true, 2, false);
        // A text on the left: the number's text; a number on the left: the
        // text's number, compared exactly.
        add("text uint", "8", 8u, true);
        add("uint text", 8u, "8", true);
        add("canonical real", "2.50000", 2.5, false);
        add("real canonical", 2.5, "2.50000", true);
        add("blank text int", " 12", 12, false);
        add("int blank text", 12, " 12", true);
        add("real text exact", 1.234567890124, "1.234567890123", false);
        add("exponent text", "1e3", 1000.0, false);
        add("real exponent", 1000.0, "1e3", true);
        add("int real text", 1, "1.0", false);
        add("word zero", "abc", 0, false);
        add("zero word", 0, "abc", false);
        add("bool text", true, "true", true);
        add("text bool", "true", true, true);
        // Other types by conversion, then by their own equality.
        add("color name", QColor(Qt::red), "#ff0000", true);
        add("name color", "red", QColor(Qt::red), false);
        add("sizes", QSize(1, 2), QSize(1, 2), true);
        add("null text zero", QString(), 0, false);
        add("zero null text", 0, QString(), false);
        add("empty null text", "", QString(), true);
        add("invalid zero", QVariant(), 0, false);
        add("invalid text", QVariant(), QString(), false);
        add("invalids", QVariant(), QVariant(), true);
    }

    void variantEquality()
    {
        QFETCH(QVariant, a);
        QFETCH(QVariant, b);
        QFETCH(bool, equal);
        QCOMPARE(tarvoVariantsEqual(a, b), equal);
    }
};

QTEST_MAIN(TestCompat)
#include "tst_compat.moc"
