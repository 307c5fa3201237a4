// The filter, undo/redo and live object properties, driven by real keys
// and clicks in a window with a filter field over the browser.
#include "tarvotest.h"

#include <QColor>
#include <QTreeWidgetItemIterator>
#include <QUndoStack>
#include <QVBoxLayout>

#include <memory>

#include "tbasegroup.h"
#include "tboolvalue.h"
#include "tfilteredit.h"
#include "tintegervalue.h"
#include "tpointvalue.h"

using namespace tt;

// An object inspected live by the browser.
class Probe : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int level MEMBER level NOTIFY levelChanged)
    Q_PROPERTY(Mode mode MEMBER mode)
    Q_PROPERTY(QColor color MEMBER color)
    Q_PROPERTY(QString serial READ serial)
    Q_PROPERTY(Qt::Alignment align MEMBER align)
public:
    enum Mode { Slow, Fast };
    Q_ENUM(Mode)
    QString serial() const { return QStringLiteral("X1"); }
    int level = 1;
    Mode mode = Slow;
    QColor color = Qt::red;
    Qt::Alignment align = Qt::AlignLeft;
signals:
    void levelChanged();
};

namespace {

struct Fixture
{
    QWidget window;
    TValueBrowser* browser = new TValueBrowser;
    TFilterEdit filter{browser, &window};
    QUndoStack stack;
    int width = 3;
    TIntegerValue* widthRow;
    TBoolValue* smoothRow;
    TPointValue* originRow;
    Fixture()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(&filter);
        layout->addWidget(browser);
        TValueBrowser& b = *browser;
        b.setSpecialList(&TValueBrowser::s_specialList);
        b.setItemLevel(b.addGroup("Line", "Line"), 0);
        widthRow = b.addInt(1, "Width", "", "width", &width, LT_Int);
        b.addInt(1, "Opacity", "", "opacity", nullptr, LT_Int)->setValue(42);
        b.addInt(1, "Widget", "", "", nullptr, LT_Int)->setVisible(false);
        smoothRow = b.addBool(1, "Smooth", "", "smooth", nullptr);
        smoothRow->addCheckProperty("on", nullptr, LT_Bool);
        b.setItemLevel(b.addGroup("Geometry", "Geometry"), 0);
        originRow = b.addPoint(1, "Origin", "", "origin", nullptr);
        originRow->setValue(QPoint(1, 2));
        originRow->showChildren(true);
        b.addPage();
        b.addInt(0, "Retries", "", "", nullptr, LT_Int);
        b.updateFromLinked();
        b.storeSet();
        b.setUndoStack(&stack);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    QStringList shown() const
    {
        QStringList names;
        for (QTreeWidgetItemIterator it(browser, QTreeWidgetItemIterator::NotHidden); *it; ++it)
            names << (*it)->text(0);
        return names;
    }
    TBaseValue* row(const char* name) const
    {
        return dynamic_cast<TBaseValue*>(browser->findItems(name, Qt::MatchRecursive).last());
    }
    // A shortcut in the current row's editor, or in the browser without one.
    void shortcut(Qt::KeyboardModifiers mods = Qt::ControlModifier)
    {
        auto* current = dynamic_cast<TBaseValue*>(browser->currentItem());
        QWidget* target = current && current->editor() ? current->editor()->comboBox() : nullptr;
        QTest::keyClick(target ? target : browser, Qt::Key_Z, mods);
    }
};

} // namespace

