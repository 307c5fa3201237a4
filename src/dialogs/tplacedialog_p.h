#ifndef TARVO_TPLACEDIALOG_P_H
#define TARVO_TPLACEDIALOG_P_H

#include <QRect>
#include <QScreen>
#include <QWidget>

// Centres a dialog that has no parent over the window of anchor, within
// that window's screen, before it is shown. Without an anchor the dialog
// keeps Qt's own placement.
inline void tarvoPlaceDialogOver(QWidget* dialog, const QWidget* anchor)
{
    if (!dialog || !anchor)
        return;
    const QWidget* window = anchor->window();
    if (!dialog->testAttribute(Qt::WA_Resized))
        dialog->adjustSize();
    QRect frame(QPoint(), dialog->size());
    frame.moveCenter(window->frameGeometry().center());
    if (const QScreen* screen = window->screen()) {
        const QRect room = screen->availableGeometry();
        frame.moveLeft(qBound(room.left(), frame.left(), qMax(room.left(), room.right() - frame.width())));
        frame.moveTop(qBound(room.top(), frame.top(), qMax(room.top(), room.bottom() - frame.height())));
    }
    dialog->move(frame.topLeft());
}

#endif // TARVO_TPLACEDIALOG_P_H
