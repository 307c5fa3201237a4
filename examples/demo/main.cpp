// A window showing a value browser with a row of every value type, in groups
// on two pages, bound to the demo's own settings. The values are saved when
// the window closes and restored when it opens.
//
//   tarvo_demo                    open the window
//   tarvo_demo --screenshot FILE  render the window to a PNG and exit
//   tarvo_demo --lang de          show the library's texts in German
//   tarvo_demo --font-scale 150   use a font 150 % the size of the default
//   tarvo_demo --screenshot FILE --filter TEXT --page NAME --edit ROW=TEXT
//                                 the same, with a filter typed, a page shown
//                                 and values typed into rows first

#include "tbasegroup.h"
#include "tboolvalue.h"
#include "tcolorvalue.h"
#include "tcompoundvalidators.h"
#include "tdoublevalue.h"
#include "tfilteredit.h"
#include "tfontvalue.h"
#include "tintegervalue.h"
#include "tlistvalue.h"
#include "tpathvalue.h"
#include "tpointvalue.h"
#include "trangevalue.h"
#include "trectvalue.h"
#include "tsizevalue.h"
#include "ttextvalue.h"
#include "tvaluebrowser.h"
#include "tvaluevalidator.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColor>
#include <QCommandLineParser>
#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <QSettings>
#include <QSize>
#include <QTranslator>
#include <QUndoStack>
#include <QUndoView>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

// The widget the "Inspector" page edits live: a label with a text color.
class PreviewLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)

public:
    explicit PreviewLabel(QWidget* parent)
        : QLabel(QStringLiteral("Preview"), parent)
    {
        setObjectName(QStringLiteral("preview"));
        setAlignment(Qt::AlignCenter);
        setFrameShape(QFrame::StyledPanel);
        setMinimumHeight(48);
        setColor(QColor(0x20, 0x60, 0xa0));
    }
    QColor color() const { return m_color; }
    void setColor(const QColor& color)
    {
        if (color == m_color)
            return;
        m_color = color;
        setStyleSheet(QStringLiteral("color: %1").arg(color.name()));
        emit colorChanged(color);
    }

signals:
    void colorChanged(const QColor& color);

private:
    QColor m_color;
};