class tst_Extensions : public QObject
{
    Q_OBJECT

private slots:
    void filter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("name, any case") << "WID" << "Line,Width";
        QTest::newRow("value text") << "42" << "Line,Opacity";
        QTest::newRow("all words") << "or 1,2" << "Geometry,Origin,X coordinate,Y coordinate";
        QTest::newRow("group name keeps its rows") << "geo" << "Geometry,Origin,X coordinate,Y coordinate";
        QTest::newRow("no match") << "width 42" << "";
    }
    void filter()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        Fixture f;
        const QStringList before = f.shown();
        QVERIFY(!before.contains("Widget") && !before.contains("Retries"));
        open(f.smoothRow);
        f.filter.setFocus();
        QTest::keyClicks(&f.filter, text);
        QCOMPARE(f.browser->filter(), text);
        QCOMPARE(f.shown().join(','), shown);
        QVERIFY(!f.smoothRow->editor()); // its row is filtered out
        // A new row (on page 1) follows the filter, and so does page 1.
        f.browser->addInt(0, "Width 2", "", "", nullptr, LT_Int);
        f.browser->switchPage(1);
        QCOMPARE(f.shown(), shown.contains("Width") ? QStringList("Width 2") : QStringList());
        f.browser->switchPage(0);
        f.filter.selectAll();
        QTest::keyClick(&f.filter, Qt::Key_Backspace);
        QCOMPARE(f.shown(), before);
    }

    void undo_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("after");
        QTest::newRow("typed") << 0 << "Width" << "9";
        QTest::newRow("spin steps merge") << 1 << "Width" << "5";
        QTest::newRow("restore") << 2 << "Width" << "3";
        QTest::newRow("check box") << 3 << "Smooth" << "2";
        QTest::newRow("compound child") << 4 << "Origin" << "7,2";
    }
    void undo()
    {
        QFETCH(int, edit);
        QFETCH(QString, row);
        QFETCH(QString, after);
        Fixture f;
        TBaseValue* item = f.row(row.toLatin1());
        auto state = [&] { return edit == 3 ? QString::number(item->checked()) : item->text(1); };
        if (edit == 2)
            type(f.widthRow, "9");
        const QString before = state();
        const int commands = f.stack.count();
        if (edit == 0)
            type(f.widthRow, "9");
        else if (edit == 1) {
            for (QToolButton* up : open(f.widthRow)->findChildren<QToolButton*>()) {
                if (up->arrowType() == Qt::UpArrow) {
                    QTest::mouseClick(up, Qt::LeftButton);
                    QTest::mouseClick(up, Qt::LeftButton);
                }
            }
        } else if (edit == 2)
            key(f.widthRow, Qt::Key_Escape, Qt::ShiftModifier);
        else if (edit == 3) {
            const QRect cell = f.browser->visualItemRect(f.smoothRow);
            QTest::mouseClick(f.browser->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 9, cell.center().y()));
            QTRY_COMPARE(f.smoothRow->checked(), Qt::Checked);
        } else
            type(f.originRow->registeredChild(0), "7");
        QCOMPARE(state(), after);
        QCOMPARE(f.stack.count(), commands + 1);
        QSignalSpy picked(f.browser, &TValueBrowser::ValuePicked);
        f.shortcut();
        QCOMPARE(state(), before);
        QCOMPARE(picked.count(), 1);
        f.shortcut(Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(state(), after);
        // The application's own changes push nothing.
        f.widthRow->setValue(11);
        f.browser->updateFromLinked();
        f.browser->restoreSet();
        f.browser->storeSet();
        QCOMPARE(f.stack.count(), commands + 1);
    }

    void inspector()
    {
        Fixture f;
        Probe probe;
        TBaseGroup* group = f.browser->addObject(&probe, "Probe");
        f.browser->storeSet();
        QCOMPARE(group->text(0), QString("Probe"));
        QCOMPARE(group->child(1)->text(0), QString("Probe"));
        QCOMPARE(f.row("level")->text(1), QString("1"));
        QVERIFY(!(f.row("serial")->flags() & Qt::ItemIsEnabled));
        type(f.row("level"), "5");
        type(f.row("mode"), "Fast");
        type(f.row("AlignBottom"), "True");
        QCOMPARE(probe.align, Qt::AlignLeft | Qt::AlignBottom);
        type(f.row("align"), "AlignRight");
        QCOMPARE(probe.align, Qt::AlignRight);
        type(f.row("color"), "#00ff00");
        QCOMPARE(probe.level, 5);
        QCOMPARE(probe.mode, Probe::Fast);
        QCOMPARE(probe.color, QColor(Qt::green));
        f.shortcut();
        QCOMPARE(probe.color, QColor(Qt::red));
        // Behind the browser's back: the row follows, and nothing is pushed.
        QSignalSpy picked(f.browser, &TValueBrowser::ValuePicked);
        const int commands = f.stack.count();
        probe.setProperty("level", 7);
        QCOMPARE(f.row("level")->text(1), QString("7"));
        QCOMPARE(picked.count() + f.stack.count(), commands);
        f.browser->restoreSet();
        QCOMPARE(probe.level, 1);
        QCOMPARE(probe.mode, Probe::Slow);
        QTemporaryDir dir;
        QSettings settings(dir.filePath("p.ini"), QSettings::IniFormat);
        probe.setProperty("level", 6);
        f.browser->writeDataSet(settings);
        QCOMPARE(settings.group() + settings.value("level").toString(), QString("Probe6"));
        probe.setProperty("level", 2);
        f.browser->readDataSet(settings);
        QCOMPARE(probe.level, 6);
    }

    // Commands whose row or browser is gone do nothing; an inspected object
    // destroyed disables its rows and closes their editor; removed groups
    // hear nothing more.
    void lifetimes()
    {
        auto f = std::make_unique<Fixture>();
        auto probe = std::make_unique<Probe>();
        TBaseGroup* group = f->browser->addObject(probe.get());
        TBaseValue* level = f->row("level");
        QPointer<TDropList> editor = open(level);
        probe.reset(); // while the row's editor is open
        QVERIFY(!(level->flags() & Qt::ItemIsEnabled) && !level->editor());
        if (editor)
            QTest::keyClicks(editor->comboBox(), "3\r");
        auto other = std::make_unique<Probe>();
        f->browser->addObject(other.get());
        delete group;
        delete f->browser->findItems("Probe", Qt::MatchExactly).first();
        other->setProperty("level", 9); // no rows left to reach
        QCOMPARE(f->browser->findItems("level", Qt::MatchRecursive).count(), 0);
        type(f->widthRow, "9");
        type(f->widthRow, "8");
        delete f->widthRow;
        f->stack.undo(); // the row is gone: nothing to do
        f->browser->clear();
        f->stack.undo();
        QCOMPARE(f->stack.index(), 0);
        type(f->browser->addInt(0, "New", "", "", nullptr, LT_Int), "4");
        delete f->browser;
        f->stack.undo();
        QCOMPARE(f->stack.index(), 0);
    }
};

QTEST_MAIN(tst_Extensions)
#include "tst_extensions.moc"
