#include "tarvotest.h"

#include <QFontComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolTip>

#include "tboolvalue.h"
#include "tfontvalue.h"

using namespace tt;

namespace {

// Gives the tests a look at the hidden painting combo box.
struct PeekFontList : TFontList
{
    static QFontComboBox* fakeCombo() { return m_fakeCombo; }
};

TFontList courierList()
{
    TFontList list;
    list.setItem(QVariant(QStringLiteral("Courier")));
    list.setItem(QVariant(QStringLiteral("Courier New")));
    return list;
}

// The font families of the system; the font database is static in Qt 6.
QStringList systemFamilies()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QFontDatabase::families();
#else
    return QFontDatabase().families();
#endif
}

QFont styled(const QString& family, int size, int weight, bool italic, bool underline, bool strikeOut)
{
    QFont f(family, size, weight, italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeOut);
    return f;
}

// The attributes a font value keeps, in one comparable text.
QString keptParts(const QFont& f)
{
    return QStringLiteral("%1 %2pt w%3 i%4 u%5 s%6")
        .arg(f.family()).arg(f.pointSize()).arg(f.weight())
        .arg(f.italic()).arg(f.underline()).arg(f.strikeOut());
}

// Collects every message while it lives.
QStringList* s_messages = nullptr;
void collectMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    if (s_messages)
        s_messages->append(text);
}
struct MessageCatcher
{
    MessageCatcher() { s_messages = &messages; previous = qInstallMessageHandler(collectMessage); }
    ~MessageCatcher() { qInstallMessageHandler(previous); s_messages = nullptr; }
    QStringList messages;
    QtMessageHandler previous;
};

} // namespace

class TestFontValue : public QObject
{
    Q_OBJECT

private slots:
    void fontLists();
    void setValue_data();
    void setValue();
    void descriptionsWithoutComplaints();
    void valueChanged_data();
    void valueChanged();
    void iconAndToolTipFont();
    void children();
    void factoryAndEditor();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void fontDialog_data();
    void fontDialog();
};

void TestFontValue::fontLists()
{
    // The library's statics were built before the application object.
    QCOMPARE(TFontValue::defaultFont().family(), QFont().family());
    TFontValue::setDefaultFont(QStringLiteral("Tarvo Default"));
    TValueBrowser b;
    QCOMPARE((new TFontValue(&b, QStringLiteral("Font"), nullptr))->font().family(), QStringLiteral("Tarvo Default"));
    TFontValue::setDefaultFont(QString());
    QCOMPARE(TFontValue::defaultFont().family(), QFont().family());

    const QList<int> sizes = QFontDatabase::standardSizes();
    TItemList& sizeList = TFontList::defaultFontSizeList();
    QCOMPARE(TFontList::defaultFontSizeList().size(), sizes.size());
    QCOMPARE(sizeList.last()->text, QStringLiteral("72"));
    for (int i = 0; i < sizes.size(); ++i)
        QCOMPARE(sizeList.at(i)->value, QVariant(sizes.at(i)));

    const QStringList families = systemFamilies();
    const QString family = TFontValue::defaultFont().family();
    const bool listed = families.contains(family);
    TFontList& full = TFontList::fullFontList();
    QCOMPARE(TFontList::fullFontList().size(), families.size() + (listed ? 0 : 1));
    for (int i = 0; i < families.size(); ++i) {
        QCOMPARE(full.at(i)->value, QVariant(families.at(i)));
        QCOMPARE(full.at(i)->text, families.at(i));
        QVERIFY(!full.at(i)->icon);
    }
    if (!listed)
        QCOMPARE(full.last()->text, family);

    // Copies have entries of their own: the source keeps its entries when
    // a copy goes, a copy keeps its own when the source goes.
    {
        TFontList copy(full);
        QCOMPARE(copy.size(), full.size());
        QVERIFY(copy.first() != full.first());
    }
    QCOMPARE(full.first()->text, families.value(0, family));
    auto* source = new TFontList(courierList());
    TFontList assigned;
    assigned = *source;
    delete source;
    QCOMPARE(assigned.at(1)->text, QStringLiteral("Courier New"));

    // Entries are families, also when made from a whole font.
    TItem* entry = assigned.setItem(QVariant(QFont(QStringLiteral("Serif"), 12)));
    QCOMPARE(entry->value, QVariant(QStringLiteral("Serif")));
    QCOMPARE(entry->text, QStringLiteral("Serif"));
    QVERIFY(assigned.compareComboItem(entry->value, QVariant(QFont(QStringLiteral("Serif"), 30))));
    QVERIFY(!assigned.compareComboItem(entry->value, QVariant(QFont(QStringLiteral("serif")))));
}

