// Built against the installed package: fills a browser and checks a value.
#include <tarvo/tintegervalue.h>
#include <tarvo/tvaluebrowser.h>

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TValueBrowser browser;
    int width = 7;
    TIntegerValue* row = browser.addInt(0, QStringLiteral("Width"), QString(), QStringLiteral("width"),
                                        &width, LT_Int, nullptr);
    browser.updateFromLinked();
    return row && row->valueInt() == 7 && browser.headerItem()->text(0) == QLatin1String("Property") ? 0 : 1;
}
