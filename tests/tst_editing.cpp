// The editing road walked with real key, mouse and wheel events in an active
// window: the editor, its popup and dialogs, what the browser draws, the
// filter, undo/redo and live object properties, and hand-written settings.
#include "tarvotest.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTextEdit>
#include <QToolTip>
#include <QUndoStack>
#include <QVBoxLayout>

#include <unistd.h>

#include "qeltexteditordialog.h"
#include "tbasegroup.h"
#include "tboolvalue.h"
#include "tcolorvalue.h"
#include "tcompoundvalidators.h"
#include "tdoublevalue.h"
#include "tfilteredit.h"
#include "tfontvalue.h"
#include "tintegervalue.h"
#include "tlistvalue.h"
#include "tpathvalue.h"
#include "tpointvalue.h"
#include "trangevalue.h"
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

// The spin button of the row's editor with the given arrow, else restore.
QAbstractButton* button(TBaseValue* row, int arrow)
{
    QAbstractButton* found = open(row)->restoreButton();
    for (QToolButton* spin : row->editor()->findChildren<QToolButton*>())
        found = spin->arrowType() == arrow ? spin : found;
    return found;
}

// Answers a color dialog with blue, a font dialog with a 31 pt font.
void answerPick(QDialog* dialog)
{
    if (auto* colors = qobject_cast<QColorDialog*>(dialog))
        colors->setCurrentColor(Qt::blue);
    if (auto* fonts = qobject_cast<QFontDialog*>(dialog))
        fonts->setCurrentFont(QFont("Serif", 31));
}

// Writes the browser's values to a fresh file and reads them back.
void roundTrip(TValueBrowser* browser, const std::function<void()>& between)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("rt.ini"), QSettings::IniFormat);
    browser->writeDataSet(settings);
    between();
    browser->readDataSet(settings);
}

} // namespace

// An object inspected live by the browser.
class Probe : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int level MEMBER level NOTIFY levelChanged)
    Q_PROPERTY(int secret MEMBER secret DESIGNABLE false)
    Q_PROPERTY(QFont font MEMBER font)
    Q_PROPERTY(qint64 stamp MEMBER stamp)
    Q_PROPERTY(Mode mode MEMBER mode)
    Q_PROPERTY(QColor color MEMBER color)
    Q_PROPERTY(QString serial READ objectName)
    Q_PROPERTY(Qt::Alignment align MEMBER align)
public:
    enum Mode { Slow, Fast };
    Q_ENUM(Mode)
    int level = 1, secret = 0;
    QFont font;
    qint64 stamp = 0;
    Mode mode = Slow;
    QColor color = Qt::red;
    Qt::Alignment align = Qt::AlignLeft;
signals:
    void levelChanged();
};

class TestEditing : public QObject
{
    Q_OBJECT

    QWidget* window = nullptr;
    Browser* b = nullptr;
    QLineEdit* other = nullptr;
    int widthVar = 7, heightVar = 3, numberVar = 5;
    double ratioVar = 1.5;
    QColor colorVar;
    QFont fontVar;
    TIntegerValue *width = nullptr, *height = nullptr, *number = nullptr;
    TDoubleValue* ratio = nullptr;
    TColorValue *color = nullptr, *color2 = nullptr;
    TFontValue *font = nullptr, *font2 = nullptr;
    TBoolValue* smooth = nullptr;
    TPointValue* origin = nullptr;
    TFilterEdit* filterEdit = nullptr;
    QUndoStack stack;

    QStringList shownRows() const
    {
        QStringList names;
        for (QTreeWidgetItemIterator it(b, QTreeWidgetItemIterator::NotHidden); *it; ++it)
            names << (*it)->text(0);
        return names;
    }
    TBaseValue* row(const char* name) const
    {
        return dynamic_cast<TBaseValue*>(b->findItems(name, Qt::MatchRecursive).last());
    }
    // Reads a settings file of the given lines.
    void read(const QByteArray& lines)
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("set.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(lines) == lines.size() && file.flush());
        QSettings settings(file.fileName(), QSettings::IniFormat);
        b->readDataSet(settings);
    }

