#include "tvaluebrowserplugin.h"

#include "tvaluebrowser.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

TValueBrowserPlugin::TValueBrowserPlugin(QObject* parent)
    : QObject(parent)
{
}

QString TValueBrowserPlugin::name() const
{
    return QStringLiteral("TValueBrowser");
}

QString TValueBrowserPlugin::group() const
{
    return QStringLiteral("tarvo");
}

QString TValueBrowserPlugin::toolTip() const
{
    return QStringLiteral("Property browser");
}

QString TValueBrowserPlugin::whatsThis() const
{
    return QStringLiteral("A two-column tree of named, typed values that the user edits in place.");
}

QString TValueBrowserPlugin::includeFile() const
{
    return QStringLiteral("tvaluebrowser.h");
}

// A small sketch of the widget: a header band and three rows in two columns.
QIcon TValueBrowserPlugin::icon() const
{
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(0, 0, 21, 21);
    painter.fillRect(1, 1, 20, 5, QColor(0xc8, 0xd4, 0xe8));
    for (int y = 6; y < 21; y += 5)
        painter.drawLine(1, y, 20, y);
    painter.drawLine(10, 1, 10, 20);
    painter.fillRect(12, 8, 7, 2, QColor(0x1a, 0x5f, 0xb4));
    painter.fillRect(12, 13, 5, 2, QColor(0x1a, 0x5f, 0xb4));
    painter.fillRect(12, 18, 6, 2, QColor(0x1a, 0x5f, 0xb4));
    painter.end();
    return QIcon(pixmap);
}

bool TValueBrowserPlugin::isContainer() const
{
    return false;
}

QWidget* TValueBrowserPlugin::createWidget(QWidget* parent)
{
    return new TValueBrowser(parent);
}

QString TValueBrowserPlugin::domXml() const
{
    return QStringLiteral(
        "<ui language=\"c++\">\n"
        " <widget class=\"TValueBrowser\" name=\"valueBrowser\">\n"
        "  <property name=\"geometry\">\n"
        "   <rect><x>0</x><y>0</y><width>300</width><height>200</height></rect>\n"
        "  </property>\n"
        " </widget>\n"
        "</ui>\n");
}

bool TValueBrowserPlugin::isInitialized() const
{
    return m_initialized;
}

void TValueBrowserPlugin::initialize(QDesignerFormEditorInterface*)
{
    m_initialized = true;
}
