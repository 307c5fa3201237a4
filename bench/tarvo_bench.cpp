// Speed figures of the library, each measured against a baseline that does
// the bare Qt work of the same task in the same run. Every figure is the
// minimum over several repetitions, so a busy machine makes it no worse than
// the quietest repetition.
//
//   tarvo_bench [--reps N] [--instructions] [FILTER...]
//
// Times are CPU time of the GUI thread. FILTER selects figures whose name
// contains it (for example "fill" or "storeSet"); --side=ours or --side=base
// measures one side only, which is what a profiler run wants. Under
// callgrind, --instructions runs the figures that have an instruction
// target once each and dumps the instructions of every measured span under
// the figure's label (scripts/bench.sh reads them).

#include "tbasegroup.h"
#include "tintegervalue.h"
#include "tvaluebrowser.h"
#include "tvaluevalidator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <QTreeWidgetItemIterator>

#include <malloc.h>
#include <time.h>

#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define RUNNING_ON_VALGRIND 0
#define CALLGRIND_TOGGLE_COLLECT
#define CALLGRIND_DUMP_STATS_AT(label) (void)(label)
#endif

namespace {

enum class Side { Both, Ours, Base };

struct Options
{
    int reps = 5;
    Side side = Side::Both;
    // Only the figures whose target is in instructions, each once, with
    // callgrind collecting inside the measured parts (scripts/bench.sh).
    bool instructions = false;
    QStringList filters;
};

Options g_options;
bool g_allMet = true;
// The figure and side being measured, as the label of a callgrind dump.
QString g_label;

// Measures the CPU time of the GUI thread from construction to stop(), so
// other processes on a busy machine count less than in wall time. Under
// callgrind it collects instructions in the same span and dumps them under
// the figure's label (and `part`, for a second span of the same figure).
class Meter
{
public:
    explicit Meter(const QString& name = QString(), double target = 0)
        : m_label(name.isEmpty() ? g_label
                                 : name + QLatin1Char('\t') + g_label.section(QLatin1Char('\t'), 1, 1)
                      + QLatin1Char('\t') + QString::number(target))
        // Spans outside a figure (warming up) are not counted.
        , m_counted(g_options.instructions && RUNNING_ON_VALGRIND && !g_label.isEmpty())
    {
        if (m_counted)
            CALLGRIND_TOGGLE_COLLECT;
        m_start = now();
    }
    double stop()
    {
        const double ns = now() - m_start;
        if (m_counted) {
            CALLGRIND_TOGGLE_COLLECT;
            CALLGRIND_DUMP_STATS_AT(m_label.toUtf8().constData());
        }
        return ns;
    }

private:
    static double now()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
    }
    QString m_label;
    bool m_counted;
    double m_start = 0;
};

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

// Shows a widget and lets it lay out and paint itself once.
void showAndPaint(QWidget* widget)
{
    widget->show();
    QCoreApplication::processEvents();
    widget->repaint();
}

