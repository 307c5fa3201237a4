// Built against the installed package: fills a browser, checks a value and
// that headers and library agree on the version.
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
    const bool versionsAgree = qstrcmp(tarvo_version(), TARVO_VERSION_STR) == 0
                               && TARVO_VERSION >= TARVO_VERSION_CHECK(0, 1, 0);
    return row && row->valueInt() == 7 && browser.headerItem()->text(0) == QLatin1String("Property")
                   && versionsAgree
               ? 0
               : 1;
}
