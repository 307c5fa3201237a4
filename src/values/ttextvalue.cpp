#include "ttextvalue.h"

#include <QStringList>

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