void TestFontValue::setValue_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QFont>("font");
    const QFont start = styled(QStringLiteral("Serif"), 17, QFont::Bold, true, true, false);
    const auto typed = [&start](const char* family) {
        QFont f(start);
        f.setFamily(QString::fromLatin1(family));
        return f;
    };
    QTest::newRow("prefix of the first") << QVariant("Cour") << true << typed("Courier");
    QTest::newRow("prefix of the second") << QVariant("Courier N") << true << typed("Courier New");
    QTest::newRow("exact second") << QVariant("Courier New") << true << typed("Courier New");
    QTest::newRow("no entry") << QVariant("Times") << true << typed("Times");
    QTest::newRow("case-sensitive") << QVariant("cour") << true << typed("cour");
    // A whole font is no abbreviation.
    QTest::newRow("font") << QVariant(QFont("Cour", 11)) << true << QFont("Cour", 11);
    const QFont full = styled(QStringLiteral("Cour"), 9, QFont::Bold, false, true, true);
    QTest::newRow("description") << QVariant(full.toString()) << true << full;
    QTest::newRow("short description") << QVariant("Courier New,14") << true << QFont("Courier New", 14);
    QTest::newRow("empty text") << QVariant(QString()) << false << start;
    // The description of the font must read back as the same font.
    QTest::newRow("blanks around a family") << QVariant(" Times\n") << true << typed("Times");
    QTest::newRow("only blanks") << QVariant("\n") << false << start;
    QTest::newRow("comma in a family") << QVariant("Times,Bold") << false << start;
    QTest::newRow("number") << QVariant(42) << false << start;
    QTest::newRow("invalid") << QVariant() << false << start;
    QTest::newRow("no family") << QVariant(QFont(QString(), 10)) << false << start;
}

void TestFontValue::setValue()
{
    QFETCH(QVariant, value);
    QFETCH(bool, accepted);
    QFETCH(QFont, font);
    TValueBrowser b;
    TFontList list = courierList();
    auto* row = new TFontValue(&b, QStringLiteral("Font"), &list);
    QVERIFY(row->setValue(QVariant(styled(QStringLiteral("Serif"), 17, QFont::Bold, true, true, false))));
    QCOMPARE(row->setValue(value), accepted);
    QCOMPARE(keptParts(row->font()), keptParts(font));
    QCOMPARE(row->value().kind, int(SK_ListItem));
    QVERIFY(!row->currentEntry());
    QCOMPARE(row->text(1), QStringLiteral("%1 [%2]").arg(font.family()).arg(font.pointSize()));
}

void TestFontValue::descriptionsWithoutComplaints()
{
    // Text with commas that describes no font is refused without messages
    // from the font parser: as a family it would not read back from its
    // own description.
    TValueBrowser b;
    auto* row = new TFontValue(&b, QStringLiteral("Font"), nullptr);
    const QString before = row->font().family();
    MessageCatcher catcher;
    QVERIFY(!row->setValue(QVariant(QStringLiteral("a,b,c"))));
    QCOMPARE(row->font().family(), before);
    QVERIFY(!row->valueChanged(QVariant(QStringLiteral("x,y,z")), QVariant(QStringLiteral("x,y,z"))));
    QCOMPARE(catcher.messages, QStringList());

    QFont pixels(QStringLiteral("Tarvo Sans"));
    pixels.setPixelSize(20);
    QVERIFY(row->setValue(QVariant(pixels)));
    QCOMPARE(row->valueText(), QStringLiteral("Tarvo Sans [-1]"));
}

