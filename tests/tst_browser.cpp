// The browser as a whole: its factory, levels and pages, tool tips, and
// rows, editors and dialogs that go while something still refers to them.
#include "tarvotest.h"

#include "tbasegroup.h"
#include "tboolvalue.h"
#include "tcolorvalue.h"
#include "tdoublevalue.h"
#include "tfontvalue.h"
#include "tintegervalue.h"
#include "tpathvalue.h"
#include "tpointvalue.h"
#include "ttextvalue.h"

#include <QColorDialog>
#include <QHeaderView>
#include <QPointer>
#include <QStandardItemModel>
#include <QToolTip>

#include <memory>

using namespace tt;

namespace {

class Browser : public TValueBrowser
{
public:
    using TValueBrowser::indexFromItem;
    using TValueBrowser::viewportEvent;
};

TIntegerValue* addInt(TValueBrowser& b, int level, const QString& name)
{
    return b.addInt(level, name, QString(), QString(), nullptr, LT_Int);
}

TBaseItem* itemArg(const QVariant& v)
{
    return v.userType() == qMetaTypeId<TBaseItem*>() ? *static_cast<TBaseItem* const*>(v.constData()) : nullptr;
}

// A row is also a QObject (its delegate part): a guard that turns null when
// the row is destroyed.
QPointer<QObject> guard(TBaseItem* item)
{
    return QPointer<QObject>(static_cast<QItemDelegate*>(item));
}

// A browser with a bound row of each type that has a shared editor or a dialog.
struct Form
{
    Form()
    {
        b->setSpecialList(&TValueBrowser::s_specialList);
        number = b->addInt(0, "Number", {}, "number", &numberVar, LT_Int);
        flag = b->addBool(0, "Flag", {}, "flag", &flagVar);
        color = b->addColor(0, "Color", {}, "color", &colorVar);
        b->addFont(0, "Font", {}, "font", &fontVar);
        b->addText(0, "Text", {}, "text", &textVar);
        b->addPath(0, "Path", {}, "path", &pathVar);
        point = b->addPoint(0, "Point", {}, "point", &pointVar);
        b->updateFromLinked();
        b->show();
    }
    TBaseValue* row(const QString& name) { return TBaseValue::fromItem(b->findItems(name, Qt::MatchExactly).value(0)); }

    int numberVar = 5;
    bool flagVar = false;
    QColor colorVar = QColor(Qt::red);
    QFont fontVar = QFont(QStringLiteral("Sans"), 10);
    QString textVar = QStringLiteral("note"), pathVar = QStringLiteral("/tmp");
    QPoint pointVar = QPoint(1, 2);
    std::unique_ptr<Browser> b = std::make_unique<Browser>();
    TIntegerValue* number;
    TBoolValue* flag;
    TColorValue* color;
    TPointValue* point;
};

enum Action { DeleteRow, ClearBrowser, DestroyBrowser };

} // namespace

