// The smallest complete use of tarvo: a window with a value browser whose
// rows are bound to two variables. Closing it prints the edited values.

#include <tarvo/tbasegroup.h>
#include <tarvo/tvaluebrowser.h>
#include <tarvo/tvaluevalidator.h>

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    int width = 3;
    bool visible = true;
    TIntValidator widthRange(1, 20);

    TValueBrowser browser;
    browser.setWindowTitle(QStringLiteral("tarvo"));
    browser.setSpecialList(&TValueBrowser::s_specialList);

    TBaseGroup* line = browser.addGroup("Line", "Line");
    browser.setItemLevel(line, 0);
    browser.addInt(1, "Width", "Line width in pixels", "width", &width, LT_Int, &widthRange);
    browser.addBool(1, "Visible", "Whether the line is drawn", "visible", &visible);

    browser.updateFromLinked();
    browser.storeSet();
    browser.resize(360, 200);
    browser.show();

    const int result = app.exec();

    browser.updateLinked();
    QTextStream(stdout) << "width = " << width << ", visible = " << (visible ? "true" : "false")
                        << '\n';
    return result;
}
