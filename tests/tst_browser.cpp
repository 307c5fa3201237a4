#include "tarvotest.h"

#include "tbasegroup.h"
#include "tdoublevalue.h"
#include "tintegervalue.h"
#include "tvaluevalidator.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QPointer>
#include <QStandardItemModel>
#include <QToolTip>

#include <memory>

using namespace tt;

namespace {

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

TBaseItem* itemArg(const QVariant& v)
{
    return v.userType() == qMetaTypeId<TBaseItem*>() ? *static_cast<TBaseItem* const*>(v.constData()) : nullptr;
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
    void cleanup()
    {
        QToolTip::hideText();
        flush();
    }
    void defaultsAndWidth();
    void getItemAndLevels();
    void factory();
    void pages();
    void checkBoxReachesRow();
    void toolTips();
    void deletedRows();
    void destroyBrowserWithRows();
};

void tst_Browser::defaultsAndWidth()
{
    TValueBrowser b;
    QCOMPARE(b.itemDefHeight(), 18u);
    QVERIFY(!b.specialList() && b.changeInfo() && b.checkEditor() && b.revertIcon().isNull());
    QCOMPARE(b.storingPolicy(), TValueBrowser::SP_Current);
    QCOMPARE(b.headerItem()->text(0), QStringLiteral("Property"));
    QCOMPARE(b.headerItem()->text(1), QStringLiteral("Value"));
    QCOMPARE(TValueBrowser(nullptr, 25).itemDefHeight(), 25u);
    QCOMPARE(b.widthScale(), 66u);
    for (const uint scale : {5u, 95u, 4u, 96u, 0u, 4000000000u}) {
        b.setWidthScale(scale);
        QCOMPARE(b.widthScale(), scale >= 5 && scale <= 95 ? scale : 95u);
    }
    // The first column follows the browser's width; a new scale waits for
    // the next resize.
    b.setWidthScale(66);
    b.resize(300, 200);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    QCOMPARE(b.header()->sectionSize(0), 198);
    b.setWidthScale(50);
    QCOMPARE(b.header()->sectionSize(0), 198);
    b.resize(401, 200);
    QTRY_COMPARE(b.header()->sectionSize(0), 200);
}

void tst_Browser::getItemAndLevels()
{
    TValueBrowser b;
    QVERIFY(!b.getItem(-1) && !b.getItem(0));
    TIntegerValue* a = addInt(b, 0, "A");
    addInt(b, 1, "B");
    QVERIFY(b.getItem(-1) == a);
    auto* seven = new TBaseValue(&b, "Seven", -1, 7);
    auto* child = new TBaseValue(seven, "Child", 8);
    auto* twin = new TBaseValue(&b, "Twin", -1, 7);
    child->setVisible(false);
    QVERIFY(b.getItem(7) == seven && b.getItem(8) == child && !b.getItem(9));
    delete seven;
    QVERIFY(b.getItem(7) == twin && !b.getItem(8));

    TBaseGroup* g1 = b.addGroup("G1");
    TBaseGroup* g2 = b.addGroup("G2");
    auto* unnamed = new TBaseValue(&b, QString());
    QVERIFY(!b.setItemLevel(nullptr, 0) && !b.setItemLevel(g1, -1) && !b.setItemLevel(unnamed, 0));
    QVERIFY(!addInt(b, 1, "Top")->parent());
    b.addGroup("Reset");
    QVERIFY(b.setItemLevel(g1, 3));
    QVERIFY(addInt(b, 1, "X")->parent() == g1);
    QVERIFY(g2->setItemLevel(0));
    QVERIFY(!unnamed->setItemLevel(0) && !b.setItemLevel(g1, -5));
    QVERIFY(addInt(b, 1, "Y")->parent() == g2);
}

void tst_Browser::factory()
{
    TValueBrowser b;
    TIntegerValue* a = addInt(b, 0, "A");
    QVERIFY(!addInt(b, 0, "") && !addInt(b, -1, "A") && !b.addGroup(""));
    QVERIFY(!b.addReal(-1, "R", QString(), QString(), nullptr, LT_Double));
    QVERIFY(!b.addReal(0, "", QString(), QString(), nullptr, LT_Double));
    QVERIFY(!b.addValue(-3, "V", QString(), QString(), nullptr, LT_Variant));
    QVERIFY(!b.addValue(0, "", QString(), QString(), nullptr, LT_Variant));
    QCOMPARE(b.topLevelItemCount(), 1);

    // Each level goes under the last row of the level above.
    TIntegerValue* bRow = addInt(b, 1, "B");
    TIntegerValue* c = addInt(b, 1, "C");
    QVERIFY(bRow->parent() == a && c->parent() == a && a->isExpanded());
    TIntegerValue* d = addInt(b, 2, "D");
    QVERIFY(d->parent() == c);
    TDoubleValue* e = b.addReal(0, "E", QString(), QString(), nullptr, LT_Double);
    QVERIFY(!e->parent());
    QVERIFY(b.addValue(1, "F", QString(), QString(), nullptr, LT_Variant)->parent() == e);
    TIntegerValue* g = addInt(b, 5, "G");
    QVERIFY(g->parent() == d);
    QVERIFY(addInt(b, 4, "H")->parent() == g);

    // A group empties the level list and is not in it itself.
    TBaseGroup* group = b.addGroup("G", "Section", true);
    QVERIFY(!group->parent());
    QCOMPARE(group->sectionName(), QStringLiteral("Section"));
    QCOMPARE(QString(group->ItemID()), QStringLiteral("TBaseGroup"));
    QVERIFY(!addInt(b, 1, "X")->parent());

    // Rows are set up as asked; each class keeps its own default validator.
    int i = 0;
    TIntValidator range(0, 10);
    TIntegerValue* iv = b.addInt(0, "Int", "int hint", "int", &i, LT_Int, &range);
    QCOMPARE(iv->hint(), QStringLiteral("int hint"));
    QCOMPARE(iv->properyName(), QStringLiteral("int"));
    QVERIFY(iv->linked() == &i && iv->linkType() == LT_Int && iv->validator() == &range);
    QCOMPARE(QString(iv->ItemID()), QStringLiteral("SValue"));
    QVERIFY(iv->browser() == &b && iv->id() == -1);
    QVERIFY(addInt(b, 0, "I2")->validator() == TIntValidator::s_IntValidator);
    QVERIFY(b.addReal(0, "R2", QString(), QString(), nullptr, LT_Double)->validator()
            == TDoubleValidator::s_DoubleValidator);
    QVERIFY(!b.addValue(0, "V2", QString(), QString(), nullptr, LT_Variant)->validator());
    i = 5;
    QCOMPARE(shown(iv), QString());
    b.updateFromLinked();
    QCOMPARE(shown(iv), QStringLiteral("5"));
}

void tst_Browser::pages()
{
    TValueBrowser b;
    TIntegerValue* first = b.addInt(0, "First", "on page 0", QString(), nullptr, LT_Int);
    QCOMPARE(b.addPage(), 1);
    TIntegerValue* second = addInt(b, 0, "Second");
    TIntegerValue* child = addInt(b, 1, "Child");
    QCOMPARE(child->page(), 1u);
    // A child takes its parent's page, not the newest one.
    QVERIFY(b.setItemLevel(first, 0));
    QCOMPARE(addInt(b, 1, "Sub")->page(), 0u);
    QVERIFY(!first->isHidden() && second->isHidden() && second->visible());
    second->setVisible(true);
    QVERIFY(second->isHidden());

    b.setCurrentItem(first);
    QSignalSpy hint(&b, &TValueBrowser::HintChanged);
    QSignalSpy itemHint(&b, &TValueBrowser::ItemHint);
    b.switchPage(0);
    QCOMPARE(hint.count(), 0);
    b.switchPage(1);
    QVERIFY(first->isHidden() && !second->isHidden() && !child->isHidden());
    QCOMPARE(hint.count(), 1);
    QVERIFY(hint.at(0).at(0).toString().isEmpty() && !itemArg(hint.at(0).at(1)));
    child->setVisible(false);
    b.switchPage(0);
    QCOMPARE(hint.at(1).at(0).toString(), QStringLiteral("on page 0"));
    QVERIFY(itemArg(hint.at(1).at(1)) == first);
    QCOMPARE(itemHint.count(), 2);
    b.switchPage(1);
    QVERIFY(child->isHidden() && !child->visible());

    QStandardItemModel model(8, 1);
    b.switchPage(model.index(7, 0));
    QCOMPARE(b.page(), 7);
    QVERIFY(second->isHidden());

    // An explicit page becomes the default; clear() and a new browser reset it.
    QCOMPARE((new TBaseValue(&b, "P5", 5))->page(), 5u);
    QCOMPARE(addInt(b, 0, "After")->page(), 5u);
    QPointer<QObject> gone = guard(first);
    b.clear();
    QVERIFY(gone.isNull() && b.page() == 0 && !b.getItem(-1));
    TIntegerValue* x = addInt(b, 1, "X");
    QVERIFY(!x->parent() && x->page() == 0u && !x->isHidden());
    QCOMPARE(b.addPage(), 1);
    TValueBrowser other;
    QCOMPARE(addInt(b, 0, "Next")->page(), 0u);
}

void tst_Browser::checkBoxReachesRow()
{
    TValueBrowser b;
    TIntegerValue* a = addInt(b, 0, "A");
    a->setCheckable(true);
    a->QTreeWidgetItem::setCheckState(0, Qt::Checked);
    QCOMPARE(a->checked(), Qt::Checked);
    b.storeSet();
    a->QTreeWidgetItem::setCheckState(0, Qt::Unchecked);
    QCOMPARE(a->checked(), Qt::Unchecked);
    b.restoreSet();
    QCOMPARE(a->checkState(0), Qt::Checked);
}

void tst_Browser::toolTips()
{
    Browser b;
    TBaseValue* plain = b.addValue(0, "Plain", QString(), QString(), nullptr, LT_Variant);
    TBaseValue* fonted = b.addValue(0, "Fonted", QString(), QString(), nullptr, LT_Variant);
    plain->setValue(QStringLiteral("plain tip"));
    fonted->setValue(QStringLiteral("font tip"));
    QFont tipFont(QStringLiteral("Serif"), 23);
    tipFont.setItalic(true);
    fonted->setData(1, ToolTipFontRole, tipFont);
    const auto tip = [&](QTreeWidgetItem* item) {
        const QPoint pos = b.visualRect(b.indexFromItem(item, 1)).center();
        QHelpEvent e(QEvent::ToolTip, pos, b.viewport()->mapToGlobal(pos));
        return b.viewportEvent(&e);
    };
    // An inactive window shows no tip.
    QVERIFY(!tip(plain));
    QVERIFY(!QToolTip::isVisible());
    b.resize(300, 200);
    b.show();
    b.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&b));
    QVERIFY(tip(fonted));
    QCOMPARE(QToolTip::text(), QStringLiteral("font tip"));
    QCOMPARE(QToolTip::font(), tipFont);
    QVERIFY(tip(plain));
    QCOMPARE(QToolTip::text(), QStringLiteral("plain tip"));
    QCOMPARE(QToolTip::font(), QFont());
}