class tst_Browser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup()
    {
        QToolTip::hideText();
        flush();
    }

    void defaultsAndWidth()
    {
        // Scales outside 5..95 are refused.
        TValueBrowser b;
        QVERIFY(b.widthScale() == 66 && !b.specialList() && b.changeInfo());
        for (const uint scale : {5u, 95u, 4u, 96u, 0u, 4000000000u, 66u}) {
            b.setWidthScale(scale);
            QCOMPARE(b.widthScale(), scale >= 5 && scale <= 95 ? scale : 95u);
        }
        // The first column follows the browser's width; a new scale waits
        // for the next resize.
        b.resize(300, 200);
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        QCOMPARE(b.header()->sectionSize(0), 198);
        b.setWidthScale(50);
        QCOMPARE(b.header()->sectionSize(0), 198);
        b.resize(401, 200);
        QTRY_COMPARE(b.header()->sectionSize(0), 200);
    }

    void factoryAndLevels()
    {
        TValueBrowser b;
        QVERIFY(!b.getItem(-1) && !addInt(b, 0, "") && !addInt(b, -1, "A") && !b.addGroup(""));
        QVERIFY(!b.addReal(-1, "R", QString(), QString(), nullptr, LT_Double) && !b.addValue(0, "", {}, {}, nullptr, -1));
        // Each level goes under the last row of the level above.
        TIntegerValue* a = addInt(b, 0, "A");
        TIntegerValue* c = (addInt(b, 1, "B"), addInt(b, 1, "C"));
        TIntegerValue* d = addInt(b, 2, "D");
        QVERIFY(c->parent() == a && a->childCount() == 2 && a->isExpanded() && d->parent() == c && b.getItem(-1) == a);
        TDoubleValue* e = b.addReal(0, "E", QString(), QString(), nullptr, LT_Double);
        QVERIFY(!e->parent() && b.addValue(1, "F", {}, {}, nullptr, LT_Variant)->parent() == e);
        TIntegerValue* g = addInt(b, 5, "G");
        QVERIFY(g->parent() == d && addInt(b, 4, "H")->parent() == g);
        // A group empties the level list and is not in it itself; a row
        // deleted with its children leaves it too.
        TBaseGroup* group = b.addGroup("G", "Section", true);
        QVERIFY(!group->parent() && group->sectionName() == "Section" && QString(group->ItemID()) == "TBaseGroup");
        QVERIFY(!addInt(b, 1, "X")->parent() && b.setItemLevel(a, 0));
        TIntegerValue* y = addInt(b, 2, "Y");
        QVERIFY(y->parent() == a && addInt(b, 3, "Z")->parent() == y);
        delete y;
        QVERIFY(addInt(b, 2, "W")->parent() == a);
        auto* unnamed = new TBaseValue(&b, QString());
        QVERIFY(!b.setItemLevel(nullptr, 0) && !b.setItemLevel(group, -1) && !b.setItemLevel(unnamed, 0));
        QVERIFY(group->setItemLevel(0) && addInt(b, 1, "V")->parent() == group);
        delete group;
        QVERIFY(!addInt(b, 1, "U")->parent());

        // Rows by id: the first one, also among children and hidden rows.
        auto* seven = new TBaseValue(&b, "Seven", -1, 7);
        new TBaseValue(seven, "Child", 8);
        auto* twin = new TBaseValue(&b, "Twin", -1, 7);
        seven->child(0)->setHidden(true);
        QVERIFY(b.getItem(7) == seven && b.getItem(8) == seven->child(0) && !b.getItem(9));
        delete seven;
        QVERIFY(b.getItem(7) == twin && !b.getItem(8));

        // A row takes the caller's validator, or keeps its class's own.
        TIntValidator range(0, 10);
        QVERIFY(b.addInt(0, "I", {}, {}, nullptr, LT_Int, &range)->validator() == &range && !unnamed->validator());
        QVERIFY(addInt(b, 0, "J")->validator() == TIntValidator::s_IntValidator);
        QCOMPARE(e->validator(), TDoubleValidator::s_DoubleValidator);
    }

    void pages()
    {
        TValueBrowser b;
        TIntegerValue* first = b.addInt(0, "First", "on page 0", QString(), nullptr, LT_Int);
        QCOMPARE(b.addPage(), 1);
        TIntegerValue* second = addInt(b, 0, "Second");
        TIntegerValue* child = addInt(b, 1, "Child");
        // A child takes its parent's page, not the newest one.
        QVERIFY(child->page() == 1 && b.setItemLevel(first, 0) && addInt(b, 1, "Sub")->page() == 0);
        second->setVisible(true);
        QVERIFY(!first->isHidden() && second->isHidden() && second->visible());

        b.setCurrentItem(first);
        QSignalSpy hint(&b, &TValueBrowser::HintChanged), itemHint(&b, &TValueBrowser::ItemHint);
        b.switchPage(0);
        b.switchPage(1);
        QVERIFY(first->isHidden() && !second->isHidden() && !child->isHidden());
        QVERIFY(hint.count() == 1 && hint.at(0).at(0).toString().isEmpty() && !itemArg(hint.at(0).at(1)));
        child->setVisible(false);
        b.switchPage(0);
        QVERIFY(hint.at(1).at(0) == "on page 0" && itemArg(hint.at(1).at(1)) == first);
        QCOMPARE(itemHint.count(), 2);
        b.switchPage(1);
        QVERIFY(child->isHidden() && !child->visible());
        QStandardItemModel model(8, 1);
        b.switchPage(model.index(7, 0));
        QVERIFY(b.page() == 7 && second->isHidden());

        // An explicit page becomes the default; clear() and a new browser
        // reset it.
        QVERIFY((new TBaseValue(&b, "P5", 5))->page() == 5 && addInt(b, 0, "After")->page() == 5);
        QPointer<QObject> gone = guard(first);
        b.clear();
        QVERIFY(gone.isNull() && b.page() == 0 && !b.getItem(-1));
        TIntegerValue* x = addInt(b, 1, "X");
        QVERIFY(!x->parent() && x->page() == 0 && !x->isHidden() && b.addPage() == 1);
        TValueBrowser other;
        QCOMPARE(addInt(b, 0, "Next")->page(), 0u);
    }

    void checkBoxAndToolTips()
    {
        // The box the user ticks reaches the row; restoring puts it back.
        Browser b;
        TBaseValue* plain = b.addValue(0, "Plain", QString(), QString(), nullptr, LT_Variant);
        plain->setCheckable(true);
        plain->QTreeWidgetItem::setCheckState(0, Qt::Checked);
        QCOMPARE(plain->checked(), Qt::Checked);
        b.storeSet();
        plain->QTreeWidgetItem::setCheckState(0, Qt::Unchecked);
        QCOMPARE(plain->checked(), Qt::Unchecked);
        b.restoreSet();
        QCOMPARE(plain->checkState(0), Qt::Checked);

        // Tool tips show the value, in the cell's tool tip font; an inactive
        // window shows none.
        TBaseValue* fonted = b.addValue(0, "Fonted", QString(), QString(), nullptr, LT_Variant);
        plain->setValue(QStringLiteral("plain tip"));
        fonted->setValue(QStringLiteral("font tip"));
        const QFont tipFont(QStringLiteral("Serif"), 23, QFont::Normal, true);
        fonted->setData(1, ToolTipFontRole, tipFont);
        const auto tip = [&](QTreeWidgetItem* item) {
            const QPoint pos = b.visualRect(b.indexFromItem(item, 1)).center();
            QHelpEvent e(QEvent::ToolTip, pos, b.viewport()->mapToGlobal(pos));
            return b.viewportEvent(&e);
        };
        QVERIFY(!tip(plain) && !QToolTip::isVisible());
        b.show();
        b.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&b));
        QVERIFY(tip(fonted) && QToolTip::text() == "font tip" && QToolTip::font() == tipFont);
        QVERIFY(tip(plain) && QToolTip::text() == "plain tip" && QToolTip::font() == QFont());
    }

    void currentRowDeleted()
    {
        // The view moves on to the next row, which opens its editor.
        TValueBrowser b;
        b.show();
        TIntegerValue* other = addInt(b, 0, "Other");
        TIntegerValue* next = addInt(b, 0, "Next");
        b.setCurrentItem(other);
        delete other;
        flush();
        QVERIFY(b.currentItem() == next && next->editor() && b.viewport()->findChildren<TDropList*>().size() == 1);
    }

    void dialogOutlivesRow()
    {
        for (const char* name : {"Color", "Font", "Text", "Path"}) {
            for (const Action action : {DeleteRow, ClearBrowser, DestroyBrowser}) {
                Form f;
                TBaseValue* target = f.row(name);
                QSignalSpy picks(f.b.get(), &TValueBrowser::ValuePicked);
                QVERIFY(clickDots<QDialog>(target, [&](QDialog* dialog) {
                    action == DeleteRow ? delete target : action == ClearBrowser ? f.b->clear() : f.b.reset();
                    if (auto* files = qobject_cast<QFileDialog*>(dialog))
                        files->selectFile(QDir::tempPath());
                    dialog->done(QDialog::Accepted);
                }));
                flush();
                // The pick had nowhere to go; the browser carries on with
                // the rows that are left.
                QVERIFY2(picks.isEmpty(), name);
                if (action == DeleteRow) {
                    type(f.number, "12");
                    QVERIFY(picks.count() == 1 && val(f.number) == "12");
                }
            }
        }
    }

    void sharedEditorsOutliveBrowser_data()
    {
        QTest::addColumn<bool>("firstGoes");
        QTest::newRow("first browser destroyed") << true;
        QTest::newRow("second browser destroyed") << false;
    }

    void sharedEditorsOutliveBrowser()
    {
        // Editors open in both browsers, through the shared spin, color,
        // font and text editors and the shared boolean and special lists.
        QFETCH(bool, firstGoes);
        auto a = std::make_unique<Form>(), b = std::make_unique<Form>();
        for (Form* f : {a.get(), b.get()}) {
            for (const char* name : {"Number", "Flag", "Color", "Font", "Text"}) {
                TBaseValue* row = f->row(name);
                QVERIFY(open(row));
                row->editor()->comboBox()->ensureFilled();
            }
        }
        (firstGoes ? a : b).reset();
        flush();
        Form& left = firstGoes ? *b : *a;
        type(left.number, "8");
        // The shared spin editor steps the row of the browser that is left.
        const QList<QAbstractButton*> steps = open(left.number)->buttonWidget()->findChildren<QAbstractButton*>();
        QVERIFY(!steps.isEmpty());
        for (QAbstractButton* step : steps)
            step->click();
        QVERIFY(left.number->value().kind == SK_Value && left.number->number() == 8);
        QVERIFY(pick(left.flag, TBoolValue::s_BoolList.at(1)->text) && left.flag->boolean() == TBoolValue::s_BoolList.at(1)->value.toBool());
        QVERIFY(pick(left.point, "Default") && left.point->value().kind == SK_Special);
        QVERIFY(clickDots<QColorDialog>(left.color, [](QColorDialog* dialog) {
            dialog->setCurrentColor(QColor(0, 0, 128));
            dialog->accept();
        }));
        QCOMPARE(left.color->color(), QColor(0, 0, 128));
    }

    void slotDeletesRow_data()
    {
        QTest::addColumn<bool>("picked");
        QTest::addColumn<bool>("clear");
        QTest::newRow("ValuePicked deletes the row") << true << false;
        QTest::newRow("ValuePicked clears the browser") << true << true;
        QTest::newRow("HintChanged deletes the row") << false << false;
        QTest::newRow("HintChanged clears the browser") << false << true;
    }

    void slotDeletesRow()
    {
        QFETCH(bool, picked);
        QFETCH(bool, clear);
        Form f;
        QPointer<TDropList> editor = open(f.number);
        int calls = 0;
        const auto react = [&](TBaseItem* item) {
            if (item == f.number && !calls++)
                clear ? f.b->clear() : delete item;
        };
        if (picked) {
            connect(f.b.get(), &TValueBrowser::ValuePicked, react);
            type(f.number, "42");
        } else {
            connect(f.b.get(), &TValueBrowser::HintChanged, [&](const QString&, TBaseItem* item) { react(item); });
            f.b->setCurrentItem(f.flag);
            f.b->setCurrentItem(f.number);
        }
        flush();
        QVERIFY(calls == 1 && editor.isNull());
        QCOMPARE(f.b->topLevelItemCount(), clear ? 0 : 6);
        if (!clear) {
            type(f.point, "3,4"); // the browser carries on
            QCOMPARE(f.point->point(), QPoint(3, 4));
        }
    }

    void childDeletedWithEditorOpen()
    {
        Form f;
        f.point->showChildren(true);
        auto* x = TBaseValue::fromItem(f.point->child(0));
        auto* y = TBaseValue::fromItem(f.point->child(1));
        QPointer<TDropList> editor = open(x);
        QVERIFY(editor && y);
        QTest::keyClicks(editor->comboBox(), "9");
        delete x;
        flush();
        QVERIFY(editor.isNull());
        // The parent and the other child carry on.
        type(y, "7");
        QCOMPARE(f.point->point(), QPoint(1, 7));
        type(f.point, "5,6");
        QCOMPARE(val(y), QStringLiteral("6"));
    }
};

QTEST_MAIN(tst_Browser)
#include "tst_browser.moc"
