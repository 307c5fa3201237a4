#ifndef TARVO_TTEXTVALUE_H
#define TARVO_TTEXTVALUE_H

#include "tbasevalue.h"
#include "tpathtexteditors.h"

/// A string of any length, also with line breaks, taken as it is given. Its
/// "..." button opens the rich text editor dialog for longer texts.
class TARVO_EXPORT TTextValue : public TBaseValue
{
public:
    /// A top-level text value of browser named name; see TBaseItem for page
    /// and id. The browser owns the row.
    TTextValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    /// A text value under parent named name; the parent owns the row.
    TTextValue(TBaseItem* parent, const QString& name, int id = -1);
    /// Closes the editor; shared lists, validators and editors are not deleted.
    ~TTextValue() override;

    /// A text key that holds a string list (an unquoted text with commas,
    /// written by hand) reads as its items joined by ", "; a key holding
    /// another kind of value than text leaves the row (or its variable) as
    /// it is.
    void readDataSet(QSettings& settings) override;

    /// Shared by every text value that keeps its default button editor.
    static TTextButtonEditor s_TextButtonEditor;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) override;

protected:
    /// Rich text (as the text dialog makes it) is shown as its plain text;
    /// the value and its tool tip keep the markup.
    void drawDisplay(QPainter* painter, const QStyleOptionViewItem& option, const QRect& rect,
                     const QString& text) const override;

private:
    bool m_paintingValue = false;
    mutable QString m_richText;
    mutable QString m_plainText;
};

#endif // TARVO_TTEXTVALUE_H
