// What must not depend on the Qt version the library is built with: value
// sets written to settings by a Qt 5 and by a Qt 6 build read back in every
// build, font
// descriptions of both Qt versions are read, and variants compare alike.
#include "tbasegroup.h"
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

#include <QColor>
#include <QFile>
#include <QFont>
#include <QSettings>
#include <QSize>
#include <QTemporaryDir>
#include <QtMath>
#include <QtTest>

namespace {

// A settings file written by a Qt 5 or Qt 6 build (see writeFixture()).
QString fixturePath(const char* name)
{
    return QStringLiteral(TARVO_TEST_DATA_DIR "/") + QLatin1String(name);
}

// The caller variables bound to the rows.
struct Variables
{
    int count = 0;
    unsigned int total = 0;
    int limit = 0;
    double ratio = 0.0;
    double offset = 0.0;
    bool visible = false;
    bool hidden = true;
    bool countOn = false;
    QString title;
    QString folder;
    QColor accent;
    QColor marker;
    QFont body;
    QPoint origin;
    QSize extent;
    QRect frame;
    QPoint span;
    int mode = 0;
};

// A row of every value type, in three sections.
struct Rows
{
    Rows(TValueBrowser& b, Variables& v)
    {
        b.setSpecialList(&TValueBrowser::s_specialList, false);
        b.addGroup(QStringLiteral("Numbers"), QStringLiteral("Numbers"));
        count = b.addInt(0, QStringLiteral("Count"), QString(), QStringLiteral("count"), &v.count, LT_Int);
        count->addCheckProperty(QStringLiteral("countOn"), &v.countOn, LT_Bool);
        total = b.addInt(0, QStringLiteral("Total"), QString(), QStringLiteral("total"), &v.total, LT_UInt);
        limit = b.addInt(0, QStringLiteral("Limit"), QString(), QStringLiteral("limit"), &v.limit, LT_Int);
        ratio = b.addReal(0, QStringLiteral("Ratio"), QString(), QStringLiteral("ratio"), &v.ratio, LT_Double);
        offset = b.addReal(0, QStringLiteral("Offset"), QString(), QStringLiteral("offset"), &v.offset,
                           LT_Double);

        b.addGroup(QStringLiteral("Looks"), QStringLiteral("Looks"));
        visible = b.addBool(0, QStringLiteral("Visible"), QString(), QStringLiteral("visible"), &v.visible);
        hidden = b.addBool(0, QStringLiteral("Hidden"), QString(), QStringLiteral("hidden"), &v.hidden);
        title = b.addText(0, QStringLiteral("Title"), QString(), QStringLiteral("title"), &v.title);
        folder = b.addPath(0, QStringLiteral("Folder"), QString(), QStringLiteral("folder"), &v.folder);
        accent = b.addColor(0, QStringLiteral("Accent"), QString(), QStringLiteral("accent"), &v.accent);
        marker = b.addColor(0, QStringLiteral("Marker"), QString(), QStringLiteral("marker"), &v.marker);
        body = b.addFont(0, QStringLiteral("Body"), QString(), QStringLiteral("body"), &v.body);

        b.addGroup(QStringLiteral("Geometry"), QStringLiteral("Geometry"));
        origin = b.addPoint(0, QStringLiteral("Origin"), QString(), QStringLiteral("origin"), &v.origin);
        extent = b.addSize(0, QStringLiteral("Extent"), QString(), QStringLiteral("extent"), &v.extent);
        frame = b.addRect(0, QStringLiteral("Frame"), QString(), QStringLiteral("frame"), &v.frame);
        span = b.addRange(0, QStringLiteral("Span"), QString(), QStringLiteral("span"), &v.span);
        modes.setItem(QVariant(1), QStringLiteral("One"));
        modes.setItem(QVariant(2), QStringLiteral("Two"));
        modes.setItem(QVariant(3), QStringLiteral("Three"));
        mode = b.addList(0, QStringLiteral("Mode"), QString(), QStringLiteral("mode"), &v.mode, LT_Int, &modes);
    }