void TestFontValue::valueChanged_data()
{
    QTest::addColumn<QFont>("a");
    QTest::addColumn<QFont>("b");
    QTest::addColumn<bool>("changed");
    const QString family = QStringLiteral("Courier");
    const QFont base(family, 10);
    QFont pixels(base);
    pixels.setPixelSize(13);
    QFont stretched(base);
    stretched.setStretch(150);
    stretched.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    QTest::newRow("same") << base << base << false;
    QTest::newRow("demibold vs bold") << QFont(family, 10, QFont::DemiBold) << QFont(family, 10, QFont::Bold) << false;
    QTest::newRow("normal vs demibold") << QFont(family, 10, QFont::Normal) << QFont(family, 10, QFont::DemiBold) << true;
    QTest::newRow("family case") << base << QFont(QStringLiteral("courier"), 10) << true;
    QTest::newRow("point size") << base << QFont(family, 11) << true;
    QTest::newRow("pixel size") << base << pixels << true;
    QTest::newRow("italic") << base << QFont(family, 10, QFont::Normal, true) << true;
    QTest::newRow("underline") << base << styled(family, 10, QFont::Normal, false, true, false) << true;
    QTest::newRow("strike out") << base << styled(family, 10, QFont::Normal, false, false, true) << true;
    QTest::newRow("stretch and spacing") << base << stretched << false;
}

void TestFontValue::valueChanged()
{
    QFETCH(QFont, a);
    QFETCH(QFont, b);
    QFETCH(bool, changed);
    TValueBrowser browser;
    auto* row = new TFontValue(&browser, QStringLiteral("Font"), nullptr);
    QCOMPARE(row->valueChanged(QVariant(a), QVariant(b)), changed);
    QCOMPARE(row->valueChanged(QVariant(a.toString()), QVariant(b)), changed);
}

void TestFontValue::iconAndToolTipFont()
{
    const QIcon icon = TFontList::makeIcon(QFont(QStringLiteral("Courier"), 40), 100, 100);
    QCOMPARE(icon.availableSizes(), QList<QSize>() << QSize(24, 20));
    const QImage image = icon.pixmap(24, 20).toImage();
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    bool inked = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked = inked || qGray(image.pixel(x, y)) < 128;
    QVERIFY(inked);

    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList);
    auto* row = new TFontValue(&b, QStringLiteral("Font"), nullptr);
    const QFont f(QStringLiteral("Courier"), 13, QFont::Bold);
    QVERIFY(row->setValue(QVariant(f)));
    QCOMPARE(qvariant_cast<QFont>(row->data(1, ToolTipFontRole)), f);
    QVERIFY(!row->icon(1).isNull());
    QVERIFY(row->autoIconActive());
    row->setSpecial(SV_Default);
    QCOMPARE(qvariant_cast<QFont>(row->data(1, ToolTipFontRole)), QFont());
    QVERIFY(row->icon(1).isNull());
    QCOMPARE(row->font(), QFont());

    // Highlighting an entry shows the tip in its family; leaving the row
    // puts the application's tip font back.
    TFontList list = courierList();
    auto* listed = new TFontValue(&b, QStringLiteral("Listed"), &list);
    b.show();
    const QFont before(QStringLiteral("Tarvo Tip"), 9);
    QToolTip::setFont(before);
    QVariant family(QStringLiteral("Courier New"));
    list.highlightComboItem(family, 1, open(listed)->comboBox(), QPoint(10, 10));
    QCOMPARE(QToolTip::font().family(), QStringLiteral("Courier New"));
    open(row);
    QCOMPARE(QToolTip::font(), before);
}

