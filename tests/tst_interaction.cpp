// The editing road as a person walks it: focus, commits, dialogs and what
// the browser draws, driven by real key, mouse and wheel events.
#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

#include "qeltexteditordialog.h"
#include "tbasegroup.h"
#include "tcolorvalue.h"
#include "tcombobox_p.h"
#include "tdroplist_p.h"
#include "tfontvalue.h"
#include "tintegervalue.h"
#include "tpathvalue.h"
#include "tpointvalue.h"
#include "ttextvalue.h"
#include "tvaluebrowser.h"

namespace {

// Runs f on the modal dialog as soon as it is up, inside its own event loop.
void whenModal(std::function<void(QWidget*)> f)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, f] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            timer->deleteLater();
            timer->stop();
            if (!QTest::qWaitForWindowActive(dialog))
                qWarning("the dialog never became the active window");
            f(dialog);
        }
    });
    timer->start(10);
}

} // namespace

// Gives the tests the model index of a row, as the view knows it.
class Browser : public TValueBrowser
{
public:
    using TValueBrowser::TValueBrowser;
    QModelIndex index(QTreeWidgetItem* row, int column) const { return indexFromItem(row, column); }
};

static QImage cell(Browser* b, QTreeWidgetItem* row, int column)
{
    return b->viewport()->grab(b->visualRect(b->index(row, column))).toImage();
}

class tst_Interaction : public QObject
{
    Q_OBJECT

private:
    QWidget* window = nullptr;
    Browser* b = nullptr;
    TIntegerValue* num = nullptr;

    QWidget* focused() const { return QApplication::focusWidget(); }
    bool focusInEditor(TBaseValue* row) const { return row->editor() && row->editor()->isAncestorOf(focused()); }
    void enter(TBaseValue* row)
    {
        b->setCurrentItem(row);
        QTRY_VERIFY(focusInEditor(row));
    }
    TIntegerValue* addInt(const char* name) { return b->addInt(0, name, QString(), QString(), nullptr, -1); }
    void typeAndReturn(const QString& text)
    {
        QTest::keyClicks(focused(), text);
        QTest::keyClick(focused(), Qt::Key_Return);
    }

private Q_SLOTS:
    void init()
    {
        window = new QWidget;
        auto* layout = new QVBoxLayout(window);
        b = new Browser(window);
        layout->addWidget(b);
        b->setSpecialList(&TValueBrowser::s_specialList);
        num = addInt("Number");
        num->setValue(5);
        b->storeSet();
        window->setGeometry(430, 40, 340, 260);
        window->show();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanup()
    {
        delete window;
        TIntegerValue::s_NumButtonEditor->setStep(1.0);
    }

    // Typed text equal to an entry's is no commit unless Return or a click
    // elsewhere makes it one; after Tab the editor shows the value again.
    void leavingDoesNotCommit_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("tab") << 0;
        QTest::newRow("other window") << 1;
        QTest::newRow("popup") << 2;
    }
    void leavingDoesNotCommit()
    {
        QFETCH(int, how);
        QSignalSpy picked(b, &TValueBrowser::ValuePicked);
        enter(num);
        QTest::keyClicks(focused(), "Unused");
        QWidget otherWindow;
        if (how == 0) {
            QTest::keyClick(focused(), Qt::Key_Tab);
            QTRY_VERIFY(!focusInEditor(num));
            QCOMPARE(num->editor()->comboBox()->lineEdit()->text(), QString("5"));
        } else if (how == 1) {
            otherWindow.show();
            QApplication::setActiveWindow(&otherWindow);
            QVERIFY(QTest::qWaitForWindowActive(&otherWindow));
        } else {
            QTest::keyClick(focused(), Qt::Key_Down, Qt::AltModifier);
            QTRY_VERIFY(num->editor()->comboBox()->view()->isVisible());
            QTest::keyClick(num->editor()->comboBox()->view(), Qt::Key_Escape);
        }
        QCOMPARE(picked.count(), 0);
        QCOMPARE(num->string(), QString("5"));
    }

