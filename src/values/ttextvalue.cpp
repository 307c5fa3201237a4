#include "ttextvalue.h"

#include <QStringList>
#include <QTextDocument>

TTextButtonEditor TTextValue::s_TextButtonEditor;

TTextValue::TTextValue(TValueBrowser* browser, const QString& name, int page, int id)
    : TBaseValue(browser, name, page, id)
{
    setButtonEditor(&s_TextButtonEditor);
}

TTextValue::TTextValue(TBaseItem* parent, const QString& name, int id)
    : TBaseValue(parent, name, id)
{
    setButtonEditor(&s_TextButtonEditor);
}

TTextValue::~TTextValue() = default;

void TTextValue::readDataSet(QSettings& settings)
{
    readDataSetAs(settings, [](QVariant& value) {
        switch (value.userType()) {
        case QMetaType::QString:
            return true;
        case QMetaType::QStringList:
            value = QVariant(value.toStringList().join(QStringLiteral(", ")));
            return true;
        case QMetaType::QByteArray:
            value = QVariant(QString::fromUtf8(value.toByteArray()));
            return true;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Bool:
            // Formats that keep types give numbers back as numbers.
            value = QVariant(value.toString());
            return true;
        default:
            return false;
        }
    });
}

void TTextValue::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    m_paintingValue = index.column() == 1;
    TBaseValue::paint(painter, option, index);
    m_paintingValue = false;
}

void TTextValue::drawDisplay(QPainter* painter, const QStyleOptionViewItem& option, const QRect& rect,
                             const QString& text) const
{
    if (!m_paintingValue || !Qt::mightBeRichText(text)) {
        TBaseValue::drawDisplay(painter, option, rect, text);
        return;
    }
    if (text != m_richText) {
        // The view has turned the markup's line breaks into line separators.
        QTextDocument document;
        document.setHtml(QString(text).replace(QChar::LineSeparator, QLatin1Char('\n')));
        m_richText = text;
        // Lines as the base class expects them: it shows the first one.
        m_plainText = document.toPlainText().replace(QLatin1Char('\n'), QChar::LineSeparator);
    }
    TBaseValue::drawDisplay(painter, option, rect, m_plainText);
}
