// The browser as a whole: its factory, levels and pages, tool tips, and
// rows, editors and dialogs that go while something still refers to them.
#include "tarvotest.h"

#include "tbasegroup.h"
#include "tboolvalue.h"
#include "tcolorvalue.h"
#include "tdoublevalue.h"
#include "tintegervalue.h"
#include "tpointvalue.h"

#include <QColorDialog>
#include <QHeaderView>
#include <QPointer>
#include <QStandardItemModel>
#include <QToolTip>

#include <memory>

using namespace tt;

namespace {

TIntegerValue* addInt(TValueBrowser& b, int level, const QString& name)
{
    return b.addInt(level, name, QString(), QString(), nullptr, LT_Int);
}

// A browser with a row of each type that has a shared editor or a dialog.
struct Form
{
    Form()
    {
        b->setSpecialList(&TValueBrowser::s_specialList);
        number = b->addInt(0, "Number", {}, {}, nullptr, LT_Int);
        flag = b->addBool(0, "Flag", {}, {}, nullptr);
        color = b->addColor(0, "Color", {}, {}, nullptr);
        b->addFont(0, "Font", {}, {}, nullptr);
        b->addPath(0, "Path", {}, {}, nullptr);
        b->addText(1, "Text", {}, {}, nullptr); // a child row
        point = b->addPoint(0, "Point", {}, {}, nullptr);
        point->setValue(QPoint(1, 2));
        b->show();
    }
    TBaseValue* row(const QString& name) { return TBaseValue::fromItem(b->findItems(name, Qt::MatchRecursive).value(0)); }

    std::unique_ptr<TValueBrowser> b = std::make_unique<TValueBrowser>();
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
    void cleanup() { flush(); }

    void widthScale()
    {
        // The first column takes the scale's share of the browser's width;
        // scales outside 5..95 are refused.
        TValueBrowser b;
        QVERIFY(b.widthScale() == 66 && !b.specialList() && b.changeInfo());
        for (const uint scale : {95u, 4u, 96u, 0u, 4000000000u})
            b.setWidthScale(scale);
        b.resize(401, 200);
        b.show();
        QTRY_COMPARE(b.header()->sectionSize(0), 380);
        b.setWidthScale(5);
        b.resize(900, 200);
        QTRY_COMPARE(b.header()->sectionSize(0), 45);
    }

    void factoryAndLevels()
    {
        TValueBrowser b;
        QVERIFY(!b.getItem(-1) && !addInt(b, 0, "") && !addInt(b, -1, "A") && !b.addGroup(""));
        QVERIFY(!b.addReal(-1, "R", QString(), QString(), nullptr, LT_Double) && !b.addValue(0, "", {}, {}, nullptr, -1));
        // Each level goes under the last row of the level above.
        TIntegerValue* a = addInt(b, 0, "A");
        QVERIFY(addInt(b, 1, "B")->parent() == a && a->isExpanded());
        a->setExpanded(false); // only the first child opens its parent
        TIntegerValue* c = addInt(b, 1, "C");
        TIntegerValue* d = addInt(b, 2, "D");
        QVERIFY(c->parent() == a && a->childCount() == 2 && !a->isExpanded() && d->parent() == c && b.getItem(-1) == a);
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
        for (const bool on : {false, true})
            second->setEnabled(on); // the current row keeps its place and its editor
        QVERIFY(b.currentItem() == first && !second->editor());
        QSignalSpy hint(&b, &TValueBrowser::HintChanged), itemHint(&b, &TValueBrowser::ItemHint);
        b.switchPage(0);
        b.switchPage(1);
        QVERIFY(first->isHidden() && !second->isHidden() && !child->isHidden());
        QVERIFY(hint.count() == 1 && hint.at(0).at(0) == "" && hint.at(0).at(2) == "");
        child->setVisible(false);
        b.switchPage(0);
        QVERIFY(hint.at(1).at(0) == "on page 0" && hint.at(1).at(2) == "First");
        QCOMPARE(itemHint.count(), 2);
        b.switchPage(1);
        QVERIFY(child->isHidden() && !child->visible());
        QStandardItemModel model(8, 1);
        b.switchPage(model.index(7, 0));
        QVERIFY(b.page() == 7 && second->isHidden());
        // An explicit page becomes the default; clear() and a new browser
        // reset it.
        QVERIFY((new TBaseValue(&b, "P5", 5))->page() == 5 && addInt(b, 0, "After")->page() == 5);
        QVERIFY((new TBaseValue(&b, "P0", 0))->page() == 0 && addInt(b, 0, "Then")->page() == 0);
        QPointer<QObject> gone(static_cast<QItemDelegate*>(first)); // null once the row is gone
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
        TValueBrowser b;
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
            const QPoint pos = b.visualRect(b.model()->index(b.indexOfTopLevelItem(item), 1)).center();
            QHelpEvent e(QEvent::ToolTip, pos, b.viewport()->mapToGlobal(pos));
            QCoreApplication::sendEvent(b.viewport(), &e);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QWidget other;
        for (QWidget* window : {static_cast<QWidget*>(&b), &other}) {
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
        }
        QCOMPARE(tip(plain), QString());
        b.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&b));
        QVERIFY(tip(fonted) == "font tip" && QToolTip::font() == tipFont);
        QVERIFY(tip(plain) == "plain tip" && QToolTip::font() == QFont());
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

    void sharedEditorsOutliveBrowser()
    {
        // Editors open in both browsers, through the shared spin, color,
        // font and text editors and the shared boolean and special lists;
        // one browser goes, the other one's editors still work.
        for (const bool firstGoes : {true, false}) {
            auto a = std::make_unique<Form>(), b = std::make_unique<Form>();
            for (Form* f : {a.get(), b.get()}) {
                for (const char* name : {"Number", "Flag", "Color", "Font", "Text"}) {
                    QVERIFY(open(f->row(name)));
                    f->row(name)->editor()->comboBox()->ensureFilled();
                }
            }
            (firstGoes ? a : b).reset();
            flush();
            Form& left = firstGoes ? *b : *a;
            type(left.number, "8");
            const QList<QAbstractButton*> steps = open(left.number)->buttonWidget()->findChildren<QAbstractButton*>();
            QVERIFY(!steps.isEmpty());
            steps.first()->click();
            QVERIFY(left.number->value().kind == SK_Value && qAbs(left.number->number() - 8) == 1);
            QVERIFY(pick(left.flag, TBoolValue::s_BoolList.at(1)->text) && left.flag->boolean());
            QVERIFY(pick(left.point, "Default") && left.point->value().kind == SK_Special);
            QVERIFY(clickDots<QColorDialog>(left.color, [](QColorDialog* dialog) {
                dialog->setCurrentColor(QColor(0, 0, 128));
                dialog->accept();
            }));
            QCOMPARE(left.color->color(), QColor(0, 0, 128));
        }
    }

    void slotDeletesRow()
    {
        // A slot deletes the row, or clears the browser, while the browser
        // is telling of it.
        for (const bool picked : {true, false}) {
            for (const bool clear : {true, false}) {
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
                QCOMPARE(f.b->topLevelItemCount(), clear ? 0 : 5);
            }
        }
    }
};

QTEST_MAIN(tst_Browser)
#include "tst_browser.moc"