    TItemList modes{false};
    TIntegerValue* count = nullptr;
    TIntegerValue* total = nullptr;
    TIntegerValue* limit = nullptr;
    TDoubleValue* ratio = nullptr;
    TDoubleValue* offset = nullptr;
    TBoolValue* visible = nullptr;
    TBoolValue* hidden = nullptr;
    TTextValue* title = nullptr;
    TPathValue* folder = nullptr;
    TColorValue* accent = nullptr;
    TColorValue* marker = nullptr;
    TFontValue* body = nullptr;
    TPointValue* origin = nullptr;
    TSizeValue* extent = nullptr;
    TRectValue* frame = nullptr;
    TRangeValue* span = nullptr;
    TListValue* mode = nullptr;
};

const char* const kTitle = "Gr\xc3\xbc\xc3\x9f" "e, \"alle\"; a=b [1]";

QFont bodyFont()
{
    QFont f(QStringLiteral("DejaVu Sans"), 11, QFont::Bold, true);
    f.setUnderline(true);
    return f;
}

// The attributes a font value keeps, in one comparable text.
QString keptParts(const QFont& f)
{
    return QStringLiteral("%1 %2pt bold %3 italic %4 underline %5 strike out %6")
        .arg(f.family())
        .arg(f.pointSize())
        .arg(f.weight() > QFont::Normal)
        .arg(f.style() != QFont::StyleNormal)
        .arg(f.underline())
        .arg(f.strikeOut());
}

} // namespace

class TestCompat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writeFixture();
    void readSettings_data();
    void readSettings();
    void fontDescriptions_data();
    void fontDescriptions();
    void variantEquality_data();
    void variantEquality();
};

// Writes the fixture when TARVO_WRITE_SETTINGS_FIXTURE names a file; the
// fixtures were made so, qt5-settings.ini by a Qt 5 and qt6-settings.ini by a
// Qt 6 build, and are kept with the tests.
void TestCompat::writeFixture()
{
    const QString target = qEnvironmentVariable("TARVO_WRITE_SETTINGS_FIXTURE");
    if (target.isEmpty())
        QSKIP("set TARVO_WRITE_SETTINGS_FIXTURE to write the settings fixture");
    QFile::remove(target);

    TValueBrowser b;
    Variables v;
    Rows rows(b, v);
    QVERIFY(rows.count->setValue(42));
    rows.count->setChecked(Qt::Checked);
    QVERIFY(rows.total->setValue(4000));
    rows.limit->setSpecial(SV_Default);
    QVERIFY(rows.ratio->setValue(2.5));
    QVERIFY(rows.offset->setValue(-0.125));
    QVERIFY(rows.visible->setValue(true));
    QVERIFY(rows.hidden->setValue(false));
    QVERIFY(rows.title->setValue(QString::fromUtf8(kTitle)));
    QVERIFY(rows.folder->setValue(QStringLiteral("/tmp/some dir/file.txt")));
    QVERIFY(rows.accent->setValue(QColor(255, 128, 0)));
    QVERIFY(rows.marker->setValue(QColor(Qt::red)));
    QVERIFY(rows.body->setValue(bodyFont()));
    QVERIFY(rows.origin->setValue(QPoint(3, -4)));
    QVERIFY(rows.extent->setValue(QSize(640, 480)));
    QVERIFY(rows.frame->setValue(QRect(10, 20, 300, 200)));
    QVERIFY(rows.span->setValue(QPointF(0.5, 2.0)));
    QVERIFY(rows.mode->setValue(2));

    QSettings s(target, QSettings::IniFormat);
    b.writeDataSet(s);
    s.sync();
    QCOMPARE(s.status(), QSettings::NoError);
}

void TestCompat::readSettings_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::newRow("Qt 5") << fixturePath("qt5-settings.ini");
    QTest::newRow("Qt 6") << fixturePath("qt6-settings.ini");
}