    bool focusIn(TBaseValue* row) const { return row->editor() && row->editor()->isAncestorOf(QApplication::focusWidget()); }
    TIntegerValue* addInt(const char* name) { return b->addInt(0, name, QString(), QString(), nullptr, -1); }

private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void init()
    {
        widthVar = 7, heightVar = 3, numberVar = 5, colorVar = QColor(Qt::red), fontVar = QFont("Sans", 10);
        window = new QWidget;
        auto* layout = new QVBoxLayout(window);
        layout->addWidget(b = new Browser);
        layout->addWidget(filterEdit = new TFilterEdit(b));
        layout->addWidget(other = new QLineEdit);
        b->setSpecialList(&TValueBrowser::s_specialList);
        width = b->addInt(0, "Width", QString(), "width", &widthVar, LT_Int);
        height = b->addInt(0, "Height", QString(), "height", &heightVar, LT_Int);
        ratio = b->addReal(0, "Ratio", QString(), "ratio", &ratioVar, LT_Double);
        smooth = b->addBool(0, "Smooth", QString(), "smooth", nullptr);
        smooth->addCheckProperty("on", nullptr, LT_Bool);
        b->setItemLevel(b->addGroup("Geometry", "Geometry"), 0);
        origin = b->addPoint(1, "Origin", QString(), "origin", nullptr);
        origin->setValue(QPoint(1, 2));
        origin->showChildren(true);
        // Rows in settings section "A" for the settings, color and font tests.
        b->setItemLevel(b->addGroup("G", "A"), 0);
        number = b->addInt(1, "n", QString(), "n", &numberVar, LT_Int);
        color = b->addColor(1, "c", QString(), "c", &colorVar);
        font = b->addFont(1, "f", QString(), "f", &fontVar);
        color2 = b->addColor(1, "c2", QString(), QString(), nullptr);
        font2 = b->addFont(1, "f2", QString(), QString(), nullptr);
        b->updateFromLinked();
        b->storeSet();
        stack.clear();
        b->setUndoStack(&stack);
        window->setGeometry(430, 40, 340, 600);
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
    // truncates (keypad Enter commits), refused text is put back, compound
    // rows round.
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
        QAbstractButton* target = button(width, arrow);
        QTRY_VERIFY(focusIn(width));
        QTest::keyClicks(QApplication::focusWidget(), "33");
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(width->string(), after);
        QCOMPARE(picked.count(), int(arrow != Qt::NoArrow));
        QTRY_VERIFY(focusIn(width));
        type(width, "12.7", Qt::Key_Enter);
        type(width, "Un"); // refused, not completed to "Unused"
        QCOMPARE(width->editor()->lineEdit()->text() + width->string(), QString("1212"));
        QInputMethodEvent composed; // text from an input method, then Return
        composed.setCommitString("4");
        QCoreApplication::sendEvent(open(height)->lineEdit(), &composed);
        key(height, Qt::Key_Return);
        QCOMPARE(height->string(), QString("4"));
        origin->setValue(QPointF(-2.5, 2.5));
        QCOMPARE(origin->variant().toPoint(), QPointF(-2.5, 2.5).toPoint());
    }

