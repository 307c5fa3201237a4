#include "tbasegroup.h"
#include "tbasevalue.h"
#include "tdoublevalue.h"
#include "tdroplist_p.h"
#include "tintegervalue.h"
#include "tvaluebrowser.h"
#include "tvaluevalidator.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QPointer>
#include <QStandardItemModel>
#include <QToolTip>
#include <QtTest>

namespace {

// Opens the protected event hook of the viewport to the tests.
class Browser : public TValueBrowser
{
public:
    using TValueBrowser::TValueBrowser;
    using TValueBrowser::indexFromItem;
    using TValueBrowser::viewportEvent;
};

// A row is also a QObject (its delegate part): a guard that turns null when
// the row is destroyed.
QPointer<QObject> guard(TBaseItem* item)
{
    return QPointer<QObject>(static_cast<QItemDelegate*>(item));
}

// The row argument of a recorded HintChanged; the pointer type is no
// QObject of its own, so QVariant::value() cannot take it apart.
TBaseItem* itemArg(const QVariant& v)
{
    if (v.userType() != qMetaTypeId<TBaseItem*>())
        return reinterpret_cast<TBaseItem*>(quintptr(1)); // never a real row
    return *static_cast<TBaseItem* const*>(v.constData());
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TIntegerValue* addInt(TValueBrowser& b, int level, const QString& name)
{
    return b.addInt(level, name, QString(), QString(), nullptr, LT_Int);
}

} // namespace

class tst_Browser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    // construction and settings
    void defaults();
    void widthScaleRange_data();
    void widthScaleRange();
    void firstColumnFollowsResize();

    // lookup and the level list
    void getItem();
    void setItemLevel();

    // factory
    void factoryRefusesBadInput();
    void factoryNesting();
    void factoryAfterGroup();
    void factorySetsUpRows();
    void factoryPages();

    // pages and hints
    void pagesAndVisibility();
    void switchPageSignals();
    void checkBoxReachesRow();

    // clear and several browsers
    void clearResets();
    void secondBrowserResetsDefaultPage();

    // tool tips
    void toolTips();

    // ownership and lifetime
    void deletedRowLeavesLevelList();
    void deleteRowWithChildren();
    void deleteCurrentRow();
    void destroyBrowserWithRows();
};

void tst_Browser::cleanup()
{
    QToolTip::hideText();
    flushDeletes();
}

void tst_Browser::defaults()
{
    TValueBrowser b;
    QCOMPARE(b.itemDefHeight(), 18u);
    QCOMPARE(b.widthScale(), 66u);
    QCOMPARE(b.page(), 0);
    QVERIFY(!b.specialList());
    QVERIFY(b.changeInfo());
    QCOMPARE(b.storingPolicy(), TValueBrowser::SP_Current);
    QVERIFY(b.revertIcon().isNull());
    QVERIFY(b.checkEditor());
    QCOMPARE(b.columnCount(), 2);
    QCOMPARE(b.headerItem()->text(0), QStringLiteral("Property"));
    QCOMPARE(b.headerItem()->text(1), QStringLiteral("Value"));
    QCOMPARE(b.topLevelItemCount(), 0);

    TValueBrowser tall(nullptr, 25);
    QCOMPARE(tall.itemDefHeight(), 25u);
}

void tst_Browser::widthScaleRange_data()
{
    QTest::addColumn<uint>("scale");
    QTest::addColumn<uint>("expected");
    QTest::newRow("below") << 4u << 66u;
    QTest::newRow("lowest") << 5u << 5u;
    QTest::newRow("middle") << 50u << 50u;
    QTest::newRow("highest") << 95u << 95u;
    QTest::newRow("above") << 96u << 66u;
    QTest::newRow("zero") << 0u << 66u;
    QTest::newRow("huge") << 4000000000u << 66u;
}

void tst_Browser::widthScaleRange()
{
    QFETCH(uint, scale);
    QFETCH(uint, expected);
    TValueBrowser b;
    b.setWidthScale(scale);
    QCOMPARE(b.widthScale(), expected);
}

void tst_Browser::firstColumnFollowsResize()
{
    TValueBrowser b;
    b.resize(300, 200);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    QCOMPARE(b.header()->sectionSize(0), 198);

    // A new scale waits for the next resize.
    b.setWidthScale(50);
    QCOMPARE(b.header()->sectionSize(0), 198);
    b.resize(401, 200);
    QTRY_COMPARE_WITH_TIMEOUT(b.header()->sectionSize(0), 200, 1000);
}