void TestCompat::readSettings()
{
    QFETCH(QString, fixture);
    QVERIFY2(QFile::exists(fixture), qPrintable(fixture));
    // Read from a copy: the fixture stays as it was written.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    QVERIFY(QFile::copy(fixture, path));

    TValueBrowser b;
    Variables v;
    Rows rows(b, v);
    {
        QSettings s(path, QSettings::IniFormat);
        QCOMPARE(s.status(), QSettings::NoError);
        b.readDataSet(s);
    }

    // Every row shows what the Qt 5 build wrote.
    const QStringList shown{"Numbers", "42", "4000", "Default", "2.50000", "-0.12500", "Looks", "True", "False",
                            QString::fromUtf8(kTitle), "/tmp/some dir/file.txt", "#ff8000", "Red",
                            "DejaVu Sans [11]", "Geometry", "3,-4", "640,480", "10,20,300,200", "0.5 : 2", "Two"};
    QStringList texts;
    for (int i = 0; i < b.topLevelItemCount(); ++i)
        texts << (b.topLevelItem(i)->text(1).isEmpty() ? b.topLevelItem(i)->text(0) : b.topLevelItem(i)->text(1));
    QCOMPARE(texts, shown);
    QVERIFY(rows.limit->value().kind == SK_Special && rows.marker->value().kind == SK_ListItem);
    QCOMPARE(rows.count->checked(), Qt::Checked);
    QCOMPARE(keptParts(rows.body->font()), keptParts(bodyFont()));

    // The values reach the caller's variables as they would have in the build
    // that wrote them.
    b.updateLinked();
    QVERIFY(v.count == 42 && v.countOn && v.total == 4000u && v.ratio == 2.5 && v.offset == -0.125);
    QVERIFY(v.visible && !v.hidden && v.title == QString::fromUtf8(kTitle) && v.mode == 2);
    QVERIFY(v.accent == QColor(255, 128, 0) && v.marker == QColor(Qt::red) && v.frame == QRect(10, 20, 300, 200));
    QCOMPARE(keptParts(v.body), keptParts(bodyFont()));

    // Written again, the set has the same keys.
    const QString again = dir.filePath(QStringLiteral("again.ini"));
    {
        QSettings s(again, QSettings::IniFormat);
        b.writeDataSet(s);
    }
    QSettings before(fixture, QSettings::IniFormat);
    QSettings after(again, QSettings::IniFormat);
    QCOMPARE(after.allKeys(), before.allKeys());
    for (const QString& key : before.allKeys()) {
        // Fonts are described in the form of the Qt at hand.
        if (key.endsWith(QLatin1String("/body")))
            continue;
        QCOMPARE(after.value(key).toString(), tarvoSettingsValue(before, key).toString());
    }
}

void TestCompat::fontDescriptions_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("parts");
    const QString boldItalic = QStringLiteral("DejaVu Sans 11pt bold 1 italic 1 underline 1 strike out 0");
    const QString plain = QStringLiteral("DejaVu Sans 9pt bold 0 italic 0 underline 0 strike out 1");
    QTest::newRow("Qt 5") << QStringLiteral("DejaVu Sans,11,-1,5,75,1,1,0,0,0") << boldItalic;
    QTest::newRow("Qt 5 with style name") << QStringLiteral("DejaVu Sans,11,-1,5,75,1,1,0,0,0,Bold Oblique")
                                          << boldItalic;
    QTest::newRow("Qt 6") << QStringLiteral("DejaVu Sans,11,-1,5,700,1,1,0,0,0,0,0,0,0,0,1") << boldItalic;
    QTest::newRow("Qt 6 with style name")
        << QStringLiteral("DejaVu Sans,11,-1,5,700,1,1,0,0,0,0,0,0,0,0,1,Bold Oblique") << boldItalic;
    QTest::newRow("nine fields") << QStringLiteral("DejaVu Sans,11,5,75,1,1,0,0,0") << boldItalic;
    QTest::newRow("Qt 5 plain") << QStringLiteral("DejaVu Sans,9,-1,5,50,0,0,1,0,0") << plain;
    QTest::newRow("Qt 6 plain") << QStringLiteral("DejaVu Sans,9,-1,5,400,0,0,1,0,0,0,0,0,0,0,1") << plain;
    QTest::newRow("short") << QStringLiteral("DejaVu Sans,9") << QStringLiteral(
        "DejaVu Sans 9pt bold 0 italic 0 underline 0 strike out 0");
}

void TestCompat::fontDescriptions()
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

