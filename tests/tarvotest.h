#ifndef TARVO_TARVOTEST_H
#define TARVO_TARVOTEST_H

// Helpers shared by the test suites. They take the road a user takes: make
// a row current, type into its editor and commit with a key, open the popup
// with Alt+Down and pick an entry through the popup's view, answer a modal
// dialog from inside its own event loop.

#include <QtTest>

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include <functional>

#include "tbasevalue.h"
#include "tcombobox_p.h"
#include "tdroplist_p.h"
#include "tvaluebrowser.h"

namespace tt {

// Runs the deletions that rows and editors post.
inline void flush()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The row's value as text, and what its value cell shows.
inline QString val(TBaseValue* row)
{
    return row->value().value.toString();
}
inline QString shown(const TBaseValue* row)
{
    return row->text(1);
}

// Makes the row current and returns the editor that opened on it.
inline TDropList* open(TBaseValue* row)
{
    row->browser()->setCurrentItem(row);
    return row->editor();
}

// Presses key (with modifiers) in the row's editor.
inline void key(TBaseValue* row, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    TDropList* editor = open(row);
    QVERIFY(editor);
    QTest::keyClick(editor->comboBox(), k, m);
}

// Types text over the editor's text and commits it with key.
inline void type(TBaseValue* row, const QString& text, Qt::Key k = Qt::Key_Return)
{
    TDropList* editor = open(row);
    QVERIFY(editor);
    editor->lineEdit()->selectAll();
    QTest::keyClicks(editor->comboBox(), text);
    QTest::keyClick(editor->comboBox(), k, k == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

// Opens the row's popup with Alt+Down and picks the entry with the given
// text through the popup's view. False when there is no such entry.
inline bool pick(TBaseValue* row, const QString& text)
{
    TDropList* editor = open(row);
    if (!editor)
        return false;
    TComboBox* combo = editor->comboBox();
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* view = combo->view();
    const int index = combo->findText(text);
    if (!QTest::qWaitFor([view] { return view->isVisible(); }) || index < 0) {
        combo->hidePopup();
        return false;
    }
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    return true;
}

// Calls answer with the next modal dialog, from a timer inside the
// dialog's own event loop. Gives up after about three seconds.
inline void onModal(const std::function<void(QDialog*)>& answer, int tries = 300)
{
    QTimer::singleShot(10, [=] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            answer(dialog);
        else if (tries > 0)
            onModal(answer, tries - 1);
    });
}

// Picks the entry of the row's popup that runs command (a dialog, mostly).
inline bool runCommand(TBaseValue* row, TComboEditor* command)
{
    TDropList* editor = open(row);
    if (!editor)
        return false;
    TComboBox* combo = editor->comboBox();
    combo->ensureFilled();
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->entryEditor(i) == command)
            return pick(row, combo->itemText(i));
    }
    return false;
}

} // namespace tt

#endif // TARVO_TARVOTEST_H