void tst_Browser::getItem()
{
    TValueBrowser b;
    QVERIFY(!b.getItem(-1));
    QVERIFY(!b.getItem(0));

    TIntegerValue* a = addInt(b, 0, "A");
    addInt(b, 1, "B");
    QCOMPARE(b.getItem(-1), static_cast<TBaseItem*>(a));

    // Explicit ids, found in pre-order whether hidden or not.
    auto* seven = new TBaseValue(&b, "Seven", -1, 7);
    auto* child = new TBaseValue(seven, "Child", 8);
    auto* twin = new TBaseValue(&b, "Twin", -1, 7);
    child->setVisible(false);
    QVERIFY(child->isHidden());
    QCOMPARE(b.getItem(7), static_cast<TBaseItem*>(seven));
    QCOMPARE(b.getItem(8), static_cast<TBaseItem*>(child));
    QVERIFY(!b.getItem(9));

    delete seven;
    QCOMPARE(b.getItem(7), static_cast<TBaseItem*>(twin));
    QVERIFY(!b.getItem(8));
}

void tst_Browser::setItemLevel()
{
    TValueBrowser b;
    TBaseGroup* g1 = b.addGroup("G1");
    TBaseGroup* g2 = b.addGroup("G2");
    auto* unnamed = new TBaseValue(&b, QString());

    QVERIFY(!b.setItemLevel(nullptr, 0));
    QVERIFY(!b.setItemLevel(g1, -1));
    QVERIFY(!b.setItemLevel(unnamed, 0));
    // Still empty: a level-1 row is top-level (and becomes entry 0).
    QVERIFY(!addInt(b, 1, "Top")->parent());
    b.addGroup("Reset");

    // A level beyond the list appends: entry 0.
    QVERIFY(b.setItemLevel(g1, 3));
    QCOMPARE(addInt(b, 1, "X")->parent(), static_cast<QTreeWidgetItem*>(g1));

    // Entry 0 is replaced; the row's own forwarder works the same way.
    QVERIFY(g2->setItemLevel(0));
    QCOMPARE(addInt(b, 1, "Y")->parent(), static_cast<QTreeWidgetItem*>(g2));

    // Refused calls leave the list alone.
    QVERIFY(!unnamed->setItemLevel(0));
    QVERIFY(!b.setItemLevel(g1, -5));
    QCOMPARE(addInt(b, 1, "Z")->parent(), static_cast<QTreeWidgetItem*>(g2));
}

void tst_Browser::factoryRefusesBadInput()
{
    TValueBrowser b;
    TIntegerValue* a = addInt(b, 0, "A");
    const int rows = b.topLevelItemCount();

    QVERIFY(!addInt(b, 0, ""));
    QVERIFY(!addInt(b, -1, "A"));
    QVERIFY(!b.addReal(-1, "R", QString(), QString(), nullptr, LT_Double));
    QVERIFY(!b.addReal(0, "", QString(), QString(), nullptr, LT_Double));
    QVERIFY(!b.addValue(-3, "V", QString(), QString(), nullptr, LT_Variant));
    QVERIFY(!b.addValue(0, "", QString(), QString(), nullptr, LT_Variant));
    QVERIFY(!b.addGroup(""));
    QCOMPARE(b.topLevelItemCount(), rows);
    QCOMPARE(a->childCount(), 0);

    // Neither the refused rows nor the refused group touched the level list.
    QCOMPARE(addInt(b, 1, "B")->parent(), static_cast<QTreeWidgetItem*>(a));
}