namespace {

// The application's own variables that the rows are bound to.
struct DemoSettings
{
    int width = 3;
    int opacity = 80;
    int style = 1;
    bool antialias = true;
    QColor color = QColor(0x1a, 0x2b, 0x3c);
    double scale = 1.5;
    double angle = 45.0;
    QPoint origin = QPoint(10, -20);
    QSize size = QSize(640, 480);
    QRect area = QRect(0, 0, 320, 200);
    QPoint zoomRange = QPoint(1, 8);
    QFont font = QFont(QStringLiteral("Sans Serif"), 10);
    QString title = QStringLiteral("Untitled drawing");
    QString folder = QStringLiteral("/tmp");
    int retries = 5;
};

class DemoWindow : public QWidget
{
public:
    explicit DemoWindow(bool persistent)
        : m_persistent(persistent)
    {
        setWindowTitle(QStringLiteral("tarvo demo"));

        m_styles.setItem(0, QStringLiteral("Solid"));
        m_styles.setItem(1, QStringLiteral("Dashed"));
        m_styles.setItem(2, QStringLiteral("Dotted"));

        auto* pages = new QListWidget(this);
        pages->addItems({QStringLiteral("Document"), QStringLiteral("Saving"), QStringLiteral("Inspector")});
        pages->setCurrentRow(0);
        // Wide enough for the page names in the application's font.
        pages->setMaximumWidth(pages->sizeHintForColumn(0) + 4 * pages->frameWidth() + 10);
        m_pages = pages;

        m_browser = new TValueBrowser(this);
        m_browser->setUndoStack(&m_undo);
        m_filter = new TFilterEdit(m_browser, this);
        m_preview = new PreviewLabel(this);
        m_preview->hide();
        m_browser->setSpecialList(&TValueBrowser::s_specialList, false);
        m_browser->setWidthScale(45);
        QObject::connect(pages, &QListWidget::currentRowChanged, m_browser,
                         QOverload<int>::of(&TValueBrowser::switchPage));
        QObject::connect(pages, &QListWidget::currentRowChanged, m_preview,
                         [this](int page) { m_preview->setVisible(page == InspectorPage); });

        m_hint = new QLabel(this);
        m_hint->setWordWrap(true);
        m_hint->setMinimumHeight(36);
        m_hint->setFrameShape(QFrame::StyledPanel);
        QObject::connect(m_browser, &TValueBrowser::HintChanged, m_hint,
                         [this](const QString& hint, TBaseItem*, const QString& name) {
                             m_hint->setText(name.isEmpty() ? QString()
                                                            : QStringLiteral("<b>%1</b>: %2").arg(name, hint));
                         });

        // The history of the user's edits, under the pages.
        auto* history = new QUndoView(&m_undo, this);
        history->setMaximumWidth(130);
        auto* side = new QVBoxLayout;
        side->addWidget(pages, 1);
        side->addWidget(history, 1);
        auto* column = new QVBoxLayout;
        column->addWidget(m_filter);
        column->addWidget(m_browser, 1);
        column->addWidget(m_preview);
        auto* top = new QHBoxLayout;
        top->addLayout(side);
        top->addLayout(column, 1);

        auto* buttons = new QHBoxLayout;
        auto addButton = [this, buttons](const QString& text, const QString& tip, auto slot) {
            auto* button = new QPushButton(text, this);
            button->setToolTip(tip);
            QObject::connect(button, &QPushButton::clicked, this, slot);
            buttons->addWidget(button);
        };
        addButton(QStringLiteral("Store"), QStringLiteral("Take the values shown as the new baseline"),
                  [this] { m_browser->storeSet(); m_browser->viewport()->update(); });
        addButton(QStringLiteral("Restore"), QStringLiteral("Go back to the baseline"),
                  [this] { m_browser->restoreSet(); });
        addButton(QStringLiteral("Apply"), QStringLiteral("Write the values into the application's variables"),
                  [this] { m_browser->updateLinked(); });
        addUndoButton(buttons, QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), &QUndoStack::undo,
                      &QUndoStack::canUndoChanged);
        addUndoButton(buttons, QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                      &QUndoStack::redo, &QUndoStack::canRedoChanged);
        buttons->addStretch();
        addButton(QStringLiteral("Save"), QStringLiteral("Save the values to the settings file"),
                  [this] { save(); });
        addButton(QStringLiteral("Load"), QStringLiteral("Load the values from the settings file"),
                  [this] { load(); });

        auto* layout = new QVBoxLayout(this);
        layout->addLayout(top, 1);
        layout->addWidget(m_hint);
        layout->addLayout(buttons);

        fill();
        m_browser->updateFromLinked();
        if (m_persistent)
            load();
        m_browser->storeSet();
        resize(640, 600);
    }

    // Makes the first row of that name current, so its in-place editor shows.
    void showEditorOn(const QString& name)
    {
        const QList<QTreeWidgetItem*> rows = m_browser->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        if (!rows.isEmpty())
            m_browser->setCurrentItem(rows.first());
    }

    // Types into the filter field as a user would.
    void typeFilter(const QString& text) { typeInto(m_filter, text, false); }

    // Types a value into a row's in-place editor and commits it with Return.
    void typeValue(const QString& name, const QString& text)
    {
        showEditorOn(name);
        QApplication::processEvents();
        if (QWidget* editor = QApplication::focusWidget())
            typeInto(editor, text, true);
    }

    void showPage(const QString& name)
    {
        const QList<QListWidgetItem*> rows = m_pages->findItems(name, Qt::MatchExactly);
        if (!rows.isEmpty())
            m_pages->setCurrentItem(rows.first());
    }

protected:
    void closeEvent(QCloseEvent* e) override
    {
        if (m_persistent)
            save();
        QWidget::closeEvent(e);
    }

private:
    enum { InspectorPage = 2 };