void tst_Browser::deletedRows()
{
    TValueBrowser b;
    b.show();
    TIntegerValue* a = addInt(b, 0, "A");
    TIntegerValue* bRow = addInt(b, 1, "B");
    TIntegerValue* c = addInt(b, 2, "C");
    QPointer<QObject> gc = guard(c);
    // A deleted row and its children leave the level list.
    delete bRow;
    QVERIFY(gc.isNull() && a->childCount() == 0);
    QVERIFY(addInt(b, 2, "D")->parent() == a);
    TIntegerValue* e = addInt(b, 1, "E");
    QVERIFY(e->parent() == a);

    // The current row's parent goes: no row and no editor are left.
    b.setCurrentItem(e);
    QPointer<TDropList> editor = e->editor();
    delete a;
    flush();
    QVERIFY(editor.isNull() && !b.currentItem());
    QVERIFY(b.viewport()->findChildren<TDropList*>().isEmpty());
    QVERIFY(!addInt(b, 1, "F")->parent());
    TIntegerValue* other = addInt(b, 0, "Other");
    b.storeSet();
    b.updateLinked();
    QVERIFY(!other->valueChanged());

    // The view moves on to the next row, which opens its editor.
    TIntegerValue* next = addInt(b, 0, "Next");
    b.setCurrentItem(other);
    delete other;
    flush();
    QVERIFY(b.currentItem() == next && next->editor());
    QCOMPARE(b.viewport()->findChildren<TDropList*>().size(), 1);

    TBaseGroup* g = b.addGroup("G");
    QVERIFY(b.setItemLevel(g, 0));
    delete g;
    QVERIFY(!addInt(b, 1, "H")->parent());
}