    // Restore and the spin buttons leave the keyboard in the editor; restore
    // takes back typed text without committing it; real steps round.
    void buttonsKeepFocus_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<double>("step");
        QTest::addColumn<QString>("after");
        QTest::newRow("restore") << "restore" << 1.0 << "5";
        QTest::newRow("up") << "up" << 1.0 << "6";
        QTest::newRow("up by 0.5") << "up" << 0.5 << "6";
        QTest::newRow("up by 2.5") << "up" << 2.5 << "8";
        QTest::newRow("down by 2.5") << "down" << 2.5 << "3";
        QTest::newRow("down by 7.6") << "down" << 7.6 << "-3";
    }
    void buttonsKeepFocus()
    {
        QFETCH(QString, button);
        QFETCH(double, step);
        QFETCH(QString, after);
        TIntegerValue::s_NumButtonEditor->setStep(step);
        QSignalSpy picked(b, &TValueBrowser::ValuePicked);
        enter(num);
        QTest::keyClicks(focused(), "33");
        QAbstractButton* target = num->editor()->findChild<QPushButton*>();
        for (QToolButton* arrow : num->editor()->findChildren<QToolButton*>()) {
            if (arrow->arrowType() == (button == "up" ? Qt::UpArrow : Qt::DownArrow) && button != "restore")
                target = arrow;
        }
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(num->string(), after);
        QCOMPARE(picked.count(), button == "restore" ? 0 : 1);
        QTRY_VERIFY(focusInEditor(num));
        typeAndReturn("12.7"); // a typed real is truncated
        QCOMPARE(num->string(), QString("12"));
    }

    void compoundRealsRound()
    {
        TPointValue* point = b->addPoint(0, "Point", QString(), QString(), nullptr);
        point->setValue(QPointF(-2.5, 2.5));
        QCOMPARE(point->variant().toPoint(), QPointF(-2.5, 2.5).toPoint());
    }

    void sidewaysWheelSteps()
    {
        enter(num);
        TComboBox* combo = num->editor()->comboBox();
        QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(-120, 0),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        QCOMPARE(num->value().kind, int(SK_Special));
    }

    void textDialogTakesTypedSize_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("13") << 13;
        QTest::newRow("100") << 100;
    }
    void textDialogTakesTypedSize()
    {
        QFETCH(int, size);
        double applied = 0;
        int added = -1;
        whenModal([&](QWidget* dialog) {
            auto* edit = dialog->findChild<QTextEdit*>();
            edit->selectAll();
            QComboBox* sizes = nullptr;
            for (QComboBox* c : dialog->findChildren<QComboBox*>())
                sizes = c->inherits("QFontComboBox") ? sizes : c;
            const int count = sizes->count();
            sizes->lineEdit()->selectAll();
            QTest::keyClicks(sizes->lineEdit(), QString::number(size));
            QTest::keyClick(sizes->lineEdit(), Qt::Key_Return);
            applied = edit->textCursor().charFormat().fontPointSize();
            added = sizes->count() - count;
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        qelTextEditorDialog::getText("<b>rich</b> text");
        QCOMPARE(applied, double(size));
        QCOMPARE(added, 0);
    }

    // Rows are as high as their font needs, and no higher for an open editor.
    void rowHeights()
    {
        TIntegerValue* second = addInt("Second");
        enter(second);
        b->doItemsLayout();
        const int height = b->visualItemRect(num).height();
        enter(num);
        b->doItemsLayout();
        QCOMPARE(b->visualItemRect(second).height(), height);
        enter(second);
        QFont big = b->font();
        big.setPointSizeF(big.pointSizeF() * 3);
        b->setFont(big);
        b->doItemsLayout();
        QVERIFY(b->visualItemRect(num).height() >= QFontMetrics(big).height());
    }

    void richTextShowsPlainText()
    {
        TTextValue* rich = b->addText(0, "Text", QString(), QString(), nullptr);
        TTextValue* plain = b->addText(0, "Text", QString(), QString(), nullptr);
        QTextDocument document;
        document.setPlainText("Hello\nWorld");
        rich->setValue(document.toHtml());
        plain->setValue("Hello\nWorld");
        b->storeSet();
        QCOMPARE(rich->variant().toString(), document.toHtml());
        QCOMPARE(cell(b, rich, 1), cell(b, plain, 1));
    }

    void draggedColumnHolds()
    {
        QHeaderView* header = b->header();
        const int start = header->sectionSize(0);
        const int y = header->height() / 2;
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(start - 1, y));
        QMouseEvent move(QEvent::MouseMove, QPointF(start + 59, y), header->viewport()->mapToGlobal(QPoint(start + 59, y)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(header->viewport(), &move);
        QCoreApplication::processEvents();
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(start + 59, y));
        QCoreApplication::processEvents();
        QCOMPARE(header->sectionSize(0), start + 60);
        window->resize(500, 300);
        QTRY_COMPARE(header->sectionSize(0), int(66u * unsigned(b->width()) / 100u));
    }

    void swatchKeepsItsColorWhenSelected()
    {
        TColorValue* color = b->addColor(0, "Color", QString(), QString(), nullptr);
        color->setValue(QColor(255, 128, 0));
        enter(color);
        const QImage image = cell(b, color, 1);
        bool found = false;
        for (int x = 0; x < color->iconSpace() && !found; ++x)
            found = image.pixelColor(x, image.height() / 2) == QColor(255, 128, 0);
        QVERIFY(found);
    }

    void storeSetRepaints()
    {
        TIntegerValue* row = addInt("Row");
        row->setValue(7);
        b->setCurrentItem(nullptr);
        QCoreApplication::processEvents();
        b->viewport()->repaint(); // nothing left to paint
        QRegion painted;
        struct Recorder : QObject {
            QRegion* region;
            explicit Recorder(QRegion* r) : region(r) {}
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::Paint)
                    *region += static_cast<QPaintEvent*>(e)->region();
                return false;
            }
        } recorder(&painted);
        b->viewport()->installEventFilter(&recorder);
        b->storeSet();
        QTRY_VERIFY(painted.intersects(b->visualItemRect(row)));
    }

    void uncheckableHidesBox()
    {
        TIntegerValue* was = addInt("Same");
        TIntegerValue* never = addInt("Same");
        was->setCheckable(true);
        was->setChecked(Qt::Checked);
        was->setCheckable(false);
        QCOMPARE(was->checked(), Qt::Checked);
        QCOMPARE(cell(b, was, 0), cell(b, never, 0));
    }

    // Re-enabled rows open no editor over their name; disabled ones close it.
    void enabling()
    {
        num->setEnabled(false);
        num->setEnabled(true);
        enter(addInt("Second"));
        const QRect name = b->visualItemRect(num).intersected(b->visualRect(b->index(num, 0)));
        QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, name.center());
        QTest::mouseDClick(b->viewport(), Qt::LeftButton, {}, name.center());
        QCoreApplication::processEvents();
        for (TDropList* editor : b->findChildren<TDropList*>())
            QVERIFY(!editor->isVisible() || editor->geometry().left() >= name.right());
        enter(num);
        num->setEnabled(false);
        QVERIFY(!num->editor());
        QTRY_VERIFY(b->findChildren<TDropList*>().isEmpty());
    }

    void groupBand()
    {
        TBaseGroup* group = b->addGroup("Group");
        const QRect value = b->visualRect(b->index(group, 1));
        QPixmap pixmap(b->viewport()->size());
        pixmap.fill(Qt::magenta);
        b->viewport()->render(&pixmap, value.topLeft(), QRegion(value), QWidget::DrawChildren);
        QCOMPARE(pixmap.toImage().pixel(value.center()), group->background(1).color().rgb());
        auto luminance = [](const QColor& c) {
            auto f = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * f(c.redF()) + 0.7152 * f(c.greenF()) + 0.0722 * f(c.blueF());
        };
        const double a = luminance(group->foreground(0).color());
        const double c = luminance(group->background(0).color());
        QVERIFY((qMax(a, c) + 0.05) / (qMin(a, c) + 0.05) >= 4.5);
    }

    void fontTypeIcons()
    {
        TFontList::makeIcon(QFont(), 24, 12);
        QVERIFY(!TFontList::m_truetype->pixmap(16).isNull());
        QVERIFY(!TFontList::m_bitmap->pixmap(16).isNull());
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
        TBaseValue* row = nullptr;
        if (kind == 0)
            row = b->addColor(0, "Color", QString(), QString(), nullptr);
        else if (kind == 1)
            row = b->addFont(0, "Font", QString(), QString(), nullptr);
        else if (kind == 2)
            row = b->addPath(0, "Path", QString(), QString(), nullptr);
        else
            row = b->addText(0, "Text", QString(), QString(), nullptr);
        if (kind == 1)
            row->setValue(QFont("DejaVu Sans", 10));
        const QString before = row->string();
        QSignalSpy picked(b, &TValueBrowser::ValuePicked);
        enter(row);
        QPoint center;
        whenModal([&](QWidget* dialog) {
            center = dialog->frameGeometry().center();
            if (kind == 1)
                QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
            else
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QToolButton* dots = row->editor()->findChild<QToolButton*>();
        QTest::mouseClick(dots, Qt::LeftButton);
        QVERIFY(window->frameGeometry().contains(center));
        QCOMPARE(row->string(), before);
        QCOMPARE(picked.count(), 0);
    }
};

QTEST_MAIN(tst_Interaction)
#include "tst_interaction.moc"