void tst_Browser::factoryNesting()
{
    TValueBrowser b;
    TIntegerValue* a = addInt(b, 0, "A");
    QVERIFY(!a->parent());
    QCOMPARE(b.topLevelItem(0), static_cast<QTreeWidgetItem*>(a));

    TIntegerValue* bRow = addInt(b, 1, "B");
    TIntegerValue* c = addInt(b, 1, "C");
    QCOMPARE(bRow->parent(), static_cast<QTreeWidgetItem*>(a));
    QCOMPARE(c->parent(), static_cast<QTreeWidgetItem*>(a));
    QCOMPARE(a->childCount(), 2);
    QVERIFY(a->isExpanded());

    // C replaced B as entry 1.
    TIntegerValue* d = addInt(b, 2, "D");
    QCOMPARE(d->parent(), static_cast<QTreeWidgetItem*>(c));

    // Level 0 again: a second top-level row, and level 1 now goes under it.
    TDoubleValue* e = b.addReal(0, "E", QString(), QString(), nullptr, LT_Double);
    QVERIFY(!e->parent());
    TBaseValue* f = b.addValue(1, "F", QString(), QString(), nullptr, LT_Variant);
    QCOMPARE(f->parent(), static_cast<QTreeWidgetItem*>(e));

    // Entries 0 to 2 are E, F and D: level 5 goes under the last entry and
    // becomes entry 3.
    TIntegerValue* g = addInt(b, 5, "G");
    QCOMPARE(g->parent(), static_cast<QTreeWidgetItem*>(d));
    QCOMPARE(addInt(b, 4, "H")->parent(), static_cast<QTreeWidgetItem*>(g));

    // Too deep for an empty list: top-level, entry 0.
    TValueBrowser empty;
    TIntegerValue* deep = addInt(empty, 3, "Deep");
    QVERIFY(!deep->parent());
    QCOMPARE(addInt(empty, 1, "Next")->parent(), static_cast<QTreeWidgetItem*>(deep));
}

void tst_Browser::factoryAfterGroup()
{
    TValueBrowser b;
    TIntegerValue* a = addInt(b, 0, "A");
    TBaseGroup* g = b.addGroup("G", "Section", true);
    QVERIFY(g);
    QVERIFY(!g->parent());
    QCOMPARE(g->sectionName(), QStringLiteral("Section"));
    QCOMPARE(g->id(), -1);
    QCOMPARE(QString(g->ItemID()), QStringLiteral("TBaseGroup"));

    // The group emptied the list and is not in it itself.
    TIntegerValue* x = addInt(b, 1, "X");
    QVERIFY(!x->parent());
    QCOMPARE(a->childCount(), 0);

    TBaseGroup* g2 = b.addGroup("G2");
    QVERIFY(b.setItemLevel(g2, 0));
    QCOMPARE(addInt(b, 1, "Y")->parent(), static_cast<QTreeWidgetItem*>(g2));
}

void tst_Browser::factorySetsUpRows()
{
    TValueBrowser b;
    int i = 0;
    double d = 0;
    QVariant v;
    TIntValidator intRange(0, 10);
    TDoubleValidator realRange(0, 1, 2);
    TIntValidator anyInt;

    TIntegerValue* iv = b.addInt(0, "Int", "int hint", "int", &i, LT_Int, &intRange);
    TDoubleValue* dv = b.addReal(0, "Real", "real hint", "real", &d, LT_Double, &realRange);
    TBaseValue* bv = b.addValue(0, "Any", "any hint", "any", &v, LT_Variant, &anyInt);
    QCOMPARE(iv->hint(), QStringLiteral("int hint"));
    QCOMPARE(iv->properyName(), QStringLiteral("int"));
    QCOMPARE(iv->linked(), static_cast<void*>(&i));
    QCOMPARE(iv->linkType(), int(LT_Int));
    QCOMPARE(iv->validator(), static_cast<TValueValidator*>(&intRange));
    QCOMPARE(dv->hint(), QStringLiteral("real hint"));
    QCOMPARE(dv->properyName(), QStringLiteral("real"));
    QCOMPARE(dv->linked(), static_cast<void*>(&d));
    QCOMPARE(dv->validator(), static_cast<TValueValidator*>(&realRange));
    QCOMPARE(bv->properyName(), QStringLiteral("any"));
    QCOMPARE(bv->linkType(), int(LT_Variant));
    QCOMPARE(bv->validator(), static_cast<TValueValidator*>(&anyInt));
    for (TBaseItem* item : {static_cast<TBaseItem*>(iv), static_cast<TBaseItem*>(dv),
                            static_cast<TBaseItem*>(bv)}) {
        QCOMPARE(item->id(), -1);
        QCOMPARE(QString(item->ItemID()), QStringLiteral("SValue"));
        QCOMPARE(item->browser(), &b);
    }

    // Without a validator each class keeps its own default.
    QCOMPARE(addInt(b, 0, "I2")->validator(), static_cast<TValueValidator*>(TIntValidator::s_IntValidator));
    QCOMPARE(b.addReal(0, "R2", QString(), QString(), nullptr, LT_Double)->validator(),
             static_cast<TValueValidator*>(TDoubleValidator::s_DoubleValidator));
    QVERIFY(!b.addValue(0, "V2", QString(), QString(), nullptr, LT_Variant)->validator());

    // The factory binds but does not read the variable.
    i = 5;
    QCOMPARE(iv->text(1), QString());
    b.updateFromLinked();
    QCOMPARE(iv->text(1), QStringLiteral("5"));
}