void TestFontValue::children()
{
    TValueBrowser b;
    auto* row = new TFontValue(&b, QStringLiteral("Font"), nullptr);
    const QList<TBaseValue*> children = row->childValues();
    QCOMPARE(children.size(), 5);
    const QStringList names{"Size", "Bold", "Italic", "Underline", "Striked Out"};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(children.at(i)->text(0), names.at(i));
        QVERIFY(children.at(i)->isChildMode());
    }
    QCOMPARE(children.at(0)->list(), &TFontList::defaultFontSizeList());
    TBaseValue* size = children.at(0);
    auto* bold = static_cast<TBoolValue*>(children.at(1));
    auto* italic = static_cast<TBoolValue*>(children.at(2));
    auto* underline = static_cast<TBoolValue*>(children.at(3));
    auto* strikeOut = static_cast<TBoolValue*>(children.at(4));

    // Parent to children; that update does not come back (weight stays demibold).
    QVERIFY(row->setValue(QVariant(styled(QStringLiteral("Courier"), 14, QFont::DemiBold, true, false, true))));
    QCOMPARE(size->number(), 14);
    QVERIFY(bold->boolean() && italic->boolean() && !underline->boolean() && strikeOut->boolean());
    QCOMPARE(int(row->font().weight()), int(QFont::DemiBold));

    // Children to parent: the font is built anew from them.
    QVERIFY(strikeOut->setValue(false));
    QCOMPARE(keptParts(row->font()), keptParts(QFont(QStringLiteral("Courier"), 14, QFont::Bold, true)));
    QVERIFY(bold->setValue(false));
    QCOMPARE(int(row->font().weight()), int(QFont::Normal));
    QVERIFY(size->setValue(QVariant(13)));
    QCOMPARE(size->value().kind, int(SK_Value));
    QCOMPARE(row->text(1), QStringLiteral("Courier [13]"));

    // A child row deleted by the application leaves its part alone.
    delete italic;
    QVERIFY(!row->registeredChild(2));
    QVERIFY(underline->setValue(true));
    QCOMPARE(keptParts(row->font()), keptParts(styled(QStringLiteral("Courier"), 13, QFont::Normal, true, true, false)));
    QVERIFY(row->setValue(QVariant(QFont(QStringLiteral("Courier"), 9))));
    QCOMPARE(size->number(), 9);
}

void TestFontValue::factoryAndEditor()
{
    TValueBrowser b;
    QFont variable;
    TFontValue* full = b.addFont(0, QStringLiteral("Font"), QStringLiteral("hint"), QStringLiteral("font"), &variable);
    QVERIFY(full->list() == &TFontList::fullFontList() && full->linkType() == LT_Font && full->linked() == &variable);
    QCOMPARE(full->ItemID(), "TFontValue");
    QVERIFY(full->buttonEditor() == &TFontValue::s_FontButtonEditor);
    QVERIFY(!b.addFont(-1, QStringLiteral("Font"), QString(), QString(), nullptr));

    TFontList list = courierList();
    TFontValue* row = b.addFont(0, QStringLiteral("Own"), QString(), QString(), nullptr, &list);
    QVERIFY(row->setValue(QVariant(QFont(QStringLiteral("Courier New"), 14))));
    b.show();
    TComboBox* combo = open(row)->comboBox();
    combo->ensureFilled();
    QCOMPARE(combo->count(), 4);
    QCOMPARE(combo->itemText(3), QStringLiteral("Pick font..."));
    QVERIFY(combo->entryEditor(3) == &TFontValue::s_FontComboEditor);
    QCOMPARE(combo->currentIndex(), 1); // the current family
    // A family outside the list is shown as the value.
    QVERIFY(row->setValue(QVariant(QStringLiteral("Tarvo Serif"))));
    QCOMPARE(row->editor()->lineEdit()->text(), QStringLiteral("Tarvo Serif [14]"));

    QCOMPARE(combo->itemDelegate()->sizeHint(QStyleOptionViewItem(), combo->model()->index(0, 0)), QSize(20, 20));
    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    combo->view()->grab();
    combo->hidePopup();
    QVERIFY(PeekFontList::fakeCombo());
    QVERIFY(!PeekFontList::fakeCombo()->isVisible());
}

void TestFontValue::settingsRoundTrip_data()
{
    QTest::addColumn<int>("policy");
    QTest::newRow("current") << int(TValueBrowser::SP_Current);
    QTest::newRow("stored") << int(TValueBrowser::SP_Stored);
    QTest::newRow("linked") << int(TValueBrowser::SP_Linked);
}

