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
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

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

// Collects the regions a widget paints, once installed as its event filter.
struct PaintRecorder : QObject
{
    QRegion region;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

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

// While it lives, answers the next modal dialog of type Dialog from a timer
// inside the dialog's own event loop; a dialog left open is rejected.
template<typename Dialog = QDialog>
class ModalAnswer
{
public:
    explicit ModalAnswer(std::function<void(Dialog*)> answer) : m_answer(std::move(answer))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            m_timer.stop();
            m_seen = true;
            m_answer(dialog);
            if (dialog->isVisible())
                static_cast<QDialog*>(dialog)->reject();
        });
        m_timer.start(10);
    }
    bool seen() const { return m_seen; }

private:
    Q_DISABLE_COPY(ModalAnswer)
    std::function<void(Dialog*)> m_answer;
    QTimer m_timer;
    bool m_seen = false;
};

// Clicks the "..." button of the row's editor and lets answer handle the
// dialog it opens. False when there was no button or no dialog.
template<typename Dialog = QDialog>
bool clickDots(TBaseValue* row, const std::function<void(Dialog*)>& answer)
{
    TDropList* editor = open(row);
    auto* button = editor ? qobject_cast<QToolButton*>(editor->buttonWidget()) : nullptr;
    if (!button || button->text() != QLatin1String("..."))
        return false;
    ModalAnswer<Dialog> driver(answer);
    QTest::mouseClick(button, Qt::LeftButton);
    return driver.seen();
}

inline QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

// Goes to the file's folder in a file dialog and types the file's name, as
// a user does, then waits until the dialog takes it: its model fills
// asynchronously, and a name typed across folders may not be taken at all.
inline bool selectLoaded(QFileDialog* dialog, const QString& file)
{
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!name)
        return false;
    const QFileInfo info(file);
    dialog->setDirectory(info.absolutePath());
    return QTest::qWaitFor([&] {
        // Typed anew each time: the same text again would go unnoticed. The
        // entries the folder views had selected (the start folder, say) go,
        // as when the user clicks into the name field to type.
        for (const char* view : {"listView", "treeView"}) {
            if (auto* v = dialog->findChild<QAbstractItemView*>(QLatin1String(view)))
                v->clearSelection();
        }
        name->clear();
        name->setText(info.fileName());
        const QStringList chosen = dialog->selectedFiles();
        return chosen.size() == 1 && canonical(chosen.first()) == canonical(file);
    }, 30000);
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