void tst_Browser::destroyBrowserWithRows()
{
    auto window = std::make_unique<QWidget>();
    auto* b = new TValueBrowser(window.get());
    b->setSpecialList(&TValueBrowser::s_specialList, false);
    TBaseGroup* g = b->addGroup("G", "S");
    b->setItemLevel(g, 0);
    TIntegerValue* a = addInt(*b, 1, "A");
    TIntegerValue* child = addInt(*b, 2, "Child");
    child->setSpecial(SV_Default);
    window->show();
    QPointer<TDropList> editor = open(a);
    QPointer<QObject> ga = guard(a);
    QPointer<QObject> gc = guard(child);
    QPointer<QObject> gg = guard(g);
    QPointer<TValueBrowser> gb = b;
    QVERIFY(editor);
    delete b;
    flush();
    QVERIFY(ga.isNull() && gc.isNull() && gg.isNull() && editor.isNull());
    QCOMPARE(TValueBrowser::s_specialList.size(), 5);

    // A parent window takes its browser and rows with it.
    b = new TValueBrowser(window.get());
    b->show();
    gb = b;
    gc = guard(addInt(*b, 0, "X"));
    editor = open(static_cast<TBaseValue*>(b->getItem(-1)));
    QVERIFY(editor);
    window.reset();
    flush();
    QVERIFY(gb.isNull() && gc.isNull() && editor.isNull());
}

QTEST_MAIN(tst_Browser)
#include "tst_browser.moc"