    static void typeInto(QWidget* widget, const QString& text, bool commit)
    {
        if (commit) {
            QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
            QCoreApplication::sendEvent(widget, &selectAll);
        }
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &press);
        }
        if (commit) {
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(widget, &enter);
        }
    }

    template<typename Signal>
    void addUndoButton(QHBoxLayout* buttons, const QString& text, const QKeySequence& key,
                       void (QUndoStack::*slot)(), Signal enabledSignal)
    {
        auto* button = new QPushButton(text, this);
        button->setToolTip(QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText)));
        button->setEnabled(false);
        QObject::connect(button, &QPushButton::clicked, &m_undo, slot);
        QObject::connect(&m_undo, enabledSignal, button, &QPushButton::setEnabled);
        auto* action = new QAction(text, this);
        action->setShortcut(key);
        QObject::connect(action, &QAction::triggered, &m_undo, slot);
        addAction(action);
        buttons->addWidget(button);
    }

    // The settings file under the user's configuration directory,
    // e.g. ~/.config/tarvo/tarvo-demo.ini.
    static std::unique_ptr<QSettings> openSettings()
    {
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("tarvo"), QStringLiteral("tarvo-demo"));
    }

    void save()
    {
        auto settings = openSettings();
        settings->clear();
        m_browser->writeDataSet(*settings);
    }

    void load()
    {
        auto settings = openSettings();
        m_browser->readDataSet(*settings);
    }

    void fill()
    {
        TValueBrowser* b = m_browser;
        DemoSettings& s = m_settings;
        const QString none;

        // Page 0: the document's look
        b->setItemLevel(b->addGroup(QStringLiteral("Line"), QStringLiteral("Line")), 0);
        b->addInt(1, QStringLiteral("Width"), QStringLiteral("Line width in pixels, 1 to 20"),
                  QStringLiteral("width"), &s.width, LT_Int, &m_widthRange);
        b->addInt(1, QStringLiteral("Opacity"), QStringLiteral("Opacity in percent"), QStringLiteral("opacity"),
                  &s.opacity, LT_Int, &m_percent);
        b->addList(1, QStringLiteral("Style"), QStringLiteral("How the line is drawn"), QStringLiteral("style"),
                   &s.style, LT_Int, &m_styles);
        b->addBool(1, QStringLiteral("Antialiasing"), QStringLiteral("Smooth the edges of the line"),
                   QStringLiteral("antialias"), &s.antialias);
        b->addColor(1, QStringLiteral("Color"), QStringLiteral("Pick a named color, type #rrggbb or use the dialog"),
                    QStringLiteral("color"), &s.color, nullptr);

        b->setItemLevel(b->addGroup(QStringLiteral("Geometry"), QStringLiteral("Geometry"), true), 0);
        b->addReal(1, QStringLiteral("Scale"), QStringLiteral("Scale factor"), QStringLiteral("scale"),
                   &s.scale, LT_Double, nullptr);
        b->addReal(1, QStringLiteral("Angle"), QStringLiteral("Rotation in degrees, 0 to 360"),
                   QStringLiteral("angle"), &s.angle, LT_Double, &m_angleRange);
        b->addPoint(1, QStringLiteral("Origin"), QStringLiteral("Origin as x,y"), QStringLiteral("origin"),
                    &s.origin, nullptr);
        b->addSize(1, QStringLiteral("Canvas"), QStringLiteral("Canvas size as width,height"),
                   QStringLiteral("canvas"), &s.size, &m_canvasRange);
        b->addRect(1, QStringLiteral("Area"), QStringLiteral("Visible area as x,y,width,height"),
                   QStringLiteral("area"), &s.area, nullptr);
        b->addRange(1, QStringLiteral("Zoom"), QStringLiteral("Lowest and highest zoom, as min : max"),
                    QStringLiteral("zoom"), &s.zoomRange, nullptr);

        b->setItemLevel(b->addGroup(QStringLiteral("Document"), QStringLiteral("Document")), 0);
        b->addText(1, QStringLiteral("Title"), QStringLiteral("Edit longer texts with the ... button"),
                   QStringLiteral("title"), &s.title);
        b->addFont(1, QStringLiteral("Font"), QStringLiteral("Font of the body text"), QStringLiteral("font"),
                   &s.font, nullptr);
        TPathValue* folder = b->addPath(1, QStringLiteral("Folder"), QStringLiteral("Where documents are saved"),
                                        QStringLiteral("folder"), &s.folder);
        folder->setPickMode(QFileDialog::Directory);

        // Page 1: saving
        b->addPage();
        b->setItemLevel(b->addGroup(QStringLiteral("Saving"), QStringLiteral("Saving")), 0);
        b->addInt(1, QStringLiteral("Retries"), QStringLiteral("How often saving is tried again"),
                  QStringLiteral("retries"), &s.retries, LT_Int, TIntValidator::s_ZeroPositiveValidator);
        TIntegerValue* unset = b->addInt(1, QStringLiteral("Unset"), QStringLiteral("A row without a variable"),
                                         none, nullptr, LT_Int, nullptr);
        unset->setSpecial(SV_Default);

        // Page 2: the preview label's own properties, edited live. The
        // classes it inherits start folded.
        b->addPage();
        b->addObject(m_preview, QStringLiteral("Preview"));
        for (const char* inherited : {"QObject", "QWidget", "QFrame"}) {
            const auto rows = b->findItems(QLatin1String(inherited), Qt::MatchExactly | Qt::MatchRecursive);
            for (QTreeWidgetItem* row : rows)
                row->setExpanded(false);
        }
    }

    bool m_persistent;
    DemoSettings m_settings;
    TItemList m_styles;
    TIntValidator m_widthRange{1, 20};
    TIntValidator m_percent{0, 100};
    TDoubleValidator m_angleRange{0.0, 360.0, 1};
    TSizeValidator m_canvasRange{nullptr, 1, 10000, 1, 10000};
    QUndoStack m_undo;
    QListWidget* m_pages = nullptr;
    TValueBrowser* m_browser = nullptr;
    TFilterEdit* m_filter = nullptr;
    PreviewLabel* m_preview = nullptr;
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
    QCommandLineOption lang(QStringLiteral("lang"),
                            QStringLiteral("Show the library's texts in a language, such as de."),
                            QStringLiteral("code"));
    parser.addOption(lang);
    QCommandLineOption fontScale(QStringLiteral("font-scale"),
                                 QStringLiteral("Scale the application font, in percent (such as 150)."),
                                 QStringLiteral("percent"));
    parser.addOption(fontScale);
    QCommandLineOption filter(QStringLiteral("filter"), QStringLiteral("Type a text into the filter field."),
                              QStringLiteral("text"));
    parser.addOption(filter);
    QCommandLineOption page(QStringLiteral("page"), QStringLiteral("Show a page: Document, Saving or Inspector."),
                            QStringLiteral("name"));
    parser.addOption(page);
    QCommandLineOption edit(QStringLiteral("edit"), QStringLiteral("Type a value into a row (repeatable)."),
                            QStringLiteral("row=text"));
    parser.addOption(edit);
    parser.process(app);

    // Rows follow the font: a larger font gives taller rows.
    const double scale = parser.value(fontScale).toDouble();
    if (scale > 0) {
        QFont font = QApplication::font();
        font.setPointSizeF(font.pointSizeF() * scale / 100.0);
        QApplication::setFont(font);
    }

    // The library's translation is installed before any browser is built.
    // It is looked for beside the program, then where the library installs it.
    QTranslator translator;
    if (parser.isSet(lang)) {
        const QString file = QStringLiteral("tarvo_") + parser.value(lang);
        const QString dir = QCoreApplication::applicationDirPath();
        if (translator.load(file, dir)
            || translator.load(file, dir + QStringLiteral("/../share/tarvo/translations")))
            QCoreApplication::installTranslator(&translator);
    }

    // A screenshot shows the demo's own values, not those saved last time.
    const bool shot = parser.isSet(screenshot);
    DemoWindow window(!shot);
    if (scale > 0)
        window.resize(window.size() * (scale / 100.0));
    window.show();

    window.activateWindow();
    QApplication::processEvents();
    if (parser.isSet(page))
        window.showPage(parser.value(page));
    for (const QString& e : parser.values(edit)) {
        const int eq = e.indexOf(QLatin1Char('='));
        if (eq > 0)
            window.typeValue(e.left(eq), e.mid(eq + 1));
    }
    if (parser.isSet(filter))
        window.typeFilter(parser.value(filter));

    if (shot) {
        if (!parser.isSet(filter) && !parser.isSet(page) && !parser.isSet(edit))
            window.showEditorOn(QStringLiteral("Color"));
        QApplication::processEvents();
        return window.grab().save(parser.value(screenshot), "PNG") ? 0 : 1;
    }
    return app.exec();
}

#include "main.moc"