void tst_Browser::factoryPages()
{
    TValueBrowser b;
    TIntegerValue* a = addInt(b, 0, "A");
    QCOMPARE(a->page(), 0u);

    const int p = b.addPage();
    QCOMPARE(p, 1);
    TIntegerValue* c = addInt(b, 0, "C");
    QCOMPARE(c->page(), 1u);
    // A child takes its parent's page, not the newest one.
    QVERIFY(b.setItemLevel(a, 0));
    TIntegerValue* child = addInt(b, 1, "Child");
    QCOMPARE(child->parent(), static_cast<QTreeWidgetItem*>(a));
    QCOMPARE(child->page(), 0u);
    QCOMPARE(b.addPage(), 2);
    QCOMPARE(b.addGroup("G")->page(), 2u);

    // An explicit page becomes the default for the rows after it.
    auto* explicitRow = new TBaseValue(&b, "P5", 5);
    QCOMPARE(explicitRow->page(), 5u);
    QCOMPARE(addInt(b, 0, "After")->page(), 5u);
}

void tst_Browser::pagesAndVisibility()
{
    TValueBrowser b;
    TIntegerValue* first = addInt(b, 0, "First");
    QCOMPARE(b.addPage(), 1);
    TIntegerValue* second = addInt(b, 0, "Second");
    TIntegerValue* child = addInt(b, 1, "Child");
    QCOMPARE(child->page(), 1u);

    QVERIFY(!first->isHidden());
    QVERIFY(second->isHidden());
    QVERIFY(second->visible());

    // A visibility wish does not beat the page filter.
    second->setVisible(true);
    QVERIFY(second->isHidden());
    QVERIFY(second->visible());

    b.switchPage(1);
    QCOMPARE(b.page(), 1);
    QVERIFY(first->isHidden());
    QVERIFY(!second->isHidden());
    QVERIFY(!child->isHidden());

    // A row that does not want to be seen stays hidden on its own page.
    child->setVisible(false);
    QVERIFY(child->isHidden());
    b.switchPage(0);
    b.switchPage(1);
    QVERIFY(child->isHidden());
    QVERIFY(!child->visible());

    // Pages are not checked: an empty page shows nothing. A model index
    // stands for the page of its row.
    QStandardItemModel pages(8, 1);
    b.switchPage(pages.index(7, 0));
    QCOMPARE(b.page(), 7);
    QVERIFY(first->isHidden());
    QVERIFY(second->isHidden());
}

void tst_Browser::switchPageSignals()
{
    TValueBrowser b;
    TIntegerValue* a = b.addInt(0, "A", "on page 0", QString(), nullptr, LT_Int);
    b.addPage();
    b.addInt(0, "B", "on page 1", QString(), nullptr, LT_Int);
    b.setCurrentItem(a);

    QSignalSpy hint(&b, &TValueBrowser::HintChanged);
    QSignalSpy itemHint(&b, &TValueBrowser::ItemHint);

    b.switchPage(0);
    QCOMPARE(hint.count(), 0);
    QCOMPARE(itemHint.count(), 0);

    // The current row is hidden now: empty hints.
    b.switchPage(1);
    QCOMPARE(hint.count(), 1);
    QCOMPARE(itemHint.count(), 1);
    QVERIFY(hint.at(0).at(0).toString().isEmpty());
    QVERIFY(!itemArg(hint.at(0).at(1)));

    // Back on page 0 the current row is visible again and reports its hint.
    QCOMPARE(b.currentItem(), static_cast<QTreeWidgetItem*>(a));
    b.switchPage(0);
    QCOMPARE(hint.count(), 2);
    QCOMPARE(hint.at(1).at(0).toString(), QStringLiteral("on page 0"));
    QCOMPARE(itemArg(hint.at(1).at(1)), static_cast<TBaseItem*>(a));
    QCOMPARE(itemHint.at(1).at(0).toString(), QStringLiteral("on page 0"));
}

