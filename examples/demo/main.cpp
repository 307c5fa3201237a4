// A window showing a value browser filled with rows of the library's value
// types, bound to the demo's own settings.
//
//   tarvo_demo                    open the window
//   tarvo_demo --screenshot FILE  render the window to a PNG and exit

#include "tbasegroup.h"
#include "tdoublevalue.h"
#include "tintegervalue.h"
#include "tvaluebrowser.h"
#include "tvaluevalidator.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <QWidget>

namespace {

struct DemoSettings
{
    int width = 3;
    int opacity = 80;
    double scale = 1.5;
    double angle = 45.0;
    int retries = 5;
};

class DemoWindow : public QWidget
{
public:
    DemoWindow()
    {
        setWindowTitle(QStringLiteral("tarvo demo"));
        auto* layout = new QVBoxLayout(this);
        m_browser = new TValueBrowser(this);
        m_browser->setSpecialList(&TValueBrowser::s_specialList, false);
        layout->addWidget(m_browser, 1);
        m_hint = new QLabel(this);
        m_hint->setWordWrap(true);
        layout->addWidget(m_hint);
        QObject::connect(m_browser, &TValueBrowser::ItemHint, m_hint, &QLabel::setText);

        fill();
        m_browser->updateFromLinked();
        m_browser->storeSet();
        resize(480, 420);
    }

private:
    void fill()
    {
        TValueBrowser* b = m_browser;
        b->setItemLevel(b->addGroup(QStringLiteral("Line"), QStringLiteral("Line")), 0);
        b->addInt(1, QStringLiteral("Width"), QStringLiteral("Line width in pixels"), QStringLiteral("width"),
                  &m_settings.width, LT_Int, &m_widthRange);
        b->addInt(1, QStringLiteral("Opacity"), QStringLiteral("Opacity in percent"), QStringLiteral("opacity"),
                  &m_settings.opacity, LT_Int, &m_percent);

        b->setItemLevel(b->addGroup(QStringLiteral("Transform"), QStringLiteral("Transform"), true), 0);
        b->addReal(1, QStringLiteral("Scale"), QStringLiteral("Scale factor"), QStringLiteral("scale"),
                   &m_settings.scale, LT_Double, nullptr);
        b->addReal(1, QStringLiteral("Angle"), QStringLiteral("Rotation in degrees, 0 to 360"),
                   QStringLiteral("angle"), &m_settings.angle, LT_Double, &m_angleRange);

        b->setItemLevel(b->addGroup(QStringLiteral("Network"), QStringLiteral("Network")), 0);
        b->addInt(1, QStringLiteral("Retries"), QStringLiteral("How often to try again"), QStringLiteral("retries"),
                  &m_settings.retries, LT_Int, TIntValidator::s_ZeroPositiveValidator);
        b->addInt(1, QStringLiteral("Unset"), QStringLiteral("A row without a bound variable"),
                  QString(), nullptr, LT_Int, nullptr);
    }

    DemoSettings m_settings;
    TIntValidator m_widthRange{1, 20};
    TIntValidator m_percent{0, 100};
    TDoubleValidator m_angleRange{0.0, 360.0, 1};
    TValueBrowser* m_browser = nullptr;
    QLabel* m_hint = nullptr;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvo-demo"));
    QApplication::setOrganizationName(QStringLiteral("tarvo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows the tarvo value browser."));
    parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Render the window to a PNG file and exit."),
                                  QStringLiteral("file"));
    parser.addOption(screenshot);
    parser.process(app);

    DemoWindow window;
    window.show();

    if (parser.isSet(screenshot)) {
        QApplication::processEvents();
        const QPixmap shot = window.grab();
        return shot.save(parser.value(screenshot), "PNG") ? 0 : 1;
    }
    return app.exec();
}