void TestFontValue::settingsRoundTrip()
{
    QFETCH(int, policy);
    const auto storing = TValueBrowser::EStoringPolicy(policy);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("fonts.ini"));
    const QFont f = styled(QStringLiteral("Tarvo Mono"), 17, QFont::Bold, true, true, true);
    const QFont other(QStringLiteral("Courier"), 9);

    {
        QFont variable = storing == TValueBrowser::SP_Linked ? f : other;
        TValueBrowser b;
        b.setStoringPolicy(storing);
        TFontValue* row = b.addFont(0, QStringLiteral("Font"), QString(), QStringLiteral("font"), &variable);
        QVERIFY(row->setValue(QVariant(f)));
        b.storeSet();
        QVERIFY(row->setValue(QVariant(storing == TValueBrowser::SP_Current ? f : other)));
        QSettings settings(path, QSettings::IniFormat);
        b.writeDataSet(settings);
    }
    {
        QSettings settings(path, QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("font")), QVariant(f.toString()));
    }

    QFont variable = other;
    TValueBrowser b;
    b.setStoringPolicy(storing);
    TFontValue* row = b.addFont(0, QStringLiteral("Font"), QString(), QStringLiteral("font"), &variable);
    QVERIFY(row->setValue(QVariant(other)));
    QSettings settings(path, QSettings::IniFormat);
    b.readDataSet(settings);
    switch (storing) {
    case TValueBrowser::SP_Current:
        QCOMPARE(keptParts(row->font()), keptParts(f));
        break;
    case TValueBrowser::SP_Stored:
        QCOMPARE(keptParts(row->font()), keptParts(other));
        b.restoreSet();
        QCOMPARE(keptParts(row->font()), keptParts(f));
        QVERIFY(!row->valueChanged());
        break;
    case TValueBrowser::SP_Linked:
        QCOMPARE(keptParts(variable), keptParts(f));
        QCOMPARE(keptParts(row->font()), keptParts(other));
        break;
    }
}

void TestFontValue::fontDialog_data()
{
    QTest::addColumn<bool>("viaButton");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("special");
    QTest::addColumn<bool>("plainRow");
    QTest::newRow("entry, accepted") << false << true << false << false;
    QTest::newRow("entry, cancelled") << false << false << false << false;
    QTest::newRow("entry, special") << false << true << true << false;
    QTest::newRow("button, accepted") << true << true << false << false;
    QTest::newRow("button, cancelled") << true << false << false << false;
    QTest::newRow("button, special") << true << true << true << false;
    QTest::newRow("button on another row") << true << true << false << true;
}

void TestFontValue::fontDialog()
{
    QFETCH(bool, viaButton);
    QFETCH(bool, accept);
    QFETCH(bool, special);
    QFETCH(bool, plainRow);
    const QStringList families = systemFamilies();
    if (families.isEmpty())
        QSKIP("no fonts to pick from");

    TValueBrowser b;
    b.setSpecialList(&TValueBrowser::s_specialList);
    TFontList list;
    list.setItem(QVariant(families.first()));
    const QFont start(families.first(), 19);
    TBaseValue* row = nullptr;
    if (plainRow) {
        row = b.addValue(0, QStringLiteral("Any"), QString(), QString(), nullptr, LT_Variant);
        row->setButtonEditor(&TFontValue::s_FontButtonEditor);
        QVERIFY(row->setValue(QVariant(start.toString())));
    } else {
        row = new TFontValue(&b, QStringLiteral("Font"), &list);
        QVERIFY(row->setValue(QVariant(start)));
    }
    if (special)
        row->setSpecial(SV_Default);
    const SValue before = row->value();
    b.show();
    QSignalSpy picks(&b, &TValueBrowser::ValuePicked);
    QFont initial;
    QFont picked;
    const std::function<void(QFontDialog*)> answer = [&](QFontDialog* dialog) {
        initial = dialog->currentFont();
        dialog->setCurrentFont(QFont(families.first(), 22));
        accept ? dialog->accept() : dialog->reject();
        picked = dialog->selectedFont();
    };
    if (viaButton) {
        QVERIFY(clickDots<QFontDialog>(row, answer));
    } else {
        ModalAnswer<QFontDialog> driver(answer);
        QVERIFY(pick(row, "Pick font..."));
        QTRY_VERIFY(driver.seen());
    }
    QCOMPARE(initial.pointSize(), special ? QFont().pointSize() : 19);

    if (!accept) {
        QCOMPARE(picks.count(), 0);
        QCOMPARE(row->value().kind, before.kind);
        QCOMPARE(row->value().value, before.value);
        return;
    }
    QCOMPARE(picks.count(), 1);
    QCOMPARE(picked.family(), families.first());
    QCOMPARE(picked.pointSize(), 22);
    QCOMPARE(row->value().value.userType(), int(QMetaType::QFont));
    QCOMPARE(qvariant_cast<QFont>(row->value().value), picked);
    if (!plainRow)
        QCOMPARE(row->value().kind, int(SK_ListItem));
}

QTEST_MAIN(TestFontValue)
#include "tst_fontvalue.moc"
