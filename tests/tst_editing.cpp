// The editing road as a person walks it: the in-place editor's keys,
// buttons, popup and dialogs, and what the browser draws, driven by real
// key, mouse and wheel events in an active window.
#include "tarvotest.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "qeltexteditordialog.h"
#include "tbasegroup.h"
#include "tcolorvalue.h"
#include "tdoublevalue.h"
#include "tfontvalue.h"
#include "tintegervalue.h"
#include "tpathvalue.h"
#include "tpointvalue.h"
#include "ttextvalue.h"

using namespace tt;

namespace {

// Gives the tests a cell's place and picture, as the view draws it.
class Browser : public TValueBrowser
{
public:
    QRect cellRect(QTreeWidgetItem* row, int column) const { return visualRect(indexFromItem(row, column)); }
    QImage cell(QTreeWidgetItem* row, int column) { return viewport()->grab(cellRect(row, column)).toImage(); }
};

bool isBold(const TDropList* editor) { return editor->lineEdit()->font().weight() == QFont::Bold; }

void wheel(QWidget* widget, QPoint delta)
{
    const QPoint pos = widget->rect().center();
    QWheelEvent e(pos, widget->mapToGlobal(pos), QPoint(), delta, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &e);
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

    QWidget* window = nullptr;
    Browser* b = nullptr;
    QLineEdit* other = nullptr;
    int widthVar = 7, heightVar = 3;
    double ratioVar = 1.5;
    TIntegerValue *width = nullptr, *height = nullptr;
    TDoubleValue* ratio = nullptr;

    bool focusIn(TBaseValue* row) const { return row->editor() && row->editor()->isAncestorOf(QApplication::focusWidget()); }
    TIntegerValue* addInt(const char* name) { return b->addInt(0, name, QString(), QString(), nullptr, -1); }

private slots:
    void init()
    {
        widthVar = 7, heightVar = 3;
        window = new QWidget;
        auto* layout = new QVBoxLayout(window);
        layout->addWidget(b = new Browser);
        layout->addWidget(other = new QLineEdit);
        b->setSpecialList(&TValueBrowser::s_specialList);
        width = b->addInt(0, "Width", QString(), "width", &widthVar, LT_Int);
        height = b->addInt(0, "Height", QString(), "height", &heightVar, LT_Int);
        ratio = b->addReal(0, "Ratio", QString(), "ratio", &ratioVar, LT_Double);
        b->updateFromLinked();
        b->storeSet();
        window->setGeometry(430, 40, 340, 260);
        window->show();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanup()
    {
        delete window;
        flush();
        TIntegerValue::s_NumButtonEditor->setStep(1.0);
    }

    void typedValueIsCommitted_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }
    void typedValueIsCommitted()
    {
        QFETCH(int, key);
        QSignalSpy picks(b, &TValueBrowser::ValuePicked);
        TDropList* editor = open(width);
        QVERIFY(!isBold(editor));
        type(width, "42", Qt::Key(key));
        QCOMPARE(shown(width), QString("42"));
        QCOMPARE(widthVar, 7);
        b->updateLinked();
        QCOMPARE(widthVar, 42);
        QCOMPARE(picks.count(), 1);
        QCOMPARE(picks.at(0).at(1).value<SValue>().value.toString(), QString("42"));
        // The value it has is no pick; a changed value is bold; typed text
        // is never an entry of its own.
        type(width, "42", Qt::Key(key));
        QCOMPARE(picks.count(), 1);
        QVERIFY(width->valueChanged() && isBold(editor));
        QCOMPARE(editor->comboBox()->findText("42"), -1);
        type(width, "7", Qt::Key(key));
        QVERIFY(!width->valueChanged() && !isBold(editor));
        // Rejected text is no value; Escape puts the last accepted text back.
        type(width, "abc");
        QCOMPARE(val(width), QString("7"));
        QCOMPARE(editor->lineEdit()->text(), QString("7"));
        QTest::keyClicks(editor->comboBox(), "99");
        QTest::keyClick(editor->comboBox(), Qt::Key_Escape);
        QCOMPARE(editor->lineEdit()->selectedText(), QString("7"));
        // Text that arrives without a key press survives the first fill.
        open(height)->lineEdit()->setText("55");
        tt::key(height, Qt::Key_Return);
        QCOMPARE(val(height), QString("55"));
    }

    // Leaving the editor commits only by a click elsewhere; after Tab the
    // editor shows the value again.
    void leaving_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("tab") << 0;
        QTest::newRow("other window") << 1;
        QTest::newRow("popup") << 2;
        QTest::newRow("click elsewhere") << 3;
    }
    void leaving()
    {
        QFETCH(int, how);
        QSignalSpy picked(b, &TValueBrowser::ValuePicked);
        open(width);
        QTRY_VERIFY(focusIn(width));
        QTest::keyClicks(QApplication::focusWidget(), how == 3 ? "42" : "Unused");
        QWidget otherWindow;
        if (how == 0) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTRY_VERIFY(!focusIn(width));
            QCOMPARE(width->editor()->lineEdit()->text(), QString("7"));
        } else if (how == 1) {
            otherWindow.show();
            QApplication::setActiveWindow(&otherWindow);
            QVERIFY(QTest::qWaitForWindowActive(&otherWindow));
        } else if (how == 2) {
            QVERIFY(!pick(width, "none"));
        } else {
            other->setFocus(Qt::MouseFocusReason);
        }
        QCOMPARE(picked.count(), int(how == 3));
        QCOMPARE(width->string(), QString(how == 3 ? "42" : "7"));
    }

    // Restore and the spin buttons leave the keyboard in the editor; restore
    // takes back typed text without a pick; real steps round, a typed real
    // truncates, compound rows round.
    void buttons_data()
    {
        QTest::addColumn<int>("arrow");
        QTest::addColumn<double>("step");
        QTest::addColumn<QString>("after");
        QTest::newRow("restore") << int(Qt::NoArrow) << 1.0 << "7";
        QTest::newRow("up by 0.5") << int(Qt::UpArrow) << 0.5 << "8";
        QTest::newRow("up by 2.5") << int(Qt::UpArrow) << 2.5 << "10";
        QTest::newRow("down by 7.6") << int(Qt::DownArrow) << 7.6 << "-1";
    }
    void buttons()
    {
        QFETCH(int, arrow);
        QFETCH(double, step);
        QFETCH(QString, after);
        TIntegerValue::s_NumButtonEditor->setStep(step);
        QSignalSpy picked(b, &TValueBrowser::ValuePicked);
        QAbstractButton* target = open(width)->restoreButton();
        for (QToolButton* spin : width->editor()->findChildren<QToolButton*>())
            target = spin->arrowType() == arrow ? spin : target;
        QTRY_VERIFY(focusIn(width));
        QTest::keyClicks(QApplication::focusWidget(), "33");
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(width->string(), after);
        QCOMPARE(picked.count(), int(arrow != Qt::NoArrow));
        QTRY_VERIFY(focusIn(width));
        QTest::keyClicks(QApplication::focusWidget(), "12.7\r");
        QCOMPARE(width->string(), QString("12"));
        TPointValue* point = b->addPoint(0, "Point", QString(), QString(), nullptr);
        point->setValue(QPointF(-2.5, 2.5));
        QCOMPARE(point->variant().toPoint(), QPointF(-2.5, 2.5).toPoint());
    }

    // Shift+arrows and the wheel step through the specials, no popup opens;
    // restore brings a special back; without specials nothing is stepped.
    void stepping()
    {
        QSignalSpy picks(b, &TValueBrowser::ValuePicked);
        key(width, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(width->value().kind, int(SK_Special));
        QCOMPARE(width->editor()->lineEdit()->text(), QString("Default"));
        key(width, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(shown(width), QString("No Value"));
        key(width, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(width->value().value.toUInt(), unsigned(SV_Default));
        for (int i = 0; i < 5; ++i)
            key(width, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(picks.count(), 7); // Bad Value is the last
        b->updateLinked();
        QCOMPARE(widthVar, int(SV_BadValue));
        TComboBox* combo = open(height)->comboBox();
        wheel(combo, QPoint(0, -120));
        wheel(combo, QPoint(-120, 0)); // sideways
        QCOMPARE(height->value().value.toUInt(), unsigned(SV_NoValue));
        wheel(combo, QPoint(0, 120));
        QCOMPARE(height->value().value.toUInt(), unsigned(SV_Default));
        QVERIFY(!combo->view()->isVisible());
        // A special baseline comes back as that special.
        b->storeSet();
        type(height, "13");
        key(height, Qt::Key_Escape, Qt::ShiftModifier);
        QCOMPARE(height->value().kind, int(SK_Special));
        QCOMPARE(height->editor()->lineEdit()->text(), QString("Default"));
        height->allowSpecials(false);
        QCOMPARE(combo->count(), 0);
        type(height, "4");
        key(height, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(shown(height), QString("4"));
        height->allowSpecials(true);
        QCOMPARE(combo->count(), 5);
    }

    // Names pick specials, numbers are numbers; the popup lists the
    // specials from the value column on.
    void specialNamesAndPopup()
    {
        type(width, "No Value");
        QCOMPARE(width->value().value.toUInt(), unsigned(SV_NoValue));
        QCOMPARE(width->editor()->comboBox()->currentIndex(), 1);
        QSignalSpy picks(b, &TValueBrowser::ValuePicked);
        QVERIFY(pick(width, "Default") && pick(width, "Default"));
        QCOMPARE(width->value().value.toUInt(), unsigned(SV_Default));
        QCOMPARE(picks.count(), 1); // the current entry again is no pick
        type(width, "8"); // the code of "Default"
        QCOMPARE(width->value().kind, int(SK_Value));
        QCOMPARE(width->editor()->comboBox()->currentIndex(), -1);
        TComboBox* combo = width->editor()->comboBox();
        QStringList names;
        for (int i = 0; i < combo->count(); ++i)
            names << combo->itemText(i);
        QCOMPARE(names, QStringList({"Default", "No Value", "Unused", "Empty", "Bad Value"}));
        QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
        auto* popup = combo->findChild<QFrame*>(QString(), Qt::FindDirectChildrenOnly);
        QTRY_VERIFY(popup && popup->isVisible());
        QCOMPARE(popup->geometry().left(),
                 b->viewport()->mapToGlobal(QPoint(b->header()->sectionViewportPosition(1), 0)).x() - 1);
        combo->hidePopup();
    }

    // The separator puts the text back; stepping never lands on it or on
    // the command after it.
    void separatorAndCommandEntries()
    {
        TColorValue* color = b->addColor(0, "Color", QString(), QString(), nullptr);
        color->setValue(QColor(Qt::red));
        QSignalSpy picks(b, &TValueBrowser::ValuePicked);
        QVERIFY(pick(color, QString()));
        QCOMPARE(color->editor()->lineEdit()->text(), shown(color));
        QCOMPARE(picks.count(), 0);
        TComboBox* combo = color->editor()->comboBox();
        for (int i = 0; i < combo->count(); ++i)
            key(color, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(combo->currentIndex(), combo->count() - 3);
        QCOMPARE(shown(color), combo->itemText(combo->count() - 3));
    }

    // Up and Down commit and move the editor; disabled rows are passed over
    // and lose their editor; editors open only in the value column.
    void arrowKeysAndDisabledRows()
    {
        QPointer<TDropList> first = open(width);
        QTest::keyClicks(first->comboBox(), "42");
        QTest::keyClick(first->comboBox(), Qt::Key_Down);
        QCOMPARE(val(width), QString("42"));
        QVERIFY(b->currentItem() == height && !width->editor() && height->editor());
        flush();
        QVERIFY(first.isNull());
        QTest::keyClicks(height->editor()->comboBox(), "5");
        QTest::keyClick(height->editor()->comboBox(), Qt::Key_Up);
        QCOMPARE(val(height), QString("5"));
        QVERIFY(b->currentItem() == width && isBold(width->editor()));
        height->setEnabled(false);
        key(width, Qt::Key_Down);
        QVERIFY(b->currentItem() == ratio);
        b->selectionModel()->setCurrentIndex(b->model()->index(1, 0), QItemSelectionModel::NoUpdate);
        QVERIFY(b->currentItem() == height && !height->editor() && !ratio->editor());
        height->setEnabled(true);
        QVERIFY(height->editor());
        height->setEnabled(false);
        QTRY_VERIFY(!height->editor() && b->findChildren<TDropList*>().isEmpty());
        height->setEnabled(true);
        open(ratio);
        const QRect name = b->cellRect(width, 0);
        QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, name.center());
        QTest::mouseDClick(b->viewport(), Qt::LeftButton, {}, name.center());
        for (TDropList* editor : b->findChildren<TDropList*>())
            QVERIFY(!editor->isVisible() || editor->geometry().left() >= name.right());
        b->setCurrentItem(new QTreeWidgetItem(b, QStringList("Plain")));
        flush();
        QVERIFY(b->findChildren<TDropList*>().isEmpty());
    }

    void rowsGoneWithEditorOpen_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("delete group") << 0;
        QTest::newRow("clear") << 1;
        QTest::newRow("move from ValuePicked") << 2;
        QTest::newRow("destroy window") << 3;
    }
    void rowsGoneWithEditorOpen()
    {
        QFETCH(int, how);
        TBaseGroup* group = b->addGroup("Margins");
        QVERIFY(b->setItemLevel(group, 0));
        TIntegerValue* child = b->addInt(1, "Left", QString(), "left", &heightVar, LT_Int);
        if (how == 2)
            connect(b, &TValueBrowser::ValuePicked, [&] { b->setCurrentItem(ratio); });
        QPointer<TDropList> editor = open(child);
        QTest::keyClicks(editor->comboBox(), "9");
        if (how == 0)
            delete group;
        else if (how == 1)
            b->clear();
        else if (how == 2)
            QTest::keyClick(editor->comboBox(), Qt::Key_Return);
        else
            delete window;
        flush();
        QVERIFY(editor.isNull());
        if (how == 3)
            return void(window = nullptr);
        QCOMPARE(heightVar, 3);
        type(b->addInt(0, "Again", QString(), "again", &widthVar, LT_Int), "11");
        b->updateLinked();
        QCOMPARE(widthVar, 11);
    }

    // A typed size not in the list applies on Return and joins no list.
    void textDialogTakesTypedSize()
    {
        double applied = 0;
        int added = -1;
        ModalAnswer<qelTextEditorDialog> answer([&](qelTextEditorDialog* dialog) {
            auto* edit = dialog->findChild<QTextEdit*>();
            edit->selectAll();
            QComboBox* sizes = nullptr;
            for (QComboBox* c : dialog->findChildren<QComboBox*>())
                sizes = c->inherits("QFontComboBox") ? sizes : c;
            const int count = sizes->count();
            sizes->lineEdit()->selectAll();
            QTest::keyClicks(sizes->lineEdit(), "13\r");
            applied = edit->textCursor().charFormat().fontPointSize();
            added = sizes->count() - count;
        });
        qelTextEditorDialog::getText("<b>rich</b> text");
        QCOMPARE(applied, 13.0);
        QCOMPARE(added, 0);
    }

    // Rows are as high as their font needs, and no higher for an open editor.
    void rowHeights()
    {
        open(height);
        b->doItemsLayout();
        const int before = b->visualItemRect(width).height();
        open(width);
        b->doItemsLayout();
        QCOMPARE(b->visualItemRect(height).height(), before);
        QFont big = b->font();
        big.setPointSizeF(big.pointSizeF() * 3);
        b->setFont(big);
        b->doItemsLayout();
        QVERIFY(b->visualItemRect(height).height() >= QFontMetrics(big).height());
    }

    // A group paints its band in a readable color, rich text shows as plain
    // text, an unchecked box is gone, a selected swatch keeps its color.
    void cellsDrawn()
    {
        TBaseGroup* group = b->addGroup("Group");
        const QRect band = b->cellRect(group, 1);
        QPixmap pixmap(b->viewport()->size());
        pixmap.fill(Qt::magenta);
        b->viewport()->render(&pixmap, band.topLeft(), QRegion(band), QWidget::DrawChildren);
        QCOMPARE(pixmap.toImage().pixel(band.center()), group->background(1).color().rgb());
        auto luminance = [](const QColor& c) {
            auto f = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * f(c.redF()) + 0.7152 * f(c.greenF()) + 0.0722 * f(c.blueF());
        };
        const double l1 = luminance(group->foreground(0).color()), l2 = luminance(group->background(0).color());
        QVERIFY((qMax(l1, l2) + 0.05) / (qMin(l1, l2) + 0.05) >= 4.5);
        TTextValue* rich = b->addText(0, "Text", QString(), QString(), nullptr);
        TTextValue* plain = b->addText(0, "Text", QString(), QString(), nullptr);
        QTextDocument document;
        document.setPlainText("Hello\nWorld");
        rich->setValue(document.toHtml());
        plain->setValue("Hello\nWorld");
        QCOMPARE(rich->variant().toString(), document.toHtml());
        QCOMPARE(b->cell(rich, 1), b->cell(plain, 1));
        TIntegerValue* was = addInt("Same");
        TIntegerValue* never = addInt("Same");
        was->setCheckable(true);
        was->setChecked(Qt::Checked);
        was->setCheckable(false);
        QCOMPARE(was->checked(), Qt::Checked);
        QCOMPARE(b->cell(was, 0), b->cell(never, 0));
        TColorValue* color = b->addColor(0, "Color", QString(), QString(), nullptr);
        color->setValue(QColor(255, 128, 0));
        open(color);
        const QImage swatch = b->cell(color, 1);
        bool found = false;
        for (int x = 0; x < color->iconSpace() && !found; ++x)
            found = swatch.pixelColor(x, swatch.height() / 2) == QColor(255, 128, 0);
        QVERIFY(found);
        TFontList::makeIcon(QFont(), 24, 12);
        QVERIFY(!TFontList::m_truetype->pixmap(16).isNull() && !TFontList::m_bitmap->pixmap(16).isNull());
    }

    void draggedColumnHolds()
    {
        QWidget* header = b->header()->viewport();
        const int start = b->header()->sectionSize(0), y = header->height() / 2;
        QTest::mousePress(header, Qt::LeftButton, {}, QPoint(start - 1, y));
        QMouseEvent move(QEvent::MouseMove, QPoint(start + 59, y), header->mapToGlobal(QPoint(start + 59, y)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(header, &move);
        QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(start + 59, y));
        QCOMPARE(b->header()->sectionSize(0), start + 60);
        window->resize(500, 300);
        QTRY_COMPARE(b->header()->sectionSize(0), int(66u * unsigned(b->width()) / 100u));
    }

    // storeSet() repaints a changed row at once (its bold goes).
    void storeSetRepaints()
    {
        width->setValue(9);
        b->setCurrentItem(nullptr);
        QCoreApplication::processEvents();
        b->viewport()->repaint(); // nothing left to paint
        struct Recorder : QObject {
            QRegion region;
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::Paint)
                    region += static_cast<QPaintEvent*>(e)->region();
                return false;
            }
        } recorder;
        b->viewport()->installEventFilter(&recorder);
        b->storeSet();
        QTRY_VERIFY(recorder.region.intersects(b->visualItemRect(width)));
    }

    // Dialogs open over the browser's window; a plain OK changes no font.
    void dialogsOverTheWindow_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("color") << 0;
        QTest::newRow("font") << 1;
        QTest::newRow("path") << 2;
        QTest::newRow("text") << 3;
    }
    void dialogsOverTheWindow()
    {
        QFETCH(int, kind);
        TBaseValue* row = kind == 0 ? static_cast<TBaseValue*>(b->addColor(0, "C", QString(), QString(), nullptr))
            : kind == 1             ? b->addFont(0, "F", QString(), QString(), nullptr)
            : kind == 2             ? static_cast<TBaseValue*>(b->addPath(0, "P", QString(), QString(), nullptr))
                                    : b->addText(0, "T", QString(), QString(), nullptr);
        if (kind == 1)
            row->setValue(QFont("DejaVu Sans", 10));
        const QString before = row->string();
        QSignalSpy picked(b, &TValueBrowser::ValuePicked);
        QPoint center;
        QVERIFY(clickDots<QDialog>(row, [&](QDialog* dialog) {
            center = dialog->frameGeometry().center();
            if (kind == 1)
                QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        }));
        QVERIFY(window->frameGeometry().contains(center));
        QCOMPARE(row->string(), before);
        QCOMPARE(picked.count(), 0);
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