void tst_Browser::checkBoxReachesRow()
{
    TValueBrowser b;
    TIntegerValue* a = addInt(b, 0, "A");
    a->setCheckable(true);
    QCOMPARE(a->checked(), Qt::Unchecked);
    // What a click on the box does: the view changes the item's check state.
    int changes = 0;
    connect(&b, &QTreeWidget::itemChanged, this, [&](QTreeWidgetItem* item, int column) {
        changes += item == a && column == 0;
    });
    a->QTreeWidgetItem::setCheckState(0, Qt::Checked);
    QCOMPARE(changes, 1);
    QCOMPARE(a->checked(), Qt::Checked);
    b.storeSet();
    a->QTreeWidgetItem::setCheckState(0, Qt::Unchecked);
    QCOMPARE(a->checked(), Qt::Unchecked);
    b.restoreSet();
    QCOMPARE(a->checkState(0), Qt::Checked);
    QCOMPARE(a->checked(), Qt::Checked);
}

void tst_Browser::clearResets()
{
    TValueBrowser b;
    TIntegerValue* a = addInt(b, 0, "A");
    addInt(b, 1, "B");
    b.addPage();
    b.switchPage(1);
    QPointer<QObject> ga = guard(a);

    b.clear();
    QVERIFY(ga.isNull());
    QCOMPARE(b.topLevelItemCount(), 0);
    QCOMPARE(b.page(), 0);
    QVERIFY(!b.getItem(-1));

    // New rows join page 0 and the level list starts empty.
    TIntegerValue* x = addInt(b, 1, "X");
    QVERIFY(!x->parent());
    QCOMPARE(x->page(), 0u);
    QVERIFY(!x->isHidden());
    QCOMPARE(addInt(b, 1, "Y")->parent(), static_cast<QTreeWidgetItem*>(x));
}

void tst_Browser::secondBrowserResetsDefaultPage()
{
    TValueBrowser first;
    QCOMPARE(first.addPage(), 1);
    QCOMPARE(addInt(first, 0, "OnOne")->page(), 1u);

    TValueBrowser second;
    QCOMPARE(addInt(first, 0, "Next")->page(), 0u);
    QCOMPARE(second.addPage(), 1);
    // Both browsers share the default page.
    QCOMPARE(addInt(first, 0, "Shared")->page(), 1u);
}

void tst_Browser::toolTips()
{
    Browser b;
    // An inactive window shows no tip, and the view does not see the event.
    TBaseValue* first = b.addValue(0, "First", QString(), QString(), nullptr, LT_Variant);
    first->setValue(QStringLiteral("first tip"));
    QVERIFY(!b.isActiveWindow());
    const QPoint at = b.visualItemRect(first).center();
    QHelpEvent inactive(QEvent::ToolTip, at, b.viewport()->mapToGlobal(at));
    QVERIFY(!b.viewportEvent(&inactive));
    QVERIFY(!QToolTip::isVisible());

    TBaseValue* plain = b.addValue(0, "Plain", QString(), QString(), nullptr, LT_Variant);
    TBaseValue* fonted = b.addValue(0, "Fonted", QString(), QString(), nullptr, LT_Variant);
    plain->setValue(QStringLiteral("plain tip"));
    fonted->setValue(QStringLiteral("font tip"));
    QFont tipFont(QStringLiteral("Serif"), 23);
    tipFont.setItalic(true);
    fonted->setData(1, ToolTipFontRole, tipFont);

    b.resize(300, 200);
    b.show();
    b.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&b));

    const auto cellCenter = [&](QTreeWidgetItem* item) {
        return b.visualRect(b.indexFromItem(item, 1)).center();
    };

    QPoint pos = cellCenter(fonted);
    QHelpEvent withFont(QEvent::ToolTip, pos, b.viewport()->mapToGlobal(pos));
    QVERIFY(b.viewportEvent(&withFont));
    QCOMPARE(QToolTip::text(), QStringLiteral("font tip"));
    QCOMPARE(QToolTip::font(), tipFont);

    // The font is set anew for every tip: a cell without one gets the default.
    pos = cellCenter(plain);
    QHelpEvent withoutFont(QEvent::ToolTip, pos, b.viewport()->mapToGlobal(pos));
    QVERIFY(b.viewportEvent(&withoutFont));
    QCOMPARE(QToolTip::text(), QStringLiteral("plain tip"));
    QCOMPARE(QToolTip::font(), QFont());
}