    // Shift+arrows and the wheel (also sideways) step through the specials
    // and open no popup; restore brings a special back; names are specials
    // and numbers are numbers; without specials nothing is stepped.
    void stepping()
    {
        QSignalSpy picks(b, &TValueBrowser::ValuePicked);
        for (int i = 0; i < 6; ++i)
            key(width, Qt::Key_Down, Qt::ShiftModifier);
        key(width, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(shown(width), QString("Empty"));
        QCOMPARE(picks.count(), 6); // Bad Value is the last
        TComboBox* combo = open(height)->comboBox();
        wheel(combo, QPoint(0, -120));
        wheel(combo, QPoint(-120, 0));
        wheel(combo, QPoint()); // a touchpad gesture's start or end
        QCOMPARE(shown(height), QString("No Value"));
        wheel(combo, QPoint(0, 120));
        QCOMPARE(combo->lineEdit()->text(), QString("Default"));
        QVERIFY(!combo->view()->isVisible());
        b->storeSet();
        type(height, "13");
        key(height, Qt::Key_Escape, Qt::ShiftModifier);
        QCOMPARE(height->value().kind, int(SK_Special));
        QVERIFY(pick(height, "No Value") && pick(height, "No Value"));
        QCOMPARE(picks.count(), 11); // the current entry again is no pick
        type(height, "Unused");
        QCOMPARE(height->value().value.toUInt(), unsigned(SV_Unused));
        type(height, "8"); // the code of "Default"
        QCOMPARE(height->value().kind, int(SK_Value));
        height->allowSpecials(false);
        QCOMPARE(combo->count(), 0);
        key(height, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(shown(height), QString("8"));
        height->allowSpecials(true);
        QCOMPARE(combo->count(), 5);
    }

    // Up and Down commit and move the editor; disabled rows are passed over
    // and lose their editor; editors open only in the value column.
    void arrowKeysAndDisabledRows()
    {
        QTest::keyClicks(open(width)->comboBox(), "42");
        QTest::keyClick(width->editor()->comboBox(), Qt::Key_Down);
        QVERIFY(b->currentItem() == height && height->editor());
        QTest::keyClicks(height->editor()->comboBox(), "5");
        QTest::keyClick(height->editor()->comboBox(), Qt::Key_Up);
        QCOMPARE(val(width) + val(height), QString("425"));
        QVERIFY(b->currentItem() == width && isBold(width->editor()));
        height->setEnabled(false);
        key(width, Qt::Key_Down);
        QVERIFY(b->currentItem() == ratio);
        b->selectionModel()->setCurrentIndex(b->model()->index(1, 0), QItemSelectionModel::NoUpdate);
        QVERIFY(b->currentItem() == height && !height->editor() && !ratio->editor());
        height->setEnabled(true);
        QVERIFY(height->editor());
        QTRY_VERIFY(focusIn(height));
        // The keyboard stays in the browser when the current row is disabled.
        height->setEnabled(false);
        QTRY_VERIFY(!height->editor() && b->findChildren<TDropList*>().isEmpty() && b->hasFocus());
        const QRect name = b->cellRect(width, 0);
        QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, name.center());
        QTest::mouseDClick(b->viewport(), Qt::LeftButton, {}, name.center());
        for (TDropList* editor : b->findChildren<TDropList*>())
            QVERIFY(!editor->isVisible() || editor->geometry().left() >= name.right());
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

    // Rows are as high as the font needs, not the editor; a dragged divider holds until a resize.
    void layout()
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
        open(height);
        b->doItemsLayout();
        const int before = b->visualItemRect(width).height();
        TDropList* editor = open(width);
        b->doItemsLayout();
        QCOMPARE(b->visualItemRect(height).height(), before);
        // The editor's combo box takes its whole height.
        QCOMPARE(editor->comboBox()->geometry().height(), editor->height());
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
        rich->setValue(Qt::convertFromPlainText("Hello\nWorld"));
        plain->setValue("Hello\nWorld");
        QCOMPARE(rich->variant().toString(), Qt::convertFromPlainText("Hello\nWorld"));
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

    // storeSet() repaints a changed row at once (its bold goes).
    void storeSetRepaints()
    {
        width->setValue(9);
        b->setCurrentItem(nullptr);
        QCoreApplication::processEvents();
        b->viewport()->repaint(); // nothing left to paint
        PaintRecorder recorder;
        b->viewport()->installEventFilter(&recorder);
        b->storeSet();
        QTRY_VERIFY(recorder.region.intersects(b->visualItemRect(width)));
        // Its editor is not bold either, nor a changed one's without change info.
        QVERIFY(!isBold(open(width)));
        b->setChangeInfo(false);
        type(width, "11");
        QVERIFY(width->valueChanged() && !isBold(width->editor()));
        b->setChangeInfo(true);
    }

    // Dialogs open over the browser's window; a plain OK changes no font.
    void dialogsOverTheWindow()
    {
        font->setValue(QFont("DejaVu Sans", 10));
        for (TBaseValue* row : std::initializer_list<TBaseValue*>{color, font, b->addPath(0, "P", QString(), QString(), nullptr),
                                                                  b->addText(0, "T", QString(), QString(), nullptr)}) {
            const QString before = row->string();
            QPoint center;
            QVERIFY(clickDots<QDialog>(row, [&](QDialog* dialog) {
                center = dialog->frameGeometry().center();
                if (auto* buttons = dialog->findChild<QDialogButtonBox*>(); row == font)
                    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
            }));
            QVERIFY(window->frameGeometry().contains(center));
            QCOMPARE(row->string(), before);
        }
    }

    // A command acts for the drop list it was chosen in, also when another
    // browser fills its list before or while the dialog runs.
    void commandActsForItsOwnBrowser()
    {
        TValueBrowser second;
        second.show();
        auto fillTheirs = [&](int i) {
            TBaseValue* row = i ? static_cast<TBaseValue*>(second.addFont(0, "f", QString(), QString(), nullptr))
                                : second.addColor(0, "c", QString(), QString(), nullptr);
            open(row)->comboBox()->ensureFilled();
        };
        for (int i = 0; i < 2; ++i) {
            TBaseValue* mine = i ? static_cast<TBaseValue*>(font) : color;
            QVERIFY(!pick(mine, "none")); // fills our list
            fillTheirs(i);
            ModalAnswer<QDialog> answer([&](QDialog* dialog) {
                fillTheirs(i);
                answerPick(dialog);
                dialog->accept();
            });
            QVERIFY(pick(mine, i ? "Pick font..." : "Pick color..."));
            QTRY_VERIFY(answer.seen());
        }
        QCOMPARE(color->color(), QColor(Qt::blue));
        QCOMPARE(font->font().pointSize(), 31);
    }

    // A color or font dialog whose asking editor lost its row takes nothing.
    void dialogOutlivesEditor_data()
    {
        QTest::addColumn<bool>("fontRow");
        QTest::addColumn<bool>("button");
        QTest::addColumn<bool>("deleteBrowser");
        for (int i = 0; i < 8; ++i)
            QTest::addRow("%s %s, %s", i & 1 ? "font" : "color", i & 2 ? "button" : "entry",
                          i & 4 ? "browser deleteLater()" : "other row current")
                << bool(i & 1) << bool(i & 2) << bool(i & 4);
    }
    void dialogOutlivesEditor()
    {
        QFETCH(bool, fontRow);
        QFETCH(bool, button);
        QFETCH(bool, deleteBrowser);
        TBaseValue* row = fontRow ? static_cast<TBaseValue*>(font) : color;
        TBaseValue* other = fontRow ? static_cast<TBaseValue*>(font2) : color2;
        const QString before = shown(row), otherBefore = shown(other);
        QSignalSpy picks(b, &TValueBrowser::ValuePicked);
        QPointer<Browser> alive(b);
        bool activationDone = false, inActivation = false;
        connect(open(row)->comboBox(), &QComboBox::textActivated, [&] { activationDone = true; });
        ModalAnswer<QDialog> answer([&](QDialog* dialog) {
            inActivation = !button && !activationDone;
            answerPick(dialog);
            deleteBrowser ? b->deleteLater() : b->setCurrentItem(other);
            dialog->accept();
        });
        if (button)
            QTest::mouseClick(open(row)->buttonWidget(), Qt::LeftButton);
        else
            QVERIFY(pick(row, fontRow ? "Pick font..." : "Pick color..."));
        QTRY_VERIFY(answer.seen());
        QVERIFY(!inActivation);
        QCoreApplication::processEvents();
        if (deleteBrowser) // a browser deleted later still takes the pick
            QTRY_VERIFY(!alive);
        else {
            QCOMPARE(picks.count(), 0);
            QCOMPARE(shown(row), before);
            QCOMPARE(shown(other), otherBefore);
        }
    }

    // A current row hidden and shown again keeps its editor and typed text.
    void hiddenCurrentRowShownAgain()
    {
        QPointer<TDropList> editor = open(number);
        QTest::keyClicks(editor->comboBox(), "77");
        number->setVisible(false);
        b->setCurrentItem(number);
        number->setVisible(true);
        QCoreApplication::processEvents();
        QCOMPARE(number->editor(), editor.data());
        QCOMPARE(editor->lineEdit()->text(), QString("77"));
    }

    // A special list replaced refills the open editor; a caller's texts on
    // built-in entries are shown and found.
    void specialLists()
    {
        TItem* entry = TValueBrowser::s_specialList.findItem(int(SV_Default));
        TItem* yes = TBoolValue::s_BoolList.at(1);
        const QString oldEntry = entry->text, oldYes = yes->text;
        entry->text = "Std";
        yes->text = "Jawohl";
        number->setSpecial(SV_Default);
        const bool ok = shown(number) == "Std" && TValueBrowser::s_specialList.findItemByText("Std") == entry
            && TBoolValue::s_BoolList.findItemByText("Jawohl") == yes && entry->text == "Std";
        entry->text = oldEntry;
        yes->text = oldYes;
        QVERIFY(ok);
        number->setValue(5);
        b->setSpecialList(new SpecialValueList, false);
        QVERIFY(!pick(number, "none")); // fills the list from the empty one
        b->setSpecialList(&TValueBrowser::s_specialList, true);
        key(number, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(number->value().kind, int(SK_Special));
        b->setSpecialList(nullptr);
        QCOMPARE(number->editor()->comboBox()->findText("Default"), -1);
        QCOMPARE(number->editor()->lineEdit()->text(), shown(number));
    }

    // A translucent color or a QRgb number through the row, variable and settings.
    void colorValues()
    {
        QCOMPARE(TColorList::baseColorList().findItem(QColor(255, 0, 0, 128))->text, QString("Red"));
        const QList<std::tuple<QVariant, QColor, QString>> cases{
            {QColor(10, 20, 30, 40), QColor(10, 20, 30, 40), "#280a141e"},
            {"transparent", QColor(0, 0, 0, 0), "transparent"},
            {"4294901760", QColor(Qt::red), "Red"}};
        for (const auto& [input, expected, text] : cases) {
            QVERIFY(color->setValue(input));
            QCOMPARE(shown(color), text);
            b->updateLinked();
            QCOMPARE(colorVar, expected);
            roundTrip(b, [&] { color->setValue(QColor(Qt::green)); });
            QCOMPARE(color->color(), expected);
        }
    }

    // A font family outside the list reads back as itself, with Return or
    // Down; the entry picked is the entry shown, also where two name one
    // color; a range separator leaves the numbers whole.
    void typedAndPickedTexts()
    {
        fontVar = QFont("No Such Family Xq", 11);
        b->updateFromLinked();
        for (const Qt::Key k : {Qt::Key_Return, Qt::Key_Down}) {
            QVERIFY(!pick(font, "none")); // fills the list
            key(font, k);
            b->updateLinked();
            QCOMPARE(fontVar.family(), QString("No Such Family Xq"));
            QCOMPARE(shown(font), QString("No Such Family Xq [11]"));
        }
        TColorValue* named = b->addColor(1, "r", QString(), QString(), nullptr, &TColorList::registeredColorList());
        QSignalSpy picks(b, &TValueBrowser::ValuePicked);
        for (const QString entry : {"cyan", "grey", "grey", "transparent"}) {
            QVERIFY(pick(named, entry));
            QTRY_COMPARE(shown(named), entry);
            QCOMPARE(named->editor()->lineEdit()->text(), entry);
        }
        QCOMPARE(picks.count(), 3); // the current entry again is no pick
        for (int i = 0; i < 6; ++i) // past the specials: the family stepped to is shown in a tip
            wheel(open(font)->comboBox(), QPoint(0, -120));
        QCOMPARE(QToolTip::text(), font->font().family());
        TRangeValidator wide(nullptr, -100, 100, -100, 100);
        TRangeValue* ranged = b->addRange(1, "rg", QString(), QString(), nullptr, &wide);
        const QList<QPair<QString, QPointF>> cases{{"1.5..2.5", {1.5, 2.5}}, {"10.0..20.0", {10, 20}},
                                                   {"-1.5 .. -0.5", {-1.5, -0.5}}, {"10,-20", {10, -20}}};
        for (const auto& [text, range] : cases) {
            type(ranged, text);
            QCOMPARE(ranged->range(), range);
        }
    }

    // A stored special code is taken without a list and kept until the list
    // comes back; restoreSet() before any baseline keeps the check state;
    // "no value" goes through settings as "no value".
    void specialValuesAndListChanges()
    {
        number->setSpecial(SV_Default);
        b->setSpecialList(nullptr);
        b->setStoringPolicy(TValueBrowser::SP_Stored);
        read("[A]\nn=8\nn.Type=1\n");
        b->setStoringPolicy(TValueBrowser::SP_Current);
        // Still written as a special; read back with the list there.
        roundTrip(b, [&] { number->setValue(5); b->setSpecialList(&TValueBrowser::s_specialList); });
        QCOMPARE(shown(number), QString("Default"));
        number->setValue(5);
        b->restoreSet();
        QCOMPARE(number->value().kind, int(SK_Special));
        QCOMPARE(shown(number), QString("Default"));
        bool on = false;
        TIntegerValue* fresh = b->addInt(1, "m", QString(), "m", nullptr, LT_Int);
        fresh->addCheckProperty("m.on", &on, LT_Bool);
        fresh->setChecked(Qt::Checked);
        b->restoreSet();
        b->updateLinked();
        QVERIFY(on);
        TListValue* row = b->addList(1, "l", QString(), "l", nullptr, -1, nullptr, true);
        roundTrip(b, [&] { row->setValue("x"); });
        QVERIFY(!row->variant().isValid());
    }

    // Hand-written settings files: a corrupt blob is left out and the rest
    // is read; a text key takes a list or a number as text, nothing else.
    void readSettings_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<int>("policy");
        QTest::addColumn<QString>("state");
        const int current = TValueBrowser::SP_Current, linked = TValueBrowser::SP_Linked;
        QTest::newRow("reported") << QByteArray("rg=@Variant(\\0\\0\\0\\x81a?\\xf8)") << current << "7 1 2 kept";
        QTest::newRow("list of a huge count") << QByteArray("rg=@Variant(\\0\\0\\0\\ta?\\xf8)") << current << "7 1 2 kept";
        QTest::newRow("string list, raw bytes") << QByteArray("rg=@Variant(\0\0\0\x0b\x7f\xff\xff\xff)", 21) << current
                                                << "7 1 2 kept";
        QTest::newRow("list in a list") << QByteArray("rg=1, @Variant(\\0\\0\\0\\t\\0\\0\\0\\x1\\0\\0\\0\\t\\x7f\\0\\0\\0)")
                                        << current << "7 1 2 kept";
        QTest::newRow("sound point") << QByteArray("rg=@Variant(\\0\\0\\0\\x1a?\\xf8\\0\\0\\0\\0\\0\\0@\\b\\0\\0\\0\\0\\0\\0)")
                                     << current << "7 1.5 3 kept";
        for (const int policy : {current, linked}) {
            QTest::addRow("string list %d", policy) << QByteArray("note=Hello, world") << policy << "7 1 2 Hello, world";
            QTest::addRow("point %d", policy) << QByteArray("note=@Point(1 2)") << policy << "7 1 2 kept";
            QTest::addRow("bytes %d", policy) << QByteArray("note=@ByteArray(Hello)") << policy << "7 1 2 Hello";
        }
    }
    void readSettings()
    {
        QFETCH(QByteArray, lines);
        QFETCH(int, policy);
        QFETCH(QString, state);
        QString note = "kept";
        TTextValue* text = b->addText(1, "note", QString(), "note", &note);
        TRangeValue* range = b->addRange(1, "rg", QString(), "rg", nullptr);
        range->setValue(QPointF(1, 2));
        b->updateFromLinked();
        b->setStoringPolicy(TValueBrowser::EStoringPolicy(policy));
        read("[A]\n" + lines + "\nn=7\n");
        const bool linked = policy == TValueBrowser::SP_Linked;
        QCOMPARE(QString("%1 %2 %3 %4").arg(linked ? numberVar : number->number()).arg(range->range().x())
                     .arg(range->range().y()).arg(linked ? note : shown(text)), state);
    }

    void saveIntoReadOnlyDirectory()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("note.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("note") == 4);
        file.close();
        qelTextEditorDialog dialog;
        QVERIFY(dialog.loadFromFile(file.fileName()));
        QVERIFY(file.resize(0) && file.setPermissions(QFileDevice::Permissions(0x6666)));
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x5555)));
        // Root writes anywhere: the save runs as an ordinary user.
        const bool root = geteuid() == 0;
        QVERIFY(!root || seteuid(65534) == 0);
        const bool saved = dialog.saveToFile(file.fileName());
        QVERIFY(!root || seteuid(0) == 0);
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
        QVERIFY(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("note"));
    }

    void filter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("name, any case") << "HEIG" << "Height";
        QTest::newRow("value text") << "1.50" << "Ratio";
        QTest::newRow("all words") << "or 1,2" << "Geometry,Origin,X coordinate,Y coordinate";
        QTest::newRow("group name keeps its rows") << "geo" << "Geometry,Origin,X coordinate,Y coordinate";
        QTest::newRow("no match") << "height 1.50" << "";
    }
    void filter()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        addInt("Height hidden")->setVisible(false);
        const QStringList before = shownRows();
        open(smooth);
        filterEdit->setFocus();
        QTest::keyClicks(filterEdit, text);
        QCOMPARE(b->filter(), text);
        QCOMPARE(shownRows().join(','), shown);
        QVERIFY(!smooth->editor()); // its row is filtered out
        // A new row shows under a matching group, not under one kept for a child.
        b->setItemLevel(static_cast<TBaseItem*>(origin->parent()), 0);
        TIntegerValue* depth = b->addInt(1, "Depth", QString(), QString(), nullptr, -1);
        QCOMPARE(depth->isHidden(), text != "geo");
        delete depth;
        // A new row on a new page follows the filter, and so does the page.
        b->addPage();
        addInt("Height 2");
        b->switchPage(1);
        QCOMPARE(shownRows(), shown == "Height" ? QStringList("Height 2") : QStringList());
        b->switchPage(0);
        filterEdit->selectAll();
        QTest::keyClick(filterEdit, Qt::Key_Backspace);
        QCOMPARE(shownRows(), before);
    }

    // Each user edit is one command; undo and redo work from the keyboard;
    // the application's own changes push nothing.
    void undo_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("after");
        QTest::newRow("typed") << 0 << "9";
        QTest::newRow("spin steps merge") << 1 << "9";
        QTest::newRow("restore") << 2 << "7";
        QTest::newRow("check box") << 3 << "2";
        QTest::newRow("compound child") << 4 << "7,2";
    }
    void undo()
    {
        QFETCH(int, edit);
        QFETCH(QString, after);
        TBaseValue* item = edit == 3 ? smooth : edit == 4 ? static_cast<TBaseValue*>(origin) : width;
        auto state = [&] { return edit == 3 ? QString::number(item->checked()) : item->text(1); };
        if (edit == 2)
            type(width, "9");
        const QString before = state();
        const int commands = stack.count();
        if (edit == 0)
            type(width, "9");
        for (int i = 0; i < 2 && edit == 1; ++i)
            QTest::mouseClick(button(width, Qt::UpArrow), Qt::LeftButton);
        if (edit == 2)
            QTest::mouseClick(button(width, Qt::NoArrow), Qt::LeftButton);
        if (edit == 3)
            QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, b->visualItemRect(smooth).topLeft() + QPoint(9, 8));
        if (edit == 4)
            type(origin->registeredChild(0), "7");
        QCOMPARE(state(), after);
        QCOMPARE(stack.count(), commands + 1);
        QSignalSpy picked(b, &TValueBrowser::ValuePicked);
        key(item, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(state(), before);
        QCOMPARE(picked.count(), 1);
        QTest::keyClick(b, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(state(), after);
        width->setValue(11);
        b->updateFromLinked();
        b->restoreSet();
        b->storeSet();
        QCOMPARE(stack.count(), commands + 1);
    }

    void inspector()
    {
        Probe probe;
        TBaseGroup* group = b->addObject(&probe, "Probe");
        b->storeSet();
        QCOMPARE(group->text(0) + group->child(1)->text(0), QString("ProbeProbe"));
        QCOMPARE(group->child(1)->background(0), group->child(1)->background(1)); // one band
        QVERIFY(b->findItems("secret", Qt::MatchRecursive).isEmpty()); // not designable
        QCOMPARE(row("level")->text(1), QString("1"));
        QVERIFY(!(row("serial")->flags() & Qt::ItemIsEnabled));
        type(row("level"), "5");
        type(row("level"), "Default"); // a special is not written
        type(row("mode"), "Fast");
        QCOMPARE(row("AlignBottom")->properyName(), QString("align.AlignBottom")); // its settings key
        type(row("AlignBottom"), "True");
        type(row("AlignLeft"), "False");
        QCOMPARE(probe.align, Qt::AlignBottom);
        type(row("align"), "AlignRight");
        QCOMPARE(probe.align, Qt::AlignRight);
        type(row("font"), "Serif [31]");
        type(row("color"), "#00ff00");
        QCOMPARE(probe.font.pointSize(), 31);
        QCOMPARE(probe.level, 5);
        QCOMPARE(probe.mode, Probe::Fast);
        QCOMPARE(probe.color, QColor(Qt::green));
        key(row("color"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(probe.color, QColor(Qt::red));
        // Behind the browser's back: the row follows, and nothing is pushed.
        QSignalSpy picked(b, &TValueBrowser::ValuePicked);
        const int commands = stack.count();
        probe.setProperty("level", 7);
        QCOMPARE(row("level")->text(1), QString("7"));
        QCOMPARE(picked.count() + stack.count(), commands);
        probe.stamp = 9;
        b->restoreSet();
        QCOMPARE(probe.level, 1);
        QCOMPARE(probe.stamp, qint64(9)); // shown as text only, never written
        QCOMPARE(probe.mode, Probe::Slow);
    }

    // Commands whose row or browser is gone do nothing; an inspected object
    // destroyed disables its rows and closes their editor; removed groups
    // hear nothing more.
    void lifetimes()
    {
        auto probe = std::make_unique<Probe>();
        TBaseGroup* group = b->addObject(probe.get());
        TBaseValue* level = row("level");
        open(level);
        probe.reset(); // while the row's editor is open
        QVERIFY(!(level->flags() & Qt::ItemIsEnabled) && !level->editor());
        auto other = std::make_unique<Probe>();
        b->addObject(other.get());
        delete group;
        delete b->findItems("Probe", Qt::MatchExactly).first();
        other->setProperty("level", 9); // no rows left to reach
        QCOMPARE(b->findItems("level", Qt::MatchRecursive).count(), 0);
        type(width, "9");
        type(width, "8");
        delete width;
        stack.undo(); // the row is gone: nothing to do
        b->clear();
        stack.undo();
        QCOMPARE(stack.index(), 0);
        type(b->addInt(0, "New", "", "", nullptr, LT_Int), "4");
        // A browser destroyed with its window emits nothing on the way and
        // leaves the default page alone.
        TValueBrowser stays;
        QCOMPARE(stays.addPage(), 1);
        int late = 0;
        connect(b, &TValueBrowser::ItemHint, [&] { ++late; });
        connect(b, &TValueBrowser::ItemChanged, [&] { ++late; });
        delete window;
        window = nullptr;
        stack.undo();
        QCOMPARE(stack.index(), 0);
        QCOMPARE(late, 0);
        QCOMPARE(stays.addInt(0, "later", QString(), QString(), nullptr, -1)->page(), 1u);
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