bool wanted(const QString& name)
{
    if (g_options.filters.isEmpty())
        return true;
    for (const QString& f : qAsConst(g_options.filters)) {
        if (name.contains(f, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// A timed task: prepares what it needs, then returns the nanoseconds of the
// part that is measured.
using Task = std::function<double()>;

double minimumNs(const Task& task, int reps)
{
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < reps; ++i)
        best = qMin(best, task());
    return double(best);
}

QString formatNs(double ns)
{
    if (ns >= 1e9)
        return QString::number(ns / 1e9, 'f', 3) + QLatin1String(" s");
    if (ns >= 1e6)
        return QString::number(ns / 1e6, 'f', 2) + QLatin1String(" ms");
    if (ns >= 1e3)
        return QString::number(ns / 1e3, 'f', 2) + QLatin1String(" us");
    return QString::number(ns, 'f', 2) + QLatin1String(" ns");
}

void printHeader()
{
    std::printf("%-34s %12s %12s %8s %8s  %s\n", "figure", "ours", "baseline", "ratio", "target",
                "result");
    std::printf("%s\n", QString(34 + 12 + 12 + 8 + 8 + 12, QLatin1Char('-')).toLatin1().constData());
}

// Prints one figure: ours against its baseline, met when the ratio does not
// exceed the target.
void report(const QString& name, double ours, double base, double target)
{
    const double ratio = base > 0 ? ours / base : 0.0;
    const bool met = ratio <= target;
    g_allMet = g_allMet && met;
    std::printf("%-34s %12s %12s %7.2fx %7.2fx  %s\n", name.toLocal8Bit().constData(),
                formatNs(ours).toLatin1().constData(), formatNs(base).toLatin1().constData(), ratio,
                target, met ? "PASS" : "MISS");
    std::fflush(stdout);
}

// A figure with an absolute limit (bytes): ours must not exceed it.
void reportLimit(const QString& name, double ours, double base, double limit)
{
    const bool met = ours <= limit;
    g_allMet = g_allMet && met;
    std::printf("%-34s %10.0f B %10.0f B %7.2fx %7.0f B  %s\n", name.toLocal8Bit().constData(), ours,
                base, base > 0 ? ours / base : 0.0, limit, met ? "PASS" : "MISS");
    std::fflush(stdout);
}

// Runs both sides of a figure (or the one asked for) and reports it.
// Figures with an instruction target (`counted`) are also measured in
// instructions under callgrind.
void figure(const QString& name, const Task& ours, const Task& base, double target, int reps = 0,
            double counted = 0)
{
    if (!wanted(name) || (g_options.instructions && counted <= 0))
        return;
    if (reps <= 0)
        reps = g_options.instructions ? 1 : g_options.reps;
    const QString tail = QLatin1Char('\t') + QString::number(g_options.instructions ? counted : target);
    g_label = name + QLatin1String("\tours") + tail;
    const double o = g_options.side != Side::Base ? minimumNs(ours, reps) : 0.0;
    g_label = name + QLatin1String("\tbase") + tail;
    const double b = g_options.side != Side::Ours ? minimumNs(base, reps) : 0.0;
    g_label.clear();
    if (!g_options.instructions)
        report(name, o, b, target);
}

QStringList rowNames(int count)
{
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("value%1").arg(i);
    return names;
}

// A browser of `count` integer rows made by the factory, each bound to an
// element of `vars`.
std::unique_ptr<TValueBrowser> makeBrowser(const QStringList& names, std::vector<int>& vars)
{
    auto browser = std::make_unique<TValueBrowser>();
    vars.assign(size_t(names.size()), 0);
    for (int i = 0; i < names.size(); ++i) {
        vars[size_t(i)] = i;
        browser->addInt(0, names.at(i), QString(), names.at(i), &vars[size_t(i)], LT_Int, nullptr);
    }
    return browser;
}

// Fill and destroy -----------------------------------------------------------

// Builds, shows and paints a browser of `count` integer rows in a group, and
// takes it down again. The baseline builds the same tree of bare two-column
// items (a group item and `count` rows under it).
void benchFill(int count)
{
    const QString k = QString::number(count / 1000) + QLatin1String("k");
    const QString fillName = QLatin1String("fill ") + k + QLatin1String(" int rows");
    const QString destroyName = QLatin1String("destroy ") + k + QLatin1String(" int rows");
    const QString heapName = QLatin1String("heap per int row ") + k;
    if (!wanted(fillName) && !wanted(destroyName) && !wanted(heapName))
        return;
    const QStringList names = rowNames(count);
    std::vector<int> vars(size_t(count), 0);
    for (int i = 0; i < count; ++i)
        vars[size_t(i)] = i;

    double oursDestroy = 0, baseDestroy = 0, oursHeap = 0, baseHeap = 0;
    const Task ours = [&]() {
        auto* browser = new TValueBrowser;
        browser->resize(400, 600);
        const size_t heap = heapInUse();
        Meter meter;
        TBaseGroup* group = browser->addGroup(QStringLiteral("Group"));
        browser->setItemLevel(group, 0);
        for (int i = 0; i < count; ++i)
            browser->addInt(1, names.at(i), QString(), names.at(i), &vars[size_t(i)], LT_Int, nullptr);
        browser->updateFromLinked();
        oursHeap = double(heapInUse() - heap) / count;
        showAndPaint(browser);
        const double ns = meter.stop();
        Meter destroy(destroyName, 2.0);
        delete browser;
        oursDestroy = destroy.stop();
        return ns;
    };
    const Task base = [&]() {
        auto* tree = new QTreeWidget;
        tree->resize(400, 600);
        const size_t heap = heapInUse();
        Meter meter;
        tree->setColumnCount(2);
        auto* group = new QTreeWidgetItem(tree, QStringList(QStringLiteral("Group")));
        // The value shown as text, as the browser shows its ints.
        for (int i = 0; i < count; ++i)
            new QTreeWidgetItem(group, QStringList() << names.at(i) << QString::number(vars[size_t(i)]));
        group->setExpanded(true);
        baseHeap = double(heapInUse() - heap) / count;
        showAndPaint(tree);
        const double ns = meter.stop();
        Meter destroy(destroyName, 2.0);
        delete tree;
        baseDestroy = destroy.stop();
        return ns;
    };
    // Destroying is measured with each fill; its minimum is kept the same way.
    double bestOursDestroy = std::numeric_limits<double>::max(), bestBaseDestroy = bestOursDestroy;
    const Task oursTracked = [&]() {
        const double ns = ours();
        bestOursDestroy = qMin(bestOursDestroy, oursDestroy);
        return ns;
    };
    const Task baseTracked = [&]() {
        const double ns = base();
        bestBaseDestroy = qMin(bestBaseDestroy, baseDestroy);
        return ns;
    };
    figure(fillName, oursTracked, baseTracked, 2.5, 0, 2.0);
    if (!g_options.instructions) {
        report(destroyName, bestOursDestroy, bestBaseDestroy, 2.0);
        reportLimit(heapName, oursHeap, baseHeap, 900);
    }
}

// A mixed set: properties of seven types (int, real, bool, color, font,
// point, rectangle), compound ones with their child rows, against bare
// items per tree row.
void benchMixed()
{
    const QString fillName = QStringLiteral("mixed fill per tree row");
    const QString setName = QStringLiteral("mixed set all per tree row");
    const QString heapName = QStringLiteral("heap per mixed property");
    if (!wanted(fillName) && !wanted(setName) && !wanted(heapName))
        return;
    const int groups = 1430;
    const int properties = groups * 7;
    const size_t n = size_t(groups);
    std::vector<int> ints(n);
    std::vector<double> reals(n);
    std::unique_ptr<bool[]> bools(new bool[n]);
    std::vector<QColor> colors(n);
    std::vector<QFont> fonts(n);
    std::vector<QPoint> points(n);
    std::vector<QRect> rects(n);
    const QStringList names = rowNames(properties);
    int rows = 0;
    double oursHeap = 0;
    std::unique_ptr<TValueBrowser> kept;

    const auto build = [&](TValueBrowser& b) {
        for (int g = 0; g < groups; ++g) {
            const size_t i = size_t(g);
            const int n = g * 7;
            b.addInt(0, names.at(n), QString(), names.at(n), &ints[i], LT_Int, nullptr);
            b.addReal(0, names.at(n + 1), QString(), names.at(n + 1), &reals[i], LT_Double, nullptr);
            b.addBool(0, names.at(n + 2), QString(), names.at(n + 2), &bools[i]);
            b.addColor(0, names.at(n + 3), QString(), names.at(n + 3), &colors[i]);
            b.addFont(0, names.at(n + 4), QString(), names.at(n + 4), &fonts[i]);
            b.addPoint(0, names.at(n + 5), QString(), names.at(n + 5), &points[i]);
            b.addRect(0, names.at(n + 6), QString(), names.at(n + 6), &rects[i]);
        }
    };
    const auto vary = [&](int rep) {
        for (int g = 0; g < groups; ++g) {
            const size_t i = size_t(g);
            ints[i] = g + rep;
            reals[i] = g * 0.5 + rep;
            bools[i] = (g + rep) % 2;
            colors[i] = QColor::fromRgb(QRgb(0x10000u * unsigned(g % 256) + unsigned(rep % 256)));
            fonts[i] = QFont(QStringLiteral("Sans"), 8 + (g + rep) % 10);
            points[i] = QPoint(g, rep);
            rects[i] = QRect(g, rep, 10, 20);
        }
    };
    vary(0);
    const Task oursFill = [&]() {
        auto browser = std::make_unique<TValueBrowser>();
        browser->resize(400, 600);
        const size_t heap = heapInUse();
        Meter meter;
        build(*browser);
        browser->updateFromLinked();
        oursHeap = double(heapInUse() - heap) / properties;
        showAndPaint(browser.get());
        const double ns = meter.stop();
        rows = 0;
        for (QTreeWidgetItemIterator it(browser.get()); *it; ++it)
            ++rows;
        kept = std::move(browser);
        return ns / rows;
    };
    const Task baseFill = [&]() {
        const int count = qMax(rows, properties);
        QTreeWidget tree;
        tree.resize(400, 600);
        Meter meter;
        tree.setColumnCount(2);
        for (int i = 0; i < count; ++i)
            new QTreeWidgetItem(&tree, QStringList() << names.at(i % properties) << names.at(i % properties));
        showAndPaint(&tree);
        return meter.stop() / count;
    };
    figure(fillName, oursFill, baseFill, 4.0, 0, 4.0);
    if (!kept)
        return;
    int rep = 0;
    const Task oursSet = [&]() {
        vary(++rep);
        Meter meter;
        kept->updateFromLinked();
        // Until the view has caught up: what it put off (a layout, the
        // repaint) is part of the change.
        QCoreApplication::processEvents();
        return meter.stop() / rows;
    };
    const QStringList texts = rowNames(rows);
    const Task baseSet = [&]() {
        // Shown with rows of one height, as the browser is: a shown view
        // repaints each changed cell, and without uniform row heights it
        // finds a cell by adding up the heights of the rows above it.
        QTreeWidget tree;
        tree.resize(400, 600);
        tree.setUniformRowHeights(true);
        tree.setColumnCount(2);
        for (int i = 0; i < rows; ++i)
            new QTreeWidgetItem(&tree, QStringList() << texts.at(i) << QString());
        showAndPaint(&tree);
        ++rep;
        Meter meter;
        for (int i = 0; i < rows; ++i)
            tree.topLevelItem(i)->setText(1, QString::number(i + rep));
        QCoreApplication::processEvents();
        return meter.stop() / rows;
    };
    figure(setName, oursSet, baseSet, 4.0, 0, 4.0);
    if (!g_options.instructions)
        reportLimit(heapName, oursHeap, 0, 3000);
}

// Setting every value, and the whole-set operations ---------------------------

// Each operation on 10,000 rows of a browser against the bare equivalent on
// 10,000 bare items whose value text stands for the row's value (and a
// second text role for the stored one); then the same operation on 100,000
// rows against 10,000, which is 10 when it grows linearly.
void benchWholeSet()
{
    const QStringList opNames = {QStringLiteral("set all values"), QStringLiteral("updateFromLinked"),
                                 QStringLiteral("updateLinked"), QStringLiteral("storeSet"),
                                 QStringLiteral("restoreSet")};
    bool any = false;
    for (const QString& op : opNames)
        any = any || wanted(op);
    if (!any)
        return;

    const auto prepare = [](TValueBrowser& browser, std::vector<int>& vars, int op, int rep) {
        switch (op) {
        case 1:
            // Every variable changes, so every row takes a new value.
            for (size_t i = 0; i < vars.size(); ++i)
                vars[i] = int(i) + rep + 1;
            break;
        case 4:
            // Rows differ from the stored set, so every row goes back.
            for (size_t i = 0; i < vars.size(); ++i)
                vars[i] = int(i) - rep - 1;
            browser.updateFromLinked();
            break;
        default:
            break;
        }
    };
    const auto apply = [](TValueBrowser& browser, int op, int rep) {
        switch (op) {
        case 0:
            for (int i = 0, n = browser.topLevelItemCount(); i < n; ++i)
                static_cast<TIntegerValue*>(browser.topLevelItem(i))->setValue(QVariant(i + rep));
            break;
        case 1:
            browser.updateFromLinked();
            break;
        case 2:
            browser.updateLinked();
            break;
        case 3:
            browser.storeSet();
            break;
        case 4:
            browser.restoreSet();
            break;
        }
    };
    const auto run = [&](TValueBrowser& browser, std::vector<int>& vars, int op, int rep) {
        prepare(browser, vars, op, rep);
        Meter meter;
        apply(browser, op, rep);
        return meter.stop();
    };
    // The bare equivalent: the value text of each item is its value, the
    // user role its stored value.
    const auto bare = [](QTreeWidget& tree, std::vector<int>& vars, int op, int rep) {
        const int n = tree.topLevelItemCount();
        if (op == 4) {
            for (int i = 0; i < n; ++i)
                tree.topLevelItem(i)->setText(1, QString::number(i - rep));
        }
        Meter meter;
        for (int i = 0; i < n; ++i) {
            QTreeWidgetItem* item = tree.topLevelItem(i);
            switch (op) {
            case 0:
                item->setText(1, QString::number(i + rep));
                break;
            case 1:
                item->setText(1, QString::number(vars[size_t(i)] + rep));
                break;
            case 2:
                vars[size_t(i)] = item->text(1).toInt();
                break;
            case 3:
                item->setData(1, Qt::UserRole, item->data(1, Qt::DisplayRole));
                break;
            case 4:
                item->setText(1, item->data(1, Qt::UserRole).toString());
                break;
            }
        }
        return meter.stop();
    };

    std::vector<int> smallVars, largeVars, bareVars(10000);
    auto small = makeBrowser(rowNames(10000), smallVars);
    auto large = makeBrowser(rowNames(100000), largeVars);
    QTreeWidget tree;
    tree.setColumnCount(2);
    const QStringList names = rowNames(10000);
    for (int i = 0; i < names.size(); ++i)
        new QTreeWidgetItem(&tree, QStringList() << names.at(i) << QString::number(i));
    for (TValueBrowser* b : {small.get(), large.get()}) {
        b->updateFromLinked();
        b->storeSet();
    }
    for (int op = 0; op < opNames.size(); ++op) {
        int rep = 0;
        // Once unmeasured on both sizes, so that a single measured run (under
        // callgrind) finds the rows in the state every later run finds them:
        // the first change of a row also turns on its changed mark.
        for (TValueBrowser* b : {small.get(), large.get()}) {
            std::vector<int>& vars = b == small.get() ? smallVars : largeVars;
            prepare(*b, vars, op, ++rep);
            apply(*b, op, rep);
        }
        const Task ours = [&]() { return run(*small, smallVars, op, ++rep); };
        const Task base = [&]() { return bare(tree, bareVars, op, ++rep); };
        figure(opNames.at(op) + QLatin1String(" 10k / bare"), ours, base, 2.0, 0, 2.0);
        const Task oursLarge = [&]() { return run(*large, largeVars, op, ++rep); };
        figure(opNames.at(op) + QLatin1String(" 100k / 10k"), oursLarge, ours, 11.0, 0, 11.0);
    }
}

// Settings ---------------------------------------------------------------

void benchSettings()
{
    const QString writeName = QStringLiteral("writeDataSet 10k / QSettings");
    const QString readName = QStringLiteral("readDataSet 10k / QSettings");
    if (!wanted(writeName) && !wanted(readName))
        return;

    const int count = 10000;
    const QStringList names = rowNames(count);
    // The keys the browser writes: each value and its kind.
    QStringList keys;
    std::vector<QVariant> values;
    for (int i = 0; i < count; ++i) {
        keys << names.at(i) << names.at(i) + QLatin1String(".Type");
        values.emplace_back(i);
        values.emplace_back(int(SK_Value));
    }

    std::vector<int> vars;
    auto browser = makeBrowser(names, vars);
    browser->updateFromLinked();

    QTemporaryDir dir;
    const QString oursFile = dir.filePath(QStringLiteral("ours.ini"));
    const QString baseFile = dir.filePath(QStringLiteral("base.ini"));

    // Writing: construct the settings object, write every key, sync.
    const Task oursWrite = [&]() {
        QFile::remove(oursFile);
        QElapsedTimer timer;
        timer.start();
        {
            QSettings settings(oursFile, QSettings::IniFormat);
            browser->writeDataSet(settings);
            settings.sync();
        }
        return timer.nsecsElapsed();
    };
    const Task baseWrite = [&]() {
        QFile::remove(baseFile);
        QElapsedTimer timer;
        timer.start();
        {
            QSettings settings(baseFile, QSettings::IniFormat);
            for (int i = 0; i < keys.size(); ++i)
                settings.setValue(keys.at(i), values[size_t(i)]);
            settings.sync();
        }
        return timer.nsecsElapsed();
    };
    figure(writeName, oursWrite, baseWrite, 2.0);

    // Reading: construct the settings object (which parses the file) and
    // read every key; the browser also applies what it reads to its rows.
    oursWrite();
    baseWrite();
    int rep = 0;
    const Task oursRead = [&]() {
        // The rows hold other values than the file, so every row changes.
        ++rep;
        for (size_t i = 0; i < vars.size(); ++i)
            vars[i] = int(i) + rep;
        browser->updateFromLinked();
        QElapsedTimer timer;
        timer.start();
        {
            QSettings settings(oursFile, QSettings::IniFormat);
            browser->readDataSet(settings);
        }
        return timer.nsecsElapsed();
    };
    qint64 sink = 0;
    const Task baseRead = [&]() {
        QElapsedTimer timer;
        timer.start();
        {
            QSettings settings(baseFile, QSettings::IniFormat);
            for (const QString& key : qAsConst(keys))
                sink += settings.value(key).toInt();
        }
        return timer.nsecsElapsed();
    };
    figure(readName, oursRead, baseRead, 2.0);
    if (sink == 42)
        std::printf(" ");
}

// Validators ---------------------------------------------------------------

void benchValidators()
{
    // Texts as the editor hands them over: mostly canonical, some out of
    // range, some needing a rewrite.
    const int count = 10000;
    QStringList intTexts, realTexts;
    for (int i = 0; i < count; ++i) {
        switch (i % 4) {
        case 0:
        case 1:
            intTexts << QString::number(i - 5000);
            realTexts << QString::number((i - 5000) / 8.0, 'f', 5);
            break;
        case 2:
            intTexts << QString::number(i * 1000);
            realTexts << QString::number(i * 1000.5, 'f', 5);
            break;
        default:
            intTexts << QString::number(i) + QLatin1String(".5");
            realTexts << QString::number(i / 4.0);
            break;
        }
    }
    std::vector<QVariant> intVariants(intTexts.cbegin(), intTexts.cend());
    std::vector<QVariant> realVariants(realTexts.cbegin(), realTexts.cend());

    const int rounds = 20;
    const double calls = double(rounds) * count;
    qint64 sink = 0;

    TIntValidator intValidator(-100000, 100000);
    const Task intOurs = [&]() {
        QElapsedTimer timer;
        timer.start();
        for (int r = 0; r < rounds; ++r) {
            for (const QVariant& text : intVariants) {
                QVariant v = text;
                sink += intValidator.checkValue(v);
            }
        }
        return timer.nsecsElapsed();
    };
    const Task intBase = [&]() {
        QElapsedTimer timer;
        timer.start();
        for (int r = 0; r < rounds; ++r) {
            for (const QString& text : qAsConst(intTexts)) {
                bool ok = false;
                int n = text.toInt(&ok);
                if (!ok)
                    n = int(text.toDouble(&ok));
                sink += qBound(-100000, n, 100000) + ok;
            }
        }
        return timer.nsecsElapsed();
    };

    TDoubleValidator realValidator(-1e6, 1e6, 5);
    const Task realOurs = [&]() {
        QElapsedTimer timer;
        timer.start();
        for (int r = 0; r < rounds; ++r) {
            for (const QVariant& text : realVariants) {
                QVariant v = text;
                sink += realValidator.checkValue(v);
            }
        }
        return timer.nsecsElapsed();
    };
    const Task realBase = [&]() {
        QElapsedTimer timer;
        timer.start();
        for (int r = 0; r < rounds; ++r) {
            for (const QString& text : qAsConst(realTexts)) {
                bool ok = false;
                const double d = text.toDouble(&ok);
                sink += qint64(qBound(-1e6, d, 1e6)) + ok;
            }
        }
        return timer.nsecsElapsed();
    };

    // Per call: the totals divided by the number of calls.
    const auto perCall = [calls](const Task& task) {
        return Task([task, calls]() { return task() / calls; });
    };
    figure(QStringLiteral("TIntValidator / toInt+clamp"), perCall(intOurs), perCall(intBase), 3.0);
    figure(QStringLiteral("TDoubleValidator / toDouble+clamp"), perCall(realOurs), perCall(realBase),
           3.0);
    if (sink == 42)
        std::printf(" ");
}

// Opening the editor -------------------------------------------------------

// The nanoseconds of one move of the current row, and with it the in-place
// editor, between two rows in the middle of a shown tree, until the closed
// editor is gone and the view has painted. `open` opens the editor of the
// new current row where the tree does not do it itself.
double editorOpen(QTreeWidget& tree, const std::function<void(QTreeWidgetItem*, QTreeWidgetItem*)>& open)
{
    const int moves = 20;
    const int count = tree.topLevelItemCount();
    QTreeWidgetItem* a = tree.topLevelItem(count / 2 - 1);
    QTreeWidgetItem* b = tree.topLevelItem(count / 2);
    double total = 0;
    for (int i = 0; i < moves; ++i) {
        Meter meter;
        QTreeWidgetItem* next = i % 2 ? a : b;
        QTreeWidgetItem* prev = tree.currentItem();
        tree.setCurrentItem(next);
        if (open)
            open(prev, next);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        total += meter.stop();
    }
    return total / moves;
}

void benchEditor()
{
    const QString name = QStringLiteral("open editor 10k rows / bare");
    const QString sizeName = QStringLiteral("open editor 10k rows / 100 rows");
    if (!wanted(name) && !wanted(sizeName))
        return;
    std::vector<int> smallVars, largeVars;
    auto small = makeBrowser(rowNames(100), smallVars);
    auto large = makeBrowser(rowNames(10000), largeVars);
    QTreeWidget tree;
    tree.setColumnCount(2);
    const QStringList names = rowNames(10000);
    for (int i = 0; i < names.size(); ++i)
        new QTreeWidgetItem(&tree, QStringList() << names.at(i) << QString::number(i));
    const std::function<void(QTreeWidgetItem*, QTreeWidgetItem*)> bareOpen = [&tree](QTreeWidgetItem* prev,
                                                                                      QTreeWidgetItem* next) {
        if (prev)
            tree.closePersistentEditor(prev, 1);
        tree.openPersistentEditor(next, 1);
    };
    for (QTreeWidget* b : {static_cast<QTreeWidget*>(small.get()), static_cast<QTreeWidget*>(large.get()), &tree}) {
        if (auto* browser = qobject_cast<TValueBrowser*>(b)) {
            browser->updateFromLinked();
            browser->storeSet();
        }
        b->resize(400, 600);
        showAndPaint(b);
        // Warm up: first editor, first layout.
        editorOpen(*b, b == &tree ? bareOpen : nullptr);
    }
    figure(name, [&]() { return editorOpen(*large, nullptr); }, [&]() { return editorOpen(tree, bareOpen); },
           1.5, 0, 1.5);
    figure(sizeName, [&]() { return editorOpen(*large, nullptr); }, [&]() { return editorOpen(*small, nullptr); },
           1.5, 0, 1.5);
}

// Extensions -----------------------------------------------------------------

void benchFilter()
{
    const QString name = QStringLiteral("setFilter 10k / setHidden loop");
    if (!wanted(name))
        return;
    std::vector<int> vars;
    auto browser = makeBrowser(rowNames(10000), vars);
    browser->updateFromLinked();
    const QString text = QStringLiteral("value1");
    // Both sides start from every row shown and hide the same rows.
    const auto showAll = [&]() {
        browser->setFilter(QString());
        for (int i = 0; i < browser->topLevelItemCount(); ++i)
            browser->topLevelItem(i)->setHidden(false);
    };
    const Task ours = [&]() {
        showAll();
        QElapsedTimer timer;
        timer.start();
        browser->setFilter(text);
        return timer.nsecsElapsed();
    };
    const Task base = [&]() {
        showAll();
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < browser->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = browser->topLevelItem(i);
            item->setHidden(!item->text(0).contains(text, Qt::CaseInsensitive));
        }
        return timer.nsecsElapsed();
    };
    figure(name, ours, base, 2.0);
}

void benchInspect()
{
    const QString name = QStringLiteral("addObject QWidget / 2 ms budget");
    if (!wanted(name))
        return;
    QWidget widget;
    TValueBrowser warm;
    warm.addObject(&widget); // the shared color and font lists are filled once
    const Task ours = [&]() {
        TValueBrowser browser;
        QElapsedTimer timer;
        timer.start();
        browser.addObject(&widget);
        return timer.nsecsElapsed();
    };
    figure(name, ours, [] { return 2e6; }, 1.0);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--reps") && i + 1 < args.size())
            g_options.reps = qMax(1, args.at(++i).toInt());
        else if (arg == QLatin1String("--side=ours"))
            g_options.side = Side::Ours;
        else if (arg == QLatin1String("--side=base"))
            g_options.side = Side::Base;
        else if (arg == QLatin1String("--instructions"))
            g_options.instructions = true;
        else if (arg.startsWith(QLatin1String("--"))) {
            std::fprintf(stderr, "usage: tarvo_bench [--reps N] [--side=ours|base] [--instructions] [FILTER...]\n");
            return 2;
        } else
            g_options.filters << arg;
    }

    if (!g_options.instructions)
        printHeader();
    benchFill(10000);
    benchFill(100000);
    benchMixed();
    benchWholeSet();
    benchSettings();
    benchValidators();
    benchEditor();
    benchFilter();
    benchInspect();
    if (!g_options.instructions)
        std::printf("\n%s\n", g_allMet ? "all targets met" : "some targets missed");
    return 0;
}
