#include "tarvotest.h"

#include <QHeaderView>
#include <QSettings>
#include <QTemporaryDir>

#include "tboolvalue.h"
#include "tlistvalue.h"

using namespace tt;

struct Levels : TItemList // Low = 1, High = 2
{
    Levels() { setItem(1, QStringLiteral("Low")), setItem(2, QStringLiteral("High")); }
};

class TestListValues : public QObject
{
    Q_OBJECT

    TValueBrowser m_browser;
    Levels m_list;

private Q_SLOTS:
    void entriesAndOwnValues()
    {
        TListValue level(&m_browser, QStringLiteral("Level"), &m_list);
        QVERIFY(level.value().kind == SK_ListItem && level.currentEntry() == m_list.first() && shown(&level) == "Low");
        // A number, an entry's text, or a number of another type selects the entry.
        QVERIFY(level.setValue(2) && shown(&level) == "High");
        QVERIFY(level.setValue(QStringLiteral("Low")) && level.value().value == QVariant(1));
        QVERIFY(level.setValue(QVariant(2u)) && level.currentEntry() == m_list.at(1));
        // No list at all: anything goes.
        TListValue free(&m_browser, QStringLiteral("Free"), nullptr);
        QVERIFY(free.isOwnValues() && free.setValue(QStringLiteral("anything")) && shown(&free) == "anything");

        Levels list;
        TListValue value(&m_browser, QStringLiteral("Level"), &list);
        value.allowListAppending(true);
        // Without own values an outside value is refused and nothing is added.
        QVERIFY(!value.isOwnValues() && !value.setValue(3) && shown(&value) == "Low" && list.size() == 2);
        value.allowListAppending(false);
        value.allowOwnValues(true);
        QVERIFY(value.setValue(3) && value.value().kind == SK_Value && !value.currentEntry() && list.size() == 2);
        // Own values still go through the validator; only accepted ones are appended, once.
        TIntValidator small(0, 5);
        value.setValidator(&small);
        value.allowListAppending(true);
        QVERIFY(!value.setValue(QStringLiteral("abc")) && list.size() == 2);
        QVERIFY(value.setValue(9) && list.last()->text == "5" && value.currentEntry() == list.last());
        QVERIFY(value.setValue(1) && value.setValue(5) && list.size() == 3);
        // A list shared by two values grows for both.
        TListValue other(&m_browser, QStringLiteral("Other"), &list);
        QVERIFY(other.setValue(QStringLiteral("5")) && other.currentEntry() == list.last());
        // A validator that refuses every value does not touch a list entry.
        QRegExp never(QStringLiteral("x{100}"));
        TRegExpValidator strict(never, nullptr);
        QVERIFY(other.setValue(1));
        other.setValidator(&strict);
        QVERIFY(other.value().kind == SK_ListItem && shown(&other) == "Low");
    }

    void booleans()
    {
        TValueBrowser browser;
        bool flag = true;
        TBoolValue* value = browser.addBool(0, QStringLiteral("Flag"), QString(), QStringLiteral("flag"), &flag);
        QVERIFY(value->list() == &TBoolValue::s_BoolList && value->linkType() == LT_Bool && shown(value) == "False");
        browser.show();
        // Kind, boolean (unless special) and box, after a click on a column.
        const auto click = [&](int column) {
            const QPoint at(browser.header()->sectionViewportPosition(column) + 9, browser.visualItemRect(value).center().y());
            if (column >= 0)
                QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, at);
            const bool special = value->value().kind == SK_Special;
            return QString("%1 %2 %3").arg(value->value().kind).arg(special ? -1 : value->boolean()).arg(value->checkState(1));
        };
        browser.updateFromLinked();
        QCOMPARE(click(0), QString("%1 1 2").arg(SK_ListItem)); // the name column changes nothing
        QCOMPARE(click(1), QString("%1 0 0").arg(SK_ListItem));
        browser.updateLinked();
        QVERIFY(!flag);
        bool target = false; // each written value differs from the one before
        for (const QVariant& v : {QVariant(1), QVariant(0), QVariant(QStringLiteral("true"))})
            QVERIFY(value->setValue(v) && (value->writeValue(target), target == v.toBool()));
        // Without a special list nothing becomes special: the box stays in step.
        value->setSpecial(SV_Default);
        QVERIFY(click(-1) == QString("%1 1 2").arg(SK_ListItem) && shown(value) == "True");
        // A special value is a partly checked box; a click makes it true.
        browser.setSpecialList(&TValueBrowser::s_specialList);
        value->setValue(false);
        value->setSpecial(SV_Unused);
        QVERIFY(click(-1) == QString("%1 -1 1").arg(SK_Special) && shown(value) == "Unused");
        QVERIFY(click(1) == QString("%1 1 2").arg(SK_ListItem) && TBoolValue::s_BoolList.size() == 2);
    }

    void boundAndStored()
    {
        int level = 2;
        m_browser.setSpecialList(&TValueBrowser::s_specialList);
        TListValue* list = m_browser.addList(0, "Level", "hint", "level", &level, LT_Int, &m_list, true, false);
        TBoolValue* flag = m_browser.addBool(0, "Flag", QString(), "flag", nullptr);
        QVERIFY(list->isOwnValues() && !list->isListAppending());
        // Bound to a variable, picked from the popup, written back.
        m_browser.updateFromLinked();
        m_browser.show();
        QVERIFY(shown(list) == "High" && pick(list, "Low"));
        m_browser.updateLinked();
        QCOMPARE(level, 1);
        // Read back as text from the file, an entry and a special boolean return.
        QTemporaryDir dir;
        flag->setSpecial(SV_Unused);
        {
            QSettings settings(dir.filePath(QStringLiteral("lists.ini")), QSettings::IniFormat);
            m_browser.writeDataSet(settings);
        }
        QVERIFY(list->setValue(2) && flag->setValue(true));
        QSettings settings(dir.filePath(QStringLiteral("lists.ini")), QSettings::IniFormat);
        m_browser.readDataSet(settings);
        QVERIFY(list->currentEntry() == m_list.first());
        QVERIFY(flag->value().kind == SK_Special && flag->checkState(1) == Qt::PartiallyChecked);
        // The popup, opened with a click on the arrow, parts the special
        // values from the list with a gray line.
        TComboBox* combo = open(list)->comboBox();
        QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, QPoint(combo->width() - 4, combo->height() / 2));
        QAbstractItemView* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        const int separator = combo->count() - m_list.size() - 1;
        QVERIFY(separator > 0 && combo->itemText(separator).isEmpty());
        const QRect row = view->visualRect(view->model()->index(separator, 0));
        const QImage image = view->viewport()->grab().toImage();
        const auto gray = [&](int x) { return image.pixelColor(x, row.bottom() - row.height() / 2) == QColor(Qt::gray); };
        QVERIFY(gray(row.center().x()) && !gray(row.left() + 1) && !gray(row.right() - 1)); // two pixels in
        // The popup lines up with the value column, over its grid line.
        const QPoint column = m_browser.viewport()->mapToGlobal(QPoint(m_browser.header()->sectionViewportPosition(1), 0));
        QCOMPARE(view->window()->geometry().left(), column.x() - 1);
        combo->hidePopup();
    }
};

QTEST_MAIN(TestListValues)
#include "tst_listvalues.moc"