void tst_Browser::deletedRowLeavesLevelList()
{
    TValueBrowser b;
    TIntegerValue* a = addInt(b, 0, "A");
    TIntegerValue* bRow = addInt(b, 1, "B");
    addInt(b, 2, "C");

    // B (entry 1) and its child C (entry 2) go; new rows of their levels go
    // under the deepest entry still alive.
    delete bRow;
    QCOMPARE(a->childCount(), 0);
    TIntegerValue* d = addInt(b, 2, "D");
    QCOMPARE(d->parent(), static_cast<QTreeWidgetItem*>(a));
    TIntegerValue* e = addInt(b, 1, "E");
    QCOMPARE(e->parent(), static_cast<QTreeWidgetItem*>(a));
    QCOMPARE(a->childCount(), 2);

    // The level-0 entry goes too: new rows are top-level.
    delete a;
    QCOMPARE(b.topLevelItemCount(), 0);
    TIntegerValue* f = addInt(b, 1, "F");
    QVERIFY(!f->parent());
    QCOMPARE(b.topLevelItemCount(), 1);

    // A group registered by the caller, deleted by the caller.
    TBaseGroup* g = b.addGroup("G");
    QVERIFY(b.setItemLevel(g, 0));
    delete g;
    QVERIFY(!addInt(b, 1, "H")->parent());
}

void tst_Browser::deleteRowWithChildren()
{
    TValueBrowser b;
    TIntegerValue* a = addInt(b, 0, "A");
    TIntegerValue* child = addInt(b, 1, "Child");
    TIntegerValue* grandChild = addInt(b, 2, "GrandChild");
    TIntegerValue* other = addInt(b, 0, "Other");
    QPointer<QObject> gc = guard(child);
    QPointer<QObject> gg = guard(grandChild);

    delete a;
    QVERIFY(gc.isNull());
    QVERIFY(gg.isNull());
    QCOMPARE(b.topLevelItemCount(), 1);
    QCOMPARE(b.topLevelItem(0), static_cast<QTreeWidgetItem*>(other));
    QCOMPARE(b.getItem(-1), static_cast<TBaseItem*>(other));

    // Whole-browser walks see only what is left.
    b.storeSet();
    b.updateLinked();
    QVERIFY(!other->valueChanged());
}

void tst_Browser::deleteCurrentRow()
{
    // The current row's parent goes: no row and no editor are left.
    TValueBrowser b;
    TIntegerValue* a = addInt(b, 0, "A");
    TIntegerValue* child = addInt(b, 1, "Child");
    addInt(b, 2, "GrandChild");
    b.setCurrentItem(child);
    QPointer<TDropList> editor = child->editor();
    QVERIFY(editor);
    delete a;
    flushDeletes();
    QVERIFY(editor.isNull());
    QVERIFY(!b.currentItem());
    QVERIFY(b.viewport()->findChildren<TDropList*>().isEmpty());

    // The view moves on to the row that is left, which opens its editor.
    TIntegerValue* current = addInt(b, 0, "Current");
    TIntegerValue* next = addInt(b, 0, "Next");
    b.setCurrentItem(current);
    delete current;
    flushDeletes();
    QCOMPARE(b.currentItem(), static_cast<QTreeWidgetItem*>(next));
    QVERIFY(next->editor());
    QCOMPARE(b.viewport()->findChildren<TDropList*>().size(), 1);
}

void tst_Browser::destroyBrowserWithRows()
{
    QWidget window;
    auto* b = new TValueBrowser(&window);
    b->setSpecialList(&TValueBrowser::s_specialList, false);
    TBaseGroup* g = b->addGroup("G", "S");
    b->setItemLevel(g, 0);
    TIntegerValue* a = addInt(*b, 1, "A");
    TIntegerValue* child = addInt(*b, 2, "Child");
    child->setSpecial(SV_Default);
    b->setCurrentItem(a);
    QPointer<QObject> ga = guard(a);
    QPointer<QObject> gc = guard(child);
    QPointer<QObject> gg = guard(g);
    QPointer<TDropList> editor = a->editor();
    QVERIFY(editor);

    delete b;
    flushDeletes();
    QVERIFY(ga.isNull());
    QVERIFY(gc.isNull());
    QVERIFY(gg.isNull());
    QVERIFY(editor.isNull());
    // The library's list is not the browser's to delete.
    QCOMPARE(TValueBrowser::s_specialList.size(), 5);

    // A parent widget takes its browser with it.
    auto* owned = new TValueBrowser(&window);
    QPointer<TValueBrowser> gb = owned;
    addInt(*owned, 0, "X");
    addInt(*owned, 1, "Y");
    QPointer<QObject> gx = guard(owned->getItem(-1));
    delete owned;
    QVERIFY(gb.isNull());
    QVERIFY(gx.isNull());
}

QTEST_MAIN(tst_Browser)
#include "tst_browser.moc"