void TestCompat::variantEquality_data()
{
    QTest::addColumn<QVariant>("a");
    QTest::addColumn<QVariant>("b");
    QTest::addColumn<bool>("equal");
    // Numbers by value across types, reals within qFuzzyCompare().
    QTest::newRow("int uint") << QVariant(8) << QVariant(8u) << true;
    QTest::newRow("uint qlonglong") << QVariant(8u) << QVariant(qlonglong(8)) << true;
    QTest::newRow("negative unsigned") << QVariant(-1) << QVariant(4294967295u) << false;
    QTest::newRow("int real") << QVariant(2) << QVariant(2.0) << true;
    QTest::newRow("real fuzzy") << QVariant(1.234567890124) << QVariant(1.234567890123) << true;
    QTest::newRow("int real fuzzy") << QVariant(1) << QVariant(1.0 + 1e-13) << true;
    QTest::newRow("real apart") << QVariant(1.0) << QVariant(1.0 + 1e-9) << false;
    QTest::newRow("zero tiny") << QVariant(0.0) << QVariant(1e-300) << false;
    QTest::newRow("zeros") << QVariant(0.0) << QVariant(-0.0) << true;
    QTest::newRow("nan") << QVariant(qQNaN()) << QVariant(qQNaN()) << false;
    QTest::newRow("infinity") << QVariant(qInf()) << QVariant(qInf()) << true;
    QTest::newRow("bool int") << QVariant(true) << QVariant(1) << true;
    QTest::newRow("bool two") << QVariant(true) << QVariant(2) << false;
    // A text on the left: the number's text; a number on the left: the
    // text's number, compared exactly.
    QTest::newRow("text uint") << QVariant(QStringLiteral("8")) << QVariant(8u) << true;
    QTest::newRow("uint text") << QVariant(8u) << QVariant(QStringLiteral("8")) << true;
    QTest::newRow("canonical real") << QVariant(QStringLiteral("2.50000")) << QVariant(2.5) << false;
    QTest::newRow("real canonical") << QVariant(2.5) << QVariant(QStringLiteral("2.50000")) << true;
    QTest::newRow("canonical int") << QVariant(QStringLiteral("12")) << QVariant(12) << true;
    QTest::newRow("blank text int") << QVariant(QStringLiteral(" 12")) << QVariant(12) << false;
    QTest::newRow("int blank text") << QVariant(12) << QVariant(QStringLiteral(" 12")) << true;
    QTest::newRow("real text exact") << QVariant(1.234567890124) << QVariant(QStringLiteral("1.234567890123"))
                                     << false;
    QTest::newRow("exponent text") << QVariant(QStringLiteral("1e3")) << QVariant(1000.0) << false;
    QTest::newRow("real exponent") << QVariant(1000.0) << QVariant(QStringLiteral("1e3")) << true;
    QTest::newRow("int real text") << QVariant(1) << QVariant(QStringLiteral("1.0")) << false;
    QTest::newRow("word zero") << QVariant(QStringLiteral("abc")) << QVariant(0) << false;
    QTest::newRow("zero word") << QVariant(0) << QVariant(QStringLiteral("abc")) << false;
    QTest::newRow("bool text") << QVariant(true) << QVariant(QStringLiteral("true")) << true;
    QTest::newRow("text bool") << QVariant(QStringLiteral("true")) << QVariant(true) << true;
    // Other types by conversion, then by their own equality.
    QTest::newRow("color name") << QVariant(QColor(Qt::red)) << QVariant(QStringLiteral("#ff0000")) << true;
    QTest::newRow("name color") << QVariant(QStringLiteral("red")) << QVariant(QColor(Qt::red)) << false;
    QTest::newRow("sizes") << QVariant(QSize(1, 2)) << QVariant(QSize(1, 2)) << true;
    QTest::newRow("null text zero") << QVariant(QString()) << QVariant(0) << false;
    QTest::newRow("zero null text") << QVariant(0) << QVariant(QString()) << false;
    QTest::newRow("empty null text") << QVariant(QStringLiteral("")) << QVariant(QString()) << true;
    QTest::newRow("invalid zero") << QVariant() << QVariant(0) << false;
    QTest::newRow("invalid text") << QVariant() << QVariant(QString()) << false;
    QTest::newRow("invalids") << QVariant() << QVariant() << true;
}

void TestCompat::variantEquality()
{
    QFETCH(QVariant, a);
    QFETCH(QVariant, b);
    QFETCH(bool, equal);
    QCOMPARE(tarvoVariantsEqual(a, b), equal);
}

QTEST_MAIN(TestCompat)
#include "tst_compat.moc"
